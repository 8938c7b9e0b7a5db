#include "controls/ListCtrlSettings.h"

#include <algorithm>

#include "common/base/ErrorCheck.h"
#include "common/registry/MyRegistry.h"

void ListCtrlSettings::Read(const std::string& sKey, const std::string& sWidthsName) {
  MyRegistry reg(Registry::kCurrentUser, sKey, false);
  if (!reg.IsOpen()) return;
  for (std::size_t nCol = 0; nCol < widths.size(); ++nCol) {
    DWord dwWidth = static_cast<DWord>(widths[nCol]);
    if (reg.ReadValueDWord(sWidthsName + std::to_string(nCol), dwWidth))
      widths[nCol] = static_cast<int>(std::clamp<DWord>(dwWidth, kMinWidth, kMaxWidth));
  }
  reg.ReadValueBool("GridLines", bGridLines);
}

HResult ListCtrlSettings::Save(const std::string& sKey, const std::string& sWidthsName) const {
  LOG_ENTRY("MyListCtrl::SaveSettings");
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, sKey, true);
  EC_B(hr, reg.IsOpen());
  for (std::size_t nCol = 0; nCol < widths.size() && Succeeded(hr); ++nCol)
    EC_B(hr, reg.SaveValueDWord(sWidthsName + std::to_string(nCol), static_cast<DWord>(widths[nCol])));
  EC_B(hr, reg.SaveValueBool("GridLines", bGridLines));
  return hr;
}

namespace ListCtrlText {

std::string RowsAsText(const std::vector<std::vector<std::string>>& rows) {
  std::string text;
  for (const auto& row : rows) {
    for (std::size_t nCol = 0; nCol < row.size(); ++nCol) {
      if (nCol) text += '\t';
      text += row[nCol];
    }
    text += "\r\n";
  }
  return text;
}

namespace {
constexpr int kSteps[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24};
}

int SmallerFont(int nPoints) {
  int nSmaller = kMinPoints;
  for (int step : kSteps)
    if (step < nPoints) nSmaller = step;
  return nSmaller;
}

int LargerFont(int nPoints) {
  for (int step : kSteps)
    if (step > nPoints) return step;
  return kMaxPoints;
}

}  // namespace ListCtrlText
