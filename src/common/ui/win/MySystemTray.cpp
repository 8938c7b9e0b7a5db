#include "common/ui/win/MySystemTray.h"

#include <algorithm>
#include <cstring>

#include "common/base/ErrorCheck.h"
#include "common/base/SystemApi.h"
#include "common/ui/TrayNotification.h"

UINT MySystemTray::s_nTaskbarCreatedMsg = ::RegisterWindowMessageA("TaskbarCreated");
bool MySystemTray::s_bWindowInTray = false;
HWND MySystemTray::s_hInvisibleParent = nullptr;

namespace {

constexpr const char* kTrayWindowClass = "MySystemTrayWindow";
constexpr int kTaskbarTries = 16;
constexpr DWORD kTaskbarWaitMs = 15000;

// The tray's corner of the screen, for the caption animation.
RECT TrayRect() {
  RECT r{};
  if (HWND hTray = ::FindWindowA("Shell_TrayWnd", nullptr)) {
    if (HWND hNotify = ::FindWindowExA(hTray, nullptr, "TrayNotifyWnd", nullptr))
      ::GetWindowRect(hNotify, &r);
    else
      ::GetWindowRect(hTray, &r);  // no notification area of its own: the taskbar's right end
    if (r.right - r.left > 32) r.left = r.right - 32;
  }
  return r;
}

bool SystemAnimates() {
  ANIMATIONINFO info{sizeof info, 0};
  return ::SystemParametersInfoA(SPI_GETANIMATION, sizeof info, &info, 0) && info.iMinAnimate != 0;
}

}  // namespace

MySystemTray::MySystemTray() {
  SystemApi::OsVersion version;
  m_bWin2K =
      SystemApi::GetVersionInfo(version) && version.platformId == VER_PLATFORM_WIN32_NT && version.major >= 5;
}

