#include "common/ui/Shell.h"

namespace Shell {

// No desktop shell here: no application is associated with any document
// (SE_ERR_NOASSOC).
std::intptr_t PlatformOpenDocument(const std::string&, const std::string&) { return 31; }

std::intptr_t PlatformNavigate(const std::string&) { return 31; }

std::intptr_t PlatformExecute(const Request&) { return 31; }

// Nor any browser window.
bool PlatformIsBrowserWindowOpen() { return false; }

}  // namespace Shell
