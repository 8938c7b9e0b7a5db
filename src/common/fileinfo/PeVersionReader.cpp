#include "common/fileinfo/PeVersionReader.h"

#include <climits>
#include <cstring>
#include <vector>

namespace PeVersionReader {
namespace {

constexpr std::uint16_t kResourceTypeVersion = 16;
constexpr std::uint16_t kVersionResourceId = 1;
constexpr std::uint16_t kLangNeutral = 0x0000;
constexpr std::uint16_t kLangEnglishUS = 0x0409;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000u;

std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Section {
  std::uint32_t virtualAddress;
  std::uint32_t rawSize;
  std::uint32_t rawPointer;
};

// The parts of a PE image needed to reach its resources.
class Image {
 public:
  explicit Image(const ByteSource& source) : m_source(source) {}

  bool Load();
  std::uint32_t ResourceRva() const { return m_nResourceRva; }

  // Reads `length` bytes at a relative virtual address; they must all lie
  // in one section's data in the file.
  bool ReadRva(std::uint64_t rva, void* buffer, std::size_t length) const {
    std::uint64_t offset = 0;
    return RvaToOffset(rva, length, offset) && m_source.ReadAt(offset, buffer, length);
  }
  bool RvaToOffset(std::uint64_t rva, std::uint64_t length, std::uint64_t& offset) const;

 private:
  const ByteSource& m_source;
  std::vector<Section> m_sections;
  std::uint32_t m_nResourceRva = 0;
};

bool Image::Load() {
  std::uint8_t dos[64];
  if (!m_source.ReadAt(0, dos, sizeof(dos)) || dos[0] != 'M' || dos[1] != 'Z') return false;
  const std::uint32_t peOffset = Read32(dos + 0x3C);

  // Signature and file header.
  std::uint8_t nt[24];
  if (!m_source.ReadAt(peOffset, nt, sizeof(nt)) || std::memcmp(nt, "PE\0\0", 4) != 0) return false;
  const unsigned nSections = Read16(nt + 6);
  const unsigned nOptionalSize = Read16(nt + 20);
  if (nSections == 0 || nSections > kMaxSections) return false;

  // Optional header: where the data directories start depends on 32 or 64 bits.
  std::uint8_t optional[240] = {};
  const std::size_t nOptionalRead = nOptionalSize < sizeof(optional) ? nOptionalSize : sizeof(optional);
  if (nOptionalRead < 2 || !m_source.ReadAt(peOffset + 24ull, optional, nOptionalRead)) return false;
  std::size_t countOffset = 0;
  switch (Read16(optional)) {
    case 0x10B: countOffset = 92; break;   // PE32
    case 0x20B: countOffset = 108; break;  // PE32+
    default: return false;
  }
  const std::size_t directoryOffset = countOffset + 4 + 8 * kResourceDirectoryIndex;
  if (nOptionalRead < directoryOffset + 8) return false;
  if (Read32(optional + countOffset) <= kResourceDirectoryIndex) return false;
  m_nResourceRva = Read32(optional + directoryOffset);
  if (m_nResourceRva == 0 || Read32(optional + directoryOffset + 4) == 0) return false;

  // Section table.
  std::vector<std::uint8_t> table(nSections * 40u);
  if (!m_source.ReadAt(peOffset + 24ull + nOptionalSize, table.data(), table.size())) return false;
  m_sections.reserve(nSections);
  for (unsigned i = 0; i < nSections; ++i) {
    const std::uint8_t* s = table.data() + 40u * i;
    m_sections.push_back({Read32(s + 12), Read32(s + 16), Read32(s + 20)});
  }
  return true;
}

bool Image::RvaToOffset(std::uint64_t rva, std::uint64_t length, std::uint64_t& offset) const {
  for (const Section& s : m_sections) {
    if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) continue;
    const std::uint64_t delta = rva - s.virtualAddress;
    if (length > s.rawSize - delta) return false;
    offset = s.rawPointer + delta;
    return offset + length <= m_source.Size();
  }
  return false;
}

// A resource directory: its entries, named ones first, then those with ids.
class Directory {
 public:
  Directory(const Image& image, std::uint32_t offset) : m_image(image), m_nOffset(offset) {}

