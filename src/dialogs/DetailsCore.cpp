#include "dialogs/DetailsCore.h"

#include <cerrno>
#include <cstdlib>
#include <list>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
#include "common/files/GenericFiles.h"
#include "common/files/GenericIni.h"
#include "common/files/PrivateProfile.h"
#include "common/registry/MyRegistry.h"
#include "common/ui/GenericColors.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/RegistryWatch.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "model/Bho.h"
#include "res/DetailsDlgRes.h"

namespace Details {
namespace {

constexpr DWord kRed = 0x000000FF;
constexpr DWord kDarkRed = 0x000000C0;
constexpr DWord kGreen = 0x00008000;
constexpr DWord kBrightGreen = 0x0000FF00;

constexpr int kMeterLightness = 120;
constexpr int kMeterSaturation = 240;
constexpr double kMeterGreenHue = 80;

// A count as its text shows it: leading digits, clamped to int; anything
// else is 0. The counts come from a downloaded list.
int CountOf(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const long long n = std::strtoll(text.c_str(), &end, 10);
  if (end == text.c_str()) return 0;
  if (errno == ERANGE || n > 0x7FFFFFFF) return n < 0 ? -0x7FFFFFFF : 0x7FFFFFFF;
  if (n < -0x7FFFFFFF) return -0x7FFFFFFF;
  return static_cast<int>(n);
}

std::string CountText(const AttrMap& attrs, const char* name) {
  const std::string value = attrs.Get(name);
  return value.empty() ? "0" : value;
}

std::string StripBraces(std::string text) {
  std::size_t begin = 0;
  while (begin < text.size() && text[begin] == '{') ++begin;
  std::size_t end = text.size();
  while (end > begin && text[end - 1] == '}') --end;
  return text.substr(begin, end - begin);
}

}  // namespace

bool EnabledShare(const AttrMap& attrs, double& dPercent) {
  const int nReports = CountOf(attrs.Get("ReportsCount"));
  if (nReports < 1) return false;
  const int nEnabled = CountOf(attrs.Get("EnabledCount"));
  dPercent = nEnabled * 100.0 / nReports;
  // A list claiming more enabled copies than reports (or fewer than none)
  // still reads as a share.
  if (dPercent < 0) dPercent = 0;
  if (dPercent > 100) dPercent = 100;
  return true;
}

StatusText DecideStatusText(const std::string& sStatus, const AttrMap& attrs) {
  StatusText status;
  if (Generic::EqualsNoCase(sStatus, "Malware")) {
    status.bColour = true;
    status.crText = kRed;
    status.bBold = true;
    status.text =
        "Malware - This BHO is known to be spyware, a hijacker, or another kind of malicious program.  You "
        "should immediately DISABLE it!";
  } else if (Generic::EqualsNoCase(sStatus, "Adware")) {
    status.bColour = true;
    status.crText = kDarkRed;
    status.bBold = true;
    status.text =
        "Adware - This BHO is known to display advertising, or track your web browsing, or have another kind "
        "of advertising-designed behavior.  You should consider disabling it.";
  } else if (Generic::EqualsNoCase(sStatus, "Benign")) {
    status.bColour = true;
    status.crText = kGreen;
    status.text =
        "Benign - This BHO is known to be a legitimate program from a reputable vendor.  You should consider "
        "enabling it.";
  } else if (Generic::EqualsNoCase(sStatus, "Investigating")) {
    double dPercent = 0;
    const std::string sPercent =
        EnabledShare(attrs, dPercent) ? std::to_string(static_cast<int>(dPercent)) : "0";
    status.text =
        "Investigating - We are aware of this BHO, but do not yet have enough information to make a "
        "determination about it.  Of the " +
        CountText(attrs, "ReportsCount") + " Tarvolin users who have reported this BHO, " +
        CountText(attrs, "EnabledCount") +
        " have enabled it on their PCs: this gives it a TarvolinMeter reading of " + sPercent + "%.";
  } else if (Generic::EqualsNoCase(sStatus, "Unknown")) {
    status.text =
        "Unknown - We are not aware of this BHO.  The report that Tarvolin automatically creates will inform "
        "us about this BHO.  You should exercise caution when deciding whether to enable this BHO.";
  } else {
    status.bKnownStatus = false;
    status.text = "Unexpected status encountered!";
  }
  return status;
}

Meter DecideMeter(const std::string& sStatus, const AttrMap& attrs) {
  Meter meter;
  if (Generic::EqualsNoCase(sStatus, "Malware") || Generic::EqualsNoCase(sStatus, "Adware")) {
    meter = {true, true, 100, kRed};
  } else if (Generic::EqualsNoCase(sStatus, "Benign")) {
    meter = {true, true, 100, kBrightGreen};
  } else if (Generic::EqualsNoCase(sStatus, "Investigating") || Generic::EqualsNoCase(sStatus, "Unknown")) {
    meter.bSet = true;
    double dPercent = 0;
    if (!EnabledShare(attrs, dPercent)) {
      meter.bVisible = false;
      return meter;
    }
    meter.nPos = static_cast<int>(dPercent);
    // Red at no one, through orange and yellow, to green at everyone.
    const int nHue = static_cast<int>(dPercent * 0.01 * kMeterGreenHue);
    meter.crBar = Generic::HLSToRGB(nHue, kMeterLightness, kMeterSaturation);
  }
  return meter;
}

std::vector<std::pair<std::string, std::string>> AttributeRows(const AttrMap& attrs) {
  std::vector<std::pair<std::string, std::string>> rows;
  attrs.ForEach([&](const std::string& name, const std::string& value) {
    if (!value.empty()) rows.emplace_back(name, value);
  });
  return rows;
}

std::string PercentEncode(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(text.size());
  for (unsigned char c : text) {
    const bool bSafe = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == '~';
    if (bSafe) {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0xF];
    }
  }
  return encoded;
}

