// A reader of INI files that answers as the system's private-profile call
// (GetPrivateProfileString) does for one section and key:
// - section and key names compare without case, blanks around them ignored
//   (in the file and in the request);
// - a value has the blanks around it removed, and one pair of matching
//   single or double quotes around it stripped;
// - only the first section of a name is searched, and in it the first key;
//   a key without "=" has no value;
// - a missing key, section or file gives the default, its trailing blanks
//   removed and quotes stripped as for a value;
// - the text is cut to fit `size` - 1 characters plus the terminating zero.
// Returns the number of characters copied, without the zero.
#pragma once

#include <string>

#include "common/base/Types.h"

class IniFileIndex;

namespace IniFile {

DWord GetPrivateProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, char* buffer, DWord size,
                              const std::string& fileName);

// The same answer from one version of a file taken before
// (IniFileIndex::OfFile), so that several values come from that one version
// at the cost of one look at the file; null stands for a file that cannot
// be read.
DWord GetPrivateProfileStringFromIndex(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, char* buffer, DWord size,
                                       const IniFileIndex* index);

// Sets `key` in `section` as WritePrivateProfileString does; false when the
// file cannot be written.
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& fileName);

}  // namespace IniFile
