#include "common/fileinfo/PeVersionSource.h"

#include <cstring>

#include "common/base/SystemApi.h"
#include "common/fileinfo/PeVersionReader.h"
#include "common/fileinfo/VersionBlock.h"
#include "common/files/StdioFile.h"

namespace {

// The error numbers the system's version functions leave behind.
constexpr DWord kErrorResourceDataNotFound = 1812;
constexpr DWord kErrorResourceTypeNotFound = 1813;

// Opens the file and finds its version resource; the last error says why not.
bool Locate(const std::string& path, StdioFile& file, PeVersionReader::Location& found) {
  if (!file.Open(path, "rb")) return false;
  if (PeVersionReader::FindVersionResource(PeVersionReader::FileSource(file.Get()), found)) return true;
  SystemApi::SetLastError(kErrorResourceDataNotFound);
  return false;
}

}  // namespace

DWord PeVersionSource::GetInfoSize(const std::string& path) {
  StdioFile file;
  PeVersionReader::Location found;
  return Locate(path, file, found) ? found.size : 0;
}

bool PeVersionSource::GetInfo(const std::string& path, DWord size, std::uint8_t* data) {
  StdioFile file;
  PeVersionReader::Location found;
  if (!Locate(path, file, found)) return false;
  const DWord nRead = size < found.size ? size : found.size;
  if (!PeVersionReader::FileSource(file.Get()).ReadAt(found.offset, data, nRead)) {
    SystemApi::SetLastError(kErrorResourceDataNotFound);
    return false;
  }
  std::memset(data + nRead, 0, size - nRead);
  return true;
}

bool PeVersionSource::QueryBinary(const std::uint8_t* data, DWord size, const std::string& subBlock,
                                  const std::uint8_t*& value, unsigned& length) {
  VersionBlock::Value found;
  if (!VersionBlock::Find(data, size, subBlock, found)) {
    SystemApi::SetLastError(kErrorResourceTypeNotFound);
    return false;
  }
  value = data + found.offset;
  length = static_cast<unsigned>(found.ByteLength());
  return true;
}

bool PeVersionSource::QueryString(const std::uint8_t* data, DWord size, const std::string& subBlock,
                                  std::string& value) {
  VersionBlock::Value found;
  if (!VersionBlock::Find(data, size, subBlock, found)) {
    SystemApi::SetLastError(kErrorResourceTypeNotFound);
    return false;
  }
  value = VersionBlock::ToText(data, found);
  return true;
}
