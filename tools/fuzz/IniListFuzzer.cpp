// Feeds arbitrary files to the INI reader behind the maker's list: the first
// line names the section asked for, the rest is the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/files/IniFile.h"

namespace {

// The input's file for one run, removed again when the run ends (however
// it ends, short of a crash), so no fuzzing session leaves files behind.
class ScopedIniFile {
 public:
  explicit ScopedIniFile(const std::string& body)
      : m_sPath("/tmp/ini_list_fuzzer_" + std::to_string(getpid()) + ".ini") {
    std::FILE* f = std::fopen(m_sPath.c_str(), "wb");
    if (!f) return;
    m_bWritten = std::fwrite(body.data(), 1, body.size(), f) == body.size();
    m_bWritten = std::fclose(f) == 0 && m_bWritten;
  }
  ~ScopedIniFile() { std::remove(m_sPath.c_str()); }
  ScopedIniFile(const ScopedIniFile&) = delete;
  ScopedIniFile& operator=(const ScopedIniFile&) = delete;

  bool IsWritten() const { return m_bWritten; }
  const std::string& Path() const { return m_sPath; }

 private:
  std::string m_sPath;
  bool m_bWritten = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto newline = text.find('\n');
  const std::string section = text.substr(0, newline == std::string::npos ? 0 : newline);
  const std::string body = newline == std::string::npos ? text : text.substr(newline + 1);

  const ScopedIniFile file(body);
  if (!file.IsWritten()) return 0;
  char value[260];
  for (const char* key : {"Status", "Desc", "URL", "ReportsCount", "EnabledCount"})
    IniFile::GetPrivateProfileString(section, key, "Unknown", value, sizeof value, file.Path());
  IniFile::GetPrivateProfileString(section, "Status", "", value, 1, file.Path());
  return 0;
}
