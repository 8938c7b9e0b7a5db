#include "dialogs/StatsCore.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericStrings.h"
#include "common/files/GenericIni.h"
#include "lists/IBHOList.h"

namespace Stats {

namespace {

constexpr int kValueBuffer = 260;
constexpr const char* kSection = "General";

// The number at the start of the text, as the profile's integer read takes
// it; one beyond the range is held at its end.
long long LeadingInteger(const std::string& text) {
  errno = 0;
  return std::strtoll(text.c_str(), nullptr, 10);
}

}  // namespace

Data Read(const IBHOList* pList) {
  LOG_ENTRY("StatsDlg::OnInitDialog");
  HResult hr = kSOk;
  EC_B_TEXT(hr, "NULL != CTarvolinApp::m_pBHOListKST", nullptr != pList);
  const std::string sPath = pList ? pList->GetBHOListPathName() : std::string();
  auto read = [&](const std::string& key) {
    std::string value = "0";
    if (Succeeded(hr)) Generic::GetFromIniFile(sPath, kSection, key, "0", value, kValueBuffer);
    return value;
  };

  Data data;
  data.sTotalReports = Generic::FormatThousands(LeadingInteger(read("TotalReports")));
  data.sUniqueBHOs = Generic::FormatThousands(LeadingInteger(read("UniqueBHOs")));
  // Each row goes in at the top, then the list is sorted by its rank.
  for (int n = 0; n < kTopCount; ++n) {
    data.rows.insert(data.rows.begin(), {std::to_string(n + 1), read("TopXDesc" + std::to_string(n)),
                                         read("TopXReportsCount" + std::to_string(n))});
  }
  std::stable_sort(data.rows.begin(), data.rows.end(), [](const auto& a, const auto& b) {
    return std::atoi(a[0].c_str()) < std::atoi(b[0].c_str());
  });
  return data;
}

}  // namespace Stats
