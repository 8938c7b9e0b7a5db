#include <windows.h>
#include <mapi.h>

#include <vector>

#include "common/mail/MapiLibrary.h"

namespace {

// The parent the mail program's windows belong to: the program's active
// window, as the main window is whenever the user asks for a mail.
ULONG_PTR Parent() { return reinterpret_cast<ULONG_PTR>(::GetActiveWindow()); }

class WinMapiLibrary : public MapiLibrary {
 public:
  // No destructor of its own: after a failed log-off the library stays
  // loaded, since the mail program may still be using it.
  bool Load(const char* name) override {
    m_hInstMapi32 = ::LoadLibraryA(name);
    return m_hInstMapi32 != nullptr;
  }
  bool IsLoaded() const override { return m_hInstMapi32 != nullptr; }
  bool HasFunction(const char* name) override { return Find(name) != nullptr; }

  unsigned long Logon(unsigned long flags, std::uintptr_t& session) override {
    auto pMAPILogon = reinterpret_cast<LPMAPILOGON>(Find("MAPILogon"));
    LHANDLE hSession = 0;
    const ULONG ul = pMAPILogon(Parent(), nullptr, nullptr, flags, 0, &hSession);
    session = hSession;
    return ul;
  }

  unsigned long SendMail(std::uintptr_t session, const MapiMail& mail, unsigned long flags) override {
    auto pMAPISendMail = reinterpret_cast<LPMAPISENDMAIL>(Find("MAPISendMail"));
    // The structures point into copies that live until the call returns.
    std::vector<std::string> texts;
    texts.reserve(2 + mail.recipients.size() + 2 * mail.attachments.size());
    auto keep = [&texts](const std::string& s) { return &texts.emplace_back(s)[0]; };
    std::vector<MapiRecipDesc> recipients(mail.recipients.size());
    for (std::size_t i = 0; i < recipients.size(); ++i) {
      recipients[i].ulRecipClass = MAPI_TO;
      recipients[i].lpszName = keep(mail.recipients[i]);
    }
    std::vector<MapiFileDesc> files(mail.attachments.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
      files[i].nPosition = static_cast<ULONG>(-1);
      files[i].lpszPathName = keep(mail.attachments[i].path);
      files[i].lpszFileName = keep(mail.attachments[i].fileName);
    }
    MapiMessage mm{};
    mm.lpszSubject = keep(mail.subject);
    mm.lpszNoteText = keep(mail.note);
    mm.nRecipCount = static_cast<ULONG>(recipients.size());
    mm.lpRecips = recipients.empty() ? nullptr : recipients.data();
    mm.nFileCount = static_cast<ULONG>(files.size());
    mm.lpFiles = files.empty() ? nullptr : files.data();
    return pMAPISendMail(session, Parent(), &mm, flags, 0);
  }

  unsigned long Logoff(std::uintptr_t session) override {
    auto pMAPILogoff = reinterpret_cast<LPMAPILOGOFF>(Find("MAPILogoff"));
    return pMAPILogoff(session, Parent(), 0, 0);
  }

  bool Free() override {
    if (!m_hInstMapi32) return true;
    const bool bOk = ::FreeLibrary(m_hInstMapi32) != 0;
    m_hInstMapi32 = nullptr;
    return bOk;
  }

 private:
  void* Find(const char* name) {
    return m_hInstMapi32 ? reinterpret_cast<void*>(::GetProcAddress(m_hInstMapi32, name)) : nullptr;
  }

  HMODULE m_hInstMapi32 = nullptr;
};

}  // namespace

std::unique_ptr<MapiLibrary> MapiLibrary::Create() { return std::make_unique<WinMapiLibrary>(); }
