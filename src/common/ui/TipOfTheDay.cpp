#include "common/ui/TipOfTheDay.h"

#include <cstdio>

#include "common/base/ErrorCheck.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/WaitCursor.h"

namespace TipOfTheDay {

std::string RegistryKey() { return std::string(REGKEY_PLACEMENTS) + "\\MyTipDlg"; }

const std::vector<std::pair<unsigned, const char*>>& Strings() {
  static const std::vector<std::pair<unsigned, const char*>> strings = {
      {17000, "This 'Tip of the Day' window will show you a new tip each time you run Tarvolin."},
      {17001, "You can reset Tarvolin back to factory defaults via the 'Settings' button."},
      {17002, "All Tarvolin windows remember their size and position on the screen."},
      {17003, "All Tarvolin list controls remember their column widths."},
      {17004,
       "All Tarvolin list controls columns can be resized by dragging the line between the column headers."},
      {17005, "Only one instance of Tarvolin can be run at a time."},
      {17006,
       "The list of BHOs can be sorted by clicking once on the desired column header (like, 'Status' or "
       "'Enabled?')."},
      {17007, "Like any Windows program, Tarvolin can be set to startup minimized, normal, or maximized."},
      {17008,
       "You can have Tarvolin silently write a report for each BHO, and then exit, using the '-Output' "
       "command-line option.  See the help file for details."},
      {17009,
       "Tarvolin is updated on a regular basis, so check for a new version occasionally by clicking the "
       "'Check "
       "for Updates' button!"},
      {17010,
       "On the main screen, the 'Status' column reflects what we currently know about each BHO.  'Benign' "
       "means "
       "it's known to be 'good', and 'Investigating' means we're not sure yet."},
      {kHeadingId, "Did you know?"},
      {kCounterId, "Tip %d of %d ..."},
  };
  return strings;
}

std::string TableString(unsigned id) {
  for (const auto& entry : Strings()) {
    if (entry.first == id) return entry.second;
  }
  return std::string();
}

Tips::Tips(Loader loader, unsigned uiTipID) : m_loader(std::move(loader)), m_uiTipID(uiTipID) { Next(); }

int Tips::Count() const {
  int nCount = 0;
  while (!m_loader(kFirstTipId + static_cast<unsigned>(nCount)).empty()) ++nCount;
  return nCount;
}

// Only the ids from the first hint up to the first missing one are hints:
// a remembered id that points anywhere else (another string of the table)
// must not show that string as a hint.
bool Tips::IsHint(unsigned id) const {
  if (id < kFirstTipId) return false;
  for (unsigned u = kFirstTipId; u <= id; ++u) {
    if (m_loader(u).empty()) return false;
  }
  return true;
}

void Tips::Next() {
  m_uiTipID = m_uiTipID == 0 ? kFirstTipId : m_uiTipID + 1;
  if (IsHint(m_uiTipID)) {
    m_sText = m_loader(m_uiTipID);
  } else {
    m_uiTipID = kFirstTipId;
    m_sText = m_loader(m_uiTipID);
    if (m_sText.empty()) m_sText = "Oops... couldn't load the first tip!";
  }
  UpdateCounter();
}

void Tips::Previous() {
  if (m_uiTipID <= kFirstTipId || !IsHint(m_uiTipID))
    m_uiTipID = kFirstTipId;
  else
    --m_uiTipID;
  m_sText = m_loader(m_uiTipID);
  if (m_sText.empty()) m_sText = "Oops... couldn't load the previous tip!";
  UpdateCounter();
}

void Tips::UpdateCounter() {
  std::string sFormat = m_loader(kCounterId);
  if (sFormat.empty()) sFormat = TableString(kCounterId);
  char text[128] = {};
  std::snprintf(text, sizeof text, sFormat.c_str(), static_cast<int>(m_uiTipID - (kFirstTipId - 1)), Count());
  m_sCounter = text;
}

Settings ReadSettings() {
  LOG_ENTRY("MyTipDlg::ReadSettings");
  WaitCursor wait;
  Settings settings;
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, RegistryKey(), true);
  EC_B(hr, reg.IsOpen());
  if (Failed(hr)) return settings;
  DWord dwNotAtStartup = 0;
  reg.ReadValueDWord(szIntNotAtStartup, dwNotAtStartup);
  settings.bShowAtStartup = dwNotAtStartup == 0 ? 1 : 0;
  DWord dwTipID = 0;
  if (reg.ReadValueDWord(szIntTipID, dwTipID)) settings.uiTipID = dwTipID;
  return settings;
}

bool SaveShowAtStartup(int m_bShowAtStartup) {
  WaitCursor wait;
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, RegistryKey(), true);
  EC_B(hr, reg.IsOpen());
  EC_B_TEXT(hr, "reg.SaveValueBool(szIntNotAtStartup, ! m_bShowAtStartup)",
            reg.SaveValueBool(szIntNotAtStartup, m_bShowAtStartup == 0));
  return Succeeded(hr);
}

bool SaveTipId(unsigned m_uiTipID) {
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, RegistryKey(), true);
  EC_B(hr, reg.IsOpen());
  EC_B_TEXT(hr, "reg.SaveValueInt(szIntTipID, m_uiTipID)",
            reg.SaveValueInt(szIntTipID, static_cast<int>(m_uiTipID)));
  return Succeeded(hr);
}

}  // namespace TipOfTheDay
