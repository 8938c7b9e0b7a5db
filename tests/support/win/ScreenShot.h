// Pictures of what the display shows, for a person to look at: a window's
// rectangle as the screen holds it, written as a PNG file.
#pragma once

#include <windows.h>

#include <string>

namespace test {

// The window (with its frame) as on screen, into `sPath`; false when the
// screen could not be read or the file not written.
bool SaveScreenShot(HWND hWnd, const std::string& sPath);

}  // namespace test
