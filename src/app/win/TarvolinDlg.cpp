#include "app/win/TarvolinDlg.h"

#include <shellapi.h>

#include "app/MainButtonLayout.h"
#include "app/win/RegistryWatchWin.h"
#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/GenericPlatform.h"
#include "common/base/SystemApi.h"
#include "common/fileinfo/ProgramVersion.h"
#include "common/registry/RegistryKeys.h"
#include "common/sysinfo/MySysInfo.h"
#include "common/ui/MainWindow.h"
#include "common/ui/RegistryWatch.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "common/ui/win/GenericWin.h"
#include "common/ui/win/MyTipDlg.h"
#include "dialogs/SettingsCore.h"
#include "dialogs/win/AboutDlg.h"
#include "dialogs/win/DetailsDlg.h"
#include "dialogs/win/DetectDlg.h"
#include "dialogs/win/SettingsDlg.h"
#include "model/Bho.h"
#include "model/BhoGridRow.h"
#include "model/MyGridCellCheck.h"
#include "res/IconsRes.h"
#include "res/TarvolinDlgRes.h"
#include "res/TrayMenuRes.h"
#include "res/resource.h"
#include "res/version.h"
#include "update/win/CheckForUpdateDlg.h"

namespace {

const char kCannotContinue[] =
    "Something has gone wrong - Tarvolin cannot continue!  Please report this error by pressing the 'F11' "
    "key "
    "to email us your logfile!\n";

constexpr int kTrayRetries = 6;
constexpr DWORD kTrayRetryMs = 30000;

HICON LoadIconAt(UINT id, int size) {
  return static_cast<HICON>(
      ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

}  // namespace

CTarvolinDlg::CTarvolinDlg(int nShowState)
    : MyDialog(IDD_TARVOLIN_DIALOG, "CTarvolinDlg", nullptr), m_nShowState(nShowState) {}

CTarvolinDlg::~CTarvolinDlg() {
  if (m_hIconSmall) ::DestroyIcon(m_hIconSmall);
}

INT_PTR CTarvolinDlg::Run() {
  HACCEL hAccel = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATOR_MAIN));
  if (!hAccel) ErrorCheck::LogFailedCall(__FILE__, __LINE__, "hAccel");
  return RunModalLoop(hAccel);
}

