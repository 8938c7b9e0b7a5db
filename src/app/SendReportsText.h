// What the Send BHO Reports action says: the offer, the line shown while
// each report goes, and the closing message with its icon.
#pragma once

#include <string>

namespace SendReportsText {

// The offer for `nNeedReporting` BHOs (one: "1 BHO that is ... report it").
std::string Prompt(int nNeedReporting);

// "Reporting BHO '<name>' to the Kestrove website... please wait..."
std::string Progress(const std::string& sName);

// The closing message after the uploads and its MB_ icon bits.
struct Closing {
  std::string sText;
  unsigned uiStyle;
};
Closing ClosingMessage(bool bSucceeded, bool bAllUploaded);

constexpr const char* kNothingToReport = "There are currently no BHOs that need to be reported.";

}  // namespace SendReportsText
