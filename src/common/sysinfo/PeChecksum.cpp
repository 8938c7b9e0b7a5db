#include "common/sysinfo/PeChecksum.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "common/base/SystemApi.h"
#include "common/files/FileSystem.h"

namespace {

std::uint32_t Read32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Offset of the optional header's CheckSum field, or 0 for no PE image. The
// field sits at the same place in PE32 and PE32+ headers.
std::size_t ChecksumOffset(const std::uint8_t* data, std::size_t size) {
  if (size < 0x40 || data[0] != 'M' || data[1] != 'Z') return 0;
  const std::uint32_t peOffset = Read32(data + 0x3C);
  constexpr std::size_t kFieldInHeaders = 4 + 20 + 64;  // signature, file header, up to CheckSum
  if (peOffset > size || size - peOffset < kFieldInHeaders + 4) return 0;
  if (Read32(data + peOffset) != 0x00004550) return 0;  // "PE\0\0"
  return peOffset + kFieldInHeaders;
}

}  // namespace

namespace PeChecksum {

std::uint32_t Compute(const std::uint8_t* data, std::size_t size) {
  const std::size_t field = ChecksumOffset(data, size);
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < size; i += 2) {
    if (field != 0 && i >= field && i < field + 4) continue;
    std::uint32_t word = data[i];
    if (i + 1 < size) word |= static_cast<std::uint32_t>(data[i + 1]) << 8;
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum + size);
}

bool HeaderChecksum(const std::uint8_t* data, std::size_t size, std::uint32_t& checksum) {
  const std::size_t field = ChecksumOffset(data, size);
  if (field == 0) return false;
  checksum = Read32(data + field);
  return true;
}

bool OfFile(const std::string& path, std::uint32_t& checksum) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(FileSystem::OpenFile(path, "rb"), &std::fclose);
  if (!file) return false;
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    bytes.insert(bytes.end(), buffer, buffer + n);
  if (std::ferror(file.get())) {
    FileSystem::KeepRuntimeError();
    return false;
  }
  checksum = Compute(bytes.data(), bytes.size());
  return true;
}

}  // namespace PeChecksum
