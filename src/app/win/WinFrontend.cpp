#include "app/win/WinFrontend.h"

#include <windows.h>
#include <commctrl.h>

#include "app/win/TarvolinDlg.h"
#include "common/ui/win/MyMessageBoxDlg.h"
#include "common/ui/win/MyModelessDlg.h"
#include "dialogs/win/GreetingDlg.h"

WinFrontend::WinFrontend(int nShowState) : m_nShowState(nShowState) {}

HResult WinFrontend::TakeSingleRunGuard(const std::string& name) {
  // The guard is the interactive start's first step: from here on messages
  // and progress get the program's own windows (the silent output mode
  // never comes here, and keeps standard error).
  if (!m_bWindowsInstalled) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    InstallMessageBoxWindow();
    InstallProgressWindow();
    m_bWindowsInstalled = true;
  }
  // A guard held from an earlier attempt is held still.
  if (m_guard.IsHeld()) return kSOk;
  return m_guard.Create(name);
}

void WinFrontend::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

void WinFrontend::RunGreeting(int& nCheckShow) {
  GreetingDlg dlg(nullptr);
  dlg.m_nCheckShow = nCheckShow;
  dlg.DoModal();
  nCheckShow = dlg.m_nCheckShow;
}

int WinFrontend::RunMainDialog() {
  CTarvolinDlg dlg(m_nShowState);
  return static_cast<int>(dlg.Run());
}
