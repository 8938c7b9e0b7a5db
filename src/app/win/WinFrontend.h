// The interactive start on Windows: the single-run guard, the greeting and
// the main window, with the program's own message box and progress window.
#pragma once

#include "app/InteractiveFrontend.h"
#include "common/ui/win/MySingleInstance.h"

class WinFrontend : public InteractiveFrontend {
 public:
  // `nShowState`: the show command the process was started with.
  explicit WinFrontend(int nShowState);

  HResult TakeSingleRunGuard(const std::string& name) override;
  void Sleep(unsigned milliseconds) override;
  void RunGreeting(int& nCheckShow) override;
  int RunMainDialog() override;

 private:
  int m_nShowState;
  bool m_bWindowsInstalled = false;
  MySingleInstance m_guard;
};
