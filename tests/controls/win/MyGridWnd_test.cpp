// The grid window on a real dialog: a report list view built from the grid,
// read back through its own messages, its painting checked pixel by pixel,
// and mouse messages on cells, header and dividers.
#include "controls/win/MyGridWnd.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/ui/Shell.h"
#include "common/ui/win/TestDialog.h"
#include "controls/GridCtrl.h"
#include "controls/win/GridImageListWin.h"
#include "res/resource.h"
#include "support/win/ScreenShot.h"

namespace {

constexpr int kGridId = 1102;
constexpr Colour kHeaderColour = 0x007AA0FF;
constexpr Colour kPaleGreen = 0x0098FB98;
constexpr Colour kYellowLight = 0x00C0FFFF;
constexpr Colour kPaleGoldenrod = 0x00AAE8EE;
constexpr Colour kPink = 0x00CBC0FF;

// A window's client area as WM_PRINTCLIENT paints it into a 32-bit bitmap.
class Capture {
 public:
  explicit Capture(HWND hWnd) {
    RECT rect{};
    ::GetClientRect(hWnd, &rect);
    m_cx = rect.right;
    m_cy = rect.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_cx;
    info.bmiHeader.biHeight = -m_cy;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    Gdi::Bitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
    Gdi::MemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dib || !dc || !pBits) return;
    {
      Gdi::Select select(dc.Get(), dib.Get());
      ::PatBlt(dc.Get(), 0, 0, m_cx, m_cy, BLACKNESS);
      ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
      ::GdiFlush();
    }
    const auto* pPixels = static_cast<const std::uint32_t*>(pBits);
    m_pixels.assign(pPixels, pPixels + static_cast<size_t>(m_cx) * static_cast<size_t>(m_cy));
  }
  // As a COLORREF (the bitmap holds 0x00RRGGBB).
  Colour At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy || m_pixels.empty()) return 0xFFFFFFFF;
    const std::uint32_t p =
        m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_cx) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels within the rectangle that are not `colour`.
  int CountOther(const RECT& rect, Colour colour) const {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x) n += At(x, y) != colour;
    return n;
  }
  int CountDark(const RECT& rect) const {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) {
        const Colour c = At(x, y);
        n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
      }
    }
    return n;
  }

 private:
  int m_cx = 0;
  int m_cy = 0;
  std::vector<std::uint32_t> m_pixels;
};

LPARAM At(POINT pt) { return MAKELPARAM(pt.x, pt.y); }
POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void Click(HWND hWnd, POINT pt) {
  ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
  ::SendMessageA(hWnd, WM_LBUTTONUP, 0, At(pt));
}

