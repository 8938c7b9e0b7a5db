// The few operating-system facts and calls the portable core needs. Each
// function has a Windows implementation (win/) and a POSIX stand-in (posix/);
// the build picks one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/base/Types.h"
#include "common/base/WinNameMacros.h"  // names shared with Windows macros

namespace SystemApi {

// The calling thread's last system error (GetLastError / SetLastError).
DWord GetLastError();
void SetLastError(DWord code);

// The system's message text for an error number or HRESULT, exactly as the
// system gives it (normally ending in CR LF); false when it has none.
bool FormatSystemMessage(DWord code, std::string& text);

std::string GetComputerName();
// Full path of the running executable, or the override's while one is set.
std::string GetModuleFileName();
std::string GetSystemModuleFileName();  // the platform's own answer
// Lets tests place the program in a directory of their own ("" restores the
// system's answer). Returns the previous override.
std::string SetModuleFileNameOverride(const std::string& path);
int GetCurrentProcessId();
std::uint64_t GetTickCount();  // milliseconds since the computer started

struct LocalTime {
  int year, month, day, hour, minute, second, millisecond;
};
LocalTime GetLocalTime();

// Environment: false with the last error set to 203 when the name is unknown.
bool GetEnvironmentVariable(const std::string& name, std::string& value);
bool SetEnvironmentVariable(const std::string& name, const std::string& value);
// Replaces each %NAME% of a defined variable by its value (REG_EXPAND_SZ).
std::string ExpandEnvironmentStrings(const std::string& text);
std::string GetCurrentDirectory();

void Sleep(DWord milliseconds);

// The operating system's version, as GetVersionEx reports it.
struct OsVersion {
  DWord platformId = 0;  // 2 for the NT family
  DWord major = 0;
  DWord minor = 0;
  std::string csd;  // service-pack text, such as "Service Pack 2"
};
// The system's answer, or the override's while one is installed.
bool GetVersionInfo(OsVersion& version);
// The platform's own answer (win/ and posix/).
bool GetSystemVersionInfo(OsVersion& version);
// Lets tests stand in for the operating system; an empty function restores
// the system's answer. Returns the previous override.
using VersionProvider = std::function<bool(OsVersion&)>;
VersionProvider SetVersionInfoOverride(VersionProvider provider);

}  // namespace SystemApi
