// The one owner of a C runtime file. Close() tells whether everything
// written reached the file: a full disk often shows only when the last
// buffered bytes are flushed, so a writer that must know calls Close()
// itself; the destructor closes quietly. Failures leave their reason in
// SystemApi::GetLastError().
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

class StdioFile {
 public:
  StdioFile() = default;
  ~StdioFile() { Close(); }
  StdioFile(StdioFile&& other) noexcept : m_pFile(other.m_pFile), m_pBuffer(std::move(other.m_pBuffer)) {
    other.m_pFile = nullptr;
  }
  StdioFile& operator=(StdioFile&& other) noexcept {
    if (this != &other) {
      Close();
      m_pFile = other.m_pFile;
      m_pBuffer = std::move(other.m_pBuffer);
      other.m_pFile = nullptr;
    }
    return *this;
  }
  StdioFile(const StdioFile&) = delete;
  StdioFile& operator=(const StdioFile&) = delete;

  // fopen's modes on a program path (Windows text mode turns "\n" into
  // CR LF). An open file is closed first.
  bool Open(const std::string& path, const char* mode);
  // Binary reading while other processes may read the file but not write
  // it (where the platform can lock that way), through a 64 KiB buffer of
  // the object's own, so small reads cost no system call each.
  bool OpenForReading(const std::string& path);

  // Bytes read; fewer than asked at the end of the file or on an error.
  std::size_t Read(void* buffer, std::size_t size) {
    return m_pFile ? std::fread(buffer, 1, size, m_pFile) : 0;
  }
  // The next line without its "\n" (text mode also drops the CR before it);
  // false at the end of the file, which is no system error.
  bool ReadString(std::string& line);
  bool ReadFailed() const { return !m_pFile || std::ferror(m_pFile) != 0; }
  bool Write(const void* data, std::size_t size);
  bool Write(const std::string& text) { return Write(text.data(), text.size()); }
  bool Flush();
  // False when buffered bytes could not be written or the close failed; the
  // file is closed either way. Closing a closed file succeeds.
  bool Close();

  bool IsOpen() const { return m_pFile != nullptr; }
  std::FILE* Get() const { return m_pFile; }

  static constexpr std::size_t kBufferSize = 64 * 1024;

 private:
  void UseBuffer() {
    if (!m_pBuffer) m_pBuffer = std::make_unique<char[]>(kBufferSize);
    std::setvbuf(m_pFile, m_pBuffer.get(), _IOFBF, kBufferSize);
  }

  std::FILE* m_pFile = nullptr;
  std::unique_ptr<char[]> m_pBuffer;  // outlives the file: Close() comes first
};
