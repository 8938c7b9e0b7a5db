#include "common/fileinfo/MD5Checksum.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/base/ErrorCheck.h"
#include "common/base/FileException.h"
#include "common/files/StdioFile.h"
#include "common/ui/UserMessage.h"
#include "support/TestSupport.h"

namespace {

// Bytes that differ from their neighbours and repeat only every 251.
std::string Pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + 7) % 251);
  return s;
}

std::string Md5OfFile(const test::TempDir& dir, const std::string& bytes) {
  const std::string path = dir.File("data.bin");
  test::WriteFile(path, bytes);
  return CMD5Checksum::GetMD5(path);
}

TEST(MD5ChecksumTest, RfcTestSuite) {
  const struct {
    const char* message;
    const char* digest;
  } cases[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(c.digest, Md5OfFile(dir, c.message));
    EXPECT_EQ(c.digest, CMD5Checksum::GetMD5(c.message, std::string(c.message).size()));
  }
}

// Lengths around the padding limit (56 of 64) and the 1024-byte read chunk;
// the digests come from an independent implementation (Python's hashlib).
TEST(MD5ChecksumTest, LengthsAroundBlockAndChunkBoundaries) {
  const struct {
    std::size_t length;
    const char* digest;
  } cases[] = {
      {0, "d41d8cd98f00b204e9800998ecf8427e"},      {1, "89e74e640b8c46257a29de0616794d5d"},
      {55, "1669510e5afc0a71bfbfaf4a20b3de6e"},     {56, "6e3695e0591c6fe9e7cfbbcc2b1d921f"},
      {63, "d383d018b7539f249be241070c220927"},     {64, "8e6658f2b4cf0b0b1aa111706ebd66af"},
      {65, "c2ab08b8edd21ecd3d904af9ecca1acb"},     {119, "24cf1a5c50c41936b99983185ec172c3"},
      {120, "d77f2251ce2a54851f8054aa6c1122cc"},    {1023, "b8039def956018919e8d1d023887c7b2"},
      {1024, "dfae85dbefd593c9585551085fe8a481"},   {1025, "5579bab6c21d225cb6d3e8a14be3eca7"},
      {2048, "81f4914c4fe57c1d8f949725ef61d316"},   {2049, "8078807129854981cb9733dc1cff467f"},
      {65536, "c357d096e4fae7938164f2b4dc3ab270"},  {65537, "2698bbbb35d841c3832e5695fe77e428"},
      {100003, "fa7b4d39652445bf08d3c67192a8eb8e"},
  };
  test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string bytes = Pattern(c.length);
    EXPECT_EQ(c.digest, Md5OfFile(dir, bytes));
    EXPECT_EQ(c.digest, CMD5Checksum::GetMD5(bytes.data(), bytes.size()));
  }
}

TEST(MD5ChecksumTest, UpdatesInAnyPiecesGiveTheSameDigest) {
  const std::string bytes = Pattern(5000);
  for (std::size_t piece : {1u, 3u, 63u, 64u, 65u, 1000u, 4999u}) {
    SCOPED_TRACE(piece);
    CMD5Checksum md5;
    for (std::size_t pos = 0; pos < bytes.size(); pos += piece) {
      const std::size_t n = std::min(piece, bytes.size() - pos);
      md5.Update(reinterpret_cast<const std::uint8_t*>(bytes.data()) + pos, n);
    }
    std::uint8_t digest[16];
    md5.Final(digest);
    EXPECT_EQ(CMD5Checksum::GetMD5(bytes.data(), bytes.size()), CMD5Checksum::ToHex(digest));
  }
}

TEST(MD5ChecksumTest, HexTextKeepsLeadingZeros) {
  const std::uint8_t digest[16] = {0x00, 0x0a, 0xff, 0x10, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xa0};
  EXPECT_EQ("000aff100100000000000000000000a0", CMD5Checksum::ToHex(digest));

  // Messages whose digests begin with a zero byte and with the byte 0x0A.
  test::TempDir dir;
  EXPECT_EQ("006f52e9102a8d3be2fe5614f42ba989", Md5OfFile(dir, "168"));
  EXPECT_EQ("0a09c8844ba8f0936c20bd791130d6b6", Md5OfFile(dir, "144"));
}

TEST(MD5ChecksumTest, OpenFileIsReadFromItsCurrentPosition) {
  test::TempDir dir;
  const std::string bytes = Pattern(3000);
  const std::string path = dir.File("data.bin");
  test::WriteFile(path, bytes);
  StdioFile file;
  ASSERT_TRUE(file.OpenForReading(path));
  ASSERT_EQ(0, std::fseek(file.Get(), 1000, SEEK_SET));
  EXPECT_EQ(CMD5Checksum::GetMD5(bytes.data() + 1000, 2000), CMD5Checksum::GetMD5(file.Get()));
  // At the end nothing is left: the digest of no bytes.
  EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", CMD5Checksum::GetMD5(file.Get()));
}

TEST(MD5ChecksumTest, MissingFileThrowsToTheCallersGuard) {
  test::ScopedLog log;
  test::TempDir dir;
  std::string shown;
  UserMessage::Handler previous =
      UserMessage::SetHandler([&](const std::string& text, const std::string&, unsigned) {
        shown = text;
        return UserMessage::kIdOk;
      });
  const std::string path = dir.File("missing.dll");
  try {
    CMD5Checksum::GetMD5(path);
    ADD_FAILURE() << "no exception";
  } catch (const FileException& e) {
    EXPECT_EQ(FileException::fileNotFound, e.GetCause());
    EXPECT_EQ(path, e.GetFileName());
  }

  HResult hr = kSOk;
  std::string sMD5;
  EC_TRY { sMD5 = CMD5Checksum::GetMD5(path); }
  EC_CATCH(hr, "EC_VEF")
  UserMessage::SetHandler(previous);
  EXPECT_EQ(kEFail, hr);
  EXPECT_EQ("", sMD5);
  EXPECT_NE(std::string::npos, log.Messages().find(">>> CMD5Checksum::GetMD5\n"));
  EXPECT_NE(std::string::npos, log.Messages().find("EC_VEF CFileException on <" + path + ">: <2> - <"));
  EXPECT_FALSE(shown.empty());
}

}  // namespace
