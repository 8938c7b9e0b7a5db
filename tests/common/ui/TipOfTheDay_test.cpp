// The tip of the day's paging, counter and remembered values.
#include "common/ui/TipOfTheDay.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/registry/MyRegistry.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestSupport.h"

namespace {

using TipOfTheDay::Tips;

std::string Counter(int n, int of) {
  return "Tip " + std::to_string(n) + " of " + std::to_string(of) + " ...";
}

TEST(TipOfTheDayStrings, ElevenHintsWithoutAGapThenTheHeadingAndCounter) {
  Tips tips(&TipOfTheDay::TableString, 0);
  EXPECT_EQ(11, tips.Count());
  for (unsigned id = 17000; id <= 17010; ++id) EXPECT_FALSE(TipOfTheDay::TableString(id).empty()) << id;
  EXPECT_TRUE(TipOfTheDay::TableString(17011).empty());
  EXPECT_EQ("Did you know?", TipOfTheDay::TableString(17924));
  EXPECT_EQ("Tip %d of %d ...", TipOfTheDay::TableString(17930));
}

// From the remembered id, what the opening shows, then a walk of presses.
TEST(TipOfTheDayPaging, OpensAfterTheRememberedHintForwardWrapsBackStops) {
  const struct {
    unsigned remembered;
    unsigned opens;
    const char* presses;  // N next, P previous
    unsigned after;
  } cases[] = {
      {0, 17000, "", 17000},             // first run
      {17000, 17001, "", 17001},         // every opening advances
      {17009, 17010, "", 17010},         // the last hint
      {17010, 17000, "", 17000},         // past the last: the first again
      {17010, 17000, "P", 17000},        // back stops at the first
      {0, 17000, "PPP", 17000},          //
      {17009, 17010, "N", 17000},        // forward wraps
      {17009, 17010, "NN", 17001},       //
      {17004, 17005, "PPN", 17004},      //
      {17004, 17005, "NNNNNNN", 17001},  // round the end
      {17002, 17003, "PPPPPN", 17001},
      // Remembered ids that are not hints (the value is the user's to write):
      // the first hint, never another string of the table.
      {17924, 17000, "", 17000},
      {17929, 17000, "", 17000},
      {5012, 17000, "", 17000},
      {16999, 17000, "", 17000},
      {0xFFFFFFFFu, 17000, "", 17000},
      {0x7FFFFFFFu, 17000, "P", 17000},
  };
  for (const auto& c : cases) {
    Tips tips(&TipOfTheDay::TableString, c.remembered);
    EXPECT_EQ(c.opens, tips.TipId()) << c.remembered;
    for (const char* p = c.presses; *p; ++p) {
      if (*p == 'N')
        tips.Next();
      else
        tips.Previous();
    }
    EXPECT_EQ(c.after, tips.TipId()) << c.remembered << " " << c.presses;
    EXPECT_EQ(TipOfTheDay::TableString(c.after), tips.Text());
    EXPECT_EQ(Counter(static_cast<int>(c.after - 16999), 11), tips.Counter())
        << c.remembered << " " << c.presses;
  }
}

TEST(TipOfTheDayPaging, CountsWhateverTheTableHoldsAndSaysSoWhenNothingLoads) {
  std::map<unsigned, std::string> table = {{17000, "one"}, {17001, "two"}, {17002, "three"}, {17004, "gap"}};
  auto loader = [&](unsigned id) {
    auto it = table.find(id);
    return it == table.end() ? std::string() : it->second;
  };
  Tips tips(loader, 17002);
  EXPECT_EQ(17000u, tips.TipId());  // 17003 is missing: the hints end at 17002
  EXPECT_EQ("one", tips.Text());
  EXPECT_EQ("Tip 1 of 3 ...", tips.Counter());  // the format falls back to the program's own
  table[17930] = "%d/%d";
  tips.Previous();
  EXPECT_EQ("1/3", tips.Counter());

  table.clear();
  Tips none(loader, 0);
  EXPECT_EQ("Oops... couldn't load the first tip!", none.Text());
  none.Previous();
  EXPECT_EQ("Oops... couldn't load the previous tip!", none.Text());
  EXPECT_EQ(0, none.Count());
}

DWord Stored(const char* name) {
  MyRegistry reg(Registry::kCurrentUser, TipOfTheDay::RegistryKey(), false);
  DWord dw = 0xDEAD;
  reg.ReadValueDWord(name, dw);
  return dw;
}

TEST(TipOfTheDaySettings, ReadsAndWritesUnderThePlacementKey) {
  test::ScopedMemoryRegistry registry;
  test::ScopedLog log;
  EXPECT_EQ("Software\\Kestrove\\Tarvolin 2.0\\Placements\\MyTipDlg", TipOfTheDay::RegistryKey());

  TipOfTheDay::Settings first = TipOfTheDay::ReadSettings();  // nothing stored
  EXPECT_EQ(0u, first.uiTipID);
  EXPECT_EQ(1, first.bShowAtStartup);

  const struct {
    int bShow;
    DWord stored;
  } shows[] = {{0, 1}, {1, 0}};
  for (const auto& c : shows) {
    ASSERT_TRUE(TipOfTheDay::SaveShowAtStartup(c.bShow));
    EXPECT_EQ(c.stored, Stored("DontShowTipUponStartUp"));
    EXPECT_EQ(c.bShow, TipOfTheDay::ReadSettings().bShowAtStartup);
  }
  ASSERT_TRUE(TipOfTheDay::SaveTipId(17010));
  EXPECT_EQ(17010u, Stored("NextTipID"));
  EXPECT_EQ(17010u, TipOfTheDay::ReadSettings().uiTipID);

  // Whatever else is written there: any value but 0 keeps the dialog away.
  for (DWord dw : {2u, 0xFFFFFFFFu}) {
    MyRegistry reg(Registry::kCurrentUser, TipOfTheDay::RegistryKey(), false);
    ASSERT_TRUE(reg.SaveValueDWord("DontShowTipUponStartUp", dw));
    EXPECT_EQ(0, TipOfTheDay::ReadSettings().bShowAtStartup) << dw;
  }
  // A name of another type is no number: the defaults stay.
  {
    MyRegistry reg(Registry::kCurrentUser, TipOfTheDay::RegistryKey(), false);
    ASSERT_TRUE(reg.SaveValueString("DontShowTipUponStartUp", "1"));
    ASSERT_TRUE(reg.SaveValueString("NextTipID", "17005"));
  }
  TipOfTheDay::Settings odd = TipOfTheDay::ReadSettings();
  EXPECT_EQ(0u, odd.uiTipID);
}

}  // namespace
