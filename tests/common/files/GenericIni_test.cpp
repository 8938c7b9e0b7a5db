// One table of INI reads, run against the platform's reader (the system's
// GetPrivateProfileString in the Windows build) and the portable reader.
#include "common/files/GenericIni.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/base/ErrorCheck.h"
#include "common/files/IniFile.h"
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
  const char* section;
  const char* key;
  const char* defaultValue;
  DWord size;
  const char* expected;
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
  const std::string path = dir.File("Tarvolin.ini");
  test::WriteFile(path, kIni);
  for (const IniCase& c : kCases) {
    SCOPED_TRACE(std::string("[") + c.section + "] " + c.key + " default <" + c.defaultValue + "> size " +
                 std::to_string(c.size));
    char buffer[80];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    const DWord n = GetParam().read(c.section, c.key, c.defaultValue, buffer, c.size, path);
    EXPECT_EQ(c.expected, std::string(buffer));
    EXPECT_EQ(std::string(c.expected).size(), n);
    EXPECT_EQ('#', buffer[c.size]);  // nothing written past the buffer
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

class GetFromIniFileTest : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteFile(m_sPath, "[Notes]\nNine=123456789\nEight=12345678\nShort=abc\n"); }
  std::string Logged() const { return m_log.Messages().substr(m_sBefore.size()); }

  test::ScopedLog m_log;
  test::TempDir m_dir;
  std::string m_sPath = m_dir.File("Tarvolin.ini");
  std::string m_sBefore = m_log.Messages();
  std::string m_sValue;
};

TEST_F(GetFromIniFileTest, ValueThatFillsTheBufferIsReportedAsCut) {
  EXPECT_FALSE(Generic::GetFromIniFile(m_sPath, "Notes", "Nine", "", m_sValue, 10));
  EXPECT_EQ("123456789", m_sValue);
  EXPECT_FALSE(Generic::GetFromIniFile(m_sPath, "Notes", "Eight", "", m_sValue, 10));
  EXPECT_EQ("12345678", m_sValue);
  EXPECT_EQ(
      "API Failure for <GetPrivateProfileString() buffer too small> is <9>: <Nine>\n"
      "API Failure for <GetPrivateProfileString() buffer too small> is <8>: <Eight>\n",
      Logged());
  EXPECT_TRUE(Generic::GetFromIniFile(m_sPath, "Notes", "Eight", "", m_sValue, 11));
  EXPECT_EQ("12345678", m_sValue);
}

TEST_F(GetFromIniFileTest, MissingKeyGivesTheDefault) {
  EXPECT_TRUE(
      Generic::GetFromIniFile(m_sPath, "Notes", "Reported", "No", m_sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("No", m_sValue);
  EXPECT_FALSE(
      Generic::GetFromIniFile(m_sPath, "Notes", "Reported", "", m_sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("", m_sValue);
  EXPECT_TRUE(Generic::GetFromIniFile(m_sPath, "Notes", "Short", "", m_sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("abc", m_sValue);
  EXPECT_TRUE(Generic::GetFromIniFile(m_dir.File("none.ini"), "Notes", "Short", "Yes", m_sValue, 100));
  EXPECT_EQ("Yes", m_sValue);
  EXPECT_EQ("", Logged());
}

TEST_F(GetFromIniFileTest, BufferOfNoSizeIsRefused) {
  m_sValue = "kept";
  EXPECT_FALSE(Generic::GetFromIniFile(m_sPath, "Notes", "Short", "", m_sValue, 0));
  EXPECT_EQ("kept", m_sValue);
  EXPECT_EQ("API Failure for <Bad size> is <0>: <Short>\n", Logged());
}

}  // namespace
