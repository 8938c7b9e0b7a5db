// Everything the BHO details window decides without a window: the rows of
// its attribute list, the verdict text and the meter for the BHO's status,
// the note kept per DLL checksum, and what each of its buttons does (save
// the report, search the web, open the folder or the registry editor, read
// the file's text, remove orphaned entries). DetailsDlg moves this between
// the core and its controls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/base/Types.h"

class AttrMap;
class BHO;

namespace Details {

// The verdict line under the icon.
struct StatusText {
  std::string text;
  bool bColour = false;  // false: the control keeps its text colour
  DWord crText = 0;      // 0x00BBGGRR
  bool bBold = false;
  bool bKnownStatus = true;  // false: "Unexpected status encountered!"
};
StatusText DecideStatusText(const std::string& sStatus, const AttrMap& attrs);

// The TarvolinMeter: how many reporting users keep the BHO enabled.
struct Meter {
  bool bSet = false;     // false: the meter keeps its range and background
  bool bVisible = true;  // false: hidden (no reports to count)
  int nPos = 0;          // 0-100
  DWord crBar = 0;       // 0x00BBGGRR
};
Meter DecideMeter(const std::string& sStatus, const AttrMap& attrs);

// "EnabledCount" as a share of "ReportsCount" (0-100, with fractions);
// false when there are no reports.
bool EnabledShare(const AttrMap& attrs, double& dPercent);

// Rows of the attribute list: each attribute with a value, in the record's
// walking order.
std::vector<std::pair<std::string, std::string>> AttributeRows(const AttrMap& attrs);

// Every byte outside the URL-safe letters, digits and "-_.~" as %XX.
std::string PercentEncode(const std::string& text);
// The web search's query: the CLSID, the file name in quotes and the
// ProgID's words, each percent-encoded and joined by "+OR+". False when the
// record has no CLSID.
bool SearchQuery(const AttrMap& attrs, std::string& sQuery);
std::string WebSearchUrl(const std::string& sQuery);
std::string GroupsSearchUrl(const std::string& sQuery);

// Why a shell launch failed, for its result (32 or less).
std::string ShellErrorReason(std::intptr_t nResult);

// The save dialog's suggested name: the DLL's file title (or the CLSID)
// followed by "_TarvolinInfo.txt"; false when the record has neither.
bool DefaultSaveName(const AttrMap& attrs, std::string& sName);
constexpr const char* kSaveFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// The note as one line: each run of line breaks becomes one blank.
std::string OneLine(const std::string& sText);

// The registry editor's remembered key for the BHO's entry.
std::string RegeditLastKey(const std::string& sClsid);
constexpr const char* kRegeditKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

constexpr const char* kListKey = "Software\\Kestrove\\Tarvolin 2.0\\DetailsListCtrl";

// The notation box: its text and whether the user can write in it.
struct Notation {
  bool bEnabled = true;
  std::string text;
};

}  // namespace Details

class DetailsCore {
 public:
  explicit DetailsCore(const BHO& bho);

  const BHO& Bho() const { return m_bho; }
  Details::StatusText StatusText() const;
  Details::Meter Meter() const;

  // The note from "Tarvolin.ini" (its "Notation", else its "Comments", else
  // the prompt); a record without checksum cannot hold one.
  Details::Notation LoadNotation() const;
  // OK: the box's text is the note; nothing is written without checksum.
  HResult SaveNotation(const std::string& sText) const;

  // A missing DLL: asks whether to delete the orphaned registry entries and
  // does so with the watch suspended. True when they are gone (the window
  // closes).
  bool OfferOrphanRemoval() const;

  // The save dialog's choice: writes the report and says how it went.
  HResult SaveToFile(const std::string& sPath) const;
  // Two searches in the browser, the second a while after the first.
  HResult BrowseWeb() const;
  HResult OpenContainingFolder() const;
  // After the user's consent: the registry editor opened at the BHO's key.
  HResult ExamineInRegistry() const;
  void ViewText() const;

  // Tests skip the pause between the two searches.
  using Sleeper = std::function<void(DWord milliseconds)>;
  static Sleeper SetSleeper(Sleeper sleeper);
  static constexpr DWord kSearchPauseMs = 6000;

 private:
  const BHO& m_bho;
};
