// Feeds arbitrary lines to the community text list's line reader. Any crash,
// hang, read outside a string or escaping exception is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lists/BHOListSysinfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  std::string status, desc, url;
  BHOListSysinfo::ReadDataFromText(line, status, desc, url);
  return 0;
}
