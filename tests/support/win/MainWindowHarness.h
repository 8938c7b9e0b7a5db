// The main window in a test's own process: made from its resource without a
// modal loop of its own (the test pumps), under the window class the
// single-run guard registers for it.
#pragma once

#include <windows.h>

#include "app/win/TarvolinDlg.h"
#include "common/registry/MyRegistry.h"
#include "common/ui/TipOfTheDay.h"

namespace test {

// Dispatches every message waiting for this thread.
inline void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// The class the single-run guard registers for the main window.
inline void RegisterMainWindowClass() {
  WNDCLASSA wc{};
  if (::GetClassInfoA(::GetModuleHandleA(nullptr), "Tarvolin 2.0 Class", &wc)) return;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = ::DefDlgProcA;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = "Tarvolin 2.0 Class";
  ::RegisterClassA(&wc);
}

// A user who chose not to see the tip of the day at start: its modal loop
// would hold the test inside the main window's initialisation.
inline void SkipTipAtStart() {
  MyRegistry(Registry::kCurrentUser, TipOfTheDay::RegistryKey(), true)
      .SaveValueDWord(TipOfTheDay::szIntNotAtStartup, 1);
}

class OpenedMainWindow : public CTarvolinDlg {
 public:
  OpenedMainWindow() : CTarvolinDlg(SW_SHOWNORMAL) { RegisterMainWindowClass(); }
  // `bSkipTip` false: the tip opens as the user's setting says.
  bool Open(bool bSkipTip = true) {
    if (bSkipTip) SkipTipAtStart();
    return Create();
  }
};

}  // namespace test
