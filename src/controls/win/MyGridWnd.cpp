#include "controls/win/MyGridWnd.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>

#include "common/ui/Shell.h"
#include "controls/win/GridImageListWin.h"

namespace {

constexpr UINT_PTR kListSubclassId = 1;
constexpr UINT_PTR kHeaderSubclassId = 2;
constexpr int kPad = 4;             // between a cell's edge and its content
constexpr int kGap = 3;             // between a box or an image and the text
constexpr int kCheckSize = 13;      // the system's check box
constexpr int kArrowWidth = 9;      // the sort mark in the header
constexpr int kSelectionTint = 20;  // percent of the highlight colour over a selected row
constexpr int kSelectionFrame = 2;  // the frame around it, in the highlight colour
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

COLORREF Blend(COLORREF a, COLORREF b, int percentB) {
  const auto mix = [percentB](int x, int y) { return (x * (100 - percentB) + y * percentB) / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

void FillSolid(HDC hDc, const RECT& rect, COLORREF colour) {
  ::SetBkColor(hDc, colour);
  ::ExtTextOutA(hDc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Line(HDC hDc, int x1, int y1, int x2, int y2) {
  ::MoveToEx(hDc, x1, y1, nullptr);
  ::LineTo(hDc, x2, y2);
}

bool IsHeaderCode(UINT code, UINT codeA, UINT codeW) { return code == codeA || code == codeW; }

// Where a cell's parts go: its check box, its image and its text, side by
// side, placed as the cell's format says.
struct CellLayout {
  RECT box{};
  bool bHasBox = false;
  POINT image{};
  bool bHasImage = false;
  RECT text{};
};

}  // namespace

MyGridWnd::MyGridWnd(CGridCtrl& grid) { SetGrid(&grid); }

MyGridWnd::~MyGridWnd() {
  SetGrid(nullptr);
  const HWND hList = m_hList;
  Detach();
  if (hList) ::DestroyWindow(hList);
}

void MyGridWnd::SetGrid(CGridCtrl* pGrid) {
  if (m_pGrid == pGrid) return;
  if (m_pGrid) m_pGrid->SetView(nullptr);
  m_pGrid = pGrid;
  if (m_pGrid) m_pGrid->SetView(this);
}

bool MyGridWnd::Attach(HWND hDialog, int controlId, CGridCtrl* pGrid) {
  const HWND hPlaceholder = ::GetDlgItem(hDialog, controlId);
  if (!hPlaceholder || m_hList || !(pGrid || m_pGrid)) return false;
  RECT rect{};
  ::GetWindowRect(hPlaceholder, &rect);
  ::MapWindowPoints(HWND_DESKTOP, hDialog, reinterpret_cast<POINT*>(&rect), 2);
  const bool bVisible = (::GetWindowLongA(hPlaceholder, GWL_STYLE) & WS_VISIBLE) != 0;
  if (!Create(hDialog, controlId, rect, pGrid)) return false;
  // Next to the placeholder in the tab order, then in its place.
  ::SetWindowPos(m_hList, hPlaceholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::DestroyWindow(hPlaceholder);
  if (!bVisible) ::ShowWindow(m_hList, SW_HIDE);
  return true;
}

bool MyGridWnd::Create(HWND hParent, int controlId, const RECT& rect, CGridCtrl* pGrid) {
  if (m_hList || !hParent || !(pGrid || m_pGrid)) return false;
  if (pGrid) SetGrid(pGrid);
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&classes);
  // Owner-drawn, so that the list itself never paints an item (nor its
  // focus rectangle) outside the painting here.
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | LVS_REPORT | LVS_OWNERDRAWFIXED |
                      LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
  m_hList = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, hParent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                              ::GetModuleHandleA(nullptr), nullptr);
  if (!m_hList) return false;
  m_hHeader = ListView_GetHeader(m_hList);

  HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(hParent, WM_GETFONT, 0, 0));
  if (!hFont) hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  ::SendMessageA(m_hList, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
  ::GetObjectA(hFont, sizeof m_lfDefault, &m_lfDefault);
  if (m_lfDefault.lfWeight == 0) m_lfDefault.lfWeight = kFontWeightNormal;
  {
    Gdi::WindowDc dc(m_hList);
    Gdi::Select font(dc.Get(), hFont);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc.Get(), &tm);
    m_nRowHeight = std::max<int>(tm.tmHeight + 6, 20);
  }
  // The list takes its row height from its small images; these are never drawn.
  m_rowSpacer.Reset(::ImageList_Create(1, m_nRowHeight - 1, ILC_COLOR, 1, 0));
  ListView_SetImageList(m_hList, m_rowSpacer.Get(), LVSIL_SMALL);
  ListView_SetExtendedListViewStyle(m_hList, LVS_EX_FULLROWSELECT);
  if (m_hHeader) {
    // Columns follow the divider while it is dragged, with no inverted track line.
    ::SetWindowLongA(m_hHeader, GWL_STYLE, ::GetWindowLongA(m_hHeader, GWL_STYLE) | HDS_FULLDRAG);
    ::SetWindowSubclass(m_hHeader, &HeaderProc, kHeaderSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }
  ::SetWindowSubclass(m_hList, &ListProc, kListSubclassId, reinterpret_cast<DWORD_PTR>(this));
  Invalidate();
  return true;
}

void MyGridWnd::Detach() {
  if (m_hHeader) ::RemoveWindowSubclass(m_hHeader, &HeaderProc, kHeaderSubclassId);
  if (m_hList) ::RemoveWindowSubclass(m_hList, &ListProc, kListSubclassId);
  m_hHeader = nullptr;
  m_hList = nullptr;
}

// Only called while a window shows the grid.
int MyGridWnd::GetSelectedRow() const {
  const int nItem = m_hList ? ListView_GetNextItem(m_hList, -1, LVNI_SELECTED) : -1;
  return nItem < 0 ? -1 : nItem + FirstDataRow();
}

int MyGridWnd::FirstDataRow() const { return std::min(m_pGrid->GetFixedRowCount(), m_pGrid->GetRowCount()); }

LOGFONTA MyGridWnd::GetDefaultFont() const { return m_lfDefault; }

int MyGridWnd::GetRowHeight() const {
  RECT rect{};
  if (m_hList && ListView_GetItemCount(m_hList) > 0 && ListView_GetItemRect(m_hList, 0, &rect, LVIR_BOUNDS))
    return rect.bottom - rect.top;
  return m_nRowHeight;
}

// --- Keeping the list in line with the grid --------------------------------

void MyGridWnd::Invalidate() {
  if (!m_hList || m_bSyncing) return;
  m_bSyncing = true;
  const LONG style = ::GetWindowLongA(m_hList, GWL_STYLE);
  const LONG wanted = m_pGrid->GetSingleRowSelection() ? (style | LVS_SINGLESEL) : (style & ~LVS_SINGLESEL);
  if (wanted != style) ::SetWindowLongA(m_hList, GWL_STYLE, wanted);
  ::SendMessageA(m_hList, WM_SETREDRAW, FALSE, 0);
  SyncColumns();
  SyncItems();
  ::SendMessageA(m_hList, WM_SETREDRAW, TRUE, 0);
  m_bSyncing = false;
  Redraw();
}

void MyGridWnd::SyncColumns() {
  const int nCols = m_pGrid->GetColumnCount();
  int nHave = m_hHeader ? Header_GetItemCount(m_hHeader) : 0;
  while (nHave > nCols) ListView_DeleteColumn(m_hList, --nHave);
  const bool bHeaderRow = FirstDataRow() > 0;
  for (int nCol = 0; nCol < nCols; ++nCol) {
    const GridCell* pCell = bHeaderRow ? m_pGrid->GetCell(0, nCol) : nullptr;
    std::string sText = pCell ? pCell->text : std::string();
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = !pCell || nCol == 0 || pCell->format == kGridLeft
                     ? LVCFMT_LEFT
                     : (pCell->format & kGridRight ? LVCFMT_RIGHT : LVCFMT_CENTER);
    column.pszText = &sText[0];
    column.cx = m_pGrid->GetColumnWidth(nCol);
    if (nCol >= nHave) {
      ::SendMessageA(m_hList, LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol),
                     reinterpret_cast<LPARAM>(&column));
      continue;
    }
    if (ListView_GetColumnWidth(m_hList, nCol) == column.cx) column.mask &= ~LVCF_WIDTH;
    ::SendMessageA(m_hList, LVM_SETCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(&column));
  }
}

void MyGridWnd::SyncItems() {
  const int nFirst = FirstDataRow();
  const int nItems = std::max(0, m_pGrid->GetRowCount() - nFirst);
  int nHave = ListView_GetItemCount(m_hList);
  if (nItems == 0 && nHave > 0) {
    ListView_DeleteAllItems(m_hList);
    nHave = 0;
  }
  while (nHave > nItems) ListView_DeleteItem(m_hList, --nHave);
  for (; nHave < nItems; ++nHave) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = nHave;
    item.pszText = const_cast<char*>("");
    ::SendMessageA(m_hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  // The list holds the texts too, for whoever reads it (keyboard search,
  // accessibility tools); the painting reads the grid.
  for (int nItem = 0; nItem < nItems; ++nItem) {
    for (int nCol = 0; nCol < m_pGrid->GetColumnCount(); ++nCol) {
      const GridCell* pCell = m_pGrid->GetCell(nItem + nFirst, nCol);
      std::string sText = pCell ? pCell->text : std::string();
      LVITEMA item{};
      item.iSubItem = nCol;
      item.pszText = &sText[0];
      ::SendMessageA(m_hList, LVM_SETITEMTEXTA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item));
    }
  }
}

void MyGridWnd::ReadBackWidths() {
  if (!m_hList || m_bSyncing) return;
  m_bSyncing = true;
  const int nCols = std::min(m_pGrid->GetColumnCount(), m_hHeader ? Header_GetItemCount(m_hHeader) : 0);
  for (int nCol = 0; nCol < nCols; ++nCol) {
    const int width = ListView_GetColumnWidth(m_hList, nCol);
    if (width != m_pGrid->GetColumnWidth(nCol)) m_pGrid->SetColumnWidth(nCol, width);
  }
  m_bSyncing = false;
  Redraw();
}

void MyGridWnd::Redraw() const {
  if (m_hList) ::InvalidateRect(m_hList, nullptr, FALSE);
  if (m_hHeader) ::InvalidateRect(m_hHeader, nullptr, FALSE);
}

// --- Geometry ----------------------------------------------------------------

namespace {

int HeaderBottom(HWND hList, HWND hHeader) {
  // Its own style: a hidden dialog still lays out its rows below the header.
  if (!hHeader || !(::GetWindowLongA(hHeader, GWL_STYLE) & WS_VISIBLE)) return 0;
  RECT rect{};
  ::GetWindowRect(hHeader, &rect);
  ::MapWindowPoints(HWND_DESKTOP, hList, reinterpret_cast<POINT*>(&rect), 2);
  return std::max(0L, rect.bottom);
}

// The column's left and right edges in the list's client coordinates
// (they move with the horizontal scroll, as the header does).
bool ColumnSpan(HWND hList, HWND hHeader, int nCol, int& left, int& right) {
  RECT rect{};
  if (!hHeader || !Header_GetItemRect(hHeader, nCol, &rect)) return false;
  ::MapWindowPoints(hHeader, hList, reinterpret_cast<POINT*>(&rect), 2);
  left = rect.left;
  right = rect.right;
  return true;
}

}  // namespace

bool MyGridWnd::GetCellRect(int nRow, int nCol, RECT& rect) const {
  if (!m_hList || nCol < 0 || nCol >= m_pGrid->GetColumnCount() || nRow < 0 || nRow >= m_pGrid->GetRowCount())
    return false;
  const int nFirst = FirstDataRow();
  if (nRow < nFirst) {
    if (nRow != 0 || !m_hHeader || !Header_GetItemRect(m_hHeader, nCol, &rect)) return false;
    ::MapWindowPoints(m_hHeader, m_hList, reinterpret_cast<POINT*>(&rect), 2);
    return true;
  }
  RECT rcRow{};
  if (!ListView_GetItemRect(m_hList, nRow - nFirst, &rcRow, LVIR_BOUNDS)) return false;
  int left = 0, right = 0;
  if (!ColumnSpan(m_hList, m_hHeader, nCol, left, right)) return false;
  rect = RECT{left, rcRow.top, right, rcRow.bottom};
  return true;
}

bool MyGridWnd::HitTestCell(POINT pt, int& nRow, int& nCol) const {
  if (!m_hList) return false;
  nRow = -1;
  if (pt.y < HeaderBottom(m_hList, m_hHeader)) {
    if (FirstDataRow() > 0 && pt.y >= 0) nRow = 0;
  } else {
    const int nFirst = FirstDataRow();
    const int nCount = ListView_GetItemCount(m_hList);
    const int nTop = ListView_GetTopIndex(m_hList);
    const int nLast = std::min(nCount, nTop + ListView_GetCountPerPage(m_hList) + 2);
    for (int nItem = std::max(0, nTop); nItem < nLast; ++nItem) {
      RECT rcRow{};
      if (ListView_GetItemRect(m_hList, nItem, &rcRow, LVIR_BOUNDS) && pt.y >= rcRow.top &&
          pt.y < rcRow.bottom) {
        nRow = nItem + nFirst;
        break;
      }
    }
  }
  if (nRow < 0) return false;
  for (int nCol2 = 0; nCol2 < m_pGrid->GetColumnCount(); ++nCol2) {
    int left = 0, right = 0;
    if (ColumnSpan(m_hList, m_hHeader, nCol2, left, right) && pt.x >= left && pt.x < right) {
      nCol = nCol2;
      return true;
    }
  }
  return false;
}

int MyGridWnd::HitTestRow(POINT pt) const {
  int nRow = -1, nCol = -1;
  return HitTestCell(pt, nRow, nCol) ? nRow : -1;
}

// --- Drawing -------------------------------------------------------------------

HFONT MyGridWnd::CellFont(const GridCell& cell) const {
  const int weight = cell.fontWeight > 0 ? cell.fontWeight : static_cast<int>(m_lfDefault.lfWeight);
  const bool bUnderline = cell.type == GridCellType::kUrl;
  Gdi::Font& font = m_fonts[{weight, bUnderline}];
  if (!font) {
    LOGFONTA lf = m_lfDefault;
    lf.lfWeight = weight;
    lf.lfUnderline = bUnderline ? TRUE : FALSE;
    font.Reset(::CreateFontIndirectA(&lf));
  }
  return font ? font.Get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

namespace {

SIZE ImageSize(HIMAGELIST hImages) {
  int cx = 0, cy = 0;
  if (!hImages || !::ImageList_GetIconSize(hImages, &cx, &cy)) return SIZE{0, 0};
  return SIZE{cx, cy};
}

HIMAGELIST ImagesOf(const CGridCtrl& grid) {
  const GridImageList* pImages = grid.GetImageList();
  return pImages ? GetImageListHandle(*pImages) : nullptr;
}

// The layout of a cell's parts within `rcCell` (its right and bottom pixel
// belong to the grid lines). The font must be selected into `hDc`.
CellLayout LayOut(HDC hDc, const GridCell& cell, const RECT& rcCell, HIMAGELIST hImages) {
  CellLayout layout;
  const RECT inner{rcCell.left + kPad, rcCell.top, rcCell.right - 1 - kPad, rcCell.bottom - 1};
  const SIZE image = ImageSize(hImages);
  layout.bHasBox = cell.type == GridCellType::kCheck;
  layout.bHasImage = cell.image >= 0 && hImages && cell.image < ::ImageList_GetImageCount(hImages);
  SIZE text{0, 0};
  if (!cell.text.empty())
    ::GetTextExtentPoint32A(hDc, cell.text.c_str(), static_cast<int>(cell.text.size()), &text);
  int total = 0;
  const auto add = [&total](int width) { total += (total > 0 && width > 0 ? kGap : 0) + width; };
  add(layout.bHasBox ? kCheckSize : 0);
  add(layout.bHasImage ? image.cx : 0);
  add(text.cx);
  const int room = inner.right - inner.left;
  int x = inner.left;
  if (cell.format & kGridCenter)
    x += std::max(0, (room - total) / 2);
  else if (cell.format & kGridRight)
    x += std::max(0, room - total);
  const int midY = (inner.top + inner.bottom) / 2;
  if (layout.bHasBox) {
    layout.box = RECT{x, midY - kCheckSize / 2, x + kCheckSize, midY - kCheckSize / 2 + kCheckSize};
    x += kCheckSize + kGap;
  }
  if (layout.bHasImage) {
    layout.image = POINT{x, inner.top + (inner.bottom - inner.top - image.cy) / 2};
    x += image.cx + kGap;
  }
  layout.text = RECT{x, inner.top, std::min<LONG>(x + text.cx, inner.right), inner.bottom};
  return layout;
}

}  // namespace

void MyGridWnd::DrawCell(HDC hDc, const GridCell& cell, const RECT& rcCell, bool bSelected,
                         bool bHeader) const {
  COLORREF background = cell.background;
  if (background == kDefaultColour) background = ::GetSysColor(bHeader ? COLOR_BTNFACE : COLOR_WINDOW);
  if (bSelected) background = Blend(background, ::GetSysColor(COLOR_HIGHLIGHT), kSelectionTint);
  const RECT rcFill{rcCell.left, rcCell.top, rcCell.right - 1, rcCell.bottom - 1};
  FillSolid(hDc, rcFill, background);

  // Nothing is drawn over the neighbouring cells.
  const int saved = ::SaveDC(hDc);
  ::IntersectClipRect(hDc, rcFill.left, rcFill.top, rcFill.right, rcFill.bottom);
  Gdi::Select font(hDc, CellFont(cell));
  const HIMAGELIST hImages = ImagesOf(*m_pGrid);
  const CellLayout layout = LayOut(hDc, cell, rcCell, hImages);
  if (layout.bHasBox) {
    RECT box = layout.box;
    ::DrawFrameControl(hDc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (cell.bChecked ? DFCS_CHECKED : 0));
  }
  if (layout.bHasImage)
    ::ImageList_Draw(hImages, cell.image, hDc, layout.image.x, layout.image.y, ILD_TRANSPARENT);
  if (!cell.text.empty()) {
    RECT text = layout.text;
    text.right = rcFill.right - kPad;
    ::SetBkMode(hDc, TRANSPARENT);
    ::SetTextColor(hDc, cell.type == GridCellType::kUrl ? kLinkColour : ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextA(hDc, cell.text.c_str(), static_cast<int>(cell.text.size()), &text,
                DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  ::RestoreDC(hDc, saved);
}

namespace {

// Paints a window off screen first, so that it never flickers: `draw`
// paints into the returned memory DC (filled with `background`), and the
// destructor copies it from row `top` down onto the window's DC.
class OffscreenPaint {
 public:
  OffscreenPaint(HWND hWnd, HDC hDc, COLORREF background) : m_hDc(hDc) {
    ::GetClientRect(hWnd, &m_rcClient);
    if (m_rcClient.right <= 0 || m_rcClient.bottom <= 0) return;
    m_mem = Gdi::MemoryDc(::CreateCompatibleDC(hDc));
    m_bitmap = Gdi::Bitmap(::CreateCompatibleBitmap(hDc, m_rcClient.right, m_rcClient.bottom));
    if (!m_mem || !m_bitmap) return;
    m_pSelect = std::make_unique<Gdi::Select>(m_mem.Get(), m_bitmap.Get());
    FillSolid(m_mem.Get(), m_rcClient, background);
  }
  ~OffscreenPaint() {
    if (!m_pSelect) return;
    ::BitBlt(m_hDc, 0, m_nTop, m_rcClient.right, m_rcClient.bottom - m_nTop, m_mem.Get(), 0, m_nTop, SRCCOPY);
  }
  OffscreenPaint(const OffscreenPaint&) = delete;
  OffscreenPaint& operator=(const OffscreenPaint&) = delete;

  bool IsReady() const { return m_pSelect != nullptr; }
  HDC Dc() const { return m_mem.Get(); }
  const RECT& Client() const { return m_rcClient; }
  void CopyFrom(int top) { m_nTop = top; }

 private:
  HDC m_hDc;
  RECT m_rcClient{};
  Gdi::MemoryDc m_mem;
  Gdi::Bitmap m_bitmap;
  std::unique_ptr<Gdi::Select> m_pSelect;
  int m_nTop = 0;
};

}  // namespace

void MyGridWnd::PaintList(HDC hDc) const {
  OffscreenPaint paint(m_hList, hDc, ::GetSysColor(COLOR_WINDOW));
  if (!paint.IsReady()) return;
  const HDC hMem = paint.Dc();
  const RECT& rcClient = paint.Client();
  const int cx = rcClient.right, cy = rcClient.bottom;

  const int nFirst = FirstDataRow();
  const int nCols = std::min(m_pGrid->GetColumnCount(), m_hHeader ? Header_GetItemCount(m_hHeader) : 0);
  const int nCount = std::min(ListView_GetItemCount(m_hList), m_pGrid->GetRowCount() - nFirst);
  const int nTop = std::max(0, ListView_GetTopIndex(m_hList));
  const int nLast = std::min(nCount, nTop + ListView_GetCountPerPage(m_hList) + 2);
  int gridLeft = 0, gridRight = 0, gridTop = -1, gridBottom = -1;
  if (nCols > 0) {
    int ignored = 0;
    ColumnSpan(m_hList, m_hHeader, 0, gridLeft, ignored);
    ColumnSpan(m_hList, m_hHeader, nCols - 1, ignored, gridRight);
  }
  for (int nItem = nTop; nItem < nLast; ++nItem) {
    RECT rcRow{};
    if (!ListView_GetItemRect(m_hList, nItem, &rcRow, LVIR_BOUNDS)) continue;
    if (rcRow.top >= cy) break;
    if (gridTop < 0) gridTop = rcRow.top;
    gridBottom = rcRow.bottom;
    const bool bSelected = (ListView_GetItemState(m_hList, nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    for (int nCol = 0; nCol < nCols; ++nCol) {
      int left = 0, right = 0;
      const GridCell* pCell = m_pGrid->GetCell(nItem + nFirst, nCol);
      if (!pCell || !ColumnSpan(m_hList, m_hHeader, nCol, left, right) || right <= 0 || left >= cx) continue;
      const bool bFixed = nCol < m_pGrid->GetFixedColumnCount();
      DrawCell(hMem, *pCell, RECT{left, rcRow.top, right, rcRow.bottom}, bSelected && !bFixed, false);
    }
  }
  if (gridTop >= 0 && nCols > 0) {
    Gdi::Pen pen(::CreatePen(PS_SOLID, 1, m_pGrid->GetGridLineColor()));
    Gdi::Select selectPen(hMem, pen.Get());
    for (int nItem = nTop; nItem < nLast; ++nItem) {
      RECT rcRow{};
      if (ListView_GetItemRect(m_hList, nItem, &rcRow, LVIR_BOUNDS))
        Line(hMem, gridLeft, rcRow.bottom - 1, gridRight, rcRow.bottom - 1);
    }
    for (int nCol = 0; nCol < nCols; ++nCol) {
      int left = 0, right = 0;
      if (ColumnSpan(m_hList, m_hHeader, nCol, left, right))
        Line(hMem, right - 1, gridTop, right - 1, gridBottom);
    }
  }
  // The selection: a frame around the row's cells right of the fixed ones,
  // so that their colours still show.
  const int nSelected = ListView_GetNextItem(m_hList, -1, LVNI_SELECTED);
  RECT rcSelected{};
  int frameLeft = 0, ignored = 0;
  if (nSelected >= nTop && nSelected < nLast && nCols > m_pGrid->GetFixedColumnCount() &&
      ListView_GetItemRect(m_hList, nSelected, &rcSelected, LVIR_BOUNDS) &&
      ColumnSpan(m_hList, m_hHeader, m_pGrid->GetFixedColumnCount(), frameLeft, ignored)) {
    Gdi::Brush frame(::CreateSolidBrush(::GetSysColor(COLOR_HIGHLIGHT)));
    RECT rcFrame{frameLeft, rcSelected.top, gridRight - 1, rcSelected.bottom - 1};
    for (int n = 0; n < kSelectionFrame; ++n) {
      ::FrameRect(hMem, &rcFrame, frame.Get());
      ::InflateRect(&rcFrame, -1, -1);
    }
  }
  // The header is a window of its own above the rows.
  const int top = HeaderBottom(m_hList, m_hHeader);
  paint.CopyFrom(top);
}

void MyGridWnd::PaintHeader(HDC hDc) const {
  OffscreenPaint paint(m_hHeader, hDc, ::GetSysColor(COLOR_BTNFACE));
  if (!paint.IsReady()) return;
  const HDC hMem = paint.Dc();
  const RECT& rcClient = paint.Client();
  const int cx = rcClient.right;

  const bool bHeaderRow = FirstDataRow() > 0;
  const int nCols = std::min(m_pGrid->GetColumnCount(), Header_GetItemCount(m_hHeader));
  Gdi::Pen pen(::CreatePen(PS_SOLID, 1, m_pGrid->GetGridLineColor()));
  Gdi::Brush arrowBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNTEXT)));
  for (int nCol = 0; nCol < nCols; ++nCol) {
    RECT rect{};
    if (!Header_GetItemRect(m_hHeader, nCol, &rect) || rect.right <= 0 || rect.left >= cx) continue;
    const GridCell empty;
    const GridCell* pCell = bHeaderRow ? m_pGrid->GetCell(0, nCol) : nullptr;
    const bool bSorted = nCol == m_pGrid->GetSortColumn();
    RECT rcText = rect;
    if (bSorted && rect.right - rect.left > 3 * kArrowWidth) rcText.right -= kArrowWidth + kGap;
    DrawCell(hMem, pCell ? *pCell : empty, rcText, false, true);
    if (rcText.right != rect.right) {
      // The rest of the cell holds the sort mark: up when ascending.
      const COLORREF background =
          pCell && pCell->background != kDefaultColour ? pCell->background : ::GetSysColor(COLOR_BTNFACE);
      FillSolid(hMem, RECT{rcText.right - 1, rect.top, rect.right - 1, rect.bottom - 1}, background);
      const int x = rect.right - 1 - kPad - kArrowWidth, midY = (rect.top + rect.bottom) / 2;
      const int half = kArrowWidth / 2;
      POINT arrow[3];
      if (m_pGrid->GetSortAscending()) {
        arrow[0] = POINT{x, midY + 2};
        arrow[1] = POINT{x + kArrowWidth - 1, midY + 2};
        arrow[2] = POINT{x + half, midY + 2 - half};
      } else {
        arrow[0] = POINT{x, midY - 2};
        arrow[1] = POINT{x + kArrowWidth - 1, midY - 2};
        arrow[2] = POINT{x + half, midY - 2 + half};
      }
      Gdi::Select selectBrush(hMem, arrowBrush.Get());
      Gdi::Select selectPen(hMem, ::GetStockObject(NULL_PEN));
      ::Polygon(hMem, arrow, 3);
    }
    Gdi::Select selectPen(hMem, pen.Get());
    Line(hMem, rect.right - 1, rect.top, rect.right - 1, rect.bottom);
    Line(hMem, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1);
  }
}

bool MyGridWnd::GetCheckBoxRect(int nRow, int nCol, RECT& rect) const {
  const GridCell* pCell = m_hList ? m_pGrid->GetCell(nRow, nCol) : nullptr;
  RECT rcCell{};
  if (!pCell || pCell->type != GridCellType::kCheck || !GetCellRect(nRow, nCol, rcCell)) return false;
  Gdi::WindowDc dc(m_hList);
  Gdi::Select font(dc.Get(), CellFont(*pCell));
  rect = LayOut(dc.Get(), *pCell, rcCell, ImagesOf(*m_pGrid)).box;
  return true;
}

bool MyGridWnd::IsOverLink(POINT pt) const {
  int nRow = -1, nCol = -1;
  RECT rcCell{};
  if (!HitTestCell(pt, nRow, nCol) || nRow < FirstDataRow() || !GetCellRect(nRow, nCol, rcCell)) return false;
  const GridCell* pCell = m_pGrid->GetCell(nRow, nCol);
  if (!pCell || pCell->type != GridCellType::kUrl || pCell->text.empty()) return false;
  Gdi::WindowDc dc(m_hList);
  Gdi::Select font(dc.Get(), CellFont(*pCell));
  const RECT text = LayOut(dc.Get(), *pCell, rcCell, ImagesOf(*m_pGrid)).text;
  return ::PtInRect(&text, pt) != FALSE;
}

int MyGridWnd::CellContentWidth(HDC hDc, const GridCell& cell) const {
  Gdi::Select font(hDc, CellFont(cell));
  // Laid out in a cell wide enough for anything, the parts end where the text does.
  const CellLayout layout = LayOut(hDc,
                                   GridCell{cell.text, kGridLeft, 0, kDefaultColour, cell.image,
                                            cell.fontWeight, cell.type, false, nullptr},
                                   RECT{0, 0, 0x7FFF, 20}, ImagesOf(*m_pGrid));
  int right = kPad;
  if (layout.bHasBox) right = layout.box.right;
  if (layout.bHasImage) right = layout.image.x + ImageSize(ImagesOf(*m_pGrid)).cx;
  if (!cell.text.empty()) right = layout.text.right;
  return right - kPad;
}

int MyGridWnd::MeasureColumn(int col, GridAutoSize rows) const {
  if (!m_pGrid) return 0;
  if (!m_hList) return m_pGrid->GetColumnWidth(col);
  Gdi::WindowDc dc(m_hList);
  const int nFirst = FirstDataRow();
  const bool bHeader = rows != GVS_DATA, bData = rows != GVS_HEADER;
  int width = 0;
  for (int nRow = 0; nRow < m_pGrid->GetRowCount(); ++nRow) {
    const GridCell* pCell = m_pGrid->GetCell(nRow, col);
    if (!pCell || !(nRow < nFirst ? bHeader : bData)) continue;
    int cellWidth = CellContentWidth(dc.Get(), *pCell);
    if (nRow < nFirst && col == m_pGrid->GetSortColumn()) cellWidth += kArrowWidth + kGap;
    width = std::max(width, cellWidth);
  }
  return width + 2 * kPad + 1;  // and the grid line
}

// --- Messages ------------------------------------------------------------------

LRESULT CALLBACK MyGridWnd::ListProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR refData) {
  return reinterpret_cast<MyGridWnd*>(refData)->OnListMessage(hWnd, message, wParam, lParam);
}

// WM_PAINT (into the given DC, or the window's own) and WM_PRINTCLIENT.
void MyGridWnd::PaintMessage(HWND hWnd, UINT message, WPARAM wParam,
                             void (MyGridWnd::*paint)(HDC) const) const {
  if (wParam || message == WM_PRINTCLIENT) {
    (this->*paint)(reinterpret_cast<HDC>(wParam));
    return;
  }
  PAINTSTRUCT ps{};
  const HDC hDc = ::BeginPaint(hWnd, &ps);
  (this->*paint)(hDc);
  ::EndPaint(hWnd, &ps);
}

LRESULT CALLBACK MyGridWnd::HeaderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR refData) {
  return reinterpret_cast<MyGridWnd*>(refData)->OnHeaderMessage(hWnd, message, wParam, lParam);
}

LRESULT MyGridWnd::OnListMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintMessage(hWnd, message, wParam, &MyGridWnd::PaintList); return 0;
    case WM_LBUTTONDOWN: {
      // Hit before the list acts: it may scroll the clicked row into view.
      int nRow = -1, nCol = -1;
      RECT box{};
      const bool bHit = HitTestCell(pt, nRow, nCol) && nRow >= FirstDataRow();
      const bool bOnBox = bHit && GetCheckBoxRect(nRow, nCol, box) && ::PtInRect(&box, pt);
      const bool bLink = bHit && IsOverLink(pt);
      const LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
      Redraw();
      const GridCell* pCell = bHit ? m_pGrid->GetCell(nRow, nCol) : nullptr;
      if (pCell && pCell->type == GridCellType::kCheck && m_onCheckClick) {
        m_onCheckClick(nRow, nCol, bOnBox);
      } else if (pCell && bLink) {
        Shell::OpenDocument(pCell->text, "");
      }
      return result;
    }
    case WM_LBUTTONDBLCLK: {
      // A double click stands for the second click on a check box; elsewhere
      // it opens the row.
      int nRow = -1, nCol = -1;
      RECT box{};
      const bool bHit = HitTestCell(pt, nRow, nCol) && nRow >= FirstDataRow();
      const bool bOnBox = bHit && GetCheckBoxRect(nRow, nCol, box) && ::PtInRect(&box, pt);
      const LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
      Redraw();
      if (bOnBox && m_onCheckClick) {
        m_onCheckClick(nRow, nCol, true);
      } else if (bHit && m_onDoubleClick) {
        m_onDoubleClick(nRow);
      }
      return result;
    }
    case WM_KEYDOWN: {
      const LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
      Redraw();
      return result;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ::ScreenToClient(hWnd, &cursor);
        if (IsOverLink(cursor)) {
          ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
          return TRUE;
        }
      }
      break;
    case WM_NOTIFY: {
      const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = 0;
      if (pHdr && pHdr->hwndFrom == m_hHeader && OnHeaderNotify(*pHdr, result)) return result;
      break;
    }
    case WM_NCDESTROY: Detach(); break;
    default: break;
  }
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

bool MyGridWnd::OnHeaderNotify(const NMHDR& nmhdr, LRESULT& result) {
  const auto& header = reinterpret_cast<const NMHEADERA&>(nmhdr);
  if (IsHeaderCode(nmhdr.code, HDN_ITEMCLICKA, HDN_ITEMCLICKW)) {
    result = ::DefSubclassProc(m_hList, WM_NOTIFY, nmhdr.idFrom, reinterpret_cast<LPARAM>(&nmhdr));
    if (m_pGrid->GetHeaderSort()) m_pGrid->SortByColumn(header.iItem);
    return true;
  }
  if (IsHeaderCode(nmhdr.code, HDN_DIVIDERDBLCLICKA, HDN_DIVIDERDBLCLICKW)) {
    // The list would measure its own texts; the grid knows its images and fonts.
    m_pGrid->AutoSizeColumn(header.iItem);
    result = 0;
    return true;
  }
  if (IsHeaderCode(nmhdr.code, HDN_ITEMCHANGEDA, HDN_ITEMCHANGEDW) ||
      IsHeaderCode(nmhdr.code, HDN_ENDTRACKA, HDN_ENDTRACKW) ||
      IsHeaderCode(nmhdr.code, HDN_TRACKA, HDN_TRACKW)) {
    result = ::DefSubclassProc(m_hList, WM_NOTIFY, nmhdr.idFrom, reinterpret_cast<LPARAM>(&nmhdr));
    ReadBackWidths();
    return true;
  }
  return false;
}

LRESULT MyGridWnd::OnHeaderMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintMessage(hWnd, message, wParam, &MyGridWnd::PaintHeader); return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(hWnd, &HeaderProc, kHeaderSubclassId);
      m_hHeader = nullptr;
      break;
    default: break;
  }
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}
