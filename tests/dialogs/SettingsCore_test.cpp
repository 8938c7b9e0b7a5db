// The settings dialog's decisions: the wording of the time since the last
// update check, what it reads and writes under the program key (including
// values an installer could have put there), the factory-defaults request,
// the speed's steps and the donation page.
#include "dialogs/SettingsCore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/base/DateText.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/DialogDefaults.h"
#include "common/ui/Shell.h"
#include "controls/GridCtrl.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/ScopedUserAnswers.h"
#include "support/TestSupport.h"

namespace {

constexpr long long kMinute = 60, kHour = 3600, kDay = 86400;

TEST(SettingsElapsed, LargestUnitWithAWholeCount) {
  const struct {
    long long nSeconds;
    const char* wording;
  } cases[] = {
      {kDay, "1 day"},    {36 * kHour, "1 day"},  {2 * kDay, "2 days"},  {59 * kMinute, "59 minutes"},
      {kHour, "1 hour"},  {kDay - 1, "23 hours"}, {kMinute, "1 minute"}, {kMinute + 59, "1 minute"},
      {59, "59 seconds"}, {1, "1 second"},        {0, "0 seconds"},      {400 * kDay, "400 days"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.wording, Settings::ElapsedWording(c.nSeconds)) << c.nSeconds;
}

class SettingsLastCheck : public ::testing::Test {
 protected:
  test::ScopedMemoryRegistry registry;
  test::ScopedLog log;
  double dNow = 0;
  void SetUp() override { ASSERT_TRUE(DateText::ToDays(2026, 3, 14, 15, 9, 26, dNow)); }
  std::string Stamp(long long nSecondsAgo) const {
    return DateText::FormatDateTime(dNow - static_cast<double>(nSecondsAgo) / kDay);
  }
};

TEST_F(SettingsLastCheck, StoredMomentsAreWordedFromNow) {
  const struct {
    long long nAgo;
    const char* wording;
  } cases[] = {{kDay, "1 day"}, {36 * kHour, "1 day"}, {59 * kMinute, "59 minutes"}, {2 * kDay, "2 days"}};
  for (const auto& c : cases) {
    const std::string stamp = Stamp(c.nAgo);
    const Settings::LastCheck last = Settings::DescribeLastCheck(true, stamp, dNow);
    EXPECT_EQ(stamp, last.sWhen);
    EXPECT_EQ(
        std::string("It has been ") + c.wording + " since you last successfully ran 'Check for Updates'.",
        last.sSince);
    EXPECT_NE(std::string::npos, log.Text().find(last.sSince));
  }
}

TEST_F(SettingsLastCheck, NeverOrUnreadable) {
  const Settings::LastCheck never = Settings::DescribeLastCheck(false, "", dNow);
  EXPECT_EQ("Never!", never.sWhen);
  EXPECT_EQ(Settings::kNeverChecked, never.sSince);
  for (const char* junk : {"", "yesterday", "99/99/9999 99:99:99", "%s%n%s"}) {
    const Settings::LastCheck last = Settings::DescribeLastCheck(true, junk, dNow);
    EXPECT_EQ(junk, last.sWhen);
    EXPECT_EQ("It has been a while since you last successfully ran 'Check for Updates'.", last.sSince);
  }
  EXPECT_NE(std::string::npos, log.Text().find("timSince.ParseDateTime(sDateCheck)"));
}

TEST_F(SettingsLastCheck, LoadReadsTheProgramKeyWithDefaults) {
  {
    const Settings::Values values = Settings::Load(false, 730, dNow);
    EXPECT_EQ("Never!", values.lastCheck.sWhen);
    EXPECT_FALSE(values.bRestorePending);
    EXPECT_FALSE(values.bToolTips);  // the dialogs' current switch
    EXPECT_EQ(0x007AA0FFu, values.crHeader);
    EXPECT_EQ(730, values.nSpeed);  // the run's current speed
    EXPECT_FALSE(values.bHowl);
  }
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  reg.SaveValueString("LastCheckForUpdate", Stamp(2 * kDay));
  reg.SaveValueBool("RestoreToFactoryDefaults", true);
  reg.SaveValueDWord("ColorHeader", 0x00123456);
  reg.SaveValueInt("ScrollingTextSpeed", 0);
  reg.SaveValueBool("HowlEnabled", true);
  const Settings::Values values = Settings::Load(true, 500, dNow);
  EXPECT_EQ("It has been 2 days since you last successfully ran 'Check for Updates'.",
            values.lastCheck.sSince);
  EXPECT_TRUE(values.bRestorePending);
  EXPECT_TRUE(values.bToolTips);
  EXPECT_EQ(0x00123456u, values.crHeader);
  EXPECT_EQ(0, values.nSpeed);
  EXPECT_TRUE(values.bHowl);
}

TEST_F(SettingsLastCheck, SpeedsOutsideTheSpinRangeAreHeldToIt) {
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  const struct {
    DWord stored;
    int nSpeed;
  } cases[] = {{0xFFFFFFFFu, 0}, {0x80000000u, 0}, {2001, 2000}, {0x7FFFFFFFu, 2000}, {1990, 1990}};
  for (const auto& c : cases) {
    reg.SaveValueDWord("ScrollingTextSpeed", c.stored);
    EXPECT_EQ(c.nSpeed, Settings::Load(true, 500, dNow).nSpeed) << c.stored;
  }
}

TEST(SettingsSave, OkWritesEveryValueAndSwitchesTooltipsAtOnce) {
  test::ScopedMemoryRegistry registry;
  const bool bBefore = DialogDefaults::s_bToolTipsEnabled;
  for (const bool bOn : {false, true}) {
    Settings::Values values;
    values.crHeader = bOn ? 0x00FF00FFu : Settings::kDefaultHeaderColour;
    values.nSpeed = bOn ? 2000 : 0;
    values.bToolTips = bOn;
    values.bHowl = bOn;
    ASSERT_EQ(kSOk, Settings::Save(values));
    EXPECT_EQ(bOn, DialogDefaults::s_bToolTipsEnabled);
    MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, false);
    DWord dw = 7;
    EXPECT_TRUE(reg.ReadValueDWord("ColorHeader", dw));
    EXPECT_EQ(values.crHeader, dw);
    EXPECT_TRUE(reg.ReadValueDWord("ScrollingTextSpeed", dw));
    EXPECT_EQ(static_cast<DWord>(values.nSpeed), dw);
    EXPECT_TRUE(reg.ReadValueDWord("TooltipsEnabled", dw));
    EXPECT_EQ(bOn ? 1u : 0u, dw);
    EXPECT_TRUE(reg.ReadValueDWord("HowlEnabled", dw));
    EXPECT_EQ(bOn ? 1u : 0u, dw);
    // Nothing else: the factory-defaults request is not OK's to write.
    EXPECT_FALSE(reg.ProbeValue("RestoreToFactoryDefaults"));
  }
  DialogDefaults::s_bToolTipsEnabled = bBefore;
}

TEST(SettingsRestore, ConfirmedRequestIsStoredAtOnceCancelStoresNothing) {
  for (const int nAnswer : {UserMessage::kIdOk, UserMessage::kIdCancel}) {
    test::ScopedMemoryRegistry registry;
    std::vector<std::pair<std::string, unsigned>> shown;
    const UserMessage::Handler previous =
        UserMessage::SetHandler([&](const std::string& text, const std::string&, unsigned style) {
          shown.emplace_back(text, style);
          return shown.size() == 1 ? nAnswer : UserMessage::kIdOk;
        });
    const bool bStored = Settings::ConfirmRestore();
    UserMessage::SetHandler(previous);

    EXPECT_EQ(nAnswer == UserMessage::kIdOk, bStored);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(Settings::kRestoreQuestion, shown[0].first);
    EXPECT_EQ(0x121u, shown[0].second);  // OK/Cancel, question, Cancel the default
    MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    bool bRequest = false;
    reg.ReadValueBool("RestoreToFactoryDefaults", bRequest);
    EXPECT_EQ(bStored, bRequest);
    if (bStored) {
      ASSERT_EQ(2u, shown.size());
      EXPECT_EQ(0x40u, shown[1].second);
      EXPECT_NE(std::string::npos, shown[1].first.find("erase all settings the next time you start it"));
    } else {
      EXPECT_EQ(1u, shown.size());
    }
  }
}

TEST(SettingsSpeed, StepsStayWithinTheSpinRange) {
  const struct {
    int nCurrent, nDelta;
    bool bMoves;
    int nNew;
  } cases[] = {{500, 10, true, 510}, {500, -10, true, 490},  {10, -10, true, 0}, {0, -10, false, 0},
               {2000, 10, false, 0}, {1990, 10, true, 2000}, {5, -10, false, 0}};
  for (const auto& c : cases) {
    int nNew = -1;
    EXPECT_EQ(c.bMoves, Settings::StepSpeed(c.nCurrent, c.nDelta, nNew)) << c.nCurrent << c.nDelta;
    if (c.bMoves) {
      EXPECT_EQ(c.nNew, nNew);
    }
  }
  EXPECT_EQ(0, Settings::ClampSpeed(-5));
  EXPECT_EQ(2000, Settings::ClampSpeed(1LL << 40));
  EXPECT_EQ(70, Settings::ClampSpeed(70));
}

TEST(SettingsDonation, OpensThePaymentPageOrWarns) {
  const std::string url = Settings::DonationUrl();
  EXPECT_NE(std::string::npos, url.find("/xclick/business="));
  EXPECT_NE(
      std::string::npos,
      url.find("&item_name=Donation+for+Tarvolin+-+Thanks%21&page_style=Primary&no_shipping=1&cn=%28Optional%"
               "29+Send+a+message+to+the+Tarvolin+team%21&tax=0&currency_code=USD&lc=US"));
  for (const std::intptr_t result : {std::intptr_t{33}, std::intptr_t{32}}) {
    std::vector<std::string> opened;
    const Shell::Opener previous = Shell::SetOpener([&](const std::string& file, const std::string&) {
      opened.push_back(file);
      return result;
    });
    test::ScopedUserAnswers answers;
    const HResult hr = Settings::OpenDonationPage();
    Shell::SetOpener(previous);
    EXPECT_EQ(std::vector<std::string>{url}, opened);
    if (result > 32) {
      EXPECT_EQ(kSOk, hr);
      EXPECT_TRUE(answers.Shown().empty());
    } else {
      EXPECT_NE(kSOk, hr);
      ASSERT_EQ(1u, answers.Shown().size());
      EXPECT_EQ("Cannot navigate to <" + url + ">!  Please try again later!\n", answers.Shown()[0]);
    }
  }
}

struct CountingView : GridView {
  int nInvalidated = 0;
  void Invalidate() override { ++nInvalidated; }
  int MeasureColumn(int, GridAutoSize) const override { return 50; }
};

TEST(SettingsHeaderColour, RowZeroAndColumnZeroTakeTheStoredColour) {
  for (const bool bStored : {false, true}) {
    test::ScopedMemoryRegistry registry;
    if (bStored)
      MyRegistry(Registry::kCurrentUser, REGKEY_PROGRAM, true).SaveValueDWord("ColorHeader", 0x00112233);
    const Colour crExpected = bStored ? 0x00112233u : 0x007AA0FFu;
    CGridCtrl grid;
    CountingView view;
    grid.SetView(&view);
    ASSERT_TRUE(grid.SetColumnCount(4));
    ASSERT_TRUE(grid.SetRowCount(3));
    grid.SetItemBkColour(1, 1, 0x00ABCDEF);
    view.nInvalidated = 0;
    Settings::ApplyHeaderColour(grid);
    for (int nRow = 0; nRow < 3; ++nRow) {
      for (int nCol = 0; nCol < 4; ++nCol) {
        const Colour crCell = grid.GetCell(nRow, nCol)->background;
        if (nRow == 0 || nCol == 0)
          EXPECT_EQ(crExpected, crCell) << nRow << "," << nCol;
        else
          EXPECT_NE(crExpected, crCell) << nRow << "," << nCol;
      }
    }
    EXPECT_EQ(0x00ABCDEFu, grid.GetCell(1, 1)->background);
    EXPECT_GE(view.nInvalidated, 1);
  }
}

}  // namespace
