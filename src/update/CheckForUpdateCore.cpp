#include "update/CheckForUpdateCore.h"

#include <cstdint>
#include <memory>

#include "app/Tarvolin.h"
#include "common/base/DateText.h"
#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/fileinfo/MyFileVersion.h"
#include "common/net/MakerServers.h"
#include "common/net/MyFtp.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "lists/IBHOList.h"
#include "res/CheckForUpdateDlgRes.h"
#include "update/UpdateCheck.h"

namespace {

// The call sites of the two boxes the user may silence.
constexpr const char* kSource = "CheckForUpdateDlg";
constexpr int kConfirmLine = 176;
constexpr int kNoNewVersionLine = 347;

// The community HTML list's site, as the user knows it.
constexpr const char* kHtmlListSite = "CastleCops";

const char kCouldNotDownloadPud[] =
    "Tarvolin could not download the 'Programmatic Update' file.  There are many possible causes for "
    "this:\n\no  Be sure that you actually have a good internet connection.\n\no  Your firewall may be "
    "blocking Tarvolin from connecting.  Please check your firewall settings.\n\no  Tarvolin does not "
    "currently work from behind a proxy server.\n\no  You might be using a download 'helper' program that is "
    "interfering.\n\no  The website might be down, or the file may be temporarily unavailable.  Try again "
    "later.";

const char kPudFormatError[] =
    "An error has been encountered in the format of the 'Programmatic Update file.  Please try again "
    "later.\n\nTo manually check for a new version of this program, you can visit our website using the "
    "'About Tarvolin' button in the 'Settings' dialog box.\n\n";

const char kBrowserError[] =
    "An error was encountered trying to view a file in your default web browser (for example, Internet "
    "Explorer or Netscape).\n\nTo manually check for a new version of this program, you can visit our "
    "website using the 'About' menu item.\n\n";

const char kNoNewVersion[] = "No new version of this program yet.  Please try again later.\n";

std::string Announcement() {
  return std::string(
             "Tarvolin is about to:\n\n    o Check to see if there is a new version of the program.\n\n    o "
             "Download the latest ") +
         kHtmlListSite +
         " 'BHO List'.\n\n    o Download the latest Kestrove 'BHO List'.\n\nThis should only take a few "
         "seconds.\n";
}

void ShowLogged(unsigned style) { UserMessage::Show(MyLog::Current().GetLastLogText(), style); }

CheckForUpdateCore::Clock& CurrentClock() {
  static CheckForUpdateCore::Clock clock;
  return clock;
}

}  // namespace

CheckForUpdateCore::Clock CheckForUpdateCore::SetClock(Clock clock) {
  Clock old = std::move(CurrentClock());
  CurrentClock() = std::move(clock);
  return old;
}

double CheckForUpdateCore::Now() { return CurrentClock() ? CurrentClock()() : DateText::Now(); }

HResult CheckForUpdateCore::OnButtonCheckforupdate() {
  LOG_ENTRY("CheckForUpdateDlg::OnButtonCheckforupdate");
  WaitCursor wait;
  HResult hr = kSOk;

  LOGA("%s", Announcement());
  bool bGoAhead = true;
  if (!m_bScheduled) {
    MyMessageBox box(MyLog::Current().GetLastLogText(), kSource, kConfirmLine, IDS_WANT_TO_CHECK_CAPTION,
                     UserMessage::kOkCancel | UserMessage::kIconQuestion | UserMessage::kDefButton2);
    bGoAhead = box.DoModal() == UserMessage::kIdOk;
  }

  if (bGoAhead) {
    // The three parts of the check; each goes ahead whatever became of the
    // one before, except that the maker's list, when it cannot be had, ends
    // the check without a summary.
    int nSuccesses = 0;
    if (CheckProgramVersion()) ++nSuccesses;
    if (RefreshHtmlList()) ++nSuccesses;
    if (RefreshMakersList()) {
      ++nSuccesses;
      Summarise(nSuccesses);
    } else {
      hr = kEFail;
    }
  }

  if (HasWindow()) OnOK();
  return hr;
}

