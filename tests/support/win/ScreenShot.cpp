#include "support/win/ScreenShot.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "controls/win/GdiHandles.h"

namespace test {

namespace {

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  PutBigEndian(out, static_cast<std::uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(typed.data()),
                                                       static_cast<uInt>(typed.size()))));
}

// 8-bit RGB rows, each with filter "none", deflated as one IDAT chunk.
std::string EncodePng(int cx, int cy, const std::vector<std::uint32_t>& pixels) {
  std::string raw;
  raw.reserve(static_cast<size_t>(cy) * (static_cast<size_t>(cx) * 3 + 1));
  for (int y = 0; y < cy; ++y) {
    raw.push_back('\0');
    for (int x = 0; x < cx; ++x) {
      const std::uint32_t p =
          pixels[static_cast<size_t>(y) * static_cast<size_t>(cx) + static_cast<size_t>(x)];
      raw.push_back(static_cast<char>((p >> 16) & 0xFF));
      raw.push_back(static_cast<char>((p >> 8) & 0xFF));
      raw.push_back(static_cast<char>(p & 0xFF));
    }
  }
  uLongf packedSize = ::compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (::compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 9) != Z_OK)
    return {};
  packed.resize(packedSize);
  std::string header;
  PutBigEndian(header, static_cast<std::uint32_t>(cx));
  PutBigEndian(header, static_cast<std::uint32_t>(cy));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace

bool SaveScreenShot(HWND hWnd, const std::string& sPath) {
  RECT rect{};
  if (!::GetWindowRect(hWnd, &rect)) return false;
  const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
  if (cx <= 0 || cy <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = -cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* pBits = nullptr;
  Gdi::Bitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
  Gdi::MemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dib || !dc || !pBits) return false;
  {
    Gdi::Select select(dc.Get(), dib.Get());
    Gdi::WindowDc screen(nullptr);
    if (!::BitBlt(dc.Get(), 0, 0, cx, cy, screen.Get(), rect.left, rect.top, SRCCOPY)) return false;
    ::GdiFlush();
  }
  const auto* pPixels = static_cast<const std::uint32_t*>(pBits);
  const std::string png = EncodePng(
      cx, cy,
      std::vector<std::uint32_t>(pPixels, pPixels + static_cast<size_t>(cx) * static_cast<size_t>(cy)));
  std::ofstream file(sPath, std::ios::binary);
  file << png;
  return !png.empty() && file.good();
}

}  // namespace test
