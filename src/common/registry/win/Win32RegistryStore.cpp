// The Windows registry behind the registry store interface: each operation
// is the one ANSI registry function, passing its result through unchanged.
#include <windows.h>

#include "common/registry/RegistryStore.h"

namespace Registry {
namespace {

// The predefined roots travel as their 32-bit values; as handles they are
// those values sign-extended (HKEY_CLASSES_ROOT is (HKEY)(LONG)0x80000000).
HKEY ToHkey(Handle handle) {
  if (handle >= 0x80000000u && handle <= 0x80000006u) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(handle))));
  }
  return reinterpret_cast<HKEY>(handle);
}

Handle FromHkey(HKEY key) { return reinterpret_cast<Handle>(key); }

class Win32RegistryStore : public Store {
 public:
  long OpenKey(Handle parent, const std::string& path, std::uint32_t access, Handle& key) override {
    HKEY hKey = nullptr;
    const LONG result = ::RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, access, &hKey);
    if (result == ERROR_SUCCESS) key = FromHkey(hKey);
    return result;
  }

  long CreateKey(Handle parent, const std::string& path, const std::string& className, std::uint32_t access,
                 Handle& key) override {
    HKEY hKey = nullptr;
    const LONG result =
        ::RegCreateKeyExA(ToHkey(parent), path.c_str(), 0, const_cast<char*>(className.c_str()),
                          REG_OPTION_NON_VOLATILE, access, nullptr, &hKey, nullptr);
    if (result == ERROR_SUCCESS) key = FromHkey(hKey);
    return result;
  }

  long CloseKey(Handle key) override { return ::RegCloseKey(ToHkey(key)); }

  long QueryValue(Handle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    DWORD dwType = REG_NONE;
    DWORD dwSize = size ? *size : 0;
    const LONG result =
        ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &dwType, data, size ? &dwSize : nullptr);
    if (type && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) *type = dwType;
    if (size && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) *size = dwSize;
    return result;
  }

  long SetValue(Handle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    return ::RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, size);
  }

  long EnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override {
    DWORD dwSize = nameSize ? *nameSize : 0;
    const LONG result = ::RegEnumKeyExA(ToHkey(key), index, name, nameSize ? &dwSize : nullptr, nullptr,
                                        nullptr, nullptr, nullptr);
    if (nameSize && result == ERROR_SUCCESS) *nameSize = dwSize;
    return result;
  }

  long EnumValue(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type) override {
    DWORD dwSize = nameSize ? *nameSize : 0;
    DWORD dwType = REG_NONE;
    const LONG result = ::RegEnumValueA(ToHkey(key), index, name, nameSize ? &dwSize : nullptr, nullptr,
                                        &dwType, nullptr, nullptr);
    if (result == ERROR_SUCCESS) {
      if (nameSize) *nameSize = dwSize;
      if (type) *type = dwType;
    }
    return result;
  }

  long DeleteKey(Handle parent, const std::string& name) override {
    return ::RegDeleteKeyA(ToHkey(parent), name.c_str());
  }
};

}  // namespace

Store& PlatformStore() {
  static Win32RegistryStore store;
  return store;
}

}  // namespace Registry