bool CheckForUpdateCore::CheckProgramVersion() {
  HResult hr = kSOk;
  const std::unique_ptr<ProgressWindow> pdlgModeless = ProgressWindow::Create();
  pdlgModeless->SetMessage("Checking the Kestrove website for a newer version of Tarvolin... please wait...");

  std::string sAppPath;
  EC_B_TEXT(hr, "0 < ::GetModuleFileName(NULL, sAppDir.GetBuffer(MAX_PATH), MAX_PATH - 1)",
            !(sAppPath = SystemApi::GetModuleFileName()).empty());
  if (Failed(hr)) return false;
  const std::string sPUDUrl = MakerServers::FilesUrl() + UpdateCheck::kPudFileName;
  const std::string sPUDPath = Generic::GetDirectory(sAppPath) + "\\" + UpdateCheck::kPudLocalName;

  MyFtp mftp;
  EC_H(hr, mftp.DownloadFile(sPUDUrl, sPUDPath, pdlgModeless.get(), true));
  if (Failed(hr)) {
    EC_VAR(sPUDUrl, "%s");
    EC_VAR(sPUDPath, "%s");
    LOGE("%s", kCouldNotDownloadPud);
    ShowLogged(UserMessage::kIconError);
    return false;
  }

  std::string sBuffer;
  bool bMarkerFound = false;
  UpdateCheck::ReadMarkerLine(sPUDPath, hr, sBuffer, bMarkerFound);
  std::string sPUDVersion;
  if (!UpdateCheck::PublishedVersion(bMarkerFound, sBuffer, sPUDVersion)) {
    const DWord dwError = SystemApi::GetLastError();
    LOGE("Error in PUD file first-line format for <%s>: <%d> - <%s>\n", sPUDPath, dwError,
         Generic::GetErrorText(dwError));
    const std::string sError = MyLog::Current().GetLastLogText();
    if (Failed(hr)) EC_VAR(sBuffer, "%s");
    UserMessage::Show(kPudFormatError + sError, UserMessage::kIconError);
    return false;
  }

  if (!sPUDVersion.empty()) {
    MyRegistry regLatest(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    HResult hrLatest = kSOk;
    EC_B(hrLatest, regLatest.SaveValueString("LatestKnownVersion", sPUDVersion));
  }

  // The program's own version; none when its file carries no version.
  std::string sOwnVersion;
  {
    HResult hrVersion = kSOk;
    MyFileVersion mfv;
    bool bHasVersionInfo = false;
    EC_H(hrVersion, mfv.Open(sAppPath, bHasVersionInfo));
    if (Succeeded(hrVersion) && bHasVersionInfo) sOwnVersion = mfv.GetFileVersion();
  }

  if (UpdateCheck::IsNewer(sPUDVersion, sOwnVersion)) {
    // The page is opened at its web address: a browser grants a page on the
    // local disk more than one from the web, and the copy beside the
    // executable is only what the network delivered.
    const std::intptr_t nResult = Shell::Navigate(sPUDUrl);
    if (nResult > 32) {
      LOGT("Successfully opened file <%s>.\n", sPUDUrl);
    } else {
      LOGE("Error in ::ShellExecute() opening <%s>: <%d> - <%s>", sPUDUrl, static_cast<int>(nResult),
           Generic::GetErrorText(static_cast<DWord>(nResult)));
      UserMessage::Show(kBrowserError + MyLog::Current().GetLastLogText(), UserMessage::kIconError);
    }
    LOGA("%s", UpdateCheck::NewVersionText(sPUDVersion, sOwnVersion));
    ShowLogged(UserMessage::kIconInformation);
  } else {
    LOGA("%s", kNoNewVersion);
    if (!m_bScheduled) {
      MyMessageBox box(MyLog::Current().GetLastLogText(), kSource, kNoNewVersionLine,
                       IDS_NO_NEW_VERSION_CAPTION, UserMessage::kOk);
      box.DoModal();
    }
  }
  return true;
}

bool CheckForUpdateCore::RefreshHtmlList() {
  HResult hr = kSOk;
  EC_B(hr, CTarvolinApp::m_pBHOListCops);
  EC_H(hr, CTarvolinApp::m_pBHOListCops->DownloadBHOList(
               std::string("Downloading the current ") + kHtmlListSite + " 'BHO List' ... please wait...",
               false));
  return Succeeded(hr);
}

bool CheckForUpdateCore::RefreshMakersList() {
  if (m_nUnknownBHOs <= 0) {
    LOGA(
        "No need to download the Kestrove 'BHO List' file, as there are no 'Unknown' or 'Investigating' BHOs "
        "in the grid.\n");
    return true;
  }
  HResult hr = kSOk;
  EC_B(hr, CTarvolinApp::m_pBHOListKST);
  EC_H(hr, CTarvolinApp::m_pBHOListKST->DownloadBHOList(
               "Downloading the current Kestrove 'BHO List' ... please wait...", true));
  return Succeeded(hr);
}

void CheckForUpdateCore::Summarise(int nSuccesses) {
  HResult hr = kSOk;
  const std::string sTimestampNew =
      CTarvolinApp::m_pBHOListKST ? CTarvolinApp::m_pBHOListKST->GetBHOListTimestamp() : std::string();
  std::string sTimestampOld;
  MyRegistry regTimestampOld(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  EC_B(hr, regTimestampOld.IsOpen());
  if (Succeeded(hr)) regTimestampOld.ReadValueString("TarvolinListTimestamp", sTimestampOld);
  const UpdateCheck::Summary summary = UpdateCheck::Summarise(nSuccesses, sTimestampOld, sTimestampNew);

  // Only a complete check puts off the next scheduled one.
  if (summary.bSucceeded) {
    HResult hrStamp = kSOk;
    MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    EC_B(hrStamp, reg.IsOpen());
    EC_B_TEXT(hrStamp,
              "reg.SaveValueString(\"LastCheckForUpdate\", odtCurrent.Format( 0L, LANG_USER_DEFAULT))",
              reg.SaveValueString("LastCheckForUpdate", DateText::FormatDateTime(Now())));
  }
  // Written even when empty: the next check compares with this list.
  EC_B(hr, regTimestampOld.SaveValueString("TarvolinListTimestamp", sTimestampNew));

  LOGA("%s\n", summary.sText);
  const std::string sShown = MyLog::Current().GetLastLogText();
  if (!m_bScheduled) UserMessage::Show(sShown, summary.uiIcon);
}

bool CheckForUpdateCore::ScheduledCheck() {
  LOG_ENTRY("CheckForUpdateDlg::ScheduledCheck");
  WaitCursor wait;
  m_bScheduled = true;
  HResult hr = kSOk;

  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  EC_B(hr, reg.IsOpen());
  if (Succeeded(hr)) reg.ReadValueInt(UpdateCheck::kFrequencyValue, m_nRadio);

  double dDays = 0;
  UpdateCheck::LastCheck last = UpdateCheck::LastCheck::kNever;
  std::string sDateCheck;
  if (Failed(hr) || !reg.ReadValueString(UpdateCheck::kLastCheckValue, sDateCheck)) {
    LOGD("There has never been an update check, so we don't do one now.\n");
  } else {
    HResult hrParse = kSOk;
    double dSince = 0;
    EC_B_TEXT(hrParse, "timSince.ParseDateTime(sDateCheck)", DateText::ParseDateTime(sDateCheck, dSince));
    if (Succeeded(hrParse)) {
      last = UpdateCheck::LastCheck::kKnown;
      const double dNow = Now();
      dDays = dNow - dSince;
      LOGD("Currently <%s>. Last update check was on <%s>. Timespan is <%g> days.\n",
           DateText::FormatDateTime(dNow), sDateCheck, dDays);
    } else {
      // Another locale or another date format wrote it: waiting for it to
      // make sense again would stop the automatic check for good.
      last = UpdateCheck::LastCheck::kUnreadable;
      LOGW(
          "The date of the last update check <%s> cannot be read in the user's date format, so a check is "
          "due.\n",
          sDateCheck);
    }
  }

  const bool bCheckNow = UpdateCheck::IsDue(m_nRadio, last, dDays);
  LOGD("m_nRadio is <%d>, bCheckNow is <%d>.\n", m_nRadio, bCheckNow ? 1 : 0);
  if (bCheckNow) {
    HResult hrCheck = kSOk;
    EC_H(hrCheck, OnButtonCheckforupdate());
  }
  return bCheckNow;
}

void CheckForUpdateCore::ReadFrequency() {
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  if (reg.IsOpen()) reg.ReadValueInt(UpdateCheck::kFrequencyValue, m_nRadio);
}

HResult CheckForUpdateCore::SaveFrequency() {
  HResult hr = kSOk;
  m_nRadio = UpdateCheck::FrequencyToSave(m_nRadio);
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  EC_B(hr, reg.IsOpen());
  EC_B(hr, reg.SaveValueInt(UpdateCheck::kFrequencyValue, m_nRadio));
  return hr;
}
