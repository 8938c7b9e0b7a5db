// The description of the computer and of the program written into the log,
// so that a log mailed by a user tells how the program was run: LoadInfo
// collects the facts as named entries, LogInfo writes them one per line.
#pragma once

#include <list>
#include <memory>
#include <string>

#include "common/base/Types.h"
#include "common/sysinfo/SysInfoSource.h"

class KeyValue {
 public:
  KeyValue(const std::string& sKey, const std::string& sValue) : m_sKey(sKey), m_sValue(sValue) {}
  std::string m_sKey;
  std::string m_sValue;
};

class MySysInfo {
 public:
  MySysInfo();  // the platform's facts
  explicit MySysInfo(SysInfoSource& source);
  MySysInfo(const MySysInfo&) = delete;
  MySysInfo& operator=(const MySysInfo&) = delete;

  // Logs the program's settings key ("Software\Kestrove\" + the name; the
  // application's name when empty), then collects the facts in their fixed
  // order. A failing query ends the collection; what came before stays.
  HResult LoadInfo(std::string sAppName);
  void LogInfo();

  const std::list<std::unique_ptr<KeyValue>>& Entries() const { return m_list; }

  // The value texts, each from the platform's numbers.
  static std::string PlatformIdText(const SysVersion& v);
  static std::string ProcessorArchitectureText(unsigned architecture);
  static std::string ProcessorTypeText(DWord processorType);
  static std::string ColorDepthText(int bits);
  static std::string PercentText(DWord percent);  // "45%"
  static std::string BytesText(std::uint64_t n);  // "1,024 bytes"
  static std::string KilobytesText(std::uint64_t n);
  // The log line of one entry, ready to be the log's format: every percent
  // sign doubled, so the log writes it once.
  static std::string LogLineFormat(const KeyValue& entry);

 private:
  bool Add(const std::string& sKey, const std::string& sValue);
  void CollectApp(HResult& hr);

  SysInfoSource& m_source;
  std::list<std::unique_ptr<KeyValue>> m_list;
};
