// The system description from chosen facts: every entry in its order and
// format, the percent signs on their way through the log, the drives from
// C:, and a failing query that ends the collection.
#include "common/sysinfo/MySysInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
#include "common/registry/MyRegistry.h"
#include "common/sysinfo/PeChecksum.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestDlls.h"
#include "support/TestSupport.h"

namespace {

class FakeSource : public SysInfoSource {
 public:
  SysVersion version{2, 5, 1, 2600, "Service Pack 2"};
  SysProcessor processor{0, 4096, 0x10000, 0x7FFEFFFF, 3, 2, 586, 65536, 6, 0x0F02};
  SysMemory memory{45, 1073741824, 536870912, 2147483648u, 1610612736, 2147352576, 2100000000};
  DWord drives = (1u << 0) | (1u << 2) | (1u << 3);  // A:, C:, D:
  bool bVersionOk = true, bMemoryOk = true, bScreenOk = true;
  int nScreenBits = 32;
  std::vector<std::string> roots;
  std::vector<bool> extended;

  bool GetVersion(SysVersion& v) override {
    v = version;
    return bVersionOk;
  }
  bool GetProcessor(SysProcessor& p) override {
    p = processor;
    return true;
  }
  bool GetMemory(SysMemory& m) override {
    m = memory;
    return bMemoryOk;
  }
  DWord GetLogicalDrives() override { return drives; }
  bool GetFreeKilobytes(const std::string& root, bool bExtended, std::uint64_t& kb) override {
    roots.push_back(root);
    extended.push_back(bExtended);
    if (root == "D:\\") return false;  // no medium
    kb = 12345678;
    return true;
  }
  ResourceResult GetFreeResources(int which, int& percent) override {
    percent = 70 + which;
    return resources;
  }
  ResourceResult resources = kResourceOk;
  bool GetScreenDepth(int& bits) override {
    bits = nScreenBits;
    return bScreenOk;
  }
};

class SysInfoTest : public ::testing::Test {
 protected:
  SysInfoTest() {
    if (test::kDllDir) SystemApi::SetModuleFileNameOverride(test::TestDll("english.dll"));
  }
  ~SysInfoTest() override { SystemApi::SetModuleFileNameOverride(""); }

  std::vector<std::pair<std::string, std::string>> Load(HResult expected = kSOk) {
    MySysInfo info(source);
    EXPECT_EQ(expected, info.LoadInfo(""));
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& e : info.Entries()) entries.emplace_back(e->m_sKey, e->m_sValue);
    return entries;
  }
  static std::string Value(const std::vector<std::pair<std::string, std::string>>& entries,
                           const std::string& key) {
    for (const auto& e : entries)
      if (e.first == key) return e.second;
    return "<missing>";
  }

  test::ScopedMemoryRegistry registry;
  test::ScopedLog log;
  FakeSource source;
};

TEST(SysInfoTexts, PlatformEditions) {
  const struct {
    DWord platform, major, minor;
    const char* text;
  } cases[] = {
      {0, 3, 1, "0 (VER_PLATFORM_WIN32s)"},
      {1, 4, 0, "1 (VER_PLATFORM_WIN32_WINDOWS) (Win95)"},
      {1, 4, 10, "1 (VER_PLATFORM_WIN32_WINDOWS) (Win98)"},
      {1, 4, 90, "1 (VER_PLATFORM_WIN32_WINDOWS) (WinME)"},
      {1, 4, 3, "1 (VER_PLATFORM_WIN32_WINDOWS) (Unknown)"},
      {2, 5, 0, "2 (VER_PLATFORM_WIN32_NT) (Win2000)"},
      {2, 5, 1, "2 (VER_PLATFORM_WIN32_NT) (WinXP)"},
      {2, 5, 2, "2 (VER_PLATFORM_WIN32_NT) (WinServer2003)"},
      {2, 4, 0, "2 (VER_PLATFORM_WIN32_NT) (WinNT 4.0)"},
      {2, 6, 1, "2 (VER_PLATFORM_WIN32_NT) (Unknown)"},
      {2, 5, 3, "2 (VER_PLATFORM_WIN32_NT) (Unknown)"},
      {3, 10, 0, "3 ({Unknown})"},
  };
  for (const auto& c : cases) {
    SysVersion v{c.platform, c.major, c.minor, 0, ""};
    EXPECT_EQ(c.text, MySysInfo::PlatformIdText(v));
  }
}

