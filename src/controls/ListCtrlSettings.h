// What the attribute list keeps between openings (its column widths and
// whether it shows grid lines, under one registry key of the user's), and
// the text its rows copy to the clipboard as.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/base/Types.h"

struct ListCtrlSettings {
  std::vector<int> widths;
  bool bGridLines = true;

  // Values "<sWidthsName>0", "<sWidthsName>1", ... and "GridLines" under
  // HKEY_CURRENT_USER\<sKey>; what is missing keeps its default.
  void Read(const std::string& sKey, const std::string& sWidthsName);
  HResult Save(const std::string& sKey, const std::string& sWidthsName) const;

  // Narrower than this a column cannot be grabbed again; wider than a
  // screen it is no column width.
  static constexpr int kMinWidth = 8;
  static constexpr int kMaxWidth = 0x7FFF;
};

namespace ListCtrlText {

// Rows as tab-separated columns, one CR LF line per row.
std::string RowsAsText(const std::vector<std::vector<std::string>>& rows);

// The list's font size steps (points): the next smaller or larger size.
int SmallerFont(int nPoints);
int LargerFont(int nPoints);
constexpr int kMinPoints = 6;
constexpr int kMaxPoints = 24;

}  // namespace ListCtrlText
