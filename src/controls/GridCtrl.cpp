#include "controls/GridCtrl.h"

#include <algorithm>
#include <cstdlib>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/registry/MyRegistry.h"

namespace {

// Whole-text numbers compare by value, so row numbers sort 1, 2, 10.
bool AsNumber(const std::string& s, long& value) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::strtol(s.c_str(), nullptr, 10);
  return true;
}

// Numbers come before words, so that the order stays one order (a sort
// needs that) when a column mixes them.
int CompareTexts(const std::string& a, const std::string& b) {
  long na = 0, nb = 0;
  const bool bNumberA = AsNumber(a, na), bNumberB = AsNumber(b, nb);
  if (bNumberA && bNumberB) return na < nb ? -1 : (na > nb ? 1 : 0);
  if (bNumberA != bNumberB) return bNumberA ? -1 : 1;
  const std::string ua = Generic::ToUpper(a), ub = Generic::ToUpper(b);
  return ua.compare(ub);
}

}  // namespace

bool CGridCtrl::SetColumnCount(int nCols) {
  if (nCols < 0) return false;
  m_nCols = nCols;
  for (Row& row : m_rows) row.resize(static_cast<size_t>(nCols));
  m_widths.resize(static_cast<size_t>(nCols), kDefaultColumnWidth);
  m_nFixedCols = std::min(m_nFixedCols, nCols);
  Invalidate();
  return true;
}

bool CGridCtrl::SetRowCount(int nRows) {
  if (nRows < 0) return false;
  m_rows.resize(static_cast<size_t>(nRows), Row(static_cast<size_t>(m_nCols)));
  m_nFixedRows = std::min(m_nFixedRows, nRows);
  Invalidate();
  return true;
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows) {
  if (nFixedRows < 0) return false;
  if (nFixedRows > GetRowCount() && !SetRowCount(nFixedRows)) return false;
  m_nFixedRows = nFixedRows;
  return true;
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols) {
  if (nFixedCols < 0) return false;
  if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols)) return false;
  m_nFixedCols = nFixedCols;
  return true;
}

bool CGridCtrl::DeleteRow(int nRow) {
  if (nRow < 0 || nRow >= GetRowCount()) return false;
  m_rows.erase(m_rows.begin() + nRow);
  if (nRow < m_nFixedRows) --m_nFixedRows;
  Invalidate();
  return true;
}

GridCell* CGridCtrl::GetCell(int nRow, int nCol) {
  if (nRow < 0 || nRow >= GetRowCount() || nCol < 0 || nCol >= m_nCols) return nullptr;
  return &m_rows[static_cast<size_t>(nRow)][static_cast<size_t>(nCol)];
}

const GridCell* CGridCtrl::GetCell(int nRow, int nCol) const {
  return const_cast<CGridCtrl*>(this)->GetCell(nRow, nCol);
}

bool CGridCtrl::SetItemText(int nRow, int nCol, const std::string& text) {
  GridCell* pCell = GetCell(nRow, nCol);
  if (pCell) pCell->text = text;
  return pCell != nullptr;
}

bool CGridCtrl::SetItemFormat(int nRow, int nCol, unsigned format) {
  GridCell* pCell = GetCell(nRow, nCol);
  if (pCell) pCell->format = format;
  return pCell != nullptr;
}

bool CGridCtrl::SetItemState(int nRow, int nCol, unsigned state) {
  GridCell* pCell = GetCell(nRow, nCol);
  if (pCell) pCell->state = state;
  return pCell != nullptr;
}

unsigned CGridCtrl::GetItemState(int nRow, int nCol) const {
  const GridCell* pCell = GetCell(nRow, nCol);
  return pCell ? pCell->state : 0;
}

bool CGridCtrl::SetItemBkColour(int nRow, int nCol, Colour colour) {
  GridCell* pCell = GetCell(nRow, nCol);
  if (pCell) pCell->background = colour;
  return pCell != nullptr;
}