bool SearchQuery(const AttrMap& attrs, std::string& sQuery) {
  std::string sClsid;
  if (!attrs.Lookup("Clsid", sClsid)) return false;

  std::string sFileName;
  std::string sDllPath;
  if (attrs.Lookup("DLL Path", sDllPath)) {
    BHO::RemoveSpyBotWart(sDllPath);
    sFileName = Generic::GetFileName(sDllPath);
  }

  std::string sProgIdTerms;
  std::string sProgId;
  if (attrs.Lookup("ProgID", sProgId)) {
    sProgId = StripBraces(sProgId);
    for (char& c : sProgId)
      if (c == '.') c = ' ';
    std::list<std::string> words;
    Generic::SplitWords(sProgId, words);
    for (const std::string& word : words)
      if (word.size() > 1 && !Generic::EqualsNoCase(word, "plugin"))
        sProgIdTerms += "+OR+" + PercentEncode(word);
  }

  sQuery = PercentEncode(StripBraces(sClsid)) + "+OR+%22" + PercentEncode(sFileName) + "%22" + sProgIdTerms;
  return true;
}

std::string WebSearchUrl(const std::string& sQuery) {
  return "https://www.google.com/search?q=" + sQuery + "&btnG=Search";
}

std::string GroupsSearchUrl(const std::string& sQuery) {
  return "https://groups.google.com/groups?q=" + sQuery + "&btnG=Google+Search";
}

std::string ShellErrorReason(std::intptr_t nResult) {
  switch (nResult) {
    case 0: return "The operating system is out of memory or resources.";
    case 2: return "The specified file was not found.";
    case 3: return "The specified path was not found.";
    case 5: return "The operating system denied access to the specified file.";
    case 8: return "There was not enough memory to complete the operation.";
    case 11: return "The .exe file is invalid (non-Win32 .exe or error in .exe image).";
    case 26: return "A sharing violation occurred.";
    case 27: return "The file name association is incomplete or invalid.";
    case 28: return "The DDE transaction could not be completed because the request timed out.";
    case 29: return "The DDE transaction failed.";
    case 30:
      return "The DDE transaction could not be completed because other DDE transactions were being "
             "processed.";
    case 31:
      return "There is no application associated with the given file name extension. This error will also be "
             "returned if you attempt to print a file that is not printable.";
    case 32: return "The specified dynamic-link library was not found.";
    default: return std::to_string(static_cast<long long>(nResult)) + " - Unknown.";
  }
}

