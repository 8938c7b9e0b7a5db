// A report-style list view taken over from a dialog, with the menu a user
// expects on its right click (and the keys behind it): copy the selected
// rows as text, select all, a smaller or larger font, grid lines on and
// off. Its column widths and grid lines are kept between openings
// (ListCtrlSettings).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/ui/win/GdiHandle.h"
#include "controls/ListCtrlSettings.h"

class MyListCtrl {
 public:
  MyListCtrl() = default;
  ~MyListCtrl();
  MyListCtrl(const MyListCtrl&) = delete;
  MyListCtrl& operator=(const MyListCtrl&) = delete;

  // Takes over the dialog's list `id`; false when there is none.
  bool SubclassDlgItem(int id, HWND hDialog);
  HWND GetSafeHwnd() const { return m_hWnd; }

  void AddExtendedStyle(DWORD dwStyle);
  bool InsertColumn(int nCol, const std::string& sHeading, int nWidth);
  // Appends a row; its index, or -1.
  int AddRow(const std::vector<std::string>& cells);

  int GetColumnCount() const;
  int GetRowCount() const;
  std::string GetItemText(int nRow, int nCol) const;
  bool HasGridLines() const;
  void SetGridLines(bool bOn);

  // The selected rows (every column) in order.
  std::vector<std::vector<std::string>> GetSelectedRows() const;
  void SelectAll();
  // The selected rows as text on the clipboard; false when nothing is
  // selected or the clipboard is busy.
  bool CopySelection() const;
  int GetFontPoints() const { return m_nPoints; }
  void SetFontPoints(int nPoints);

  // Widths and grid lines under HKEY_CURRENT_USER\<sKey>.
  void ReadSettings(const std::string& sKey, const std::string& sWidthsName);
  HResult SaveSettings(const std::string& sKey, const std::string& sWidthsName) const;

  // The right-click menu's commands.
  enum Command : UINT { kCopy = 0x7101, kSelectAll, kFontSmaller, kFontLarger, kFontNormal, kGridLines };
  // Shows the menu at `screen` (a keyboard request: under the focused row)
  // and carries out the choice.
  void ShowContextMenu(POINT screen);
  void OnCommand(UINT nCommand);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);

  HWND m_hWnd = nullptr;
  int m_nPoints = 0;      // 0: the dialog's font
  int m_nBasePoints = 8;  // the dialog's font size
  UniqueFont m_font;
};
