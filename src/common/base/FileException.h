// A failed file operation, as the program's file functions throw it: the
// file, a cause code and the system's error number and message.
#pragma once

#include <stdexcept>
#include <string>

class FileException : public std::runtime_error {
 public:
  // Cause codes of the file exception (genericException = 1, fileNotFound = 2, ...).
  enum Cause {
    none = 0,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  FileException(Cause cause, long osError, std::string fileName, const std::string& message)
      : std::runtime_error(message), m_cause(cause), m_lOsError(osError), m_sFileName(std::move(fileName)) {}

  // Builds the exception for a system error number on `fileName`.
  static FileException FromOsError(long osError, const std::string& fileName);

  Cause GetCause() const { return m_cause; }
  long GetOsError() const { return m_lOsError; }
  const std::string& GetFileName() const { return m_sFileName; }

 private:
  Cause m_cause;
  long m_lOsError;
  std::string m_sFileName;
};
