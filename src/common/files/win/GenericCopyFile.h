// The shell's file copy.
#pragma once

#include <windows.h>

#include <string>

#include "common/base/Types.h"
#include "common/base/WinNameMacros.h"

namespace Generic {

// Copies with the shell (undo allowed; the shell may show its own progress
// or confirmation). A copy the user cancelled fails.
HResult CopyFile(const std::string& from, const std::string& to);

}  // namespace Generic
