#include <windows.h>
#include <objbase.h>

#include <memory>
#include <vector>

#include "common/registry/MyRegistry.h"
#include "model/ClassRegistry.h"

namespace ClassRegistry {
namespace {

struct CoTaskMemDeleter {
  void operator()(wchar_t* p) const { ::CoTaskMemFree(p); }
};

// What the system's lookup reads, for a registry other than the system's.
bool ProgIDFromStore(const std::string& sClsid, std::string& sProgId) {
  MyRegistry reg;
  std::string sValue;
  if (!IsClsidText(sClsid) || !reg.Open(Registry::kClassesRoot, "CLSID\\" + sClsid + "\\ProgID", false) ||
      !reg.ReadValueString("", sValue) || sValue.empty())
    return false;
  sProgId = sValue;
  return true;
}

}  // namespace

bool ProgIDFromCLSID(const std::string& sClsid, std::string& sProgId) {
  if (&Registry::CurrentStore() != &Registry::PlatformStore()) return ProgIDFromStore(sClsid, sProgId);
  std::vector<wchar_t> wide(sClsid.size() + 1);
  if (!::MultiByteToWideChar(CP_ACP, 0, sClsid.c_str(), -1, wide.data(), static_cast<int>(wide.size())))
    return false;
  CLSID clsid{};
  if (FAILED(::CLSIDFromString(wide.data(), &clsid))) return false;
  wchar_t* pRaw = nullptr;
  if (FAILED(::ProgIDFromCLSID(clsid, &pRaw)) || !pRaw) return false;
  const std::unique_ptr<wchar_t, CoTaskMemDeleter> progId(pRaw);
  char buf[512] = {};
  if (!::WideCharToMultiByte(CP_ACP, 0, progId.get(), -1, buf, sizeof buf, nullptr, nullptr)) return false;
  sProgId = buf;
  return !sProgId.empty();
}

}  // namespace ClassRegistry
