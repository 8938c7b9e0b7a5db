// A file opened for reading in binary mode while other processes may read
// it but not write to it (where the platform can lock that way). Reads go
// through a 64 KiB stdio buffer of the object's own (the C library would
// otherwise pick its own size), so callers that read in small chunks do not
// pay a system call per chunk.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile() { Close(); }
  ReadOnlyFile(ReadOnlyFile&& other) noexcept
      : m_pFile(other.m_pFile), m_pBuffer(std::move(other.m_pBuffer)) {
    other.m_pFile = nullptr;
  }
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
      Close();
      m_pFile = other.m_pFile;
      m_pBuffer = std::move(other.m_pBuffer);
      other.m_pFile = nullptr;
    }
    return *this;
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // False with the system error in SystemApi::GetLastError().
  bool Open(const std::string& path);
  void Close() {
    if (m_pFile) std::fclose(m_pFile);
    m_pFile = nullptr;
  }
  bool IsOpen() const { return m_pFile != nullptr; }
  std::FILE* Get() const { return m_pFile; }

  static constexpr std::size_t kBufferSize = 64 * 1024;

 private:
  // Gives the newly opened file its buffer.
  void UseBuffer() {
    if (!m_pBuffer) m_pBuffer = std::make_unique<char[]>(kBufferSize);
    std::setvbuf(m_pFile, m_pBuffer.get(), _IOFBF, kBufferSize);
  }

  std::FILE* m_pFile = nullptr;
  std::unique_ptr<char[]> m_pBuffer;  // outlives the file: Close() comes first
};
