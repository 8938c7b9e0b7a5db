// The application base: owns the process log and writes the first and last
// lines of a run.
#pragma once

#include <cstdint>
#include <string>

#include "common/base/MyLog.h"

class MyApp {
 public:
  MyApp(const std::string& logFileName, int maxLogSizeMB);
  virtual ~MyApp();
  MyApp(const MyApp&) = delete;
  MyApp& operator=(const MyApp&) = delete;

  virtual bool InitInstance();
  virtual int ExitInstance();

  MyLog& GetLog() { return m_log; }

 protected:
  MyLog m_log;
};

// "PC running for 1 day, 2 hours, 3 minutes, 4.056 seconds.\n"
std::string FormatUptime(std::uint64_t milliseconds);

// Platform start-up of the application base (COM on Windows); returns false
// and logs when it fails.
void InitializePlatformForApp();
