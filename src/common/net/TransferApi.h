// The platform's transfer functions under MyFtp: the URL moniker download
// and WinInet's FTP calls on Windows; small HTTP/1.0 and active-mode FTP
// clients over sockets elsewhere. Failures leave their reason in
// SystemApi::GetLastError() (WinInet numbers where they apply).
#pragma once

#include <string>

#include "common/base/Types.h"

namespace TransferApi {

constexpr DWord FTP_TRANSFER_TYPE_ASCII = 1;
constexpr DWord FTP_TRANSFER_TYPE_BINARY = 2;
constexpr int INTERNET_DEFAULT_FTP_PORT = 21;

// The URL moniker's error codes that the transfer layers produce themselves.
constexpr HResult kMonikerInvalidUrl = static_cast<HResult>(0x800C0002u);
constexpr HResult kMonikerCannotConnect = static_cast<HResult>(0x800C0004u);
constexpr HResult kMonikerResourceNotFound = static_cast<HResult>(0x800C0005u);
constexpr HResult kMonikerDownloadFailure = static_cast<HResult>(0x800C0008u);
constexpr HResult kMonikerAuthenticationRequired = static_cast<HResult>(0x800C0009u);
constexpr HResult kMonikerConnectionTimeout = static_cast<HResult>(0x800C000Bu);
constexpr HResult kMonikerUnknownProtocol = static_cast<HResult>(0x800C000Du);
constexpr HResult kMonikerRedirectFailed = static_cast<HResult>(0x800C0014u);

// The moniker's failure for an HTTP status a server answered with instead
// of the file; S_OK for anything below 400.
HResult MonikerErrorFromHttpStatus(int status);

// An open Internet handle (session or connection); closed when destroyed.
class InternetHandle {
 public:
  InternetHandle() = default;
  explicit InternetHandle(void* handle) : m_handle(handle) {}
  ~InternetHandle() { Close(); }
  InternetHandle(InternetHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
  InternetHandle& operator=(InternetHandle&& other) noexcept;
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;

  // True when there was nothing to close or the close succeeded.
  bool Close();
  void* Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }

 private:
  void* m_handle = nullptr;
};

// Downloads `url` to `localPath`, overwriting it; the moniker's HRESULT.
HResult UrlDownloadToFile(const std::string& url, const std::string& localPath);

// The system's temporary folder (with a trailing back-slash) and a new
// unique empty file in it whose name starts with `prefix`.
bool GetTempPath(std::string& tempDir);
bool GetTempFileName(const std::string& dir, const std::string& prefix, std::string& path);

InternetHandle InternetOpen(const std::string& agent);
// FTP connection in active mode.
InternetHandle InternetConnect(const InternetHandle& session, const std::string& server, int port,
                               const std::string& userName, const std::string& password);
bool FtpSetCurrentDirectory(const InternetHandle& connection, const std::string& directory);
bool FtpPutFile(const InternetHandle& connection, const std::string& localPath, const std::string& remoteName,
                DWord transferType);
bool InternetCloseHandle(void* handle);

}  // namespace TransferApi
