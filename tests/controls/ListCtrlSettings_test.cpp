// What the attribute list keeps between openings and copies as text.
#include "controls/ListCtrlSettings.h"

#include <gtest/gtest.h>

#include "common/registry/MyRegistry.h"
#include "support/ScopedMemoryRegistry.h"

namespace {

const char* const kKey = "Software\\Kestrove\\Tarvolin 2.0\\DetailsListCtrl";

TEST(ListCtrlSettings, WidthsAndGridLinesComeBackAsSaved) {
  test::ScopedMemoryRegistry registry;
  ListCtrlSettings saved;
  saved.widths = {120, 333};
  saved.bGridLines = false;
  ASSERT_EQ(kSOk, saved.Save(kKey, "ColumnWidths"));

  MyRegistry reg(Registry::kCurrentUser, kKey, false);
  DWord width = 0;
  ASSERT_TRUE(reg.ReadValueDWord("ColumnWidths1", width));
  EXPECT_EQ(333u, width);

  ListCtrlSettings read;
  read.widths = {150, 340};
  read.Read(kKey, "ColumnWidths");
  EXPECT_EQ(saved.widths, read.widths);
  EXPECT_FALSE(read.bGridLines);
}

TEST(ListCtrlSettings, MissingOrSillyValuesKeepUsableWidths) {
  test::ScopedMemoryRegistry registry;
  ListCtrlSettings defaults;
  defaults.widths = {150, 340, 77};
  defaults.Read(kKey, "ColumnWidths");  // no key at all
  EXPECT_EQ((std::vector<int>{150, 340, 77}), defaults.widths);
  EXPECT_TRUE(defaults.bGridLines);

  MyRegistry reg(Registry::kCurrentUser, kKey, true);
  reg.SaveValueDWord("ColumnWidths0", 0);
  reg.SaveValueDWord("ColumnWidths1", 0xFFFFFFFFu);
  defaults.Read(kKey, "ColumnWidths");
  EXPECT_EQ((std::vector<int>{ListCtrlSettings::kMinWidth, ListCtrlSettings::kMaxWidth, 77}),
            defaults.widths);
}

TEST(ListCtrlText, RowsBecomeTabbedLines) {
  EXPECT_EQ("", ListCtrlText::RowsAsText({}));
  EXPECT_EQ("Clsid\t{1}\r\nDLL Path\tC:\\a b.dll\r\n",
            ListCtrlText::RowsAsText({{"Clsid", "{1}"}, {"DLL Path", "C:\\a b.dll"}}));
  EXPECT_EQ("only\r\n", ListCtrlText::RowsAsText({{"only"}}));
}

TEST(ListCtrlText, FontStepsStopAtTheEnds) {
  const struct {
    int points, smaller, larger;
  } cases[] = {{8, 7, 9}, {6, 6, 7}, {24, 20, 24}, {13, 12, 14}, {100, 24, 24}, {1, 6, 6}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.smaller, ListCtrlText::SmallerFont(c.points)) << c.points;
    EXPECT_EQ(c.larger, ListCtrlText::LargerFont(c.points)) << c.points;
  }
}

}  // namespace
