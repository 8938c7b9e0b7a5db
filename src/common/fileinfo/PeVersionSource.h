// Version resources read straight from PE files, without the system's
// version functions: the portable stand-in for them, and a second opinion
// on Windows.
#pragma once

#include "common/fileinfo/VersionInfoSource.h"

class PeVersionSource final : public VersionInfoSource {
 public:
  DWord GetInfoSize(const std::string& path) override;
  bool GetInfo(const std::string& path, DWord size, std::uint8_t* data) override;
  bool QueryBinary(const std::uint8_t* data, DWord size, const std::string& subBlock,
                   const std::uint8_t*& value, unsigned& length) override;
  bool QueryString(const std::uint8_t* data, DWord size, const std::string& subBlock,
                   std::string& value) override;
};
