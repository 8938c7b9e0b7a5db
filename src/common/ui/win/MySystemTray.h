// The program's icon in the notification area: added when the taskbar is
// there (and again after the shell restarts or the work area changes),
// clicks turned into the popup menu or its default command, and the main
// window hidden into the tray and brought back.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

class MySystemTray {
 public:
  MySystemTray();
  virtual ~MySystemTray();
  MySystemTray(const MySystemTray&) = delete;
  MySystemTray& operator=(const MySystemTray&) = delete;

  // Adds the icon `hIcon` with id `uID` (also the id of its popup menu
  // resource) and `sToolTip` (cut to 127 characters); `hParent` receives
  // `uCallbackMessage`. False when there is no taskbar or the tray window
  // could not be made; a failed add stays pending.
  bool Create(HWND hParent, UINT uCallbackMessage, const std::string& sToolTip, HICON hIcon, UINT uID,
              bool bHidden = false);
  // Retries an add that failed.
  bool InstallIconPending();
  bool RemoveIcon();
  bool SetIcon(HICON hIcon);

  // The notification message's parameters, as the owner window got them.
  LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
  // Receiver of the menu's commands (default: the parent given to Create).
  void SetTargetWnd(HWND hWnd) { m_pTargetWnd = hWnd; }

  static void MinimiseToTray(HWND hWnd, bool bForceAnimation);
  static void MaximiseFromTray(HWND hWnd, bool bForceAnimation);
  static bool IsWindowInTray() { return s_bWindowInTray; }
  static HWND GetInvisibleParent() { return s_hInvisibleParent; }
  // The registered "TaskbarCreated" broadcast.
  static UINT TaskbarCreatedMessage() { return s_nTaskbarCreatedMsg; }

  bool IsVisible() const { return !m_bHidden && !m_bRemoved; }
  bool IsShowIconPending() const { return m_bShowIconPending; }
  HWND GetTrayWindow() const { return m_hWnd; }

 protected:
  // The popup's sub-menu just before it is shown.
  virtual void CustomizeMenu(HMENU) {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool AddIcon();
  void OnTaskbarCreated();
  HWND Target() const;
  UINT DefaultCommand() const;

  NOTIFYICONDATAA m_tnd{};
  bool m_bEnabled = false;
  bool m_bHidden = true;
  bool m_bRemoved = true;
  bool m_bWin2K = false;
  bool m_bShowIconPending = false;
  HWND m_hWnd = nullptr;  // the hidden tray window
  HWND m_pTargetWnd = nullptr;
  UINT m_DefaultMenuItemID = 0;
  bool m_DefaultMenuItemByPos = true;

  static UINT s_nTaskbarCreatedMsg;
  static bool s_bWindowInTray;
  static HWND s_hInvisibleParent;
};
