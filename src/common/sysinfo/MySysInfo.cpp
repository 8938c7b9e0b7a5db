#include "common/sysinfo/MySysInfo.h"

#include <ctime>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/GenericStrings.h"
#include "common/base/LogFormat.h"
#include "common/base/SystemApi.h"
#include "common/fileinfo/MyFileVersion.h"
#include "common/files/FileSystem.h"
#include "common/registry/GenericRegistryLog.h"
#include "common/registry/RegistryKeys.h"
#include "common/registry/RegistryStore.h"
#include "common/sysinfo/PeChecksum.h"
#include "common/ui/WaitCursor.h"

namespace {

struct Named {
  DWord number;
  const char* name;
};

const Named kProcessorTypes[] = {
    {386, "PROCESSOR_INTEL_386"},     {486, "PROCESSOR_INTEL_486"},      {586, "PROCESSOR_INTEL_PENTIUM"},
    {4000, "PROCESSOR_MIPS_R4000"},   {21064, "PROCESSOR_ALPHA_21064"},  {601, "PROCESSOR_PPC_601"},
    {603, "PROCESSOR_PPC_603"},       {604, "PROCESSOR_PPC_604"},        {620, "PROCESSOR_PPC_620"},
    {10003, "PROCESSOR_HITACHI_SH3"}, {10004, "PROCESSOR_HITACHI_SH3E"}, {10005, "PROCESSOR_HITACHI_SH4"},
    {821, "PROCESSOR_MOTOROLA_821"},  {103, "PROCESSOR_SHx_SH3"},        {104, "PROCESSOR_SHx_SH4"},
    {2577, "PROCESSOR_STRONGARM"},    {1824, "PROCESSOR_ARM720"},        {2080, "PROCESSOR_ARM820"},
    {2336, "PROCESSOR_ARM920"},       {70001, "PROCESSOR_ARM_7TDMI"},
};

const char* const kArchitectures[] = {
    "PROCESSOR_ARCHITECTURE_INTEL", "PROCESSOR_ARCHITECTURE_MIPS",    "PROCESSOR_ARCHITECTURE_ALPHA",
    "PROCESSOR_ARCHITECTURE_PPC",   "PROCESSOR_ARCHITECTURE_SHX",     "PROCESSOR_ARCHITECTURE_ARM",
    "PROCESSOR_ARCHITECTURE_IA64",  "PROCESSOR_ARCHITECTURE_ALPHA64",
};

// The guarded step that adds one entry, logged under the expression the
// description has always been written with.
#define ADD_ENTRY(hr, key, value) \
  EC_B_TEXT(hr, "m_list.AddTail(new KeyValue(\"" key "\", sValue))", Add(key, value))

std::string Format(const char* format, std::initializer_list<LogArg> args) {
  return FormatLogText(format, args);
}

}  // namespace

MySysInfo::MySysInfo() : MySysInfo(SysInfoSource::Default()) {}
MySysInfo::MySysInfo(SysInfoSource& source) : m_source(source) {}

std::string MySysInfo::PlatformIdText(const SysVersion& v) {
  switch (v.platformId) {
    case 0: return Format("%d (%s)", {0, "VER_PLATFORM_WIN32s"});
    case 1: {
      const char* edition = v.minor == 0    ? "(Win95)"
                            : v.minor == 10 ? "(Win98)"
                            : v.minor == 90 ? "(WinME)"
                                            : "(Unknown)";
      return Format("%d (%s) ", {1, "VER_PLATFORM_WIN32_WINDOWS"}) + edition;
    }
    case 2: {
      const char* edition = "(Unknown)";
      if (v.major == 5 && v.minor == 0)
        edition = "(Win2000)";
      else if (v.major == 5 && v.minor == 1)
        edition = "(WinXP)";
      else if (v.major == 5 && v.minor == 2)
        edition = "(WinServer2003)";
      else if (v.major == 4)
        edition = "(WinNT 4.0)";
      return Format("%d (%s) ", {2, "VER_PLATFORM_WIN32_NT"}) + edition;
    }
    default: return Format("%d (%s)", {v.platformId, "{Unknown}"});
  }
}

std::string MySysInfo::ProcessorArchitectureText(unsigned architecture) {
  const char* name = architecture < sizeof kArchitectures / sizeof *kArchitectures
                         ? kArchitectures[architecture]
                         : "{Unknown}";
  return Format("%d (%s)", {architecture, name});
}

std::string MySysInfo::ProcessorTypeText(DWord processorType) {
  const char* name = "{Unknown}";
  for (const Named& n : kProcessorTypes)
    if (n.number == processorType) name = n.name;
  return Format("%d (%s)", {processorType, name});
}

std::string MySysInfo::ColorDepthText(int bits) {
  switch (bits) {
    case 4: return "16 colors";
    case 8: return "256 colors";
    case 16: return "16-bit color";
    case 24: return "24-bit color";
    case 32: return "32-bit (true color)";
    default: return Format("Unknown: %d", {bits});
  }
}

