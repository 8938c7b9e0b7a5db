#include "common/fileinfo/VersionBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Builds version blocks node by node, as resource compilers lay them out.
struct Node {
  std::u16string key;
  bool text = false;
  std::string value;         // raw bytes (UTF-16 for text, terminator included)
  unsigned valueLength = 0;  // characters for text, bytes otherwise
  std::vector<Node> children;
};

void Pad4(std::string& out) {
  while (out.size() % 4 != 0) out += '\0';
}

void Put16(std::string& out, std::size_t at, unsigned v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>(v >> 8);
}

std::string Utf16(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

std::string Serialize(const Node& node) {
  std::string out(6, '\0');
  Put16(out, 2, node.valueLength);
  Put16(out, 4, node.text ? 1 : 0);
  out += Utf16(node.key) + std::string(2, '\0');
  Pad4(out);
  out += node.value;
  for (const Node& child : node.children) {
    Pad4(out);
    out += Serialize(child);
  }
  Put16(out, 0, static_cast<unsigned>(out.size()));
  return out;
}

Node Text(const std::u16string& key, const std::u16string& value) {
  return {key, true, Utf16(value) + std::string(2, '\0'), static_cast<unsigned>(value.size() + 1), {}};
}

Node Block(const std::u16string& key, std::vector<Node> children) {
  return {key, true, "", 0, std::move(children)};
}

std::string FixedInfo() {
  std::string v(52, '\0');
  v[0] = '\xBD';
  v[1] = '\x04';
  v[2] = '\xEF';
  v[3] = '\xFE';
  return v;
}

std::string SampleBlock() {
  Node root{u"VS_VERSION_INFO", false, FixedInfo(), 52, {}};
  root.children.push_back(
      Block(u"StringFileInfo", {Block(u"040904B0", {
                                                       Text(u"CompanyName", u"Kestrove"),
                                                       Text(u"Comments", u""),
                                                       Text(u"LegalCopyright", u"\u00A9 M\u00FCller \u20AC"),
                                                       Text(u"Special", u"a\U0001D11Eb"),
                                                   })}));
  root.children.push_back(
      Block(u"VarFileInfo", {{u"Translation", false, std::string("\x09\x04\xB0\x04", 4), 4, {}}}));
  return Serialize(root);
}

struct Found {
  bool found = false;
  std::string text;
  std::size_t bytes = 0;
};

// Looks up in a heap copy of exactly the block's size, so a read beyond it
// is caught by the address sanitizer.
Found Lookup(const std::string& block, const std::string& path) {
  std::vector<std::uint8_t> copy(block.begin(), block.end());
  VersionBlock::Value value;
  Found result;
  result.found = VersionBlock::Find(copy.data(), copy.size(), path, value);
  if (result.found) {
    result.text = VersionBlock::ToText(copy.data(), value);
    result.bytes = value.ByteLength();
  }
  return result;
}

TEST(VersionBlockTest, FindsValuesByPath) {
  const std::string block = SampleBlock();
  const struct {
    const char* path;
    bool found;
    const char* text;
  } cases[] = {
      {"\\StringFileInfo\\040904B0\\CompanyName", true, "Kestrove"},
      {"\\stringfileinfo\\040904b0\\COMPANYNAME", true, "Kestrove"},
      {"\\\\StringFileInfo\\\\040904b0\\CompanyName\\", true, "Kestrove"},
      {"StringFileInfo\\040904b0\\CompanyName", true, "Kestrove"},
      {"\\StringFileInfo\\040904b0\\Comments", true, ""},
      {"\\StringFileInfo\\040904b0\\Company", false, ""},
      {"\\StringFileInfo\\040904b0\\CompanyNameX", false, ""},
      {"\\StringFileInfo\\040904e4\\CompanyName", false, ""},
      {"\\StringFileInfo\\040904b0\\LegalCopyright", true, "\xA9 M\xFCller ?"},
      {"\\StringFileInfo\\040904b0\\Special", true, "a?b"},
      {"\\NoSuchBlock", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const Found found = Lookup(block, c.path);
    EXPECT_EQ(c.found, found.found);
    EXPECT_EQ(c.text, found.text);
  }
}

TEST(VersionBlockTest, RootAndTranslationAreBinary) {
  const std::string block = SampleBlock();
  for (const char* root : {"\\", ""}) {
    std::vector<std::uint8_t> copy(block.begin(), block.end());
    VersionBlock::Value value;
    ASSERT_TRUE(VersionBlock::Find(copy.data(), copy.size(), root, value));
    EXPECT_FALSE(value.isText);
    EXPECT_EQ(52u, value.ByteLength());
    EXPECT_EQ(0xBDu, copy[value.offset]);
    EXPECT_EQ(40u, value.offset);  // 6 + 16 characters of key, rounded up to 4
  }
  const Found translation = Lookup(block, "\\VarFileInfo\\Translation");
  ASSERT_TRUE(translation.found);
  EXPECT_EQ(4u, translation.bytes);
}

TEST(VersionBlockTest, BinaryValueAsTextStopsAtTheFirstZeroByte) {
  Node root{u"VS_VERSION_INFO", false, FixedInfo(), 52, {}};
  root.children.push_back(
      Block(u"StringFileInfo", {Block(u"040904b0", {{u"CompanyName", false, Utf16(u"AB"), 4, {}}})}));
  EXPECT_EQ("A", Lookup(Serialize(root), "\\StringFileInfo\\040904b0\\CompanyName").text);
}

TEST(VersionBlockTest, DamagedBlocksGiveNotFound) {
  const std::string good = SampleBlock();
  const std::string path = "\\StringFileInfo\\040904b0\\Special";

  // Every truncation: found only when the node itself is intact, and the
  // value never reaches past the end.
  for (std::size_t n = 0; n <= good.size(); ++n) {
    SCOPED_TRACE(n);
    const Found found = Lookup(good.substr(0, n), path);
    if (found.found) {
      EXPECT_EQ(found.text, std::string("a?b").substr(0, found.text.size()));
    }
    Lookup(good.substr(0, n), "\\");
    Lookup(good.substr(0, n), "\\VarFileInfo\\Translation");
  }

  // A child of length zero ends the walk instead of looping on itself.
  std::string zeroLength = good;
  const std::size_t stringFileInfo = 40 + 52;
  zeroLength[stringFileInfo] = zeroLength[stringFileInfo + 1] = '\0';
  EXPECT_FALSE(Lookup(zeroLength, "\\VarFileInfo\\Translation").found);

  // A root key without its terminator within the block.
  std::string noTerminator(6, '\0');
  noTerminator += "V\0S\0_\0";
  EXPECT_FALSE(Lookup(noTerminator, "\\").found);

  // Lengths larger than the block: the walk and the value stop at its end.
  std::string longNode = good;
  Put16(longNode, 0, 0xFFFF);
  EXPECT_EQ("a?b", Lookup(longNode, path).text);
  std::string longValue = good;
  Put16(longValue, 2, 0xFFFF);
  const Found root = Lookup(longValue, "\\");
  EXPECT_TRUE(root.found);
  EXPECT_EQ(good.size() - 40, root.bytes);
  EXPECT_FALSE(Lookup(longValue, path).found);  // the children would start past the end
}

}  // namespace
