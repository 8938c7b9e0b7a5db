#include <windows.h>

#include "common/PrivateProfile.h"

namespace PrivateProfile {

DWord GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                char* buffer, DWord size, const std::string& fileName) {
  return ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, size,
                                    fileName.c_str());
}

}  // namespace PrivateProfile
