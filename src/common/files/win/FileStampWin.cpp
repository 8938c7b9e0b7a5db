#include <windows.h>
#include <io.h>
#include <winternl.h>

#include "common/base/SystemApi.h"
#include "common/files/FileStamp.h"

namespace {

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 |
                                   time.dwLowDateTime);
}

// The file's index on its volume, as GetFileInformationByHandle gives it,
// from the system's file information query (FileInternalInformation).
// GetFileInformationByHandle also asks for the volume's serial number, and
// under Wine that is a round trip to the mount manager costing some 0.7 ms,
// a hundred times the rest of the stamp; the lists are stamped at every
// lookup. The path being the same, the volume is taken as the same.
bool FileIndex(HANDLE file, std::uint64_t& index) {
  using QueryInformationFile =
      NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, FILE_INFORMATION_CLASS);
  static const auto pQuery = reinterpret_cast<QueryInformationFile>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
  if (pQuery) {
    LARGE_INTEGER internal{};  // FILE_INTERNAL_INFORMATION: the index alone
    IO_STATUS_BLOCK status{};
    if (pQuery(file, &status, &internal, sizeof internal, FileInternalInformation) >= 0) {
      index = static_cast<std::uint64_t>(internal.QuadPart);
      return true;
    }
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(file, &info)) return false;
  index = static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  return true;
}

}  // namespace

bool FileStamp::Of(std::FILE* file, FileStamp& stamp) {
  const intptr_t osHandle = file ? _get_osfhandle(_fileno(file)) : -1;
  const HANDLE handle = reinterpret_cast<HANDLE>(osHandle);
  LARGE_INTEGER size{};
  FILETIME created{}, accessed{}, written{};
  std::uint64_t index = 0;
  if (osHandle == -1 || !FileIndex(handle, index) || !::GetFileSizeEx(handle, &size) ||
      !::GetFileTime(handle, &created, &accessed, &written)) {
    SystemApi::SetLastError(osHandle == -1 ? ERROR_INVALID_HANDLE : ::GetLastError());
    return false;
  }
  stamp.volume = 0;
  stamp.index = index;
  stamp.size = static_cast<std::uint64_t>(size.QuadPart);
  stamp.modified = Ticks(written);
  stamp.changed = Ticks(created);
  return true;
}

std::int64_t FileStamp::Now() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return Ticks(now);
}
