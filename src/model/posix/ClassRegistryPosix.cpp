#include "common/registry/MyRegistry.h"
#include "model/ClassRegistry.h"

namespace ClassRegistry {

// What ProgIDFromCLSID does: the default value of CLSID\{...}\ProgID.
bool ProgIDFromCLSID(const std::string& sClsid, std::string& sProgId) {
  if (!IsClsidText(sClsid)) return false;
  MyRegistry reg;
  std::string sValue;
  if (!reg.Open(Registry::kClassesRoot, "CLSID\\" + sClsid + "\\ProgID", false) ||
      !reg.ReadValueString("", sValue) || sValue.empty())
    return false;
  sProgId = sValue;
  return true;
}

}  // namespace ClassRegistry
