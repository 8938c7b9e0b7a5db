// Directory tests and creation, and the long form of a path.
#include <cctype>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
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

namespace {

// Makes the missing levels of `sPath`, the top one first; every level made
// here is added to `created`, in that order.
bool CreateMissingLevels(const std::string& sPath, std::vector<std::string>& created) {
  if (IsDirectory(sPath)) return true;
  HResult hr = kSOk;
  if (sPath.find('\\') != std::string::npos) {
    EC_B(hr, CreateMissingLevels(Generic::GetDirectory(sPath), created));
  }
  EC_B(hr, FileSystem::CreateOneDirectory(sPath));
  if (Succeeded(hr)) created.push_back(sPath);
  return Succeeded(hr);
}

}  // namespace

int CreateDirectory(const std::string& sPath) {
  std::vector<std::string> created;
  if (CreateMissingLevels(sPath, created)) return 0;
  // A failed call leaves nothing of its own behind: the levels it made go
  // again, the deepest first. Directories that were there before stay, and
  // so does a level someone else has put something into meanwhile.
  const DWord dwError = SystemApi::GetLastError();
  for (auto it = created.rbegin(); it != created.rend(); ++it) {
    if (!FileSystem::RemoveOneDirectory(*it)) {
      const DWord dwRemoveError = SystemApi::GetLastError();
      LOGW("Could not remove the directory <%s> made before the failure: error <%d>: <%s>.\n", *it,
           static_cast<int>(dwRemoveError), Generic::GetErrorText(dwRemoveError));
    }
  }
  SystemApi::SetLastError(dwError);
  return 1;
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
