// The whole check for updates against a real HTTP server on 127.0.0.1:
// the update page's version against the program's own (2.0.0.23), the
// browser opened at the page's web address, the boxes a manual and an
// automatic check show, the two list refreshes, the summary and what the
// check records for the next one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/base/DateText.h"
#include "common/files/GenericFiles.h"
#include "res/CheckForUpdateDlgRes.h"
#include "support/Recorders.h"
#include "support/TestDlls.h"
#include "support/UpdateWorld.h"
#include "update/CheckForUpdateCore.h"

namespace {

const char kAnnouncement[] =
    "Tarvolin is about to:\n\n    o Check to see if there is a new version of the program.\n\n    o Download "
    "the latest CastleCops 'BHO List'.\n\n    o Download the latest Kestrove 'BHO List'.\n\nThis should only "
    "take a few seconds.\n";
const char kCouldNotDownloadPud[] =
    "Tarvolin could not download the 'Programmatic Update' file.  There are many possible causes for "
    "this:\n\no  Be sure that you actually have a good internet connection.\n\no  Your firewall may be "
    "blocking Tarvolin from connecting.  Please check your firewall settings.\n\no  Tarvolin does not "
    "currently work from behind a proxy server.\n\no  You might be using a download 'helper' program that is "
    "interfering.\n\no  The website might be down, or the file may be temporarily unavailable.  Try again "
    "later.";
const char kFormatError[] =
    "An error has been encountered in the format of the 'Programmatic Update file.  Please try again "
    "later.\n\nTo manually check for a new version of this program, you can visit our website using the "
    "'About Tarvolin' button in the 'Settings' dialog box.\n\n";
const char kBrowserError[] =
    "An error was encountered trying to view a file in your default web browser (for example, Internet "
    "Explorer or Netscape).\n\nTo manually check for a new version of this program, you can visit our "
    "website using the 'About' menu item.\n\n";
const char kNoNewVersion[] = "No new version of this program yet.  Please try again later.\n";
const char kDone[] =
    "'Check for Updates' has completed successfully!\n\n(These updates are processed automatically by "
    "Tarvolin.  There is no action you need to take.)\n";
const char kSomeErrors[] = "'Check for Updates' has completed with some errors.\n";

std::string NewVersion(const std::string& published) {
  return "A new version of this program is available!  The new version is " + published +
         "; your current version is 2.0.0.23. A web page should have appeared to describe the changes in the "
         "new version - that web page contains a link to the new version.";
}

std::string Pud(const std::string& version) {
  return "<html><head><title>Tarvolin</title></head>\r\n<!-- Currently Published Version: " + version +
         " -->\r\n<body><a href=\"Tarvolin2Setup.exe\">Download</a></body></html>\r\n";
}

// A check whose window, when it has one, closes the way OK does.
class WindowedCheck : public CheckForUpdateCore {
 public:
  bool bWindow = false;
  int nOkCalls = 0;

 protected:
  bool HasWindow() const override { return bWindow; }
  void OnOK() override { ++nOkCalls; }
};

class CheckForUpdate : public ::testing::Test {
 protected:
  CheckForUpdate() : update(test::kDllDir ? test::TestDll("english.dll") : std::string()) {}
  void SetUp() override {
    if (!update.Missing().empty()) GTEST_SKIP() << update.Missing();
    update.Serve("site\\bhotb-all.html", "<html>served</html>\r\n");
  }

  std::string PudUrl() const { return update.Url("files/Tarvolin2PUD.html"); }
  std::string PudPath() const { return update.Local("~Tarv2Pud.html"); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : update.messages) texts.push_back(m.text);
    return texts;
  }

  test::UpdateWorld update;
  WindowedCheck check;
};

