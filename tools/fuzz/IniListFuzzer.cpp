// Feeds arbitrary files to the INI reader behind the maker's list: the first
// line names the section asked for, the rest is the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/files/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto newline = text.find('\n');
  const std::string section = text.substr(0, newline == std::string::npos ? 0 : newline);
  const std::string body = newline == std::string::npos ? text : text.substr(newline + 1);

  static const std::string path = "/tmp/ini_list_fuzzer_" + std::to_string(getpid()) + ".ini";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(body.data(), 1, body.size(), f);
  std::fclose(f);
  char value[260];
  for (const char* key : {"Status", "Desc", "URL", "ReportsCount", "EnabledCount"})
    IniFile::GetPrivateProfileString(section, key, "Unknown", value, sizeof value, path);
  IniFile::GetPrivateProfileString(section, "Status", "", value, 1, path);
  return 0;
}
