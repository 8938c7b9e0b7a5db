// The decisions of the check for updates, without a window or a network:
// how the update page names the published version, when a scheduled check
// is due, which frequency OK stores, and what the summary says.
#pragma once

#include <cstddef>
#include <string>

#include "common/base/Types.h"
#include "common/files/StdioFile.h"

namespace UpdateCheck {

// Registry values under the program key.
constexpr const char* kFrequencyValue = "CheckForUpdateFrequency";
constexpr const char* kLastCheckValue = "LastCheckForUpdate";
constexpr const char* kLatestKnownValue = "LatestKnownVersion";
constexpr const char* kListTimestampValue = "TarvolinListTimestamp";

// The update page on the maker's server and its copy beside the executable.
constexpr const char* kPudFileName = "Tarvolin2PUD.html";
constexpr const char* kPudLocalName = "~Tarv2Pud.html";
// The line of the page that carries the published version (after its first
// colon); case matters.
constexpr const char* kPudMarker = "<!-- Currently Published Version";

// The check frequencies, as the radio group orders them.
enum Frequency { kQuarterly = 0, kMonthly = 1, kWeekly = 2, kNever = 3 };
constexpr int kDefaultFrequency = kMonthly;

bool HasMarker(const std::string& line);
// The published version of the marker line: the text after its first colon
// up to the comment's end "-->", with the white space around it removed;
// false when the page gave no marker line or the line has no colon.
bool PublishedVersion(bool bMarkerFound, const std::string& sMarkerLine, std::string& sVersion);

// The downloaded page, read line by line in text mode. The page comes from
// the network: a line longer than kMaxLine characters is cut there and the
// rest of it skipped, so a page of any size is read in bounded memory.
class PudFile {
 public:
  bool Open(const std::string& path) { return m_file.Open(path, "r"); }
  // The next line without its end; false at the end of the file.
  bool ReadString(std::string& line);
  bool Close() { return m_file.Close(); }

  static constexpr std::size_t kMaxLine = 64 * 1024;

 private:
  StdioFile m_file;
};

// Reads the page at `sPUDPath` until a line holds the marker (guarded steps
// on `hr`, file exceptions caught). `sBuffer` is the last line read.
void ReadMarkerLine(const std::string& sPUDPath, HResult& hr, std::string& sBuffer, bool& bMarkerFound);

// Days the frequency waits between checks; 0 for never (and for any value
// the radio group does not know).
int ThresholdDays(int nRadio);

// What the program knows of the last check.
enum class LastCheck {
  kNever,       // no "LastCheckForUpdate": no scheduled check runs
  kUnreadable,  // a text that is no date in the user's format: due
  kKnown,       // `dDays` ago
};
bool IsDue(int nRadio, LastCheck last, double dDays);

// The frequency OK stores for the radio button chosen (-1: none chosen).
int FrequencyToSave(int nChecked);

// The closing summary of a check that got as far as it.
struct Summary {
  std::string sText;
  unsigned uiIcon;  // UserMessage style
  bool bSucceeded;  // all three parts: "LastCheckForUpdate" is written
};
Summary Summarise(int nSuccesses, const std::string& sTimestampOld, const std::string& sTimestampNew);

// The announcement of a newer published version.
std::string NewVersionText(const std::string& sPublished, const std::string& sOwn);
bool IsNewer(const std::string& sPublished, const std::string& sOwn);

}  // namespace UpdateCheck