TEST_F(CheckForUpdate, NewerVersionOpensTheWebAddressAndNamesBothVersions) {
  update.ServePud(Pud("2.0.0.24"));
  check.m_nUnknownBHOs = 0;

  EXPECT_EQ(kSOk, check.OnButtonCheckforupdate());

  // Asked first, under its own call site and caption, Cancel the default.
  ASSERT_EQ(1u, update.boxes.size());
  EXPECT_EQ("CheckForUpdateDlg_176_2.0.0.23", update.boxes[0].valueName);
  EXPECT_EQ(kAnnouncement, update.boxes[0].text);
  EXPECT_EQ(static_cast<unsigned>(IDS_WANT_TO_CHECK_CAPTION), update.boxes[0].captionId);
  EXPECT_EQ(UserMessage::kOkCancel | UserMessage::kIconQuestion | UserMessage::kDefButton2,
            update.boxes[0].style);

  // The browser goes to the web, not to the copy beside the executable.
  ASSERT_EQ(1u, update.opened.size());
  EXPECT_EQ(PudUrl(), update.opened[0].first);
  EXPECT_EQ("", update.opened[0].second);
  EXPECT_EQ(Pud("2.0.0.24"), test::ReadFile(PudPath()));

  ASSERT_EQ(2u, update.messages.size());
  EXPECT_EQ(NewVersion("2.0.0.24"), update.messages[0].text);
  EXPECT_EQ(UserMessage::kIconInformation, update.messages[0].style);
  EXPECT_EQ(kDone, update.messages[1].text);
  EXPECT_EQ(UserMessage::kIconInformation, update.messages[1].style);
  EXPECT_EQ("2.0.0.24", update.ReadSetting("LatestKnownVersion"));

  EXPECT_EQ((std::vector<std::string>{
                "Checking the Kestrove website for a newer version of Tarvolin... please wait...",
                "Downloading:\r\n\r\n" + PudPath(),
                "Downloading the current CastleCops 'BHO List' ... please wait...",
                "Downloading:\r\n\r\n" + update.Local("bhotb-all.html")}),
            update.progress);
  const std::string log = update.Log();
  EXPECT_TRUE(test::Contains(log, "Successfully opened file <" + PudUrl() + ">.\n"));
  EXPECT_EQ(std::string::npos, log.find(PudPath() + ">.\n", log.find("Successfully opened")));
  EXPECT_EQ("<html>served</html>\r\n", test::ReadFile(update.Local("bhotb-all.html")));
  EXPECT_EQ(0, check.nOkCalls);  // no window: nothing to close
}

TEST_F(CheckForUpdate, BrowserErrorNamesTheWebAddress) {
  update.ServePud(Pud("2.1"));
  update.nShellResult = 2;

  check.OnButtonCheckforupdate();

  ASSERT_EQ(3u, update.messages.size());
  const std::string line = "Error in ::ShellExecute() opening <" + PudUrl() + ">: <2> - <";
  EXPECT_EQ(0u, update.messages[0].text.find(std::string(kBrowserError) + line)) << update.messages[0].text;
  EXPECT_EQ(UserMessage::kIconError, update.messages[0].style);
  EXPECT_EQ(NewVersion("2.1"), update.messages[1].text);
  EXPECT_TRUE(test::Contains(update.Log(), line));
  EXPECT_FALSE(test::Contains(update.Log(), "Successfully opened file"));
}

struct SameOrOlderCase {
  const char* name;
  const char* published;
  bool bScheduled;
};

void PrintTo(const SameOrOlderCase& c, std::ostream* os) { *os << c.name; }

class SameOrOlder : public CheckForUpdate, public ::testing::WithParamInterface<SameOrOlderCase> {};

TEST_P(SameOrOlder, NoNewVersionIsBoxedOnlyWhenAskedFor) {
  const SameOrOlderCase& c = GetParam();
  update.ServePud(Pud(c.published));
  check.m_bScheduled = c.bScheduled;

  EXPECT_EQ(kSOk, check.OnButtonCheckforupdate());

  EXPECT_TRUE(update.opened.empty());
  EXPECT_EQ(std::string(c.published), update.ReadSetting("LatestKnownVersion"));
  EXPECT_TRUE(test::Contains(update.Log(), kNoNewVersion));
  if (c.bScheduled) {
    // Nothing asked and nothing said: the check simply happened.
    EXPECT_TRUE(update.boxes.empty());
    EXPECT_TRUE(update.messages.empty()) << update.messages[0].text;
    EXPECT_TRUE(test::Contains(update.Log(), kDone));
  } else {
    ASSERT_EQ(2u, update.boxes.size());
    EXPECT_EQ("CheckForUpdateDlg_347_2.0.0.23", update.boxes[1].valueName);
    EXPECT_EQ(kNoNewVersion, update.boxes[1].text);
    EXPECT_EQ(static_cast<unsigned>(IDS_NO_NEW_VERSION_CAPTION), update.boxes[1].captionId);
    EXPECT_EQ(static_cast<unsigned>(UserMessage::kOk), update.boxes[1].style);
    EXPECT_EQ(std::vector<std::string>{kDone}, Texts());
  }
  EXPECT_NE("<absent>", update.ReadSetting("LastCheckForUpdate"));
}

