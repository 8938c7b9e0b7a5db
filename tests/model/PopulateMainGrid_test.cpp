// Filling the main grid from the registry, and the "Enabled?" box's click,
// on the in-memory registry with real list files and DLL files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/RegistryWatch.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "controls/GridCtrl.h"
#include "model/Bho.h"
#include "model/BhoGridRow.h"
#include "model/MyGridCellCheck.h"
#include "support/BhoWorld.h"
#include "support/FakeWatch.h"

namespace {

using namespace BhoGrid;

const char* const kFirst = "{00000000-0000-0000-0000-000000000001}";
const char* const kSecond = "{22222222-0000-0000-0000-000000000002}";
const char* const kThird = "{33333333-0000-0000-0000-000000000003}";
const char* const kGridBhos = "Software\\Kestrove\\Tarvolin 2.0\\GridBhos";

// Measures every column as 10 pixels per row counted, so an auto-size shows.
class FakeView : public GridView {
 public:
  explicit FakeView(const CGridCtrl& grid) : m_grid(grid) {}
  void Invalidate() override { ++m_nInvalidated; }
  int MeasureColumn(int, GridAutoSize) const override { return 10 * m_grid.GetRowCount(); }
  int m_nInvalidated = 0;

 private:
  const CGridCtrl& m_grid;
};

using WatchRecorder = test::FakeWatch;

class MainGrid : public ::testing::Test {
 protected:
  MainGrid() {
    test::WriteFile(world.File("helper.dll"), "hello");
    test::WriteFile(world.File("other.dll"), "other");
    world.WriteMakerList("[General]\r\nTimestamp=2006-01-01\r\n");
    world.WriteTextList("L {99999999-0000-0000-0000-000000000000}: someone else\r\n");
    world.WriteHtmlList("<html><table></table></html>\r\n");
    world.OpenLists();
    grid.SetView(&view);
    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned) {
          shown.push_back(text);
          return m_nAnswer;
        });
  }
  ~MainGrid() override {
    UserMessage::SetHandler(m_previousHandler);
    Shell::SetBrowserProbe(nullptr);
  }

  BHO* RowBho(int nRow) { return grid.GetItemData<BHO>(nRow, COLUMN_ENABLED); }
  std::string Text(int nRow, int nCol) { return grid.GetCell(nRow, nCol)->text; }

  test::BhoWorld world;
  CGridCtrl grid;
  FakeView view{grid};
  std::vector<std::string> shown;
  int m_nAnswer = UserMessage::kIdOk;

 private:
  UserMessage::Handler m_previousHandler;
};

