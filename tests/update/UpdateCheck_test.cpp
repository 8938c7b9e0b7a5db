// The decisions of the check for updates from tables: the published version
// in the update page as the network delivers it, when the automatic check
// is due, the frequency OK stores, and the summary's sentences.
#include "update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <string>

#include "common/base/DateText.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "support/BhoWorld.h"
#include "support/Recorders.h"
#include "support/ScopedUserAnswers.h"
#include "update/CheckForUpdateCore.h"

namespace {

struct PudCase {
  const char* name;
  std::string page;
  bool bMarker;
  bool bVersion;
  const char* version;
};

void PrintTo(const PudCase& c, std::ostream* os) { *os << c.name; }

std::string Filler(std::size_t bytes) {
  std::string s;
  while (s.size() < bytes) s += "<p>Nothing to see here, only words and more words.</p>\r\n";
  return s;
}

const PudCase kPudCases[] = {
    {"MarkerWithVersionAndCommentEnd",
     "<!-- Currently Published Version: 2.0.0.24 -->\r\n<html>new</html>\r\n", true, true, "2.0.0.24"},
    {"CommentEndRightAfterTheVersion", "<!-- Currently Published Version: 2.1-->\r\n", true, true, "2.1"},
    {"MarkerNotOnTheFirstLine",
     "<html>\r\n<head><title>Tarvolin: what is new</title></head>\r\n<!-- Currently Published Version:\t2.1 "
     "\r\n<body>x: y</body>\r\n",
     true, true, "2.1"},
    {"OnlyTheFirstColonCounts", "x <!-- Currently Published Version: 2.0.0.30: beta -->\n", true, true,
     "2.0.0.30: beta"},
    {"MarkerWithoutColon", "<!-- Currently Published Version 2.0.0.24 -->\r\n<p>a: b</p>\r\n", true, false,
     ""},
    {"MarkerWithColonButNoVersion", "<!-- Currently Published Version:   \r\n", true, true, ""},
    {"NoMarkerLine", "<html>\r\n<!-- Published Version: 9.9.9.9 -->\r\n</html>\r\n", false, false, ""},
    {"MarkerInTheWrongCase", "<!-- currently published version: 9.9.9.9 -->\r\n", false, false, ""},
    {"EmptyPage", "", false, false, ""},
    {"MarkerOnTheLastLineWithoutEnd", "<html>\r\n<!-- Currently Published Version: 3.0", true, true, "3.0"},
    // A huge page without the marker: read to its end and no further.
    {"HugePageWithoutMarker", Filler(8 * 1024 * 1024) + "last: line\r\n", false, false, ""},
    // One line longer than any page needs: cut, so its marker far out is not seen.
    {"EndlessLineIsCut", std::string(3 * 1024 * 1024, 'x') + "<!-- Currently Published Version: 9.9\r\n",
     false, false, ""},
    {"MarkerAfterAnEndlessLine",
     std::string(3 * 1024 * 1024, 'x') + "\r\n<!-- Currently Published Version: 2.0.0.25 -->\r\n", true, true,
     "2.0.0.25"},
};

class PudParse : public ::testing::TestWithParam<PudCase> {
 protected:
  test::ScopedLog log;
  test::TempDir dir;
};

TEST_P(PudParse, FindsThePublishedVersionAfterTheMarkersColon) {
  const PudCase& c = GetParam();
  const std::string path = dir.File("~Tarv2Pud.html");
  test::WriteFile(path, c.page);

  HResult hr = kSOk;
  std::string sBuffer;
  bool bMarker = false;
  UpdateCheck::ReadMarkerLine(path, hr, sBuffer, bMarker);
  EXPECT_EQ(c.bMarker, bMarker);
  // Reading ends with the marker line or at the end of the page, which
  // fails the read (and skips the close).
  EXPECT_EQ(c.bMarker, Succeeded(hr));
  EXPECT_LE(sBuffer.size(), UpdateCheck::PudFile::kMaxLine);
  std::string sVersion = "stale";
  EXPECT_EQ(c.bVersion, UpdateCheck::PublishedVersion(bMarker, sBuffer, sVersion));
  EXPECT_EQ(c.version, sVersion);
  if (!c.bMarker) {
    EXPECT_TRUE(test::Contains(log.Messages(), "<filPUD.ReadString(sBuffer)> failed with error <0>"));
    EXPECT_TRUE(test::Contains(log.Messages(), "EC_ skipped executing <filPUD.Close()>.\n"));
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, PudParse, ::testing::ValuesIn(kPudCases),
                         [](const ::testing::TestParamInfo<PudCase>& info) { return info.param.name; });

TEST(PudParseMissing, AMissingPageIsLikeAPageWithoutMarker) {
  test::ScopedLog log;
  test::TempDir dir;
  HResult hr = kSOk;
  std::string sBuffer = "old";
  bool bMarker = true;
  UpdateCheck::ReadMarkerLine(dir.File("absent.html"), hr, sBuffer, bMarker);
  EXPECT_FALSE(bMarker);
  EXPECT_TRUE(Failed(hr));
  std::string sVersion;
  EXPECT_FALSE(UpdateCheck::PublishedVersion(bMarker, sBuffer, sVersion));
  EXPECT_TRUE(test::Contains(log.Messages(), "<filPUD.Open(sPUDPath, CFile::modeRead)> failed with error <"));
}

TEST(UpdateSchedule, ThresholdsAndDueChecks) {
  using UpdateCheck::LastCheck;
  EXPECT_EQ(90, UpdateCheck::ThresholdDays(0));
  EXPECT_EQ(30, UpdateCheck::ThresholdDays(1));
  EXPECT_EQ(7, UpdateCheck::ThresholdDays(2));
  for (int n : {3, 4, -1, 1000}) EXPECT_EQ(0, UpdateCheck::ThresholdDays(n)) << n;

  const struct {
    int nRadio;
    LastCheck last;
    double dDays;
    bool bDue;
  } kCases[] = {
      {1, LastCheck::kKnown, 29.9, false},    {1, LastCheck::kKnown, 30.0, true},
      {1, LastCheck::kKnown, 400.0, true},    {0, LastCheck::kKnown, 89.99, false},
      {0, LastCheck::kKnown, 90.0, true},     {2, LastCheck::kKnown, 6.999, false},
      {2, LastCheck::kKnown, 7.0, true},      {3, LastCheck::kKnown, 10000.0, false},
      {7, LastCheck::kKnown, 10000.0, false}, {1, LastCheck::kNever, 0.0, false},
      {2, LastCheck::kNever, 0.0, false},     {1, LastCheck::kUnreadable, 0.0, true},
      {0, LastCheck::kUnreadable, 0.0, true}, {3, LastCheck::kUnreadable, 0.0, false},
      {1, LastCheck::kKnown, -3.0, false},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.bDue, UpdateCheck::IsDue(c.nRadio, c.last, c.dDays))
        << c.nRadio << " " << static_cast<int>(c.last) << " " << c.dDays;

  EXPECT_EQ(3, UpdateCheck::FrequencyToSave(-1));
  for (int n : {0, 1, 2, 3}) EXPECT_EQ(n, UpdateCheck::FrequencyToSave(n));
}

TEST(UpdateSummary, SentencesByOutcomeAndListStamp) {
  const std::string kDone = "'Check for Updates' has completed successfully!";
  const std::string kErrors = "'Check for Updates' has completed with some errors.";
  const std::string kNothingToDo =
      "\n\n(These updates are processed automatically by Tarvolin.  There is no action you need to take.)";
  const struct {
    int nSuccesses;
    const char* old;
    const char* newer;
    std::string text;
    unsigned icon;
  } kCases[] = {
      {3, "", "2006-03-14", kDone + kNothingToDo, UserMessage::kIconInformation},
      {3, "2006-03-14", "2006-03-14", kDone + kNothingToDo, UserMessage::kIconInformation},
      {3, "2006-03-14", "2006-04-01",
       kDone + "  A new Tarvolin list, dated 2006-04-01, has replaced your old list, dated 2006-03-14." +
           kNothingToDo,
       UserMessage::kIconInformation},
      {2, "2006-03-14", "2006-04-01",
       kErrors + "  A new Tarvolin list, dated 2006-04-01, has replaced your old list, dated 2006-03-14.",
       UserMessage::kIconExclamation},
      // A list without a stamp after one with: compared exactly, so it is news.
      {3, "2006-03-14", "",
       kDone + "  A new Tarvolin list, dated , has replaced your old list, dated 2006-03-14." + kNothingToDo,
       UserMessage::kIconInformation},
      {3, "2006-03-14", "2006-03-14 ",
       kDone + "  A new Tarvolin list, dated 2006-03-14 , has replaced your old list, dated 2006-03-14." +
           kNothingToDo,
       UserMessage::kIconInformation},
      {1, "", "", kErrors, UserMessage::kIconExclamation},
      {0, "same", "same", kErrors, UserMessage::kIconExclamation},
  };
  for (const auto& c : kCases) {
    const UpdateCheck::Summary s = UpdateCheck::Summarise(c.nSuccesses, c.old, c.newer);
    EXPECT_EQ(c.text, s.sText) << c.nSuccesses << " " << c.old << " " << c.newer;
    EXPECT_EQ(c.icon, s.uiIcon);
    EXPECT_EQ(c.nSuccesses == 3, s.bSucceeded);
  }
}

TEST(UpdateVersions, NewerAndTheAnnouncement) {
  EXPECT_TRUE(UpdateCheck::IsNewer("2.0.0.24", "2.0.0.23"));
  EXPECT_TRUE(UpdateCheck::IsNewer("2.0.0.24 -->", "2.0.0.23"));
  EXPECT_TRUE(UpdateCheck::IsNewer("2.1", "2.0.0.23"));
  EXPECT_TRUE(UpdateCheck::IsNewer("2.0.0.1", ""));
  EXPECT_FALSE(UpdateCheck::IsNewer("2.0.0.23", "2.0.0.23"));
  EXPECT_FALSE(UpdateCheck::IsNewer("2.0.0.23 -->", "2.0.0.23"));
  EXPECT_FALSE(UpdateCheck::IsNewer("2.0", "2.0.0.23"));
  EXPECT_FALSE(UpdateCheck::IsNewer("", "2.0.0.23"));
  EXPECT_FALSE(UpdateCheck::IsNewer("", ""));
  EXPECT_EQ(
      "A new version of this program is available!  The new version is 2.0.0.24; your current version is "
      "2.0.0.23. A web page should have appeared to describe the changes in the new version - that web page "
      "contains a link to the new version.",
      UpdateCheck::NewVersionText("2.0.0.24", "2.0.0.23"));
}

// The automatic check's choice, from what the registry holds, with the
// clock held still. A check that runs meets a server that is not there.
struct ScheduleCase {
  const char* name;
  int frequency;         // -1: no value
  double dDaysAgo;       // < 0: no "LastCheckForUpdate"
  const char* lastText;  // instead of a date written in the user's format
  bool bRuns;
  const char* logged;
};

void PrintTo(const ScheduleCase& c, std::ostream* os) { *os << c.name; }

class ScheduledCheck : public ::testing::TestWithParam<ScheduleCase> {
 protected:
  ScheduledCheck() : m_previousClock(CheckForUpdateCore::SetClock([this] { return dNow; })) {
    EXPECT_TRUE(DateText::ToDays(2006, 6, 1, 10, 20, 30, dNow));
  }
  ~ScheduledCheck() override { CheckForUpdateCore::SetClock(m_previousClock); }

  test::BhoWorld world;
  test::ScopedUserAnswers answers;
  double dNow = 0;

 private:
  CheckForUpdateCore::Clock m_previousClock;
};

TEST_P(ScheduledCheck, RunsOnlyWhenTheFrequencySaysItIsDue) {
  const ScheduleCase& c = GetParam();
  {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    ASSERT_TRUE(program.SaveValueString("WebServerURL", "http://127.0.0.1:1/"));
    if (c.frequency >= 0) {
      ASSERT_TRUE(program.SaveValueInt("CheckForUpdateFrequency", c.frequency));
    }
    if (c.lastText) {
      ASSERT_TRUE(program.SaveValueString("LastCheckForUpdate", c.lastText));
    } else if (c.dDaysAgo >= 0) {
      ASSERT_TRUE(program.SaveValueString("LastCheckForUpdate", DateText::FormatDateTime(dNow - c.dDaysAgo)));
    }
  }
  CheckForUpdateCore check;
  EXPECT_FALSE(check.m_bScheduled);
  EXPECT_EQ(1, check.m_nRadio);
  EXPECT_EQ(0, check.m_nUnknownBHOs);

  EXPECT_EQ(c.bRuns, check.ScheduledCheck());

  EXPECT_TRUE(check.m_bScheduled);
  const std::string log = world.Log().Messages();
  EXPECT_TRUE(test::Contains(log, ">>> CheckForUpdateDlg::ScheduledCheck\n"));
  EXPECT_TRUE(test::Contains(log, c.logged));
  EXPECT_EQ(c.bRuns,
            static_cast<bool>(test::Contains(log, ">>> CheckForUpdateDlg::OnButtonCheckforupdate\n")));
  EXPECT_TRUE(test::Contains(log, "m_nRadio is <" + std::to_string(c.frequency < 0 ? 1 : c.frequency) +
                                      ">, bCheckNow is <" + (c.bRuns ? "1" : "0") + ">.\n"));
  // A check that ran asked nothing first; the server's absence is the one
  // thing it reports in a scheduled check, along with the missing lists.
  if (c.bRuns) {
    ASSERT_FALSE(answers.Shown().empty());
    EXPECT_EQ(0u, answers.Shown()[0].find("Tarvolin could not download the 'Programmatic Update' file."));
  } else {
    EXPECT_TRUE(answers.Shown().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScheduledCheck,
    ::testing::Values(
        ScheduleCase{"MonthlyNotYet", 1, 29.9, nullptr, false, "Timespan is <29.9"},
        ScheduleCase{"MonthlyDue", 1, 30.0, nullptr, true, "Timespan is <30> days.\n"},
        ScheduleCase{"MonthlyByDefault", -1, 30.0, nullptr, true, "Timespan is <30> days.\n"},
        ScheduleCase{"QuarterlyNotYet", 0, 89.5, nullptr, false, "Timespan is <89.5> days.\n"},
        ScheduleCase{"QuarterlyDue", 0, 90.0, nullptr, true, "Timespan is <90> days.\n"},
        ScheduleCase{"WeeklyNotYet", 2, 6.9, nullptr, false, "Timespan is <6.9"},
        ScheduleCase{"WeeklyDue", 2, 7.0, nullptr, true, "Timespan is <7> days.\n"},
        ScheduleCase{"NeverEvenAfterYears", 3, 2000.0, nullptr, false, "Timespan is <2000> days.\n"},
        ScheduleCase{"UnknownFrequencyIsNever", 42, 2000.0, nullptr, false, "Timespan is <2000> days.\n"},
        ScheduleCase{"NoCheckEver", 2, -1.0, nullptr, false,
                     "There has never been an update check, so we don't do one now.\n"},
        ScheduleCase{
            "UnreadableDateIsDue", 1, -1.0, "14.03.2006 13:05:09 written elsewhere", true,
            "The date of the last update check <14.03.2006 13:05:09 written elsewhere> cannot be read "
            "in the user's date format, so a check is due.\n"},
        ScheduleCase{"EmptyDateIsDue", 2, -1.0, "", true, "cannot be read in the user's date format"},
        ScheduleCase{"UnreadableDateButNever", 3, -1.0, "garbage", false,
                     "<timSince.ParseDateTime(sDateCheck)> failed with error <"}),
    [](const ::testing::TestParamInfo<ScheduleCase>& info) { return info.param.name; });

}  // namespace