INSTANTIATE_TEST_SUITE_P(Cases, SameOrOlder,
                         ::testing::Values(SameOrOlderCase{"EqualFromTheButton", "2.0.0.23", false},
                                           SameOrOlderCase{"EqualScheduled", "2.0.0.23", true},
                                           SameOrOlderCase{"OlderFromTheButton", "2.0.0.9", false},
                                           SameOrOlderCase{"ShorterButEqual", "2.0.0.23.0", true}),
                         [](const ::testing::TestParamInfo<SameOrOlderCase>& info) {
                           return info.param.name;
                         });

// A page the check cannot use: the one error box, a summary with errors,
// and no record of a check that would put off the next one.
struct BrokenPudCase {
  const char* name;
  const char* page;  // null: nothing on the server
  bool bScheduled;
  const char* shown;
};

void PrintTo(const BrokenPudCase& c, std::ostream* os) { *os << c.name; }

class BrokenPud : public CheckForUpdate, public ::testing::WithParamInterface<BrokenPudCase> {};

TEST_P(BrokenPud, ShowsItsErrorAndRecordsNoCheck) {
  const BrokenPudCase& c = GetParam();
  if (c.page) update.ServePud(c.page);
  update.Set("LatestKnownVersion", "2.0.0.20");
  check.m_bScheduled = c.bScheduled;

  EXPECT_EQ(kSOk, check.OnButtonCheckforupdate());

  ASSERT_FALSE(update.messages.empty());
  EXPECT_EQ(0u, update.messages[0].text.find(c.shown)) << update.messages[0].text;
  EXPECT_EQ(UserMessage::kIconError, update.messages[0].style);
  if (c.bScheduled) {
    EXPECT_EQ(1u, update.messages.size());
  } else {
    ASSERT_EQ(2u, update.messages.size());
    EXPECT_EQ(kSomeErrors, update.messages[1].text);
    EXPECT_EQ(UserMessage::kIconExclamation, update.messages[1].style);
  }
  EXPECT_TRUE(update.opened.empty());
  EXPECT_EQ("<absent>", update.ReadSetting("LastCheckForUpdate"));
  EXPECT_EQ("2.0.0.20", update.ReadSetting("LatestKnownVersion"));
  // The lists were refreshed all the same.
  EXPECT_EQ("<html>served</html>\r\n", test::ReadFile(update.Local("bhotb-all.html")));
  EXPECT_TRUE(test::Contains(update.Log(), kSomeErrors));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenPud,
    ::testing::Values(BrokenPudCase{"WithoutMarker", "<html>\r\n<p>Version: 9.9.9.9</p>\r\n</html>\r\n",
                                    false, kFormatError},
                      BrokenPudCase{"MarkerWithoutColon", "<!-- Currently Published Version 9.9 -->\r\n",
                                    false, kFormatError},
                      BrokenPudCase{"WithoutMarkerScheduled", "<html></html>\r\n", true, kFormatError},
                      BrokenPudCase{"Missing", nullptr, false, kCouldNotDownloadPud},
                      BrokenPudCase{"MissingScheduled", nullptr, true, kCouldNotDownloadPud}),
    [](const ::testing::TestParamInfo<BrokenPudCase>& info) { return info.param.name; });

TEST_F(CheckForUpdate, FormatErrorNamesThePageAndItsLine) {
  update.ServePud("<html>no marker: here</html>\r\n");
  check.OnButtonCheckforupdate();
  ASSERT_FALSE(update.messages.empty());
  EXPECT_EQ(0u,
            update.messages[0].text.find(std::string(kFormatError) +
                                         "Error in PUD file first-line format for <" + PudPath() + ">: <"))
      << update.messages[0].text;
  const std::string log = update.Log();
  EXPECT_TRUE(test::Contains(log, "Error in PUD file first-line format for <" + PudPath() + ">: <"));
  EXPECT_TRUE(test::Contains(log, "   * sBuffer is <>.\n"));
}

