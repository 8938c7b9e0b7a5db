#include "common/IniFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/FileSystem.h"

namespace IniFile {
namespace {

// Blanks as the profile reader counts them (Ctrl-Z ends old DOS files).
bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\x1a'; }

std::string TrimBlanks(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool ReadWholeFile(const std::string& fileName, std::string& bytes) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(FileSystem::OpenFile(fileName, "rb"));
  if (!file) return false;
  char chunk[4096];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, n);
  return true;
}

enum class Lookup { Found, KeyWithoutValue, Missing };

// Finds `key` in the first section named `section`; both already trimmed.
Lookup FindValue(const std::string& bytes, const std::string& section, const std::string& key,
                 std::string& value) {
  std::size_t pos = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  // Lines before the first section header belong to a section without name.
  bool bInTarget = section.empty();
  while (pos < bytes.size()) {
    std::size_t next = bytes.find('\n', pos);
    if (next == std::string::npos) next = bytes.find('\r', pos);
    if (next == std::string::npos) next = bytes.size();
    const std::string line = TrimBlanks(bytes.substr(pos, next - pos));
    pos = next + 1;
    if (line.empty()) continue;

    if (line[0] == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string::npos) {
        // Only the first section of a name counts.
        if (bInTarget) return Lookup::Missing;
        bInTarget = EqualNoCase(TrimBlanks(line.substr(1, close - 1)), section);
        continue;
      }
    }
    if (!bInTarget) continue;

    const std::size_t equals = line.find('=');
    const std::string name = TrimBlanks(line.substr(0, equals));
    if (!EqualNoCase(name, key)) continue;
    if (equals == std::string::npos) return Lookup::KeyWithoutValue;
    value = TrimBlanks(line.substr(equals + 1));
    return Lookup::Found;
  }
  return Lookup::Missing;
}

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
  std::string def = defaultValue;
  while (def.size() > 1 && def.back() == ' ') def.pop_back();

  std::string bytes;
  if (!ReadWholeFile(fileName, bytes)) return CopyEntry(buffer, size, def, true);
  const std::string sKey = TrimBlanks(key);
  if (sKey.empty()) return CopyEntry(buffer, size, def, true);
  std::string value;
  if (FindValue(bytes, TrimBlanks(section), sKey, value) != Lookup::Found) value = def;
  return CopyEntry(buffer, size, value, true);
}

}  // namespace IniFile
