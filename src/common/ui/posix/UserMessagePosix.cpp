#include "common/ui/UserMessage.h"
#include "common/ui/UserMessagePlatform.h"

namespace UserMessage {

// Without a window system every message goes to standard error.
bool PlatformHasDesktop() { return false; }
int PlatformShow(const std::string&, const std::string&, unsigned) { return kIdOk; }

}  // namespace UserMessage
