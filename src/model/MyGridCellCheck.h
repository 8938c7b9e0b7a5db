// The "Enabled?" check box of a grid row: a click switches the row's BHO
// off or on in the registry, then the row shows the state read back.
#pragma once

#include "common/base/Types.h"

class CGridCtrl;

class MyGridCellCheck {
 public:
  // The user clicked cell (`nRow`, `nCol`); `bOnBox` when the click lies on
  // the box itself (a click beside it changes nothing).
  static HResult OnClick(CGridCtrl& grid, int nRow, int nCol, bool bOnBox);
};
