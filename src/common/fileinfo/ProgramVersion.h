// The running executable's own version.
#pragma once

#include <string>

#include "common/base/Types.h"

// The fixed file version of the running executable ("2.0.0.23"), or "" when
// it has none. Both steps are guarded steps of the caller's running result.
// The executable does not change while it runs: a version once read is kept
// for the rest of the run and handed out again without reading the file
// (for as long as the executable's path stays the same). A failed read, or
// one that found no version, is not kept: the next call reads again.
std::string GetRunningVersion(HResult& hr);

// The directory of the running executable, without a trailing back-slash.
std::string GetProgramDirectory();
