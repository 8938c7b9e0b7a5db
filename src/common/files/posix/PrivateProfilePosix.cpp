#include "common/files/IniFile.h"
#include "common/files/PrivateProfile.h"

namespace PrivateProfile {

DWord GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                char* buffer, DWord size, const std::string& fileName) {
  return IniFile::GetPrivateProfileString(section, key, defaultValue, buffer, size, fileName);
}

bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                 const std::string& fileName) {
  return IniFile::WritePrivateProfileString(section, key, value, fileName);
}

}  // namespace PrivateProfile
