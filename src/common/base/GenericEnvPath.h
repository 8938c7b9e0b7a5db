// Command-line path variables: *TEMP* for an environment variable, *D* and
// the other one-character prompt codes.
#pragma once

#include <string>

#include "common/base/Types.h"

namespace Generic {

HResult TranslateEnvPath(const std::string& in, std::string& out, char separator);

}  // namespace Generic
