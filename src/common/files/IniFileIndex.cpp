#include "common/files/IniFileIndex.h"

#include <cctype>
#include <map>
#include <mutex>

#include "common/files/FileSnapshot.h"

namespace {

// Ctrl-Z ends old DOS files.
bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\x1a'; }

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The files read so far. The program reads only a few INI files (its own
// and the maker's list), so the cache just starts over when it grows.
struct CachedFile {
  FileSnapshot snapshot;
  std::shared_ptr<const IniFileIndex> index;
};
constexpr std::size_t kMaxCachedFiles = 16;

}  // namespace

std::string IniFileIndex::Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

IniFileIndex::IniFileIndex(const std::string& bytes) {
  Keys* current = &m_sections[""];
  std::size_t pos = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (pos < bytes.size()) {
    std::size_t next = bytes.find_first_of("\r\n", pos);
    if (next == std::string::npos) next = bytes.size();
    const std::string line = Trim(bytes.substr(pos, next - pos));
    pos = next + 1;
    if (line.empty()) continue;

    if (line[0] == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string::npos) {
        const auto section = m_sections.try_emplace(Lower(Trim(line.substr(1, close - 1))));
        current = section.second ? &section.first->second : nullptr;
        continue;
      }
    }
    if (!current) continue;

    const std::size_t equals = line.find('=');
    current->try_emplace(Lower(Trim(line.substr(0, equals))),
                         Entry{equals != std::string::npos,
                               equals == std::string::npos ? std::string() : Trim(line.substr(equals + 1))});
  }
}

IniFileIndex::Lookup IniFileIndex::Find(const std::string& section, const std::string& key,
                                        std::string& value) const {
  const auto keys = m_sections.find(Lower(section));
  if (keys == m_sections.end()) return Lookup::Missing;
  const auto entry = keys->second.find(Lower(key));
  if (entry == keys->second.end()) return Lookup::Missing;
  if (!entry->second.bHasValue) return Lookup::KeyWithoutValue;
  value = entry->second.value;
  return Lookup::Found;
}

std::shared_ptr<const IniFileIndex> IniFileIndex::OfFile(const std::string& fileName) {
  static std::mutex mutex;
  static std::map<std::string, CachedFile> files;
  const std::lock_guard<std::mutex> lock(mutex);

  auto cached = files.find(fileName);
  if (cached == files.end()) {
    if (files.size() >= kMaxCachedFiles) files.clear();
    cached = files.emplace(fileName, CachedFile()).first;
  }
  bool bChanged = false;
  if (!cached->second.snapshot.Refresh(fileName, bChanged)) {
    files.erase(cached);
    return nullptr;
  }
  if (bChanged || !cached->second.index)
    cached->second.index = std::make_shared<const IniFileIndex>(cached->second.snapshot.Content());
  return cached->second.index;
}
