#include "common/mail/MySimpleMapi.h"

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"

MySimpleMapi::MySimpleMapi() : MySimpleMapi(MapiLibrary::Create()) {}
MySimpleMapi::MySimpleMapi(std::unique_ptr<MapiLibrary> pLibrary) : m_pLibrary(std::move(pLibrary)) {}

MySimpleMapi::~MySimpleMapi() {
  WaitCursor wait;
  HResult hr = kSOk;
  if (m_hMapiSession) {
    EC_B_TEXT(hr, "pMAPILogoff", m_pLibrary->HasFunction("MAPILogoff"));
    unsigned long ul = 1;
    if (Succeeded(hr)) ul = m_pLibrary->Logoff(m_hMapiSession);
    if (ul == 0) {
      LOGT("MAPILogoff successful.\n");
    } else {
      LOGE("MAPILogoff failed with error <%d>.\n", ul);
      hr = kEFail;
    }
    m_hMapiSession = 0;
  }
  // After a failed log-off the session may still use the library.
  if (m_pLibrary->IsLoaded()) EC_B_TEXT(hr, "FreeLibrary(m_hInstMapi32)", m_pLibrary->Free());
}

HResult MySimpleMapi::Initialize() {
  WaitCursor wait;
  LOGD(">>> MySimpleMapi::Initialize()\n");
  HResult hr = kSOk;
  EC_B_TEXT(hr, "NULL != (m_hInstMapi32 = AfxLoadLibrary(\"MAPI32.DLL\"))", m_pLibrary->Load("MAPI32.DLL"));
  EC_B_TEXT(hr, "pMAPILogon", m_pLibrary->HasFunction("MAPILogon"));
  unsigned long ul = 0;
  const bool bCalled = Succeeded(hr);
  EC_B_TEXT(hr,
            "ul = (*pMAPILogon) ( (ULONG) AfxGetMainWnd()->GetSafeHwnd(), NULL, NULL, MAPI_LOGON_UI, 0, "
            "&m_hMapiSession)",
            ((ul = m_pLibrary->Logon(MAPI_LOGON_UI, m_hMapiSession)), true));
  if (bCalled && ul == 0) {
    LOGT("MAPILogon successful.\n");
    EC_B_TEXT(hr, "NULL != m_hMapiSession", m_hMapiSession != 0);
  } else {
    if (bCalled && ul == MAPI_E_LOGON_FAILURE)
      LOGE("MAPILogon failed with error <%d>: MAPI_E_LOGON_FAILURE.\n", ul);
    else
      LOGE("MAPILogon failed with error <%d>.\n", ul);
    hr = kEFail;
    EC_B_TEXT(hr, "NULL != m_hMapiSession", m_hMapiSession != 0);
  }
  return hr;
}

HResult MySimpleMapi::SendMail(const std::string& sSubject, const std::string& sMessage,
                               const std::list<std::string>& slRecipients,
                               const std::list<std::string>& slDocPaths) {
  WaitCursor wait;
  LOGD(">>> MySimpleMapi::SendMail()\n");
  HResult hr = kSOk;
  EC_B_TEXT(hr, "m_hInstMapi32", m_pLibrary->IsLoaded());
  EC_B(hr, m_hMapiSession);
  if (Failed(hr)) return hr;

  MapiMail mm;
  mm.subject = sSubject;
  mm.note = sMessage;
  for (const std::string& sRecipient : slRecipients) {
    mm.recipients.push_back(sRecipient);
    LOGT("Added recipient <%s>.\n", sRecipient);
  }
  for (const std::string& sDoc : slDocPaths) {
    mm.attachments.push_back({sDoc, Generic::GetFileName(sDoc)});
    LOGT("Added document <%s>.\n", sDoc);
  }

  EC_B_TEXT(hr, "pMAPISendMail", m_pLibrary->HasFunction("MAPISendMail"));
  if (Failed(hr)) return hr;
  const unsigned long ul = m_pLibrary->SendMail(m_hMapiSession, mm, 0);
  if (ul == 0) {
    LOGT("MAPISendMail successful.\n");
  } else if (ul == MAPI_E_NOT_SUPPORTED) {
    LOGE(
        "Got error MAPI_E_NOT_SUPPORTED.  Either you canceled the email, or your email program does not "
        "allow "
        "you to do this!\n");
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
    hr = kEFail;
  } else {
    LOGE("MAPISendMail failed with MAPI error <%d>.\n", ul);
    LOGE("   See MAPI errors like MAPI_E_FAILURE in MAPI.H.\n");
    LOGE("   (Was the attached file open?)\n");
    hr = kEFail;
  }
  return hr;
}
