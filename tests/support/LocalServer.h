// Real servers on 127.0.0.1 for the transfer tests: Python's http.server and
// pyftpdlib, each on a free port, started by the test and stopped by process
// id when the object goes (see local_server.py).
#pragma once

#include <memory>
#include <string>

#include "support/TestSupport.h"

namespace test {

class LocalServer {
 public:
  // Null when the host has no /usr/bin/python3 or the server did not start.
  static std::unique_ptr<LocalServer> StartHttp(const std::string& root);
  // `perm`: pyftpdlib's permission letters for the account ("elr": it may
  // log in and read, but not store).
  static std::unique_ptr<LocalServer> StartFtp(const std::string& root, const std::string& userName,
                                               const std::string& password,
                                               const std::string& perm = kFullRights);
  ~LocalServer();
  LocalServer(const LocalServer&) = delete;
  LocalServer& operator=(const LocalServer&) = delete;

  int Port() const { return m_nPort; }
  // "http://127.0.0.1:PORT/" followed by `path`.
  std::string Url(const std::string& path) const;
  // What the server wrote about the requests it answered so far (for HTTP,
  // one line per request naming its path).
  std::string RequestLog() const;

  static constexpr const char* kPython = "/usr/bin/python3";
  static constexpr const char* kFullRights = "elradfmwMT";

 private:
  LocalServer() = default;
  static std::unique_ptr<LocalServer> Start(const std::string& root, const std::string& mode,
                                            const std::string& userName, const std::string& password,
                                            const std::string& perm);

  TempDir m_control;  // where the server reports its process id and port
  int m_nPid = 0;
  int m_nPort = 0;
};

}  // namespace test
