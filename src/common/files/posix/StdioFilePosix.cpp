// POSIX has no share modes: the file is simply opened for reading.
#include <cstdio>

#include "common/files/FileSystem.h"
#include "common/files/StdioFile.h"

bool StdioFile::OpenForReading(const std::string& path) {
  Close();
  m_pFile = FileSystem::OpenFile(path, "rb");
  if (!m_pFile) return false;
  UseBuffer();
  return true;
}
