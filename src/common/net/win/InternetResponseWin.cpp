#include <windows.h>
#include <wininet.h>

#include "common/net/InternetResponse.h"

namespace InternetResponse {

bool GetLastResponseInfo(DWord& error, std::string& text) {
  char buffer[1024] = {};
  DWORD dwError = 0;
  DWORD length = sizeof buffer;
  if (!::InternetGetLastResponseInfoA(&dwError, buffer, &length)) {
    error = 0;
    text.clear();
    return false;
  }
  error = dwError;
  text = buffer;
  return true;
}

}  // namespace InternetResponse
