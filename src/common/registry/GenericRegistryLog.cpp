// Writing a registry sub-tree into the log, for the system description.
#include "common/registry/GenericRegistryLog.h"

#include <cstdio>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/registry/MyRegistry.h"

namespace Generic {
namespace {

constexpr DWord kMaxBinaryDump = 512;

std::string BinaryText(MyRegistry& reg, const std::string& name) {
  DWord size = 0;
  if (!reg.ReadValueBinary(name, nullptr, size)) return std::string();
  if (size == 0) return "{ Zero-length }";
  std::vector<std::uint8_t> data(size);
  if (!reg.ReadValueBinary(name, data.data(), size)) return "{ Error }";
  std::string text;
  char hex[4];
  for (DWord i = 0; i < size && i < kMaxBinaryDump; ++i) {
    std::snprintf(hex, sizeof hex, "%02x ", data[i]);
    text += hex;
  }
  if (size > kMaxBinaryDump) text += "... { truncated } ";
  return text;
}

std::string ValueText(MyRegistry& reg, const std::string& name, DWord type) {
  switch (type) {
    case Registry::kSz:
    case Registry::kExpandSz: {
      std::string value;
      return reg.ReadValueString(name, value) ? value : "{ Error }";
    }
    case Registry::kDWord:
    case Registry::kDWordBigEndian: {
      DWord value = 0;
      return reg.ReadValueDWord(name, value) ? std::to_string(static_cast<int>(value)) : "{ Error }";
    }
    case Registry::kBinary: return BinaryText(reg, name);
    case Registry::kMultiSz: return reg.ProbeValue(name) ? std::string() : "{ Error }";
    case Registry::kNone:
    case Registry::kLink:
    case 8:   // REG_RESOURCE_LIST
    case 9:   // REG_FULL_RESOURCE_DESCRIPTOR
    case 10:  // REG_RESOURCE_REQUIREMENTS_LIST
      return "{ Undisplayable }";
    default: return std::string();
  }
}

}  // namespace

const char* RegistryTypeName(std::uint32_t type) {
  static const char* const kNames[] = {"REG_NONE",
                                       "REG_SZ",
                                       "REG_EXPAND_SZ",
                                       "REG_BINARY",
                                       "REG_DWORD",
                                       "REG_DWORD_BIG_ENDIAN",
                                       "REG_LINK",
                                       "REG_MULTI_SZ",
                                       "REG_RESOURCE_LIST",
                                       "REG_FULL_RESOURCE_DESCRIPTOR",
                                       "REG_RESOURCE_REQUIREMENTS_LIST"};
  return type < sizeof kNames / sizeof kNames[0] ? kNames[type] : "";
}

void LogRegistryKey(std::uintptr_t root, const std::string& key, int& depth) {
  if (root == 0 || key.empty()) return;
  MyRegistry reg(root, key, true);
  if (!reg.IsOpen()) return;

  LOGA("%s%s\n", std::string(static_cast<std::size_t>(depth) * 5, ' '), key);
  ++depth;
  const std::string indent(static_cast<std::size_t>(depth) * 5, ' ');

  std::list<std::string> names;
  std::vector<DWord> types;
  reg.EnumValues(names, types);
  std::size_t index = 0;
  for (const std::string& name : names) {
    const DWord type = index < types.size() ? types[index] : Registry::kNone;
    ++index;
    LOGA("%sValue: %s (%s): %s\n", indent, name, RegistryTypeName(type), ValueText(reg, name, type));
  }

  std::list<std::string> subKeys;
  reg.EnumSubKeys(subKeys);
  for (const std::string& subKey : subKeys) LogRegistryKey(root, key + "\\" + subKey, depth);
  --depth;
}

}  // namespace Generic
