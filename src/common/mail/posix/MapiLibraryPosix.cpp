// No Simple MAPI outside Windows: the library is never found, so the mail
// fails as it does on a Windows without a mail program.
#include "common/base/SystemApi.h"
#include "common/mail/MapiLibrary.h"

namespace {

class AbsentMapiLibrary : public MapiLibrary {
 public:
  bool Load(const char*) override {
    SystemApi::SetLastError(126);  // ERROR_MOD_NOT_FOUND
    return false;
  }
  bool IsLoaded() const override { return false; }
  bool HasFunction(const char*) override { return false; }
  unsigned long Logon(unsigned long, std::uintptr_t&) override { return 2; }
  unsigned long SendMail(std::uintptr_t, const MapiMail&, unsigned long) override { return 2; }
  unsigned long Logoff(std::uintptr_t) override { return 2; }
  bool Free() override { return true; }
};

}  // namespace

std::unique_ptr<MapiLibrary> MapiLibrary::Create() { return std::make_unique<AbsentMapiLibrary>(); }
