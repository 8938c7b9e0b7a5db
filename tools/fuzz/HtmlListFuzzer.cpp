// Feeds arbitrary text to the community HTML list's row finder and cell
// parser: the first line is the key, the rest the file's lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lists/BHOListCops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  const std::string key = lines.front();
  lines.erase(lines.begin());
  std::string row, status, desc, url;
  if (BHOListCops::FindRow(lines, key, row)) BHOListCops::ParseRow(row, key, status, desc, url);
  BHOListCops::ParseRow(text, key, status, desc, url);
  return 0;
}
