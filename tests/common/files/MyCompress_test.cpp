// Unpacking archives made by the real zip tool at test time.
#include "common/files/MyCompress.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "common/base/FileException.h"
#include "common/files/GenericFiles.h"
#include "support/HostProgram.h"
#include "support/LocalServer.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kZip = "/usr/bin/zip";

// Text lines as the list files hold them.
std::string ListText(std::size_t size, unsigned variant) {
  std::string text;
  for (unsigned i = 0; text.size() < size; ++i) {
    text += std::to_string(i) + "={8856F961-340A-11D0-A96B-00C04FD705A2} Benign " +
            std::to_string(i * variant % 997) + "\r\n";
  }
  text.resize(size);
  return text;
}

// Bytes deflate cannot shrink (a fixed xorshift sequence).
std::string NoiseBytes(std::size_t size) {
  std::string bytes;
  std::uint32_t x = 2463534242u;
  while (bytes.size() < size) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    bytes += static_cast<char>(x & 0xFF);
  }
  return bytes;
}

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

class ZipArchives : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::HostFileExists(kZip)) GTEST_SKIP() << "no " << kZip << " to make archives with";
  }

  // Writes the files into the work folder and packs them in this order with
  // the given zip options; the archive's program path.
  std::string Zip(const std::string& archive, const std::vector<std::pair<std::string, std::string>>& files,
                  const std::vector<std::string>& options = {}) {
    std::vector<std::string> argv = {kZip, "-q", "-X"};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back(archive);
    for (const auto& [name, bytes] : files) {
      test::WriteFile(m_work.File(name), bytes);
      argv.push_back(name);
    }
    EXPECT_EQ(0, test::RunHostProgram(argv, m_work.Path())) << "zip failed for " << archive;
    return m_work.File(archive);
  }

  bool Exists(const std::string& path) const { return Generic::FileExists(path); }

  test::TempDir m_work;
  test::TempDir m_out;
  MyCompress m_compress;
};

struct MethodCase {
  const char* name;
  const char* option;
};

void PrintTo(const MethodCase& c, std::ostream* os) { *os << c.name; }

class ZipMethods : public ZipArchives, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(ZipMethods, FirstEntryIsWrittenExactlyUnderTheCallersName) {
  // More than several 16 KiB blocks, with bytes that text handling would alter.
  const std::string bytes = ListText(70000, 7) + NoiseBytes(30000) + std::string("\r\n\0\x1a\n", 5);
  const std::string zip = Zip("Tarvolin20List.zip", {{"packed-name.ini", bytes}}, {GetParam().option});
  const std::string out = m_out.File("Tarvolin20List.ini");
  test::WriteFile(out, std::string(150000, '#'));  // a longer old list is replaced

  EXPECT_TRUE(m_compress.Uncompress(out, zip));
  EXPECT_TRUE(test::ReadFile(out) == bytes);
  EXPECT_FALSE(Exists(m_out.File("packed-name.ini")));
}

INSTANTIATE_TEST_SUITE_P(Methods, ZipMethods,
                         ::testing::Values(MethodCase{"Stored", "-0"}, MethodCase{"Deflated", "-9"}),
                         [](const ::testing::TestParamInfo<MethodCase>& info) { return info.param.name; });

TEST_F(ZipArchives, OnlyTheFirstOfTwoEntriesIsWritten) {
  const std::string zip =
      Zip("bholist.zip", {{"bholist.txt", "first entry\r\n"}, {"other.txt", "second entry\r\n"}});
  const std::string out = m_out.File("bholist.txt");

  EXPECT_TRUE(m_compress.Uncompress(out, zip));
  EXPECT_EQ("first entry\r\n", test::ReadFile(out));
  EXPECT_FALSE(Exists(m_out.File("other.txt")));
}

TEST_F(ZipArchives, EmptyFirstEntryGivesAnEmptyFile) {
  const std::string zip = Zip("empty.zip", {{"bholist.txt", ""}});
  const std::string out = m_out.File("bholist.txt");
  test::WriteFile(out, "old list");

  EXPECT_TRUE(m_compress.Uncompress(out, zip));
  EXPECT_TRUE(Exists(out));
  EXPECT_EQ("", test::ReadFile(out));
}

