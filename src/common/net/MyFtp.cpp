#include "common/net/MyFtp.h"

#include <cstdio>
#include <cstdlib>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
#include "common/files/FileSystem.h"
#include "common/files/GenericFiles.h"
#include "common/files/StdioFile.h"
#include "common/net/GenericInternetErrors.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/WaitCursor.h"

namespace {

void ShowProgress(ProgressWindow* pProgress, const char* title, const std::string& subject) {
  if (pProgress) pProgress->SetMessage(std::string(title) + "\r\n\r\n" + subject);
}

}  // namespace

MyFtp::MyFtp() = default;

MyFtp::~MyFtp() {
  HResult hr = kSOk;
  EC_H(hr, _Deinitialize());
}

const char* MyFtp::GetMonikerErrorName(HResult hr) {
  switch (static_cast<std::uint32_t>(hr)) {
    case 0x80004004u: return "Aborted";
    case 0x800C0001u: return "DestFileExists";
    case 0x800C0002u: return "InvalidUrl";
    case 0x800C0003u: return "NoSession";
    case 0x800C0004u: return "CannotConnect";
    case 0x800C0005u: return "ResourceNotFound";
    case 0x800C0006u: return "ObjectNotFound";
    case 0x800C0007u: return "DataNotAvailable";
    case 0x800C0008u: return "DownloadFailure";
    case 0x800C0009u: return "AuthenticationRequired";
    case 0x800C000Au: return "NoValidMedia";
    case 0x800C000Bu: return "ConnectionTimeout";
    case 0x800C000Cu: return "InvalidRequest";
    case 0x800C000Du: return "UnknownProtocol";
    case 0x800C000Eu: return "SecurityProblem";
    case 0x800C000Fu: return "CannotLoadData";
    case 0x800C0010u: return "CannotInstantiateObject";
    case 0x800C0014u: return "RedirectFailed";
    case 0x800C0015u: return "RedirectToDir";
    case 0x800C0016u: return "CannotLockRequest";
    default: return "Unknown";
  }
}

HResult MyFtp::_Download(const std::string& sRemoteUrl, const std::string& sLocalPathname) {
  const HResult hr = TransferApi::UrlDownloadToFile(sRemoteUrl, sLocalPathname);
  if (Failed(hr)) {
    EC_VAR(sRemoteUrl, "%s");
    EC_VAR(sLocalPathname, "%s");
    LOGE("::URLDownloadToFile failure code <%x>: <%s>.\n", hr, GetMonikerErrorName(hr));
  }
  return hr;
}

HResult MyFtp::URLDownloadToFile(const std::string& sRemoteUrl, const std::string& sLocalPathname,
                                 ProgressWindow* pProgress) {
  LOG_ENTRY("MyFtp::URLDownloadToFileA");
  WaitCursor wait;
  ShowProgress(pProgress, "Downloading:", sLocalPathname);
  return _Download(sRemoteUrl, sLocalPathname);
}

HResult MyFtp::DownloadFile(const std::string& sRemoteUrl, const std::string& sLocalPathname,
                            ProgressWindow* pProgress, bool bCompareSizes) {
  LOG_ENTRY("MyFtp::DownloadFile");
  WaitCursor wait;
  HResult hr = kSOk;
  DWord dwLocalSize = 0;
  std::int64_t nRemoteSize = 0;
  bool bSizesKnown = true;

  if (bCompareSizes && Generic::FileExists(sLocalPathname)) {
    ShowProgress(pProgress, "Comparing file sizes for download:", sLocalPathname);
    EC_H(hr, _GetRemoteFileSize(sRemoteUrl, nRemoteSize, nullptr));
    if (Succeeded(hr) && nRemoteSize > 0) {
      EC_B(hr, Generic::GetFileSize(sLocalPathname, dwLocalSize));
      if (Succeeded(hr) && dwLocalSize != 0 && dwLocalSize == nRemoteSize) {
        LOGA("Skipping download as <%s> and <%s> have the same size: <%d> bytes.\n", sRemoteUrl,
             sLocalPathname, dwLocalSize);
        return kSOk;
      }
    }
    if (Failed(hr)) {
      LOGA("Something failed trying to find the MD5s, so the download is required.\n");
      bSizesKnown = false;
    }
  }

  if (bSizesKnown) {
    if (nRemoteSize == dwLocalSize) {
      LOGA("Doing download as <%s> doesn't exist.\n", sLocalPathname);
    } else {
      LOGA("Doing download as <%s> and <%s> have different sizes: <%d> bytes and <%d> bytes.\n", sRemoteUrl,
           sLocalPathname, nRemoteSize, dwLocalSize);
    }
  }

  ShowProgress(pProgress, "Downloading:", sLocalPathname);
  // The moniker moves the file in one call: the bar shows its start and end
  // when the server announced the size.
  const auto total = static_cast<std::uint64_t>(nRemoteSize > 0 ? nRemoteSize : 0);
  if (pProgress && total) pProgress->SetProgress(0, total);
  hr = _Download(sRemoteUrl, sLocalPathname);
  if (pProgress && total && Succeeded(hr)) pProgress->SetProgress(total, total);
  return hr;
}

