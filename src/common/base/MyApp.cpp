#include "common/base/MyApp.h"

#include "common/base/ErrorCheck.h"
#include "common/base/SystemApi.h"

namespace {

std::string CountWithUnit(std::uint64_t n, const char* unit) {
  return std::to_string(n) + " " + unit + (n == 1 ? "" : "s") + ", ";
}

}  // namespace

std::string FormatUptime(std::uint64_t milliseconds) {
  const std::uint64_t days = milliseconds / 86400000u;
  const std::uint64_t hours = milliseconds / 3600000u % 24u;
  const std::uint64_t minutes = milliseconds / 60000u % 60u;
  const std::uint64_t seconds = milliseconds / 1000u % 60u;
  const std::uint64_t millis = milliseconds % 1000u;

  std::string text = "PC running for ";
  if (days) text += CountWithUnit(days, "day");
  if (hours) text += CountWithUnit(hours, "hour");
  if (minutes) text += CountWithUnit(minutes, "minute");
  if (seconds || millis) {
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03u", static_cast<unsigned>(millis));
    text += std::to_string(seconds) + fraction + " second" + (seconds == 1 ? "" : "s");
  }
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, ", ") == 0) text.erase(text.size() - 2);
  return text + ".\n";
}

MyApp::MyApp(const std::string& logFileName, int maxLogSizeMB) : m_log(logFileName, maxLogSizeMB) {
  LOGD(">>> MyApp::MyApp()\n");
  InitializePlatformForApp();
  LOGA("%s", FormatUptime(SystemApi::GetTickCount()));
}

MyApp::~MyApp() = default;

bool MyApp::InitInstance() { return true; }

int MyApp::ExitInstance() {
  LOGA("In MyApp::ExitInstance(), calling CWinApp::ExitInstance().\n");
  return 0;
}