TEST_F(MainGrid, FirstFillSetsUpTheGridAndOneRowPerBhoInRegistryOrder) {
  world.Register(kThird, world.File("other.dll"));
  world.Register(kFirst, world.File("helper.dll"));
  world.Register(kSecond, world.File("missing.dll"));
  {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    program.SaveValueDWord("ColorHeader", 0x00445566);
  }
  ASSERT_EQ(kSOk, BHO::PopulateMainGrid(grid));
  // The window draws the filled grid once, not after every change.
  EXPECT_EQ(1, view.m_nInvalidated);

  ASSERT_EQ(COLUMNS_COUNT, grid.GetColumnCount());
  ASSERT_EQ(4, grid.GetRowCount());
  EXPECT_EQ(1, grid.GetFixedRowCount());
  EXPECT_EQ(1, grid.GetFixedColumnCount());
  EXPECT_EQ(RGB_BLACK, grid.GetGridLineColor());
  EXPECT_TRUE(grid.GetHeaderSort());
  EXPECT_TRUE(grid.GetSingleRowSelection());
  for (int nCol = 0; nCol < COLUMNS_COUNT; ++nCol) {
    EXPECT_EQ(kHeaderTexts[nCol], Text(0, nCol));
    EXPECT_EQ(0x00445566u, grid.GetCell(0, nCol)->background);
  }
  // Registry order (by name), not the order of installation.
  EXPECT_EQ(kFirst, RowBho(1)->m_mapAttrVals.Get("Clsid"));
  EXPECT_EQ(kSecond, RowBho(2)->m_mapAttrVals.Get("Clsid"));
  EXPECT_EQ(kThird, RowBho(3)->m_mapAttrVals.Get("Clsid"));
  EXPECT_EQ("helper.dll", Text(1, COLUMN_DLLNAME));
  EXPECT_EQ("File is Missing!", Text(2, COLUMN_ENABLED));
  EXPECT_EQ(world.File("missing.dll"), Text(2, COLUMN_DLLNAME));
  EXPECT_EQ(0x00445566u, grid.GetCell(3, COLUMN_HEADER)->background);
  EXPECT_EQ("3", Text(3, COLUMN_HEADER));

  // Four status images, then one file icon per row in row order.
  EXPECT_EQ(kStatusImageCount + 3, grid.GetImageList()->GetImageCount());
  for (int nRow = 1; nRow <= 3; ++nRow) {
    EXPECT_EQ(kStatusImageCount + nRow - 1, grid.GetCell(nRow, COLUMN_DLLNAME)->image);
    EXPECT_EQ(kStatusImageCount + nRow - 1, RowBho(nRow)->m_nImageListIndex);
  }
  EXPECT_TRUE(shown.empty());
  EXPECT_NE(std::string::npos, world.Log().Messages().find("Found <3> BHOs in the Registry.\n"));
}

TEST_F(MainGrid, ARecordThatFailsToLoadHidesNoLaterRow) {
  // Named to sort first, its list lookups fail (the text list is gone),
  // which fails every record; each still gets its row.
  world.Register(kFirst, world.File("helper.dll"));
  world.Register(kSecond, world.File("other.dll"));
  test::RemoveFile(world.File("bholist.txt"));
  EXPECT_EQ(kEFail, BHO::PopulateMainGrid(grid));

  ASSERT_EQ(3, grid.GetRowCount());
  for (int nRow = 1; nRow <= 2; ++nRow) {
    ASSERT_NE(nullptr, RowBho(nRow)) << nRow;
    EXPECT_EQ(std::to_string(nRow), Text(nRow, COLUMN_HEADER));
    EXPECT_FALSE(Text(nRow, COLUMN_DLLNAME).empty()) << nRow;
  }
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ("The list of BHOs was not completely loaded - please see the logfile for more info.\n",
            shown.back());
}

TEST_F(MainGrid, RefillsReleaseTheOldRecordsAndKeepTheImageListBounded) {
  world.Register(kFirst, world.File("helper.dll"));
  world.Register(kSecond, world.File("other.dll"));
  ASSERT_EQ(kSOk, BHO::PopulateMainGrid(grid));
  std::weak_ptr<void> first;
  {
    // The row owns its record: a copy of the owner shows when it goes.
    const GridCell* pCell = grid.GetCell(1, COLUMN_ENABLED);
    first = pCell->data;
  }
  for (int i = 0; i < 100; ++i) ASSERT_EQ(kSOk, BHO::PopulateMainGrid(grid));
  EXPECT_TRUE(first.expired());
  EXPECT_EQ(3, grid.GetRowCount());
  EXPECT_EQ(kStatusImageCount + 2, grid.GetImageList()->GetImageCount());
  EXPECT_EQ(kStatusImageCount + 1, RowBho(2)->m_nImageListIndex);

  // A BHO removed since: its row goes, and so does its icon.
  MyRegistry(Registry::kLocalMachine, REGKEY_BHO, false).DeleteKey(kFirst);
  ASSERT_EQ(kSOk, BHO::PopulateMainGrid(grid));
  EXPECT_EQ(2, grid.GetRowCount());
  EXPECT_EQ(kStatusImageCount + 1, grid.GetImageList()->GetImageCount());
}

