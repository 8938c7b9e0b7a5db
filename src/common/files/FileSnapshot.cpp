#include "common/files/FileSnapshot.h"

#include <algorithm>

#include "common/base/SystemApi.h"
#include "common/files/StdioFile.h"

namespace {

bool ReadAll(StdioFile& file, std::uint64_t sizeHint, std::string& content) {
  content.clear();
  content.reserve(static_cast<std::size_t>(sizeHint));
  char block[65536];
  std::size_t n = 0;
  while ((n = file.Read(block, sizeof block)) > 0) content.append(block, n);
  if (!file.ReadFailed()) return true;
  SystemApi::SetLastError(30);  // ERROR_READ_FAULT
  return false;
}

}  // namespace

bool FileSnapshot::Refresh(const std::string& sPath, bool& bChanged) {
  bChanged = false;
  // Taken before the stamp: any write after this moment gets a later time.
  const std::int64_t now = FileStamp::Now();
  StdioFile file;
  FileStamp stamp;
  if (!file.Open(sPath, "rb") || !FileStamp::Of(file.Get(), stamp)) {
    Forget();
    return false;
  }
  if (m_bValid && m_bSettled && sPath == m_sPath && stamp == m_stamp) return true;

  std::string sContent;
  if (!ReadAll(file, stamp.size, sContent)) {
    Forget();
    return false;
  }
  bChanged = !m_bValid || sPath != m_sPath || sContent != m_sContent;
  if (bChanged) m_sContent.swap(sContent);
  m_bValid = true;
  m_sPath = sPath;
  m_stamp = stamp;
  m_bSettled = now - std::max(stamp.modified, stamp.changed) > m_settleTicks;
  return true;
}

void FileSnapshot::Forget() {
  m_bValid = false;
  m_bSettled = false;
  m_sPath.clear();
  m_stamp = FileStamp();
  std::string().swap(m_sContent);
}
