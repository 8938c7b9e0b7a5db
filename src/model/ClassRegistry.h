// COM class registration lookups.
#pragma once

#include <string>

namespace ClassRegistry {

// True when `sClsid` parses as a CLSID ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}")
// and a ProgID is registered for it.
bool ProgIDFromCLSID(const std::string& sClsid, std::string& sProgId);

// The CLSID text syntax, checked without the registry.
bool IsClsidText(const std::string& sClsid);

}  // namespace ClassRegistry