HResult MyFtp::_GetRemoteFileSize(const std::string& sRemoteUrl, std::int64_t& nSize,
                                  ProgressWindow* pProgress) {
  LOG_ENTRY("MyFtp::_GetRemoteFileSize");
  WaitCursor wait;
  nSize = 0;
  ShowProgress(pProgress, "Getting remote file size for download:", sRemoteUrl);

  HResult hr = kSOk;
  std::string sTempDir;
  std::string sLocalSizeFilePathname;
  EC_B_TEXT(hr, "0 != ::GetTempPath(MAX_PATH, sTempDir.GetBuffer(MAX_PATH + 1))",
            TransferApi::GetTempPath(sTempDir));
  EC_B(hr, Generic::IsDirectory(sTempDir));
  if (Failed(hr)) return hr;
  EC_B(hr, TransferApi::GetTempFileName(sTempDir, "BHO", sLocalSizeFilePathname));
  // Without a name of its own the download below fails, which only means the
  // size is unknown.
  hr = kSOk;

  if (Failed(URLDownloadToFile(sRemoteUrl + ".size", sLocalSizeFilePathname, nullptr))) {
    LOGT("Failed getting remote file size... returning S_OK.\n");
    FileSystem::DeleteFile(sLocalSizeFilePathname);
    return kSOk;
  }

  StdioFile fil;
  std::string sLine;
  EC_B_TEXT(hr, "fil.Open(sLocalSizeFilePathname, CFile::modeRead)", fil.Open(sLocalSizeFilePathname, "r"));
  if (Failed(hr)) EC_VAR(sLocalSizeFilePathname, "%s");
  EC_B(hr, fil.ReadString(sLine));
  fil.Close();
  // The companion has served its purpose; temporary files are not left behind.
  FileSystem::DeleteFile(sLocalSizeFilePathname);
  if (Succeeded(hr)) nSize = std::strtoll(Generic::Trim(sLine).c_str(), nullptr, 10);
  return hr;
}

HResult MyFtp::Initialize(const MyFtpData& data) {
  LOG_ENTRY("MyFtp::Initialize");
  WaitCursor wait;
  m_sAgent = data.sAgent;
  m_sServer = data.sServer;
  m_sUserName = data.sUserName;
  m_sPassword = data.sPassword;
  m_nPort = data.nPort;

  HResult hr = kSOk;
  m_hSession = TransferApi::InternetOpen(m_sAgent);
  EC_B(hr, m_hSession);
  if (Failed(hr)) {
    LOGE("::InternetOpen() failed with error <%d>.\n", SystemApi::GetLastError());
    EC_B(hr, m_hConnection);
    return hr;
  }
  LOGD("::InternetOpen() succeeded.\n");

  m_hConnection = TransferApi::InternetConnect(m_hSession, m_sServer, m_nPort, m_sUserName, m_sPassword);
  EC_B(hr, m_hConnection);
  if (Failed(hr)) {
    const DWord dwError = SystemApi::GetLastError();
    LOGE("::InternetConnect() failed!  Error <%d>: <%s>\n", dwError, Generic::GetInternetErrorText(dwError));
  } else {
    LOGD("::InternetConnect() succeeded.\n");
  }
  return hr;
}

HResult MyFtp::UploadFile(const std::string& sRemoteDir, const std::string& sLocalPathname,
                          DWord dwTransferType, ProgressWindow* pProgress) {
  LOG_ENTRY("MyFtp::UploadFile");
  WaitCursor wait;
  HResult hr = kSOk;
  EC_B(hr, m_hConnection);
  EC_H(hr, _SetRemoteDirectory(sRemoteDir));
  if (Failed(hr)) return hr;

  ShowProgress(pProgress, "Uploading:", sLocalPathname);
  LOGA("Uploading <%s>.\n", sLocalPathname);
  // One call moves the whole file: the bar shows its start and end.
  DWord dwSize = 0;
  const bool bSizeKnown = pProgress && Generic::FileExists(sLocalPathname) &&
                          Generic::GetFileSize(sLocalPathname, dwSize) && dwSize > 0;
  if (bSizeKnown) pProgress->SetProgress(0, dwSize);
  if (TransferApi::FtpPutFile(m_hConnection, sLocalPathname, Generic::GetFileName(sLocalPathname),
                              dwTransferType)) {
    if (bSizeKnown) pProgress->SetProgress(dwSize, dwSize);
    LOGA("Successfully uploaded file <%s>.\n", sLocalPathname);
  } else {
    hr = kEFail;
    const DWord dwError = SystemApi::GetLastError();
    LOGE("::FtpPutFile() failed for file <%s>!  Error <%d>: <%s>\n", sLocalPathname, dwError,
         Generic::GetInternetErrorText(dwError));
  }
  return hr;
}

HResult MyFtp::_SetRemoteDirectory(const std::string& sRemoteDir) {
  LOG_ENTRY("MyFtp::_SetRemoteDirectory");
  if (sRemoteDir.empty()) {
    LOGA("Empty remote folder ignored.\n");
    return kSOk;
  }
  if (!TransferApi::FtpSetCurrentDirectory(m_hConnection, sRemoteDir)) {
    const DWord dwError = SystemApi::GetLastError();
    LOGE("::FtpSetCurrentDirectory() failed for folder <%s>!  Error <%d>: <%s>\n", sRemoteDir, dwError,
         Generic::GetInternetErrorText(dwError));
    return kEFail;
  }
  LOGD("::FtpSetCurrentDirectory() to <%s> succeeded.\n", sRemoteDir);
  return kSOk;
}

HResult MyFtp::_Deinitialize() {
  WaitCursor wait;
  HResult hr = kSOk;
  if (m_hConnection) {
    HResult hrClose = kSOk;
    EC_B_TEXT(hrClose, "::InternetCloseHandle(m_hConnection)", m_hConnection.Close());
    if (Failed(hrClose)) hr = hrClose;
  }
  // The session is closed even when the connection would not close.
  if (m_hSession) {
    HResult hrClose = kSOk;
    EC_B_TEXT(hrClose, "::InternetCloseHandle(m_hSession)", m_hSession.Close());
    if (Failed(hrClose)) hr = hrClose;
  }
  return hr;
}
