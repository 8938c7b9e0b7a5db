// The window showing a CGridCtrl: a report list view whose items are the
// grid's rows below the header, painted here cell by cell (colours, images,
// check boxes, links, black grid lines) into an off-screen bitmap, with the
// grid's row 0 painted into the list's header. The list keeps what it does
// well: scrolling, selection, keyboard, hit tests and the header's dividers.
// Rows and columns handed to callers are the grid's (row 0 = header).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <utility>

#include "controls/GridCtrl.h"
#include "controls/win/GdiHandles.h"

class MyGridWnd : public GridView {
 public:
  MyGridWnd() = default;
  explicit MyGridWnd(CGridCtrl& grid);
  ~MyGridWnd() override;
  MyGridWnd(const MyGridWnd&) = delete;
  MyGridWnd& operator=(const MyGridWnd&) = delete;

  // Takes the place of the dialog's control `controlId` (a placeholder of
  // the dialog resource): same rectangle, id, tab order and font; the
  // placeholder is destroyed. It shows `pGrid`, or the grid given at
  // construction. False when there is no such control or no grid.
  bool Attach(HWND hDialog, int controlId, CGridCtrl* pGrid = nullptr);
  // A new grid window in `hParent` at `rect` (client coordinates).
  bool Create(HWND hParent, int controlId, const RECT& rect, CGridCtrl* pGrid = nullptr);

  HWND GetSafeHwnd() const { return m_hList; }
  HWND GetHeaderHwnd() const { return m_hHeader; }
  // The grid row of the selected item, or -1.
  int GetSelectedRow() const;
  CGridCtrl* GetGrid() const { return m_pGrid; }

  // A left click on a check cell; `bOnBox` when it lies on the box itself.
  void SetCheckClickHandler(std::function<void(int nRow, int nCol, bool bOnBox)> handler) {
    m_onCheckClick = std::move(handler);
  }
  // A double click on a row below the header.
  void SetDoubleClickHandler(std::function<void(int nRow)> handler) { m_onDoubleClick = std::move(handler); }

  // The grid row under a point of the list's client area (0 on the header),
  // or -1.
  int HitTestRow(POINT pt) const;
  // The grid cell under the point; false outside every cell.
  bool HitTestCell(POINT pt, int& nRow, int& nCol) const;
  // The cell's rectangle in the list's client coordinates (row 0: the
  // header's item, mapped there too).
  bool GetCellRect(int nRow, int nCol, RECT& rect) const;
  // Where a check cell draws its box.
  bool GetCheckBoxRect(int nRow, int nCol, RECT& rect) const;

  // The font of plain cells (the dialog's), its height and weight.
  LOGFONTA GetDefaultFont() const;
  int GetRowHeight() const;

  // GridView: brings the list's columns, items and texts in line with the
  // grid and paints again.
  void Invalidate() override;
  int MeasureColumn(int col, GridAutoSize rows) const override;

  // Paints the data area and the header into `hDc` (as WM_PAINT does).
  void PaintList(HDC hDc) const;
  void PaintHeader(HDC hDc) const;

 private:
  static LRESULT CALLBACK ListProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR refData);
  static LRESULT CALLBACK HeaderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR refData);
  void PaintMessage(HWND hWnd, UINT message, WPARAM wParam, void (MyGridWnd::*paint)(HDC) const) const;
  LRESULT OnListMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnHeaderMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool OnHeaderNotify(const NMHDR& nmhdr, LRESULT& result);
  void OnLeftButtonDown(POINT pt);
  bool IsOverLink(POINT pt) const;

  void SetGrid(CGridCtrl* pGrid);
  void Detach();
  void SyncColumns();
  void SyncItems();
  void ReadBackWidths();
  void Redraw() const;

  int FirstDataRow() const;
  HFONT CellFont(const GridCell& cell) const;
  void DrawCell(HDC hDc, const GridCell& cell, const RECT& rcCell, bool bSelected, bool bHeader) const;
  RECT TextRect(HDC hDc, const GridCell& cell, const RECT& rcCell) const;
  int CellContentWidth(HDC hDc, const GridCell& cell) const;

  CGridCtrl* m_pGrid = nullptr;  // not owned; outlives this object
  HWND m_hList = nullptr;
  HWND m_hHeader = nullptr;
  LOGFONTA m_lfDefault{};
  int m_nRowHeight = 20;
  Gdi::ImageList m_rowSpacer;                                 // gives the list its row height
  mutable std::map<std::pair<int, bool>, Gdi::Font> m_fonts;  // by weight and underline
  bool m_bSyncing = false;
  std::function<void(int, int, bool)> m_onCheckClick;
  std::function<void(int)> m_onDoubleClick;
};
