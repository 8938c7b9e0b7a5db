#include "common/ui/win/MySingleInstance.h"

#include "common/base/ErrorCheck.h"

MySingleInstance::~MySingleInstance() {
  if (m_bRegistered) ::UnregisterClassA(m_sClassName.c_str(), ::GetModuleHandleA(nullptr));
  if (m_hMutex) ::CloseHandle(m_hMutex);
}

HResult MySingleInstance::Create(const std::string& name) {
  LOG_ENTRY("MySingleInstance::Create");
  HResult hr = kSOk;
  m_sClassName = name + " Class";
  ::SetLastError(ERROR_SUCCESS);
  m_hMutex = ::CreateMutexA(nullptr, FALSE, m_sClassName.c_str());
  const bool bExisted = ::GetLastError() == ERROR_ALREADY_EXISTS;
  EC_B(hr, NULL != m_hMutex);
  if (Failed(hr)) return hr;

  if (!bExisted) {
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = m_sClassName.c_str();
    EC_B(hr, 0 != ::RegisterClassA(&wc));
    m_bRegistered = Succeeded(hr);
    return hr;
  }

  // Another copy runs: bring it forward instead.
  HWND hOther = ::FindWindowA(m_sClassName.c_str(), nullptr);
  if (!hOther) hOther = ::FindWindowA(nullptr, name.c_str());
  if (hOther) {
    HResult hrShow = kSOk;
    ::ShowWindow(hOther, SW_RESTORE);  // returns the earlier visibility, not success
    EC_B(hrShow, ::SetWindowPos(hOther, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    hrShow = kSOk;
    EC_B(hrShow, ::SetForegroundWindow(hOther));
  }
  // The other copy keeps the guard; this handle is of no further use.
  ::CloseHandle(m_hMutex);
  m_hMutex = nullptr;
  return kEFail;
}
