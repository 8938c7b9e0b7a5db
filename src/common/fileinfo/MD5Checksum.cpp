#include "common/fileinfo/MD5Checksum.h"

#include <cstring>

#include "common/base/ErrorCheck.h"
#include "common/base/FileException.h"
#include "common/base/SystemApi.h"
#include "common/files/StdioFile.h"

namespace {

constexpr std::size_t kChunkSize = 1024;

inline std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline std::uint32_t LoadLE32(const std::uint8_t* p) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
#else
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
#endif
}

inline void StoreLE32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

// The auxiliary functions in forms with shorter dependency chains than the
// textbook ones; they give the same values bit for bit.
inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return z ^ (x & (y ^ z)); }
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

// The newest chaining value (b) enters last, so the other terms are summed
// while it is still being computed.
#define MD5_STEP(f, a, b, c, d, x, s, t) (a) = (b) + RotateLeft(((a) + (x) + (t)) + f((b), (c), (d)), (s))
// Round 2's G(b, c, d) = (b & d) | (c & ~d), written as a sum (the two terms
// share no bits) so that c & ~d is added before b is known.
#define MD5_STEP_G(a, b, c, d, x, s, t) \
  (a) = (b) + RotateLeft(((a) + (x) + (t) + ((c) & ~(d))) + ((b) & (d)), (s))

const char kHexDigits[] = "0123456789abcdef";

}  // namespace

CMD5Checksum::CMD5Checksum() : m_lMD5{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u}, m_nCount{0, 0} {
  std::memset(m_lpszBuffer, 0, sizeof(m_lpszBuffer));
}

void CMD5Checksum::Transform(const std::uint8_t* blocks, std::size_t count) {
  std::uint32_t a0 = m_lMD5[0], b0 = m_lMD5[1], c0 = m_lMD5[2], d0 = m_lMD5[3];
  for (; count > 0; --count, blocks += 64) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = LoadLE32(blocks + 4 * i);
    std::uint32_t a = a0, b = b0, c = c0, d = d0;

    MD5_STEP(F, a, b, c, d, x[0], 7, 0xd76aa478u);
    MD5_STEP(F, d, a, b, c, x[1], 12, 0xe8c7b756u);
    MD5_STEP(F, c, d, a, b, x[2], 17, 0x242070dbu);
    MD5_STEP(F, b, c, d, a, x[3], 22, 0xc1bdceeeu);
    MD5_STEP(F, a, b, c, d, x[4], 7, 0xf57c0fafu);
    MD5_STEP(F, d, a, b, c, x[5], 12, 0x4787c62au);
    MD5_STEP(F, c, d, a, b, x[6], 17, 0xa8304613u);
    MD5_STEP(F, b, c, d, a, x[7], 22, 0xfd469501u);
    MD5_STEP(F, a, b, c, d, x[8], 7, 0x698098d8u);
    MD5_STEP(F, d, a, b, c, x[9], 12, 0x8b44f7afu);
    MD5_STEP(F, c, d, a, b, x[10], 17, 0xffff5bb1u);
    MD5_STEP(F, b, c, d, a, x[11], 22, 0x895cd7beu);
    MD5_STEP(F, a, b, c, d, x[12], 7, 0x6b901122u);
    MD5_STEP(F, d, a, b, c, x[13], 12, 0xfd987193u);
    MD5_STEP(F, c, d, a, b, x[14], 17, 0xa679438eu);
    MD5_STEP(F, b, c, d, a, x[15], 22, 0x49b40821u);

    MD5_STEP_G(a, b, c, d, x[1], 5, 0xf61e2562u);
    MD5_STEP_G(d, a, b, c, x[6], 9, 0xc040b340u);
    MD5_STEP_G(c, d, a, b, x[11], 14, 0x265e5a51u);
    MD5_STEP_G(b, c, d, a, x[0], 20, 0xe9b6c7aau);
    MD5_STEP_G(a, b, c, d, x[5], 5, 0xd62f105du);
    MD5_STEP_G(d, a, b, c, x[10], 9, 0x02441453u);
    MD5_STEP_G(c, d, a, b, x[15], 14, 0xd8a1e681u);
    MD5_STEP_G(b, c, d, a, x[4], 20, 0xe7d3fbc8u);
    MD5_STEP_G(a, b, c, d, x[9], 5, 0x21e1cde6u);
    MD5_STEP_G(d, a, b, c, x[14], 9, 0xc33707d6u);
    MD5_STEP_G(c, d, a, b, x[3], 14, 0xf4d50d87u);
    MD5_STEP_G(b, c, d, a, x[8], 20, 0x455a14edu);
    MD5_STEP_G(a, b, c, d, x[13], 5, 0xa9e3e905u);
    MD5_STEP_G(d, a, b, c, x[2], 9, 0xfcefa3f8u);
    MD5_STEP_G(c, d, a, b, x[7], 14, 0x676f02d9u);
    MD5_STEP_G(b, c, d, a, x[12], 20, 0x8d2a4c8au);

    MD5_STEP(H, a, b, c, d, x[5], 4, 0xfffa3942u);
    MD5_STEP(H, d, a, b, c, x[8], 11, 0x8771f681u);
    MD5_STEP(H, c, d, a, b, x[11], 16, 0x6d9d6122u);
    MD5_STEP(H, b, c, d, a, x[14], 23, 0xfde5380cu);
    MD5_STEP(H, a, b, c, d, x[1], 4, 0xa4beea44u);
    MD5_STEP(H, d, a, b, c, x[4], 11, 0x4bdecfa9u);
    MD5_STEP(H, c, d, a, b, x[7], 16, 0xf6bb4b60u);
    MD5_STEP(H, b, c, d, a, x[10], 23, 0xbebfbc70u);
    MD5_STEP(H, a, b, c, d, x[13], 4, 0x289b7ec6u);
    MD5_STEP(H, d, a, b, c, x[0], 11, 0xeaa127fau);
    MD5_STEP(H, c, d, a, b, x[3], 16, 0xd4ef3085u);
    MD5_STEP(H, b, c, d, a, x[6], 23, 0x04881d05u);
    MD5_STEP(H, a, b, c, d, x[9], 4, 0xd9d4d039u);
    MD5_STEP(H, d, a, b, c, x[12], 11, 0xe6db99e5u);
    MD5_STEP(H, c, d, a, b, x[15], 16, 0x1fa27cf8u);
    MD5_STEP(H, b, c, d, a, x[2], 23, 0xc4ac5665u);

    MD5_STEP(I, a, b, c, d, x[0], 6, 0xf4292244u);
    MD5_STEP(I, d, a, b, c, x[7], 10, 0x432aff97u);
    MD5_STEP(I, c, d, a, b, x[14], 15, 0xab9423a7u);
    MD5_STEP(I, b, c, d, a, x[5], 21, 0xfc93a039u);
    MD5_STEP(I, a, b, c, d, x[12], 6, 0x655b59c3u);
    MD5_STEP(I, d, a, b, c, x[3], 10, 0x8f0ccc92u);
    MD5_STEP(I, c, d, a, b, x[10], 15, 0xffeff47du);
    MD5_STEP(I, b, c, d, a, x[1], 21, 0x85845dd1u);
    MD5_STEP(I, a, b, c, d, x[8], 6, 0x6fa87e4fu);
    MD5_STEP(I, d, a, b, c, x[15], 10, 0xfe2ce6e0u);
    MD5_STEP(I, c, d, a, b, x[6], 15, 0xa3014314u);
    MD5_STEP(I, b, c, d, a, x[13], 21, 0x4e0811a1u);
    MD5_STEP(I, a, b, c, d, x[4], 6, 0xf7537e82u);
    MD5_STEP(I, d, a, b, c, x[11], 10, 0xbd3af235u);
    MD5_STEP(I, c, d, a, b, x[2], 15, 0x2ad7d2bbu);
    MD5_STEP(I, b, c, d, a, x[9], 21, 0xeb86d391u);

    a0 += a;
    b0 += b;
    c0 += c;
    d0 += d;
  }
  m_lMD5[0] = a0;
  m_lMD5[1] = b0;
  m_lMD5[2] = c0;
  m_lMD5[3] = d0;
}

