#include "common/files/IniFile.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/files/IniFileIndex.h"

namespace IniFile {
namespace {

// Copies `text` cut to the buffer; one pair of matching quotes around it is
// dropped when `stripQuotes`. A cut text keeps its closing quote.
DWord CopyEntry(char* buffer, DWord size, std::string text, bool stripQuotes) {
  if (!buffer || size == 0) return 0;
  bool bQuoted = false;
  if (stripQuotes && text.size() > 1 && (text[0] == '\'' || text[0] == '"') && text.back() == text[0]) {
    bQuoted = true;
    text.erase(0, 1);
  }
  std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  if (bQuoted && size >= text.size() && n > 0) buffer[--n] = '\0';
  return static_cast<DWord>(std::strlen(buffer));
}

}  // namespace

DWord GetPrivateProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, char* buffer, DWord size,
                              const std::string& fileName) {
  if (!buffer || size == 0) return 0;
  return GetPrivateProfileStringFromIndex(section, key, defaultValue, buffer, size,
                                          IniFileIndex::OfFile(fileName).get());
}

DWord GetPrivateProfileStringFromIndex(const std::string& section, const std::string& key,
                                       const std::string& defaultValue, char* buffer, DWord size,
                                       const IniFileIndex* index) {
  if (!buffer || size == 0) return 0;
  std::string def = defaultValue;
  while (def.size() > 1 && def.back() == ' ') def.pop_back();

  if (!index) return CopyEntry(buffer, size, def, true);
  const std::string sKey = IniFileIndex::Trim(key);
  if (sKey.empty()) return CopyEntry(buffer, size, def, true);
  std::string value;
  if (index->Find(IniFileIndex::Trim(section), sKey, value) != IniFileIndex::Lookup::Found) value = def;
  return CopyEntry(buffer, size, value, true);
}

}  // namespace IniFile
