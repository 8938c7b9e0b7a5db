// The platform half of UserMessage.
#pragma once

#include <string>

namespace UserMessage {

bool PlatformHasDesktop();
int PlatformShow(const std::string& text, const std::string& caption, unsigned style);

}  // namespace UserMessage