  bool Load() {
    std::uint8_t header[16];
    if (!m_image.ReadRva(Address(m_nOffset), header, sizeof(header))) return false;
    m_nNamed = Read16(header + 12);
    m_nIds = Read16(header + 14);
    return true;
  }
  unsigned Count() const { return m_nNamed + m_nIds; }

  // The target (sub-directory or data entry, relative to the resource
  // root) of the entry with the given id.
  bool FindId(std::uint16_t id, std::uint32_t& target) const {
    // Read in runs of entries: a directory may list up to 65535 ids.
    constexpr unsigned kRun = 256;
    std::uint8_t entries[8 * kRun];
    for (unsigned first = m_nNamed; first < Count(); first += kRun) {
      const unsigned n = Count() - first < kRun ? Count() - first : kRun;
      if (!m_image.ReadRva(EntryAddress(first), entries, 8u * n)) return false;
      for (unsigned i = 0; i < n; ++i) {
        if (Read32(entries + 8u * i) == id) {
          target = Read32(entries + 8u * i + 4) & ~kSubdirectoryFlag;
          return true;
        }
      }
    }
    return false;
  }
  bool First(std::uint32_t& target) const {
    std::uint8_t entry[8];
    if (Count() == 0 || !m_image.ReadRva(EntryAddress(0), entry, sizeof(entry))) return false;
    target = Read32(entry + 4) & ~kSubdirectoryFlag;
    return true;
  }

 private:
  std::uint64_t Address(std::uint64_t offset) const { return m_image.ResourceRva() + offset; }
  std::uint64_t EntryAddress(unsigned index) const { return Address(m_nOffset + 16ull + 8ull * index); }

  const Image& m_image;
  std::uint32_t m_nOffset;
  unsigned m_nNamed = 0;
  unsigned m_nIds = 0;
};

}  // namespace

bool MemorySource::ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const {
  if (offset > m_nSize || length > m_nSize - offset) return false;
  if (length > 0) std::memcpy(buffer, m_pData + offset, length);
  return true;
}

FileSource::FileSource(std::FILE* file) : m_pFile(file) {
  if (m_pFile && std::fseek(m_pFile, 0, SEEK_END) == 0) {
    const long end = std::ftell(m_pFile);
    if (end > 0) m_nSize = static_cast<std::uint64_t>(end);
  }
}

bool FileSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t length) const {
  if (!m_pFile || offset > m_nSize || length > m_nSize - offset) return false;
  if (offset > static_cast<std::uint64_t>(LONG_MAX)) return false;
  if (std::fseek(m_pFile, static_cast<long>(offset), SEEK_SET) != 0) return false;
  return std::fread(buffer, 1, length, m_pFile) == length;
}

bool FindVersionResource(const ByteSource& source, Location& found) {
  Image image(source);
  if (!image.Load()) return false;

  std::uint32_t target = 0;
  Directory types(image, 0);
  if (!types.Load() || !types.FindId(kResourceTypeVersion, target)) return false;
  Directory names(image, target);
  if (!names.Load() || !names.FindId(kVersionResourceId, target)) return false;
  Directory languages(image, target);
  if (!languages.Load()) return false;
  if (!languages.FindId(kLangNeutral, target) && !languages.FindId(kLangEnglishUS, target) &&
      !languages.First(target)) {
    return false;
  }

  // The data entry: where the bytes are (a relative virtual address) and how many.
  std::uint8_t entry[16];
  if (!image.ReadRva(image.ResourceRva() + static_cast<std::uint64_t>(target), entry, sizeof(entry))) {
    return false;
  }
  const std::uint32_t dataRva = Read32(entry);
  std::uint32_t size = Read32(entry + 4);
  if (size == 0) return false;
  if (size > kMaxResourceSize) size = kMaxResourceSize;
  if (!image.RvaToOffset(dataRva, size, found.offset)) return false;
  found.size = size;
  return true;
}

}  // namespace PeVersionReader
