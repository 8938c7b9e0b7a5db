// A registry sub-tree written into the log.
#pragma once

#include <cstdint>
#include <string>

namespace Generic {

// The key, its values and every sub-key, indented by depth.
void LogRegistryKey(std::uintptr_t root, const std::string& key, int& depth);

}  // namespace Generic