BOOL CTarvolinDlg::OnInitDialog() {
  LOG_ENTRY("CTarvolinDlg::OnInitDialog");
  WaitCursor wait;
  HWND hWnd = GetSafeHwnd();

  m_core.CreateLists();
  m_pMonitor = std::make_unique<RegistryMonitor>(
      std::make_unique<RegistryWatchWin>(hWnd),
      RegistryMonitor::Reactions{[this] { ShowChangeAlert(); },
                                 [this] { return m_core.RefreshListControl(); }});
  RegistryWatch::SetCurrent(m_pMonitor.get());
  MainWindow::SetCloseRequester([hWnd] { ::PostMessageA(hWnd, WM_CLOSE, 0, 0); });

  m_gridWnd.Attach(hWnd, IDC_GRID_BHOS);
  m_gridWnd.SetCheckClickHandler([this](int nRow, int nCol, bool bOnBox) {
    HResult hr = kSOk;
    EC_H(hr, MyGridCellCheck::OnClick(m_core.Grid(), nRow, nCol, bOnBox));
  });
  m_gridWnd.SetDoubleClickHandler([this](int nRow) { OnNMDblclkGridBhos(nRow); });

  SetAnchor(IDC_STATIC_DESCRIPTION, DialogLayout::kGrowX);
  SetAnchor(IDC_GRID_BHOS, DialogLayout::kGrowX | DialogLayout::kGrowY);
  // The buttons are placed by the size handler.
  for (int id : {IDC_BUTTON_UPDATES, IDC_BUTTON_SENDREPORTS, IDC_MAIN_BUTTON_SETTINGS, IDC_BUTTON_HELP})
    SetAnchor(id, 0);
  MyDialog::OnInitDialog();

  const std::string sAbout = Generic::LoadResString(IDS_ABOUTBOX);
  if (!sAbout.empty()) {
    HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
    if (hSysMenu) {
      ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, sAbout.c_str());
    }
  }

  m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  m_hIconSmall = LoadIconAt(IDR_MAINFRAME, ::GetSystemMetrics(SM_CXSMICON));
  ::SendMessageA(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  ::SendMessageA(hWnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(m_hIconSmall ? m_hIconSmall : m_hIcon));

  if (!CreateTrayIcon()) return TRUE;

  SetButtonIcons();
  HResult hrVersion = kSOk;
  std::string sVersion = GetRunningVersion(hrVersion);
  if (sVersion.empty()) sVersion = TARVOLIN_VERSION_TEXT;
  ::SetWindowTextA(hWnd, ("Tarvolin " + sVersion).c_str());

  HResult hr = kSOk;
  EC_H(hr, m_core.LoadListCtrl(m_nShowState));
  if (Failed(hr)) {
    LOGE("%s", kCannotContinue);
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return TRUE;
  }

  if (!WasPlacementRestored()) SizeForFirstStart();

  // The window is up before anything asks the user something.
  if (m_nShowState != MainDialogCore::kShowMinimizedNoActivate) {
    ::ShowWindow(hWnd, m_nShowState == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOW);
    ::SetForegroundWindow(hWnd);
  }
  m_core.ShowWelcome();
  if (m_nShowState == MainDialogCore::kShowMinimizedNoActivate) MySystemTray::MinimiseToTray(hWnd, false);

  int nProgramRun = 0;
  EC_H(hr, MainDialogCore::IncrementProgramRunCounter(nProgramRun));
  if (nProgramRun == 1) {
    // The first start's log tells how and where the program runs.
    MySysInfo info;
    info.LoadInfo("");
    info.LogInfo();
  }

  if (Generic::IsXPServicePack2()) {
    m_core.ShowSP2Notice();
    EC_H(hr, m_core.ConvertDisabledBHOsToSP2Way());
  }

  HResult hrHook = kSOk;
  EC_H(hrHook, m_pMonitor->HookTheRegistry());

  RECT client{};
  ::GetClientRect(hWnd, &client);
  ::PostMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));

  // Made even when not shown: every start moves on to the next hint.
  {
    MyTipDlg tip(hWnd);
    if (tip.m_bShowAtStartup) tip.DoModal();
  }

  ::SetTimer(hWnd, TIMER_ID_SCHEDULED_CHECK, kScheduledCheckMilliseconds, nullptr);
  return TRUE;
}

bool CTarvolinDlg::CreateTrayIcon() {
  HWND hWnd = GetSafeHwnd();
  const bool bCreated =
      m_TrayIcon.Create(hWnd, WM_APP_ICON_NOTIFY, "Tarvolin 2.0 is monitoring.", m_hIcon, IDR_POPUP_MENU);
  if (!bCreated) {
    ErrorCheck::LogFailedCall(__FILE__, __LINE__,
                              "m_TrayIcon.Create(this, WM_APP_ICON_NOTIFY, sToolTip, hIcon, IDR_POPUP_MENU)");
    // Without a taskbar there is nothing to retry: the window runs without its icon.
    if (!m_TrayIcon.IsShowIconPending()) return true;
    for (int nAttempt = 0; nAttempt < kTrayRetries && m_TrayIcon.IsShowIconPending(); ++nAttempt) {
      ::Sleep(kTrayRetryMs);
      LOGA("Trying to install the tray icon - attempt <%d>...\n", nAttempt);
      m_TrayIcon.InstallIconPending();
    }
    if (m_TrayIcon.IsShowIconPending()) {
      RestartPaused();
      return false;
    }
  }
  LOGA("Created the tray icon!\n");
  return true;
}