std::string MySysInfo::PercentText(DWord percent) { return Format("%d%%", {percent}); }

std::string MySysInfo::BytesText(std::uint64_t n) {
  return Generic::FormatThousands(static_cast<long long>(n)) + " bytes";
}

std::string MySysInfo::KilobytesText(std::uint64_t n) {
  return Format("%s kilobytes", {Generic::FormatThousands(static_cast<long long>(n))});
}

std::string MySysInfo::LogLineFormat(const KeyValue& entry) {
  std::string line;
  for (char c : entry.m_sKey + ":\t" + entry.m_sValue + "\n") {
    line += c;
    if (c == '%') line += '%';
  }
  return line;
}

bool MySysInfo::Add(const std::string& sKey, const std::string& sValue) {
  m_list.push_back(std::make_unique<KeyValue>(sKey, sValue));
  return true;
}

HResult MySysInfo::LoadInfo(std::string sAppName) {
  WaitCursor wait;
  LOG_ENTRY("MySysInfo::LoadInfo");
  if (sAppName.empty()) sAppName = REGKEY_PROGRAM_NAME;
  HResult hr = kSOk;

  int nDepth = 0;
  Generic::LogRegistryKey(Registry::kCurrentUser, std::string(REGKEY_COMPANY) + "\\" + sAppName, nDepth);

  EC_TRY {
    SysVersion v;
    EC_B_TEXT(hr, "::GetVersionEx(&osvi)", m_source.GetVersion(v));
    std::string sValue = PlatformIdText(v);
    ADD_ENTRY(hr, "OS - PlatformId", sValue);
    const DWord build = v.platformId == 1 ? (v.build & 0xFFFF) : v.platformId == 2 ? v.build : 0;
    sValue = Format("%d", {build});
    ADD_ENTRY(hr, "OS - Build Number", sValue);
    sValue = Format("%d", {v.platformId == 0 ? 0 : v.major});
    ADD_ENTRY(hr, "OS - MajorVersion", sValue);
    sValue = Format("%d", {v.platformId == 0 ? 0 : v.minor});
    ADD_ENTRY(hr, "OS - MinorVersion", sValue);
    sValue = v.csd;
    ADD_ENTRY(hr, "OS - CSDVersion", sValue);

    SysProcessor p;
    EC_B_TEXT(hr, "::GetSystemInfo(&si)", m_source.GetProcessor(p));
    sValue = ProcessorArchitectureText(p.architecture);
    ADD_ENTRY(hr, "Processor - Architecture", sValue);
    sValue = Format("%d", {p.pageSize});
    ADD_ENTRY(hr, "Processor - PageSize", sValue);
    sValue = Format("%p", {reinterpret_cast<const void*>(p.minimumApplicationAddress)});
    ADD_ENTRY(hr, "Processor - MinimumApplicationAddress", sValue);
    sValue = Format("%p", {reinterpret_cast<const void*>(p.maximumApplicationAddress)});
    ADD_ENTRY(hr, "Processor - MaximumApplicationAddress", sValue);
    sValue = Format("%d", {static_cast<unsigned long long>(p.activeProcessorMask)});
    ADD_ENTRY(hr, "Processor - ActiveProcessorMask", sValue);
    sValue = Format("%d", {p.numberOfProcessors});
    ADD_ENTRY(hr, "Processor - NumberOfProcessors", sValue);
    sValue = ProcessorTypeText(p.processorType);
    ADD_ENTRY(hr, "Processor - ProcessorType", sValue);
    sValue = Format("%d", {p.allocationGranularity});
    ADD_ENTRY(hr, "Processor - AllocationGranularity", sValue);
    sValue = Format("%d", {p.processorLevel});
    ADD_ENTRY(hr, "Processor - ProcessorLevel", sValue);
    sValue = Format("0x%x", {p.processorRevision});
    ADD_ENTRY(hr, "Processor - ProcessorRevision", sValue);

    SysMemory m;
    EC_B_TEXT(hr, "::GlobalMemoryStatus(&ms)", m_source.GetMemory(m));
    sValue = PercentText(m.memoryLoad);
    ADD_ENTRY(hr, "Memory - MemoryLoad", sValue);
    sValue = BytesText(m.totalPhys);
    ADD_ENTRY(hr, "Memory - TotalPhys", sValue);
    sValue = BytesText(m.availPhys);
    ADD_ENTRY(hr, "Memory - AvailPhys", sValue);
    sValue = BytesText(m.totalPageFile);
    ADD_ENTRY(hr, "Memory - TotalPageFile", sValue);
    sValue = BytesText(m.availPageFile);
    ADD_ENTRY(hr, "Memory - AvailPageFile", sValue);
    sValue = BytesText(m.totalVirtual);
    ADD_ENTRY(hr, "Memory - TotalVirtual", sValue);
    sValue = BytesText(m.availVirtual);
    ADD_ENTRY(hr, "Memory - AvailVirtual", sValue);

    // A: and B: are floppy drives: asking them would spin them up.
    const bool bExtended = v.platformId == 2 || (v.platformId == 1 && (v.build & 0xFFFF) > 1000);
    const DWord dwDrives = Succeeded(hr) ? m_source.GetLogicalDrives() : 0;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
      if (!(dwDrives & (1u << (letter - 'A')))) continue;
      const std::string sDrive = std::string(1, letter) + ":\\";
      std::uint64_t kilobytes = 0;
      if (Succeeded(hr) && !m_source.GetFreeKilobytes(sDrive, bExtended, kilobytes)) kilobytes = 0;
      sValue = KilobytesText(kilobytes);
      EC_B_TEXT(hr, "m_list.AddTail(new KeyValue(sDrive.Left(2) + \" free space\", sValue))",
                Add(sDrive.substr(0, 2) + " free space", sValue));
    }

    if (Succeeded(hr) && v.platformId == 1) {
      const char* const keys[] = {"Free Resources - System", "Free Resources - GDI", "Free Resources - User"};
      for (int which = 0; which < 3 && Succeeded(hr); ++which) {
        int nPercent = 0;
        const SysInfoSource::ResourceResult result = m_source.GetFreeResources(which, nPercent);
        if (result == SysInfoSource::kNoResourceLibrary) {
          LOGE(
              "Error loading rsrc32.dll. You must run this under Win9x only and with the resource meter "
              "installed.\n");
          break;
        }
        if (result == SysInfoSource::kNoResourceFunction) {
          LOGE("GetProcAddress for _MyGetFreeSystemResources32@4 failed.\n");
          break;
        }
        sValue = PercentText(static_cast<DWord>(nPercent));
        EC_B_TEXT(hr, (std::string("m_list.AddTail(new KeyValue(\"") + keys[which] + "\", sValue))").c_str(),
                  Add(keys[which], sValue));
      }
    }

    int nBits = 0;
    EC_B_TEXT(hr, "NULL != (hDC = GetDC(NULL))", m_source.GetScreenDepth(nBits));
    sValue = ColorDepthText(nBits);
    ADD_ENTRY(hr, "Video - Color Depth", sValue);

    CollectApp(hr);
  }
  EC_CATCH(hr, "EC_VEF")

  LOGA("<<< MySysInfo::LoadInfo()\n");
  return hr;
}

