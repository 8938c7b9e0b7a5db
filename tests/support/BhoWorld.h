// A small world for loading BHO records: a program directory of its own
// (with the list files and the INI file), an in-memory registry, and helpers
// that register a BHO the way an installer does.
#pragma once

#include <memory>
#include <string>

#include "common/base/SystemApi.h"
#include "lists/KnownLists.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestSupport.h"

namespace test {

class BhoWorld {
 public:
  BhoWorld();
  ~BhoWorld();

  const std::string& Dir() const { return m_dir.Path(); }
  std::string File(const std::string& name) const { return m_dir.File(name); }

  // HKLM BHO sub-key plus HKCR InProcServer32 default value (REG_SZ, or
  // REG_EXPAND_SZ when `bExpand`); an empty path registers no class.
  void Register(const std::string& clsid, const std::string& dllPath, bool bExpand = false);
  void SetProgId(const std::string& clsid, const std::string& progId);
  void DisableSP2Way(const std::string& clsid);

  void WriteMakerList(const std::string& text) { WriteFile(File("Tarvolin20List.ini"), text); }
  void WriteTextList(const std::string& text) { WriteFile(File("bholist.txt"), text); }
  void WriteHtmlList(const std::string& text) { WriteFile(File("bhotb-all.html"), text); }
  void WriteIni(const std::string& text) { WriteFile(File("Tarvolin.ini"), text); }

  // Creates the three list objects (all files must exist: no download).
  void OpenLists();

  Registry::MemoryRegistryStore& Store() { return m_registry.Store(); }
  ScopedLog& Log() { return m_log; }

 private:
  ScopedLog m_log;
  TempDir m_dir;
  ScopedMemoryRegistry m_registry;
  std::string m_sPreviousModule;
  std::unique_ptr<KnownLists> m_pLists;
};

}  // namespace test
