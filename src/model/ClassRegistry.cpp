#include "model/ClassRegistry.h"

#include <cctype>

namespace ClassRegistry {

bool IsClsidText(const std::string& s) {
  static const char kShape[] = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  if (s.size() != sizeof kShape - 1) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    const bool bHex = std::isxdigit(static_cast<unsigned char>(s[i])) != 0;
    if (kShape[i] == 'X' ? !bHex : s[i] != kShape[i]) return false;
  }
  return true;
}

}  // namespace ClassRegistry
