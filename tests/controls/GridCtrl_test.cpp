// The grid's state without a window: counts, cells and their items, sorting,
// and the column widths in the registry, with a stand-in view that measures.
#include "controls/GridCtrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/registry/MyRegistry.h"
#include "support/ScopedMemoryRegistry.h"

namespace {

const char kKey[] = "Software\\Kestrove\\Tarvolin 2.0\\GridBhos";
const char kValue[] = "ColumnWidths";

// Measures every column as 100 + its index and counts the redraws asked for.
class FakeView : public GridView {
 public:
  void Invalidate() override { ++nInvalidated; }
  int MeasureColumn(int col, GridAutoSize rows) const override {
    measured.push_back(rows);
    return 100 + col;
  }
  int nInvalidated = 0;
  mutable std::vector<GridAutoSize> measured;
};

class GridCtrlTest : public ::testing::Test {
 protected:
  GridCtrlTest() {
    m_grid.SetColumnCount(7);
    m_grid.SetRowCount(4);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.SetAutoSizeStyle(GVS_BOTH);
  }
  std::vector<std::string> Column(int nCol) const {
    std::vector<std::string> texts;
    for (int nRow = 1; nRow < m_grid.GetRowCount(); ++nRow) texts.push_back(m_grid.GetCell(nRow, nCol)->text);
    return texts;
  }
  DWord Stored(const std::string& name) {
    MyRegistry reg(Registry::kCurrentUser, kKey, false);
    DWord value = 0xDEAD;
    reg.ReadValueDWord(name, value);
    return value;
  }

  test::ScopedMemoryRegistry m_registry;
  CGridCtrl m_grid;
};

TEST_F(GridCtrlTest, CountsAndCellsOutsideTheGrid) {
  EXPECT_EQ(7, m_grid.GetColumnCount());
  EXPECT_EQ(4, m_grid.GetRowCount());
  EXPECT_EQ(nullptr, m_grid.GetCell(4, 0));
  EXPECT_EQ(nullptr, m_grid.GetCell(0, 7));
  EXPECT_EQ(nullptr, m_grid.GetCell(-1, 0));
  EXPECT_FALSE(m_grid.SetItemText(4, 0, "x"));
  EXPECT_FALSE(m_grid.SetRowCount(-1));
  EXPECT_FALSE(m_grid.DeleteRow(4));
  EXPECT_EQ(0u, m_grid.GetItemState(9, 9));
  // A fixed count above the row count grows the grid.
  CGridCtrl grid;
  grid.SetColumnCount(2);
  EXPECT_TRUE(grid.SetFixedRowCount(1));
  EXPECT_EQ(1, grid.GetRowCount());
  // Fewer rows than fixed ones leave only those.
  m_grid.SetRowCount(0);
  EXPECT_EQ(0, m_grid.GetFixedRowCount());
}

TEST_F(GridCtrlTest, DeletingARowOrShrinkingReleasesItsItems) {
  auto pFirst = std::make_shared<int>(1), pSecond = std::make_shared<int>(2),
       pThird = std::make_shared<int>(3);
  m_grid.SetItemData(1, 1, pFirst);
  m_grid.SetItemData(2, 1, pSecond);
  m_grid.SetItemData(3, 6, pThird);
  EXPECT_EQ(2, *m_grid.GetItemData<int>(2, 1));
  EXPECT_EQ(2, pSecond.use_count());
  ASSERT_TRUE(m_grid.DeleteRow(2));
  EXPECT_EQ(1, pSecond.use_count());
  EXPECT_EQ(3, m_grid.GetRowCount());
  EXPECT_EQ(3, *m_grid.GetItemData<int>(2, 6));  // the rows below move up
  m_grid.SetColumnCount(6);
  EXPECT_EQ(1, pThird.use_count());
  m_grid.SetRowCount(1);
  EXPECT_EQ(1, pFirst.use_count());
  EXPECT_EQ(nullptr, m_grid.GetItemData<int>(1, 1));
}

TEST_F(GridCtrlTest, SortsNumbersByValueAndTextsIgnoringCase) {
  const char* const numbers[] = {"10", "9", "100"};
  const char* const texts[] = {"beta", "Alpha", "gamma"};
  for (int n = 0; n < 3; ++n) {
    m_grid.SetItemText(n + 1, 0, numbers[n]);
    m_grid.SetItemText(n + 1, 3, texts[n]);
    m_grid.SetItemData(n + 1, 1, std::make_shared<std::string>(texts[n]));
  }
  m_grid.SetItemText(0, 0, "#");
  m_grid.SortByColumn(0);
  EXPECT_EQ((std::vector<std::string>{"9", "10", "100"}), Column(0));
  EXPECT_EQ("#", m_grid.GetCell(0, 0)->text);  // the header stays on top
  m_grid.SortByColumn(3);
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "gamma"}), Column(3));
  EXPECT_EQ((std::vector<std::string>{"9", "10", "100"}), Column(0));  // rows move whole
  EXPECT_EQ("Alpha", *m_grid.GetItemData<std::string>(1, 1));
  m_grid.SortByColumn(3);
  EXPECT_FALSE(m_grid.GetSortAscending());
  EXPECT_EQ((std::vector<std::string>{"gamma", "beta", "Alpha"}), Column(3));
  // Numbers by value before words, in one consistent order ("1a" would come
  // before "9" as text, and "10" before "1a").
  m_grid.SetItemText(1, 4, "9");
  m_grid.SetItemText(2, 4, "10");
  m_grid.SetItemText(3, 4, "1a");
  m_grid.SortByColumn(4);
  EXPECT_EQ((std::vector<std::string>{"9", "10", "1a"}), Column(4));
}

