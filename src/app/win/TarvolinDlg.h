// The main window: the grid of BHOs, the four buttons, the tray icon, the
// watch on the BHO keys and its alert, and the timers behind them. What it
// shows and decides comes from MainDialogCore; this class moves it between
// the core and the window's controls.
#pragma once

#include <windows.h>

#include <memory>

#include "app/MainDialogCore.h"
#include "app/RegistryMonitor.h"
#include "common/ui/win/MyDialog.h"
#include "common/ui/win/MySystemTray.h"
#include "controls/win/MyGridWnd.h"

class CTarvolinDlg : public MyDialog {
 public:
  // `nShowState`: the show command the process was started with (7: in the
  // tray from the start).
  explicit CTarvolinDlg(int nShowState);
  ~CTarvolinDlg() override;

  // Runs the window until the user quits: the id it ended with.
  INT_PTR Run();

  static constexpr UINT WM_APP_ICON_NOTIFY = WM_APP + 100;
  static constexpr int TIMER_ID_SCHEDULED_CHECK = 3;
  static constexpr UINT kScheduledCheckMilliseconds = 300000;

  // For tests: the parts a test reads back.
  MainDialogCore& Core() { return m_core; }
  RegistryMonitor& Monitor() { return *m_pMonitor; }
  MySystemTray& Tray() { return m_TrayIcon; }
  MyGridWnd& GridWindow() { return m_gridWnd; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnDestroy() override;

 private:
  // Steps 6 to 8 of the start: false when this copy gives way to a new one.
  bool CreateTrayIcon();
  void RestartPaused();
  void SetButtonIcons();
  void SizeForFirstStart();
  void LayOutButtons(int cx, int cy);
  void OnTimer(UINT_PTR nIDEvent);
  void OnBnClickedButtonUpdates();
  void OnBnClickedMainButtonSettings();
  void OnScheduledCheck();
  bool OnSysCommand(WPARAM nID);
  // The about dialog, modal: the system menu's and the tray menu's About.
  void OnAppAbout();
  void OnNMDblclkGridBhos(int nRow);
  void OnClose();
  void OnAppOpen();
  void ShowChangeAlert();
  void PaintIconic();

  MainDialogCore m_core;
  MyGridWnd m_gridWnd{m_core.Grid()};
  MySystemTray m_TrayIcon;
  std::unique_ptr<RegistryMonitor> m_pMonitor;
  int m_nShowState;
  HICON m_hIcon = nullptr;       // shared resource icon: not destroyed
  HICON m_hIconSmall = nullptr;  // loaded at its size: destroyed
};
