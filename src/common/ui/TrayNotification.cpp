#include "common/ui/TrayNotification.h"

namespace TrayNotification {

Decision Route(std::uintptr_t wParam, std::intptr_t lParam, unsigned iconId, bool bWindowInTray) {
  if (wParam != iconId) return {};
  // The mouse event is the low word; the high word may carry other data.
  switch (static_cast<unsigned>(lParam) & 0xFFFFu) {
    case kLeftButtonUp:
    case kRightButtonUp: return {bWindowInTray ? Action::kPopupMenu : Action::kForeground, 1};
    case kLeftDoubleClick: return {bWindowInTray ? Action::kDefaultItem : Action::kForeground, 1};
    default: return {Action::kNone, 1};
  }
}

}  // namespace TrayNotification