// Damage done to an archive the zip tool made of `bytes`.
struct DamageCase {
  const char* name;
  std::string (*damage)(const std::string& zip, const std::string& noise);
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

// Where the first entry's data begins (after its local header) and ends.
std::size_t DataStart(const std::string& zip) { return 30 + Le(zip, 26, 2) + Le(zip, 28, 2); }
std::size_t DataEnd(const std::string& zip) { return DataStart(zip) + Le(zip, 18, 4); }
std::size_t CentralEntry(const std::string& zip) { return zip.find("PK\x01\x02"); }

std::string Flip(std::string zip, std::size_t at, char mask = '\xFF') {
  zip.at(at) = static_cast<char>(zip.at(at) ^ mask);
  return zip;
}

// Deflate keeps incompressible bytes in stored blocks: LEN, its one's
// complement NLEN, then LEN bytes as they are. Breaking NLEN makes inflating
// fail in the middle of the entry, after several blocks were unpacked.
std::string BreakStoredBlockLength(const std::string& zip, const std::string& noise) {
  for (std::size_t at = DataStart(zip); at + 36 < DataEnd(zip); ++at) {
    const std::uint32_t len = Le(zip, at, 2);
    if (len >= 32 && Le(zip, at + 2, 2) == (~len & 0xFFFFu) &&
        noise.find(zip.substr(at + 4, 32)) != std::string::npos) {
      return Flip(zip, at + 2);
    }
  }
  ADD_FAILURE() << "zip stored no block of the noise";
  return zip;
}

// One flipped byte in the middle of the compressed data.
std::string FlipDeflatedByte(const std::string& zip, const std::string&) {
  return Flip(zip, (DataStart(zip) + DataEnd(zip)) / 2, 0x10);
}

// The checksum both headers announce no longer matches the data.
std::string WrongChecksum(const std::string& zip, const std::string&) {
  return Flip(Flip(zip, 14 + 1), CentralEntry(zip) + 16 + 1);
}

// The stream ends before the size both headers announce: no read fails,
// but the entry was not unpacked completely.
std::string AnnounceOneByteMore(const std::string& zip, const std::string&) {
  std::string longer = zip;
  longer[22] = static_cast<char>(longer[22] + 1);
  longer[CentralEntry(zip) + 24] = static_cast<char>(longer[CentralEntry(zip) + 24] + 1);
  return longer;
}

// The second half of the compressed data is cut away; the directory is kept
// (and found), so the entry opens and its data runs into the directory.
std::string TruncateData(const std::string& zip, const std::string&) {
  const std::size_t kept = (DataEnd(zip) - DataStart(zip)) / 2;
  const std::size_t removed = DataEnd(zip) - DataStart(zip) - kept;
  std::string shorter = zip.substr(0, DataStart(zip) + kept) + zip.substr(DataEnd(zip));
  const std::size_t end = shorter.size() - 22;  // end of central directory, no comment
  const std::uint32_t directory = Le(shorter, end + 16, 4) - static_cast<std::uint32_t>(removed);
  for (int i = 0; i < 4; ++i) shorter[end + 16 + i] = static_cast<char>(directory >> (8 * i));
  return shorter;
}

class DamagedArchives : public ZipArchives, public ::testing::WithParamInterface<DamageCase> {};

// Whatever the damage, the list already on disk stays as it was, byte for
// byte, and nothing else is left beside it; without an old list, none appears.
TEST_P(DamagedArchives, FailAndKeepTheOldListByteForByte) {
  const std::string noise = NoiseBytes(100000);
  const std::string bytes = ListText(60000, 7) + noise + ListText(60000, 11);
  const std::string zip = test::ReadFile(Zip("list.zip", {{"list.txt", bytes}}, {"-9"}));
  const std::string damaged = GetParam().damage(zip, noise);
  ASSERT_NE(zip, damaged);
  test::WriteFile(m_work.File("damaged.zip"), damaged);
  const std::string out = m_out.File("list.txt");
  const std::string old = "[General]\r\nTimestamp=old\r\n" + NoiseBytes(300) + std::string("\0\r\n", 3);
  test::WriteFile(out, old);

  EXPECT_FALSE(m_compress.Uncompress(out, m_work.File("damaged.zip")));
  EXPECT_TRUE(test::ReadFile(out) == old) << "the old list was changed";
  EXPECT_FALSE(Exists(MyCompress::SidePath(out)));

  test::RemoveFile(out);
  EXPECT_FALSE(m_compress.Uncompress(out, m_work.File("damaged.zip")));
  EXPECT_FALSE(Exists(out));
  EXPECT_FALSE(Exists(MyCompress::SidePath(out)));
  // The archive itself is as the download left it.
  EXPECT_TRUE(test::ReadFile(m_work.File("damaged.zip")) == damaged);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedArchives,
                         ::testing::Values(DamageCase{"BrokenStoredBlockLength", BreakStoredBlockLength},
                                           DamageCase{"FlippedDeflatedByte", FlipDeflatedByte},
                                           DamageCase{"WrongChecksum", WrongChecksum},
                                           DamageCase{"AnnouncedSizeOneByteLonger", AnnounceOneByteMore},
                                           DamageCase{"TruncatedData", TruncateData}),
                         [](const ::testing::TestParamInfo<DamageCase>& info) { return info.param.name; });

// The limit counts the bytes actually unpacked.
class UnpackLimit : public ZipArchives {
 protected:
  // An archive made by Python's zipfile whose one entry is `mebibytes` MiB
  // of zeros, written in pieces: no such file is ever put on disk.
  std::string ZerosZip(const std::string& archive, int mebibytes) {
    if (!test::HostFileExists(test::LocalServer::kPython)) return std::string();
    const std::vector<std::string> argv = {
        test::LocalServer::kPython, "-c",
        "import sys, zipfile\n"
        "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
        "    with z.open('Tarvolin20List.ini', 'w') as f:\n"
        "        for _ in range(int(sys.argv[2])): f.write(bytes(1 << 20))\n",
        archive, std::to_string(mebibytes)};
    EXPECT_EQ(0, test::RunHostProgram(argv, m_work.Path())) << "python could not make " << archive;
    return m_work.File(archive);
  }

