// One value of an INI file, read with private-profile semantics.
#pragma once

#include <string>

class IniFileIndex;

namespace Generic {

constexpr int MAX_NOTATION_LEN_ = 4096;

// Reads through the system's private-profile call (on Windows), which reads
// the file afresh every time: for files that the user or another copy of the
// program may edit at any moment, such as the user's notes in "Tarvolin.ini".
bool GetFromIniFile(const std::string& iniPath, const std::string& section, const std::string& key,
                    const std::string& defaultValue, std::string& value, int bufferLength);

// The same read, with the same answers and log lines, through the portable
// reader (IniFile) on every platform, from one version of the file taken
// before: `index` as IniFileIndex::OfFile gave it (null: the file cannot be
// read). The reader keeps the parsed file for as long as it is unchanged,
// and several values cost one look at the file. For files that only this
// program writes: the known-BHO lists beside it.
bool GetFromCachedIniFile(const IniFileIndex* index, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::string& value, int bufferLength);

}  // namespace Generic
