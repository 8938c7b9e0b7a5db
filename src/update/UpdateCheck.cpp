#include "update/UpdateCheck.h"

#include <algorithm>
#include <cstdio>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
#include "common/ui/UserMessage.h"

namespace UpdateCheck {

constexpr int kSuccessesOfACompleteCheck = 3;

bool HasMarker(const std::string& line) { return line.find(kPudMarker) != std::string::npos; }

bool PublishedVersion(bool bMarkerFound, const std::string& sMarkerLine, std::string& sVersion) {
  sVersion.clear();
  if (!bMarkerFound) return false;
  const auto colon = sMarkerLine.find(':');
  if (colon == std::string::npos) return false;
  // The marker is an HTML comment: its end is no part of the version, which
  // the user reads in the new-version box and at every start.
  std::string sAfter = sMarkerLine.substr(colon + 1);
  const auto commentEnd = sAfter.find("-->");
  if (commentEnd != std::string::npos) sAfter.erase(commentEnd);
  sVersion = Generic::Trim(sAfter);
  return true;
}

bool PudFile::ReadString(std::string& line) {
  line.clear();
  std::FILE* f = m_file.Get();
  if (!f) return false;
  char buffer[256];
  bool bRead = false;
  while (std::fgets(buffer, sizeof buffer, f)) {
    bRead = true;
    const std::size_t n = std::char_traits<char>::length(buffer);
    const bool bEnd = n > 0 && buffer[n - 1] == '\n';
    if (line.size() < kMaxLine) line.append(buffer, std::min(n - (bEnd ? 1 : 0), kMaxLine - line.size()));
    if (bEnd) break;
  }
  if (!bRead) SystemApi::SetLastError(0);  // the end of the file is no system error
  return bRead;
}

void ReadMarkerLine(const std::string& sPUDPath, HResult& hr, std::string& sBuffer, bool& bMarkerFound) {
  bMarkerFound = false;
  sBuffer.clear();
  PudFile filPUD;
  EC_TRY {
    EC_B_TEXT(hr, "filPUD.Open(sPUDPath, CFile::modeRead)", filPUD.Open(sPUDPath));
    // The end of the file fails the read, and with it the reading.
    while (Succeeded(hr) && !bMarkerFound) {
      EC_B(hr, filPUD.ReadString(sBuffer));
      if (Succeeded(hr)) bMarkerFound = HasMarker(sBuffer);
    }
    EC_B(hr, filPUD.Close());
  }
  EC_CATCH(hr, "EC_VEF")
}

int ThresholdDays(int nRadio) {
  switch (nRadio) {
    case kQuarterly: return 90;
    case kMonthly: return 30;
    case kWeekly: return 7;
    default: return 0;
  }
}

bool IsDue(int nRadio, LastCheck last, double dDays) {
  const int nThreshold = ThresholdDays(nRadio);
  if (nThreshold == 0) return false;
  switch (last) {
    case LastCheck::kNever: return false;
    case LastCheck::kUnreadable: return true;
    case LastCheck::kKnown: return dDays >= nThreshold;
  }
  return false;
}

int FrequencyToSave(int nChecked) { return nChecked == -1 ? kNever : nChecked; }

Summary Summarise(int nSuccesses, const std::string& sTimestampOld, const std::string& sTimestampNew) {
  Summary summary;
  summary.bSucceeded = nSuccesses == kSuccessesOfACompleteCheck;
  if (summary.bSucceeded) {
    summary.sText = "'Check for Updates' has completed successfully!";
    summary.uiIcon = UserMessage::kIconInformation;
  } else {
    summary.sText = "'Check for Updates' has completed with some errors.";
    summary.uiIcon = UserMessage::kIconExclamation;
  }
  // The first check ever has no old stamp to compare with.
  if (!sTimestampOld.empty() && sTimestampOld != sTimestampNew)
    summary.sText += "  A new Tarvolin list, dated " + sTimestampNew +
                     ", has replaced your old list, dated " + sTimestampOld + ".";
  if (summary.bSucceeded)
    summary.sText +=
        "\n\n(These updates are processed automatically by Tarvolin.  There is no action you need to take.)";
  return summary;
}

std::string NewVersionText(const std::string& sPublished, const std::string& sOwn) {
  return "A new version of this program is available!  The new version is " + sPublished +
         "; your current version is " + sOwn +
         ". A web page should have appeared to describe the changes in the new version - that web page "
         "contains a link to the new version.";
}

bool IsNewer(const std::string& sPublished, const std::string& sOwn) {
  return Generic::CompareVersions(sPublished, sOwn) > 0;
}

}  // namespace UpdateCheck
