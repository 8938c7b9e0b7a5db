// The platform facts behind the system description, one query each, so the
// description's order, formats and failure rules can be tried with any facts.
#pragma once

#include <cstdint>
#include <string>

#include "common/base/Types.h"

struct SysVersion {
  DWord platformId = 0;  // 0 Win32s, 1 Windows 9x, 2 NT family
  DWord major = 0;
  DWord minor = 0;
  DWord build = 0;  // as reported: on Windows 9x the high word holds the version
  std::string csd;  // service-pack text
};

struct SysProcessor {
  unsigned architecture = 0;
  DWord pageSize = 0;
  std::uintptr_t minimumApplicationAddress = 0;
  std::uintptr_t maximumApplicationAddress = 0;
  std::uintptr_t activeProcessorMask = 0;
  DWord numberOfProcessors = 0;
  DWord processorType = 0;
  DWord allocationGranularity = 0;
  unsigned processorLevel = 0;
  unsigned processorRevision = 0;
};

struct SysMemory {
  DWord memoryLoad = 0;  // per cent in use
  std::uint64_t totalPhys = 0, availPhys = 0;
  std::uint64_t totalPageFile = 0, availPageFile = 0;
  std::uint64_t totalVirtual = 0, availVirtual = 0;
};

class SysInfoSource {
 public:
  virtual ~SysInfoSource() = default;

  virtual bool GetVersion(SysVersion& version) = 0;
  virtual bool GetProcessor(SysProcessor& processor) = 0;
  virtual bool GetMemory(SysMemory& memory) = 0;
  // Bit 0 for A:, bit 1 for B:, ...
  virtual DWord GetLogicalDrives() = 0;
  // Free kilobytes for the calling user on the root "X:\": the extended
  // query, or the older one by clusters; false when the query fails.
  virtual bool GetFreeKilobytes(const std::string& root, bool bExtended, std::uint64_t& kilobytes) = 0;
  // Windows 9x resource meter: 0 success, 1 library missing, 2 function missing.
  enum ResourceResult { kResourceOk = 0, kNoResourceLibrary = 1, kNoResourceFunction = 2 };
  virtual ResourceResult GetFreeResources(int which, int& percent) = 0;
  // Bits per pixel times colour planes of the screen; false without a screen.
  virtual bool GetScreenDepth(int& bits) = 0;

  // The platform's facts (win/ and posix/).
  static SysInfoSource& Default();
};
