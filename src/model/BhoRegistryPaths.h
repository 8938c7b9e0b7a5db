// Where a BHO's class registration keeps its DLL path, and how it is read:
// shared by loading and by enabling and disabling.
#pragma once

#include <string>

#include "common/base/Types.h"
#include "common/registry/MyRegistry.h"

namespace BhoPaths {

inline std::string InProcServerKey(const std::string& sClsid) {
  return "CLSID\\" + sClsid + "\\InProcServer32";
}

// What the default value of a class's InProcServer32 key holds. Whoever
// installs a BHO may store any type there; only text names a DLL.
enum class StoredPath { kNone, kNotText, kText };

inline StoredPath ReadStoredPath(MyRegistry& reg, std::string& sPath, DWord& dwType) {
  std::string sValue;
  if (!reg.ReadValueString("", sValue, dwType)) return StoredPath::kNone;
  if (dwType != Registry::kSz && dwType != Registry::kExpandSz) return StoredPath::kNotText;
  sPath = sValue;
  return StoredPath::kText;
}

}  // namespace BhoPaths
