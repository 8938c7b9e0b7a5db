// Unpacks the first entry of a zip archive, whatever it is called inside.
#pragma once

#include <string>

class MyCompress {
 public:
  virtual ~MyCompress() = default;

  // True when the first entry was written completely to `sOutputPath` and
  // its checksum matched. The output file is created only once the entry
  // opens; a damaged entry leaves what was written so far.
  bool Uncompress(const std::string& sOutputPath, const std::string& sZipPath);
};
