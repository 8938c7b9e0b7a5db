// Reading one value of the program's INI files.
#include "common/files/GenericIni.h"

#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/files/PrivateProfile.h"

namespace Generic {

bool GetFromIniFile(const std::string& iniPath, const std::string& section, const std::string& key,
                    const std::string& defaultValue, std::string& value, int bufferLength) {
  if (bufferLength < 1) {
    LOG_ST(10020, "Bad size", bufferLength, key);
    return false;
  }
  std::vector<char> buffer(static_cast<std::size_t>(bufferLength), '\0');
  const DWord dwRet = PrivateProfile::GetString(section, key, defaultValue, buffer.data(),
                                                static_cast<DWord>(bufferLength), iniPath);
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

}  // namespace Generic