// A copy started with -pause takes over once this one has gone.
void CTarvolinDlg::RestartPaused() {
  LOGE("Failed to create the tray icon for Tarvolin!  This program will now attempt to re-start itself.\n");
  LOGA("Shell_TrayWnd is <%p>.\n", static_cast<void*>(::FindWindowA("Shell_TrayWnd", nullptr)));
  EndDialog(IDCANCEL);
  HResult hr = kSOk;
  std::string sAppPath;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  if (Failed(hr)) return;
  const HINSTANCE hInst = ::ShellExecuteA(nullptr, "open", Generic::GetFileName(sAppPath).c_str(), "-pause",
                                          Generic::GetDirectory(sAppPath).c_str(), SW_SHOWMINIMIZED);
  if (reinterpret_cast<INT_PTR>(hInst) <= 32) {
    LOGE("Failed to re-start Tarvolin!\n");
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
  }
}

// With no placement remembered the window opens big enough for its grid.
void CTarvolinDlg::SizeForFirstStart() {
  HWND hWnd = GetSafeHwnd();
  RECT window{}, grid{}, work{};
  ::GetWindowRect(hWnd, &window);
  ::GetWindowRect(m_gridWnd.GetSafeHwnd(), &grid);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT header{};
  ::GetWindowRect(m_gridWnd.GetHeaderHwnd(), &header);
  MainWindowFirstSize::Input in;
  in.windowWidth = window.right - window.left;
  in.windowHeight = window.bottom - window.top;
  in.gridWidth = grid.right - grid.left;
  in.gridHeight = grid.bottom - grid.top;
  for (int nCol = 0; nCol < m_core.Grid().GetColumnCount(); ++nCol)
    in.columnsWidth += m_core.Grid().GetColumnWidth(nCol);
  in.headerHeight = header.bottom - header.top;
  in.rowHeight = m_gridWnd.GetRowHeight();
  in.rows = m_core.Grid().GetRowCount() - 1;
  in.scrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
  in.workWidth = work.right - work.left;
  in.workHeight = work.bottom - work.top;
  const MainWindowFirstSize size = MainWindowFirstSize::For(in);
  ::SetWindowPos(hWnd, nullptr, work.left + (in.workWidth - size.width) / 2,
                 work.top + (in.workHeight - size.height) / 2, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTarvolinDlg::SetButtonIcons() {
  const struct {
    int id;
    UINT icon;
  } buttons[] = {{IDC_BUTTON_UPDATES, IDI_CHECK_UPDATES},
                 {IDC_BUTTON_SENDREPORTS, IDI_SEND_REPORTS},
                 {IDC_MAIN_BUTTON_SETTINGS, IDI_SETTINGS},
                 {IDC_BUTTON_HELP, IDI_HELP}};
  for (const auto& button : buttons) {
    // Shared resource icons: the system keeps them for the process's life.
    HICON hIcon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(button.icon),
                                                  IMAGE_ICON, 32, 32, LR_SHARED));
    if (hIcon)
      ::SendDlgItemMessageA(GetSafeHwnd(), button.id, BM_SETIMAGE, IMAGE_ICON,
                            reinterpret_cast<LPARAM>(hIcon));
  }
}

