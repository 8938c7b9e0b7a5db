// What a BHO's row of the main grid shows, from the record alone.
#include "model/BhoGridRow.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>

namespace {

using namespace BhoGrid;

constexpr Colour kHeader = 0x00123456;

struct RowCase {
  const char* name;
  std::map<std::string, std::string> attrs;
  bool bFileExists;
  // Expected: "Enabled?" cell.
  GridCellType enabledType;
  bool bChecked;
  Colour enabledColour;
  const char* enabledText;
  bool bEnabledReadOnly;
  // "File Name" text and the file whose icon it shows.
  const char* fileText;
  const char* iconFile;
  // "Status" cell.
  Colour statusColour;
  int statusImage;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

const std::map<std::string, std::string> Record(std::map<std::string, std::string> extra) {
  std::map<std::string, std::string> attrs = {{"Clsid", "{C}"},     {"Enabled?", "Yes"},
                                              {"Status", "Benign"}, {"Desc", "A helper"},
                                              {"URL", "http://x/"}, {"DLL Path", "C:\\Dir\\helper.dll"},
                                              {"ProgID", "Help.Me"}};
  for (const auto& [name, value] : extra) {
    if (value == "<absent>")
      attrs.erase(name);
    else
      attrs[name] = value;
  }
  return attrs;
}

const RowCase kRowCases[] = {
    {"EnabledBenign", Record({}), true, GridCellType::kCheck, true, RGB_PALEGREEN, "", false, "helper.dll",
     "C:\\Dir\\helper.dll", RGB_PALEGREEN, IMAGELIST_BENIGN},
    {"EnabledInCapitals", Record({{"Enabled?", "YES"}}), true, GridCellType::kCheck, true, RGB_PALEGREEN, "",
     false, "helper.dll", "C:\\Dir\\helper.dll", RGB_PALEGREEN, IMAGELIST_BENIGN},
    {"Disabled", Record({{"Enabled?", "No"}}), true, GridCellType::kCheck, false, RGB_YELLOW_LIGHT, "", false,
     "helper.dll", "C:\\Dir\\helper.dll", RGB_PALEGREEN, IMAGELIST_BENIGN},
    {"AnyOtherEnabledTextIsOff", Record({{"Enabled?", "Yes please"}}), true, GridCellType::kCheck, false,
     RGB_YELLOW_LIGHT, "", false, "helper.dll", "C:\\Dir\\helper.dll", RGB_PALEGREEN, IMAGELIST_BENIGN},
    // A missing file keeps the cell's colour but loses the box.
    {"FileMissing", Record({{"Enabled?", "No - file is missing"}, {"Status", "Unknown"}}), false,
     GridCellType::kPlain, false, RGB_YELLOW_LIGHT, "File is Missing!", true, "C:\\Dir\\helper.dll",
     "C:\\Dir\\helper.dll", kDefaultColour, IMAGELIST_UNKNOWN},
    {"FileMissingButEnabled", Record({}), false, GridCellType::kPlain, true, RGB_PALEGREEN,
     "File is Missing!", true, "C:\\Dir\\helper.dll", "C:\\Dir\\helper.dll", RGB_PALEGREEN, IMAGELIST_BENIGN},
    {"NoDllPath", Record({{"DLL Path", "<absent>"}}), false, GridCellType::kPlain, true, RGB_PALEGREEN, "",
     true, "{ Not found }", "", RGB_PALEGREEN, IMAGELIST_BENIGN},
    {"PathWithoutBackslash", Record({{"DLL Path", "helper.dll"}}), true, GridCellType::kCheck, true,
     RGB_PALEGREEN, "", false, "helper.dll", "helper.dll", RGB_PALEGREEN, IMAGELIST_BENIGN},
    {"AdwareInLowerCase", Record({{"Status", "adware"}}), true, GridCellType::kCheck, true, RGB_PALEGREEN, "",
     false, "helper.dll", "C:\\Dir\\helper.dll", RGB_PINK, IMAGELIST_MALWARE},
    {"Malware", Record({{"Status", "MALWARE"}}), true, GridCellType::kCheck, true, RGB_PALEGREEN, "", false,
     "helper.dll", "C:\\Dir\\helper.dll", RGB_PINK, IMAGELIST_MALWARE},
    {"Investigating", Record({{"Status", "Investigating"}}), true, GridCellType::kCheck, true, RGB_PALEGREEN,
     "", false, "helper.dll", "C:\\Dir\\helper.dll", RGB_PALEGOLDENROD, IMAGELIST_INVESTIGATING},
    {"UnknownHasIconButNoColour", Record({{"Status", "unknown"}}), true, GridCellType::kCheck, true,
     RGB_PALEGREEN, "", false, "helper.dll", "C:\\Dir\\helper.dll", kDefaultColour, IMAGELIST_UNKNOWN},
    {"StatusOutsideTheFiveGetsNeither", Record({{"Status", "Benign "}}), true, GridCellType::kCheck, true,
     RGB_PALEGREEN, "", false, "helper.dll", "C:\\Dir\\helper.dll", kDefaultColour, -1},
};

class BhoGridRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(BhoGridRowTest, CellsFollowTheRecord) {
  const RowCase& c = GetParam();
  AttrMap attrs;
  for (const auto& [name, value] : c.attrs) attrs.SetAt(name, value);
  const Row row = DecideRow(attrs, 7, kHeader, c.bFileExists);

