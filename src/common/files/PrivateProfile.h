// The platform's private-profile read: the system call on Windows, the
// portable IniFile reader elsewhere. Same contract as IniFile's.
#pragma once

#include <string>

#include "common/base/Types.h"

namespace PrivateProfile {

DWord GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                char* buffer, DWord size, const std::string& fileName);

// The platform's private-profile write (WritePrivateProfileString).
bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                 const std::string& fileName);

}  // namespace PrivateProfile
