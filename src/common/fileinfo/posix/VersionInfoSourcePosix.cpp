// Without the system's version functions, the PE reader stands in.
#include "common/fileinfo/PeVersionSource.h"

VersionInfoSource& VersionInfoSource::Default() {
  static PeVersionSource source;
  return source;
}
