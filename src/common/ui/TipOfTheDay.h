// The tip of the day without its window: which hint shows, how the user
// pages through them (forward wraps from the last hint to the first, back
// stops at the first), the counter under the hint, and the two values
// remembered under the dialog's placement key: the hint shown last and
// whether the dialog opens at start.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace TipOfTheDay {

constexpr unsigned kFirstTipId = 17000;  // the hints follow without a gap
constexpr unsigned kHeadingId = 17924;   // "Did you know?"
constexpr unsigned kCounterId = 17930;   // "Tip %d of %d ..."

// Value names under the key below.
constexpr const char* szIntNotAtStartup = "DontShowTipUponStartUp";
constexpr const char* szIntTipID = "NextTipID";

// "Software\Kestrove\Tarvolin 2.0\Placements\MyTipDlg" under HKEY_CURRENT_USER.
std::string RegistryKey();

// The hints, the heading and the counter format as the string table holds
// them (a Windows test keeps the resources equal to this table).
const std::vector<std::pair<unsigned, const char*>>& Strings();
// The text of string `id` from that table; "" when there is none.
std::string TableString(unsigned id);

// Loads a string-table entry; "" means there is none.
using Loader = std::function<std::string(unsigned id)>;

class Tips {
 public:
  // `uiTipID` is the hint shown last (0: none yet).
  Tips(Loader loader, unsigned uiTipID);

  void Next();
  void Previous();

  unsigned TipId() const { return m_uiTipID; }
  const std::string& Text() const { return m_sText; }
  const std::string& Counter() const { return m_sCounter; }
  // How many hints there are: the ids from the first up to the first missing one.
  int Count() const;

 private:
  bool IsHint(unsigned id) const;
  void UpdateCounter();

  Loader m_loader;
  unsigned m_uiTipID;
  std::string m_sText;
  std::string m_sCounter;
};

struct Settings {
  unsigned uiTipID = 0;
  int bShowAtStartup = 1;
};

// Reads both values (creating the key); missing values keep the defaults:
// the first hint next, the dialog shown at start.
Settings ReadSettings();
// "DontShowTipUponStartUp" = 1 when the box is unticked, else 0.
bool SaveShowAtStartup(int bShowAtStartup);
// "NextTipID" = the hint on screen, for the next opening to follow it.
bool SaveTipId(unsigned uiTipID);

}  // namespace TipOfTheDay
