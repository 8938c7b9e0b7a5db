// Window placements remembered under HKEY_CURRENT_USER\<placementsKey>\<name>.
#pragma once

#include <string>

#include "common/base/Types.h"

class PlacementWindow;

namespace Generic {

// Restore returns the show command applied, or -1 when nothing was restored;
// `rect` sizes are the window's current client rectangle; `showCommand` -1
// keeps the stored one. (Windows callers use the HWND forms of GenericWin.h.)
HResult SaveWindowPlacement(PlacementWindow* pWnd, const std::string& placementsKey, const std::string& name);
int RestoreWindowPlacement(PlacementWindow& window, int rectWidth, int rectHeight,
                           const std::string& placementsKey, const std::string& name, int showCommand);

}  // namespace Generic
