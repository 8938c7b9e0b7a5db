// Directory tests and creation, and the long form of a path.
#include <cctype>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/files/FileSystem.h"
#include "common/files/GenericFiles.h"

namespace Generic {
namespace {

constexpr unsigned kDriveUnknown = 0;
constexpr unsigned kDriveNoRootDir = 1;

bool IsDrive(const std::string& path) {
  return path.size() == 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

}  // namespace

bool IsDirectory(const std::string& path) {
  std::string sPath = path;
  while (!sPath.empty() && (sPath.back() == ' ' || sPath.back() == '\\')) sPath.pop_back();
  if (IsDrive(sPath)) {
    const unsigned type = FileSystem::GetDriveType(sPath);
    return type != kDriveUnknown && type != kDriveNoRootDir;
  }
  FileSystem::FindData status;
  return FileSystem::FindFirst(sPath, status) && status.isDirectory;
}

int CreateDirectory(const std::string& sPath) {
  if (IsDirectory(sPath)) return 0;
  HResult hr = kSOk;
  if (sPath.find('\\') != std::string::npos) {
    EC_B(hr, 0 == Generic::CreateDirectory(Generic::GetDirectory(sPath)));
  }
  EC_B(hr, FileSystem::CreateOneDirectory(sPath));
  return Succeeded(hr) ? 0 : 1;
}

HResult GetLongPathName(const std::string& shortPath, std::string& longPath) {
  FileSystem::FindData found;
  if (!FileSystem::FindFirst(shortPath, found)) return kEFail;
  std::string result = found.name;
  std::string ancestor = shortPath;
  for (;;) {
    const auto slash = ancestor.rfind('\\');
    if (slash == std::string::npos) break;
    ancestor.erase(slash);
    if (IsDrive(ancestor)) {
      result = ancestor + "\\" + result;
      break;
    }
    if (!FileSystem::FindFirst(ancestor, found)) {
      result = ancestor + "\\" + result;
      break;
    }
    result = found.name + "\\" + result;
  }
  longPath = result;
  return kSOk;
}

}  // namespace Generic
