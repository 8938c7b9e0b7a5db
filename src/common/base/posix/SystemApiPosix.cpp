// POSIX stand-ins for the system facts the core needs; error numbers and
// messages are the Windows ones, so logs read alike on both builds.
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <map>

#include "common/base/SystemApi.h"

namespace SystemApi {
namespace {

thread_local DWord t_lastError = 0;

const std::map<DWord, const char*>& Messages() {
  static const std::map<DWord, const char*> messages = {
      {2, "The system cannot find the file specified."},
      {3, "The system cannot find the path specified."},
      {5, "Access is denied."},
      {6, "The handle is invalid."},
      {32, "The process cannot access the file because it is being used by another process."},
      {80, "The file exists."},
      {87, "The parameter is incorrect."},
      {112, "There is not enough space on the disk."},
      {123, "The filename, directory name, or volume label syntax is incorrect."},
      {145, "The directory is not empty."},
      {183, "Cannot create a file when that file already exists."},
      {203, "The system could not find the environment option that was entered."},
      {234, "More data is available."},
      {259, "No more data is available."},
      {1018, "Illegal operation attempted on a registry key that has been marked for deletion."},
      {0x80004005u, "Unspecified error"},
      {0x80070002u, "The system cannot find the file specified."},
      {0x80070005u, "Access is denied."},
      {0x8007000Eu, "Not enough memory resources are available to complete this operation."},
      {0x80070057u, "The parameter is incorrect."},
  };
  return messages;
}

// Program paths use back-slashes; the file-system stand-in maps them back.
std::string ProgramPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace

DWord GetLastError() { return t_lastError; }
void SetLastError(DWord code) { t_lastError = code; }

bool FormatSystemMessage(DWord code, std::string& text) {
  const auto it = Messages().find(code);
  if (it == Messages().end()) return false;
  text = std::string(it->second) + "\r\n";
  return true;
}

std::string GetComputerName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0) return std::string();
  std::string upper = name;
  const auto dot = upper.find('.');
  if (dot != std::string::npos) upper.erase(dot);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string GetSystemModuleFileName() {
  char path[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? ProgramPath(std::string(path, static_cast<size_t>(n))) : std::string();
}

int GetCurrentProcessId() { return static_cast<int>(getpid()); }

std::uint64_t GetTickCount() {
  timespec ts{};
  clock_gettime(CLOCK_BOOTTIME, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

LocalTime GetLocalTime() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  tm local{};
  const time_t seconds = tv.tv_sec;
  localtime_r(&seconds, &local);
  return {local.tm_year + 1900,
          local.tm_mon + 1,
          local.tm_mday,
          local.tm_hour,
          local.tm_min,
          local.tm_sec,
          static_cast<int>(tv.tv_usec / 1000)};
}

bool GetEnvironmentVariable(const std::string& name, std::string& value) {
  const char* v = std::getenv(name.c_str());
  if (!v) {
    SetLastError(203);
    return false;
  }
  value = v;
  return true;
}

std::string GetCurrentDirectory() {
  char path[PATH_MAX] = {};
  return getcwd(path, sizeof path) ? ProgramPath(path) : std::string();
}

void Sleep(DWord milliseconds) { usleep(static_cast<useconds_t>(milliseconds) * 1000u); }

// Answers as the default Windows of the test bench (Windows 7 SP1), so the
// Windows XP SP2 paths are taken only where a test asks for them.
bool GetSystemVersionInfo(OsVersion& version) {
  version.platformId = 2;
  version.major = 6;
  version.minor = 1;
  version.csd = "Service Pack 1";
  return true;
}

}  // namespace SystemApi

namespace SystemApi {

bool SetEnvironmentVariable(const std::string& name, const std::string& value) {
  return setenv(name.c_str(), value.c_str(), 1) == 0;
}

// As the system does it: an unknown %NAME% stays as it is.
std::string ExpandEnvironmentStrings(const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('%', pos);
    const size_t close = open == std::string::npos ? std::string::npos : text.find('%', open + 1);
    if (close == std::string::npos) {
      out += text.substr(pos);
      break;
    }
    out += text.substr(pos, open - pos);
    const char* value =
        close > open + 1 ? std::getenv(text.substr(open + 1, close - open - 1).c_str()) : nullptr;
    if (value) {
      out += value;
      pos = close + 1;
    } else {
      out += '%';
      pos = open + 1;
    }
  }
  return out;
}

}  // namespace SystemApi
