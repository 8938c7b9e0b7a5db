// The running executable's own version.
#pragma once

#include <string>

#include "common/base/Types.h"

// The fixed file version of the running executable ("2.0.0.23"), or "" when
// it has none. Both steps are guarded steps of the caller's running result.
std::string GetRunningVersion(HResult& hr);

// The directory of the running executable, without a trailing back-slash.
std::string GetProgramDirectory();
