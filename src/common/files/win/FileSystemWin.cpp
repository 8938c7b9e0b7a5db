// File-system primitives over the ANSI Win32 calls; the C runtime for
// stream files.
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "common/files/FileSystem.h"

namespace FileSystem {
namespace {

// A search handle from FindFirstFile, closed once.
class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : m_h(h) {}
  ~FindHandle() {
    if (IsValid()) ::FindClose(m_h);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool IsValid() const { return m_h != INVALID_HANDLE_VALUE; }

 private:
  HANDLE m_h;
};

std::time_t ToTimeT(const FILETIME& ft) {
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  // 100-ns ticks since 1601 to seconds since 1970.
  constexpr ULONGLONG kEpochDifference = 116444736000000000ull;
  if (t.QuadPart < kEpochDifference) return 0;
  return static_cast<std::time_t>((t.QuadPart - kEpochDifference) / 10000000ull);
}

}  // namespace

bool FindFirst(const std::string& path, FindData& found) {
  WIN32_FIND_DATAA fd{};
  FindHandle h(::FindFirstFileA(path.c_str(), &fd));
  if (!h.IsValid()) return false;
  found.name = fd.cFileName;
  found.size = (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
  found.isDirectory = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  found.modified = ToTimeT(fd.ftLastWriteTime);
  found.created = ToTimeT(fd.ftCreationTime);
  return true;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  _doserrno = 0;
  std::FILE* f = std::fopen(path.c_str(), mode);
  if (!f) {
    // The C runtime keeps the system's error number for failed opens.
    if (_doserrno != 0) ::SetLastError(static_cast<DWORD>(_doserrno));
  }
  return f;
}

void KeepRuntimeError() {
  // A failed WriteFile leaves its error with the thread and in _doserrno;
  // errno alone is all the runtime keeps of a full buffer it could not flush.
  DWORD error = ::GetLastError();
  if (error == ERROR_SUCCESS) error = static_cast<DWORD>(_doserrno);
  if (error == ERROR_SUCCESS) error = errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
  ::SetLastError(error);
}

bool DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool MoveFile(const std::string& from, const std::string& to) {
  return ::MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool MoveFileReplacing(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool CreateOneDirectory(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool RemoveOneDirectory(const std::string& path) { return ::RemoveDirectoryA(path.c_str()) != 0; }

unsigned GetDriveType(const std::string& drive) {
  // The call wants the root directory, with its back-slash.
  std::string root = drive;
  if (root.empty() || root.back() != '\\') root += '\\';
  return ::GetDriveTypeA(root.c_str());
}

}  // namespace FileSystem
