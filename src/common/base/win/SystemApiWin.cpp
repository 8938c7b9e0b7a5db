// The system facts of the core, from the ANSI Win32 calls.
#include <windows.h>

#include "common/base/SystemApi.h"

namespace SystemApi {
namespace {

// Frees a buffer that FormatMessage allocated.
struct LocalBuffer {
  char* p = nullptr;
  ~LocalBuffer() {
    if (p) ::LocalFree(p);
  }
};

}  // namespace

DWord GetLastError() { return ::GetLastError(); }
void SetLastError(DWord code) { ::SetLastError(code); }

bool FormatSystemMessage(DWord code, std::string& text) {
  LocalBuffer buffer;
  const DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer.p), 0, nullptr);
  if (n == 0 || !buffer.p) return false;
  text.assign(buffer.p, n);
  return true;
}

std::string GetComputerName() {
  char name[257] = {};
  DWORD size = sizeof name;
  return ::GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

std::string GetSystemModuleFileName() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

int GetCurrentProcessId() { return static_cast<int>(::GetCurrentProcessId()); }

std::uint64_t GetTickCount() {
  // GetTickCount64 exists from Vista on; XP has only the 49-day counter.
  using TickCount64 = ULONGLONG(WINAPI*)();
  static const auto pTickCount64 = reinterpret_cast<TickCount64>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
  return pTickCount64 ? pTickCount64() : ::GetTickCount();
}

LocalTime GetLocalTime() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

bool GetEnvironmentVariable(const std::string& name, std::string& value) {
  std::string buffer(128, '\0');
  for (;;) {
    ::SetLastError(ERROR_SUCCESS);
    const DWORD n = ::GetEnvironmentVariableA(name.c_str(), &buffer[0], static_cast<DWORD>(buffer.size()));
    if (n == 0) {
      // An empty value also returns 0, but leaves no error behind.
      if (::GetLastError() != ERROR_SUCCESS) return false;
      value.clear();
      return true;
    }
    if (n < buffer.size()) {
      value.assign(buffer.data(), n);
      return true;
    }
    buffer.resize(n);
  }
}

std::string GetCurrentDirectory() {
  std::string path(MAX_PATH + 1, '\0');
  const DWORD n = ::GetCurrentDirectoryA(static_cast<DWORD>(path.size()), &path[0]);
  if (n == 0) return std::string();
  if (n >= path.size()) {
    path.resize(n);
    const DWORD m = ::GetCurrentDirectoryA(static_cast<DWORD>(path.size()), &path[0]);
    if (m == 0 || m >= path.size()) return std::string();
    path.resize(m);
    return path;
  }
  path.resize(n);
  return path;
}

void Sleep(DWord milliseconds) { ::Sleep(milliseconds); }

bool GetSystemVersionInfo(OsVersion& version) {
  OSVERSIONINFOA osvi{};
  osvi.dwOSVersionInfoSize = sizeof osvi;
  if (!::GetVersionExA(&osvi)) return false;
  version.platformId = osvi.dwPlatformId;
  version.major = osvi.dwMajorVersion;
  version.minor = osvi.dwMinorVersion;
  version.csd = osvi.szCSDVersion;
  return true;
}

}  // namespace SystemApi

namespace SystemApi {

bool SetEnvironmentVariable(const std::string& name, const std::string& value) {
  return ::SetEnvironmentVariableA(name.c_str(), value.c_str()) != 0;
}

std::string ExpandEnvironmentStrings(const std::string& text) {
  std::string out(text.size() + 256, '\0');
  for (;;) {
    const DWORD n = ::ExpandEnvironmentStringsA(text.c_str(), &out[0], static_cast<DWORD>(out.size()));
    if (n == 0) return text;
    if (n <= out.size()) {
      out.resize(n - 1);
      return out;
    }
    out.resize(n);
  }
}

}  // namespace SystemApi
