// Prints the MD5 checksum of each file named, in md5sum's layout, through
// the program's own digest code; used to measure its throughput.
#include <cstdio>

#include "common/base/FileException.h"
#include "common/fileinfo/MD5Checksum.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
    return 2;
  }
  int result = 0;
  for (int i = 1; i < argc; ++i) {
    try {
      std::printf("%s  %s\n", CMD5Checksum::GetMD5(argv[i]).c_str(), argv[i]);
    } catch (const FileException& e) {
      std::fprintf(stderr, "%s: %s\n", argv[i], e.what());
      result = 1;
    }
  }
  return result;
}
