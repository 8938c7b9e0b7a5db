// What the two community lists share.
#pragma once

#include <string>

class BHO;

namespace CommunityList {

// The missing-file message; it also closes the interactive program.
void ReportMissingListFile(const std::string& sListPath);

// A record no list has spoken about yet becomes "Unknown".
void DefaultToUnknown(BHO* pBHO);

std::string ToUpper(std::string text);

}  // namespace CommunityList
