#include "update/Reporter.h"

#include <cstdio>
#include <cstdlib>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/files/GenericFiles.h"
#include "common/files/GenericIni.h"
#include "common/net/MakerServers.h"
#include "common/net/TransferApi.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "model/Bho.h"

namespace Reporter {
namespace {

// The step's text as the log has always named it.
constexpr const char* kModuleFileNameStep =
    "0 < ::GetModuleFileName(NULL, sAppPath.GetBuffer(MAX_PATH), MAX_PATH - 1)";

// "IsReported" holds "Yes" or "No"; anything longer is not "Yes" either.
constexpr int kIsReportedLength = 64;

// A report's name beside the executable. The C library's generator is
// reseeded from the clock in seconds by every registry object, so two
// reports in the same second may draw the same number: a name already taken
// is drawn again rather than overwritten.
std::string NewReportPath(const std::string& sDir) {
  std::string sPath;
  for (int nTry = 0; nTry < 1000; ++nTry) {
    sPath = sDir + "\\" + ReportFileName(SystemApi::GetLocalTime(), std::rand());
    if (!Generic::FileExists(sPath)) break;
  }
  return sPath;
}

std::string UserProfileFolder() {
  std::string sProfile;
  if (!SystemApi::GetEnvironmentVariable("USERPROFILE", sProfile)) sProfile.clear();
  return sProfile;
}

}  // namespace

bool NeedsReporting(const std::string& sMD5, const std::string& sIsReported) {
  return !sMD5.empty() && !Generic::EqualsNoCase(sIsReported, "Yes");
}

std::string ReportFileName(const SystemApi::LocalTime& time, int nRandom) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d%02d_%d", time.year, time.month, time.day,
                time.hour, time.minute, time.second, nRandom);
  return std::string(kReportPrefix) + stamp + ".txt";
}

MyFtpData UploadAccount() {
  MyFtpData mftpd;
  mftpd.sAgent = kUploadAgent;
  mftpd.sServer = MakerServers::FtpServer();
  mftpd.sUserName = kUploadUserName;
  mftpd.sPassword = kUploadPassword;
  mftpd.nPort = MakerServers::FtpPort();
  return mftpd;
}

std::string HideProfileFolder(const std::string& sText, const std::string& sProfileFolder) {
  std::string sProfile = sProfileFolder;
  while (!sProfile.empty() && sProfile.back() == '\\') sProfile.pop_back();
  // Nothing, or a drive's root ("C:"), under which every path would lie.
  if (sProfile.find('\\') == std::string::npos) return sText;

  std::size_t nStart = 0;
  const bool bQuoted = !sText.empty() && sText[0] == '"';
  if (bQuoted) nStart = 1;
  if (sText.compare(nStart, 4, "\\\\?\\") == 0) nStart += 4;
  if (sText.size() < nStart + sProfile.size()) return sText;
  if (!Generic::EqualsNoCase(sText.substr(nStart, sProfile.size()), sProfile)) return sText;

  // Only the whole folder: "C:\Users\bob" is not a part of "C:\Users\bobby".
  const std::size_t nEnd = nStart + sProfile.size();
  const bool bWholeFolder = nEnd == sText.size() || sText[nEnd] == '\\' || (bQuoted && sText[nEnd] == '"');
  if (!bWholeFolder) return sText;
  return sText.substr(0, nStart) + kProfilePlaceholder + sText.substr(nEnd);
}

bool HasBHOBeenReported(const BHO* pBHO) {
  LOG_ENTRY("Reporter::HasBHOBeenReported");
  WaitCursor wait;
  HResult hr = kSOk;

  std::string sAppPath;
  EC_B_TEXT(hr, kModuleFileNameStep, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  const std::string sPathIni = Generic::GetDirectory(sAppPath) + "\\Tarvolin.ini";

  // An empty checksum reads as none, as every empty attribute does.
  const std::string sMD5 = pBHO->m_mapAttrVals.Get("MD5 Checksum");
  if (sMD5.empty()) {
    LOGT(
        "This BHO does not have an MD5 value stored, so it cannot have been reported.  We pretend it has "
        "been, "
        "to avoid asking about it forever.\n");
    return true;
  }

  std::string sIsReported = "No";
  EC_B_TEXT(hr, "Generic::GetFromIniFile(sPathIni, sMD5, \"IsReported\", \"No\", sIsReported)",
            Generic::GetFromIniFile(sPathIni, sMD5, "IsReported", "No", sIsReported, kIsReportedLength));
  return !NeedsReporting(sMD5, sIsReported);
}

HResult UploadBHOReport(const BHO* pBHO, ProgressWindow* pdlgModeless, bool& bFileUploadedSuccessfully) {
  LOG_ENTRY("Reporter::UploadBHOReport");
  WaitCursor wait;
  HResult hr = kSOk;
  bFileUploadedSuccessfully = false;

  if (pBHO->m_mapAttrVals.Get("MD5 Checksum").empty()) {
    LOGW(
        "BHO <%s> does not have an MD5 value (probably its housing file does not exist).  We must pretend to "
        "have uploaded it, to avoid asking about it forever.\n",
        pBHO->GetName());
    bFileUploadedSuccessfully = true;
    EC_H(hr, pBHO->SetReportedFlag(true));
    return hr;
  }

  std::string sAppPath;
  EC_B_TEXT(hr, kModuleFileNameStep, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  const std::string sLocalPathForDownloaded = NewReportPath(Generic::GetDirectory(sAppPath));

  // The user's own copies (the Save button, the output mode) keep the real
  // paths; the one that leaves the machine does not name the user.
  const std::string sProfile = UserProfileFolder();
  EC_H_TEXT(hr, "pBHO->SaveToFile(sLocalPathForDownloaded)",
            pBHO->SaveToFile(sLocalPathForDownloaded, [&sProfile](const std::string& sText) {
              return HideProfileFolder(sText, sProfile);
            }));

  // Its own connection, closed when it goes at the end of this report.
  MyFtp mftp;
  const MyFtpData mftpd = UploadAccount();
  EC_H(hr, mftp.Initialize(mftpd));
  EC_H_TEXT(hr, "mftp.UploadFile( \"\", sLocalPathForDownloaded, FTP_TRANSFER_TYPE_ASCII, pdlgModeless)",
            mftp.UploadFile("", sLocalPathForDownloaded, TransferApi::FTP_TRANSFER_TYPE_ASCII, pdlgModeless));

  if (Failed(hr)) {
    LOGE("Failed to upload BHO <%s>.  Please try again later.\n", pBHO->GetName());
    UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError);
    return hr;
  }
  bFileUploadedSuccessfully = true;
  LOGA("Successfully reported BHO <%s>.\n", pBHO->GetName());
  EC_H(hr, pBHO->SetReportedFlag(true));
  return hr;
}

}  // namespace Reporter
