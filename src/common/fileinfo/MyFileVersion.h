// The version resource of an executable or DLL: its fixed version numbers
// and the named strings of its string table for one language.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/base/Types.h"
#include "common/fileinfo/VersionInfoSource.h"

class MyFileVersion {
 public:
  // Reads through the platform's source (VersionInfoSource::Default()).
  MyFileVersion();
  // Reads through the given source, which must outlive this object.
  explicit MyFileVersion(VersionInfoSource& source);
  virtual ~MyFileVersion();
  MyFileVersion(const MyFileVersion&) = delete;
  MyFileVersion& operator=(const MyFileVersion&) = delete;

  // Loads the file's version resource and the first language of its
  // translation table. A file without one is a success with
  // bHasVersionInfo false; a failure leaves the object closed.
  HResult Open(const std::string& sModuleName, bool& bHasVersionInfo);
  void Close();

  // The named string ("CompanyName", ...) for dwLangCharset (language in
  // the high 16 bits, code page in the low), 0 meaning the file's first
  // translation. "" when it is missing.
  std::string QueryValue(const std::string& sValueName, DWord dwLangCharset = 0);
  bool GetFixedInfo(FixedFileInfo& vsffi);
  // "major.minor.build.revision" of the file version; "" without fixed information.
  std::string GetFileVersion();

  DWord GetLangCharset() const { return m_dwLangCharset; }

 private:
  VersionInfoSource& m_source;
  std::unique_ptr<std::uint8_t[]> m_lpVersionData;
  DWord m_dwDataSize = 0;
  DWord m_dwLangCharset = 0;
};
