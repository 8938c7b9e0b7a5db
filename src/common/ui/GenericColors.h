// Colour conversion for dialog and control colours.
#pragma once

#include "common/base/Types.h"

namespace Generic {

// Hue, lightness and saturation on the 0-240 scale, as 0x00BBGGRR.
DWord HLSToRGB(int hue, int lightness, int saturation);

}  // namespace Generic
