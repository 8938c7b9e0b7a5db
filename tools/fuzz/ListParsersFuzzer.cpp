// Feeds arbitrary text to the known-BHO list parsers: the community text
// list's line reader, the HTML list's row finder and cell parser, and the
// INI reader behind the maker's list. Any crash, hang, read outside a string
// or escaping exception is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/IniFile.h"
#include "common/MyLog.h"
#include "lists/BHOListCops.h"
#include "lists/BHOListSysinfo.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The first line is the key the other parsers look for.
  const auto newline = text.find('\n');
  const std::string key = text.substr(0, newline == std::string::npos ? 0 : newline);
  const std::string body = newline == std::string::npos ? text : text.substr(newline + 1);

  std::string status, desc, url;
  for (const std::string& line : Lines(body)) BHOListSysinfo::ReadDataFromText(line, status, desc, url);

  std::string row;
  if (BHOListCops::FindRow(Lines(body), key, row)) BHOListCops::ParseRow(row, key, status, desc, url);
  BHOListCops::ParseRow(body, key, status, desc, url);

  static const std::string path = "/tmp/list_parsers_fuzzer_" + std::to_string(getpid()) + ".ini";
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(body.data(), 1, body.size(), f);
    std::fclose(f);
    char value[260];
    IniFile::GetPrivateProfileString(key, "Status", "Unknown", value, sizeof value, path);
    IniFile::GetPrivateProfileString(key, "", "", value, 1, path);
  }
  return 0;
}