MySystemTray::~MySystemTray() {
  RemoveIcon();
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool MySystemTray::Create(HWND hParent, UINT uCallbackMessage, const std::string& sToolTip, HICON hIcon,
                          UINT uID, bool bHidden) {
  LOG_ENTRY("MySystemTray::Create");
  HResult hr = kSOk;
  HWND hTaskbar = nullptr;
  for (int i = 0; i < kTaskbarTries && !(hTaskbar = ::FindWindowA("Shell_TrayWnd", nullptr)); ++i) {
    LOGA("TaskBar does not exist... waiting for it to be created...\n");
    ::Sleep(kTaskbarWaitMs);
  }
  if (!hTaskbar) {
    LOGE("Taskbar never got created, so cannot add icon to it!\n");
    return false;
  }
  LOGA("TaskBar does exist at <%p>.\n", static_cast<void*>(hTaskbar));
  EC_B(hr, 0 != MySystemTray::s_nTaskbarCreatedMsg);
  m_bEnabled = true;  // every system this program runs on has a tray

  WNDCLASSA wc{};
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kTrayWindowClass;
  ::RegisterClassA(&wc);  // already registered by an earlier tray: fine
  EC_B_TEXT(hr, "CWnd::CreateEx( 0, AfxRegisterWndClass( 0), _T(\"\"), WS_POPUP, 0,0,0,0, NULL, 0)",
            NULL != (m_hWnd = ::CreateWindowExA(0, kTrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                                nullptr, wc.hInstance, this)));
  if (Failed(hr)) return false;

  m_tnd = NOTIFYICONDATAA{};
  m_tnd.cbSize = sizeof m_tnd;
  m_tnd.hWnd = hParent && ::IsWindow(hParent) ? hParent : m_hWnd;
  m_tnd.uID = uID;
  m_tnd.hIcon = hIcon;
  m_tnd.uCallbackMessage = uCallbackMessage;
  m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  const std::size_t nTip = std::min(sToolTip.size(), sizeof m_tnd.szTip - 1);
  std::memcpy(m_tnd.szTip, sToolTip.data(), nTip);
  m_pTargetWnd = hParent;
  m_bHidden = bHidden;
  if (m_bWin2K && bHidden) {
    m_tnd.uFlags = NIF_STATE;
    m_tnd.dwState = m_tnd.dwStateMask = NIS_HIDDEN;
  }
  return AddIcon();
}

bool MySystemTray::AddIcon() {
  LOGA("About to call Shell_NotifyIcon()...\n");
  // An icon of this id may still be there (a work-area change, or a shell
  // that announced itself without having lost its icons): the add would
  // fail on it, so it goes first.
  NOTIFYICONDATAA old = m_tnd;
  old.uFlags = 0;
  ::Shell_NotifyIconA(NIM_DELETE, &old);
  HResult hr = kSOk;
  BOOL bResult = FALSE;
  EC_B_TEXT(hr, "true == (bResult = Shell_NotifyIcon(NIM_ADD, &m_tnd))",
            FALSE != (bResult = ::Shell_NotifyIconA(NIM_ADD, &m_tnd)));
  const bool bAdded = Succeeded(hr);
  m_bShowIconPending = m_bRemoved = !bAdded;
  m_bHidden = !bAdded || ((m_tnd.uFlags & NIF_STATE) && (m_tnd.dwState & NIS_HIDDEN));
  return bAdded;
}

bool MySystemTray::InstallIconPending() {
  LOG_ENTRY("MySystemTray::InstallIconPending");
  if (!m_bShowIconPending || !m_bEnabled) {
    LOGD("   Exiting early, because m_bShowIconPending is <%d> or m_bHidden is <%d>.\n",
         m_bShowIconPending ? 1 : 0, m_bHidden ? 1 : 0);
    return false;
  }
  const bool bAdded = AddIcon();
  LOGA("Shell_NotifyIcon() returned <%d>.\n", bAdded ? 1 : 0);
  LOGD("<<< MySystemTray::InstallIconPending\n");
  return bAdded;
}

bool MySystemTray::RemoveIcon() {
  m_bShowIconPending = false;
  if (!m_bEnabled || m_bRemoved) return true;
  NOTIFYICONDATAA tnd = m_tnd;
  tnd.uFlags = 0;
  if (::Shell_NotifyIconA(NIM_DELETE, &tnd)) m_bHidden = m_bRemoved = true;
  return m_bRemoved;
}

bool MySystemTray::SetIcon(HICON hIcon) {
  if (!m_bEnabled) return false;
  m_tnd.uFlags = NIF_ICON;
  m_tnd.hIcon = hIcon;
  const bool bDone = m_bRemoved || ::Shell_NotifyIconA(NIM_MODIFY, &m_tnd);
  m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  return bDone;
}

void MySystemTray::OnTaskbarCreated() {
  LOGA("Got 'TaskbarCreated' message!  Shell has been (re-)started!  Trying to re-add icon!\n");
  m_bShowIconPending = true;
  InstallIconPending();
}

HWND MySystemTray::Target() const { return m_pTargetWnd ? m_pTargetWnd : m_tnd.hWnd; }

UINT MySystemTray::DefaultCommand() const {
  if (!m_DefaultMenuItemByPos) return m_DefaultMenuItemID;
  UINT uItem = 0;
  if (HMENU hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_tnd.uID))) {
    if (HMENU hSub = ::GetSubMenu(hMenu, 0))
      uItem = ::GetMenuItemID(hSub, static_cast<int>(m_DefaultMenuItemID));
    ::DestroyMenu(hMenu);
  }
  ::Sleep(150);
  return uItem;
}

