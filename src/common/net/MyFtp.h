// HTTP downloads (optionally skipped when the server announces the size the
// local file already has) and FTP uploads.
#pragma once

#include <cstdint>
#include <string>

#include "common/base/Types.h"
#include "common/net/TransferApi.h"

class ProgressWindow;

struct MyFtpData {
  std::string sAgent;
  std::string sServer;
  std::string sUserName;
  std::string sPassword;
  // The server's FTP port; only tests talking to a local server change it.
  int nPort = TransferApi::INTERNET_DEFAULT_FTP_PORT;
};

class MyFtp {
 public:
  MyFtp();
  virtual ~MyFtp();
  MyFtp(const MyFtp&) = delete;
  MyFtp& operator=(const MyFtp&) = delete;

  static HResult URLDownloadToFile(const std::string& sRemoteUrl, const std::string& sLocalPathname,
                                   ProgressWindow* pProgress);
  HResult DownloadFile(const std::string& sRemoteUrl, const std::string& sLocalPathname,
                       ProgressWindow* pProgress, bool bCompareSizes);
  HResult _GetRemoteFileSize(const std::string& sRemoteUrl, std::int64_t& nSize, ProgressWindow* pProgress);

  HResult Initialize(const MyFtpData& data);
  HResult UploadFile(const std::string& sRemoteDir, const std::string& sLocalPathname, DWord dwTransferType,
                     ProgressWindow* pProgress);

  // The moniker error's name ("ResourceNotFound"), or "Unknown".
  static const char* GetMonikerErrorName(HResult hr);

 private:
  HResult _SetRemoteDirectory(const std::string& sRemoteDir);
  HResult _Deinitialize();
  // The download itself, shared by both download calls: no retry; a failure
  // logs the URL, the path and the moniker error's name.
  static HResult _Download(const std::string& sRemoteUrl, const std::string& sLocalPathname);

  std::string m_sAgent;
  std::string m_sServer;
  std::string m_sUserName;
  std::string m_sPassword;
  int m_nPort = TransferApi::INTERNET_DEFAULT_FTP_PORT;
  TransferApi::InternetHandle m_hSession;
  TransferApi::InternetHandle m_hConnection;
};
