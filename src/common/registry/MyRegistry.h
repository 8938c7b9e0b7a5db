// One opened registry key. Reads keep the caller's value when they fail;
// every failure except a missing key or value is logged.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "common/base/Types.h"
#include "common/registry/RegistryStore.h"

class MyRegistry {
 public:
  MyRegistry();
  MyRegistry(Registry::Handle root, const std::string& subKey, bool bCreate);
  virtual ~MyRegistry();
  MyRegistry(const MyRegistry&) = delete;
  MyRegistry& operator=(const MyRegistry&) = delete;

  bool Open(Registry::Handle root, const std::string& subKey, bool bCreate);
  bool IsOpen() const { return m_hSubKey != 0; }
  bool Close();

  bool ReadValueString(const std::string& name, std::string& value);
  // Also reports the stored type (REG_SZ, REG_EXPAND_SZ, ...).
  bool ReadValueString(const std::string& name, std::string& value, DWord& type);
  bool ReadValueDWord(const std::string& name, DWord& value);
  bool ReadValueInt(const std::string& name, int& value);
  bool ReadValueBool(const std::string& name, bool& value);
  bool ReadValueBinary(const std::string& name, std::uint8_t* buffer, DWord& size);
  bool ProbeValue(const std::string& name);

  bool SaveValueString(const std::string& name, const std::string& value);
  // Writes text with the given type (REG_SZ or REG_EXPAND_SZ).
  bool SaveValueString(const std::string& name, const std::string& value, DWord type);
  bool SaveValueDWord(const std::string& name, DWord value);
  bool SaveValueInt(const std::string& name, int value);
  bool SaveValueBool(const std::string& name, bool value);
  bool SaveValueBinary(const std::string& name, const std::uint8_t* data, DWord size);

  bool EnumSubKeys(std::list<std::string>& subKeys);
  bool EnumValues(std::list<std::string>& names, std::vector<DWord>& types);
  bool DeleteKey(const std::string& name);
  long RecursiveDelete(Registry::Handle parent, const std::string& name);

  static bool TestOpen(Registry::Handle root, const std::string& subKey, long& error);

  Registry::Handle GetHandle() const { return m_hSubKey; }
  const std::string& GetSubKey() const { return m_sSubKey; }

 private:
  // Platform read with the common failure rules (not open, missing, error).
  long QueryChecked(const std::string& name, std::uint8_t* data, DWord& size);
  // Size first, then the data; `dataReadExpression` names the second read
  // in its failure line.
  bool ReadWhole(const std::string& name, const char* dataReadExpression, std::vector<std::uint8_t>& data,
                 DWord* pType = nullptr);
  bool SaveValue(const std::string& name, std::uint32_t type, const std::uint8_t* data, DWord size);

  Registry::Handle m_hRootKey = 0;
  std::string m_sSubKey;
  Registry::Handle m_hSubKey = 0;
};
