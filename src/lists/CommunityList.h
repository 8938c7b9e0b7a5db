// What the two community lists share.
#pragma once

#include <functional>
#include <string>

#include "common/base/Types.h"

class BHO;

namespace CommunityList {

// The missing-file message; it also closes the interactive program.
void ReportMissingListFile(const std::string& sListPath);

// The frame both community lists put around their own lookup: the record's
// CLSID (upper-cased), the missing-file message, the found values, and
// "Unknown" for a record no list has spoken about yet. `lookup` fills the
// three values and tells whether the list knows the CLSID.
using Lookup = std::function<HResult(const std::string& sClsid, std::string& sStatus, std::string& sDesc,
                                     std::string& sURL, bool& bFound)>;
HResult PopulateBHO(BHO* pBHO, const std::string& sListPath, const Lookup& lookup);

}  // namespace CommunityList
