// The Internet layer's last response from a server on this thread (the
// text of an FTP or HTTP reply that made a call fail).
#pragma once

#include <string>

#include "common/base/Types.h"

namespace InternetResponse {

// `error` gets the error number that goes with the response, `text` its text
// (at most 1023 characters); false when the layer has nothing to give.
bool GetLastResponseInfo(DWord& error, std::string& text);

}  // namespace InternetResponse
