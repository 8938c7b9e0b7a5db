// Writing the program's INI file: the same cases against the portable writer
// (native build) and the system's WritePrivateProfileString (under Wine).
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "common/files/PrivateProfile.h"
#include "support/TestSupport.h"

namespace {

std::string Read(const std::string& file, const std::string& section, const std::string& key) {
  char buffer[256] = {};
  PrivateProfile::GetString(section, key, "<none>", buffer, sizeof buffer, file);
  return buffer;
}

struct WriteCase {
  const char* name;
  const char* before;  // nullptr: no file yet
  const char* section;
  const char* key;
  const char* value;
  // Read back afterwards: section, key, expected.
  std::vector<std::array<const char*, 3>> after;
};

class IniWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ReadsBackAsWritten) {
  const WriteCase& c = GetParam();
  test::TempDir dir;
  const std::string file = dir.File("Tarvolin.ini");
  if (c.before) test::WriteFile(file, c.before);
  EXPECT_TRUE(PrivateProfile::WriteString(c.section, c.key, c.value, file));
  for (const auto& check : c.after)
    EXPECT_EQ(check[2], Read(file, check[0], check[1])) << c.name << " " << check[1];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    ::testing::Values(
        WriteCase{"new file", nullptr, "abc", "IsReported", "Yes", {{{"abc", "IsReported", "Yes"}}}},
        WriteCase{
            "new key in existing section",
            "[abc]\r\nNotation=note\r\n[def]\r\nIsReported=No\r\n",
            "abc",
            "IsReported",
            "No",
            {{{"abc", "IsReported", "No"}}, {{"abc", "Notation", "note"}}, {{"def", "IsReported", "No"}}}},
        WriteCase{"replace ignoring case",
                  "[ABC]\r\nisreported=Yes\r\nNotation=n\r\n",
                  "abc",
                  "IsReported",
                  "No",
                  {{{"abc", "IsReported", "No"}}, {{"abc", "Notation", "n"}}}},
        WriteCase{"new section after others",
                  "[x]\r\nk=v\r\n",
                  "5d41402abc4b2a76b9719d911017c592",
                  "IsReported",
                  "Yes",
                  {{{"5d41402abc4b2a76b9719d911017c592", "IsReported", "Yes"}}, {{"x", "k", "v"}}}},
        WriteCase{"file without final line end",
                  "[abc]\r\nNotation=last",
                  "abc",
                  "IsReported",
                  "Yes",
                  {{{"abc", "Notation", "last"}}, {{"abc", "IsReported", "Yes"}}}}),
    [](const ::testing::TestParamInfo<WriteCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

}  // namespace
