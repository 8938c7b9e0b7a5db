#include "common/net/InternetResponse.h"

namespace InternetResponse {

// No Internet layer keeps server replies here.
bool GetLastResponseInfo(DWord& error, std::string& text) {
  error = 0;
  text.clear();
  return true;
}

}  // namespace InternetResponse
