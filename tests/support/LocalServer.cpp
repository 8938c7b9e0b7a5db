#include "support/LocalServer.h"

#include <chrono>
#include <sstream>
#include <thread>

#include "support/HostProgram.h"

namespace test {
namespace {

// The script lives beside this file; the path is the host's.
std::string ScriptPath() { return std::string(TARVOLIN_TEST_SUPPORT_DIR) + "/local_server.py"; }

}  // namespace

std::unique_ptr<LocalServer> LocalServer::StartHttp(const std::string& root) {
  return Start(root, "http", "", "", "");
}

std::unique_ptr<LocalServer> LocalServer::StartFtp(const std::string& root, const std::string& userName,
                                                   const std::string& password, const std::string& perm) {
  return Start(root, "ftp", userName, password, perm);
}

std::unique_ptr<LocalServer> LocalServer::Start(const std::string& root, const std::string& mode,
                                                const std::string& userName, const std::string& password,
                                                const std::string& perm) {
  if (!HostFileExists(kPython) || !HostFileExists(ScriptPath())) return nullptr;
  std::unique_ptr<LocalServer> server(new LocalServer());
  const std::string ready = server->m_control.File("ready");
  std::vector<std::string> argv = {kPython, ScriptPath(), mode, HostPath(root), HostPath(ready)};
  if (mode == "ftp") {
    argv.push_back(userName);
    argv.push_back(password);
    argv.push_back(perm);
  }
  if (!StartHostProgram(argv, server->m_control.Path())) return nullptr;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    std::istringstream in(ReadFile(ready));
    if (in >> server->m_nPid >> server->m_nPort) return server;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return nullptr;
}

LocalServer::~LocalServer() {
  if (m_nPid > 0) StopHostProcess(m_nPid);
}

std::string LocalServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(m_nPort) + "/" + path;
}

std::string LocalServer::RequestLog() const { return ReadFile(m_control.File("ready.log")); }

}  // namespace test
