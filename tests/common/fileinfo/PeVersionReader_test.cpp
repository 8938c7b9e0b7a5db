#include "common/fileinfo/PeVersionReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/TestDlls.h"
#include "support/TestSupport.h"

namespace {

using test::kDllDir;
using test::TestDll;

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Get32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
unsigned Get16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Set16(Bytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Where the parts of a test DLL lie, found by following the first entry at
// each level of its resource tree (the test DLLs hold one resource).
struct Layout {
  std::size_t pe = 0, optional = 0, resourceDirectory = 0, sectionTable = 0, rsrcSection = 0;
  std::size_t typeDir = 0, nameDir = 0, languageDir = 0, dataEntry = 0;
};

Layout Parse(const Bytes& image) {
  Layout l;
  l.pe = Get32(image, 0x3C);
  l.optional = l.pe + 24;
  const bool pe32plus = Get16(image, l.optional) == 0x20B;
  l.resourceDirectory = l.optional + (pe32plus ? 112 : 96) + 16;
  l.sectionTable = l.optional + Get16(image, l.pe + 20);
  const std::uint32_t resourceRva = Get32(image, l.resourceDirectory);
  std::size_t base = 0;
  for (unsigned i = 0; i < Get16(image, l.pe + 6); ++i) {
    const std::size_t s = l.sectionTable + 40 * i;
    if (Get32(image, s + 12) == resourceRva) {
      l.rsrcSection = s;
      base = Get32(image, s + 20);
    }
  }
  l.typeDir = base;
  l.nameDir = base + (Get32(image, l.typeDir + 20) & 0x7FFFFFFF);
  l.languageDir = base + (Get32(image, l.nameDir + 20) & 0x7FFFFFFF);
  l.dataEntry = base + Get32(image, l.languageDir + 20);
  return l;
}

class PeVersionReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!kDllDir) GTEST_SKIP() << "test DLLs were not built (no MinGW-w64 tools)";
  }
  static Bytes Load(const std::string& name) {
    const std::string bytes = test::ReadFile(TestDll(name));
    return Bytes(bytes.begin(), bytes.end());
  }
  // Looks in a heap copy of exactly the image's size.
  static bool Find(const Bytes& image, PeVersionReader::Location& found) {
    Bytes copy(image);
    return PeVersionReader::FindVersionResource(PeVersionReader::MemorySource(copy.data(), copy.size()),
                                                found);
  }
};

TEST_F(PeVersionReaderTest, FindsTheResourceIn32And64BitImages) {
  for (const char* name : {"english.dll", "bilingual32.dll", "notranslation.dll"}) {
    SCOPED_TRACE(name);
    const Bytes image = Load(name);
    ASSERT_FALSE(image.empty());
    PeVersionReader::Location found;
    ASSERT_TRUE(Find(image, found));
    const Layout l = Parse(image);
    EXPECT_EQ(Get32(image, l.dataEntry + 4), found.size);
    // The resource starts with its length and the key VS_VERSION_INFO.
    EXPECT_LE(Get16(image, found.offset), found.size);
    EXPECT_EQ('V', image[found.offset + 6]);
    EXPECT_EQ('S', image[found.offset + 8]);
  }
  PeVersionReader::Location found;
  EXPECT_FALSE(Find(Load("plain.dll"), found));
}

TEST_F(PeVersionReaderTest, DamagedHeadersAndDirectoriesGiveNotFound) {
  const Bytes good = Load("english.dll");
  ASSERT_FALSE(good.empty());
  const Layout l = Parse(good);
  const struct {
    const char* what;
    std::function<void(Bytes&)> damage;
  } cases[] = {
      {"no MZ", [](Bytes& b) { b[0] = 'X'; }},
      {"header offset past the end", [](Bytes& b) { Set32(b, 0x3C, 0xFFFFFFF0u); }},
      {"no PE signature", [&](Bytes& b) { b[l.pe + 1] = 'X'; }},
      {"no sections", [&](Bytes& b) { Set16(b, l.pe + 6, 0); }},
      {"absurd section count", [&](Bytes& b) { Set16(b, l.pe + 6, 0xFFFF); }},
      {"optional header too short", [&](Bytes& b) { Set16(b, l.pe + 20, 16); }},
      {"unknown optional magic", [&](Bytes& b) { Set16(b, l.optional, 0x107); }},
      {"too few data directories", [&](Bytes& b) { Set32(b, l.optional + 108, 2); }},
      {"resource directory outside every section",
       [&](Bytes& b) { Set32(b, l.resourceDirectory, 0x7FFFFFF0u); }},
      {"resource directory of size 0", [&](Bytes& b) { Set32(b, l.resourceDirectory + 4, 0); }},
      {"section data past the end", [&](Bytes& b) { Set32(b, l.rsrcSection + 20, 0xFFFFFE00u); }},
      {"type entry points far away", [&](Bytes& b) { Set32(b, l.typeDir + 20, 0xFFFFFFF0u); }},
      {"no version type", [&](Bytes& b) { Set32(b, l.typeDir + 16, 3); }},
      {"name is not 1", [&](Bytes& b) { Set32(b, l.nameDir + 16, 2); }},
      {"language directory empty", [&](Bytes& b) { Set16(b, l.languageDir + 14, 0); }},
      {"more ids than the section holds", [&](Bytes& b) { Set16(b, l.typeDir + 14, 0xFFFF); }},
      {"data outside every section", [&](Bytes& b) { Set32(b, l.dataEntry, 0xFFFFFF00u); }},
      {"data of size 0", [&](Bytes& b) { Set32(b, l.dataEntry + 4, 0); }},
      {"data larger than its section", [&](Bytes& b) { Set32(b, l.dataEntry + 4, 0xFFFFFFFFu); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes image = good;
    c.damage(image);
    PeVersionReader::Location found;
    EXPECT_FALSE(Find(image, found));
  }
}

TEST_F(PeVersionReaderTest, TruncatedImagesNeverReadPastTheirEnd) {
  const Bytes good = Load("english.dll");
  ASSERT_FALSE(good.empty());
  PeVersionReader::Location whole;
  ASSERT_TRUE(Find(good, whole));
  for (std::size_t n = 0; n < good.size(); n += 7) {
    SCOPED_TRACE(n);
    PeVersionReader::Location found;
    const Bytes part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    // Found only while the resource itself is still all there.
    EXPECT_EQ(n >= whole.offset + whole.size && Find(good, found), Find(part, found));
  }
}

TEST(PeVersionReaderMemoryTest, ReadsOnlyWhatIsThere) {
  const std::uint8_t bytes[4] = {1, 2, 3, 4};
  PeVersionReader::MemorySource source(bytes, sizeof(bytes));
  std::uint8_t out[4] = {};
  EXPECT_TRUE(source.ReadAt(1, out, 3));
  EXPECT_EQ(4, out[2]);
  EXPECT_TRUE(source.ReadAt(4, out, 0));
  EXPECT_FALSE(source.ReadAt(2, out, 3));
  EXPECT_FALSE(source.ReadAt(5, out, 0));
  EXPECT_FALSE(source.ReadAt(0xFFFFFFFFFFFFFFFFull, out, 2));
}

}  // namespace