void CTarvolinDlg::LayOutButtons(int cx, int cy) {
  HWND hWnd = GetSafeHwnd();
  RECT units{0, 0, 4, 24};
  ::MapDialogRect(hWnd, &units);
  RECT gap{0, 0, 4, 4};
  ::MapDialogRect(hWnd, &gap);
  const MainButtonLayout layout = MainButtonLayout::For(cx, cy, {units.right, units.bottom, gap.bottom});
  const struct {
    int id;
    const DialogLayout::Rect& rect;
  } buttons[] = {{IDC_BUTTON_UPDATES, layout.updates},
                 {IDC_BUTTON_SENDREPORTS, layout.reports},
                 {IDC_MAIN_BUTTON_SETTINGS, layout.settings},
                 {IDC_BUTTON_HELP, layout.help}};
  for (const auto& button : buttons) {
    HWND hButton = ::GetDlgItem(hWnd, button.id);
    if (hButton)
      ::SetWindowPos(hButton, nullptr, button.rect.left, button.rect.top, button.rect.Width(),
                     button.rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CTarvolinDlg::OnBnClickedMainButtonSettings() {
  LOG_ENTRY("CTarvolinDlg::OnBnClickedMainButtonSettings");
  SettingsDlg dlg(GetSafeHwnd());
  if (dlg.DoModal() == IDOK) Settings::ApplyHeaderColour(m_core.Grid());
}

bool CTarvolinDlg::OnCommand(WORD id, WORD, HWND) {
  switch (id) {
    case IDC_BUTTON_HELP: {
      HResult hr = kSOk;
      EC_H(hr, m_core.OpenHelp());
      return true;
    }
    case IDC_BUTTON_UPDATES: OnBnClickedButtonUpdates(); return true;
    case IDC_BUTTON_SENDREPORTS: {
      HResult hr = kSOk;
      EC_H(hr, m_core.OnButtonSendreports());
      return true;
    }
    case IDC_MAIN_BUTTON_SETTINGS: OnBnClickedMainButtonSettings(); return true;
    case ID_EMAIL_US_YOUR_LOGFILE: LOGA("F11 pressed: e-mail us your logfile.\n"); return true;
    case ID_APP_OPEN: OnAppOpen(); return true;
    case ID_APP_ABOUT: OnAppAbout(); return true;
    case ID_APP_EXIT: ::PostMessageA(GetSafeHwnd(), WM_CLOSE, 0, 0); return true;
    // Escape quits no more than the close button does: both ask first.
    case IDCANCEL: OnClose(); return true;
    // Enter in the grid opens the selected BHO, as a double click does;
    // elsewhere there is no default button to press.
    case IDOK:
      if (::GetFocus() == m_gridWnd.GetSafeHwnd()) OnNMDblclkGridBhos(m_gridWnd.GetSelectedRow());
      return true;
    default: return false;
  }
}

bool CTarvolinDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_APP_ICON_NOTIFY:
      m_TrayIcon.OnTrayNotification(wParam, lParam);
      result = TRUE;
      return true;
    case WM_SYSCOMMAND:
      if (!OnSysCommand(wParam)) return false;
      result = TRUE;
      return true;
    case WM_PAINT:
      if (!::IsIconic(GetSafeHwnd())) return false;
      PaintIconic();
      result = TRUE;
      return true;
    case WM_QUERYDRAGICON: result = reinterpret_cast<INT_PTR>(m_hIcon); return true;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        LayOut(LOWORD(lParam), HIWORD(lParam));
        LayOutButtons(LOWORD(lParam), HIWORD(lParam));
      }
      result = TRUE;
      return true;
    case WM_TIMER:
      OnTimer(wParam);
      result = TRUE;
      return true;
    case WM_CLOSE:
      OnClose();
      result = TRUE;
      return true;
    default: return false;
  }
}

bool CTarvolinDlg::OnSysCommand(WPARAM nID) {
  if ((nID & 0xFFF0) == SC_MINIMIZE) {
    HResult hr = kSOk;
    EC_H(hr, Generic::SaveWindowPlacement(GetSafeHwnd(), REGKEY_PLACEMENTS, Name()));
    MySystemTray::MinimiseToTray(GetSafeHwnd(), false);
    return true;
  }
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    OnAppAbout();
    return true;
  }
  return false;
}

void CTarvolinDlg::OnAppAbout() {
  LOG_ENTRY("CTarvolinDlg::OnAppAbout");
  WaitCursor wait;
  CAboutDlg dlg(GetSafeHwnd());
  dlg.DoModal();
}

void CTarvolinDlg::OnTimer(UINT_PTR nIDEvent) {
  switch (nIDEvent) {
    case RegistryMonitor::TIMER_ID_EVENT_BHOS:
    case RegistryMonitor::TIMER_ID_DISABLED_BHOS: m_pMonitor->OnTimer(static_cast<int>(nIDEvent)); break;
    case TIMER_ID_SCHEDULED_CHECK: OnScheduledCheck(); break;
    default:
      LOGW("Unexpected timer id <%d>.  Windows can sent these sometimes.\n", static_cast<int>(nIDEvent));
      break;
  }
}

