// The grid: a table of cells with fixed header rows and columns, each cell
// holding its text, format, colours, image, kind (plain, check box, link)
// and an owned item. It is the whole state of the grid; the window that
// shows it (GridView) only draws these cells and reports clicks back, so
// everything the program puts into a grid is decided and tested here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/base/Types.h"
#include "controls/GridImageList.h"

using Colour = std::uint32_t;                  // 0x00BBGGRR, as the platform's COLORREF
constexpr Colour kDefaultColour = 0xFF000000;  // the window's own colour (CLR_DEFAULT)

enum GridFormat : unsigned { kGridLeft = 0x0, kGridCenter = 0x1, kGridRight = 0x2 };  // DT_ values
enum GridState : unsigned { kGridReadOnly = 0x40 };                                   // GVIS_READONLY
enum class GridCellType { kPlain, kCheck, kUrl };
enum GridAutoSize : int { GVS_DEFAULT = 0, GVS_HEADER = 1, GVS_DATA = 2, GVS_BOTH = 3 };

constexpr int kFontWeightNormal = 400;
constexpr int kFontWeightBold = 700;

struct GridCell {
  std::string text;
  unsigned format = kGridLeft;
  unsigned state = 0;
  Colour background = kDefaultColour;
  int image = -1;
  int fontWeight = 0;  // 0: the grid's default font
  GridCellType type = GridCellType::kPlain;
  bool bChecked = false;       // check cells
  std::shared_ptr<void> data;  // owned, released with the cell

  bool IsReadOnly() const { return (state & kGridReadOnly) != 0; }
};

// The window drawing a grid.
class GridView {
 public:
  virtual ~GridView() = default;
  // Cells, counts or widths changed: draw again.
  virtual void Invalidate() = 0;
  // The width in pixels that shows every cell of the column (`rows`: which
  // rows count, as the auto-size style says).
  virtual int MeasureColumn(int col, GridAutoSize rows) const = 0;
};

class CGridCtrl {
 public:
  CGridCtrl() = default;
  CGridCtrl(const CGridCtrl&) = delete;
  CGridCtrl& operator=(const CGridCtrl&) = delete;

  void SetView(GridView* pView) { m_pView = pView; }

  // Counts. New cells are empty; cells past a smaller count go, their items
  // with them.
  bool SetColumnCount(int nCols);
  bool SetRowCount(int nRows);
  bool SetFixedRowCount(int nFixedRows);
  bool SetFixedColumnCount(int nFixedCols);
  int GetColumnCount() const { return m_nCols; }
  int GetRowCount() const { return static_cast<int>(m_rows.size()); }
  int GetFixedRowCount() const { return m_nFixedRows; }
  int GetFixedColumnCount() const { return m_nFixedCols; }
  bool DeleteRow(int nRow);

  // Cells; null outside the grid.
  GridCell* GetCell(int nRow, int nCol);
  const GridCell* GetCell(int nRow, int nCol) const;
  bool SetItemText(int nRow, int nCol, const std::string& text);
  bool SetItemFormat(int nRow, int nCol, unsigned format);
  bool SetItemState(int nRow, int nCol, unsigned state);
  unsigned GetItemState(int nRow, int nCol) const;
  bool SetItemBkColour(int nRow, int nCol, Colour colour);
  bool SetItemImage(int nRow, int nCol, int image);
  bool SetItemFontWeight(int nRow, int nCol, int weight);
  bool SetCellType(int nRow, int nCol, GridCellType type);
  bool SetItemData(int nRow, int nCol, std::shared_ptr<void> data);
  template <class T>
  T* GetItemData(int nRow, int nCol) const {
    const GridCell* pCell = GetCell(nRow, nCol);
    return pCell ? static_cast<T*>(pCell->data.get()) : nullptr;
  }
  // A share in the cell's data, which then outlives a refill of the grid.
  template <class T>
  std::shared_ptr<T> GetItemDataShared(int nRow, int nCol) const {
    const GridCell* pCell = GetCell(nRow, nCol);
    return pCell ? std::static_pointer_cast<T>(pCell->data) : nullptr;
  }

