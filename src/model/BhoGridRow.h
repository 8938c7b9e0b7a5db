// What one BHO's row of the main grid shows, decided from its record alone:
// the text, format, state, colour, image and kind of each of the seven
// cells. The grid window draws exactly this.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/base/Types.h"
#include "controls/GridCtrl.h"
#include "model/AttrMap.h"

class BHO;

namespace BhoGrid {

enum Column : int {
  COLUMN_HEADER = 0,
  COLUMN_ENABLED = 1,
  COLUMN_DLLNAME = 2,
  COLUMN_STATUS = 3,
  COLUMN_PROGID = 4,
  COLUMN_DESC = 5,
  COLUMN_URL = 6,
  COLUMNS_COUNT = 7
};

// The header texts, by column.
extern const std::array<const char*, COLUMNS_COUNT> kHeaderTexts;

constexpr Colour RGB_BLACK = 0x00000000;
constexpr Colour RGB_PALEGREEN = 0x0098FB98;
constexpr Colour RGB_YELLOW_LIGHT = 0x00C0FFFF;
constexpr Colour RGB_PALEGOLDENROD = 0x00AAE8EE;
constexpr Colour RGB_PINK = 0x00CBC0FF;
constexpr Colour kDefaultHeaderColour = 0x007AA0FF;

// The fixed images of the status icons, first in the grid's image list.
enum StatusImage : int {
  IMAGELIST_BENIGN = 0,
  IMAGELIST_UNKNOWN = 1,
  IMAGELIST_MALWARE = 2,
  IMAGELIST_INVESTIGATING = 3,
  kStatusImageCount = 4
};
// Their icon resources, in image-list order.
extern const std::array<unsigned, kStatusImageCount> kStatusIconIds;

struct Row {
  std::array<GridCell, COLUMNS_COUNT> cells;
  // The file whose first icon goes into the "File Name" cell ("" when the
  // record names none: the standard application icon then).
  std::string sIconFile;
  // Attributes every row needs that the record lacks ("Enabled?", "Status",
  // "Desc", "URL"); the row shows the rest.
  std::vector<std::string> missing;
};

// `nRow` counts from 1; `bFileExists` tells whether the record's "DLL Path"
// names an existing file.
Row DecideRow(const AttrMap& attrs, int nRow, Colour crHeader, bool bFileExists);

// The header row's cell of a column.
GridCell HeaderCell(int nCol, Colour crHeader);

// Shows the loaded record in row `nRow`, which then owns it. `nImage` is
// the file icon's index in the grid's images; -1 adds the file's icon.
// Fails when the record lacks an attribute every row needs (the row shows
// the rest) or the icon could not be added.
HResult FillRow(CGridCtrl& grid, int nRow, std::shared_ptr<BHO> pBHO, Colour crHeader, int nImage);

}  // namespace BhoGrid
