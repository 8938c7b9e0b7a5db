#include "common/net/posix/SocketPosix.h"

#include <netdb.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace PosixNet {
namespace {

NetError FromErrno(int error) {
  switch (error) {
    case EAGAIN:
    case ETIMEDOUT: return NetError::Timeout;
    // A reset is not the orderly end that Closed stands for.
    default: return NetError::Failed;
  }
}

}  // namespace

Socket::Socket(Socket&& other) noexcept : m_fd(other.m_fd), m_sPending(std::move(other.m_sPending)) {
  other.m_fd = -1;
}

Socket& Socket::operator=(Socket&& other) noexcept {
  if (this != &other) {
    Close();
    m_fd = other.m_fd;
    m_sPending = std::move(other.m_sPending);
    other.m_fd = -1;
  }
  return *this;
}

void Socket::Close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  m_sPending.clear();
}

NetError Socket::Connect(const std::string& host, int port) {
  Close();
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || !found)
    return NetError::NameNotResolved;
  NetError result = NetError::CannotConnect;
  for (addrinfo* a = found; a; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    // The send time-out also bounds connect().
    timeval tv{kTimeoutSeconds, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
      m_fd = fd;
      result = NetError::None;
      break;
    }
    result = (errno == EINPROGRESS || errno == ETIMEDOUT) ? NetError::Timeout : NetError::CannotConnect;
    ::close(fd);
  }
  freeaddrinfo(found);
  return result;
}

void Socket::SetTimeout(int seconds) {
  timeval tv{seconds, 0};
  setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

NetError Socket::SendAll(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::send(m_fd, data, size, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return NetError::None;
}

NetError Socket::Receive() {
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (n > 0) {
      m_sPending.append(buffer, static_cast<std::size_t>(n));
      return NetError::None;
    }
    if (n == 0) return NetError::Closed;
    if (errno != EINTR) return FromErrno(errno);
  }
}

NetError Socket::ReadLine(std::string& line) {
  std::size_t end;
  while ((end = m_sPending.find('\n')) == std::string::npos) {
    const NetError error = Receive();
    if (error != NetError::None) return error;
  }
  line.assign(m_sPending, 0, end);
  m_sPending.erase(0, end + 1);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return NetError::None;
}

NetError Socket::Read(char* data, std::size_t size, std::size_t& received) {
  received = 0;
  if (m_sPending.empty()) {
    const NetError error = Receive();
    if (error == NetError::Closed) return NetError::None;
    if (error != NetError::None) return error;
  }
  received = m_sPending.size() < size ? m_sPending.size() : size;
  std::memcpy(data, m_sPending.data(), received);
  m_sPending.erase(0, received);
  return NetError::None;
}

}  // namespace PosixNet
