// The URL download without the URL moniker: an HTTP/1.0 GET over a socket,
// answering with the moniker's error codes so callers see the same results.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "common/base/SystemApi.h"
#include "common/files/StdioFile.h"
#include "common/net/TransferApi.h"
#include "common/net/posix/SocketPosix.h"

namespace TransferApi {
namespace {

// What the moniker answers for text that is no URL at all.
constexpr HResult kSyntaxError = static_cast<HResult>(0x800401E4u);  // MK_E_SYNTAX

constexpr int kMaxRedirects = 5;

struct HttpUrl {
  std::string host;
  int port = 80;
  std::string path;  // from the first slash on, "/" at least
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

HResult ParseUrl(const std::string& url, HttpUrl& parsed) {
  const auto colon = url.find("://");
  if (colon == std::string::npos || colon == 0) return kSyntaxError;
  const std::string scheme = Lower(url.substr(0, colon));
  for (char c : scheme) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return kSyntaxError;
  }
  if (scheme != "http") return kMonikerUnknownProtocol;

  const std::string rest = url.substr(colon + 3);
  const auto slash = rest.find_first_of("/?#");
  std::string authority = rest.substr(0, slash);
  parsed.path = slash == std::string::npos ? "/" : rest.substr(slash);
  if (parsed.path[0] != '/') parsed.path.insert(0, "/");
  const auto hash = parsed.path.find('#');
  if (hash != std::string::npos) parsed.path.erase(hash);
  const auto at = authority.rfind('@');
  if (at != std::string::npos) authority.erase(0, at + 1);

  parsed.port = 80;
  const auto portColon = authority.rfind(':');
  if (portColon != std::string::npos && authority.find(']', portColon) == std::string::npos) {
    const std::string port = authority.substr(portColon + 1);
    authority.erase(portColon);
    if (!port.empty()) {
      if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return kMonikerInvalidUrl;
      parsed.port = std::atoi(port.c_str());
      if (parsed.port < 1 || parsed.port > 65535) return kMonikerInvalidUrl;
    }
  }
  if (authority.size() > 2 && authority.front() == '[' && authority.back() == ']') {
    authority = authority.substr(1, authority.size() - 2);
  }
  if (authority.empty()) return kMonikerInvalidUrl;
  parsed.host = authority;
  return kSOk;
}

HResult FromNetError(PosixNet::NetError error) {
  switch (error) {
    case PosixNet::NetError::None: return kSOk;
    case PosixNet::NetError::NameNotResolved: return kMonikerResourceNotFound;
    case PosixNet::NetError::CannotConnect: return kMonikerCannotConnect;
    case PosixNet::NetError::Timeout: return kMonikerConnectionTimeout;
    default: return kMonikerDownloadFailure;
  }
}

bool IsRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

HResult FromSystemError(DWord error) {
  return static_cast<HResult>(0x80070000u | (error & 0xFFFFu));  // HRESULT_FROM_WIN32
}

// One GET. A redirect fills `location` and answers S_FALSE.
HResult Get(const HttpUrl& url, const std::string& localPath, std::string& location) {
  PosixNet::Socket socket;
  HResult hr = FromNetError(socket.Connect(url.host, url.port));
  if (Failed(hr)) return hr;

  std::string hostHeader = url.host.find(':') != std::string::npos ? "[" + url.host + "]" : url.host;
  if (url.port != 80) hostHeader += ":" + std::to_string(url.port);
  const std::string request = "GET " + url.path + " HTTP/1.0\r\nHost: " + hostHeader +
                              "\r\nAccept: */*\r\nUser-Agent: Tarvolin\r\nConnection: close\r\n\r\n";
  hr = FromNetError(socket.SendAll(request));
  if (Failed(hr)) return hr;

  std::string line;
  hr = FromNetError(socket.ReadLine(line));
  if (Failed(hr)) return hr;
  int status = 0;
  if (std::sscanf(line.c_str(), "HTTP/%*d.%*d %d", &status) != 1) return kMonikerDownloadFailure;

  std::map<std::string, std::string> headers;
  for (;;) {
    hr = FromNetError(socket.ReadLine(line));
    if (Failed(hr)) return hr;
    if (line.empty()) break;
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.erase(0, 1);
    headers[Lower(line.substr(0, colon))] = value;
  }

  if (IsRedirect(status)) {
    location = headers["location"];
    return location.empty() ? kMonikerRedirectFailed : kSFalse;
  }
  if (status != 200) {
    hr = MonikerErrorFromHttpStatus(status);
    return Failed(hr) ? hr : kMonikerDownloadFailure;
  }

  StdioFile file;
  if (!file.Open(localPath, "wb")) return FromSystemError(SystemApi::GetLastError());
  long long expected = -1;
  if (headers.count("content-length")) expected = std::atoll(headers["content-length"].c_str());
  long long total = 0;
  char buffer[16384];
  for (;;) {
    std::size_t received = 0;
    hr = FromNetError(socket.Read(buffer, sizeof buffer, received));
    if (Failed(hr)) return hr;
    if (received == 0) break;
    if (!file.Write(buffer, received)) return FromSystemError(SystemApi::GetLastError());
    total += static_cast<long long>(received);
  }
  if (!file.Close()) return FromSystemError(SystemApi::GetLastError());
  // A connection that ends early is a broken download, not a short file.
  if (expected >= 0 && total != expected) return kMonikerDownloadFailure;
  return kSOk;
}

}  // namespace

HResult UrlDownloadToFile(const std::string& url, const std::string& localPath) {
  std::string current = url;
  for (int redirects = 0; redirects <= kMaxRedirects; ++redirects) {
    HttpUrl parsed;
    HResult hr = ParseUrl(current, parsed);
    if (Failed(hr)) return redirects == 0 ? hr : kMonikerRedirectFailed;
    std::string location;
    hr = Get(parsed, localPath, location);
    if (hr != kSFalse) return hr;
    if (location[0] == '/') {
      const bool bBracket = parsed.host.find(':') != std::string::npos;
      current = "http://" + (bBracket ? "[" + parsed.host + "]" : parsed.host) + ":" +
                std::to_string(parsed.port) + location;
    } else {
      current = location;
    }
  }
  return kMonikerRedirectFailed;
}

}  // namespace TransferApi