std::string ItemText(HWND hList, int nItem, int nSubItem) {
  char buffer[256] = {};
  LVITEMA item{};
  item.iSubItem = nSubItem;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  ::SendMessageA(hList, LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

std::string ColumnText(HWND hList, int nCol) {
  char buffer[256] = {};
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = buffer;
  column.cchTextMax = sizeof buffer;
  ::SendMessageA(hList, LVM_GETCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(&column));
  return buffer;
}

std::string OwnPath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

struct RowValues {
  const char* enabled;
  bool bChecked;
  Colour enabledColour;
  const char* file;
  const char* status;
  Colour statusColour;
  const char* url;
};

const char* const kHeaders[] = {"#", "Enabled?", "File Name", "Status", "ProgID", "Description", "URL"};
const int kWidths[] = {30, 70, 130, 120, 90, 160, 200};
const RowValues kRows[] = {
    {"", true, kPaleGreen, "first.dll", "Benign", kPaleGreen, "http://127.0.0.1/first"},
    {"", false, kYellowLight, "second.dll", "Malware", kPink, "http://127.0.0.1/second"},
    {"", true, kPaleGreen, "third.dll", "Investigating", kPaleGoldenrod, "http://127.0.0.1/third"},
};

// A dialog with a placeholder control where the grid goes, and a grid as
// the program fills it: header, three rows, colours, check boxes, icons, links.
class MyGridWndTest : public ::testing::Test {
 protected:
  MyGridWndTest() : m_dialog(540, 160, false) {
    ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 880, 240, m_dialog.Get(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridId)), nullptr, nullptr);
    m_pWnd = std::make_unique<MyGridWnd>(m_grid);
  }

  void SetUp() override {
    ASSERT_TRUE(m_pWnd->Attach(m_dialog.Get(), kGridId));
    m_hList = m_pWnd->GetSafeHwnd();
    m_hHeader = m_pWnd->GetHeaderHwnd();
    Fill();
  }

  void Fill() {
    m_grid.SetColumnCount(7);
    m_grid.SetRowCount(4);
    m_grid.SetFixedRowCount(1);
    m_grid.SetFixedColumnCount(1);
    m_grid.SetGridLineColor(0x00000000);
    m_grid.SetHeaderSort(true);
    m_grid.SetSingleRowSelection(true);
    m_grid.SetAutoSizeStyle(GVS_BOTH);
    auto pImages = GridImageList::Create(16, 16, 3, 1);
    ASSERT_TRUE(pImages);
    ASSERT_EQ(0, pImages->AddResourceIcon(IDR_MAINFRAME));
    m_nFileIcon = pImages->AddFileIcon(OwnPath());
    ASSERT_EQ(1, m_nFileIcon);
    m_grid.SetImageList(std::move(pImages));
    for (int nCol = 0; nCol < 7; ++nCol) {
      m_grid.SetItemText(0, nCol, kHeaders[nCol]);
      m_grid.SetItemFontWeight(0, nCol, kFontWeightBold);
      m_grid.SetItemState(0, nCol, kGridReadOnly);
      m_grid.SetItemBkColour(0, nCol, kHeaderColour);
      m_grid.SetColumnWidth(nCol, kWidths[nCol]);
    }
    for (int nRow = 1; nRow <= 3; ++nRow) {
      const RowValues& v = kRows[nRow - 1];
      m_grid.SetItemText(nRow, 0, std::to_string(nRow));
      m_grid.SetItemFormat(nRow, 0, kGridRight);
      m_grid.SetItemBkColour(nRow, 0, kHeaderColour);
      m_grid.SetItemFontWeight(nRow, 0, kFontWeightBold);
      m_grid.SetCellType(nRow, 1, GridCellType::kCheck);
      m_grid.SetItemFormat(nRow, 1, kGridCenter);
      m_grid.GetCell(nRow, 1)->bChecked = v.bChecked;
      m_grid.SetItemBkColour(nRow, 1, v.enabledColour);
      m_grid.SetItemText(nRow, 2, v.file);
      m_grid.SetItemImage(nRow, 2, m_nFileIcon);
      m_grid.SetItemText(nRow, 3, v.status);
      m_grid.SetItemFormat(nRow, 3, kGridCenter);
      m_grid.SetItemBkColour(nRow, 3, v.statusColour);
      m_grid.SetItemImage(nRow, 3, 0);
      m_grid.SetItemText(nRow, 4, "Sample.Bho." + std::to_string(nRow));
      m_grid.SetItemText(nRow, 5, std::string("A helper object, number ") + std::to_string(nRow));
      m_grid.SetItemText(nRow, 6, v.url);
      m_grid.SetCellType(nRow, 6, GridCellType::kUrl);
      for (int nCol = 2; nCol < 7; ++nCol) m_grid.SetItemState(nRow, nCol, kGridReadOnly);
    }
    m_grid.Invalidate();
  }

  RECT Cell(int nRow, int nCol) const {
    RECT rect{};
    EXPECT_TRUE(m_pWnd->GetCellRect(nRow, nCol, rect)) << nRow << "," << nCol;
    return rect;
  }
  RECT Box(int nRow, int nCol) const {
    RECT rect{};
    EXPECT_TRUE(m_pWnd->GetCheckBoxRect(nRow, nCol, rect)) << nRow << "," << nCol;
    return rect;
  }
  // A point near a cell's upper-left corner, where only its background shows.
  static POINT Corner(const RECT& r) { return POINT{r.left + 2, r.top + 2}; }

  test::TestDialog m_dialog;
  CGridCtrl m_grid;
  std::unique_ptr<MyGridWnd> m_pWnd;
  HWND m_hList = nullptr;
  HWND m_hHeader = nullptr;
  int m_nFileIcon = -1;
};

