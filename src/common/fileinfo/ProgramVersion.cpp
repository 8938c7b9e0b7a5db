#include "common/fileinfo/ProgramVersion.h"

#include <mutex>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/fileinfo/MyFileVersion.h"

namespace {

// The version last read, and the executable it was read from.
struct KeptVersion {
  std::mutex mutex;
  std::string sAppPath;
  std::string sVersion;
};

KeptVersion& Kept() {
  static KeptVersion kept;
  return kept;
}

}  // namespace

std::string GetRunningVersion(HResult& hr) {
  std::string sAppPath;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  KeptVersion& kept = Kept();
  if (Succeeded(hr)) {
    const std::lock_guard<std::mutex> lock(kept.mutex);
    if (!kept.sVersion.empty() && kept.sAppPath == sAppPath) return kept.sVersion;
  }

  MyFileVersion fileVersion;
  bool bHasVersionInfo = false;
  EC_H(hr, fileVersion.Open(sAppPath, bHasVersionInfo));
  if (Failed(hr) || !bHasVersionInfo) return std::string();
  const std::string sVersion = fileVersion.GetFileVersion();
  const std::lock_guard<std::mutex> lock(kept.mutex);
  kept.sAppPath = sAppPath;
  kept.sVersion = sVersion;
  return sVersion;
}

std::string GetProgramDirectory() { return Generic::GetDirectory(SystemApi::GetModuleFileName()); }
