// One value of an INI file, read with private-profile semantics.
#pragma once

#include <string>

namespace Generic {

constexpr int MAX_NOTATION_LEN_ = 4096;
bool GetFromIniFile(const std::string& iniPath, const std::string& section, const std::string& key,
                    const std::string& defaultValue, std::string& value, int bufferLength);

}  // namespace Generic
