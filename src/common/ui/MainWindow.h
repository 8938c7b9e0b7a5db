// What the core may ask of the program's main window, when there is one.
#pragma once

#include <functional>

namespace MainWindow {

// Asks the main window to close (posted, handled after the current
// message); nothing happens without a main window (silent output mode).
void PostClose();
void SetCloseRequester(std::function<void()> requester);

}  // namespace MainWindow
