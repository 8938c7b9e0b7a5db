// The community lists' line index: every lookup gives what reading the lines
// one by one gives, and the lists follow their files through rewrites.
#include "lists/ListFileLines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/base/GenericPaths.h"
#include "lists/BHOListCops.h"
#include "lists/CommunityList.h"
#include "model/Bho.h"
#include "support/BhoWorld.h"
#include "support/ScopedUserAnswers.h"

namespace {

const std::vector<std::string> kClsids = {
    "11111111-2222-3333-4444-555555555555", "AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE",
    "aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee", "0A0A0A0A-0000-0000-0000-0000000000FF",
    "EEEEEEEE-0000-1111-2222-333333333333"};

// Text from random pieces: CLSIDs with and without braces in either letter
// case, CLSIDs that overlap (the last 8 digits of one starting the next),
// near misses, HTML table tags, NUL bytes and the three kinds of line end.
std::string RandomList(std::mt19937& rng) {
  auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  std::string text;
  const std::size_t pieces = pick(60);
  for (std::size_t i = 0; i < pieces; ++i) {
    const std::string clsid = kClsids[pick(kClsids.size())];
    switch (pick(14)) {
      case 0: text += "{" + clsid + "}"; break;
      case 1: text += clsid; break;
      case 2: text += Generic::ToUpper("{" + clsid + "}"); break;
      case 3: text += "{" + clsid + "-AAAA-BBBB-CCCC-DDDDDDDDDDDD}"; break;  // a second one from digit 28
      case 4: text += "{" + clsid.substr(0, 35) + "}"; break;
      case 5: text += "{" + clsid.substr(1) + "0}"; break;
      case 6: text += "<TR><TD>"; break;
      case 7: text += "</TD><TD>X</TD>"; break;
      case 8: text += "</tr>"; break;
      case 9: text += std::string(1, '\0') + "{" + clsid; break;
      case 10: text += "\r\n"; break;
      case 11: text += "\n"; break;
      case 12: text += "}-{"; break;
      default: text += " X: desc, http://x.example/"; break;
    }
  }
  return text;
}

// Keys as the lists make them, and others that fall back to reading lines.
std::vector<std::string> Keys() {
  std::vector<std::string> keys;
  for (const std::string& clsid : kClsids) {
    keys.push_back(clsid);
    keys.push_back("{" + clsid + "}");
    keys.push_back(Generic::ToUpper(clsid));
    keys.push_back(Generic::ToUpper("{" + clsid + "}"));
  }
  for (const char* other : {"", "{", "AAAA-BBBB", "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE", "</TR>", " X"})
    keys.push_back(other);
  keys.push_back("AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE-AAAA-BBBB-CCCC-DDDDDDDDDDDD");
  return keys;
}

TEST(ListFileLines, FindsTheLineThatReadingLineByLineFinds) {
  std::mt19937 rng(20040915);
  const std::vector<std::string> keys = Keys();
  for (int round = 0; round < 2000; ++round) {
    ListFileLines lines;
    lines.Assign(RandomList(rng));
    const std::size_t count = lines.Lines().size();
    for (const std::string& key : keys) {
      for (std::size_t from : {std::size_t(0), std::size_t(1), count / 2, count}) {
        ASSERT_EQ(lines.ScanForLine(key, from), lines.FindLine(key, from))
            << "key " << key << " from " << from;
      }
    }
  }
}

// The HTML list's row, found by reading the lines one by one.
bool ScanForRow(const std::vector<std::string>& lines, const std::string& sKey, std::string& sRow) {
  bool bFound = false;
  for (const std::string& sLine : lines) {
    if (Generic::FindNoCase(sLine, sKey) >= 0) {
      sRow = sLine;
      bFound = true;
    } else if (bFound) {
      sRow += sLine;
      if (Generic::FindNoCase(sLine, "</TR>") >= 0) break;
    }
  }
  return bFound;
}

TEST(ListFileLines, HtmlRowIsTheRowThatReadingLineByLineFinds) {
  std::mt19937 rng(20050101);
  const std::vector<std::string> keys = Keys();
  for (int round = 0; round < 2000; ++round) {
    ListFileLines lines;
    lines.Assign(RandomList(rng));
    for (const std::string& key : keys) {
      std::string expected = "<none>", actual = "<none>";
      const bool bExpected = ScanForRow(lines.Lines(), key, expected);
      ASSERT_EQ(bExpected, BHOListCops::FindRow(lines, key, actual)) << key;
      ASSERT_EQ(expected, actual) << key;
    }
  }
}

const char* const kClsid = "{11111111-2222-3333-4444-555555555555}";

// One set of list objects for the whole test, as the main dialog keeps them;
// the BHO's DLL is unknown to the maker's list unless a test says otherwise.
class ListRefresh : public ::testing::Test {
 protected:
  ListRefresh() {
    test::WriteFile(world.File("helper.dll"), "hello");
    world.Register(kClsid, world.File("helper.dll"));
    world.WriteMakerList("[General]\r\n");
    world.WriteTextList("\r\n");
    world.WriteHtmlList("\r\n");
    world.OpenLists();
  }

