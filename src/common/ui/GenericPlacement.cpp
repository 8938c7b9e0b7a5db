// Remembering dialog positions under HKEY_CURRENT_USER\<placements>\<name>.
#include "common/ui/GenericPlacement.h"

#include "common/base/ErrorCheck.h"
#include "common/registry/MyRegistry.h"
#include "common/ui/PlacementWindow.h"

namespace {

void PutInt(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetInt(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

void WindowPlacementRecord::ToBytes(std::uint8_t (&bytes)[kSize]) const {
  const std::uint32_t fields[] = {static_cast<std::uint32_t>(length),
                                  flags,
                                  showCmd,
                                  static_cast<std::uint32_t>(minX),
                                  static_cast<std::uint32_t>(minY),
                                  static_cast<std::uint32_t>(maxX),
                                  static_cast<std::uint32_t>(maxY),
                                  static_cast<std::uint32_t>(left),
                                  static_cast<std::uint32_t>(top),
                                  static_cast<std::uint32_t>(right),
                                  static_cast<std::uint32_t>(bottom)};
  for (std::size_t i = 0; i < 11; ++i) PutInt(bytes + 4 * i, fields[i]);
}

void WindowPlacementRecord::FromBytes(const std::uint8_t (&bytes)[kSize]) {
  std::int32_t* const signedFields[] = {&length, &minX, &minY, &maxX, &maxY, &left, &top, &right, &bottom};
  const std::size_t signedOffsets[] = {0, 3, 4, 5, 6, 7, 8, 9, 10};
  for (std::size_t i = 0; i < 9; ++i) {
    *signedFields[i] = static_cast<std::int32_t>(GetInt(bytes + 4 * signedOffsets[i]));
  }
  flags = GetInt(bytes + 4);
  showCmd = GetInt(bytes + 8);
}

namespace Generic {

HResult SaveWindowPlacement(PlacementWindow* pWnd, const std::string& placementsKey,
                            const std::string& name) {
  LOG_ENTRY("Generic::SaveWindowPlacement");
  HResult hr = kSOk;
  EC_B(hr, pWnd);
  MyRegistry regWrite;
  if (Succeeded(hr)) regWrite.Open(Registry::kCurrentUser, placementsKey + "\\" + name, true);
  EC_B(hr, regWrite.IsOpen());
  WindowPlacementRecord wp;  // zeroed, with its length set
  EC_B_TEXT(hr, "pWnd->GetWindowPlacement(&wp)", pWnd->GetWindowPlacement(wp));
  std::uint8_t bytes[WindowPlacementRecord::kSize];
  wp.ToBytes(bytes);
  EC_B_TEXT(hr, "regWrite.SaveValueBinary(\"WindowPlacement\", reinterpret_cast<BYTE*> (&wp), sizeof(wp))",
            regWrite.SaveValueBinary("WindowPlacement", bytes, sizeof bytes));
  const int nLastScreenWidthPixels = pWnd ? pWnd->GetScreenWidthPixels() : 0;
  EC_B(hr, regWrite.SaveValueInt("LastScreenWidthPixels", nLastScreenWidthPixels));
  return hr;
}

int RestoreWindowPlacement(PlacementWindow& window, int rectWidth, int rectHeight,
                           const std::string& placementsKey, const std::string& name, int showCommand) {
  LOG_ENTRY("Generic::RestoreWindowPlacement");
  MyRegistry reg(Registry::kCurrentUser, placementsKey + "\\" + name, false);
  if (!reg.IsOpen()) return -1;

  // A placement saved on a screen of another width could put the window
  // off the screen: the window keeps the position it was created with.
  int nLastScreenWidthPixels = 0;
  if (reg.ReadValueInt("LastScreenWidthPixels", nLastScreenWidthPixels) &&
      nLastScreenWidthPixels != window.GetScreenWidthPixels()) {
    return -1;
  }

  std::uint8_t bytes[WindowPlacementRecord::kSize] = {};
  DWord size = sizeof bytes;
  if (!reg.ReadValueBinary("WindowPlacement", bytes, size) || size != sizeof bytes) return -1;
  WindowPlacementRecord wp;
  wp.FromBytes(bytes);
  wp.length = WindowPlacementRecord::kSize;
  if (showCommand != -1) wp.showCmd = static_cast<std::uint32_t>(showCommand);

  if (!window.IsResizable() && (rectWidth != wp.right - wp.left || rectHeight != wp.bottom - wp.top)) {
    window.MoveTo(wp.left, wp.top);
    return -1;
  }
  window.SetWindowPlacement(wp);
  return static_cast<int>(wp.showCmd);
}

}  // namespace Generic