void MySysInfo::CollectApp(HResult& hr) {
  std::string sModulePath;
  EC_B_TEXT(hr, "::GetModuleFileName(NULL, sModulePath.GetBuffer(MAX_PATH), MAX_PATH)",
            !(sModulePath = SystemApi::GetModuleFileName()).empty());
  MyFileVersion fv;
  bool bHasVersionInfo = false;
  EC_H(hr, fv.Open(sModulePath, bHasVersionInfo));
  std::string sValue = Succeeded(hr) ? fv.QueryValue("FileDescription") : "";
  ADD_ENTRY(hr, "App - File Description", sValue);
  sValue = Succeeded(hr) ? fv.QueryValue("ProductVersion") : "";
  ADD_ENTRY(hr, "App - Product Version", sValue);
  sValue = Succeeded(hr) ? fv.QueryValue("Comments") : "";
  ADD_ENTRY(hr, "App - Comments", sValue);

  FileSystem::FindData ff;
  EC_B_TEXT(hr, "ff.FindFile(sModulePath)", FileSystem::FindFirst(sModulePath, ff));
  if (Failed(hr)) EC_VAR(sModulePath, "%s");
  sValue = sModulePath;
  ADD_ENTRY(hr, "App - Path", sValue);
  sValue = Format("%s bytes", {Generic::FormatThousands(static_cast<long long>(ff.size))});
  ADD_ENTRY(hr, "App - Size", sValue);
  char szCreated[32] = "";
  const std::time_t created = ff.created;
  if (const std::tm* local = std::localtime(&created))
    std::strftime(szCreated, sizeof szCreated, "%Y/%m/%d %H:%M:%S", local);
  sValue = szCreated;
  ADD_ENTRY(hr, "App - Date Created", sValue);

  if (Failed(hr)) return;
  std::uint32_t dwChecksum = 0;
  if (!PeChecksum::OfFile(sModulePath, dwChecksum)) {
    const DWord dwError = SystemApi::GetLastError();
    LOG_ST(10020, "::MapFileAndCheckSum", dwError, Generic::GetErrorText(dwError));
    return;
  }
  sValue = Generic::FormatThousands(static_cast<long long>(dwChecksum));
  ADD_ENTRY(hr, "App - Current Checksum", sValue);
}

void MySysInfo::LogInfo() {
  LOG_ENTRY("MySysInfo::LogInfo");
  for (const auto& entry : m_list) LOGA(LogLineFormat(*entry).c_str());
}