bool DefaultSaveName(const AttrMap& attrs, std::string& sName) {
  std::string sValue;
  if (attrs.Lookup("DLL Path", sValue)) {
    sName = Generic::GetFileTitle(sValue) + "_TarvolinInfo.txt";
    return true;
  }
  if (attrs.Lookup("Clsid", sValue)) {
    sName = sValue + "_TarvolinInfo.txt";
    return true;
  }
  return false;
}

std::string OneLine(const std::string& sText) {
  std::string sLine;
  bool bBreak = false;
  for (char c : sText) {
    if (c == '\r' || c == '\n') {
      bBreak = true;
      continue;
    }
    if (bBreak && !sLine.empty()) sLine += ' ';
    bBreak = false;
    sLine += c;
  }
  return sLine;
}

std::string RegeditLastKey(const std::string& sClsid) {
  return "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper "
         "Objects\\" +
         sClsid;
}

}  // namespace Details

namespace {

DetailsCore::Sleeper& CurrentSleeper() {
  static DetailsCore::Sleeper sleeper;
  return sleeper;
}

const char kOrphanOffer1[] = "Although this BHO has entries in the Registry, the file itself (";
const char kOrphanOffer2[] =
    ") cannot be found.  Possibly, this is the result of the file getting deleted during an attempt to "
    "remove "
    "the BHO.\n\n"
    "Since they are usually harmless, you can let these 'orphaned' Registry entries remain (in which case "
    "Tarvolin will continue to display this BHO on the main screen), or you can have Tarvolin remove these "
    "'orphaned' Registry entries (in which case Tarvolin will no longer display them).\n\n"
    "IMPORTANT: Please do NOT use Tarvolin as a way to remove BHO's. It is NOT intended for that purpose, "
    "and "
    "doing so can cause other applications to stop functioning.  We recommend 'SpyBot Search & Destroy' or a "
    "similar tool for removing BHOs.";
const char kOrphanSure[] =
    "Are you sure you want to do this?  There is no 'UnDo' for this permanent change to your Registry.  "
    "Unless "
    "you are comfortable with modifying the Registry, we do not recommend you make this change.";
const char kRegeditDanger[] =
    "DANGER!  Do not attempt this unless you are PROFICIENT in using the 'RegEdit' program to examine the "
    "Registry.  It is very easy to irretrievably DESTROY the software configuration of your computer by "
    "making "
    "one mistake.\n\n"
    "Have you read the above and are willing to assume all risk for possible DAMAGE to your PC?";

void ShowLast(unsigned style) { UserMessage::Show(MyLog::Current().GetLastLogText(), style); }

// "Tarvolin.ini" beside the executable.
bool IniPath(HResult& hr, std::string& sPathIni) {
  std::string sAppPath;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  if (Failed(hr)) return false;
  sPathIni = Generic::GetDirectory(sAppPath) + "\\Tarvolin.ini";
  return true;
}

}  // namespace

DetailsCore::DetailsCore(const BHO& bho) : m_bho(bho) {}

DetailsCore::Sleeper DetailsCore::SetSleeper(Sleeper sleeper) {
  Sleeper old = std::move(CurrentSleeper());
  CurrentSleeper() = std::move(sleeper);
  return old;
}

Details::StatusText DetailsCore::StatusText() const {
  HResult hr = kSOk;
  std::string sStatus;
  EC_B(hr, m_bho.m_mapAttrVals.Lookup("Status", sStatus));
  Details::StatusText status = Details::DecideStatusText(sStatus, m_bho.m_mapAttrVals);
  if (!status.bKnownStatus) LOGE("Illegal default status <%s>!\n", sStatus);
  return status;
}

