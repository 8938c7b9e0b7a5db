// POSIX file-system primitives: back-slashes in program paths become
// slashes, errno values become the Windows error numbers.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/base/SystemApi.h"
#include "common/files/FileSystem.h"

namespace FileSystem {
namespace {

std::string Native(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

void SetErrorFromErrno() {
  DWord code = 31;  // ERROR_GEN_FAILURE
  switch (errno) {
    case ENOENT: code = 2; break;
    case ENOTDIR: code = 3; break;
    case EACCES:
    case EPERM: code = 5; break;
    case EEXIST: code = 183; break;
    case ENOSPC: code = 112; break;
    case ENOTEMPTY: code = 145; break;
    case EINVAL: code = 87; break;
    case ENAMETOOLONG: code = 206; break;
    default: break;
  }
  SystemApi::SetLastError(code);
}

bool Fill(const std::string& nativePath, const std::string& name, FindData& found) {
  struct stat st {};
  if (stat(nativePath.c_str(), &st) != 0) return false;
  found.name = name;
  found.size = static_cast<std::uint64_t>(st.st_size);
  found.isDirectory = S_ISDIR(st.st_mode);
  found.modified = st.st_mtime;
  found.created = st.st_ctime;
  return true;
}

}  // namespace

std::FILE* OpenFile(const std::string& path, const char* mode) {
  std::FILE* f = std::fopen(Native(path).c_str(), mode);
  if (!f) SetErrorFromErrno();
  return f;
}

void KeepRuntimeError() { SetErrorFromErrno(); }

bool FindFirst(const std::string& path, FindData& found) {
  const std::string native = Native(path);
  const auto slash = native.find_last_of('/');
  const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : native.substr(0, slash));
  const std::string pattern = slash == std::string::npos ? native : native.substr(slash + 1);
  if (pattern.find_first_of("*?") == std::string::npos) {
    if (!pattern.empty() && Fill(native, pattern, found)) return true;
    SystemApi::SetLastError(2);
    return false;
  }
  DIR* d = opendir(dir.c_str());
  if (!d) {
    SetErrorFromErrno();
    return false;
  }
  bool bFound = false;
  while (dirent* e = readdir(d)) {
    if (fnmatch(pattern.c_str(), e->d_name, 0) == 0 && Fill(dir + "/" + e->d_name, e->d_name, found)) {
      bFound = true;
      break;
    }
  }
  closedir(d);
  if (!bFound) SystemApi::SetLastError(2);
  return bFound;
}

bool DeleteFile(const std::string& path) {
  if (unlink(Native(path).c_str()) == 0) return true;
  SetErrorFromErrno();
  return false;
}

bool MoveFile(const std::string& from, const std::string& to) {
  const std::string target = Native(to);
  if (access(target.c_str(), F_OK) == 0) {
    SystemApi::SetLastError(183);
    return false;
  }
  if (std::rename(Native(from).c_str(), target.c_str()) == 0) return true;
  SetErrorFromErrno();
  return false;
}

bool MoveFileReplacing(const std::string& from, const std::string& to) {
  if (std::rename(Native(from).c_str(), Native(to).c_str()) == 0) return true;
  SetErrorFromErrno();
  return false;
}

bool CreateOneDirectory(const std::string& path) {
  if (mkdir(Native(path).c_str(), 0777) == 0) return true;
  SetErrorFromErrno();
  return false;
}

bool RemoveOneDirectory(const std::string& path) {
  if (rmdir(Native(path).c_str()) == 0) return true;
  SetErrorFromErrno();
  return false;
}

unsigned GetDriveType(const std::string& drive) {
  // No drive letters here: only "/" style roots exist.
  return drive == "/" ? 3u : 1u;
}

}  // namespace FileSystem
