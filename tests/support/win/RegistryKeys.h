// Keys and values a Windows test makes in the real registry, deleted again
// when the object goes (only what did not exist before).
#pragma once

#include <windows.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace test {

inline std::vector<std::string> SubKeys(HKEY root, const std::string& path);

class RegistryKeys {
 public:
  RegistryKeys() = default;
  RegistryKeys(const RegistryKeys&) = delete;
  RegistryKeys& operator=(const RegistryKeys&) = delete;
  ~RegistryKeys() {
    for (const auto& [root, path, name] : m_values) ::SHDeleteValueA(root, path.c_str(), name.c_str());
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it)
      ::SHDeleteKeyA(it->first, it->second.c_str());
  }

  static bool Exists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
  }

  // Whatever of `path` does not exist yet, made later by the test or by the
  // program, is deleted at the end.
  void DeleteAtEnd(HKEY root, const std::string& path) {
    for (size_t end = 0; end != std::string::npos;) {
      end = path.find('\\', end + 1);
      const std::string level = path.substr(0, end);
      if (!Exists(root, level)) {
        m_created.emplace_back(root, level);
        break;
      }
    }
  }

  void Create(HKEY root, const std::string& path) {
    DeleteAtEnd(root, path);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        << path;
    ::RegCloseKey(key);
  }

  void Set(HKEY root, const std::string& path, const char* name, DWORD type, const std::string& text) {
    Create(root, path);
    m_values.emplace_back(root, path, name ? name : "");
    ASSERT_EQ(ERROR_SUCCESS, ::SHSetValueA(root, path.c_str(), name, type, text.c_str(),
                                           static_cast<DWORD>(text.size() + 1)));
  }
  void SetDWord(HKEY root, const std::string& path, const char* name, DWORD value) {
    Create(root, path);
    m_values.emplace_back(root, path, name);
    ASSERT_EQ(ERROR_SUCCESS, ::SHSetValueA(root, path.c_str(), name, REG_DWORD, &value, sizeof value));
  }

 private:
  std::vector<std::pair<HKEY, std::string>> m_created;               // first new levels of keys
  std::vector<std::tuple<HKEY, std::string, std::string>> m_values;  // values set in keys
};

inline std::vector<std::string> SubKeys(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  char name[512];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  ::RegCloseKey(key);
  return names;
}

}  // namespace test
