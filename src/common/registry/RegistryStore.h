// The eight registry operations MyRegistry is built on. The Windows registry
// is one store (win/Win32RegistryStore); an in-memory tree is the other
// (MemoryRegistryStore). Results are Windows error numbers, returned the way
// the registry functions return them (not through the last error).
#pragma once

#include <cstdint>
#include <string>

namespace Registry {

using Handle = std::uintptr_t;

// The predefined roots, as their 32-bit values.
constexpr Handle kClassesRoot = 0x80000000u;
constexpr Handle kCurrentUser = 0x80000001u;
constexpr Handle kLocalMachine = 0x80000002u;

// Value types.
constexpr std::uint32_t kNone = 0, kSz = 1, kExpandSz = 2, kBinary = 3, kDWord = 4, kDWordBigEndian = 5,
                        kLink = 6, kMultiSz = 7;

// Access rights.
constexpr std::uint32_t kAllAccess = 0xF003F;
constexpr std::uint32_t kRead = 0x20019;
constexpr std::uint32_t kDeleteEnumerate = 0x10008;  // DELETE | KEY_ENUMERATE_SUB_KEYS

class Store {
 public:
  virtual ~Store() = default;

  virtual long OpenKey(Handle parent, const std::string& path, std::uint32_t access, Handle& key) = 0;
  // Creates every missing level; `className` is stored by the Windows store.
  virtual long CreateKey(Handle parent, const std::string& path, const std::string& className,
                         std::uint32_t access, Handle& key) = 0;
  virtual long CloseKey(Handle key) = 0;
  // With `data` null only type and size are reported. A buffer smaller than
  // the value gives 234 (ERROR_MORE_DATA) with `size` set to what is needed.
  virtual long QueryValue(Handle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                          std::uint32_t* size) = 0;
  virtual long SetValue(Handle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                        std::uint32_t size) = 0;
  // `nameSize` holds the buffer's capacity in characters including the
  // terminator and returns the name's length without it.
  virtual long EnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize) = 0;
  virtual long EnumValue(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                         std::uint32_t* type) = 0;
  // Fails while the key still has sub-keys.
  virtual long DeleteKey(Handle parent, const std::string& name) = 0;
};

// The store MyRegistry uses: the platform's unless replaced (tests).
Store& CurrentStore();
Store* SetCurrentStore(Store* store);  // returns the previous one; null restores the platform's

// The platform's own registry, one per process: the Windows registry, or an
// in-memory registry where there is none.
Store& PlatformStore();

}  // namespace Registry
