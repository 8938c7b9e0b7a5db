// Unpacks the first entry of a zip archive, whatever it is called inside.
#pragma once

#include <cstdint>
#include <string>

class MyCompress {
 public:
  // Far above any real list (about 5 MB) and far below what an archive of
  // a few hundred kilobytes of zeros can unpack to.
  static constexpr std::uint64_t kMaxEntrySize = 64ull * 1024 * 1024;

  explicit MyCompress(std::uint64_t nMaxEntrySize = kMaxEntrySize) : m_nMaxEntrySize(nMaxEntrySize) {}
  virtual ~MyCompress() = default;

  // True when the first entry was unpacked completely, its checksum matched
  // and it took its place at `sOutputPath`. The entry is unpacked into a
  // side file beside the output first, so on any failure (a damaged
  // archive, an entry that unpacks to more than the limit, a disk that
  // refuses the bytes) the side file is removed and a file already at the
  // output path stays exactly as it was. The sizes the archive announces
  // are not trusted: the bytes actually unpacked are counted.
  bool Uncompress(const std::string& sOutputPath, const std::string& sZipPath);

  // Where the entry is unpacked before it is moved into place.
  static std::string SidePath(const std::string& sOutputPath) { return sOutputPath + ".unzip"; }

 private:
  std::uint64_t m_nMaxEntrySize;
};