TEST_F(GridCtrlTest, WidthsGoToTheRegistryAndBack) {
  for (int nCol = 0; nCol < 7; ++nCol) m_grid.SetColumnWidth(nCol, 20 + nCol);
  ASSERT_TRUE(Succeeded(m_grid.SaveColumnWidthsToRegistry(kKey, kValue)));
  EXPECT_EQ(20u, Stored("ColumnWidths0"));
  EXPECT_EQ(26u, Stored("ColumnWidths6"));
  CGridCtrl other;
  other.SetColumnCount(7);
  ASSERT_TRUE(Succeeded(other.ReadColumnWidthsFromRegistry(kKey, kValue)));
  for (int nCol = 0; nCol < 7; ++nCol) EXPECT_EQ(20 + nCol, other.GetColumnWidth(nCol));
}

TEST_F(GridCtrlTest, AbsentKeySizesEveryColumnToItsCells) {
  FakeView view;
  m_grid.SetView(&view);
  ASSERT_TRUE(Succeeded(m_grid.ReadColumnWidthsFromRegistry(kKey, kValue)));
  for (int nCol = 0; nCol < 7; ++nCol) EXPECT_EQ(100 + nCol, m_grid.GetColumnWidth(nCol));
  EXPECT_EQ(std::vector<GridAutoSize>(7, GVS_BOTH), view.measured);
  EXPECT_GT(view.nInvalidated, 0);
  m_grid.SetView(nullptr);
}

TEST_F(GridCtrlTest, MissingValuesReadAsFiftyAndHostileOnesAreBounded) {
  {
    MyRegistry reg(Registry::kCurrentUser, kKey, true);
    ASSERT_TRUE(reg.SaveValueDWord("ColumnWidths0", 33));
    ASSERT_TRUE(reg.SaveValueDWord("ColumnWidths2", 0xFFFFFFFFu));
    ASSERT_TRUE(reg.SaveValueDWord("ColumnWidths9", 77));  // no such column
  }
  FakeView view;
  m_grid.SetView(&view);
  for (int nCol = 0; nCol < 7; ++nCol) m_grid.SetColumnWidth(nCol, 5);
  ASSERT_TRUE(Succeeded(m_grid.ReadColumnWidthsFromRegistry(kKey, kValue)));
  EXPECT_EQ(33, m_grid.GetColumnWidth(0));
  EXPECT_EQ(50, m_grid.GetColumnWidth(1));
  EXPECT_GT(m_grid.GetColumnWidth(2), 0);  // not a negative width from an unsigned one
  EXPECT_LE(m_grid.GetColumnWidth(2), 0x7FFF);
  for (int nCol = 3; nCol < 7; ++nCol) EXPECT_EQ(50, m_grid.GetColumnWidth(nCol));
  EXPECT_TRUE(view.measured.empty());  // the key exists: nothing is sized
  m_grid.SetView(nullptr);
}

TEST_F(GridCtrlTest, WidthsOfColumnsThatComeAndGo) {
  EXPECT_EQ(50, m_grid.GetColumnWidth(6));
  EXPECT_FALSE(m_grid.SetColumnWidth(7, 10));
  EXPECT_FALSE(m_grid.SetColumnWidth(0, -1));
  EXPECT_EQ(0, m_grid.GetColumnWidth(7));
  m_grid.SetColumnWidth(6, 80);
  m_grid.SetColumnCount(6);
  m_grid.SetColumnCount(7);
  EXPECT_EQ(50, m_grid.GetColumnWidth(6));  // a new column, not the old one back
  // Without a view there is nothing to measure: widths stay.
  EXPECT_TRUE(m_grid.AutoSizeColumn(6));
  EXPECT_EQ(50, m_grid.GetColumnWidth(6));
  EXPECT_FALSE(m_grid.AutoSizeColumn(7));
}

}  // namespace
