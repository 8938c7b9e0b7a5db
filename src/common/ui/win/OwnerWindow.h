// The window that owns a message box or progress window opened from deep
// inside an operation, where no caller passed one.
#pragma once

#include <windows.h>

namespace Generic {

// The thread's active window; else its first visible unowned top-level
// window (the main window while it is shown); else none.
HWND GetPopupOwner();

}  // namespace Generic