TEST(SysInfoTexts, ProcessorNamesColourDepthsAndNumbers) {
  EXPECT_EQ("0 (PROCESSOR_ARCHITECTURE_INTEL)", MySysInfo::ProcessorArchitectureText(0));
  EXPECT_EQ("6 (PROCESSOR_ARCHITECTURE_IA64)", MySysInfo::ProcessorArchitectureText(6));
  EXPECT_EQ("7 (PROCESSOR_ARCHITECTURE_ALPHA64)", MySysInfo::ProcessorArchitectureText(7));
  EXPECT_EQ("9 ({Unknown})", MySysInfo::ProcessorArchitectureText(9));
  const struct {
    DWord type;
    const char* text;
  } types[] = {{386, "386 (PROCESSOR_INTEL_386)"},   {586, "586 (PROCESSOR_INTEL_PENTIUM)"},
               {103, "103 (PROCESSOR_SHx_SH3)"},     {10004, "10004 (PROCESSOR_HITACHI_SH3E)"},
               {2577, "2577 (PROCESSOR_STRONGARM)"}, {70001, "70001 (PROCESSOR_ARM_7TDMI)"},
               {8664, "8664 ({Unknown})"},           {0, "0 ({Unknown})"}};
  for (const auto& t : types) EXPECT_EQ(t.text, MySysInfo::ProcessorTypeText(t.type));
  const struct {
    int bits;
    const char* text;
  } depths[] = {{4, "16 colors"},     {8, "256 colors"},           {15, "Unknown: 15"}, {16, "16-bit color"},
                {24, "24-bit color"}, {32, "32-bit (true color)"}, {1, "Unknown: 1"}};
  for (const auto& d : depths) EXPECT_EQ(d.text, MySysInfo::ColorDepthText(d.bits));
  EXPECT_EQ("45%", MySysInfo::PercentText(45));
  EXPECT_EQ("1,073,741,824 bytes", MySysInfo::BytesText(1073741824));
  EXPECT_EQ("0 bytes", MySysInfo::BytesText(0));
  EXPECT_EQ("12,345,678 kilobytes", MySysInfo::KilobytesText(12345678));
}