bool CGridCtrl::SetItemImage(int nRow, int nCol, int image) {
  GridCell* pCell = GetCell(nRow, nCol);
  if (pCell) pCell->image = image;
  return pCell != nullptr;
}

bool CGridCtrl::SetItemFontWeight(int nRow, int nCol, int weight) {
  GridCell* pCell = GetCell(nRow, nCol);
  if (pCell) pCell->fontWeight = weight;
  return pCell != nullptr;
}

bool CGridCtrl::SetCellType(int nRow, int nCol, GridCellType type) {
  GridCell* pCell = GetCell(nRow, nCol);
  if (pCell) pCell->type = type;
  return pCell != nullptr;
}

bool CGridCtrl::SetItemData(int nRow, int nCol, std::shared_ptr<void> data) {
  GridCell* pCell = GetCell(nRow, nCol);
  if (pCell) pCell->data = std::move(data);
  return pCell != nullptr;
}

int CGridCtrl::GetColumnWidth(int nCol) const {
  if (nCol < 0 || nCol >= m_nCols) return 0;
  return m_widths[static_cast<size_t>(nCol)];
}

bool CGridCtrl::SetColumnWidth(int nCol, int width) {
  if (nCol < 0 || nCol >= m_nCols || width < 0) return false;
  m_widths[static_cast<size_t>(nCol)] = width;
  Invalidate();
  return true;
}

bool CGridCtrl::AutoSizeColumn(int nCol) {
  if (nCol < 0 || nCol >= m_nCols) return false;
  if (!m_pView) return true;
  return SetColumnWidth(nCol, m_pView->MeasureColumn(nCol, m_autoSizeStyle));
}

void CGridCtrl::AutoSizeColumns() {
  for (int nCol = 0; nCol < m_nCols; ++nCol) AutoSizeColumn(nCol);
}

HResult CGridCtrl::SaveColumnWidthsToRegistry(const std::string& sKey, const std::string& sValueName) const {
  LOG_ENTRY("MyGridCtrl::SaveColumnWidthsToRegistry");
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, sKey, true);
  EC_B(hr, reg.IsOpen());
  for (int nCol = 0; nCol < m_nCols && Succeeded(hr); ++nCol) {
    const std::string sName = sValueName + std::to_string(nCol);
    EC_B(hr, reg.SaveValueDWord(sName, static_cast<DWord>(GetColumnWidth(nCol))));
  }
  return hr;
}

HResult CGridCtrl::ReadColumnWidthsFromRegistry(const std::string& sKey, const std::string& sValueName) {
  LOG_ENTRY("MyGridCtrl::ReadColumnWidthsFromRegistry");
  MyRegistry reg(Registry::kCurrentUser, sKey, false);
  if (!reg.IsOpen()) {
    AutoSizeColumns();
    return kSOk;
  }
  for (int nCol = 0; nCol < m_nCols; ++nCol) {
    DWord dwWidth = kDefaultColumnWidth;
    reg.ReadValueDWord(sValueName + std::to_string(nCol), dwWidth);
    // A width is a window's business; anything wider than a screen is not one.
    SetColumnWidth(nCol, static_cast<int>(std::min<DWord>(dwWidth, 0x7FFF)));
  }
  return kSOk;
}

void CGridCtrl::SortByColumn(int nCol) {
  if (nCol < 0 || nCol >= m_nCols) return;
  m_bSortAscending = nCol == m_nSortColumn ? !m_bSortAscending : true;
  m_nSortColumn = nCol;
  const bool bAscending = m_bSortAscending;
  const auto first = m_rows.begin() + std::min(m_nFixedRows, GetRowCount());
  std::stable_sort(first, m_rows.end(), [nCol, bAscending](const Row& a, const Row& b) {
    const int n = CompareTexts(a[static_cast<size_t>(nCol)].text, b[static_cast<size_t>(nCol)].text);
    return bAscending ? n < 0 : n > 0;
  });
  Invalidate();
}
