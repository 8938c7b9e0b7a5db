#include "common/ui/StringTable.h"

#include "res/CheckForUpdateDlgRes.h"
#include "res/TarvolinDlgRes.h"
#include "res/resource.h"

namespace StringTable {

const std::vector<std::pair<unsigned, const char*>>& Entries() {
  static const std::vector<std::pair<unsigned, const char*>> entries = {
      {ID_APP_OPEN, "Open\nOpen"},
      {IDS_ABOUTBOX, "&About Tarvolin 2.0..."},
      {IDS_SURE_TO_EXIT_CAPTION, "Sure you want to exit?"},
      {IDS_WANT_TO_CHECK_CAPTION, "Want to Check for Updates?"},
      {IDS_NO_NEW_VERSION_CAPTION, "No new version yet!"},
      {IDS_WELCOME_CAPTION, "Welcome to Tarvolin!"},
      {IDS_SP2_CAPTION, "Windows XP Service Pack 2 Detected"},
      {IDS_NO_BHOS_TO_REPORT_CAPTION, "No BHOs to report!"},
      {IDS_BHO_ENABLED_CAPTION, "BHO Enabled!  Please read this the first time!"},
      {IDS_BHO_DISABLED_CAPTION, "BHO Disabled!  Please read this the first time!"},
      {IDS_VIEW_TEXT_CAPTION, "Viewing Text Inside BHO's File"},
      {IDS_DAP_DETECTED, "Download Accelerator Plus detected!"},
      {IDS_GREETING_FLAG, "GreetingFlag"},
      {IDS_API_FAILURE, "API Failure for <%s> is <%d>: <%s>"},
      {IDS_NEW_FAILURE, "New failure <%s>"},
      {IDS_REGISTRY_NOT_OPEN, "The Registry is not open on key <%s>."},
      {IDS_NULL_POINTER, "Null pointer encountered for variable <%s>"},
      {IDS_BAD_DEFAULT_CASE, "Bad default case encountered in function <%s>."},
      {IDS_MSGBOX_QUESTION, "Question - "},
      {IDS_MSGBOX_IMPORTANT, "Important - "},
      {IDS_MSGBOX_INFORMATION, "Information - "},
  };
  return entries;
}

std::string Load(unsigned id) {
  for (const auto& entry : Entries()) {
    if (entry.first == id) return entry.second;
  }
  return std::string();
}

}  // namespace StringTable