LRESULT MySystemTray::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
  const TrayNotification::Decision decision =
      TrayNotification::Route(wParam, lParam, m_tnd.uID, MySystemTray::s_bWindowInTray);
  const HWND hTarget = Target();
  if (decision.result == 0 || !hTarget) return 0;
  HResult hr = kSOk;
  switch (decision.action) {
    case TrayNotification::Action::kForeground: ::SetForegroundWindow(hTarget); break;
    case TrayNotification::Action::kPopupMenu: {
      HMENU hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_tnd.uID));
      HMENU hSub = hMenu ? ::GetSubMenu(hMenu, 0) : nullptr;
      EC_B(hr, NULL != hSub);
      EC_B_TEXT(hr, "::SetMenuDefaultItem(pSubMenu->m_hMenu, m_DefaultMenuItemID, m_DefaultMenuItemByPos)",
                ::SetMenuDefaultItem(hSub, m_DefaultMenuItemID, m_DefaultMenuItemByPos));
      if (Succeeded(hr)) {
        CustomizeMenu(hSub);
        POINT pos{};
        ::GetCursorPos(&pos);
        ::SetForegroundWindow(hTarget);
        ::TrackPopupMenu(hSub, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pos.x, pos.y, 0, hTarget, nullptr);
        // Lets the menu close when the user clicks elsewhere.
        EC_B_TEXT(hr, "pTargetWnd->PostMessage(WM_NULL, 0, 0)", ::PostMessageA(hTarget, WM_NULL, 0, 0));
      }
      if (hMenu) EC_B_TEXT(hr, "menu.DestroyMenu()", ::DestroyMenu(hMenu));
      break;
    }
    case TrayNotification::Action::kDefaultItem: {
      ::SetForegroundWindow(hTarget);
      const UINT uItem = DefaultCommand();
      EC_B_TEXT(hr, "pTargetWnd->PostMessage(WM_COMMAND, uItem, 0)",
                ::PostMessageA(hTarget, WM_COMMAND, uItem, 0));
      break;
    }
    case TrayNotification::Action::kNone: break;
  }
  return decision.result;
}

void MySystemTray::MinimiseToTray(HWND hWnd, bool bForceAnimation) {
  LOG_ENTRY("MySystemTray::MinimiseToTray");
  if (bForceAnimation || SystemAnimates()) {
    RECT from{}, to = TrayRect();
    ::GetWindowRect(hWnd, &from);
    ::DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
  }
  if (!s_hInvisibleParent)
    s_hInvisibleParent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                           ::GetModuleHandleA(nullptr), nullptr);
  // Owned by a window that is never shown, it leaves the taskbar.
  ::SetWindowLongPtrA(hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(s_hInvisibleParent));
  ::ShowWindow(hWnd, SW_HIDE);
  s_bWindowInTray = true;
}

void MySystemTray::MaximiseFromTray(HWND hWnd, bool bForceAnimation) {
  LOG_ENTRY("MySystemTray::MaximiseFromTray");
  if (bForceAnimation || SystemAnimates()) {
    RECT from = TrayRect(), to{};
    ::GetWindowRect(hWnd, &to);
    ::DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
  }
  ::SetWindowLongPtrA(hWnd, GWLP_HWNDPARENT, 0);
  ::ShowWindow(hWnd, SW_SHOW);
  ::RedrawWindow(hWnd, nullptr, nullptr,
                 RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
  if (s_hInvisibleParent) ::SetActiveWindow(s_hInvisibleParent);
  ::SetActiveWindow(hWnd);
  ::SetForegroundWindow(hWnd);
  s_bWindowInTray = false;
}

LRESULT CALLBACK MySystemTray::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MySystemTray*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  if (self) {
    try {
      if (message == MySystemTray::s_nTaskbarCreatedMsg && message != 0) {
        self->OnTaskbarCreated();
        return 0;
      }
      if (message == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA) {
        // Pending again unless the icon is meant to be hidden.
        self->m_bShowIconPending = !self->m_bHidden;
        self->InstallIconPending();
        return 0;
      }
      if (message == self->m_tnd.uCallbackMessage && self->m_tnd.hWnd == hWnd)
        return self->OnTrayNotification(wParam, lParam);
    } catch (...) {
      LOGE("MySystemTray stopped an exception in message <%x>.\n", message);
      return 0;
    }
  }
  return ::DefWindowProcA(hWnd, message, wParam, lParam);
}
