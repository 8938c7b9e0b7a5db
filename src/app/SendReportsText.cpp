#include "app/SendReportsText.h"

#include <cstdio>
#include <vector>

#include "common/ui/UserMessage.h"

namespace SendReportsText {

std::string Prompt(int nNeedReporting) {
  static const char kFormat[] =
      "You have %d BHO%s that %s eligible to be reported.  However, you don't have to report %s if you don't "
      "want to.  By sending us these reports, you can help us update our BHO database for all users of "
      "Tarvolin.  No information that can uniquely identify your computer will be sent to us.  The files "
      "that "
      "are sent to us can be found in the folder you installed Tarvolin to. \n\nDo you want to send the "
      "report(s) now?";
  const bool bOne = nNeedReporting == 1;
  std::vector<char> text(sizeof kFormat + 32);
  std::snprintf(text.data(), text.size(), kFormat, nNeedReporting, bOne ? "" : "s", bOne ? "is" : "are",
                bOne ? "it" : "them");
  return text.data();
}

std::string Progress(const std::string& sName) {
  return "Reporting BHO '" + sName + "' to the Kestrove website... please wait...";
}

Closing ClosingMessage(bool bSucceeded, bool bAllUploaded) {
  if (!bSucceeded) {
    return {
        "One or more reports failed to upload - please try again later.  (See the logfile or more details on "
        "the errors encountered.)",
        UserMessage::kIconExclamation};
  }
  std::string sText =
      "Thank you for sending these reports!  The anonymous data you have sent will be combined with reports "
      "from "
      "thousands of other users, and used to investigate these BHOs.";
  if (bAllUploaded) return {sText, UserMessage::kIconInformation};
  sText += "  (Some files did not successfully upload.)";
  return {sText, UserMessage::kIconExclamation};
}

}  // namespace SendReportsText