  const GridCell& number = row.cells[COLUMN_HEADER];
  EXPECT_EQ("7", number.text);
  EXPECT_EQ(kGridRight, number.format);
  EXPECT_TRUE(number.IsReadOnly());
  EXPECT_EQ(kHeader, number.background);
  EXPECT_EQ(kFontWeightBold, number.fontWeight);

  const GridCell& enabled = row.cells[COLUMN_ENABLED];
  EXPECT_EQ(c.enabledType, enabled.type);
  EXPECT_EQ(c.bChecked, enabled.bChecked);
  EXPECT_EQ(c.enabledColour, enabled.background);
  EXPECT_EQ(c.enabledText, enabled.text);
  EXPECT_EQ(c.bEnabledReadOnly, enabled.IsReadOnly());
  EXPECT_EQ(kGridCenter, enabled.format);

  const GridCell& file = row.cells[COLUMN_DLLNAME];
  EXPECT_EQ(c.fileText, file.text);
  EXPECT_EQ(c.iconFile, row.sIconFile);
  EXPECT_EQ(kGridLeft, file.format);
  EXPECT_TRUE(file.IsReadOnly());

  const GridCell& status = row.cells[COLUMN_STATUS];
  EXPECT_EQ(c.attrs.at("Status"), status.text);
  EXPECT_EQ(kGridCenter, status.format);
  EXPECT_EQ(c.statusColour, status.background);
  EXPECT_EQ(c.statusImage, status.image);

  EXPECT_EQ("Help.Me", row.cells[COLUMN_PROGID].text);
  EXPECT_EQ("A helper", row.cells[COLUMN_DESC].text);
  EXPECT_EQ("http://x/", row.cells[COLUMN_URL].text);
  EXPECT_EQ(GridCellType::kUrl, row.cells[COLUMN_URL].type);
  for (int nCol : {COLUMN_PROGID, COLUMN_DESC, COLUMN_URL}) {
    EXPECT_TRUE(row.cells[nCol].IsReadOnly()) << nCol;
    EXPECT_EQ(kGridLeft, row.cells[nCol].format) << nCol;
    EXPECT_EQ(kDefaultColour, row.cells[nCol].background) << nCol;
  }
  EXPECT_TRUE(row.missing.empty());
}

INSTANTIATE_TEST_SUITE_P(Records, BhoGridRowTest, ::testing::ValuesIn(kRowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BhoGridRow, MissingRequiredAttributesAreNamedAndTheRestIsShown) {
  AttrMap attrs;
  attrs.SetAt("Clsid", "{C}");
  attrs.SetAt("Desc", "Only a description");
  const Row row = DecideRow(attrs, 1, kHeader, false);
  EXPECT_EQ((std::vector<std::string>{"Enabled?", "Status", "URL"}), row.missing);
  EXPECT_EQ("Only a description", row.cells[COLUMN_DESC].text);
  EXPECT_EQ("{ Not found }", row.cells[COLUMN_DLLNAME].text);
  EXPECT_EQ("", row.cells[COLUMN_PROGID].text);  // ProgID is optional
  EXPECT_EQ(GridCellType::kPlain, row.cells[COLUMN_ENABLED].type);
}

TEST(BhoGridRow, HeaderCellsAreBoldReadOnlyAndInTheHeaderColour) {
  for (int nCol = 0; nCol < COLUMNS_COUNT; ++nCol) {
    const GridCell cell = HeaderCell(nCol, kHeader);
    EXPECT_EQ(kHeaderTexts[nCol], cell.text);
    EXPECT_EQ(kHeader, cell.background);
    EXPECT_EQ(kFontWeightBold, cell.fontWeight);
    EXPECT_TRUE(cell.IsReadOnly());
  }
  EXPECT_STREQ("Enabled?", kHeaderTexts[COLUMN_ENABLED]);
  EXPECT_STREQ("Description", kHeaderTexts[COLUMN_DESC]);
}

}  // namespace
