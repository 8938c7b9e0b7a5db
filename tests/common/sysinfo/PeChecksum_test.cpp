// The PE image checksum on made-up buffers where its rules show (real
// images: win/PeChecksumWin_test.cpp and tools/bench/pe-checksum-check.sh).
#include "common/sysinfo/PeChecksum.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"

namespace {

std::uint32_t Sum(const std::string& bytes) {
  return PeChecksum::Compute(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// A tiny PE header: "MZ", e_lfanew at 0x3C = 0x40, "PE\0\0" there, and the
// checksum field at 0x40 + 88.
std::string TinyImage(std::uint32_t stored) {
  std::string bytes(0x40 + 88 + 4 + 5, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes[0x3C] = 0x40;
  bytes.replace(0x40, 4, std::string("PE\0\0", 4));
  for (int i = 0; i < 4; ++i) bytes[0x40 + 88 + i] = static_cast<char>(stored >> (8 * i));
  bytes[bytes.size() - 1] = '\x7F';  // odd length: the last byte counts as a low byte
  return bytes;
}

TEST(PeChecksum, TheStoredFieldCountsAsZeroAndCarriesWrapAround) {
  const std::string a = TinyImage(0), b = TinyImage(0xDEADBEEF);
  EXPECT_EQ(Sum(a), Sum(b));
  std::uint32_t stored = 0;
  ASSERT_TRUE(PeChecksum::HeaderChecksum(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), stored));
  EXPECT_EQ(0xDEADBEEFu, stored);
  // By hand: 'M' | 'Z' << 8, 0x40, 'P' | 'E' << 8, 0x7F, then the length.
  EXPECT_EQ(0x5A4Du + 0x40u + 0x4550u + 0x7Fu + a.size(), Sum(a));

  // No PE image: every word counts, and 0xFFFF + 0x0001 carries round to 1.
  const std::string words("\xFF\xFF\x01\x00", 4);
  EXPECT_EQ(0x0001u + 4u, Sum(words));
  EXPECT_FALSE(PeChecksum::HeaderChecksum(reinterpret_cast<const std::uint8_t*>(words.data()), 4, stored));
  EXPECT_EQ(0u, Sum(""));
  // A header pointing past the end is no image either.
  std::string broken = TinyImage(0);
  broken[0x3C] = '\x7F';
  broken[0x3D] = '\x7F';
  EXPECT_FALSE(PeChecksum::HeaderChecksum(reinterpret_cast<const std::uint8_t*>(broken.data()), broken.size(),
                                          stored));
}

TEST(PeChecksum, AFileThatCannotBeReadFails) {
  test::TempDir dir;
  std::uint32_t sum = 0;
  EXPECT_FALSE(PeChecksum::OfFile(dir.File("missing.dll"), sum));
}

}  // namespace
