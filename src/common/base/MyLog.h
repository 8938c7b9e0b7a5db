// The program's diagnostic log: one text file beside the executable, one
// header per logged statement, flushed after every write. Messages shown to
// the user are logged first and then taken back with GetLastLogText().
#pragma once

#include <string>

#include "common/base/LogFormat.h"
#include "common/files/StdioFile.h"

class MyLog {
 public:
  enum Level { Debug = 0, Trace = 1, Warns = 2, Error = 3, Audit = 4, Nolog = 5 };

  // `fileName` is a full path, or a name placed beside the executable; the
  // computer name is inserted before its ".log". A file over twice
  // `maxSizeMB` is cut to its last `maxSizeMB` first. The newest log object
  // is the process log (Current()) until it is destroyed.
  MyLog(const std::string& fileName, int maxSizeMB);
  virtual ~MyLog();
  MyLog(const MyLog&) = delete;
  MyLog& operator=(const MyLog&) = delete;

  void SetLevel(int level);
  int GetLevel() const { return m_nLevel; }
  void SetLocation(const char* sourceFile, int line, int level);

  template <typename... Args>
  void Log(const char* format, const Args&... args) {
    LogArgs(format, {LogArg(args)...});
  }
  void LogArgs(const char* format, std::initializer_list<LogArg> args);

  std::string GetLastLogText();
  const std::string& GetFileName() const { return m_sFileName; }
  bool IsOpen() const { return m_file.IsOpen(); }

  // The process log; a log that writes nowhere when none exists.
  static MyLog& Current();

  // The first SetLevel of a process writes the separator line; tests that
  // construct several logs in one process reset that memory.
  static void ForgetFirstSetLevel();

 private:
  MyLog() = default;  // the silent stand-in behind Current()
  // Unflushed text waits in the stream's buffer: a line's header waits for
  // its message, so each line reaches the file in one write.
  void Write(const std::string& text, bool bFlush = true);

  std::string m_sFileName;
  StdioFile m_file;
  std::string m_sPending;
  int m_nLevel = 2;
  int m_nMsgLevel = 5;
  int m_nPid = 0;
  MyLog* m_pPrevious = nullptr;
};
