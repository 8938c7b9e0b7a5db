#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "common/base/SystemApi.h"
#include "common/files/FileStamp.h"

namespace {

std::int64_t Ticks(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * FileStamp::kTicksPerSecond + time.tv_nsec / 100;
}

}  // namespace

bool FileStamp::Of(std::FILE* file, FileStamp& stamp) {
  struct stat st {};
  if (!file || fstat(fileno(file), &st) != 0) {
    SystemApi::SetLastError(6);  // ERROR_INVALID_HANDLE
    return false;
  }
  stamp.volume = static_cast<std::uint64_t>(st.st_dev);
  stamp.index = static_cast<std::uint64_t>(st.st_ino);
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.modified = Ticks(st.st_mtim);
  stamp.changed = Ticks(st.st_ctim);
  return true;
}

std::int64_t FileStamp::Now() {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  return Ticks(now);
}
