// The statistics of the maker's known-BHO list: the totals and the table of
// the 100 most-reported BHOs, from the list's "General" section.
#pragma once

#include <array>
#include <string>
#include <vector>

class IBHOList;

namespace Stats {

constexpr int kTopCount = 100;
constexpr const char* kHeading = "Top 100 Most-Reported BHOs:";

struct Data {
  std::string sTotalReports;  // 1700, with thousands separators
  std::string sUniqueBHOs;    // 1701
  // Rank (1 to 100), description, report count; in rank order.
  std::vector<std::array<std::string, 3>> rows;
};

// From the list `pList` (the maker's); null gives zeros.
Data Read(const IBHOList* pList);

}  // namespace Stats
