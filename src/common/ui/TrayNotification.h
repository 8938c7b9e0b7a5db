// What a notification from the tray icon asks of the program, decided from
// the notification's two message parameters. The tray object carries it out
// (the menu, the foreground window, the posted command).
#pragma once

#include <cstdint>

namespace TrayNotification {

enum class Action {
  kNone,        // not this icon's, or an event the tray ignores
  kForeground,  // bring the target window to the foreground only
  kPopupMenu,   // the tray menu at the cursor, its default item bold
  kDefaultItem  // the menu's default command, as a double click does
};

constexpr unsigned kLeftButtonUp = 0x202;     // WM_LBUTTONUP
constexpr unsigned kLeftDoubleClick = 0x203;  // WM_LBUTTONDBLCLK
constexpr unsigned kRightButtonUp = 0x205;    // WM_RBUTTONUP

struct Decision {
  Action action = Action::kNone;
  // What the notification handler returns: 1 for every event of this icon
  // (those it ignores included), 0 for another icon's. Without a target
  // window the handler returns 0 whatever this says.
  std::intptr_t result = 0;
};

// `iconId` is the tray icon's id; `bWindowInTray` whether a window is
// minimised to the tray (without one, clicks only raise the target).
Decision Route(std::uintptr_t wParam, std::intptr_t lParam, unsigned iconId, bool bWindowInTray);

}  // namespace TrayNotification
