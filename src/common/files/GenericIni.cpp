// Reading one value of the program's INI files.
#include "common/files/GenericIni.h"

#include <functional>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/files/IniFile.h"
#include "common/files/PrivateProfile.h"

namespace Generic {
namespace {

// `read` fills the buffer of the given size as GetPrivateProfileString does.
using ProfileRead = std::function<DWord(char* buffer, DWord size)>;

bool ReadIniValue(const ProfileRead& read, const std::string& key, std::string& value, int bufferLength) {
  if (bufferLength < 1) {
    LOG_ST(10020, "Bad size", bufferLength, key);
    return false;
  }
  std::vector<char> buffer(static_cast<std::size_t>(bufferLength), '\0');
  const DWord dwRet = read(buffer.data(), static_cast<DWord>(bufferLength));
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
  return ReadIniValue(
      [&](char* buffer, DWord size) {
        return PrivateProfile::GetString(section, key, defaultValue, buffer, size, iniPath);
      },
      key, value, bufferLength);
}

bool GetFromCachedIniFile(const IniFileIndex* index, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::string& value, int bufferLength) {
  return ReadIniValue(
      [&](char* buffer, DWord size) {
        return IniFile::GetPrivateProfileStringFromIndex(section, key, defaultValue, buffer, size, index);
      },
      key, value, bufferLength);
}

}  // namespace Generic
