#include "common/fileinfo/VersionBlock.h"

#include <algorithm>

namespace VersionBlock {
namespace {

constexpr std::size_t kHeaderSize = 6;  // wLength, wValueLength, wType

std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

constexpr std::size_t Align4(std::size_t n) { return (n + 3) & ~static_cast<std::size_t>(3); }

// One node, with its parts located and checked against the block.
struct Node {
  std::size_t start = 0;
  std::size_t length = 0;     // wLength
  std::size_t keyLength = 0;  // characters, without the terminator
  std::size_t valueStart = 0;
  unsigned valueLength = 0;  // wValueLength
  bool isText = false;

  std::size_t ValueBytes() const { return static_cast<std::size_t>(valueLength) * (isText ? 2 : 1); }
  std::size_t ChildrenStart() const { return valueStart + Align4(ValueBytes()); }
  std::size_t Next() const { return start + Align4(length); }
};

// Reads the header of the node at `start`; false when it lies outside the block.
bool ReadHeader(const std::uint8_t* data, std::size_t size, std::size_t start, Node& node) {
  if (start > size || size - start < kHeaderSize) return false;
  node.start = start;
  node.length = Read16(data + start);
  node.valueLength = Read16(data + start + 2);
  node.isText = Read16(data + start + 4) != 0;
  return true;
}

// Places the value once the key's length is known.
void SetKeyLength(Node& node, std::size_t keyLength) {
  node.keyLength = keyLength;
  node.valueStart = node.start + Align4(kHeaderSize + 2 * (keyLength + 1));
}

// Measures the key of a node; false when its terminator is outside the block.
bool MeasureKey(const std::uint8_t* data, std::size_t size, Node& node) {
  std::size_t n = 0;
  for (std::size_t pos = node.start + kHeaderSize;; pos += 2, ++n) {
    if (size - pos < 2) return false;
    if (Read16(data + pos) == 0) break;
  }
  SetKeyLength(node, n);
  return true;
}

char FoldAscii(std::uint16_t c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }

// Compares the node's key with `key` and its terminator, reading no further
// than that, so a long key costs no more than the one asked for.
bool KeyEquals(const std::uint8_t* data, std::size_t size, const Node& node, const char* key,
               std::size_t keyLength) {
  const std::size_t first = node.start + kHeaderSize;
  if ((size - first) / 2 < keyLength + 1) return false;
  const std::uint8_t* p = data + first;
  for (std::size_t i = 0; i < keyLength; ++i) {
    const std::uint16_t c = Read16(p + 2 * i);
    const auto k = static_cast<std::uint16_t>(static_cast<unsigned char>(key[i]));
    if (c != k && (c > 0x7F || k > 0x7F || FoldAscii(c) != FoldAscii(k))) return false;
  }
  return Read16(p + 2 * keyLength) == 0;
}

// The child of `parent` with the given key. Children lie between the end of
// the parent's value and the parent's length; each step moves forward by at
// least four bytes, so the walk ends.
bool FindChild(const std::uint8_t* data, std::size_t size, const Node& parent, const char* key,
               std::size_t keyLength, Node& child) {
  const std::size_t end = std::min(size, parent.start + parent.length);
  for (std::size_t pos = parent.ChildrenStart(); pos < end; pos = child.Next()) {
    if (!ReadHeader(data, size, pos, child)) return false;
    if (KeyEquals(data, size, child, key, keyLength)) {
      SetKeyLength(child, keyLength);
      return true;
    }
    if (child.length == 0) return false;
  }
  return false;
}

}  // namespace

std::size_t Value::ByteLength() const {
  const std::size_t bytes = static_cast<std::size_t>(length) * (isText ? 2 : 1);
  return std::min(bytes, available);
}

bool Find(const std::uint8_t* data, std::size_t size, const std::string& subBlock, Value& value) {
  Node node;
  if (!data || !ReadHeader(data, size, 0, node) || !MeasureKey(data, size, node)) return false;
  std::size_t pos = 0;
  while (pos < subBlock.size()) {
    if (subBlock[pos] == '\\') {
      ++pos;
      continue;
    }
    std::size_t next = subBlock.find('\\', pos);
    if (next == std::string::npos) next = subBlock.size();
    Node child;
    if (!FindChild(data, size, node, subBlock.data() + pos, next - pos, child)) return false;
    node = child;
    pos = next;
  }
  value.offset = std::min(node.valueStart, size);
  value.available = size - value.offset;
  value.length = node.valueLength;
  value.isText = node.isText;
  return true;
}

std::string ToText(const std::uint8_t* data, const Value& value) {
  std::string text;
  const std::uint8_t* p = data + value.offset;
  const std::size_t bytes = value.ByteLength();
  if (!value.isText) {
    for (std::size_t i = 0; i < bytes && p[i] != 0; ++i) text += static_cast<char>(p[i]);
    return text;
  }
  for (std::size_t i = 0; i + 1 < bytes; i += 2) {
    const std::uint16_t c = Read16(p + i);
    if (c == 0) break;
    if (c <= 0xFF) {
      text += static_cast<char>(c);
      continue;
    }
    text += '?';
    // A surrogate pair is one character.
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes) {
      const std::uint16_t low = Read16(p + i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) i += 2;
    }
  }
  return text;
}

}  // namespace VersionBlock
