// Where version resources come from. On Windows the system's version
// functions read them; elsewhere (and on demand on Windows) the portable
// reader of PE files does. Both hand back the same values for the same file.
#pragma once

#include <cstdint>
#include <string>

#include "common/base/Types.h"

// The fixed part of a version resource: thirteen 32-bit words, 52 bytes in
// the file, in this order.
struct FixedFileInfo {
  DWord dwSignature = 0;  // 0xFEEF04BD
  DWord dwStrucVersion = 0;
  DWord dwFileVersionMS = 0;
  DWord dwFileVersionLS = 0;
  DWord dwProductVersionMS = 0;
  DWord dwProductVersionLS = 0;
  DWord dwFileFlagsMask = 0;
  DWord dwFileFlags = 0;
  DWord dwFileOS = 0;
  DWord dwFileType = 0;
  DWord dwFileSubtype = 0;
  DWord dwFileDateMS = 0;
  DWord dwFileDateLS = 0;

  static constexpr unsigned kSize = 52;
  // Decodes the little-endian block; false when fewer than 52 bytes are given.
  bool Decode(const std::uint8_t* bytes, unsigned length);
};

class VersionInfoSource {
 public:
  virtual ~VersionInfoSource() = default;

  // Size of the buffer GetInfo fills; 0 when the file has no version
  // resource or cannot be read (the reason is in SystemApi::GetLastError()).
  virtual DWord GetInfoSize(const std::string& path) = 0;
  // Reads the version resource into `data` (at most `size` bytes).
  virtual bool GetInfo(const std::string& path, DWord size, std::uint8_t* data) = 0;

  // A binary value of a block read by GetInfo, such as "\" (the fixed
  // information) or "\VarFileInfo\Translation". `value` points into
  // `data`; `length` is the number of bytes that may be read there.
  virtual bool QueryBinary(const std::uint8_t* data, DWord size, const std::string& subBlock,
                           const std::uint8_t*& value, unsigned& length) = 0;
  // A string value, such as "\StringFileInfo\040904b0\CompanyName", as
  // single-byte text up to its terminating zero.
  virtual bool QueryString(const std::uint8_t* data, DWord size, const std::string& subBlock,
                           std::string& value) = 0;

  // The platform's choice: the system's functions on Windows, the portable
  // reader elsewhere.
  static VersionInfoSource& Default();
};
