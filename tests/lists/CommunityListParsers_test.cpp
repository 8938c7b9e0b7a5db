// The two community list layouts, line by line and row by row.
#include <gtest/gtest.h>

#include "lists/BHOListCops.h"
#include "lists/BHOListSysinfo.h"
#include "support/TestSupport.h"

namespace {

struct TextCase {
  const char* line;
  const char* status;
  const char* desc;
  const char* url;
};

class TextListLine : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextListLine, GivesStatusDescriptionAndAddress) {
  const TextCase& c = GetParam();
  std::string sStatus = "old", sDesc = "old", sURL = "old";
  EXPECT_EQ(kSOk, BHOListSysinfo::ReadDataFromText(c.line, sStatus, sDesc, sURL));
  EXPECT_EQ(c.status, sStatus);
  EXPECT_EQ(c.desc, sDesc);
  EXPECT_EQ(c.url, sURL);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TextListLine,
    ::testing::Values(
        TextCase{"X {11111111-2222-3333-4444-555555555555}: Evil toolbar, http://evil.example/info",
                 "Malware", "Evil toolbar", "http://evil.example/info"},
        TextCase{"L {11111111-2222-3333-4444-555555555555} Acrobat: Adobe reader helper", "Benign",
                 "Adobe reader helper", ""},
        TextCase{
            "O {11111111-2222-3333-4444-555555555555}:   Unsure <a href=\"http://x.example/a.htm\">more</a>",
            "Investigating", "Unsure", "http://x.example/a.htm"},
        TextCase{"? {11111111-2222-3333-4444-555555555555}: Something ,, http://y.example/ \"  ",
                 "Investigating", "Something", "http://y.example/"},
        TextCase{"X {11111111-2222-3333-4444-555555555555} no colon at all", "Malware", "", ""},
        TextCase{"L {1} address only http://z.example/p", "Benign", "//z.example/p", ""},
        TextCase{"L {1}:desc http://a.example/x http://b.example", "Benign", "desc",
                 "http://a.example/x http://b.example"},
        TextCase{"L {1}: upper HTTP://not.an.address", "Benign", "upper HTTP://not.an.address", ""}));

TEST(TextListLine, UnexpectedCodeIsShownAndLogged) {
  test::ScopedLog log;
  std::string sStatus, sDesc, sURL;
  BHOListSysinfo::ReadDataFromText("x {1}: lower case code", sStatus, sDesc, sURL);
  EXPECT_EQ("? x ?", sStatus);
  EXPECT_EQ("lower case code", sDesc);
  EXPECT_NE(std::string::npos, log.Messages().find("Unexpected case <x> found.\n"));
}

struct RowCase {
  const char* row;
  const char* status;
  const char* desc;
  const char* url;
};

class HtmlListRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(HtmlListRow, GivesStatusDescriptionAndAddress) {
  const RowCase& c = GetParam();
  std::string sStatus, sDesc, sURL;
  BHOListCops::ParseRow(c.row, "11111111-2222-3333-4444-555555555555", sStatus, sDesc, sURL);
  EXPECT_EQ(c.status, sStatus);
  EXPECT_EQ(c.desc, sDesc);
  EXPECT_EQ(c.url, sURL);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, HtmlListRow,
    ::testing::Values(
        RowCase{"<TR><TD>{11111111-2222-3333-4444-555555555555}</TD><TD>X</TD><TD>evil.dll</TD>"
                "<TD>Evil search hijacker</TD></TR>",
                "Malware", "Evil search hijacker", ""},
        RowCase{"<tr><td>{11111111-2222-3333-4444-555555555555}</td><td> l </td><td>ok.dll</td>"
                "<td><a href=\" http://info.example/ok \">Harmless helper</a></td></tr>",
                "Benign", "Harmless helper", "http://info.example/ok"},
        RowCase{
            "<TR><TD>11111111-2222-3333-4444-555555555555</TD><TD></TD><TD>x</TD><TD>Blank status</TD></TR>",
            "Investigating", "Blank status", ""},
        RowCase{
            "<TR><TD>11111111-2222-3333-4444-555555555555</TD><TD>O</TD><TD>x</TD><TD>Open case</TD></TR>",
            "Investigating", "Open case", ""},
        RowCase{"<TR><TD>11111111-2222-3333-4444-555555555555</TD><TD>X</TD>", "Malware", "", ""},
        RowCase{"11111111-2222-3333-4444-555555555555", "Investigating", "", ""}));

}  // namespace
