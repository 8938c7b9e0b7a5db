// Feeds arbitrary bytes to the version resource reader twice: as a whole PE
// file, and as a version block on its own. Any read outside the input, any
// hang and any crash is a finding.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/fileinfo/PeVersionReader.h"
#include "common/fileinfo/VersionBlock.h"

namespace {

const char* const kNames[] = {"Comments",         "CompanyName",  "FileDescription",
                              "FileVersion",      "InternalName", "LegalCopyright",
                              "OriginalFilename", "ProductName",  "ProductVersion"};

std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Queries a block the way the program does: the fixed information, the
// translation table, then the nine strings of the first language.
void QueryBlock(const std::uint8_t* data, std::size_t size) {
  VersionBlock::Value value;
  if (VersionBlock::Find(data, size, "\\", value)) VersionBlock::ToText(data, value);
  std::string language = "040904b0";
  if (VersionBlock::Find(data, size, "\\VarFileInfo\\Translation", value) && value.ByteLength() >= 4) {
    const std::uint32_t first = Read32(data + value.offset);
    char hex[9];
    std::snprintf(hex, sizeof(hex), "%04x%04x", static_cast<unsigned>(first & 0xFFFF),
                  static_cast<unsigned>(first >> 16));
    language = hex;
  }
  for (const char* name : kNames) {
    if (VersionBlock::Find(data, size, "\\StringFileInfo\\" + language + "\\" + name, value)) {
      VersionBlock::ToText(data, value);
    }
  }
  if (VersionBlock::Find(data, size, "\\\\StringFileInfo\\\\", value)) VersionBlock::ToText(data, value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PeVersionReader::MemorySource image(data, size);
  PeVersionReader::Location found;
  if (PeVersionReader::FindVersionResource(image, found)) {
    // A buffer of exactly the resource's size, so a read past it is caught.
    std::vector<std::uint8_t> block(found.size);
    if (image.ReadAt(found.offset, block.data(), block.size())) QueryBlock(block.data(), block.size());
  }
  // The input as a block on its own, in a buffer of its exact size.
  std::vector<std::uint8_t> copy(data, data + size);
  QueryBlock(copy.data(), copy.size());
  return 0;
}