TEST_F(CheckForUpdate, MakersListIsNotFetchedWhenNothingIsUnknownYetTheCheckCompletes) {
  update.ServePud(Pud("2.0.0.23"));
  update.ServeMakersList("[General]\r\nTimestamp=served\r\n");
  update.Set("TarvolinListTimestamp", "on disk");
  check.m_nUnknownBHOs = 0;
  check.m_bScheduled = true;

  EXPECT_EQ(kSOk, check.OnButtonCheckforupdate());

  const std::string log = update.Log();
  EXPECT_TRUE(test::Contains(log,
                             "No need to download the Kestrove 'BHO List' file, as there are no 'Unknown' or "
                             "'Investigating' BHOs in the grid.\n"));
  EXPECT_TRUE(test::Contains(log, kDone));
  EXPECT_FALSE(test::Contains(update.RequestLog(), "Tarvolin20List"));
  EXPECT_TRUE(test::Contains(update.RequestLog(), "GET /files/Tarvolin2PUD.html"));
  EXPECT_FALSE(Generic::FileExists(update.Local("Tarvolin20List.zip")));
  EXPECT_EQ("on disk", update.ReadSetting("TarvolinListTimestamp"));
  // The record of the check reads back as a moment of today.
  double dLast = 0;
  ASSERT_TRUE(DateText::ParseDateTime(update.ReadSetting("LastCheckForUpdate"), dLast))
      << update.ReadSetting("LastCheckForUpdate");
  EXPECT_NEAR(DateText::Now(), dLast, 1.0 / 24);
}

// The maker's list's stamp against the one the last check left.
struct StampCase {
  const char* name;
  const char* stored;  // null: no value yet
  const char* served;  // the "Timestamp" line's value; null: none
  const char* sentence;
  const char* written;
};

void PrintTo(const StampCase& c, std::ostream* os) { *os << c.name; }

class ListStamp : public CheckForUpdate, public ::testing::WithParamInterface<StampCase> {};

TEST_P(ListStamp, ANewerListIsAnnouncedOnceAndItsStampKept) {
  const StampCase& c = GetParam();
  update.ServePud(Pud("2.0.0.23"));
  update.ServeMakersList(std::string("[General]\r\n") +
                         (c.served ? std::string("Timestamp=") + c.served + "\r\n" : "") +
                         "[5d41402abc4b2a76b9719d911017c592]\r\nStatus=Benign\r\n");
  if (c.stored) update.Set("TarvolinListTimestamp", c.stored);
  check.m_nUnknownBHOs = 2;

  EXPECT_EQ(kSOk, check.OnButtonCheckforupdate());

  EXPECT_TRUE(test::Contains(update.RequestLog(), "GET /files/Tarvolin20List.zip"));
  ASSERT_EQ(1u, update.messages.size());
  const std::string expected =
      std::string("'Check for Updates' has completed successfully!") + c.sentence +
      "\n\n(These updates are processed automatically by Tarvolin.  There is no action you need to take.)\n";
  EXPECT_EQ(expected, update.messages[0].text);
  EXPECT_EQ(c.written, update.ReadSetting("TarvolinListTimestamp"));
  EXPECT_TRUE(test::Contains(update.progress.back(), "Unzipping..."));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListStamp,
    ::testing::Values(
        StampCase{"Changed", "2006-03-14", "2006-04-01",
                  "  A new Tarvolin list, dated 2006-04-01, has replaced your old list, dated 2006-03-14.",
                  "2006-04-01"},
        StampCase{"FirstCheckEver", nullptr, "2006-04-01", "", "2006-04-01"},
        StampCase{"Unchanged", "2006-04-01", "2006-04-01", "", "2006-04-01"},
        StampCase{"EmptyStampIsWrittenToo", nullptr, nullptr, "", ""}),
    [](const ::testing::TestParamInfo<StampCase>& info) { return info.param.name; });

