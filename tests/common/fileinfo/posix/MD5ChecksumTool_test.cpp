// Agreement with the system's md5sum on real files of several sizes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "common/fileinfo/MD5Checksum.h"
#include "support/TestSupport.h"

namespace {

std::string SystemMd5(const std::string& path) {
  std::FILE* pipe = popen(("md5sum '" + path + "'").c_str(), "r");
  if (!pipe) return "";
  char line[64] = {};
  const std::size_t n = std::fread(line, 1, 32, pipe);
  pclose(pipe);
  return std::string(line, n);
}

TEST(MD5ChecksumSystemTest, AgreesWithMd5sum) {
  if (std::system("command -v md5sum >/dev/null 2>&1") != 0) GTEST_SKIP() << "md5sum not installed";
  test::TempDir dir;
  std::mt19937 random(20050601);
  for (std::size_t size : {0u, 1024u, 1025u, 77777u, 3u * 1024 * 1024 + 5}) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    const std::string path = dir.File("random" + std::to_string(size) + ".bin");
    test::WriteFile(path, bytes);
    std::string native = path;
    for (char& c : native) {
      if (c == '\\') c = '/';
    }
    SCOPED_TRACE(size);
    EXPECT_EQ(SystemMd5(native), CMD5Checksum::GetMD5(path));
  }
  // And a real binary: this test program.
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(SystemMd5(self), CMD5Checksum::GetMD5(self));
}

}  // namespace
