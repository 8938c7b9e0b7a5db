#include <objbase.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "model/ClassRegistry.h"

namespace ClassRegistry {
namespace {

struct CoTaskMemDeleter {
  void operator()(wchar_t* p) const { ::CoTaskMemFree(p); }
};

}  // namespace

bool ProgIDFromCLSID(const std::string& sClsid, std::string& sProgId) {
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