TEST_F(CheckForUpdate, MakersListFailureEndsTheCheckWithItsOwnMessageOnly) {
  update.ServePud(Pud("2.0.0.23"));
  update.Set("TarvolinListTimestamp", "kept");
  check.m_nUnknownBHOs = 1;
  check.bWindow = true;

  EXPECT_NE(kSOk, check.OnButtonCheckforupdate());

  ASSERT_EQ(1u, update.messages.size());
  EXPECT_EQ(0u,
            update.messages[0].text.find("Tarvolin could not download the 'Tarvolin20List.ini' BHO list."));
  EXPECT_EQ("kept", update.ReadSetting("TarvolinListTimestamp"));
  EXPECT_EQ("<absent>", update.ReadSetting("LastCheckForUpdate"));
  EXPECT_FALSE(test::Contains(update.Log(), "'Check for Updates' has completed"));
  EXPECT_EQ(1, check.nOkCalls);  // the window closes all the same
}

TEST_F(CheckForUpdate, HtmlListFailureCountsAgainstTheCheck) {
  update.ServePud(Pud("2.0.0.23"));
  update.Set("HtmlListSiteURL", "http://127.0.0.1:1/");
  update.world.OpenLists();  // the lists take their addresses when they are made
  check.m_bScheduled = true;

  EXPECT_EQ(kSOk, check.OnButtonCheckforupdate());

  ASSERT_EQ(1u, update.messages.size());
  EXPECT_EQ(0u, update.messages[0].text.find("Tarvolin could not download the 'bhotb-all.html' BHO list."));
  EXPECT_TRUE(test::Contains(update.Log(), kSomeErrors));
  EXPECT_EQ("<absent>", update.ReadSetting("LastCheckForUpdate"));
  EXPECT_EQ("<html>old</html>\r\n", test::ReadFile(update.Local("bhotb-all.html")));
}

TEST_F(CheckForUpdate, CancelAsksNothingMoreAndClosesLikeOk) {
  update.ServePud(Pud("2.0.0.99"));
  update.nBoxAnswer = UserMessage::kIdCancel;
  check.bWindow = true;

  EXPECT_EQ(kSOk, check.OnButtonCheckforupdate());

  EXPECT_EQ(1u, update.boxes.size());
  EXPECT_TRUE(update.messages.empty());
  EXPECT_TRUE(update.progress.empty());
  EXPECT_TRUE(update.opened.empty());
  EXPECT_EQ(1, check.nOkCalls);
  EXPECT_FALSE(Generic::FileExists(PudPath()));
  EXPECT_FALSE(test::Contains(update.RequestLog(), "GET "));
}

TEST_F(CheckForUpdate, ScheduledCheckStillAnnouncesANewerVersion) {
  update.ServePud(Pud("2.0.0.24"));
  check.m_bScheduled = true;

  EXPECT_EQ(kSOk, check.OnButtonCheckforupdate());

  EXPECT_TRUE(update.boxes.empty());
  EXPECT_EQ(1u, update.opened.size());
  EXPECT_EQ(std::vector<std::string>{NewVersion("2.0.0.24")}, Texts());
  EXPECT_TRUE(test::Contains(update.Log(), kDone));
}

// The copy beside the executable of the size the server announces is not
// fetched again: its version is the one read.
TEST_F(CheckForUpdate, UnchangedPageIsNotFetchedAgain) {
  const std::string served = Pud("2.0.0.24");
  update.ServePud(served);
  const std::string onDisk = Pud("2.0.0.23");
  ASSERT_EQ(served.size(), onDisk.size());
  test::WriteFile(PudPath(), onDisk);
  check.m_bScheduled = true;

  check.OnButtonCheckforupdate();

  EXPECT_EQ(onDisk, test::ReadFile(PudPath()));
  EXPECT_TRUE(update.opened.empty());
  EXPECT_EQ("2.0.0.23", update.ReadSetting("LatestKnownVersion"));
  EXPECT_TRUE(test::Contains(update.Log(), "Skipping download as <" + PudUrl() + "> and <" + PudPath() +
                                               "> have the same size: <" + std::to_string(served.size()) +
                                               "> bytes.\n"));
  EXPECT_FALSE(test::Contains(update.RequestLog(), "GET /files/Tarvolin2PUD.html "));
}

}  // namespace
