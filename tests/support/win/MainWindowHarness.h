// The main window in a test's own process: made from its resource without a
// modal loop of its own (the test pumps), under the window class the
// single-run guard registers for it.
#pragma once

#include <windows.h>

#include "app/win/TarvolinDlg.h"

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

class OpenedMainWindow : public CTarvolinDlg {
 public:
  OpenedMainWindow() : CTarvolinDlg(SW_SHOWNORMAL) { RegisterMainWindowClass(); }
  bool Open() { return Create(); }
};

}  // namespace test