Details::Meter DetailsCore::Meter() const {
  const std::string sStatus = m_bho.m_mapAttrVals.Get("Status");
  Details::Meter meter = Details::DecideMeter(sStatus, m_bho.m_mapAttrVals);
  if (!meter.bSet) LOGE("Illegal default status <%s>!\n", sStatus);
  return meter;
}

Details::Notation DetailsCore::LoadNotation() const {
  HResult hr = kSOk;
  Details::Notation notation;
  std::string sPathIni;
  IniPath(hr, sPathIni);
  std::string sMD5;
  if (!m_bho.m_mapAttrVals.Lookup("MD5 Checksum", sMD5)) {
    notation.bEnabled = false;
    notation.text = "This BHO's file does not exist, so you cannot enter a notation for it.";
    return notation;
  }
  if (Succeeded(hr)) {
    Generic::GetFromIniFile(sPathIni, sMD5, "Notation", "", notation.text, Generic::MAX_NOTATION_LEN_);
    if (notation.text.empty())
      Generic::GetFromIniFile(sPathIni, sMD5, "Comments", "", notation.text, Generic::MAX_NOTATION_LEN_);
  }
  if (notation.text.empty()) notation.text = NOTATION_PROMPT;
  return notation;
}

HResult DetailsCore::SaveNotation(const std::string& sText) const {
  HResult hr = kSOk;
  std::string sPathIni;
  if (!IniPath(hr, sPathIni)) return hr;
  std::string sMD5;
  if (!m_bho.m_mapAttrVals.Lookup("MD5 Checksum", sMD5)) return hr;
  // A private-profile value is one line: a pasted line break would cut the
  // note and turn the rest into lines of the INI file of their own.
  EC_B(hr, PrivateProfile::WriteString(sMD5, "Notation", Details::OneLine(sText), sPathIni));
  if (Failed(hr)) EC_VAR(sPathIni, "%s");
  return hr;
}

bool DetailsCore::OfferOrphanRemoval() const {
  const std::string sDllPath = m_bho.m_mapAttrVals.Get("DLL Path");
  if (Generic::FileExists(sDllPath)) return false;

  MyMessageBox offer(kOrphanOffer1 + sDllPath + kOrphanOffer2, "DetailsDlg", 161, IDS_DELETE_ORPHANS_CAPTION,
                     UserMessage::kIconQuestion | UserMessage::kOkCancel | UserMessage::kDefButton2);
  if (offer.DoModal() != UserMessage::kIdOk) return false;
  if (UserMessage::Show(kOrphanSure, UserMessage::kIconQuestion | UserMessage::kOkCancel |
                                         UserMessage::kDefButton2) != UserMessage::kIdOk)
    return false;

  HResult hr = kSOk;
  WatchSuspension watch(hr);
  EC_H(hr, m_bho.DeleteFromRegistry());
  if (Succeeded(hr)) {
    LOGA("The orphaned Registry entries for this BHO have been removed.");
    ShowLast(UserMessage::kIconInformation);
    // Hooked again only now, so the removal itself raises no alert.
    watch.Restore(hr);
    return true;
  }
  LOGE(
      "The orphaned Registry entries for this BHO were NOT deleted successfully.  Please see the logfile for "
      "more details.\n");
  ShowLast(UserMessage::kIconError);
  watch.Restore(hr);
  return false;
}

HResult DetailsCore::SaveToFile(const std::string& sPath) const {
  LOG_ENTRY("DetailsDlg::OnBnClickedDetailsButtonSave");
  HResult hr = kSOk;
  EC_H(hr, m_bho.SaveToFile(sPath));
  if (Succeeded(hr)) {
    LOGA("Completed saving BHO details to file:\n\n%s", sPath);
  } else {
    LOGE("Error occured - failed to save BHO details to file:\n\n");
  }
  ShowLast(UserMessage::kIconInformation);
  return hr;
}

