// FTP uploads without WinInet: a minimal active-mode client (the program
// connects without the passive flag) that fails with WinInet's error numbers.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/base/SystemApi.h"
#include "common/files/StdioFile.h"
#include "common/net/TransferApi.h"
#include "common/net/posix/SocketPosix.h"

namespace TransferApi {
namespace {

using PosixNet::NetError;

constexpr DWord kInvalidHandle = 6;          // ERROR_INVALID_HANDLE
constexpr DWord kTimeout = 12002;            // ERROR_INTERNET_TIMEOUT
constexpr DWord kExtendedError = 12003;      // ERROR_INTERNET_EXTENDED_ERROR
constexpr DWord kNameNotResolved = 12007;    // ERROR_INTERNET_NAME_NOT_RESOLVED
constexpr DWord kIncorrectUserName = 12013;  // ERROR_INTERNET_INCORRECT_USER_NAME
constexpr DWord kIncorrectPassword = 12014;  // ERROR_INTERNET_INCORRECT_PASSWORD
constexpr DWord kCannotConnect = 12029;      // ERROR_INTERNET_CANNOT_CONNECT
constexpr DWord kConnectionAborted = 12030;  // ERROR_INTERNET_CONNECTION_ABORTED

// What a handle stands for; the handle is a pointer to one of these.
class InternetObject {
 public:
  virtual ~InternetObject() = default;
};

// FTP has no use for the agent name a session carries elsewhere.
class Session : public InternetObject {};

bool Fail(DWord error) {
  SystemApi::SetLastError(error);
  return false;
}

DWord FromNetError(NetError error) {
  switch (error) {
    case NetError::NameNotResolved: return kNameNotResolved;
    case NetError::CannotConnect: return kCannotConnect;
    case NetError::Timeout: return kTimeout;
    default: return kConnectionAborted;
  }
}

class FtpConnection : public InternetObject {
 public:
  ~FtpConnection() override {
    if (!m_control) return;
    // Polite, but not worth a long wait.
    m_control.SetTimeout(5);
    int code = 0;
    if (m_control.SendAll("QUIT\r\n") == NetError::None) ReadReply(code);
  }

  // Connects and logs in; false with the WinInet error as the last error.
  bool Open(const std::string& server, int port, const std::string& userName, const std::string& password) {
    const NetError error = m_control.Connect(server, port);
    if (error != NetError::None) return Fail(FromNetError(error));
    int code = 0;
    if (!ReadReply(code)) return false;
    if (code / 100 != 2) return Fail(kExtendedError);
    if (!Command("USER " + (userName.empty() ? std::string("anonymous") : userName), code)) return false;
    if (code == 230) return true;
    if (code != 331 && code != 332) return Fail(code == 530 ? kIncorrectUserName : kExtendedError);
    if (!Command("PASS " + password, code)) return false;
    if (code / 100 == 2) return true;
    return Fail(code == 530 ? kIncorrectPassword : kExtendedError);
  }

  bool SetCurrentDirectory(const std::string& directory) {
    int code = 0;
    if (!Command("CWD " + directory, code)) return false;
    return code / 100 == 2 || Fail(kExtendedError);
  }

  bool PutFile(const std::string& localPath, const std::string& remoteName, DWord transferType) {
    StdioFile file;
    if (!file.Open(localPath, "rb")) return false;  // the file system's error

    int code = 0;
    const char* type = (transferType & 3) == FTP_TRANSFER_TYPE_ASCII ? "TYPE A" : "TYPE I";
    if (!Command(type, code)) return false;
    if (code / 100 != 2) return Fail(kExtendedError);

    PosixNet::Socket listener;
    std::string portCommand;
    if (!Listen(listener, portCommand)) return Fail(kCannotConnect);
    if (!Command(portCommand, code)) return false;
    if (code / 100 != 2) return Fail(kExtendedError);
    if (!Command("STOR " + remoteName, code)) return false;
    if (code / 100 != 1) return Fail(kExtendedError);

    pollfd waiting{listener.Get(), POLLIN, 0};
    if (poll(&waiting, 1, PosixNet::kTimeoutSeconds * 1000) != 1) return Fail(kTimeout);
    PosixNet::Socket data(accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!data) return Fail(kCannotConnect);
    char buffer[16384];
    std::size_t n;
    while ((n = file.Read(buffer, sizeof buffer)) > 0) {
      const NetError error = data.SendAll(buffer, n);
      if (error != NetError::None) return Fail(FromNetError(error));
    }
    const bool bReadFailed = file.ReadFailed();
    data.Close();  // the end of the data is the end of the file
    if (!ReadReply(code)) return false;
    if (bReadFailed) return Fail(30);  // ERROR_READ_FAULT
    return code / 100 == 2 || Fail(kExtendedError);
  }

