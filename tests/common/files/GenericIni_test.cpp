// One table of INI reads, run against the platform's reader (the system's
// GetPrivateProfileString in the Windows build) and the portable reader.
#include "common/files/GenericIni.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/files/IniFile.h"
#include "common/files/IniFileIndex.h"
#include "common/files/PrivateProfile.h"
#include "support/TestSupport.h"

namespace {

const char kIni[] =
    "top=before any section\r\n"
    "[Notes]\r\n"
    "Plain=hello\r\n"
    "  Spaced\t =   padded value  \t\r\n"
    "Quoted=\"quoted value\"\r\n"
    "Single='single'\r\n"
    "Mismatch=\"open'\r\n"
    "Lone=\"\r\n"
    "Inner=a \"b\" c\r\n"
    "Empty=\r\n"
    "Case=Upper\r\n"
    "Nine=123456789\r\n"
    "Equals=a=b\r\n"
    "Plain=second key of the same name\r\n"
    "NoEquals\r\n"
    "  [Other]  \n"
    "Plain=other\n"
    "[Sec]tion]\n"
    "Key=last bracket ends the name\n"
    "[ Padded ]\n"
    "Key=padded section name\n"
    "[NOTES]\n"
    "Extra=in the second section of the name\n";

struct IniCase {
  std::string section;
  std::string key;
  std::string defaultValue;
  DWord size;
  std::string expected;
};

const IniCase kCases[] = {
    {"Notes", "Plain", "d", 64, "hello"},
    {"NOTES", "plAIN", "d", 64, "hello"},
    {" Notes\t", "  Plain ", "d", 64, "hello"},
    {"Notes", "Spaced", "d", 64, "padded value"},
    {"Notes", "Quoted", "d", 64, "quoted value"},
    {"Notes", "Single", "d", 64, "single"},
    {"Notes", "Mismatch", "d", 64, "\"open'"},
    {"Notes", "Lone", "d", 64, "\""},
    {"Notes", "Inner", "d", 64, "a \"b\" c"},
    {"Notes", "Empty", "d", 64, ""},
    {"Notes", "Equals", "d", 64, "a=b"},
    {"Notes", "top", "d", 64, "d"},
    {"Notes", "NoEquals", "d", 64, "d"},
    {"Notes", "Extra", "d", 64, "d"},
    {"Padded", "Key", "d", 64, "padded section name"},
    {"Notes", "Missing", "dflt", 64, "dflt"},
    {"Notes", "Missing", "dflt   ", 64, "dflt"},
    {"Notes", "Missing", "\"quoted default\"", 64, "quoted default"},
    {"Notes", "Missing", "", 64, ""},
    {"Notes", "", "dflt", 64, "dflt"},
    {"Nowhere", "Plain", "dflt", 64, "dflt"},
    {"Other", "Plain", "d", 64, "other"},
    {"Sec]tion", "Key", "d", 64, "last bracket ends the name"},
    // Cut to the buffer: size - 1 characters.
    {"Notes", "Nine", "d", 10, "123456789"},
    {"Notes", "Nine", "d", 9, "12345678"},
    {"Notes", "Nine", "d", 2, "1"},
    {"Notes", "Nine", "d", 1, ""},
    {"Notes", "Quoted", "d", 5, "quot"},
    {"Notes", "Missing", "abcdef", 4, "abc"},
};

// A list file as the maker writes it, and what a hand-edited or damaged one
// may hold: comments, blanks around "=", sections and keys more than once
// in different letter case, line ends of every kind, no line end at all at
// the end of the file.
const char kListIni[] =
    "; The known-BHO list\n"
    "[General]\r\n"
    "Timestamp = 2005-03-15 \r\n"
    "; Timestamp=commented out\r\n"
    ";Status=commented out\r\n"
    "# Hash=not a comment sign\r\n"
    "[5d41402abc4b2a76b9719d911017c592]\r\n"
    "Status\t=\tBenign\r\n"
    "URL=http://x.test/?a=1;b=2 ; no comment after a value\r\n"
    "status=Adware, the same key again in other case\r\n"
    "Desc=one\rtwo=2\r\n"
    "[5D41402ABC4B2A76B9719D911017C592]\r\n"
    "Status=Malware, the section again in other case\r\n"
    "Only=only in the second section\r\n"
    "[Cr]\rKey=a lone carriage return ends a line\r\n"
    "[Lf]\n"
    "Key=line feeds only\n"
    "[Mac]\r"
    "Key=carriage returns only\r"
    "NoEnd=the end of the file without a line end";

std::string Repeat(const std::string& text, std::size_t count) {
  std::string result;
  for (std::size_t i = 0; i < count; ++i) result += text;
  return result;
}

// 0123456789 repeated to `length` characters.
std::string Digits(std::size_t length) { return Repeat("0123456789", length / 10 + 1).substr(0, length); }

const IniCase kListCases[] = {
    {"General", "Timestamp", "d", 260, "2005-03-15"},
    {"general", "TIMESTAMP", "d", 260, "2005-03-15"},
    // A comment line is a line like any other: its key starts with ';'.
    {"General", "; Timestamp", "d", 260, "commented out"},
    {"General", ";Status", "d", 260, "commented out"},
    {"General", "Status", "d", 260, "d"},
    {"General", "# Hash", "d", 260, "not a comment sign"},
    {"5d41402abc4b2a76b9719d911017c592", "Status", "Unknown", 260, "Benign"},
    {"5D41402ABC4B2A76B9719D911017C592", "STATUS", "Unknown", 260, "Benign"},
    {"5d41402abc4b2a76b9719d911017c592", "URL", "", 260, "http://x.test/?a=1;b=2 ; no comment after a value"},
    {"5d41402abc4b2a76b9719d911017c592", "Only", "none", 260, "none"},
    {"5d41402abc4b2a76b9719d911017c592", "Desc", "", 260, "one"},
    {"5d41402abc4b2a76b9719d911017c592", "two", "", 260, "2"},
    {"Cr", "Key", "d", 260, "a lone carriage return ends a line"},
    {"Lf", "Key", "d", 260, "line feeds only"},
    {"Mac", "Key", "d", 260, "carriage returns only"},
    {"Mac", "NoEnd", "d", 260, "the end of the file without a line end"},
    {"Mac", "NoEnd", "d", 8, "the end"},
};

// Lines longer than the buffers that read them.
std::string LongIni() {
  return "[Long]\r\n"
         "V300=" +
         Digits(300) +
         "\r\n"
         "V5000= " +
         Digits(5000) +
         " \r\n"
         "Quoted300=\"" +
         Digits(300) +
         "\"\r\n"
         "K" +
         Digits(299) +
         "=long key\r\n"
         "V70000=" +
         Digits(70000) +
         "\r\n"
         "[S" +
         Digits(299) +
         "]\r\n"
         "Key=long section name\r\n";
}

std::vector<IniCase> LongCases() {
  return {
      {"Long", "V300", "d", 261, Digits(260)},
      {"Long", "V300", "d", 260, Digits(259)},
      {"Long", "V300", "d", 301, Digits(300)},
      {"Long", "V5000", "d", 8192, Digits(5000)},
      {"Long", "V5000", "d", 260, Digits(259)},
      {"Long", "V70000", "d", 70001, Digits(70000)},
      {"Long", "V70000", "d", 4096, Digits(4095)},
      // The closing quote goes only when the buffer has room for it; a
      // buffer of exactly the value's size loses the last character instead.
      {"Long", "Quoted300", "d", 302, Digits(300)},
      {"Long", "Quoted300", "d", 301, Digits(299)},
      {"Long", "Quoted300", "d", 260, Digits(259)},
      {"Long", "K" + Digits(299), "d", 260, "long key"},
      {"S" + Digits(299), "Key", "d", 260, "long section name"},
      {"Long", "Missing", Digits(300), 260, Digits(259)},
  };
}

struct IniFileCases {
  const char* name;
  std::string text;
  std::vector<IniCase> cases;
};

std::vector<IniFileCases> AllFiles() {
  return {{"notes", kIni, std::vector<IniCase>(std::begin(kCases), std::end(kCases))},
          {"list", kListIni, std::vector<IniCase>(std::begin(kListCases), std::end(kListCases))},
          {"long lines", LongIni(), LongCases()}};
}

using Reader = std::function<DWord(const std::string&, const std::string&, const std::string&, char*, DWord,
                                   const std::string&)>;

struct NamedReader {
  const char* name;
  Reader read;
};

void PrintTo(const NamedReader& reader, std::ostream* os) { *os << reader.name; }

class IniReaderTest : public ::testing::TestWithParam<NamedReader> {};

TEST_P(IniReaderTest, Table) {
  test::TempDir dir;
  for (const IniFileCases& file : AllFiles()) {
    const std::string path = dir.File(std::string(file.name) + ".ini");
    test::WriteFile(path, file.text);
    for (const IniCase& c : file.cases) {
      SCOPED_TRACE(std::string(file.name) + ": [" + c.section.substr(0, 20) + "] " + c.key.substr(0, 20) +
                   " default <" + c.defaultValue.substr(0, 20) + "> size " + std::to_string(c.size));
      std::vector<char> buffer(c.size + 1, '#');
      const DWord n = GetParam().read(c.section, c.key, c.defaultValue, buffer.data(), c.size, path);
      const std::string value(buffer.data(), std::find(buffer.begin(), buffer.end(), '\0') - buffer.begin());
      EXPECT_EQ(c.expected, value);
      EXPECT_EQ(c.expected.size(), n);
      EXPECT_EQ('#', buffer[c.size]);  // nothing written past the buffer
    }
  }
}

TEST_P(IniReaderTest, MissingFileGivesTheDefault) {
  test::TempDir dir;
  char buffer[16];
  EXPECT_EQ(4u, GetParam().read("Notes", "Plain", "dflt   ", buffer, sizeof buffer, dir.File("none.ini")));
  EXPECT_STREQ("dflt", buffer);
  EXPECT_EQ(2u, GetParam().read("Notes", "Plain", "dflt", buffer, 3, dir.File("none.ini")));
  EXPECT_STREQ("df", buffer);
  EXPECT_EQ(1u, GetParam().read("Notes", "Plain", "\"q\"", buffer, sizeof buffer, dir.File("none.ini")));
  EXPECT_STREQ("q", buffer);
}

INSTANTIATE_TEST_SUITE_P(Readers, IniReaderTest,
                         ::testing::Values(NamedReader{"Platform", PrivateProfile::GetString},
                                           NamedReader{"Portable", IniFile::GetPrivateProfileString}),
                         [](const ::testing::TestParamInfo<NamedReader>& info) { return info.param.name; });

// The system's reader, or the cached one (true), which gives the same answers
// and log lines.
class GetFromIniFileTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { test::WriteFile(m_sPath, "[Notes]\nNine=123456789\nEight=12345678\nShort=abc\n"); }
  bool Get(const std::string& path, const std::string& section, const std::string& key,
           const std::string& defaultValue, std::string& value, int bufferLength) {
    if (!GetParam()) return Generic::GetFromIniFile(path, section, key, defaultValue, value, bufferLength);
    return Generic::GetFromCachedIniFile(IniFileIndex::OfFile(path).get(), section, key, defaultValue, value,
                                         bufferLength);
  }
  std::string Logged() const { return m_log.Messages().substr(m_sBefore.size()); }