HResult DetailsCore::BrowseWeb() const {
  LOG_ENTRY("DetailsDlg::OnBnClickedDetailsButtonBrowse");
  WaitCursor wait;
  HResult hr = kSOk;
  std::string sQuery;
  EC_B_TEXT(hr, "m_pBho->m_mapAttrVals.Lookup(\"Clsid\", sClsid)",
            Details::SearchQuery(m_bho.m_mapAttrVals, sQuery));
  if (Failed(hr)) return hr;

  int uiReturn = 0;
  EC_B_TEXT(hr, "31 < (uiReturn = (UINT) MyHyperlink::GotoURL(sCmd, SW_NORMAL))",
            31 < (uiReturn = static_cast<int>(Shell::Navigate(Details::WebSearchUrl(sQuery)))));
  if (Failed(hr)) {
    EC_VAR(uiReturn, "%d");
    return hr;
  }
  if (CurrentSleeper())
    CurrentSleeper()(kSearchPauseMs);
  else
    SystemApi::Sleep(kSearchPauseMs);
  EC_B_TEXT(hr, "31 < (uiReturn = (UINT) MyHyperlink::GotoURL(sCmd, SW_NORMAL))",
            31 < (uiReturn = static_cast<int>(Shell::Navigate(Details::GroupsSearchUrl(sQuery)))));
  if (Failed(hr)) EC_VAR(uiReturn, "%d");
  return hr;
}

HResult DetailsCore::OpenContainingFolder() const {
  LOG_ENTRY("DetailsDlg::OnBnClickedDetailsButtonContaining");
  std::string sDllPath;
  if (!m_bho.m_mapAttrVals.Lookup("DLL Path", sDllPath)) {
    LOGW("This BHO does not have a Registry entry for its CLSID, and so does not specify a file to load.\n");
    ShowLast(UserMessage::kIconExclamation);
    return kEFail;
  }
  Shell::Request request;
  request.verb = "explore";
  request.file = Generic::GetDirectory(sDllPath);
  const std::intptr_t nResult = Shell::Execute(request);
  if (nResult > 32) return kSOk;
  LOGE("Failed to open containing folder for file <%s>.\n\nReason: %s", sDllPath,
       Details::ShellErrorReason(nResult));
  ShowLast(UserMessage::kIconError);
  return kEFail;
}

HResult DetailsCore::ExamineInRegistry() const {
  LOG_ENTRY("DetailsDlg::OnBnClickedDetailsButtonRegistry");
  if (UserMessage::Show(kRegeditDanger, UserMessage::kIconError | UserMessage::kYesNo |
                                            UserMessage::kDefButton2) != UserMessage::kIdYes)
    return kSOk;

  HResult hr = kSOk;
  std::string sClsid;
  EC_B(hr, m_bho.m_mapAttrVals.Lookup("Clsid", sClsid));
  if (Succeeded(hr)) {
    // Created when the registry editor has never run: it reads the key all
    // the same, and would otherwise never open at the BHO.
    MyRegistry reg(Registry::kCurrentUser, Details::kRegeditKey, true);
    EC_B(hr, reg.IsOpen());
    EC_B(hr, reg.SaveValueString("LastKey", Details::RegeditLastKey(sClsid)));
  }
  if (Succeeded(hr)) {
    Shell::Request request;
    request.verb = "open";
    request.file = "regedit.exe";
    request.show = Shell::kShowMaximized;
    EC_B_TEXT(hr, "32 <= (uiReturn = (UINT) ::ShellExecute(...\"regedit.exe\"...))",
              32 <= Shell::Execute(request));
  }
  if (Failed(hr)) {
    LOGE("Failed to examine this BHO (%s) using RegEdit!\n", sClsid);
    ShowLast(UserMessage::kIconError);
  }
  return hr;
}

void DetailsCore::ViewText() const { m_bho.ViewText(); }
