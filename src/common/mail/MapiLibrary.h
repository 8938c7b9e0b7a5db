// The Simple MAPI library as MySimpleMapi uses it: loaded at run time, its
// three functions looked up by name, and the calls made with the program's
// main window as parent. The platform's backend (win/, posix/) fills it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/base/Types.h"

struct MapiMail {
  struct Attachment {
    std::string path;
    std::string fileName;
  };
  std::string subject;
  std::string note;
  std::vector<std::string> recipients;  // names the mail program resolves (class MAPI_TO)
  std::vector<Attachment> attachments;  // position -1: attached, not placed in the text
};

class MapiLibrary {
 public:
  virtual ~MapiLibrary() = default;

  // False with the system error set when the library cannot be loaded.
  virtual bool Load(const char* name) = 0;
  virtual bool IsLoaded() const = 0;
  // False when the loaded library has no such function.
  virtual bool HasFunction(const char* name) = 0;
  // The Simple MAPI results (0 success); each function must be present.
  virtual unsigned long Logon(unsigned long flags, std::uintptr_t& session) = 0;
  virtual unsigned long SendMail(std::uintptr_t session, const MapiMail& mail, unsigned long flags) = 0;
  virtual unsigned long Logoff(std::uintptr_t session) = 0;
  virtual bool Free() = 0;

  // The platform's library.
  static std::unique_ptr<MapiLibrary> Create();
};
