// clang-format off
// First: wininet.h defines some of this header's constant names as macros.
#include "common/net/TransferApi.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>
// clang-format on

// The headers' A/W macros of these names would rename the definitions below.
#undef GetTempPath
#undef GetTempFileName
#undef InternetOpen
#undef InternetConnect
#undef FtpSetCurrentDirectory
#undef FtpPutFile

namespace TransferApi {
namespace {

// Hears the HTTP status of a download. The moniker normally fails a download
// that the server answers with an error; some implementations (Wine's)
// report success and leave the server's error page in the file instead. The
// status heard here makes both give the same result.
class HttpStatusListener : public IBindStatusCallback, public IHttpNegotiate {
 public:
  HttpStatusListener() = default;
  virtual ~HttpStatusListener() = default;
  HttpStatusListener(const HttpStatusListener&) = delete;
  HttpStatusListener& operator=(const HttpStatusListener&) = delete;

  DWORD Status() const { return m_dwStatus; }

  // IUnknown. The object lives on the caller's stack for the length of the
  // synchronous download, so the count is only kept for form.
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
      *ppv = static_cast<IBindStatusCallback*>(this);
    } else if (IsEqualIID(riid, IID_IHttpNegotiate)) {
      *ppv = static_cast<IHttpNegotiate*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_nRef)); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(::InterlockedDecrement(&m_nRef)); }

  // IBindStatusCallback: the download's own behaviour is left alone.
  STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return S_OK; }
  STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
  STDMETHODIMP OnLowResource(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
  STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
  STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
  STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
  STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

  // IHttpNegotiate
  STDMETHODIMP BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* additionalHeaders) override {
    if (additionalHeaders) *additionalHeaders = nullptr;
    return S_OK;
  }
  STDMETHODIMP OnResponse(DWORD dwResponseCode, LPCWSTR, LPCWSTR, LPWSTR* additionalHeaders) override {
    if (additionalHeaders) *additionalHeaders = nullptr;
    m_dwStatus = dwResponseCode;
    return S_OK;
  }

 private:
  LONG m_nRef = 1;
  DWORD m_dwStatus = 0;
};

}  // namespace

HResult UrlDownloadToFile(const std::string& url, const std::string& localPath) {
  // The moniker answers from the Internet cache when it holds the URL, and a
  // list or size file republished on the server would never be seen: drop
  // the cached copy first so the server is always asked. Nothing cached is
  // not an error here.
  ::DeleteUrlCacheEntryA(url.c_str());
  // The file is fetched beside its destination and put in place only when
  // the server sent it: a refused download (an error page, for Wine's
  // moniker) must not replace a list that was there before, nor become one.
  const std::string partPath = localPath + ".download";
  HttpStatusListener listener;
  HResult hr =
      static_cast<HResult>(::URLDownloadToFileA(nullptr, url.c_str(), partPath.c_str(), 0, &listener));
  if (Succeeded(hr)) hr = MonikerErrorFromHttpStatus(static_cast<int>(listener.Status()));
  if (Succeeded(hr) && !::MoveFileExA(partPath.c_str(), localPath.c_str(), MOVEFILE_REPLACE_EXISTING))
    hr = HRESULT_FROM_WIN32(::GetLastError());
  if (Failed(hr)) ::DeleteFileA(partPath.c_str());
  return hr;
}

bool GetTempPath(std::string& tempDir) {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathA(MAX_PATH, buffer);
  if (length == 0 || length > MAX_PATH) return false;
  tempDir.assign(buffer, length);
  return true;
}

bool GetTempFileName(const std::string& dir, const std::string& prefix, std::string& path) {
  char buffer[MAX_PATH + 1] = {};
  if (::GetTempFileNameA(dir.c_str(), prefix.c_str(), 0, buffer) == 0) return false;
  path = buffer;
  return true;
}

InternetHandle InternetOpen(const std::string& agent) {
  return InternetHandle(::InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
}

InternetHandle InternetConnect(const InternetHandle& session, const std::string& server, int port,
                               const std::string& userName, const std::string& password) {
  // No flags: active mode, as the upload server expects.
  return InternetHandle(::InternetConnectA(static_cast<HINTERNET>(session.Get()), server.c_str(),
                                           static_cast<INTERNET_PORT>(port), userName.c_str(),
                                           password.c_str(), INTERNET_SERVICE_FTP, 0, 0));
}

bool FtpSetCurrentDirectory(const InternetHandle& connection, const std::string& directory) {
  return ::FtpSetCurrentDirectoryA(static_cast<HINTERNET>(connection.Get()), directory.c_str()) != FALSE;
}

bool FtpPutFile(const InternetHandle& connection, const std::string& localPath, const std::string& remoteName,
                DWord transferType) {
  return ::FtpPutFileA(static_cast<HINTERNET>(connection.Get()), localPath.c_str(), remoteName.c_str(),
                       transferType, 1) != FALSE;
}

bool InternetCloseHandle(void* handle) {
  return ::InternetCloseHandle(static_cast<HINTERNET>(handle)) != FALSE;
}

}  // namespace TransferApi
