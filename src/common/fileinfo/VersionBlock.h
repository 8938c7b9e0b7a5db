// Look-ups in a 32-bit version resource block (VS_VERSIONINFO): a tree of
// nodes, each a length, a value length, a type (1 text, 0 binary), a
// zero-terminated UTF-16 key and, on 32-bit boundaries, the value and the
// children. Every read is checked against the block's size, so a damaged
// or hostile block gives "not found", never a read outside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace VersionBlock {

struct Value {
  std::size_t offset = 0;     // where the value starts in the block
  std::size_t available = 0;  // bytes from there to the end of the block
  unsigned length = 0;        // the node's value length: characters for text, bytes otherwise
  bool isText = false;

  // The value's size in bytes as the node states it, cut to what the block holds.
  std::size_t ByteLength() const;
};

// Finds a value by path: components separated by back-slashes, empty ones
// skipped (so "\" and "" name the root's value, the fixed information);
// keys compare without regard to ASCII case.
bool Find(const std::uint8_t* data, std::size_t size, const std::string& subBlock, Value& value);

// The value as single-byte text up to its first zero: UTF-16 text with
// characters above 0xFF (and each surrogate pair) written as '?'; a binary
// value is taken byte by byte.
std::string ToText(const std::uint8_t* data, const Value& value);

}  // namespace VersionBlock
