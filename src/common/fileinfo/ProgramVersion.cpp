#include "common/fileinfo/ProgramVersion.h"

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/fileinfo/MyFileVersion.h"

std::string GetRunningVersion(HResult& hr) {
  std::string sAppPath;
  MyFileVersion fileVersion;
  bool bHasVersionInfo = false;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  EC_H(hr, fileVersion.Open(sAppPath, bHasVersionInfo));
  return Succeeded(hr) && bHasVersionInfo ? fileVersion.GetFileVersion() : std::string();
}

std::string GetProgramDirectory() { return Generic::GetDirectory(SystemApi::GetModuleFileName()); }