// Everything about the row's BHO; the grid is read again afterwards, since
// the details window can change a note, the state or remove the BHO.
void CTarvolinDlg::OnNMDblclkGridBhos(int nRow) {
  if (nRow <= 0) return;
  DetailsDlg dlg(GetSafeHwnd());
  dlg.m_pBho = m_core.Grid().GetItemDataShared<BHO>(nRow, BhoGrid::COLUMN_ENABLED);
  HResult hr = kSOk;
  EC_B(hr, dlg.m_pBho);
  if (Failed(hr)) return;
  dlg.DoModal();
  EC_H(hr, m_core.RefreshListControl());
}

void CTarvolinDlg::OnBnClickedButtonUpdates() {
  LOG_ENTRY("CTarvolinDlg::OnBnClickedButtonUpdates");
  WaitCursor wait;
  CheckForUpdateDlg dlg(GetSafeHwnd());
  dlg.m_nUnknownBHOs = m_core.PrepareUpdateCheck();
  dlg.DoModal();
  HResult hr = kSOk;
  EC_H(hr, m_core.RefreshListControl());
}

// Once, five minutes after the start: the frequency the user chose decides
// whether to check now.
void CTarvolinDlg::OnScheduledCheck() {
  ::KillTimer(GetSafeHwnd(), TIMER_ID_SCHEDULED_CHECK);
  CheckForUpdateDlg dlg(GetSafeHwnd());
  dlg.m_nUnknownBHOs = m_core.CountUnknownBHOs();
  LOGA("Time for the scheduled check for updates (<%d> BHOs unknown or being investigated).\n",
       dlg.m_nUnknownBHOs);
  if (dlg.ScheduledCheck()) {
    HResult hr = kSOk;
    EC_H(hr, m_core.RefreshListControl());
  }
}

void CTarvolinDlg::OnClose() {
  if (m_core.ConfirmClose()) EndDialog(IDCANCEL);
}

void CTarvolinDlg::OnAppOpen() {
  HWND hWnd = GetSafeHwnd();
  MySystemTray::MaximiseFromTray(hWnd, false);
  RECT client{};
  ::GetClientRect(hWnd, &client);
  Generic::RestoreWindowPlacement(hWnd, client, REGKEY_PLACEMENTS, Name(), -1);
}

// A change under the watched keys: the window comes out of the tray and
// the alert shows; the monitor hooks again and refreshes afterwards.
void CTarvolinDlg::ShowChangeAlert() {
  HWND hWnd = GetSafeHwnd();
  if (MySystemTray::IsWindowInTray()) {
    MySystemTray::MaximiseFromTray(hWnd, false);
  } else {
    ::ShowWindow(hWnd, SW_SHOW);
    ::SetActiveWindow(hWnd);
    ::SetForegroundWindow(hWnd);
  }
  DetectDlg dlg(hWnd);
  dlg.DoModal();
}

void CTarvolinDlg::PaintIconic() {
  HWND hWnd = GetSafeHwnd();
  PAINTSTRUCT ps{};
  HDC hdc = ::BeginPaint(hWnd, &ps);
  RECT client{};
  ::GetClientRect(hWnd, &client);
  const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
  ::DrawIcon(hdc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, m_hIcon);
  ::EndPaint(hWnd, &ps);
}

void CTarvolinDlg::OnDestroy() {
  LOG_ENTRY("CTarvolinDlg::OnDestroy");
  MyDialog::OnDestroy();
  ::KillTimer(GetSafeHwnd(), TIMER_ID_SCHEDULED_CHECK);
  if (m_pMonitor && m_pMonitor->IsHooked()) {
    HResult hr = kSOk;
    EC_H(hr, m_pMonitor->UnhookTheRegistry());
  }
  if (RegistryWatch::Current() == m_pMonitor.get()) RegistryWatch::SetCurrent(nullptr);
  MainWindow::SetCloseRequester(nullptr);
  m_core.Destroy();
  m_TrayIcon.RemoveIcon();
}