void CMD5Checksum::Update(const std::uint8_t* input, std::size_t length) {
  std::size_t nIndex = (m_nCount[0] >> 3) & 0x3F;
  const std::uint64_t bits = (static_cast<std::uint64_t>(m_nCount[1]) << 32 | m_nCount[0]) +
                             (static_cast<std::uint64_t>(length) << 3);
  m_nCount[0] = static_cast<std::uint32_t>(bits);
  m_nCount[1] = static_cast<std::uint32_t>(bits >> 32);

  if (nIndex != 0) {
    const std::size_t nPartLen = 64 - nIndex;
    if (length < nPartLen) {
      std::memcpy(m_lpszBuffer + nIndex, input, length);
      return;
    }
    std::memcpy(m_lpszBuffer + nIndex, input, nPartLen);
    Transform(m_lpszBuffer, 1);
    input += nPartLen;
    length -= nPartLen;
  }
  // Whole blocks straight from the caller's bytes, without a copy.
  const std::size_t nBlocks = length / 64;
  if (nBlocks > 0) Transform(input, nBlocks);
  input += nBlocks * 64;
  length -= nBlocks * 64;
  if (length > 0) std::memcpy(m_lpszBuffer, input, length);
}

void CMD5Checksum::Final(std::uint8_t digest[16]) {
  std::uint8_t bits[8];
  StoreLE32(bits, m_nCount[0]);
  StoreLE32(bits + 4, m_nCount[1]);

  static const std::uint8_t kPadding[64] = {0x80};
  const std::size_t nIndex = (m_nCount[0] >> 3) & 0x3F;
  const std::size_t nPadLen = nIndex < 56 ? 56 - nIndex : 120 - nIndex;
  Update(kPadding, nPadLen);
  Update(bits, 8);

  for (int i = 0; i < 4; ++i) StoreLE32(digest + 4 * i, m_lMD5[i]);
}

std::string CMD5Checksum::ToHex(const std::uint8_t digest[16]) {
  std::string text(32, '0');
  for (int i = 0; i < 16; ++i) {
    text[2 * i] = kHexDigits[digest[i] >> 4];
    text[2 * i + 1] = kHexDigits[digest[i] & 0x0F];
  }
  return text;
}

std::string CMD5Checksum::GetMD5(const void* data, std::size_t length) {
  CMD5Checksum md5;
  md5.Update(static_cast<const std::uint8_t*>(data), length);
  std::uint8_t digest[16];
  md5.Final(digest);
  return ToHex(digest);
}

std::string CMD5Checksum::GetMD5(std::FILE* file) {
  CMD5Checksum md5;
  std::uint8_t buffer[kChunkSize];
  std::size_t nLength;
  while ((nLength = std::fread(buffer, 1, sizeof(buffer), file)) > 0) md5.Update(buffer, nLength);
  std::uint8_t digest[16];
  md5.Final(digest);
  return ToHex(digest);
}

std::string CMD5Checksum::GetMD5(const std::string& sFilePath) {
  LOG_ENTRY("CMD5Checksum::GetMD5");
  StdioFile file;
  if (!file.OpenForReading(sFilePath)) throw FileException::FromOsError(SystemApi::GetLastError(), sFilePath);
  return GetMD5(file.Get());
}