  // Switches the program sets once; the view honours them.
  void SetGridLineColor(Colour colour) { m_crGridLines = colour; }
  Colour GetGridLineColor() const { return m_crGridLines; }
  void SetEditable(bool b) { m_bEditable = b; }
  void SetRowResize(bool b) { m_bRowResize = b; }
  void SetColumnResize(bool b) { m_bColumnResize = b; }
  void SetHeaderSort(bool b) { m_bHeaderSort = b; }
  bool GetHeaderSort() const { return m_bHeaderSort; }
  void SetDoubleBuffering(bool b) { m_bDoubleBuffering = b; }
  void EnableTitleTips(bool b) { m_bTitleTips = b; }
  void SetAutoSizeStyle(GridAutoSize style) { m_autoSizeStyle = style; }
  void SetListMode(bool b) { m_bListMode = b; }
  void SetSingleRowSelection(bool b) { m_bSingleRowSelection = b; }
  void SetTrackFocusCell(bool b) { m_bTrackFocusCell = b; }
  bool GetEditable() const { return m_bEditable; }
  bool GetListMode() const { return m_bListMode; }
  bool GetSingleRowSelection() const { return m_bSingleRowSelection; }

  // The grid's images (icons by index); the grid owns them.
  void SetImageList(std::unique_ptr<GridImageList> pImages) { m_pImages = std::move(pImages); }
  GridImageList* GetImageList() const { return m_pImages.get(); }

  // Column widths in pixels; a new column is 50 wide.
  int GetColumnWidth(int nCol) const;
  bool SetColumnWidth(int nCol, int width);
  // The column as wide as its cells need (the view measures); without a
  // view the width stays.
  bool AutoSizeColumn(int nCol);
  void AutoSizeColumns();

  // One DWORD per column under HKEY_CURRENT_USER\`sKey`, named `sValueName`
  // and the column's index. Reading a key that does not exist sizes every
  // column to its cells instead; a missing value reads as 50.
  HResult SaveColumnWidthsToRegistry(const std::string& sKey, const std::string& sValueName) const;
  HResult ReadColumnWidthsFromRegistry(const std::string& sKey, const std::string& sValueName);

  // Sorts the rows below the fixed ones by the column's text (ignoring
  // letter case, numbers by value), whole rows with their items. A second
  // sort on the same column reverses the order.
  void SortByColumn(int nCol);
  int GetSortColumn() const { return m_nSortColumn; }
  bool GetSortAscending() const { return m_bSortAscending; }

  // The view should draw again; while redrawing is off, once it is on again.
  void Invalidate() const {
    if (m_nRedrawOff > 0)
      m_bInvalidated = true;
    else if (m_pView)
      m_pView->Invalidate();
  }
  // Many changes in a row (a whole fill) reach the view as one.
  void SetRedraw(bool bRedraw) {
    m_nRedrawOff += bRedraw ? -1 : 1;
    if (m_nRedrawOff == 0 && m_bInvalidated) {
      m_bInvalidated = false;
      Invalidate();
    }
  }

  static constexpr int kDefaultColumnWidth = 50;

 private:
  using Row = std::vector<GridCell>;
  std::vector<Row> m_rows;
  std::vector<int> m_widths;
  int m_nCols = 0;
  int m_nFixedRows = 0;
  int m_nFixedCols = 0;
  Colour m_crGridLines = 0x00C0C0C0;
  bool m_bEditable = true;
  bool m_bRowResize = true;
  bool m_bColumnResize = true;
  bool m_bHeaderSort = false;
  bool m_bDoubleBuffering = false;
  bool m_bTitleTips = true;
  bool m_bListMode = false;
  bool m_bSingleRowSelection = false;
  bool m_bTrackFocusCell = true;
  GridAutoSize m_autoSizeStyle = GVS_DEFAULT;
  int m_nSortColumn = -1;
  bool m_bSortAscending = true;
  std::unique_ptr<GridImageList> m_pImages;
  GridView* m_pView = nullptr;
  int m_nRedrawOff = 0;
  mutable bool m_bInvalidated = false;
};

// Redrawing off for the life of this object.
class GridRedrawSuspension {
 public:
  explicit GridRedrawSuspension(CGridCtrl& grid) : m_grid(grid) { m_grid.SetRedraw(false); }
  ~GridRedrawSuspension() { m_grid.SetRedraw(true); }
  GridRedrawSuspension(const GridRedrawSuspension&) = delete;
  GridRedrawSuspension& operator=(const GridRedrawSuspension&) = delete;

 private:
  CGridCtrl& m_grid;
};
