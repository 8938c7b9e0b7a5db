#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/HostProgram.h"

namespace test {
namespace {

std::string Native(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// The child: stdio on /dev/null, in `dir`, then the program.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& dir) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const std::string nativeDir = Native(dir);
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    if (chdir(nativeDir.c_str()) == 0) execv(args[0], args.data());
    _exit(127);
  }
  return pid;
}

}  // namespace

std::string HostPath(const std::string& programPath) { return Native(programPath); }

bool HostFileExists(const std::string& hostPath) {
  struct stat st {};
  return stat(hostPath.c_str(), &st) == 0;
}

int RunHostProgram(const std::vector<std::string>& argv, const std::string& dir) {
  const pid_t pid = Spawn(argv, dir);
  if (pid < 0) return -1;
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0) return -1;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool StartHostProgram(const std::vector<std::string>& argv, const std::string& dir) {
  return Spawn(argv, dir) > 0;
}

bool StopHostProcess(int pid) {
  if (pid <= 0 || kill(pid, SIGTERM) != 0) return false;
  // Our own child: reaping it is the proof that it is gone.
  int status = 0;
  return waitpid(pid, &status, 0) == pid;
}

}  // namespace test
