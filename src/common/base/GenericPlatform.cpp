// Facts about the running system that change what the program does.
#include "common/base/GenericPlatform.h"

#include <cctype>

#include "common/base/ErrorCheck.h"

namespace Generic {

bool IsXPServicePack2(const SystemApi::OsVersion& osvi) {
  constexpr DWord kPlatformNt = 2;
  const std::string sp2 = "Service Pack 2";
  if (osvi.platformId != kPlatformNt || osvi.major != 5 || osvi.minor != 1 || osvi.csd.size() != sp2.size()) {
    return false;
  }
  for (std::size_t i = 0; i < sp2.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(osvi.csd[i])) !=
        std::toupper(static_cast<unsigned char>(sp2[i]))) {
      return false;
    }
  }
  return true;
}

bool IsXPServicePack2() {
  HResult hr = kSOk;
  SystemApi::OsVersion osvi;
  EC_B_TEXT(hr, "::GetVersionEx(&osvi)", SystemApi::GetVersionInfo(osvi));
  return Succeeded(hr) && IsXPServicePack2(osvi);
}

}  // namespace Generic
