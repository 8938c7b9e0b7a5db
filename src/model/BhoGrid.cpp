// Filling the main grid: one row per sub-key of the BHO key, each row
// owning its loaded record.
#include <list>
#include <memory>

#include "common/base/ErrorCheck.h"
#include "common/files/GenericFiles.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "controls/GridCtrl.h"
#include "model/Bho.h"
#include "model/BhoGridRow.h"

using namespace BhoGrid;

namespace {

// The grid's columns, switches, status images and header, once.
void SetUpGrid(CGridCtrl& grid, Colour crHeader, HResult& hr) {
  EC_B(hr, grid.SetColumnCount(COLUMNS_COUNT));
  EC_B(hr, grid.SetRowCount(1));
  EC_B(hr, grid.SetFixedRowCount(1));
  EC_B(hr, grid.SetFixedColumnCount(1));
  if (Failed(hr)) return;
  grid.SetGridLineColor(RGB_BLACK);
  grid.SetEditable(true);
  grid.SetRowResize(false);
  grid.SetColumnResize(true);
  grid.SetHeaderSort(true);
  grid.SetDoubleBuffering(true);
  grid.EnableTitleTips(true);
  grid.SetAutoSizeStyle(GVS_BOTH);
  grid.SetListMode(true);
  grid.SetSingleRowSelection(true);
  grid.SetTrackFocusCell(false);

  std::unique_ptr<GridImageList> pImages = GridImageList::Create(16, 16, 3, 1);
  EC_B(hr, pImages != nullptr);
  for (int nImage = 0; nImage < kStatusImageCount && Succeeded(hr); ++nImage)
    EC_B(hr, nImage == pImages->AddResourceIcon(kStatusIconIds[nImage]));
  if (Failed(hr)) return;
  grid.SetImageList(std::move(pImages));

  for (int nCol = 0; nCol < COLUMNS_COUNT; ++nCol) {
    GridCell* pCell = grid.GetCell(0, nCol);
    if (pCell) *pCell = HeaderCell(nCol, crHeader);
  }
}

}  // namespace

HResult BhoGrid::FillRow(CGridCtrl& grid, int nRow, std::shared_ptr<BHO> pBHO, Colour crHeader, int nImage) {
  HResult hr = kSOk;
  const AttrMap& attrs = pBHO->m_mapAttrVals;
  const bool bFileExists = attrs.Contains("DLL Path") && Generic::FileExists(attrs.Get("DLL Path"));
  Row row = DecideRow(attrs, nRow, crHeader, bFileExists);
  for (const std::string& sName : row.missing) {
    hr = kEFail;
    LOGE("The BHO <%s> has no <%s> attribute.\n", attrs.Get("Clsid"), sName);
  }

  if (nImage == -1) {
    GridImageList* pImages = grid.GetImageList();
    nImage = pImages ? pImages->AddFileIcon(row.sIconFile) : -1;
    if (nImage == -1) {
      hr = kEFail;
      ErrorCheck::LogFailedCall(__FILE__, __LINE__,
                                "-1 != (pBHO->m_nImageListIndex = BHO::m_ImageList.Add(hIcon))");
    }
  }
  pBHO->m_nImageListIndex = nImage;
  row.cells[COLUMN_DLLNAME].image = nImage;

  for (int nCol = 0; nCol < COLUMNS_COUNT; ++nCol) {
    GridCell* pCell = grid.GetCell(nRow, nCol);
    if (pCell) *pCell = std::move(row.cells[nCol]);
  }
  EC_B(hr, grid.SetItemData(nRow, COLUMN_ENABLED, std::move(pBHO)));
  return hr;
}

HResult BHO::PopulateMainGrid(CGridCtrl& grid) {
  LOG_ENTRY("BHO::PopulateMainGrid");
  WaitCursor wait;
  HResult hr = kSOk;
  // The window draws the whole grid once, when it is filled.
  const GridRedrawSuspension noRedraw(grid);

  DWord dwHeader = kDefaultHeaderColour;
  {
    MyRegistry regProgram(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    regProgram.ReadValueDWord("ColorHeader", dwHeader);
  }
  const Colour crHeader = dwHeader;

  if (grid.GetColumnCount() == 0) {
    SetUpGrid(grid, crHeader, hr);
  } else {
    // Rows go with their records; their file icons go too, so the list
    // holds the status images and the current rows' icons only.
    for (int nRow = grid.GetRowCount() - 1; nRow >= 1; --nRow) grid.DeleteRow(nRow);
    if (GridImageList* pImages = grid.GetImageList()) pImages->SetImageCount(kStatusImageCount);
  }

  MyRegistry regBHOs;
  if (!regBHOs.Open(Registry::kLocalMachine, REGKEY_BHO, false)) {
    LOGE("User has rights to read the Registry, but key doesn't exist.  This is unexpected, I think.\n");
    LOGD("<<< BHO::PopulateMainGrid\n");
    return hr;
  }

  std::list<std::string> slSubKeys;
  EC_B(hr, regBHOs.EnumSubKeys(slSubKeys));
  EC_B(hr, grid.SetRowCount(static_cast<int>(slSubKeys.size()) + 1));
  LOGA("Found <%d> BHOs in the Registry.\n", static_cast<int>(slSubKeys.size()));

  // Every BHO gets its row: the key names, and so the order, are chosen by
  // whoever installs a BHO, and one record that does not load must not hide
  // the ones after it. A failed record shows what was loaded.
  if (Succeeded(hr)) {
    const int nCount = static_cast<int>(slSubKeys.size());
    int nRow = 1;
    for (const std::string& sSubKey : slSubKeys) {
      LOGA("Populating main list control for sub-key <%s> with <%d> items.\n", sSubKey, nCount);
      auto pBHO = std::make_shared<BHO>(sSubKey);
      HResult hrRow = kSOk;
      EC_H(hrRow, pBHO->LoadBHOAttrs());
      const HResult hrFill = FillRow(grid, nRow, std::move(pBHO), crHeader, -1);
      if (Failed(hrRow) || Failed(hrFill)) hr = kEFail;
      ++nRow;
    }
  }

  if (Failed(hr)) {
    LOGW("The list of BHOs was not completely loaded - please see the logfile for more info.\n");
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconExclamation);
  }

  HResult hrWidths = kSOk;
  EC_H(hrWidths,
       grid.ReadColumnWidthsFromRegistry("Software\\Kestrove\\Tarvolin 2.0\\GridBhos", "ColumnWidths"));
  grid.Invalidate();
  LOGD("<<< BHO::PopulateMainGrid\n");
  return hr;
}
