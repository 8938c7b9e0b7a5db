// Hue, lightness and saturation on the 0-240 scale of the system's colour
// dialog, turned into red, green and blue.
#include "common/ui/GenericColors.h"

namespace Generic {
namespace {

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;

int HueToRgb(int n1, int n2, int hue) {
  if (hue < 0) hue += kHlsMax;
  if (hue > kHlsMax) hue -= kHlsMax;
  if (hue < kHlsMax / 6) return n1 + ((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6);
  if (hue < kHlsMax / 2) return n2;
  if (hue < kHlsMax * 2 / 3) return n1 + ((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
  return n1;
}

DWord Clamp(int component) {
  return static_cast<DWord>(component < 0 ? 0 : (component > kRgbMax ? kRgbMax : component));
}

}  // namespace

DWord HLSToRGB(int hue, int lightness, int saturation) {
  int red, green, blue;
  if (saturation == 0) {
    red = green = blue = lightness * kRgbMax / kHlsMax;
  } else {
    const int magic2 = lightness <= kHlsMax / 2
                           ? (lightness * (kHlsMax + saturation) + kHlsMax / 2) / kHlsMax
                           : lightness + saturation - (lightness * saturation + kHlsMax / 2) / kHlsMax;
    const int magic1 = 2 * lightness - magic2;
    red = (HueToRgb(magic1, magic2, hue + kHlsMax / 3) * kRgbMax + kHlsMax / 2) / kHlsMax;
    green = (HueToRgb(magic1, magic2, hue) * kRgbMax + kHlsMax / 2) / kHlsMax;
    blue = (HueToRgb(magic1, magic2, hue - kHlsMax / 3) * kRgbMax + kHlsMax / 2) / kHlsMax;
  }
  return Clamp(red) | (Clamp(green) << 8) | (Clamp(blue) << 16);
}

}  // namespace Generic
