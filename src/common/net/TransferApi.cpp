#include "common/net/TransferApi.h"

namespace TransferApi {

HResult MonikerErrorFromHttpStatus(int status) {
  if (status < 400) return kSOk;
  switch (status) {
    case 401:
    case 407: return kMonikerAuthenticationRequired;
    case 404:
    case 410: return kMonikerResourceNotFound;
    default: return kMonikerDownloadFailure;
  }
}

InternetHandle& InternetHandle::operator=(InternetHandle&& other) noexcept {
  if (this != &other) {
    Close();
    m_handle = other.m_handle;
    other.m_handle = nullptr;
  }
  return *this;
}

bool InternetHandle::Close() {
  void* handle = m_handle;
  m_handle = nullptr;
  return handle == nullptr || InternetCloseHandle(handle);
}

}  // namespace TransferApi
