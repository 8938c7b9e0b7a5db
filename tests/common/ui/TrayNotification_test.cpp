// Tray notifications, from the message parameters to the action taken.
#include "common/ui/TrayNotification.h"

#include <gtest/gtest.h>

namespace {

using TrayNotification::Action;

TEST(TrayNotificationTest, RoutesEachMouseEvent) {
  constexpr unsigned kIcon = 130;
  const struct {
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool bInTray;
    Action action;
    std::intptr_t result;
  } cases[] = {
      {kIcon, 0x202, true, Action::kPopupMenu, 1},    // left button up
      {kIcon, 0x205, true, Action::kPopupMenu, 1},    // right button up
      {kIcon, 0x203, true, Action::kDefaultItem, 1},  // double click: Open
      {kIcon, 0x202, false, Action::kForeground, 1},  // nothing in the tray: only raised
      {kIcon, 0x205, false, Action::kForeground, 1},    {kIcon, 0x203, false, Action::kForeground, 1},
      {kIcon, 0x200, true, Action::kNone, 1},            // mouse move: ignored
      {kIcon, 0x201, true, Action::kNone, 1},            // button down: the menu waits for the release
      {kIcon, 0x7FFF0205, true, Action::kPopupMenu, 1},  // only the low word is the event
      {kIcon + 1, 0x203, true, Action::kNone, 0},        // another icon's
  };
  for (const auto& c : cases) {
    const TrayNotification::Decision d = TrayNotification::Route(c.wParam, c.lParam, kIcon, c.bInTray);
    EXPECT_EQ(c.action, d.action) << std::hex << c.wParam << " " << c.lParam << " " << c.bInTray;
    EXPECT_EQ(c.result, d.result) << std::hex << c.wParam << " " << c.lParam;
  }
}

}  // namespace