TEST_F(SysInfoTest, EveryEntryInItsOrderAndFormat) {
  const auto entries = Load();
  std::vector<std::string> keys;
  for (const auto& e : entries) keys.push_back(e.first);
  const std::vector<std::string> expected = {"OS - PlatformId",
                                             "OS - Build Number",
                                             "OS - MajorVersion",
                                             "OS - MinorVersion",
                                             "OS - CSDVersion",
                                             "Processor - Architecture",
                                             "Processor - PageSize",
                                             "Processor - MinimumApplicationAddress",
                                             "Processor - MaximumApplicationAddress",
                                             "Processor - ActiveProcessorMask",
                                             "Processor - NumberOfProcessors",
                                             "Processor - ProcessorType",
                                             "Processor - AllocationGranularity",
                                             "Processor - ProcessorLevel",
                                             "Processor - ProcessorRevision",
                                             "Memory - MemoryLoad",
                                             "Memory - TotalPhys",
                                             "Memory - AvailPhys",
                                             "Memory - TotalPageFile",
                                             "Memory - AvailPageFile",
                                             "Memory - TotalVirtual",
                                             "Memory - AvailVirtual",
                                             "C: free space",
                                             "D: free space",
                                             "Video - Color Depth",
                                             "App - File Description",
                                             "App - Product Version",
                                             "App - Comments",
                                             "App - Path",
                                             "App - Size",
                                             "App - Date Created",
                                             "App - Current Checksum"};
  if (!test::kDllDir) GTEST_SKIP() << "no test DLLs";
  EXPECT_EQ(expected, keys);
  EXPECT_EQ("2 (VER_PLATFORM_WIN32_NT) (WinXP)", Value(entries, "OS - PlatformId"));
  EXPECT_EQ("2600", Value(entries, "OS - Build Number"));
  EXPECT_EQ("Service Pack 2", Value(entries, "OS - CSDVersion"));
  EXPECT_EQ("4096", Value(entries, "Processor - PageSize"));
  EXPECT_EQ("3", Value(entries, "Processor - ActiveProcessorMask"));
  EXPECT_EQ("586 (PROCESSOR_INTEL_PENTIUM)", Value(entries, "Processor - ProcessorType"));
  EXPECT_EQ("0x00000F02", Value(entries, "Processor - ProcessorRevision"));
  EXPECT_EQ("45%", Value(entries, "Memory - MemoryLoad"));
  EXPECT_EQ("2,147,483,648 bytes", Value(entries, "Memory - TotalPageFile"));
  EXPECT_EQ("12,345,678 kilobytes", Value(entries, "C: free space"));
  EXPECT_EQ("0 kilobytes", Value(entries, "D: free space"));  // its query failed
  EXPECT_EQ((std::vector<std::string>{"C:\\", "D:\\"}), source.roots);
  EXPECT_EQ((std::vector<bool>{true, true}), source.extended);
  EXPECT_EQ("32-bit (true color)", Value(entries, "Video - Color Depth"));
  EXPECT_EQ("English test DLL", Value(entries, "App - File Description"));
  EXPECT_EQ("2.0.65535.7", Value(entries, "App - Product Version"));
  EXPECT_EQ("Test library with a version resource", Value(entries, "App - Comments"));
  EXPECT_EQ(test::TestDll("english.dll"), Value(entries, "App - Path"));
  const std::string bytes = test::ReadFile(test::TestDll("english.dll"));
  EXPECT_EQ(Generic::FormatThousands(static_cast<long long>(bytes.size())) + " bytes",
            Value(entries, "App - Size"));
  EXPECT_EQ(19u, Value(entries, "App - Date Created").size());
  EXPECT_EQ('/', Value(entries, "App - Date Created")[4]);
  const std::uint32_t sum =
      PeChecksum::Compute(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  EXPECT_EQ(Generic::FormatThousands(sum), Value(entries, "App - Current Checksum"));
}

TEST_F(SysInfoTest, OlderSystemsAndTheirDriveQuery) {
  const struct {
    DWord platform, build;
    bool bExtended;
    const char* buildText;
  } cases[] = {{1, (4u << 24) | (10u << 16) | 2222u, true, "2222"},
               {1, (4u << 24) | 950u, false, "950"},
               {0, 1, false, "0"},
               {2, 1381, true, "1381"}};
  for (const auto& c : cases) {
    source.version = SysVersion{c.platform, 4, 10, c.build, ""};
    source.resources = SysInfoSource::kNoResourceLibrary;
    source.extended.clear();
    const auto entries = Load();
    EXPECT_EQ(c.buildText, Value(entries, "OS - Build Number")) << c.platform;
    EXPECT_EQ(c.platform == 0 ? "0" : "4", Value(entries, "OS - MajorVersion"));
    ASSERT_EQ(2u, source.extended.size());
    EXPECT_EQ(c.bExtended, source.extended[0]) << c.platform << " " << c.build;
  }
  EXPECT_NE(std::string::npos,
            log.Messages().find("Error loading rsrc32.dll. You must run this under Win9x only "
                                "and with the resource meter installed.\n"));
}

TEST_F(SysInfoTest, Windows9xFreeResources) {
  source.version = SysVersion{1, 4, 10, 2222, ""};
  auto entries = Load();
  EXPECT_EQ("70%", Value(entries, "Free Resources - System"));
  EXPECT_EQ("71%", Value(entries, "Free Resources - GDI"));
  EXPECT_EQ("72%", Value(entries, "Free Resources - User"));
  source.resources = SysInfoSource::kNoResourceFunction;
  entries = Load();
  EXPECT_EQ("<missing>", Value(entries, "Free Resources - System"));
  EXPECT_NE(std::string::npos,
            log.Messages().find("GetProcAddress for _MyGetFreeSystemResources32@4 failed.\n"));
  // Not asked on the NT family.
  source.version = SysVersion{2, 5, 1, 2600, ""};
  source.resources = SysInfoSource::kResourceOk;
  EXPECT_EQ("<missing>", Value(Load(), "Free Resources - GDI"));
}

TEST_F(SysInfoTest, AFailingQueryEndsTheCollection) {
  source.bMemoryOk = false;
  const auto entries = Load(kEFail);
  ASSERT_EQ(15u, entries.size());
  EXPECT_EQ("Processor - ProcessorRevision", entries.back().first);
  const std::string text = log.Messages();
  EXPECT_NE(std::string::npos, text.find("<::GlobalMemoryStatus(&ms)> failed with error"));
  EXPECT_NE(
      std::string::npos,
      text.find("EC_ skipped executing <m_list.AddTail(new KeyValue(\"Memory - MemoryLoad\", sValue))>.\n"));
  EXPECT_NE(std::string::npos, text.find("EC_ skipped executing <fv.Open(sModulePath, bHasVersionInfo)>.\n"));
  EXPECT_NE(std::string::npos, text.find("<<< MySysInfo::LoadInfo()\n"));

  source.bMemoryOk = true;
  source.bScreenOk = false;
  const auto noScreen = Load(kEFail);
  EXPECT_EQ("D: free space", noScreen.back().first);
  EXPECT_NE(std::string::npos, log.Messages().find("<NULL != (hDC = GetDC(NULL))> failed with error"));
}

TEST_F(SysInfoTest, AMissingExecutableIsNamedAndLeavesTheEarlierEntries) {
  test::TempDir dir;
  SystemApi::SetModuleFileNameOverride(dir.File("gone.exe"));
  const auto entries = Load(kEFail);
  EXPECT_EQ("App - Comments", entries.back().first);  // a file without version information
  EXPECT_EQ("<missing>", Value(entries, "App - Path"));
  const std::string text = log.Messages();
  EXPECT_NE(std::string::npos, text.find("<ff.FindFile(sModulePath)> failed with error"));
  EXPECT_NE(std::string::npos, text.find("   * sModulePath is <" + dir.File("gone.exe") + ">.\n"));
}

TEST_F(SysInfoTest, TheSettingsKeyAndEachEntryReachTheLogWithOnePercentSign) {
  {
    MyRegistry reg(Registry::kCurrentUser, "Software\\Kestrove\\Tarvolin 2.0", true);
    ASSERT_TRUE(reg.SaveValueInt("ProgramRunCounter", 1));
  }
  MySysInfo info(source);
  info.LoadInfo("");
  info.LogInfo();
  const std::string text = log.Messages();
  EXPECT_NE(std::string::npos, text.find(">>> MySysInfo::LoadInfo\n"));
  EXPECT_NE(std::string::npos, text.find("ProgramRunCounter"));
  EXPECT_LT(text.find("ProgramRunCounter"), text.find("<<< MySysInfo::LoadInfo()"));
  EXPECT_NE(std::string::npos, text.find(">>> MySysInfo::LogInfo\n"));
  EXPECT_NE(std::string::npos, text.find("Memory - MemoryLoad:\t45%\n")) << text;
  EXPECT_EQ(std::string::npos, text.find("45%%"));
  EXPECT_NE(std::string::npos, text.find("OS - PlatformId:\t2 (VER_PLATFORM_WIN32_NT) (WinXP)\n"));
  EXPECT_NE(std::string::npos, text.find("C: free space:\t12,345,678 kilobytes\n"));
  EXPECT_EQ(std::string::npos, text.find("A: free space"));
  // A value holding a conversion of the log's own is written as it is.
  EXPECT_EQ("K:\t100%% %%s%%d\n", MySysInfo::LogLineFormat(KeyValue("K", "100% %s%d")));
}

}  // namespace
