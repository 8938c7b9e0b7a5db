#include "lists/ListFileLines.h"

#include <algorithm>

#include "common/base/GenericPaths.h"
#include "lists/CommunityList.h"

namespace {

constexpr std::size_t kClsidLength = 36;  // 8-4-4-4-12 hexadecimal digits

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

bool AllHexDigits(const char* text, std::size_t count) { return std::all_of(text, text + count, IsHexDigit); }

// Whether `text` holds a CLSID without braces at `pos`.
bool IsClsidAt(const std::string& text, std::size_t pos) {
  if (pos + kClsidLength > text.size()) return false;
  const char* clsid = text.data() + pos;
  return clsid[8] == '-' && clsid[13] == '-' && clsid[18] == '-' && clsid[23] == '-' &&
         AllHexDigits(clsid, 8) && AllHexDigits(clsid + 9, 4) && AllHexDigits(clsid + 14, 4) &&
         AllHexDigits(clsid + 19, 4) && AllHexDigits(clsid + 24, 12);
}

using Clsid = std::array<char, kClsidLength>;

Clsid ClsidAt(const std::string& text, std::size_t pos) {
  Clsid clsid;
  std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(pos), kClsidLength, clsid.begin());
  return clsid;
}

Clsid UpperClsidAt(const std::string& text, std::size_t pos) {
  Clsid clsid = ClsidAt(text, pos);
  for (char& c : clsid) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return clsid;
}

bool IsBracedClsid(const std::string& key) {
  return key.size() == kClsidLength + 2 && key.front() == '{' && key.back() == '}' && IsClsidAt(key, 1);
}

}  // namespace

bool ListFileLines::Refresh(const std::string& sPath) {
  bool bChanged = false;
  if (!m_snapshot.Refresh(sPath, bChanged)) {
    Assign(std::vector<std::string>());
    return false;
  }
  if (bChanged) Assign(m_snapshot.Content());
  return true;
}

void ListFileLines::Assign(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text, start, stop - start);
    start = end + 1;
  }
  Assign(std::move(lines));
}

void ListFileLines::Assign(std::vector<std::string> lines) {
  m_lines = std::move(lines);
  BuildIndex();
}

// Every CLSID has a dash 8 characters in, so only the dashes need a look.
void ListFileLines::BuildIndex() {
  m_holders.clear();
  for (std::size_t n = 0; n < m_lines.size(); ++n) {
    const std::string& line = m_lines[n];
    for (std::size_t pos = line.find('-'); pos != std::string::npos; pos = line.find('-', pos + 1)) {
      if (pos < 8 || !IsClsidAt(line, pos - 8)) continue;
      const std::size_t start = pos - 8;
      Holder holder{UpperClsidAt(line, start), static_cast<std::uint32_t>(n),
                    start > 0 && line[start - 1] == '{' && start + kClsidLength < line.size() &&
                        line[start + kClsidLength] == '}'};
      m_holders.push_back(holder);
    }
  }
  std::sort(m_holders.begin(), m_holders.end(), [](const Holder& a, const Holder& b) {
    return a.clsid != b.clsid ? a.clsid < b.clsid : a.line < b.line;
  });
  // One entry per line: braced if the CLSID stands between braces anywhere in it.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < m_holders.size(); ++i) {
    if (kept > 0 && m_holders[kept - 1].clsid == m_holders[i].clsid &&
        m_holders[kept - 1].line == m_holders[i].line) {
      m_holders[kept - 1].bBraced = m_holders[kept - 1].bBraced || m_holders[i].bBraced;
    } else {
      m_holders[kept++] = m_holders[i];
    }
  }
  m_holders.resize(kept);
}

std::size_t ListFileLines::FindLine(const std::string& sUpperKey, std::size_t from) const {
  const bool bBraced = IsBracedClsid(sUpperKey);
  if (!bBraced && !(sUpperKey.size() == kClsidLength && IsClsidAt(sUpperKey, 0)))
    return ScanForLine(sUpperKey, from);

  // Lower-case letters in the key match nothing, in the index as in the
  // upper-cased lines.
  const Clsid clsid = ClsidAt(sUpperKey, bBraced ? 1 : 0);
  auto holder = std::lower_bound(m_holders.begin(), m_holders.end(), std::make_pair(clsid, from),
                                 [](const Holder& h, const std::pair<Clsid, std::size_t>& key) {
                                   return h.clsid != key.first ? h.clsid < key.first : h.line < key.second;
                                 });
  for (; holder != m_holders.end() && holder->clsid == clsid; ++holder) {
    if (!bBraced || holder->bBraced) return holder->line;
  }
  return npos;
}

std::size_t ListFileLines::ScanForLine(const std::string& sUpperKey, std::size_t from) const {
  for (std::size_t n = from; n < m_lines.size(); ++n) {
    if (Generic::ToUpper(m_lines[n]).find(sUpperKey) != std::string::npos) return n;
  }
  return npos;
}
