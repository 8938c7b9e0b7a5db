#include "app/win/RegistryWatchWin.h"

#include "common/registry/RegistryKeys.h"

namespace {

HKEY Root(RegistryMonitor::Key key) {
  return key == RegistryMonitor::kBhos ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}
const char* Path(RegistryMonitor::Key key) {
  return key == RegistryMonitor::kBhos ? REGKEY_BHO : REGKEY_BHO_DISABLED;
}

}  // namespace

RegistryWatchWin::~RegistryWatchWin() {
  for (RegistryMonitor::Key key : {RegistryMonitor::kBhos, RegistryMonitor::kDisabledBhos}) {
    CloseEvent(key);
    CloseKey(key);
  }
}

bool RegistryWatchWin::EnsureKey(RegistryMonitor::Key key) {
  HKEY hKey = nullptr;
  if (::RegCreateKeyExA(Root(key), Path(key), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
      ERROR_SUCCESS)
    return false;
  ::RegCloseKey(hKey);
  return true;
}

long RegistryWatchWin::OpenForNotification(RegistryMonitor::Key key) {
  CloseKey(key);
  const LONG lReturn = ::RegOpenKeyExA(Root(key), Path(key), 0, KEY_NOTIFY, &m_hKey[key]);
  if (lReturn != ERROR_SUCCESS) {
    m_hKey[key] = nullptr;
    ::SetLastError(static_cast<DWORD>(lReturn));
  }
  return lReturn;
}

bool RegistryWatchWin::CreateEvent(RegistryMonitor::Key key) {
  CloseEvent(key);
  m_hEvent[key] = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  return m_hEvent[key] != nullptr;
}

bool RegistryWatchWin::RegisterNotification(RegistryMonitor::Key key) {
  const LONG lReturn =
      ::RegNotifyChangeKeyValue(m_hKey[key], TRUE, REG_LEGAL_CHANGE_FILTER, m_hEvent[key], TRUE);
  if (lReturn == ERROR_SUCCESS) return true;
  ::SetLastError(static_cast<DWORD>(lReturn));
  return false;
}

bool RegistryWatchWin::StartTimer(int id, unsigned milliseconds) {
  return ::SetTimer(m_hWnd, static_cast<UINT_PTR>(id), milliseconds, nullptr) == static_cast<UINT_PTR>(id);
}

bool RegistryWatchWin::KillTimer(int id) { return ::KillTimer(m_hWnd, static_cast<UINT_PTR>(id)) != 0; }

bool RegistryWatchWin::CloseEvent(RegistryMonitor::Key key) {
  HANDLE hEvent = m_hEvent[key];
  m_hEvent[key] = nullptr;
  return hEvent == nullptr || ::CloseHandle(hEvent) != 0;
}

bool RegistryWatchWin::CloseKey(RegistryMonitor::Key key) {
  HKEY hKey = m_hKey[key];
  m_hKey[key] = nullptr;
  return hKey == nullptr || ::RegCloseKey(hKey) == ERROR_SUCCESS;
}

RegistryMonitor::Wait RegistryWatchWin::TestEvent(RegistryMonitor::Key key) {
  switch (::WaitForSingleObject(m_hEvent[key], 0)) {
    case WAIT_OBJECT_0: return RegistryMonitor::Wait::kSignalled;
    case WAIT_ABANDONED: return RegistryMonitor::Wait::kAbandoned;
    default: return RegistryMonitor::Wait::kNotSignalled;
  }
}
