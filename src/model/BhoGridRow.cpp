#include "model/BhoGridRow.h"

#include "common/base/GenericPaths.h"
#include "res/IconsRes.h"

namespace BhoGrid {

const std::array<const char*, COLUMNS_COUNT> kHeaderTexts = {"#",      "Enabled?",    "File Name", "Status",
                                                             "ProgID", "Description", "URL"};

const std::array<unsigned, kStatusImageCount> kStatusIconIds = {IDI_BENIGN, IDI_UNKNOWN, IDI_MALWARE,
                                                                IDI_INVESTIGATING};

namespace {

GridCell ReadOnlyText(const std::string& text, unsigned format) {
  GridCell cell;
  cell.text = text;
  cell.format = format;
  cell.state = kGridReadOnly;
  return cell;
}

// Colour and icon of a status, by its name in any letter case; a status
// outside the five known ones gets neither.
void StyleStatus(GridCell& cell) {
  const std::string& s = cell.text;
  if (Generic::EqualsNoCase(s, "Benign")) {
    cell.background = RGB_PALEGREEN;
    cell.image = IMAGELIST_BENIGN;
  } else if (Generic::EqualsNoCase(s, "Unknown")) {
    cell.image = IMAGELIST_UNKNOWN;
  } else if (Generic::EqualsNoCase(s, "Investigating")) {
    cell.background = RGB_PALEGOLDENROD;
    cell.image = IMAGELIST_INVESTIGATING;
  } else if (Generic::EqualsNoCase(s, "Malware") || Generic::EqualsNoCase(s, "Adware")) {
    cell.background = RGB_PINK;
    cell.image = IMAGELIST_MALWARE;
  }
}

// The text after the last back-slash.
std::string FileNamePart(const std::string& sPath) {
  const auto slash = sPath.find_last_of('\\');
  return slash == std::string::npos ? sPath : sPath.substr(slash + 1);
}

}  // namespace

GridCell HeaderCell(int nCol, Colour crHeader) {
  GridCell cell = ReadOnlyText(nCol >= 0 && nCol < COLUMNS_COUNT ? kHeaderTexts[nCol] : "", kGridLeft);
  cell.fontWeight = kFontWeightBold;
  cell.background = crHeader;
  return cell;
}

Row DecideRow(const AttrMap& attrs, int nRow, Colour crHeader, bool bFileExists) {
  Row row;
  auto& cells = row.cells;
  const auto require = [&](const char* name, std::string& value) {
    if (!attrs.Lookup(name, value)) row.missing.emplace_back(name);
  };

  GridCell& number = cells[COLUMN_HEADER];
  number = ReadOnlyText(std::to_string(nRow), kGridRight);
  number.background = crHeader;
  number.fontWeight = kFontWeightBold;

  GridCell& enabled = cells[COLUMN_ENABLED];
  std::string sEnabled;
  require("Enabled?", sEnabled);
  enabled.format = kGridCenter;
  enabled.type = GridCellType::kCheck;
  enabled.bChecked = Generic::EqualsNoCase(sEnabled, "Yes");
  enabled.background = enabled.bChecked ? RGB_PALEGREEN : RGB_YELLOW_LIGHT;

  GridCell& status = cells[COLUMN_STATUS];
  std::string sStatus;
  require("Status", sStatus);
  status = ReadOnlyText(sStatus, kGridCenter);
  StyleStatus(status);

  // Without its file there is nothing to switch: the box goes.
  std::string sDllPath, sFileText;
  if (attrs.Lookup("DLL Path", sDllPath)) {
    row.sIconFile = sDllPath;
    if (bFileExists) {
      sFileText = FileNamePart(sDllPath);
    } else {
      enabled.type = GridCellType::kPlain;
      enabled.state |= kGridReadOnly;
      enabled.text = "File is Missing!";
      sFileText = sDllPath;
    }
  } else {
    enabled.type = GridCellType::kPlain;
    enabled.state |= kGridReadOnly;
    sFileText = "{ Not found }";
  }
  cells[COLUMN_DLLNAME] = ReadOnlyText(sFileText, kGridLeft);

  cells[COLUMN_PROGID] = ReadOnlyText(attrs.Get("ProgID"), kGridLeft);
  std::string sDesc, sUrl;
  require("Desc", sDesc);
  cells[COLUMN_DESC] = ReadOnlyText(sDesc, kGridLeft);
  require("URL", sUrl);
  cells[COLUMN_URL] = ReadOnlyText(sUrl, kGridLeft);
  cells[COLUMN_URL].type = GridCellType::kUrl;
  return row;
}

}  // namespace BhoGrid
