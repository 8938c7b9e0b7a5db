// Cutting a text file to its tail: the log's guard against unbounded growth.
#include <cstdio>
#include <string>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/files/GenericFiles.h"
#include "common/files/StdioFile.h"
#include "common/ui/WaitCursor.h"

namespace Generic {
namespace {

// Copies the lines after the first line end of `in` to `out`, each ended
// with "\n" (so in text mode as the platform ends lines). A CR before the LF
// belongs to the line end, as a text-mode read sees it. Works in blocks: a
// character at a time is far too slow for a log of megabytes.
bool CopyFollowingLines(std::FILE* in, std::FILE* out) {
  std::vector<char> chunk(1 << 16);
  std::string pending;
  std::string lines;
  bool bInFirstLine = true;  // the tail of a line cut in the middle
  std::size_t n = 0;
  while ((n = std::fread(chunk.data(), 1, chunk.size(), in)) > 0) {
    pending.append(chunk.data(), n);
    std::size_t begin = 0;
    for (std::size_t lf; (lf = pending.find('\n', begin)) != std::string::npos; begin = lf + 1) {
      if (!bInFirstLine) {
        const std::size_t end = lf > begin && pending[lf - 1] == '\r' ? lf - 1 : lf;
        lines.append(pending, begin, end - begin);
        lines += '\n';
      }
      bInFirstLine = false;
    }
    pending.erase(0, begin);
    if (!lines.empty() && std::fwrite(lines.data(), lines.size(), 1, out) != 1) return false;
    lines.clear();
  }
  if (std::ferror(in)) return false;
  // A last line without a line end is copied with one.
  if (!bInFirstLine && !pending.empty()) {
    pending += '\n';
    return std::fwrite(pending.data(), pending.size(), 1, out) == 1;
  }
  return true;
}

}  // namespace

HResult TrimFileToTail(const std::string& path, DWord keep) {
  LOG_ENTRY("Generic::TrimFileToTail");
  HResult hr = kSOk;
  const std::string& sFileName = path;
  DWord dwLogSize = 0;
  EC_B(hr, Generic::GetFileSize(sFileName, dwLogSize));
  if (Failed(hr)) return hr;
  if (dwLogSize <= keep) return hr;
  const long nSkip = static_cast<long>(dwLogSize - keep);

  WaitCursor wait;
  const std::string sPathIn = path;
  std::string sPathOut = path + ".tmp";
  if (sPathOut.find('\\') == std::string::npos) sPathOut = "~" + sPathOut;

  {
    // The copy is written in text mode, so lines end as the log's own do.
    StdioFile fileOut;
    StdioFile fileIn;
    EC_B(hr, fileOut.Open(sPathOut, "w+"));
    EC_B(hr, fileIn.Open(sPathIn, "rb"));
    EC_B(hr, 0 == std::fseek(fileIn.Get(), nSkip, SEEK_SET));
    EC_B(hr, CopyFollowingLines(fileIn.Get(), fileOut.Get()));
    EC_B(hr, fileIn.Close());
    EC_B(hr, fileOut.Close());
  }
  int nErrUnused = 0;
  EC_B(hr, Generic::RemoveFile(sPathIn, nErrUnused));
  EC_B(hr, Generic::RenameFile(sPathOut, sPathIn));
  return hr;
}

}  // namespace Generic
