// A registry sub-tree written into the log.
#pragma once

#include <cstdint>
#include <string>

namespace Generic {

// The name of a registry value type as the dump writes it ("REG_SZ",
// "REG_DWORD", ...); empty for a type it does not know.
const char* RegistryTypeName(std::uint32_t type);

// The key, its values and every sub-key, indented by depth.
void LogRegistryKey(std::uintptr_t root, const std::string& key, int& depth);

}  // namespace Generic
