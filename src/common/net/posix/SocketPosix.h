// A TCP connection for the POSIX transfer stand-ins: connect by host name,
// send everything, read lines or raw bytes, each wait bounded by a time-out
// so a silent server cannot hang the program.
#pragma once

#include <cstddef>
#include <string>

namespace PosixNet {

enum class NetError { None, NameNotResolved, CannotConnect, Timeout, Closed, Failed };

constexpr int kTimeoutSeconds = 60;

class Socket {
 public:
  Socket() = default;
  explicit Socket(int fd) : m_fd(fd) {}
  ~Socket() { Close(); }
  Socket(Socket&& other) noexcept;
  Socket& operator=(Socket&& other) noexcept;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  int Get() const { return m_fd; }
  explicit operator bool() const { return m_fd >= 0; }
  void Close();

  NetError Connect(const std::string& host, int port);
  // Waits at most `seconds` for each receive from now on.
  void SetTimeout(int seconds);
  NetError SendAll(const char* data, std::size_t size);
  NetError SendAll(const std::string& text) { return SendAll(text.data(), text.size()); }
  // One line without its CR LF or LF; Closed when the peer ends before one.
  NetError ReadLine(std::string& line);
  // Up to `size` bytes; 0 bytes with None means the peer has finished.
  NetError Read(char* data, std::size_t size, std::size_t& received);

 private:
  NetError Receive();

  int m_fd = -1;
  std::string m_sPending;  // received, not yet handed out
};

}  // namespace PosixNet