TEST_F(MainGrid, ColumnWidthsComeFromTheRegistryOrFitTheCells) {
  world.Register(kFirst, world.File("helper.dll"));
  ASSERT_EQ(kSOk, BHO::PopulateMainGrid(grid));
  for (int nCol = 0; nCol < COLUMNS_COUNT; ++nCol) EXPECT_EQ(20, grid.GetColumnWidth(nCol)) << nCol;

  {
    MyRegistry widths(Registry::kCurrentUser, kGridBhos, true);
    widths.SaveValueDWord("ColumnWidths0", 33);
  }
  ASSERT_EQ(kSOk, BHO::PopulateMainGrid(grid));
  EXPECT_EQ(33, grid.GetColumnWidth(0));
  for (int nCol = 1; nCol < COLUMNS_COUNT; ++nCol) EXPECT_EQ(50, grid.GetColumnWidth(nCol)) << nCol;

  grid.SetColumnWidth(3, 123);
  ASSERT_EQ(kSOk, grid.SaveColumnWidthsToRegistry(kGridBhos, "ColumnWidths"));
  DWord dwWidth = 0;
  MyRegistry widths(Registry::kCurrentUser, kGridBhos, false);
  ASSERT_TRUE(widths.ReadValueDWord("ColumnWidths3", dwWidth));
  EXPECT_EQ(123u, dwWidth);
}

