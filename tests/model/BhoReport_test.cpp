// The report file of one record, byte for byte.
#include <gtest/gtest.h>

#include "model/Bho.h"
#include "support/BhoWorld.h"

namespace {

const char* const kClsid = "{11111111-2222-3333-4444-555555555555}";

class BhoReport : public ::testing::Test {
 protected:
  std::string Save(const BHO& bho, const std::string& path) {
    EXPECT_EQ(kSOk, bho.SaveToFile(path));
    return test::ReadFile(path);
  }
  std::string Header(const std::string& path) {
    return "\r\nTarvolin  Report File:\r\n   " + path + "\r\n\r\n";
  }

  test::BhoWorld world;
};

TEST_F(BhoReport, MissingFileRecordUsesTheWidthOfItsLongestName) {
  BHO bho(kClsid);
  bho.m_mapAttrVals.SetAt("Enabled?", "No - file is missing");
  bho.m_mapAttrVals.SetAt("Status", "Unknown");
  bho.m_mapAttrVals.SetAt("Desc", "");
  bho.m_mapAttrVals.SetAt("URL", "");
  const std::string path = world.File("report.txt");
  EXPECT_EQ(Header(path) + "   Clsid: " + kClsid +
                "\r\n"
                "Enabled?: No - file is missing\r\n"
                "  Status: Unknown\r\n",
            Save(bho, path));
}

TEST_F(BhoReport, FullRecordInWalkingOrderWithNotation) {
  BHO bho(kClsid);
  const char* const values[][2] = {{"Status", "Benign"},
                                   {"Blocked Load Attempts", "0"},
                                   {"DLL Path", "C:\\x.dll"},
                                   {"MD5 Checksum", "5d41402abc4b2a76b9719d911017c592"},
                                   {"Enabled?", "Yes"},
                                   {"Comments", ""},
                                   {"Legal Copyright", "(c) Maker"}};
  for (const auto& v : values) bho.m_mapAttrVals.SetAt(v[0], v[1]);
  world.WriteIni("[5D41402ABC4B2A76B9719D911017C592]\r\nNotation=   Seems fine.  \r\n");
  const std::string path = world.File("full.txt");
  EXPECT_EQ(Header(path) +
                "      Legal Copyright: (c) Maker\r\n"
                "                Clsid: {11111111-2222-3333-4444-555555555555}\r\n"
                "             DLL Path: C:\\x.dll\r\n"
                "Blocked Load Attempts: 0\r\n"
                "             Enabled?: Yes\r\n"
                "         MD5 Checksum: 5d41402abc4b2a76b9719d911017c592\r\n"
                "               Status: Benign\r\n"
                "             Notation: Seems fine.\r\n",
            Save(bho, path));
}

TEST_F(BhoReport, PromptOrBlankNotationIsNoNotation) {
  BHO bho(kClsid);
  bho.m_mapAttrVals.SetAt("MD5 Checksum", "abc");
  for (const char* note : {NOTATION_PROMPT, "    "}) {
    world.WriteIni(std::string("[abc]\r\nNotation=") + note + "\r\n");
    const std::string path = world.File("n.txt");
    EXPECT_EQ(Header(path) + "       Clsid: " + kClsid + "\r\nMD5 Checksum: abc\r\n", Save(bho, path));
  }
}

TEST_F(BhoReport, CreatesMissingDirectoriesAndReplacesOldReports) {
  BHO bho(kClsid);
  const std::string path = world.File("a\\b\\c\\r.txt");
  const std::string first = Save(bho, path);
  EXPECT_EQ(Header(path) + "Clsid: " + kClsid + "\r\n", first);
  EXPECT_EQ(first, Save(bho, path));
}

TEST_F(BhoReport, UnwritablePathFailsAndNamesIt) {
  BHO bho(kClsid);
  test::WriteFile(world.File("blocker"), "a file, not a directory");
  const std::string path = world.File("blocker\\r.txt");
  EXPECT_EQ(kEFail, bho.SaveToFile(path));
  EXPECT_NE(std::string::npos, world.Log().Messages().find("   * sSavePath is <" + path + ">.\n"));
}

// Every byte of the report fits the file's buffer, and the disk refuses it
// only at the close: the report is not written, and must not count as written.
// (Wine does not see Z:\dev as a directory, so the report cannot be aimed
// at its full device there; StdioFile's own tests cover the close under Wine.)
#ifndef _WIN32
TEST_F(BhoReport, FullDiskAtTheCloseFailsTheReport) {
  BHO bho(kClsid);
  bho.m_mapAttrVals.SetAt("Status", "Unknown");
  EXPECT_EQ(kEFail, bho.SaveToFile(test::FullDiskFile()));
  EXPECT_NE(std::string::npos, world.Log().Messages().find("<file.Close()> failed with error <112>"))
      << world.Log().Messages();
}
#endif

}  // namespace
