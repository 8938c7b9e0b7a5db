// Unpacking archives made by the real zip tool at test time.
#include "common/files/MyCompress.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/base/FileException.h"
#include "common/files/GenericFiles.h"
#include "support/HostProgram.h"
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

  // Where the archive's first entry's data begins (after its local header).
  static std::size_t DataStart(const std::string& zip) { return 30 + Le(zip, 26, 2) + Le(zip, 28, 2); }

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

// A stored block's length check is broken, so inflating fails in the middle
// of the entry; the blocks before it have been written.
TEST_F(ZipArchives, CorruptedDeflateStreamFailsWithPartialOutput) {
  const std::string noise = NoiseBytes(100000);
  const std::string bytes = ListText(60000, 7) + noise + ListText(60000, 11);
  std::string zip = test::ReadFile(Zip("list.zip", {{"list.txt", bytes}}, {"-9"}));
  const std::size_t start = DataStart(zip);
  const std::size_t end = start + Le(zip, 18, 4);
  // Deflate keeps incompressible bytes in stored blocks: LEN, its one's
  // complement NLEN, then LEN bytes as they are.
  std::size_t header = 0;
  for (std::size_t at = start; at + 36 < end && !header; ++at) {
    const std::uint32_t len = Le(zip, at, 2);
    if (len >= 32 && Le(zip, at + 2, 2) == (~len & 0xFFFFu) &&
        noise.find(zip.substr(at + 4, 32)) != std::string::npos) {
      header = at;
    }
  }
  ASSERT_NE(0u, header) << "zip stored no block of the noise";
  zip[header + 2] = static_cast<char>(zip[header + 2] ^ 0xFF);
  test::WriteFile(m_work.File("damaged.zip"), zip);
  const std::string out = m_out.File("list.txt");

  EXPECT_FALSE(m_compress.Uncompress(out, m_work.File("damaged.zip")));
  const std::string written = test::ReadFile(out);
  EXPECT_GT(written.size(), 0u);
  EXPECT_LT(written.size(), bytes.size());
  EXPECT_TRUE(bytes.compare(0, written.size(), written) == 0) << "the output is not the entry's beginning";
}

TEST_F(ZipArchives, ChecksumMismatchFailsAfterWritingTheWholeEntry) {
  const std::string bytes = ListText(50000, 3);
  std::string zip = test::ReadFile(Zip("list.zip", {{"list.txt", bytes}}, {"-0"}));
  const std::size_t flipped = DataStart(zip) + 40000;
  zip[flipped] = static_cast<char>(zip[flipped] ^ 0x20);
  test::WriteFile(m_work.File("damaged.zip"), zip);
  const std::string out = m_out.File("list.txt");

  EXPECT_FALSE(m_compress.Uncompress(out, m_work.File("damaged.zip")));
  const std::string written = test::ReadFile(out);
  ASSERT_EQ(bytes.size(), written.size());
  EXPECT_NE(bytes, written);
}

// The stream ends before the size the directory announces: the entry was
// not written completely, though no read failed.
TEST_F(ZipArchives, EntryEndingBeforeItsAnnouncedSizeFails) {
  const std::string bytes = ListText(40000, 3);
  std::string zip = test::ReadFile(Zip("list.zip", {{"list.txt", bytes}}, {"-9"}));
  const std::size_t entry = zip.find("PK\x01\x02");
  ASSERT_NE(std::string::npos, entry);
  // The uncompressed size, low byte, in the directory and the local header.
  zip[entry + 24] = static_cast<char>(zip[entry + 24] + 1);
  zip[22] = static_cast<char>(zip[22] + 1);
  test::WriteFile(m_work.File("long.zip"), zip);
  const std::string out = m_out.File("list.txt");

  EXPECT_FALSE(m_compress.Uncompress(out, m_work.File("long.zip")));
  EXPECT_TRUE(test::ReadFile(out) == bytes);
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
