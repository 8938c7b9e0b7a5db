// What tells one version of an open file from another without reading it:
// its identity on the volume, its size and its times. Writing, truncating or
// replacing the file gives it a new stamp, with one exception: a write within
// the same tick of the file system's clock as the last one may leave the
// times as they were (FileSnapshot allows for that).
#pragma once

#include <cstdint>
#include <cstdio>

struct FileStamp {
  std::uint64_t volume = 0;  // the device (POSIX); 0 on Windows, where the path tells the volume
  std::uint64_t index = 0;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // last write, in ticks (below)
  std::int64_t changed = 0;   // status change (POSIX) or creation (Windows), in ticks

  // Times are counted in 100-nanosecond ticks from the platform's epoch.
  static constexpr std::int64_t kTicksPerSecond = 10000000;

  // The stamp of an open file; false with the reason in SystemApi::GetLastError().
  static bool Of(std::FILE* file, FileStamp& stamp);
  // The current time, in the ticks and epoch of the file times.
  static std::int64_t Now();

  bool operator==(const FileStamp& other) const {
    return volume == other.volume && index == other.index && size == other.size &&
           modified == other.modified && changed == other.changed;
  }
  bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
