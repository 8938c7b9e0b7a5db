// The few operating-system facts and calls the portable core needs. Each
// function has a Windows implementation (win/) and a POSIX stand-in (posix/);
// the build picks one.
#pragma once

#include <cstdint>
#include <string>

#include "common/Types.h"

namespace SystemApi {

// The calling thread's last system error (GetLastError / SetLastError).
DWord GetLastError();
void SetLastError(DWord code);

// The system's message text for an error number or HRESULT, exactly as the
// system gives it (normally ending in CR LF); false when it has none.
bool FormatSystemMessage(DWord code, std::string& text);

std::string GetComputerName();
std::string GetModuleFileName();  // full path of the running executable
int GetCurrentProcessId();
std::uint64_t GetTickCount();  // milliseconds since the computer started

struct LocalTime {
  int year, month, day, hour, minute, second, millisecond;
};
LocalTime GetLocalTime();

// Environment: false with the last error set to 203 when the name is unknown.
bool GetEnvironmentVariable(const std::string& name, std::string& value);
std::string GetCurrentDirectory();

void Sleep(DWord milliseconds);

}  // namespace SystemApi
