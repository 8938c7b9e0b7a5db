#include "common/ProgramVersion.h"

#include "common/ErrorCheck.h"
#include "common/Generic.h"
#include "common/MyFileVersion.h"
#include "common/SystemApi.h"

std::string GetRunningVersion(HResult& hr) {
  std::string sAppPath;
  MyFileVersion fileVersion;
  bool bHasVersionInfo = false;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  EC_H(hr, fileVersion.Open(sAppPath, bHasVersionInfo));
  return Succeeded(hr) && bHasVersionInfo ? fileVersion.GetFileVersion() : std::string();
}

std::string GetProgramDirectory() { return Generic::GetDirectory(SystemApi::GetModuleFileName()); }