TEST_F(MyGridWndTest, TakesThePlaceholdersPlaceAndId) {
  EXPECT_EQ(m_hList, ::GetDlgItem(m_dialog.Get(), kGridId));
  char className[64] = {};
  ::GetClassNameA(m_hList, className, sizeof className);
  EXPECT_STREQ("SysListView32", className);
  EXPECT_TRUE(::GetWindowLongA(m_hList, GWL_STYLE) & WS_VISIBLE);
  RECT rect{};
  ::GetWindowRect(m_hList, &rect);
  ::MapWindowPoints(HWND_DESKTOP, m_dialog.Get(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(10, rect.left);
  EXPECT_EQ(10, rect.top);
  EXPECT_EQ(890, rect.right);
  EXPECT_EQ(250, rect.bottom);
  // One window with that id: the placeholder is gone.
  int nWithId = 0;
  for (HWND h = ::GetWindow(m_dialog.Get(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
    nWithId += ::GetDlgCtrlID(h) == kGridId;
  EXPECT_EQ(1, nWithId);
  MyGridWnd other(m_grid);
  EXPECT_FALSE(other.Attach(m_dialog.Get(), 4711));
}

TEST_F(MyGridWndTest, ListHoldsColumnsHeaderTextsRowsAndWidths) {
  ASSERT_EQ(7, Header_GetItemCount(m_hHeader));
  ASSERT_EQ(3, ListView_GetItemCount(m_hList));
  for (int nCol = 0; nCol < 7; ++nCol) {
    EXPECT_EQ(kHeaders[nCol], ColumnText(m_hList, nCol));
    EXPECT_EQ(kWidths[nCol], ListView_GetColumnWidth(m_hList, nCol)) << nCol;
  }
  EXPECT_EQ("1", ItemText(m_hList, 0, 0));
  EXPECT_EQ("second.dll", ItemText(m_hList, 1, 2));
  EXPECT_EQ("Investigating", ItemText(m_hList, 2, 3));
  EXPECT_EQ("http://127.0.0.1/third", ItemText(m_hList, 2, 6));
  EXPECT_GE(m_pWnd->GetRowHeight(), 18);  // room for a 16-pixel icon and the grid line
}

TEST_F(MyGridWndTest, RowsAndColumnsFollowTheGrid) {
  m_grid.DeleteRow(2);
  m_grid.SetColumnCount(5);
  m_grid.SetItemText(1, 4, "changed");
  m_grid.Invalidate();
  EXPECT_EQ(2, ListView_GetItemCount(m_hList));
  EXPECT_EQ(5, Header_GetItemCount(m_hHeader));
  EXPECT_EQ("third.dll", ItemText(m_hList, 1, 2));
  EXPECT_EQ("changed", ItemText(m_hList, 0, 4));
  m_grid.SetRowCount(1);
  m_grid.Invalidate();
  EXPECT_EQ(0, ListView_GetItemCount(m_hList));
}

TEST_F(MyGridWndTest, PaintsCellColoursHeaderColourAndBlackGridLines) {
  const Capture list(m_hList);
  struct Case {
    int nRow, nCol;
    Colour expected;
  };
  const Case cases[] = {
      {1, 0, kHeaderColour},
      {1, 1, kPaleGreen},
      {2, 1, kYellowLight},
      {1, 3, kPaleGreen},
      {2, 3, kPink},
      {3, 3, kPaleGoldenrod},
      {1, 4, ::GetSysColor(COLOR_WINDOW)},
  };
  for (const Case& c : cases) {
    const POINT pt = Corner(Cell(c.nRow, c.nCol));
    EXPECT_EQ(c.expected, list.At(pt.x, pt.y)) << "cell " << c.nRow << "," << c.nCol;
  }
  const RECT cell = Cell(2, 3);
  EXPECT_EQ(0u, list.At(cell.right - 1, (cell.top + cell.bottom) / 2));   // the column's line
  EXPECT_EQ(0u, list.At((cell.left + cell.right) / 2, cell.bottom - 1));  // the row's line

  const Capture header(m_hHeader);
  RECT item{};
  ASSERT_TRUE(Header_GetItemRect(m_hHeader, 2, &item));
  EXPECT_EQ(kHeaderColour, header.At(item.left + 2, item.top + 2));
  EXPECT_EQ(0u, header.At(item.right - 1, item.top + 2));
  // The header's text is drawn: dark pixels on the header colour.
  EXPECT_GT(header.CountDark(item), 10);
}

TEST_F(MyGridWndTest, HeaderTextIsBoldWhenTheCellSaysSo) {
  RECT item{};
  ASSERT_TRUE(Header_GetItemRect(m_hHeader, 5, &item));
  const int bold = Capture(m_hHeader).CountDark(item);
  for (int nCol = 0; nCol < 7; ++nCol) m_grid.SetItemFontWeight(0, nCol, kFontWeightNormal);
  m_grid.Invalidate();
  const int normal = Capture(m_hHeader).CountDark(item);
  EXPECT_GT(bold, normal + normal / 10);
}

TEST_F(MyGridWndTest, CheckBoxesShowTheirMark) {
  const Capture list(m_hList);
  RECT checked = Box(1, 1), unchecked = Box(2, 1);
  EXPECT_EQ(13, checked.right - checked.left);
  // Centred in the cell.
  const RECT cell = Cell(1, 1);
  EXPECT_LE(std::abs((checked.left + checked.right) - (cell.left + cell.right - 1)), 2);
  ::InflateRect(&checked, -3, -3);
  ::InflateRect(&unchecked, -3, -3);
  EXPECT_GT(list.CountDark(checked), 6);
  EXPECT_EQ(0, list.CountDark(unchecked));
  m_grid.GetCell(2, 1)->bChecked = true;
  m_grid.Invalidate();
  EXPECT_EQ(list.CountDark(checked), Capture(m_hList).CountDark(unchecked));
}

TEST_F(MyGridWndTest, ImagesAreDrawnBesideTheText) {
  const Capture list(m_hList);
  // File column: the icon at the left; status column: icon and text centred.
  const RECT file = Cell(1, 2);
  const RECT fileIcon{file.left + 4, file.top + 1, file.left + 20, file.bottom - 2};
  EXPECT_GT(list.CountOther(fileIcon, ::GetSysColor(COLOR_WINDOW)), 30);
  const RECT status = Cell(1, 3);
  const RECT statusLeft{status.left, status.top, status.left + 12, status.bottom - 1};
  EXPECT_EQ(0, list.CountOther(statusLeft, kPaleGreen));
  const RECT statusMiddle{status.left + 12, status.top, status.right - 12, status.bottom - 1};
  EXPECT_GT(list.CountOther(statusMiddle, kPaleGreen), 60);
}

TEST_F(MyGridWndTest, SelectedRowIsTintedButKeepsItsFixedColumn) {
  ListView_SetItemState(m_hList, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  const Capture list(m_hList);
  const POINT pink = Corner(Cell(2, 3));
  const Colour tinted = list.At(pink.x, pink.y);
  EXPECT_NE(kPink, tinted);
  // Still a pinkish tint: red above blue (the highlight is blue).
  EXPECT_GT(GetRValue(tinted), GetRValue(::GetSysColor(COLOR_HIGHLIGHT)));
  const POINT fixed = Corner(Cell(2, 0));
  EXPECT_EQ(kHeaderColour, list.At(fixed.x, fixed.y));
  const POINT other = Corner(Cell(1, 3));
  EXPECT_EQ(kPaleGreen, list.At(other.x, other.y));
}

TEST_F(MyGridWndTest, ClickOnACheckCellSaysWhetherItHitTheBox) {
  std::vector<std::pair<int, bool>> calls;
  m_pWnd->SetCheckClickHandler([&calls](int nRow, int nCol, bool bOnBox) {
    EXPECT_EQ(1, nCol);
    calls.emplace_back(nRow, bOnBox);
  });
  Click(m_hList, Centre(Box(2, 1)));
  const RECT cell = Cell(3, 1);
  Click(m_hList, POINT{cell.right - 4, (cell.top + cell.bottom) / 2});
  Click(m_hList, Centre(Cell(1, 4)));  // not a check cell
  ASSERT_EQ(2u, calls.size());
  EXPECT_EQ(std::make_pair(2, true), calls[0]);
  EXPECT_EQ(std::make_pair(3, false), calls[1]);
  // The click selects its row too.
  EXPECT_EQ(0, ListView_GetNextItem(m_hList, -1, LVNI_SELECTED));
}

TEST_F(MyGridWndTest, DoubleClickReportsTheGridRow) {
  std::vector<int> rows;
  m_pWnd->SetDoubleClickHandler([&rows](int nRow) { rows.push_back(nRow); });
  const POINT pt = Centre(Cell(3, 5));
  ::SendMessageA(m_hList, WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
  ::SendMessageA(m_hList, WM_LBUTTONUP, 0, At(pt));
  ::SendMessageA(m_hList, WM_LBUTTONDBLCLK, MK_LBUTTON, At(pt));
  ::SendMessageA(m_hList, WM_LBUTTONUP, 0, At(pt));
  RECT client{};
  ::GetClientRect(m_hList, &client);
  ::SendMessageA(m_hList, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, client.bottom - 3));  // below the rows
  EXPECT_EQ(std::vector<int>{3}, rows);
  EXPECT_EQ(3, m_pWnd->HitTestRow(pt));
  EXPECT_EQ(-1, m_pWnd->HitTestRow(POINT{20, client.bottom - 3}));
  int nRow = -1, nCol = -1;
  ASSERT_TRUE(m_pWnd->HitTestCell(Centre(Cell(0, 2)), nRow, nCol));
  EXPECT_EQ(0, nRow);
  EXPECT_EQ(2, nCol);
}

TEST_F(MyGridWndTest, LinkTextOpensItsAddress) {
  std::vector<std::string> opened;
  const Shell::Opener previous = Shell::SetOpener([&opened](const std::string& file, const std::string&) {
    opened.push_back(file);
    return std::intptr_t{42};
  });
  const RECT cell = Cell(2, 6);
  Click(m_hList, POINT{cell.left + 8, (cell.top + cell.bottom) / 2});
  Click(m_hList, POINT{cell.right - 3, (cell.top + cell.bottom) / 2});  // past the text
  Click(m_hList, Centre(Cell(2, 5)));
  Shell::SetOpener(previous);
  EXPECT_EQ(std::vector<std::string>{"http://127.0.0.1/second"}, opened);
  // Blue and underlined: the link colour shows below the text's middle.
  const Capture list(m_hList);
  const RECT text{cell.left + 4, cell.top, cell.left + 60, cell.bottom - 1};
  int nBlue = 0;
  for (int y = text.top; y < text.bottom; ++y)
    for (int x = text.left; x < text.right; ++x) nBlue += list.At(x, y) == RGB(0, 0, 255);
  EXPECT_GT(nBlue, 50);
}

TEST_F(MyGridWndTest, HeaderClickSortsTheRows) {
  RECT item{};
  ASSERT_TRUE(Header_GetItemRect(m_hHeader, 3, &item));
  Click(m_hHeader, Centre(item));
  EXPECT_EQ(3, m_grid.GetSortColumn());
  EXPECT_EQ("Benign", ItemText(m_hList, 0, 3));
  EXPECT_EQ("Investigating", ItemText(m_hList, 1, 3));
  EXPECT_EQ("Malware", ItemText(m_hList, 2, 3));
  Click(m_hHeader, Centre(item));
  EXPECT_EQ("Malware", ItemText(m_hList, 0, 3));
  EXPECT_EQ("second.dll", ItemText(m_hList, 0, 2));  // whole rows move
  // Painted from the sorted grid: the first row is now the pink one.
  const Capture list(m_hList);
  const POINT pt = Corner(Cell(1, 3));
  EXPECT_EQ(kPink, list.At(pt.x, pt.y));

  m_grid.SetHeaderSort(false);
  ASSERT_TRUE(Header_GetItemRect(m_hHeader, 2, &item));
  Click(m_hHeader, Centre(item));
  EXPECT_EQ(3, m_grid.GetSortColumn());
}

TEST_F(MyGridWndTest, DraggedDividerWritesTheWidthBack) {
  RECT item{};
  ASSERT_TRUE(Header_GetItemRect(m_hHeader, 2, &item));
  const int y = (item.top + item.bottom) / 2;
  ::SendMessageA(m_hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.right - 1, y));
  ::SendMessageA(m_hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(item.right + 20, y));
  ::SendMessageA(m_hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(item.right + 39, y));
  ::SendMessageA(m_hHeader, WM_LBUTTONUP, 0, MAKELPARAM(item.right + 39, y));
  EXPECT_EQ(kWidths[2] + 40, m_grid.GetColumnWidth(2));
  EXPECT_EQ(kWidths[2] + 40, ListView_GetColumnWidth(m_hList, 2));
  EXPECT_EQ(-1, m_grid.GetSortColumn());  // a drag is no click

  ListView_SetColumnWidth(m_hList, 4, 77);
  EXPECT_EQ(77, m_grid.GetColumnWidth(4));
  m_grid.SetColumnWidth(5, 99);
  EXPECT_EQ(99, ListView_GetColumnWidth(m_hList, 5));
}

TEST_F(MyGridWndTest, AutoSizeFitsTheWidestCellOfTheRowsAsked) {
  const int header = m_pWnd->MeasureColumn(5, GVS_HEADER);
  const int data = m_pWnd->MeasureColumn(5, GVS_DATA);
  EXPECT_GT(data, header);  // the descriptions are longer than "Description"
  EXPECT_EQ(data, m_pWnd->MeasureColumn(5, GVS_BOTH));
  // An image adds its width.
  const int withIcon = m_pWnd->MeasureColumn(2, GVS_DATA);
  m_grid.SetItemImage(1, 2, -1);
  m_grid.SetItemImage(2, 2, -1);
  m_grid.SetItemImage(3, 2, -1);
  EXPECT_GE(withIcon - m_pWnd->MeasureColumn(2, GVS_DATA), 16);

  // A double click on a divider sizes the column on its left.
  RECT item{};
  ASSERT_TRUE(Header_GetItemRect(m_hHeader, 5, &item));
  ::SendMessageA(m_hHeader, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM(item.right - 1, (item.top + item.bottom) / 2));
  EXPECT_EQ(data, m_grid.GetColumnWidth(5));
  EXPECT_EQ(data, ListView_GetColumnWidth(m_hList, 5));
}

// With TARVOLIN_SHOTS=1, the filled grid on screen, selected row and all,
// goes to build/screenshots/grid.png for a person to look at.
TEST_F(MyGridWndTest, Screenshot) {
  const char* pShots = std::getenv("TARVOLIN_SHOTS");
  if (!pShots || std::string(pShots) != "1") GTEST_SKIP() << "TARVOLIN_SHOTS=1 takes the screenshot";
  const std::string sDir = std::string(TARVOLIN_TEST_DATA) + "/../../build/screenshots";
  ::CreateDirectoryA(sDir.c_str(), nullptr);
  ListView_SetItemState(m_hList, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_grid.SortByColumn(0);
  ::SetWindowPos(m_dialog.Get(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  ::UpdateWindow(m_dialog.Get());
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  EXPECT_TRUE(test::SaveScreenShot(m_dialog.Get(), sDir + "/grid.png"));
}

TEST(MyGridWnd, ShowsTheGridGivenAtAttach) {
  test::TestDialog dialog(200, 100, false);
  ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 50, dialog.Get(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridId)), nullptr, nullptr);
  MyGridWnd wnd;
  EXPECT_FALSE(wnd.Attach(dialog.Get(), kGridId));  // no grid to show
  CGridCtrl grid;
  grid.SetColumnCount(2);
  grid.SetRowCount(3);
  grid.SetFixedRowCount(1);
  ASSERT_TRUE(wnd.Attach(dialog.Get(), kGridId, &grid));
  EXPECT_EQ(&grid, wnd.GetGrid());
  EXPECT_EQ(2, Header_GetItemCount(wnd.GetHeaderHwnd()));
  EXPECT_EQ(2, ListView_GetItemCount(wnd.GetSafeHwnd()));
  EXPECT_FALSE(::GetWindowLongA(wnd.GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE);  // as its placeholder
  grid.SetRowCount(5);                                                        // the grid tells its new view
  EXPECT_EQ(4, ListView_GetItemCount(wnd.GetSafeHwnd()));
}

TEST(MyGridWnd, WindowAndObjectMayGoInEitherOrder) {
  CGridCtrl grid;
  test::TestDialog dialog(200, 100, false);
  {
    MyGridWnd wnd(grid);
    ASSERT_TRUE(wnd.Create(dialog.Get(), 7, RECT{0, 0, 200, 100}));
    EXPECT_TRUE(::IsWindow(wnd.GetSafeHwnd()));
  }
  EXPECT_EQ(nullptr, ::GetDlgItem(dialog.Get(), 7));  // the object took its window along
  grid.SetColumnCount(3);                             // no view left to call

  auto pDialog = std::make_unique<test::TestDialog>(200, 100, false);
  MyGridWnd wnd(grid);
  ASSERT_TRUE(wnd.Create(pDialog->Get(), 7, RECT{0, 0, 200, 100}));
  pDialog.reset();
  EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
  grid.SetColumnCount(4);  // the view is told, and has no window to touch
  EXPECT_EQ(50, wnd.MeasureColumn(0, GVS_BOTH));
}

}  // namespace
