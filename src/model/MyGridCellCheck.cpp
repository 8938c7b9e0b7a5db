#include "model/MyGridCellCheck.h"

#include <memory>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPlatform.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "controls/GridCtrl.h"
#include "model/Bho.h"
#include "model/BhoGridRow.h"

namespace {

const char kCloseBrowsers[] =
    "You must close all instances of Internet Explorer and Windows Explorer to help ensure that this BHO is "
    "properly disabled.  (BHOs can 'hide out' in running instances of Internet Explorer and Windows "
    "Explorer and easily re-enable themselves.)\n\nPlease close all instances of Internet Explorer and "
    "Windows Explorer, and then click 'OK'.  Or, click the 'Cancel' button to abort disabling this BHO.";

// False when the user gave up disabling.
bool BrowsersClosed() {
  while (Shell::IsBrowserWindowOpen()) {
    const unsigned style = UserMessage::kOkCancel | UserMessage::kIconQuestion | UserMessage::kDefButton2;
    if (UserMessage::Show(kCloseBrowsers, style) != UserMessage::kIdOk) return false;
  }
  return true;
}

}  // namespace

HResult MyGridCellCheck::OnClick(CGridCtrl& grid, int nRow, int nCol, bool bOnBox) {
  LOG_ENTRY("MyGridCellCheck::OnClick");
  WaitCursor wait;
  HResult hr = kSOk;

  GridCell* pCell = grid.GetCell(nRow, nCol);
  if (nCol != BhoGrid::COLUMN_ENABLED || nRow < grid.GetFixedRowCount() || !pCell ||
      pCell->type != GridCellType::kCheck)
    return hr;
  if (pCell->bChecked && !BrowsersClosed()) return hr;
  if (!bOnBox) return hr;
  const bool m_bChecked = !pCell->bChecked;

  BHO* pBHO = grid.GetItemData<BHO>(nRow, nCol);
  EC_B(hr, pBHO);
  if (Failed(hr)) return hr;
  if (!Generic::IsXPServicePack2()) EC_H(hr, pBHO->ChangeStateClassic(m_bChecked));
  EC_H(hr, pBHO->ChangeStateSP2(m_bChecked, false));
  EC_H(hr, pBHO->SetReportedFlag(false));

  // The row shows what the registry now holds, which after a failure is not
  // what the user clicked.
  auto pReloaded = std::make_shared<BHO>(pBHO->m_mapAttrVals.Get("Clsid"));
  HResult hrLoad = kSOk;
  EC_H(hrLoad, pReloaded->LoadBHOAttrs());
  const GridCell* pNumber = grid.GetCell(nRow, BhoGrid::COLUMN_HEADER);
  const Colour crHeader = pNumber ? pNumber->background : BhoGrid::kDefaultHeaderColour;
  const int nImage = pBHO->m_nImageListIndex;
  HResult hrRow = kSOk;
  EC_H(hrRow, BhoGrid::FillRow(grid, nRow, std::move(pReloaded), crHeader, nImage));
  grid.Invalidate();
  return hr;
}
