// One e-mail with attachments through the user's default mail program, by
// Simple MAPI from "MAPI32.DLL", loaded at run time so that the program
// starts where no mail program is installed.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "common/base/Types.h"
#include "common/mail/MapiLibrary.h"

class MySimpleMapi {
 public:
  MySimpleMapi();  // the platform's library
  explicit MySimpleMapi(std::unique_ptr<MapiLibrary> pLibrary);
  ~MySimpleMapi();  // logs off and frees the library
  MySimpleMapi(const MySimpleMapi&) = delete;
  MySimpleMapi& operator=(const MySimpleMapi&) = delete;

  // Loads the library and logs on (the mail program may ask for a profile).
  HResult Initialize();
  HResult SendMail(const std::string& sSubject, const std::string& sMessage,
                   const std::list<std::string>& slRecipients, const std::list<std::string>& slDocPaths);

  static constexpr unsigned long MAPI_LOGON_UI = 0x00000001;
  static constexpr unsigned long MAPI_E_LOGON_FAILURE = 3;
  static constexpr unsigned long MAPI_E_NOT_SUPPORTED = 26;

  std::uintptr_t SessionHandle() const { return m_hMapiSession; }

 private:
  std::unique_ptr<MapiLibrary> m_pLibrary;
  std::uintptr_t m_hMapiSession = 0;
};
