#include "app/RegistryMonitor.h"

#include "common/base/ErrorCheck.h"
#include "common/ui/UserMessage.h"

namespace {

const char* const kHookFailedBhos =
    "Tarvolin could not 'hook' the Registry key where BHOs are listed.  Unless you're running Windows 95/98, "
    "this is probably because you do not have 'Administrator privileges'.  You must have them to run "
    "Tarvolin, because Tarvolin needs access to certain portions of the Registry.\n";
const char* const kHookFailedDisabled =
    "Tarvolin could not 'hook' the Registry key where disabled BHOs are listed.  Unless you're running "
    "Windows 95/98, this is probably because you do not have 'Administrator privileges'.  You must have them "
    "to run Tarvolin, because Tarvolin needs access to certain portions of the Registry.\n";

void ShowHookFailure(const char* text, long lReturn) {
  EC_VAR(lReturn, "%d");
  LOGE("%s", text);
  UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
}

}  // namespace

RegistryMonitor::RegistryMonitor(std::unique_ptr<Platform> platform, Reactions reactions)
    : m_pPlatform(std::move(platform)), m_reactions(std::move(reactions)) {}

HResult RegistryMonitor::HookTheRegistry() {
  LOG_ENTRY("CTarvolinDlg::HookTheRegistry");
  HResult hr = kSOk;
  Platform& p = *m_pPlatform;
  long lReturn = 0;

  EC_B_TEXT(hr, "reg.Open(HKEY_LOCAL_MACHINE, REGKEY_BHO, true)", p.EnsureKey(kBhos));
  EC_B_TEXT(hr,
            "ERROR_SUCCESS == (lReturn = ::RegOpenKeyEx(HKEY_LOCAL_MACHINE, REGKEY_BHO, 0, KEY_NOTIFY, "
            "&m_hKeyBHOs))",
            0 == (lReturn = p.OpenForNotification(kBhos)));
  if (Failed(hr)) ShowHookFailure(kHookFailedBhos, lReturn);
  EC_B_TEXT(hr, "NULL != (m_hEventBHOs = ::CreateEvent(NULL, TRUE, FALSE, NULL))", p.CreateEvent(kBhos));
  EC_B_TEXT(hr,
            "ERROR_SUCCESS == ::RegNotifyChangeKeyValue(m_hKeyBHOs, TRUE, REG_LEGAL_CHANGE_FILTER, "
            "m_hEventBHOs, TRUE)",
            p.RegisterNotification(kBhos));
  EC_B_TEXT(hr, "TIMER_ID_EVENT_BHOS == SetTimer(TIMER_ID_EVENT_BHOS, 5000, NULL)",
            p.StartTimer(TIMER_ID_EVENT_BHOS, kPollMilliseconds));

  lReturn = 0;
  EC_B_TEXT(hr, "reg.Open(HKEY_CURRENT_USER, REGKEY_BHO_DISABLED, true)", p.EnsureKey(kDisabledBhos));
  EC_B_TEXT(
      hr,
      "ERROR_SUCCESS == (lReturn = ::RegOpenKeyEx(HKEY_CURRENT_USER, REGKEY_BHO_DISABLED, 0, KEY_NOTIFY, "
      "&m_hKeyDisabledBHOs))",
      0 == (lReturn = p.OpenForNotification(kDisabledBhos)));
  if (Failed(hr)) {
    // A failure before carries over: both messages then appear.
    ShowHookFailure(kHookFailedDisabled, lReturn);
  } else {
    EC_B_TEXT(hr, "NULL != (m_hEventDisabledBHOs = ::CreateEvent(NULL, TRUE, FALSE, NULL))",
              p.CreateEvent(kDisabledBhos));
    EC_B_TEXT(hr,
              "ERROR_SUCCESS == ::RegNotifyChangeKeyValue(m_hKeyDisabledBHOs, TRUE, REG_LEGAL_CHANGE_FILTER, "
              "m_hEventDisabledBHOs, TRUE)",
              p.RegisterNotification(kDisabledBhos));
  }
  EC_B_TEXT(hr, "TIMER_ID_DISABLED_BHOS == SetTimer(TIMER_ID_DISABLED_BHOS, 5000, NULL)",
            p.StartTimer(TIMER_ID_DISABLED_BHOS, kPollMilliseconds));
  return hr;
}