TEST_F(MainGrid, MissingBhoKeyLeavesTheHeaderOnly) {
  MyRegistry(Registry::kLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", true)
      .DeleteKey("Browser Helper Objects");
  EXPECT_EQ(kSOk, BHO::PopulateMainGrid(grid));
  EXPECT_EQ(1, grid.GetRowCount());
  EXPECT_EQ(COLUMNS_COUNT, grid.GetColumnCount());
  EXPECT_NE(std::string::npos, world.Log().Messages().find(
                                   "User has rights to read the Registry, but key doesn't exist.  This is "
                                   "unexpected, I think.\n"));
}

class CheckClick : public MainGrid {
 protected:
  CheckClick() {
    world.Register(kFirst, world.File("helper.dll"));
    EXPECT_EQ(kSOk, BHO::PopulateMainGrid(grid));
    m_pPrevious = RegistryWatch::SetCurrent(&watch);
  }
  ~CheckClick() override { RegistryWatch::SetCurrent(m_pPrevious); }

  std::string StoredPath() {
    std::string sPath;
    MyRegistry(Registry::kClassesRoot, std::string("CLSID\\") + kFirst + "\\InProcServer32", false)
        .ReadValueString("", sPath);
    return sPath;
  }

  // How often the open-browsers question was asked.
  size_t Questions() const {
    size_t n = 0;
    for (const std::string& text : shown) n += text.find("You must close all instances") == 0;
    return n;
  }

  WatchRecorder watch;

 private:
  RegistryWatch* m_pPrevious = nullptr;
};

TEST_F(CheckClick, UntickingDisablesAndTheRowShowsTheStateReadBack) {
  ASSERT_TRUE(grid.GetCell(1, COLUMN_ENABLED)->bChecked);
  EXPECT_EQ(kSOk, MyGridCellCheck::OnClick(grid, 1, COLUMN_ENABLED, true));

  EXPECT_NE(std::string::npos, StoredPath().find("__TarvolinDisabled_"));
  const GridCell* pCell = grid.GetCell(1, COLUMN_ENABLED);
  EXPECT_FALSE(pCell->bChecked);
  EXPECT_EQ(RGB_YELLOW_LIGHT, pCell->background);
  EXPECT_EQ("No", RowBho(1)->m_mapAttrVals.Get("Enabled?"));
  EXPECT_EQ(kStatusImageCount, grid.GetCell(1, COLUMN_DLLNAME)->image);  // the icon is kept
  EXPECT_EQ(kStatusImageCount + 1, grid.GetImageList()->GetImageCount());
  // The watch was suspended around each write and is on again.
  EXPECT_TRUE(watch.m_bActive);
  ASSERT_FALSE(watch.m_calls.empty());
  EXPECT_EQ("Unhook", watch.m_calls.front());
  EXPECT_EQ("Hook", watch.m_calls.back());
  // Offered again for reporting.
  EXPECT_NE(std::string::npos, test::ReadFile(world.File("Tarvolin.ini")).find("IsReported=No"));

  EXPECT_EQ(kSOk, MyGridCellCheck::OnClick(grid, 1, COLUMN_ENABLED, true));
  EXPECT_EQ(world.File("helper.dll"), StoredPath());
  EXPECT_TRUE(grid.GetCell(1, COLUMN_ENABLED)->bChecked);
  EXPECT_EQ(RGB_PALEGREEN, grid.GetCell(1, COLUMN_ENABLED)->background);
}

TEST_F(CheckClick, ClickBesideTheBoxOrInAnotherColumnChangesNothing) {
  EXPECT_EQ(kSOk, MyGridCellCheck::OnClick(grid, 1, COLUMN_ENABLED, false));
  EXPECT_EQ(kSOk, MyGridCellCheck::OnClick(grid, 1, COLUMN_STATUS, true));
  EXPECT_EQ(kSOk, MyGridCellCheck::OnClick(grid, 0, COLUMN_ENABLED, true));
  EXPECT_EQ(world.File("helper.dll"), StoredPath());
  EXPECT_TRUE(grid.GetCell(1, COLUMN_ENABLED)->bChecked);
  EXPECT_TRUE(watch.m_calls.empty());
}

TEST_F(CheckClick, OpenBrowsersAreAskedAboutBeforeDisablingOnly) {
  int nProbes = 0;
  Shell::SetBrowserProbe([&] { return ++nProbes < 3; });  // open for two looks, then closed
  EXPECT_EQ(kSOk, MyGridCellCheck::OnClick(grid, 1, COLUMN_ENABLED, true));
  EXPECT_EQ(2u, Questions());
  EXPECT_EQ(0u, shown[0].find("You must close all instances of Internet Explorer and Windows Explorer"));
  EXPECT_NE(std::string::npos, StoredPath().find("__TarvolinDisabled_"));

  // Enabling asks nothing.
  shown.clear();
  Shell::SetBrowserProbe([] { return true; });
  EXPECT_EQ(kSOk, MyGridCellCheck::OnClick(grid, 1, COLUMN_ENABLED, true));
  EXPECT_EQ(0u, Questions());
  EXPECT_EQ(world.File("helper.dll"), StoredPath());
}

TEST_F(CheckClick, CancellingTheBrowserQuestionChangesNothing) {
  Shell::SetBrowserProbe([] { return true; });
  m_nAnswer = UserMessage::kIdCancel;
  EXPECT_EQ(kSOk, MyGridCellCheck::OnClick(grid, 1, COLUMN_ENABLED, true));
  EXPECT_EQ(1u, shown.size());
  EXPECT_EQ(1u, Questions());
  EXPECT_EQ(world.File("helper.dll"), StoredPath());
  EXPECT_TRUE(grid.GetCell(1, COLUMN_ENABLED)->bChecked);
  EXPECT_TRUE(watch.m_calls.empty());
}

TEST_F(CheckClick, AFailedDisableLeavesTheBoxTickedAsTheRegistryIs) {
  // The class registration went away after the grid was filled.
  MyRegistry(Registry::kClassesRoot, "CLSID", false).DeleteKey(kFirst);
  EXPECT_EQ(kEFail, MyGridCellCheck::OnClick(grid, 1, COLUMN_ENABLED, true));
  const GridCell* pCell = grid.GetCell(1, COLUMN_ENABLED);
  // Nothing was disabled, so the row does not claim it was; with the class
  // gone the row has no file to switch any more.
  EXPECT_TRUE(pCell->bChecked);
  EXPECT_EQ(GridCellType::kPlain, pCell->type);
  EXPECT_EQ("{ Not found }", Text(1, COLUMN_DLLNAME));
  EXPECT_TRUE(watch.m_bActive);
}

}  // namespace