 private:
  // A reply's code; multi-line replies are read to their last line.
  bool ReadReply(int& code) {
    std::string line;
    NetError error = m_control.ReadLine(line);
    if (error != NetError::None) return Fail(FromNetError(error));
    code = std::atoi(line.c_str());
    if (line.size() > 3 && line[3] == '-') {
      const std::string end = line.substr(0, 3) + " ";
      do {
        error = m_control.ReadLine(line);
        if (error != NetError::None) return Fail(FromNetError(error));
      } while (line.compare(0, 4, end) != 0);
    }
    return code >= 100 || Fail(kExtendedError);
  }

  bool Command(const std::string& command, int& code) {
    const NetError error = m_control.SendAll(command + "\r\n");
    if (error != NetError::None) return Fail(FromNetError(error));
    return ReadReply(code);
  }

  // A data socket listening on the control connection's own address, and
  // the command that tells the server where it is.
  bool Listen(PosixNet::Socket& listener, std::string& command) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(m_control.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) return false;
    if (address.ss_family == AF_INET) {
      reinterpret_cast<sockaddr_in*>(&address)->sin_port = 0;
    } else {
      reinterpret_cast<sockaddr_in6*>(&address)->sin6_port = 0;
    }
    listener = PosixNet::Socket(::socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!listener || bind(listener.Get(), reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener.Get(), 1) != 0 ||
        getsockname(listener.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return false;
    }
    char text[INET6_ADDRSTRLEN + 64];
    if (address.ss_family == AF_INET) {
      const auto* in = reinterpret_cast<sockaddr_in*>(&address);
      const auto* ip = reinterpret_cast<const unsigned char*>(&in->sin_addr);
      const unsigned port = ntohs(in->sin_port);
      std::snprintf(text, sizeof text, "PORT %u,%u,%u,%u,%u,%u", ip[0], ip[1], ip[2], ip[3], port >> 8,
                    port & 255);
    } else {
      const auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
      char ip[INET6_ADDRSTRLEN] = {};
      inet_ntop(AF_INET6, &in6->sin6_addr, ip, sizeof ip);
      std::snprintf(text, sizeof text, "EPRT |2|%s|%u|", ip, static_cast<unsigned>(ntohs(in6->sin6_port)));
    }
    command = text;
    return true;
  }

  PosixNet::Socket m_control;
};

template <typename T>
T* From(const InternetHandle& handle) {
  return dynamic_cast<T*>(static_cast<InternetObject*>(handle.Get()));
}

}  // namespace

InternetHandle InternetOpen(const std::string& /*agent*/) {
  auto session = std::make_unique<Session>();
  return InternetHandle(static_cast<InternetObject*>(session.release()));
}

InternetHandle InternetConnect(const InternetHandle& session, const std::string& server, int port,
                               const std::string& userName, const std::string& password) {
  if (!From<Session>(session)) {
    Fail(kInvalidHandle);
    return InternetHandle();
  }
  auto connection = std::make_unique<FtpConnection>();
  if (!connection->Open(server, port, userName, password)) return InternetHandle();
  SystemApi::SetLastError(0);
  return InternetHandle(static_cast<InternetObject*>(connection.release()));
}

bool FtpSetCurrentDirectory(const InternetHandle& connection, const std::string& directory) {
  FtpConnection* ftp = From<FtpConnection>(connection);
  return ftp ? ftp->SetCurrentDirectory(directory) : Fail(kInvalidHandle);
}

bool FtpPutFile(const InternetHandle& connection, const std::string& localPath, const std::string& remoteName,
                DWord transferType) {
  FtpConnection* ftp = From<FtpConnection>(connection);
  return ftp ? ftp->PutFile(localPath, remoteName, transferType) : Fail(kInvalidHandle);
}

bool InternetCloseHandle(void* handle) {
  if (!handle) return Fail(kInvalidHandle);
  delete static_cast<InternetObject*>(handle);
  return true;
}

}  // namespace TransferApi
