// Writing one value the way WritePrivateProfileString does: the key's line
// is replaced in the first section of that name, or added at the end of the
// section, or a new section is appended; the file is created when missing.
#include <vector>

#include "common/base/GenericPaths.h"
#include "common/base/GenericStrings.h"
#include "common/files/IniFile.h"
#include "common/files/StdioFile.h"

namespace IniFile {
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& fileName) {
  std::vector<std::string> lines;
  StdioFile in;
  if (in.Open(fileName, "rb")) {
    std::string bytes;
    char chunk[4096];
    size_t n = 0;
    while ((n = in.Read(chunk, sizeof chunk)) > 0) bytes.append(chunk, n);
    size_t pos = 0;
    while (pos < bytes.size()) {
      size_t end = bytes.find('\n', pos);
      if (end == std::string::npos) end = bytes.size();
      std::string line = bytes.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      pos = end + 1;
    }
  }

  const std::string sSection = Generic::Trim(section);
  const std::string sKey = Generic::Trim(key);
  const std::string entry = sKey + "=" + value;
  bool bInSection = false;
  bool bDone = false;
  size_t insertAt = lines.size();
  for (size_t i = 0; i < lines.size() && !bDone; ++i) {
    const std::string line = Generic::Trim(lines[i]);
    if (!line.empty() && line[0] == '[') {
      const auto close = line.find(']');
      if (close != std::string::npos) {
        if (bInSection) break;  // end of the first section of that name
        bInSection = Generic::EqualsNoCase(Generic::Trim(line.substr(1, close - 1)), sSection);
        if (bInSection) insertAt = i + 1;
        continue;
      }
    }
    if (!bInSection) continue;
    if (!line.empty()) insertAt = i + 1;
    if (Generic::EqualsNoCase(Generic::Trim(line.substr(0, line.find('='))), sKey) &&
        line.find('=') != std::string::npos) {
      lines[i] = entry;
      bDone = true;
    }
  }
  if (!bDone) {
    if (bInSection) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    } else {
      lines.push_back("[" + sSection + "]");
      lines.push_back(entry);
    }
  }

  in.Close();
  StdioFile out;
  if (!out.Open(fileName, "wb")) return false;
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  const bool bWritten = out.Write(text);
  // A full disk may show only when the last bytes are flushed.
  return out.Close() && bWritten;
}

}  // namespace IniFile
