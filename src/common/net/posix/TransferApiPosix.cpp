// Temporary files for the POSIX transfer stand-ins, named as Windows names
// them: the folder, up to three letters of the prefix, a hexadecimal number
// and ".tmp".
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "common/base/SystemApi.h"
#include "common/files/StdioFile.h"
#include "common/net/TransferApi.h"

namespace TransferApi {

bool GetTempPath(std::string& tempDir) {
  std::string dir;
  if (!SystemApi::GetEnvironmentVariable("TMPDIR", dir) || dir.empty()) dir = "/tmp";
  for (char& c : dir) {
    if (c == '/') c = '\\';
  }
  if (dir.back() != '\\') dir += '\\';
  tempDir = dir;
  SystemApi::SetLastError(0);
  return true;
}

bool GetTempFileName(const std::string& dir, const std::string& prefix, std::string& path) {
  std::string base = dir;
  if (!base.empty() && base.back() != '\\') base += '\\';
  base += prefix.substr(0, 3);
  const unsigned start = static_cast<unsigned>(getpid() ^ std::time(nullptr));
  for (unsigned i = 0; i < 0xFFFFu; ++i) {
    const unsigned unique = (start + i) % 0xFFFFu + 1;
    char name[16];
    std::snprintf(name, sizeof name, "%X.tmp", unique);
    // "x": created here, never an existing file taken over.
    if (StdioFile file; file.Open(base + name, "wbx")) {
      path = base + name;
      return true;
    }
    if (SystemApi::GetLastError() != 183) return false;  // anything but "already exists"
  }
  return false;
}

}  // namespace TransferApi
