// Host programs from the Windows tests under Wine. CreateProcess of a file
// that is no Windows executable makes Wine start it as a Linux program (it
// forks twice, so the program's parent is not this process) and returns
// neither a handle nor a usable process id. So a program run to completion
// is wrapped in a shell script that leaves its exit code in a file, and a
// program left running writes its own id, by which it is stopped.
#include <windows.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "support/HostProgram.h"

namespace test {
namespace {

using UnixFileNameFn = char*(CDECL*)(const WCHAR*);
using DosFileNameFn = WCHAR*(CDECL*)(const char*);

template <typename Fn>
Fn WineFunction(const char* name) {
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32"), name)));
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  wide.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);
  return wide;
}

// The Windows path of a host path; empty outside Wine.
std::wstring DosPath(const std::string& hostPath) {
  const auto toDos = WineFunction<DosFileNameFn>("wine_get_dos_file_name");
  if (!toDos) return std::wstring();
  WCHAR* dos = toDos(hostPath.c_str());
  if (!dos) return std::wstring();
  std::wstring path = dos;
  ::HeapFree(::GetProcessHeap(), 0, dos);
  return path;
}

// Windows command-line quoting, which Wine undoes for the Linux program.
std::string Quote(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  std::size_t slashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++slashes;
      continue;
    }
    quoted.append(c == '"' ? slashes * 2 + 1 : slashes, '\\');
    slashes = 0;
    quoted += c;
  }
  quoted.append(slashes * 2, '\\');
  return quoted + "\"";
}

std::string ShellQuote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool Start(const std::vector<std::string>& argv, const std::string& dir) {
  const std::wstring program = DosPath(argv.at(0));
  if (program.empty()) return false;
  std::string commandLine;
  for (const std::string& a : argv) commandLine += (commandLine.empty() ? "" : " ") + Quote(a);
  std::wstring wideLine = Wide(commandLine);
  const std::wstring wideDir = Wide(dir);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(program.c_str(), &wideLine[0], nullptr, nullptr, FALSE, 0, nullptr, wideDir.c_str(),
                        &startup, &info)) {
    return false;
  }
  // Wine hands out nothing for a Linux program; close whatever there is.
  if (info.hThread) ::CloseHandle(info.hThread);
  if (info.hProcess) ::CloseHandle(info.hProcess);
  return true;
}

// Waits for a file to appear; false after `limit`.
bool WaitForFile(const std::string& path, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// Whether a host process still runs (a zombie no longer counts).
bool HostProcessRuns(int pid) {
  const std::wstring path = DosPath("/proc/" + std::to_string(pid) + "/stat");
  // Read to the end: files of /proc announce no size.
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string line;
  char buffer[512];
  DWORD n = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) line.append(buffer, n);
  ::CloseHandle(file);
  const auto paren = line.rfind(')');
  return paren != std::string::npos && paren + 2 < line.size() && line[paren + 2] != 'Z';
}

}  // namespace

std::string HostPath(const std::string& programPath) {
  const auto toUnix = WineFunction<UnixFileNameFn>("wine_get_unix_file_name");
  if (!toUnix) return std::string();
  char* unixPath = toUnix(Wide(programPath).c_str());
  if (!unixPath) return std::string();
  std::string path = unixPath;
  ::HeapFree(::GetProcessHeap(), 0, unixPath);
  return path;
}

bool HostFileExists(const std::string& hostPath) {
  const std::wstring dos = DosPath(hostPath);
  return !dos.empty() && ::GetFileAttributesW(dos.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int RunHostProgram(const std::vector<std::string>& argv, const std::string& dir) {
  static int s_nRun = 0;
  const std::string name =
      "host-run-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++s_nRun);
  const std::string script = dir + "\\" + name + ".sh";
  const std::string exitFile = dir + "\\" + name + ".exit";
  {
    std::ofstream out(script, std::ios::binary);
    for (const std::string& a : argv) out << ShellQuote(a) << ' ';
    out << "</dev/null >/dev/null 2>&1\n"
        << "echo $? >" << ShellQuote(name + ".tmp") << " && mv " << ShellQuote(name + ".tmp") << ' '
        << ShellQuote(name + ".exit") << '\n';
  }
  int code = -1;
  if (Start({"/bin/sh", HostPath(script)}, dir) && WaitForFile(exitFile, std::chrono::minutes(1))) {
    std::ifstream in(exitFile);
    in >> code;
  }
  ::DeleteFileA(script.c_str());
  ::DeleteFileA(exitFile.c_str());
  return code;
}

bool StartHostProgram(const std::vector<std::string>& argv, const std::string& dir) {
  return Start(argv, dir);
}

bool StopHostProcess(int pid) {
  if (pid <= 0 || !HostProcessRuns(pid)) return false;
  char temp[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, temp);
  for (const char* signal : {"-TERM", "-KILL"}) {
    if (!Start({"/bin/kill", signal, std::to_string(pid)}, temp)) return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (HostProcessRuns(pid)) {
      if (std::chrono::steady_clock::now() > deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!HostProcessRuns(pid)) return true;
  }
  return false;
}

}  // namespace test
