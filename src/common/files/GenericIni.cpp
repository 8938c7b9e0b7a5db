// Reading one value of the program's INI files.
#include "common/files/GenericIni.h"

#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/files/IniFile.h"
#include "common/files/PrivateProfile.h"

namespace Generic {
namespace {

using ProfileReader = DWord (*)(const std::string& section, const std::string& key,
                                const std::string& defaultValue, char* buffer, DWord size,
                                const std::string& fileName);

bool ReadIniValue(ProfileReader read, const std::string& iniPath, const std::string& section,
                  const std::string& key, const std::string& defaultValue, std::string& value,
                  int bufferLength) {
  if (bufferLength < 1) {
    LOG_ST(10020, "Bad size", bufferLength, key);
    return false;
  }
  std::vector<char> buffer(static_cast<std::size_t>(bufferLength), '\0');
  const DWord dwRet =
      read(section, key, defaultValue, buffer.data(), static_cast<DWord>(bufferLength), iniPath);
  value = buffer.data();
  // A text that fills the buffer may have been cut.
  const DWord length = static_cast<DWord>(bufferLength);
  if (dwRet == length - 1 || dwRet + 2 == length) {
    LOG_ST(10020, "GetPrivateProfileString() buffer too small", dwRet, key);
    return false;
  }
  if (value.size() != dwRet) {
    LOG_ST(10020, "GetPrivateProfileString() other error", dwRet, key);
    return false;
  }
  return !value.empty();
}

}  // namespace

bool GetFromIniFile(const std::string& iniPath, const std::string& section, const std::string& key,
                    const std::string& defaultValue, std::string& value, int bufferLength) {
  return ReadIniValue(PrivateProfile::GetString, iniPath, section, key, defaultValue, value, bufferLength);
}

bool GetFromCachedIniFile(const std::string& iniPath, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::string& value, int bufferLength) {
  return ReadIniValue(IniFile::GetPrivateProfileString, iniPath, section, key, defaultValue, value,
                      bufferLength);
}

}  // namespace Generic
