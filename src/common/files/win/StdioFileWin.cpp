// Opened with the C runtime's share modes: readers welcome, writers refused
// until the file is closed.
#include <windows.h>
#include <share.h>
#include <stdlib.h>

#include <cstdio>

#include "common/base/SystemApi.h"
#include "common/files/StdioFile.h"

bool StdioFile::OpenForReading(const std::string& path) {
  Close();
  ::SetLastError(ERROR_SUCCESS);
  _doserrno = 0;
  m_pFile = _fsopen(path.c_str(), "rb", _SH_DENYWR);
  if (!m_pFile) {
    // The runtime keeps the system's own error number of the failed open.
    DWORD error = static_cast<DWORD>(_doserrno);
    if (error == 0) error = ::GetLastError();
    if (error == 0) error = ERROR_OPEN_FAILED;
    SystemApi::SetLastError(error);
    return false;
  }
  UseBuffer();
  return true;
}
