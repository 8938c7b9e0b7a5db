// Texts for system error numbers and HRESULTs, as the system words them,
// without the line end the system puts after every message.
#include "common/base/GenericErrors.h"

#include "common/base/ErrorCheck.h"
#include "common/base/SystemApi.h"

namespace Generic {
namespace {

std::string SystemText(DWord code) {
  std::string text;
  if (!SystemApi::FormatSystemMessage(code, text)) {
    LOGE("\n::FormatMessage() failed for error <%d>.", code);
    return std::string();
  }
  // The message table ends every text with CR LF.
  text.erase(text.size() >= 2 ? text.size() - 2 : 0);
  return text;
}

}  // namespace

std::string GetErrorText(DWord code) {
  if (code == 0) {
    code = SystemApi::GetLastError();
    if (code == 0) return std::string();
  }
  return SystemText(code);
}

std::string GetHResultText(HResult hr) { return SystemText(static_cast<DWord>(hr)); }

}  // namespace Generic