  test::ScopedLog m_log;
  test::TempDir m_dir;
  std::string m_sPath = m_dir.File("Tarvolin.ini");
  std::string m_sBefore = m_log.Messages();
  std::string m_sValue;
};

TEST_P(GetFromIniFileTest, ValueThatFillsTheBufferIsReportedAsCut) {
  EXPECT_FALSE(Get(m_sPath, "Notes", "Nine", "", m_sValue, 10));
  EXPECT_EQ("123456789", m_sValue);
  EXPECT_FALSE(Get(m_sPath, "Notes", "Eight", "", m_sValue, 10));
  EXPECT_EQ("12345678", m_sValue);
  EXPECT_EQ(
      "API Failure for <GetPrivateProfileString() buffer too small> is <9>: <Nine>\n"
      "API Failure for <GetPrivateProfileString() buffer too small> is <8>: <Eight>\n",
      Logged());
  EXPECT_TRUE(Get(m_sPath, "Notes", "Eight", "", m_sValue, 11));
  EXPECT_EQ("12345678", m_sValue);
}

TEST_P(GetFromIniFileTest, MissingKeyGivesTheDefault) {
  EXPECT_TRUE(Get(m_sPath, "Notes", "Reported", "No", m_sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("No", m_sValue);
  EXPECT_FALSE(Get(m_sPath, "Notes", "Reported", "", m_sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("", m_sValue);
  EXPECT_TRUE(Get(m_sPath, "Notes", "Short", "", m_sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("abc", m_sValue);
  EXPECT_TRUE(Get(m_dir.File("none.ini"), "Notes", "Short", "Yes", m_sValue, 100));
  EXPECT_EQ("Yes", m_sValue);
  EXPECT_EQ("", Logged());
}

TEST_P(GetFromIniFileTest, BufferOfNoSizeIsRefused) {
  m_sValue = "kept";
  EXPECT_FALSE(Get(m_sPath, "Notes", "Short", "", m_sValue, 0));
  EXPECT_EQ("kept", m_sValue);
  EXPECT_EQ("API Failure for <Bad size> is <0>: <Short>\n", Logged());
}

INSTANTIATE_TEST_SUITE_P(Readers, GetFromIniFileTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Cached" : "System";
                         });

}  // namespace
