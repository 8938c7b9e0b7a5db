// The system's texts for error numbers and HRESULTs.
#pragma once

#include <string>

#include "common/base/Types.h"

namespace Generic {

// 0 stands for the current last system error.
std::string GetErrorText(DWord code);
std::string GetHResultText(HResult hr);

}  // namespace Generic
