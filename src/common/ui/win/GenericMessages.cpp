// Keeping windows painted during long operations on the one UI thread.
#include "common/ui/win/GenericWin.h"

namespace Generic {
namespace {

IdleProcessing& Idle() {
  static IdleProcessing idle;
  return idle;
}

}  // namespace

IdleProcessing SetIdleProcessing(IdleProcessing idle) {
  IdleProcessing previous = std::move(Idle());
  Idle() = std::move(idle);
  return previous;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The modal loop that owns the quit must still see it.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  if (Idle()) Idle()();
}

}  // namespace Generic
