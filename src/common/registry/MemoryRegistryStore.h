// A registry held in memory: a tree of keys with typed values, behaving like
// the Windows registry wherever the program can tell the difference. It is
// the native build's registry and a stand-in for tests; nothing is persisted.
//
// Semantics kept from the real registry (checked against Wine's):
// - key and value names compare case-insensitively (ASCII and the Latin
//   letters of code page 1252) and keep the spelling of their creation;
// - sub-keys and values enumerate sorted by their lower-cased names, the way
//   Wine's registry orders them (Windows orders values by creation instead);
// - a buffer too small gives ERROR_MORE_DATA (234) with the size needed;
// - a key with sub-keys cannot be deleted (ERROR_ACCESS_DENIED, 5); handles
//   to a deleted key fail with ERROR_KEY_DELETED (1018) until closed;
// - a path beginning with a back-slash is ERROR_BAD_PATHNAME (161); empty
//   levels (doubled or trailing back-slashes) are skipped;
// - every handle carries the rights it was opened with (KEY_SET_VALUE to
//   write, KEY_QUERY_VALUE to read, ...), and a key can be made read-only
//   for the caller (DenyAccess), as HKEY_LOCAL_MACHINE is for a user
//   without administrator rights;
// - HKEY_CLASSES_ROOT shows HKEY_LOCAL_MACHINE\Software\Classes (the
//   per-user classes of newer Windows are not merged in).
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "common/registry/RegistryStore.h"

namespace Registry {

class MemoryRegistryStore : public Store {
 public:
  MemoryRegistryStore();
  ~MemoryRegistryStore() override;
  MemoryRegistryStore(const MemoryRegistryStore&) = delete;
  MemoryRegistryStore& operator=(const MemoryRegistryStore&) = delete;

  long OpenKey(Handle parent, const std::string& path, std::uint32_t access, Handle& key) override;
  long CreateKey(Handle parent, const std::string& path, const std::string& className, std::uint32_t access,
                 Handle& key) override;
  long CloseKey(Handle key) override;
  long QueryValue(Handle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long SetValue(Handle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override;
  long EnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
  long EnumValue(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                 std::uint32_t* type) override;
  long DeleteKey(Handle parent, const std::string& name) override;

  // Makes the key (created if missing) and everything below it read-only
  // for the caller: opening it with more than KEY_READ, creating keys or
  // setting values in it, or deleting it fails with ERROR_ACCESS_DENIED.
  long DenyAccess(Handle root, const std::string& path);
  // Gives the key its full rights back (denials on its parents still hold).
  long AllowAccess(Handle root, const std::string& path);

  // Handles opened and not yet closed (predefined roots not counted).
  std::size_t OpenHandleCount() const;

 private:
  struct Node;
  struct OpenKeyEntry {
    std::shared_ptr<Node> node;
    std::uint32_t access;
  };

  enum class Walking { Open, Create, CreateIgnoringRights };

  long ResolveHandle(Handle key, std::uint32_t required, std::shared_ptr<Node>& node) const;
  long Walk(std::shared_ptr<Node> from, const std::string& path, Walking mode, std::shared_ptr<Node>& found);
  Handle AddHandle(const std::shared_ptr<Node>& node, std::uint32_t access);
  long SetAllowed(Handle root, const std::string& path, std::uint32_t allowed);

  mutable std::mutex m_mutex;
  std::shared_ptr<Node> m_pCurrentUser;
  std::shared_ptr<Node> m_pLocalMachine;
  std::shared_ptr<Node> m_pClassesRoot;  // HKEY_LOCAL_MACHINE\Software\Classes
  std::map<Handle, OpenKeyEntry> m_mapHandles;
  Handle m_hNext = 0x1000;
};

}  // namespace Registry
