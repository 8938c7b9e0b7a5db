#include "lists/BHOListCops.h"

#include <algorithm>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/files/GenericFiles.h"
#include "common/net/MakerServers.h"
#include "common/ui/WaitCursor.h"
#include "lists/CommunityList.h"
#include "model/Bho.h"

namespace {

constexpr const char* kBlanks = " \t\r\n\v\f";

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Case-insensitive search; npos when absent.
size_t FindTag(const std::string& text, const char* tag) {
  const int pos = Generic::FindNoCase(text, tag);
  return pos < 0 ? std::string::npos : static_cast<size_t>(pos);
}

// Drops everything up to and including the first `tag`; all of it when absent.
void DropThrough(std::string& row, const char* tag) {
  const size_t pos = FindTag(row, tag);
  row.erase(0, pos == std::string::npos ? row.size() : pos + std::char_traits<char>::length(tag));
}

// The text between the first '>' and the next '<', trimmed.
std::string TextAfterTag(const std::string& text) {
  const auto open = text.find('>');
  if (open == std::string::npos) return std::string();
  const auto close = text.find('<', open + 1);
  return TrimBlanks(text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1));
}

std::string MapStatus(const std::string& sCode) {
  const std::string upper = Generic::ToUpper(sCode);
  if (upper == "X") return "Malware";
  if (upper == "L") return "Benign";
  return "Investigating";
}

// Start and end (past "</TD>") of the first cell; false when incomplete.
bool FindCell(const std::string& row, size_t& start, size_t& end) {
  start = FindTag(row, "<TD");
  const size_t close = FindTag(row, "</TD>");
  if (start == std::string::npos || close == std::string::npos || close + 5 < start) return false;
  end = close + 5;
  return true;
}

}  // namespace

BHOListCops::BHOListCops() {
  WaitCursor wait;
  LocateList(MakerServers::HtmlListSiteUrl());
  if (!Generic::FileExists(m_sListPath)) {
    HResult hr = kSOk;
    EC_H(hr, DownloadBHOList("CastleCops BHO List not found... downloading... please wait...", false));
  }
}

HResult BHOListCops::PopulateBHO(BHO* pBHO) {
  LOG_ENTRY("BHOListCops::PopulateBHO");
  return CommunityList::PopulateBHO(pBHO, m_sListPath,
                                    [this](const std::string& sClsid, std::string& sStatus,
                                           std::string& sDesc, std::string& sURL, bool& bFound) {
                                      HResult hr = kSOk;
                                      EC_H(hr, ReadDataFromHtml(sClsid, sStatus, sDesc, sURL, bFound));
                                      return hr;
                                    });
}

HResult BHOListCops::ReadDataFromHtml(const std::string& sClsid, std::string& sStatus, std::string& sDesc,
                                      std::string& sURL, bool& bFound) {
  sStatus.clear();
  sDesc.clear();
  sURL.clear();
  bFound = false;

  HResult hr = kSOk;
  EC_B(hr, m_lines.Refresh(m_sListPath));
  if (Failed(hr)) return hr;

  std::string sKey;
  for (char c : sClsid) {
    if (c != '{' && c != '}') sKey += c;
  }
  if (sKey.empty()) return hr;

  std::string sRow;
  bFound = FindRow(m_lines, sKey, sRow);
  if (bFound) ParseRow(sRow, sKey, sStatus, sDesc, sURL);
  return hr;
}

// A line with the key starts the row; following lines join it without a
// separator up to the first one holding "</TR>".
bool BHOListCops::FindRow(const ListFileLines& lines, const std::string& sKey, std::string& sRow) {
  const std::string sUpperKey = Generic::ToUpper(sKey);
  const std::vector<std::string>& all = lines.Lines();
  const size_t first = lines.FindLine(sUpperKey);
  if (first == ListFileLines::npos) return false;
  sRow = all[first];
  for (size_t n = first + 1, nextKey = lines.FindLine(sUpperKey, n); n < all.size(); ++n) {
    if (n == nextKey) {
      sRow = all[n];
      nextKey = lines.FindLine(sUpperKey, n + 1);
      continue;
    }
    sRow += all[n];
    if (FindTag(all[n], "</TR>") != std::string::npos) break;
  }
  return true;
}

bool BHOListCops::FindRow(const std::vector<std::string>& lines, const std::string& sKey, std::string& sRow) {
  ListFileLines indexed;
  indexed.Assign(lines);
  return FindRow(indexed, sKey, sRow);
}

void BHOListCops::ParseRow(std::string sRow, const std::string& sKey, std::string& sStatus,
                           std::string& sDesc, std::string& sURL) {
  const int keyPos = Generic::FindNoCase(sRow, sKey);
  if (keyPos > 0) sRow.erase(0, static_cast<size_t>(keyPos));
  DropThrough(sRow, "</TD>");

  sStatus = MapStatus(TextAfterTag(sRow));
  DropThrough(sRow, "</TD>");

  // The skipped cell: as many characters as it spans.
  size_t start = 0, end = 0;
  if (!FindCell(sRow, start, end)) return;
  sRow.erase(0, std::min(sRow.size(), end - start));

  if (!FindCell(sRow, start, end)) return;
  const std::string sCell = sRow.substr(start, end - start);
  const size_t h = sCell.find("href");
  if (h == std::string::npos) {
    sDesc = TextAfterTag(sCell);
    return;
  }
  // The address is the quoted href value; the link text follows it.
  std::string sAddress;
  const auto quote = sRow.find('"', h);
  if (quote != std::string::npos) {
    const auto closeQuote = sRow.find('"', quote + 1);
    sAddress =
        sRow.substr(quote + 1, closeQuote == std::string::npos ? std::string::npos : closeQuote - quote - 1);
  }
  sURL = TrimBlanks(sAddress);
  sRow.erase(0, std::min(sRow.size(), h + sAddress.size() + 5));
  sDesc = TextAfterTag(sRow);
}
