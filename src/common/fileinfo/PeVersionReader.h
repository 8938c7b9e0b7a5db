// Finds the version resource of a PE32 or PE32+ file (an .exe or .dll) by
// reading its headers, section table and resource directory. Everything the
// file says is checked before use: a truncated or hostile file gives "not
// found", never a read outside the file or an unbounded loop or allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace PeVersionReader {

// Random access to the bytes of an image.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Reads exactly `length` bytes at `offset`; false when they are not all there.
  virtual bool ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const = 0;
};

class MemorySource final : public ByteSource {
 public:
  MemorySource(const std::uint8_t* data, std::size_t size) : m_pData(data), m_nSize(size) {}
  std::uint64_t Size() const override { return m_nSize; }
  bool ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const override;

 private:
  const std::uint8_t* m_pData;
  std::size_t m_nSize;
};

// An open file; the caller keeps it open while the source is used.
class FileSource final : public ByteSource {
 public:
  explicit FileSource(std::FILE* file);
  std::uint64_t Size() const override { return m_nSize; }
  bool ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const override;

 private:
  std::FILE* m_pFile;
  std::uint64_t m_nSize = 0;
};

// Version resources are at most 64 KiB (their length is a 16-bit field);
// a resource entry claiming more is read only that far.
constexpr std::uint32_t kMaxResourceSize = 0x10000;
// More sections than any linker writes mark the file as damaged.
constexpr unsigned kMaxSections = 1024;

struct Location {
  std::uint64_t offset = 0;  // in the file
  std::uint32_t size = 0;    // as the resource entry states it, at most kMaxResourceSize
};

// The resource of type 16 (version) with the id 1, in the neutral language,
// else in U.S. English, else in the first language listed. False when the
// image is not a PE file, has no such resource, or its bytes are not all in
// the file.
bool FindVersionResource(const ByteSource& image, Location& found);

}  // namespace PeVersionReader
