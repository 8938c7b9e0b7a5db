#include <windows.h>

#include "common/files/PrivateProfile.h"

namespace PrivateProfile {

DWord GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                char* buffer, DWord size, const std::string& fileName) {
  return ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, size,
                                    fileName.c_str());
}

bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                 const std::string& fileName) {
  return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName.c_str()) != 0;
}

}  // namespace PrivateProfile
