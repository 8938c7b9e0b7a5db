// The registry monitor's platform on Windows: keys opened for notification,
// manual-reset events signalled by RegNotifyChangeKeyValue, and the main
// window's timers 1 and 2.
#pragma once

#include <windows.h>

#include "app/RegistryMonitor.h"

class RegistryWatchWin : public RegistryMonitor::Platform {
 public:
  // Timers are set on `hWnd` (its WM_TIMER messages drive the polling).
  explicit RegistryWatchWin(HWND hWnd) : m_hWnd(hWnd) {}
  ~RegistryWatchWin() override;
  RegistryWatchWin(const RegistryWatchWin&) = delete;
  RegistryWatchWin& operator=(const RegistryWatchWin&) = delete;

  bool EnsureKey(RegistryMonitor::Key key) override;
  long OpenForNotification(RegistryMonitor::Key key) override;
  bool CreateEvent(RegistryMonitor::Key key) override;
  bool RegisterNotification(RegistryMonitor::Key key) override;
  bool StartTimer(int id, unsigned milliseconds) override;
  bool KillTimer(int id) override;
  bool CloseEvent(RegistryMonitor::Key key) override;
  bool CloseKey(RegistryMonitor::Key key) override;
  bool HasEvent(RegistryMonitor::Key key) const override { return m_hEvent[key] != nullptr; }
  RegistryMonitor::Wait TestEvent(RegistryMonitor::Key key) override;

 private:
  HWND m_hWnd;
  HKEY m_hKey[2] = {nullptr, nullptr};      // m_hKeyBHOs, m_hKeyDisabledBHOs
  HANDLE m_hEvent[2] = {nullptr, nullptr};  // m_hEventBHOs, m_hEventDisabledBHOs
};
