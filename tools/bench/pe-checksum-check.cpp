// Reads PE file names from standard input, one a line, and compares the
// checksum each carries in its header (where one is set) with the one
// computed now. Prints one line per disagreement and the totals.
#include <cstdio>
#include <iostream>
#include <string>

#include "common/sysinfo/PeChecksum.h"

int main(int argc, char** argv) {
  const int nLimit = argc > 1 ? std::stoi(argv[1]) : 100;
  int nExamined = 0, nAgreed = 0;
  std::string path;
  while (nExamined < nLimit && std::getline(std::cin, path)) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) continue;
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::uint32_t stored = 0;
    if (!PeChecksum::HeaderChecksum(data, bytes.size(), stored) || stored == 0) continue;
    ++nExamined;
    const std::uint32_t computed = PeChecksum::Compute(data, bytes.size());
    if (computed == stored)
      ++nAgreed;
    else
      std::printf("differs: %s stored 0x%08X computed 0x%08X\n", path.c_str(), stored, computed);
  }
  std::printf("PE files with a checksum: %d\nagreements: %d\n", nExamined, nAgreed);
  return nExamined == nAgreed ? 0 : 1;
}
