// Outside Windows the description reports what the POSIX system tells:
// the kernel as platform 2, the processors, the memory and the root file
// system (as drive C:), and a screen depth of 0.
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>

#include "common/sysinfo/SysInfoSource.h"

namespace {

class PosixSysInfoSource : public SysInfoSource {
 public:
  bool GetVersion(SysVersion& version) override {
    utsname u{};
    if (::uname(&u) != 0) return false;
    unsigned major = 0, minor = 0, build = 0;
    std::sscanf(u.release, "%u.%u.%u", &major, &minor, &build);
    version.platformId = 2;
    version.major = major;
    version.minor = minor;
    version.build = build;
    version.csd = u.version;
    return true;
  }

  bool GetProcessor(SysProcessor& p) override {
    p.architecture = 9;  // the AMD64 number: no name in the description's table
    p.pageSize = static_cast<DWord>(::sysconf(_SC_PAGESIZE));
    p.allocationGranularity = p.pageSize;
    const long n = ::sysconf(_SC_NPROCESSORS_ONLN);
    p.numberOfProcessors = n > 0 ? static_cast<DWord>(n) : 1;
    p.activeProcessorMask =
        p.numberOfProcessors >= 64 ? ~std::uintptr_t{0} : (std::uintptr_t{1} << p.numberOfProcessors) - 1;
    return true;
  }

  bool GetMemory(SysMemory& m) override {
    struct sysinfo si {};
    if (::sysinfo(&si) != 0) return false;
    const std::uint64_t unit = si.mem_unit ? si.mem_unit : 1;
    m.totalPhys = si.totalram * unit;
    m.availPhys = si.freeram * unit;
    m.totalPageFile = si.totalswap * unit;
    m.availPageFile = si.freeswap * unit;
    m.memoryLoad = m.totalPhys ? static_cast<DWord>(100 - m.availPhys * 100 / m.totalPhys) : 0;
    return true;
  }

  DWord GetLogicalDrives() override { return 1u << 2; }  // C: stands for "/"

  bool GetFreeKilobytes(const std::string&, bool, std::uint64_t& kilobytes) override {
    struct statvfs s {};
    if (::statvfs("/", &s) != 0) return false;
    kilobytes = std::uint64_t{s.f_bavail} * s.f_frsize / 1024;
    return true;
  }

  ResourceResult GetFreeResources(int, int&) override { return kNoResourceLibrary; }
  bool GetScreenDepth(int& bits) override {
    bits = 0;  // no screen of the Windows kind: "Unknown: 0"
    return true;
  }
};

}  // namespace

SysInfoSource& SysInfoSource::Default() {
  static PosixSysInfoSource source;
  return source;
}