  // Replaces a list file with `text`. A dated version gets a last-write time
  // of its own (an hour ago plus `version` seconds); an undated one is
  // written at once, perhaps in the same tick of the file system's clock as
  // the one before.
  void Replace(const char* name, const std::string& text, int version, bool bDated) {
    test::WriteFile(world.File(name), text);
    if (bDated)
      std::filesystem::last_write_time(test::Native(world.File(name)),
                                       std::filesystem::file_time_type::clock::now() - std::chrono::hours(1) +
                                           std::chrono::seconds(version));
  }

  std::string Status() {
    BHO bho(kClsid);
    EXPECT_EQ(kSOk, bho.LoadBHOAttrs());
    return bho.m_mapAttrVals.Get("Status") + " / " + bho.m_mapAttrVals.Get("Desc");
  }

  test::BhoWorld world;
};

struct Version {
  const char* text;  // all versions of a list have the same size
  const char* status;
};

TEST_F(ListRefresh, MakersListChangedBetweenLookupsIsSeen) {
  // Dated only: the system's own reader (Windows) may know a file by its
  // last-write time alone.
  int version = 0;
  for (const char* status : {"Benign", "Adware", "Benign"}) {
    Replace("Tarvolin20List.ini",
            std::string("[5d41402abc4b2a76b9719d911017c592]\r\nStatus=") + status + "\r\n", ++version, true);
    EXPECT_EQ(std::string(status) + " / ", Status());
  }
}

TEST_F(ListRefresh, TextListChangedBetweenLookupsIsSeen) {
  const Version versions[] = {{"X {11111111-2222-3333-4444-555555555555}: first", "Malware / first"},
                              {"L {99999999-2222-3333-4444-555555555555}: first", "Unknown / "},
                              {"L {11111111-2222-3333-4444-555555555555}: other", "Benign / other"}};
  int version = 0;
  for (bool bDated : {true, false}) {
    for (const Version& v : versions) {
      Replace("bholist.txt", std::string(v.text) + "\r\n", ++version, bDated);
      EXPECT_EQ(v.status, Status()) << v.text << (bDated ? ", dated" : "");
    }
  }
}

TEST_F(ListRefresh, HtmlListChangedBetweenLookupsIsSeen) {
  const Version versions[] = {
      {"<TR><TD>11111111-2222-3333-4444-555555555555</TD><TD>X</TD><TD>h.dll</TD><TD>Desc</TD></TR>",
       "Malware / Desc"},
      {"<TR><TD>11111111-2222-3333-4444-555555555555</TD><TD>L</TD><TD>h.dll</TD><TD>Desc</TD></TR>",
       "Benign / Desc"},
      {"<TR><TD>99999999-2222-3333-4444-555555555555</TD><TD>L</TD><TD>h.dll</TD><TD>Desc</TD></TR>",
       "Unknown / "}};
  int version = 0;
  for (bool bDated : {true, false}) {
    for (const Version& v : versions) {
      Replace("bhotb-all.html", std::string(v.text) + "\r\n", ++version, bDated);
      EXPECT_EQ(v.status, Status()) << v.text << (bDated ? ", dated" : "");
    }
  }
}

TEST_F(ListRefresh, CommunityListThatGoesMissingIsReportedAgain) {
  world.WriteTextList(std::string("X ") + kClsid + ": bad\r\n");
  EXPECT_EQ("Malware / bad", Status());
  test::RemoveFile(world.File("bholist.txt"));
  test::ScopedUserAnswers answers;
  BHO bho(kClsid);
  EXPECT_EQ(kEFail, bho.LoadBHOAttrs());
  ASSERT_EQ(1u, answers.Shown().size());
  EXPECT_NE(std::string::npos, answers.Shown()[0].find("bholist.txt> is not found!"));
}

}  // namespace
