#include <windows.h>
#include <io.h>

#include "common/base/SystemApi.h"
#include "common/files/FileStamp.h"

namespace {

std::int64_t Ticks(const FILETIME& time) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 |
                                   time.dwLowDateTime);
}

}  // namespace

bool FileStamp::Of(std::FILE* file, FileStamp& stamp) {
  const intptr_t osHandle = file ? _get_osfhandle(_fileno(file)) : -1;
  BY_HANDLE_FILE_INFORMATION info;
  if (osHandle == -1 || !::GetFileInformationByHandle(reinterpret_cast<HANDLE>(osHandle), &info)) {
    SystemApi::SetLastError(osHandle == -1 ? ERROR_INVALID_HANDLE : ::GetLastError());
    return false;
  }
  stamp.volume = info.dwVolumeSerialNumber;
  stamp.index = static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  stamp.size = static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  stamp.modified = Ticks(info.ftLastWriteTime);
  stamp.changed = Ticks(info.ftCreationTime);
  return true;
}

std::int64_t FileStamp::Now() {
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  return Ticks(now);
}
