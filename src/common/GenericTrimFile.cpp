// Cutting a text file to its tail: the log's guard against unbounded growth.
#include <cstdio>

#include "common/ErrorCheck.h"
#include "common/FileSystem.h"
#include "common/Generic.h"
#include "common/WaitCursor.h"

namespace Generic {
namespace {

// An owned C runtime file for the guarded steps below.
class StdioFile {
 public:
  StdioFile() = default;
  ~StdioFile() {
    if (m_pFile) std::fclose(m_pFile);
  }
  StdioFile(const StdioFile&) = delete;
  StdioFile& operator=(const StdioFile&) = delete;

  bool Open(const std::string& path, const char* mode) {
    m_pFile = FileSystem::OpenFile(path, mode);
    return m_pFile != nullptr;
  }
  bool Close() {
    std::FILE* f = m_pFile;
    m_pFile = nullptr;
    return f && std::fclose(f) == 0;
  }
  std::FILE* Get() const { return m_pFile; }

 private:
  std::FILE* m_pFile = nullptr;
};

// One line without its line end; false at the end of the file. A CR before
// the LF belongs to the line end, as text mode reads it.
bool ReadLine(std::FILE* f, std::string& line) {
  line.clear();
  int c = std::fgetc(f);
  if (c == EOF) return false;
  for (; c != EOF && c != '\n'; c = std::fgetc(f)) line += static_cast<char>(c);
  if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
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
    if (Succeeded(hr)) {
      std::string sLine;
      ReadLine(fileIn.Get(), sLine);  // the tail of a line cut in the middle
      while (Succeeded(hr) && ReadLine(fileIn.Get(), sLine)) {
        sLine += '\n';
        EC_B(hr, 1 == std::fwrite(sLine.data(), sLine.size(), 1, fileOut.Get()));
      }
    }
    EC_B(hr, fileIn.Close());
    EC_B(hr, fileOut.Close());
  }
  int nErrUnused = 0;
  EC_B(hr, Generic::RemoveFile(sPathIn, nErrUnused));
  EC_B(hr, Generic::RenameFile(sPathOut, sPathIn));
  return hr;
}

}  // namespace Generic
