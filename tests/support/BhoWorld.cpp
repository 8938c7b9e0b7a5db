#include "support/BhoWorld.h"

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"

namespace test {

BhoWorld::BhoWorld() : m_sPreviousModule(SystemApi::SetModuleFileNameOverride(m_dir.File("Tarvolin.exe"))) {}

BhoWorld::~BhoWorld() {
  m_pLists.reset();
  SystemApi::SetModuleFileNameOverride(m_sPreviousModule);
}

void BhoWorld::Register(const std::string& clsid, const std::string& dllPath, bool bExpand) {
  MyRegistry bho(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + clsid, true);
  if (dllPath.empty()) return;
  MyRegistry server(Registry::kClassesRoot, "CLSID\\" + clsid + "\\InProcServer32", true);
  const std::uint32_t type = bExpand ? Registry::kExpandSz : Registry::kSz;
  Registry::CurrentStore().SetValue(server.GetHandle(), "", type,
                                    reinterpret_cast<const std::uint8_t*>(dllPath.c_str()),
                                    static_cast<std::uint32_t>(dllPath.size() + 1));
}

void BhoWorld::SetProgId(const std::string& clsid, const std::string& progId) {
  MyRegistry reg(Registry::kClassesRoot, "CLSID\\" + clsid + "\\ProgID", true);
  reg.SaveValueString("", progId);
}

void BhoWorld::DisableSP2Way(const std::string& clsid) {
  MyRegistry reg(Registry::kCurrentUser, std::string(REGKEY_BHO_DISABLED) + "\\" + clsid, true);
  reg.SaveValueDWord("Flags", 0);
}

void BhoWorld::OpenLists() {
  m_pLists.reset();  // the old lists clear the shared pointers when they go
  m_pLists = std::make_unique<KnownLists>();
}

}  // namespace test
