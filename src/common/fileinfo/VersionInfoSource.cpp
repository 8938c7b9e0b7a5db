#include "common/fileinfo/VersionInfoSource.h"

bool FixedFileInfo::Decode(const std::uint8_t* bytes, unsigned length) {
  if (!bytes || length < kSize) return false;
  DWord* const fields[] = {&dwSignature,        &dwStrucVersion,     &dwFileVersionMS, &dwFileVersionLS,
                           &dwProductVersionMS, &dwProductVersionLS, &dwFileFlagsMask, &dwFileFlags,
                           &dwFileOS,           &dwFileType,         &dwFileSubtype,   &dwFileDateMS,
                           &dwFileDateLS};
  for (DWord* field : fields) {
    *field = static_cast<DWord>(bytes[0]) | static_cast<DWord>(bytes[1]) << 8 |
             static_cast<DWord>(bytes[2]) << 16 | static_cast<DWord>(bytes[3]) << 24;
    bytes += 4;
  }
  return true;
}
