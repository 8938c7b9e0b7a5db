// The INI index answers every lookup as a scan of the file does, and the
// cached index follows the file through rewrites.
#include "common/files/IniFileIndex.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "common/files/IniFile.h"
#include "support/TestSupport.h"

namespace {

using Lookup = IniFileIndex::Lookup;

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// The profile reader's rules as one pass over the text, line by line, that
// stops at the first answer.
Lookup ScanFind(const std::string& bytes, const std::string& section, const std::string& key,
                std::string& value) {
  std::size_t pos = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  bool bInTarget = section.empty();
  while (pos < bytes.size()) {
    std::size_t next = bytes.find_first_of("\r\n", pos);
    if (next == std::string::npos) next = bytes.size();
    const std::string line = IniFileIndex::Trim(bytes.substr(pos, next - pos));
    pos = next + 1;
    if (line.empty()) continue;
    if (line[0] == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string::npos) {
        if (bInTarget) return Lookup::Missing;
        bInTarget = EqualNoCase(IniFileIndex::Trim(line.substr(1, close - 1)), section);
        continue;
      }
    }
    if (!bInTarget) continue;
    const std::size_t equals = line.find('=');
    if (!EqualNoCase(IniFileIndex::Trim(line.substr(0, equals)), key)) continue;
    if (equals == std::string::npos) return Lookup::KeyWithoutValue;
    value = IniFileIndex::Trim(line.substr(equals + 1));
    return Lookup::Found;
  }
  return Lookup::Missing;
}

const std::vector<std::string> kNames = {"General",
                                         "general",
                                         "GENERAL",
                                         "5d41402abc4b2a76b9719d911017c592",
                                         "5D41402ABC4B2A76B9719D911017C592",
                                         "Status",
                                         "status",
                                         "Desc",
                                         "a b",
                                         "x"};

// INI text from random pieces: headers (also broken and empty ones), keys
// with and without values, blanks, Ctrl-Z, a byte-order mark, all three
// kinds of line end.
std::string RandomIni(std::mt19937& rng) {
  auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  const char* const blanks[] = {"", " ", "\t", "  ", "\x1a"};
  const char* const ends[] = {"\r\n", "\n", "\r"};
  std::string text = pick(8) == 0 ? "\xEF\xBB\xBF" : "";
  const std::size_t lines = pick(40);
  for (std::size_t i = 0; i < lines; ++i) {
    const std::string name = kNames[pick(kNames.size())];
    std::string line = blanks[pick(5)];
    switch (pick(9)) {
      case 0: line += "[" + std::string(blanks[pick(5)]) + name + blanks[pick(5)] + "]"; break;
      case 1: line += "[" + name; break;
      case 2: line += "[" + name + "]x]"; break;
      case 3: line += "[]"; break;
      case 4: line += name; break;
      case 5: line += "=" + std::to_string(i); break;
      case 6: line += ";" + name + "=c"; break;
      default:
        line += name + blanks[pick(5)] + "=" + blanks[pick(5)] + (pick(4) == 0 ? "'q'" : std::to_string(i));
        break;
    }
    text += line + blanks[pick(5)] + ends[pick(3)];
  }
  return text;
}

TEST(IniFileIndex, AnswersAsAScanOfTheTextDoes) {
  std::mt19937 rng(20050315);
  std::vector<std::string> requests = kNames;
  requests.push_back("");
  requests.push_back("missing");
  for (int round = 0; round < 3000; ++round) {
    const std::string text = RandomIni(rng);
    const IniFileIndex index(text);
    for (int i = 0; i < 8; ++i) {
      const std::string& section = requests[rng() % requests.size()];
      const std::string& key = requests[rng() % (requests.size() - 2)];  // a key is never empty
      std::string expected = "<none>", actual = "<none>";
      const Lookup want = ScanFind(text, section, key, expected);
      ASSERT_EQ(want, index.Find(section, key, actual)) << "[" << section << "] " << key << " in:\n" << text;
      ASSERT_EQ(expected, actual) << "[" << section << "] " << key << " in:\n" << text;
    }
  }
}

TEST(IniFileIndex, ReaderFollowsTheFileThroughRewritesOfTheSameSize) {
  test::TempDir dir;
  const std::string path = dir.File("Tarvolin20List.ini");
  char value[32];
  for (const char* status : {"Benign", "Adware", "Benign", "Adware"}) {
    test::WriteFile(path, std::string("[5d41402abc4b2a76b9719d911017c592]\r\nStatus=") + status + "\r\n");
    IniFile::GetPrivateProfileString("5D41402ABC4B2A76B9719D911017C592", "Status", "Unknown", value,
                                     sizeof value, path);
    EXPECT_STREQ(status, value);
  }
  test::RemoveFile(path);
  IniFile::GetPrivateProfileString("5d41402abc4b2a76b9719d911017c592", "Status", "Unknown", value,
                                   sizeof value, path);
  EXPECT_STREQ("Unknown", value);
}

TEST(IniFileIndex, ManyFilesAtOnceKeepTheirOwnContent) {
  // More files than the cache keeps: every one still answers from its own text.
  test::TempDir dir;
  char value[32];
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 40; ++i) {
      const std::string path = dir.File("f" + std::to_string(i) + ".ini");
      if (round == 0) test::WriteFile(path, "[S]\nK=" + std::to_string(i) + "\n");
      IniFile::GetPrivateProfileString("S", "K", "", value, sizeof value, path);
      ASSERT_EQ(std::to_string(i), value);
    }
  }
}

}  // namespace
