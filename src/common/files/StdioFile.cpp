#include "common/files/StdioFile.h"

#include "common/base/SystemApi.h"
#include "common/files/FileSystem.h"

bool StdioFile::Open(const std::string& path, const char* mode) {
  Close();
  m_pFile = FileSystem::OpenFile(path, mode);
  return m_pFile != nullptr;
}

bool StdioFile::ReadString(std::string& line) {
  line.clear();
  char buffer[256];
  bool bRead = false;
  while (m_pFile && std::fgets(buffer, sizeof buffer, m_pFile)) {
    bRead = true;
    line += buffer;
    if (line.back() == '\n') {
      line.pop_back();
      break;
    }
  }
  if (!bRead) SystemApi::SetLastError(0);
  return bRead;
}

bool StdioFile::Write(const void* data, std::size_t size) {
  if (!m_pFile) return false;
  if (size == 0 || std::fwrite(data, size, 1, m_pFile) == 1) return true;
  FileSystem::KeepRuntimeError();
  return false;
}

bool StdioFile::Flush() {
  if (!m_pFile) return false;
  if (std::fflush(m_pFile) == 0) return true;
  FileSystem::KeepRuntimeError();
  return false;
}

bool StdioFile::Close() {
  if (!m_pFile) return true;
  std::FILE* f = m_pFile;
  m_pFile = nullptr;
  // Flushed on its own first: some C runtimes (Wine's msvcrt) let fclose
  // succeed although the bytes it flushed were refused.
  bool bWritten = std::fflush(f) == 0;
  if (!bWritten) FileSystem::KeepRuntimeError();
  // A stream that failed earlier has lost bytes, whatever the close says.
  bWritten = bWritten && std::ferror(f) == 0;
  const bool bClosed = std::fclose(f) == 0;
  if (bWritten && !bClosed) FileSystem::KeepRuntimeError();
  return bWritten && bClosed;
}
