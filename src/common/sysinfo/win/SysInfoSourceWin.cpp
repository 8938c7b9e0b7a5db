#include <windows.h>

#include "common/sysinfo/SysInfoSource.h"

namespace {

class WinSysInfoSource : public SysInfoSource {
 public:
  bool GetVersion(SysVersion& version) override {
    OSVERSIONINFOA osvi{};
    osvi.dwOSVersionInfoSize = sizeof osvi;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&osvi)) return false;
#pragma GCC diagnostic pop
    version.platformId = osvi.dwPlatformId;
    version.major = osvi.dwMajorVersion;
    version.minor = osvi.dwMinorVersion;
    version.build = osvi.dwBuildNumber;
    version.csd = osvi.szCSDVersion;
    return true;
  }

  bool GetProcessor(SysProcessor& p) override {
    SYSTEM_INFO si{};
    ::GetSystemInfo(&si);
    p.architecture = si.wProcessorArchitecture;
    p.pageSize = si.dwPageSize;
    p.minimumApplicationAddress = reinterpret_cast<std::uintptr_t>(si.lpMinimumApplicationAddress);
    p.maximumApplicationAddress = reinterpret_cast<std::uintptr_t>(si.lpMaximumApplicationAddress);
    p.activeProcessorMask = static_cast<std::uintptr_t>(si.dwActiveProcessorMask);
    p.numberOfProcessors = si.dwNumberOfProcessors;
    p.processorType = si.dwProcessorType;
    p.allocationGranularity = si.dwAllocationGranularity;
    p.processorLevel = si.wProcessorLevel;
    p.processorRevision = si.wProcessorRevision;
    return true;
  }

  bool GetMemory(SysMemory& m) override {
    MEMORYSTATUSEX ms{};
    ms.dwLength = sizeof ms;
    if (!::GlobalMemoryStatusEx(&ms)) return false;
    m.memoryLoad = ms.dwMemoryLoad;
    m.totalPhys = ms.ullTotalPhys;
    m.availPhys = ms.ullAvailPhys;
    m.totalPageFile = ms.ullTotalPageFile;
    m.availPageFile = ms.ullAvailPageFile;
    m.totalVirtual = ms.ullTotalVirtual;
    m.availVirtual = ms.ullAvailVirtual;
    return true;
  }

  DWord GetLogicalDrives() override { return ::GetLogicalDrives(); }

  bool GetFreeKilobytes(const std::string& root, bool bExtended, std::uint64_t& kilobytes) override {
    // A drive without a medium must fail quietly, not ask the user.
    const UINT uPrevious = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    bool bOk;
    if (bExtended) {
      ULARGE_INTEGER available{}, total{}, free{};
      bOk = ::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free) != 0;
      if (bOk) kilobytes = available.QuadPart / 1024;
    } else {
      DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
      bOk = ::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                                &clusters) != 0;
      if (bOk) kilobytes = std::uint64_t{freeClusters} * sectorsPerCluster * bytesPerSector / 1024;
    }
    ::SetErrorMode(uPrevious);
    return bOk;
  }

  ResourceResult GetFreeResources(int which, int& percent) override {
    HMODULE hLib = ::LoadLibraryA("RSRC32.DLL");
    if (!hLib) return kNoResourceLibrary;
    using Fn = int(WINAPI*)(int);
    auto pFn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(hLib, "_MyGetFreeSystemResources32@4")));
    ResourceResult result = kNoResourceFunction;
    if (pFn) {
      percent = pFn(which);
      result = kResourceOk;
    }
    ::FreeLibrary(hLib);
    return result;
  }

  bool GetScreenDepth(int& bits) override {
    HDC hDC = ::GetDC(nullptr);
    if (!hDC) return false;
    bits = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
    ::ReleaseDC(nullptr, hDC);
    return true;
  }
};

}  // namespace

SysInfoSource& SysInfoSource::Default() {
  static WinSysInfoSource source;
  return source;
}
