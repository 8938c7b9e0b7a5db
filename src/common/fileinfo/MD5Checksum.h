// MD5 message digest (RFC 1321) of a file's contents, as 32 lower-case
// hexadecimal digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

class CMD5Checksum {
 public:
  // Opens the file for reading (binary, others may not write to it
  // meanwhile). A file that cannot be opened throws FileException.
  static std::string GetMD5(const std::string& sFilePath);
  // Digest of an open file from its current position to its end, read in
  // chunks of 1024 bytes; a read error ends the input like the end of file.
  static std::string GetMD5(std::FILE* file);
  // Digest of bytes in memory.
  static std::string GetMD5(const void* data, std::size_t length);

  CMD5Checksum();
  void Update(const std::uint8_t* input, std::size_t length);
  // Pads the message, appends its bit length and gives the 16 digest bytes.
  void Final(std::uint8_t digest[16]);

  static std::string ToHex(const std::uint8_t digest[16]);

 private:
  void Transform(const std::uint8_t* blocks, std::size_t count);

  std::uint32_t m_lMD5[4];
  std::uint32_t m_nCount[2];  // message length in bits, low word first
  std::uint8_t m_lpszBuffer[64];
};
