// Message boxes, where the process has a desktop the user can see.
#include <windows.h>

#include "common/ui/UserMessage.h"
#include "common/ui/UserMessagePlatform.h"

namespace UserMessage {

bool PlatformHasDesktop() {
  // A service or a scheduled task without logon runs in an invisible window
  // station: a message box there would wait for a click nobody can give.
  HWINSTA hStation = ::GetProcessWindowStation();
  if (!hStation) return false;
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  if (!::GetUserObjectInformationA(hStation, UOI_FLAGS, &flags, sizeof flags, &needed)) return false;
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

int PlatformShow(const std::string& text, const std::string& caption, unsigned style) {
  return ::MessageBoxA(::GetActiveWindow(), text.c_str(), caption.c_str(), style | MB_SETFOREGROUND);
}

}  // namespace UserMessage