HResult RegistryMonitor::UnhookTheRegistry() {
  LOG_ENTRY("CTarvolinDlg::UnhookTheRegistry");
  Platform& p = *m_pPlatform;
  if (!p.HasEvent(kBhos)) return kSOk;
  // Every handle goes, whatever fails on the way; only the second timer's
  // stop waits for a clean first half.
  HResult hr = kSOk;
  const auto step = [&](bool bDone, const char* text) {
    if (bDone) return;
    hr = kEFail;
    ErrorCheck::LogFailedCall(__FILE__, __LINE__, text);
  };
  step(p.KillTimer(TIMER_ID_EVENT_BHOS), "KillTimer(TIMER_ID_EVENT_BHOS)");
  step(p.CloseEvent(kBhos), "::CloseHandle(m_hEventBHOs)");
  step(p.CloseKey(kBhos), "ERROR_SUCCESS == ::RegCloseKey(m_hKeyBHOs)");
  HResult hrStep = hr;
  EC_B_TEXT(hrStep, "KillTimer(TIMER_ID_DISABLED_BHOS)", p.KillTimer(TIMER_ID_DISABLED_BHOS));
  if (Failed(hrStep)) hr = kEFail;
  step(p.CloseEvent(kDisabledBhos), "::CloseHandle(m_hEventDisabledBHOs)");
  step(p.CloseKey(kDisabledBhos), "ERROR_SUCCESS == ::RegCloseKey(m_hKeyDisabledBHOs)");
  return hr;
}

void RegistryMonitor::OnTimer(int nIDEvent) {
  if (nIDEvent != TIMER_ID_EVENT_BHOS && nIDEvent != TIMER_ID_DISABLED_BHOS) return;
  const Key key = nIDEvent == TIMER_ID_EVENT_BHOS ? kBhos : kDisabledBhos;
  if (!m_pPlatform->HasEvent(key)) return;
  switch (m_pPlatform->TestEvent(key)) {
    case Wait::kSignalled: {
      HResult hr = kSOk;
      EC_H(hr, HandleEventSignaled(nIDEvent));
      break;
    }
    case Wait::kAbandoned: LOGE("::WaitForSingleObject() failed with WAIT_ABANDONED!\n"); break;
    case Wait::kNotSignalled: break;
  }
}

HResult RegistryMonitor::HandleEventSignaled(int nIDEvent) {
  LOG_ENTRY("CTarvolinDlg::HandleEventSignaled");
  if (nIDEvent != TIMER_ID_EVENT_BHOS && nIDEvent != TIMER_ID_DISABLED_BHOS) {
    LOGE("Illegal timer id <%d>.\n", nIDEvent);
    return kSOk;
  }
  // Unhooked first: both timers stop and both events go, so a second change
  // pending on the other key raises no second alert.
  HResult hr = kSOk;
  EC_H(hr, UnhookTheRegistry());
  if (Failed(hr)) {
    const int m_hEventBHOs = m_pPlatform->HasEvent(kBhos) ? 1 : 0;
    EC_VAR(m_hEventBHOs, "%d");
  }
  if (m_reactions.alert) m_reactions.alert();
  HResult hrHook = kSOk;
  EC_H(hrHook, HookTheRegistry());
  HResult hrRefresh = kSOk;
  if (m_reactions.refresh) EC_H(hrRefresh, m_reactions.refresh());
  return Failed(hrHook) ? hrHook : hrRefresh;
}
