// Shared fixtures: a temporary directory removed afterwards, and a log that
// writes into it so tests can read exactly what was logged.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "common/base/MyLog.h"

namespace test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Directory in the program's path form (back-slashes on Windows).
  const std::string& Path() const { return m_sPath; }
  std::string File(const std::string& name) const;

 private:
  std::string m_sPath;
};

// A program path as the C++ library takes it (slashes outside Windows).
std::filesystem::path Native(const std::string& path);

// Reads a whole file as bytes ("" when missing).
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
void RemoveFile(const std::string& path);

// A file that takes every write into its buffer and then fails the flush as
// a full disk does: Linux's /dev/full, natively or through Wine's Z: drive.
std::string FullDiskFile();

// A process log at Debug level in its own directory; the newest one is the
// process log while it lives.
class ScopedLog {
 public:
  explicit ScopedLog(int level = MyLog::Debug);
  MyLog& Log() { return *m_pLog; }
  // Everything written so far, with CR LF turned into LF.
  std::string Text() const;
  // Only the message parts of the lines (header and location removed).
  std::string Messages() const;

 private:
  TempDir m_dir;
  std::unique_ptr<MyLog> m_pLog;
};

}  // namespace test
