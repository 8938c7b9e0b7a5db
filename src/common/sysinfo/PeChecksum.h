// The checksum of a PE image as the image-help library computes it
// (CheckSumMappedFile): a 16-bit sum with end-around carry over the whole
// file, the header's own checksum field counted as zero, plus the file's
// length. Computed from the bytes, so it runs on any platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace PeChecksum {

// The checksum of an image held in memory. A buffer that is no PE image is
// summed whole, as the system's routine does.
std::uint32_t Compute(const std::uint8_t* data, std::size_t size);

// The checksum field of the image's optional header; false when the buffer
// is no PE image.
bool HeaderChecksum(const std::uint8_t* data, std::size_t size, std::uint32_t& checksum);

// The checksum of a file read now; false (with the system error set) when
// it cannot be read.
bool OfFile(const std::string& path, std::uint32_t& checksum);

}  // namespace PeChecksum
