#include "common/ui/RegistryWatch.h"

#include "common/base/ErrorCheck.h"

namespace {

const char kUnhookText[] = "((CTarvolinDlg*) AfxGetMainWnd())->UnhookTheRegistry()";
const char kHookText[] = "((CTarvolinDlg*) AfxGetMainWnd())->HookTheRegistry()";

RegistryWatch*& CurrentWatch() {
  static RegistryWatch* pWatch = nullptr;
  return pWatch;
}

}  // namespace

RegistryWatch* RegistryWatch::Current() { return CurrentWatch(); }

RegistryWatch* RegistryWatch::SetCurrent(RegistryWatch* pWatch) {
  RegistryWatch* pPrevious = CurrentWatch();
  CurrentWatch() = pWatch;
  return pPrevious;
}

WatchSuspension::WatchSuspension(HResult& hr) : m_pWatch(RegistryWatch::Current()) {
  m_bWasActive = m_pWatch != nullptr && m_pWatch->IsActive();
  if (m_bWasActive) EC_H_TEXT(hr, kUnhookText, m_pWatch->Unhook());
}

WatchSuspension::~WatchSuspension() {
  HResult hr = kSOk;
  Restore(hr);
}

void WatchSuspension::Restore(HResult& hr) {
  if (!m_bWasActive) return;
  m_bWasActive = false;
  const HResult hrHook = m_pWatch->Hook();
  if (Failed(hrHook)) {
    ErrorCheck::LogFailedResult(__FILE__, __LINE__, kHookText, hrHook);
    if (Succeeded(hr)) hr = hrHook;
  }
}