  static std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }

  test::ScopedLog m_log;
};

TEST_F(UnpackLimit, ZipBombIsRefusedWithOneMessageAndTheOldListKept) {
  EXPECT_EQ(64ull * 1024 * 1024, MyCompress::kMaxEntrySize);
  const std::string zip = ZerosZip("bomb.zip", 100);
  if (zip.empty()) GTEST_SKIP() << "no " << test::LocalServer::kPython;
  ASSERT_LT(test::ReadFile(zip).size(), 1000000u) << "not much of a bomb";
  const std::string out = m_out.File("Tarvolin20List.ini");
  test::WriteFile(out, "[General]\r\nTimestamp=old\r\n");

  EXPECT_FALSE(m_compress.Uncompress(out, zip));
  EXPECT_EQ("[General]\r\nTimestamp=old\r\n", test::ReadFile(out));
  EXPECT_FALSE(Exists(MyCompress::SidePath(out)));
  const std::string message =
      "The zip archive <" + zip +
      "> unpacks to more than the limit of 67,108,864 bytes, so it was not unpacked.\n";
  EXPECT_EQ(1u, Count(m_log.Messages(), message)) << m_log.Messages();
  const std::string text = m_log.Text();
  const auto at = text.find("The zip archive <");
  ASSERT_NE(std::string::npos, at);
  EXPECT_NE(std::string::npos, text.substr(text.rfind('\n', at) + 1, at).find(" @E "))
      << "not logged as an error";
}

TEST_F(UnpackLimit, AnEntryOfExactlyTheLimitIsUnpackedOneByteMoreIsNot) {
  const std::string bytes = ListText(50000, 3);
  const std::string zip = Zip("list.zip", {{"list.txt", bytes}}, {"-9"});
  const std::string out = m_out.File("list.txt");
  test::WriteFile(out, "old");

  EXPECT_FALSE(MyCompress(bytes.size() - 1).Uncompress(out, zip));
  EXPECT_EQ("old", test::ReadFile(out));
  EXPECT_EQ(1u, Count(m_log.Messages(), "> unpacks to more than the limit of 49,999 bytes"));

  EXPECT_TRUE(MyCompress(bytes.size()).Uncompress(out, zip));
  EXPECT_TRUE(test::ReadFile(out) == bytes);
  EXPECT_FALSE(Exists(MyCompress::SidePath(out)));
}

// Archives that cannot be opened, or whose first entry cannot: false, and
// the output file is not even created.
TEST_F(ZipArchives, UnusableArchivesWriteNothing) {
  const std::string good = test::ReadFile(Zip("good.zip", {{"list.txt", ListText(20000, 5)}}, {"-9"}));
  test::WriteFile(m_work.File("text.zip"), "This is a list, not an archive.\r\n");
  test::WriteFile(m_work.File("nothing.zip"), "");
  // End of central directory with no entries.
  test::WriteFile(m_work.File("no-entries.zip"), std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  test::WriteFile(m_work.File("truncated.zip"), good.substr(0, good.size() / 2));
  const std::string bzip2 = Zip("bzip2.zip", {{"list.txt", ListText(20000, 5)}}, {"-Z", "bzip2"});

  for (const std::string& zip :
       {m_work.File("missing.zip"), m_work.File("text.zip"), m_work.File("nothing.zip"),
        m_work.File("no-entries.zip"), m_work.File("truncated.zip"), bzip2}) {
    const std::string out = m_out.File("list.txt");
    EXPECT_FALSE(m_compress.Uncompress(out, zip)) << zip;
    EXPECT_FALSE(Exists(out)) << zip;
  }
}

TEST_F(ZipArchives, OutputThatCannotBeCreatedThrowsAFileException) {
  const std::string zip = Zip("list.zip", {{"list.txt", "text"}});
  const std::string out = m_out.File("no-such-folder\\list.txt");
  try {
    m_compress.Uncompress(out, zip);
    ADD_FAILURE() << "no exception";
  } catch (const FileException& e) {
    EXPECT_EQ(out, e.GetFileName());
    // POSIX cannot tell a missing folder from a missing file.
    EXPECT_TRUE(e.GetCause() == FileException::badPath || e.GetCause() == FileException::fileNotFound);
  }
}

}  // namespace
