// Logged file operations over the FileSystem primitives.
#include "common/files/GenericFiles.h"

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/SystemApi.h"
#include "common/files/FileSystem.h"

namespace Generic {

bool FileExists(const std::string& path) {
  FileSystem::FindData found;
  if (FileSystem::FindFirst(path, found)) return true;
  // A missing file is an answer, not an error for the caller to report.
  SystemApi::SetLastError(0);
  return false;
}

bool GetFileSize(const std::string& path, DWord& size) {
  FileSystem::FindData found;
  if (!FileSystem::FindFirst(path, found)) {
    LOGW("Generic::GetFileSize() cannot find file <%s> on disk!\n", path);
    return false;
  }
  size = static_cast<DWord>(found.size);
  return true;
}

namespace {

// The status of a file as the framework's CFile::GetStatus gives it; the log
// lines of these steps have always named that call.
bool GetStatus(const std::string& path, FileSystem::FindData& status) {
  return FileSystem::FindFirst(path, status);
}

}  // namespace

HResult GetFileModifiedTime(const std::string& sPath, std::time_t& timModified) {
  HResult hr = kSOk;
  FileSystem::FindData fs;
  EC_B_TEXT(hr, "CFile::GetStatus(sPath, fs)", GetStatus(sPath, fs));
  EC_B_TEXT(hr, "timModified = fs.m_mtime", timModified = fs.modified);
  return hr;
}

HResult GetFileCreatedTime(const std::string& sPath, std::time_t& timCreated) {
  HResult hr = kSOk;
  FileSystem::FindData fs;
  EC_B_TEXT(hr, "CFile::GetStatus(sPath, fs)", GetStatus(sPath, fs));
  EC_B_TEXT(hr, "timCreated = fs.m_ctime", timCreated = fs.created);
  return hr;
}

bool RemoveFile(const std::string& path, int& nErr) {
  const bool bRemoved = FileSystem::DeleteFile(path);
  nErr = static_cast<int>(SystemApi::GetLastError());
  if (bRemoved) {
    LOGA("Removed file <%s>.\n", path);
  } else {
    const DWord error = SystemApi::GetLastError();
    LOGE("::DeleteFile() failed for file <%s> with error <%d>: <%s>.\n", path, error, GetErrorText(error));
    SystemApi::SetLastError(error);
  }
  return bRemoved;
}

bool RenameFile(const std::string& from, const std::string& to) {
  HResult hr = kSOk;
  const std::string& sPath1 = from;
  const std::string& sPath2 = to;
  EC_TRY {
    if (!FileSystem::MoveFile(sPath1, sPath2)) {
      throw FileException::FromOsError(static_cast<long>(SystemApi::GetLastError()), sPath1);
    }
    LOGA("Renamed <%s> to <%s>.\n", sPath1, sPath2);
  }
  EC_CATCH(hr, "EC_BEF")
  if (Failed(hr)) {
    EC_VAR(sPath1, "%s");
    EC_VAR(sPath2, "%s");
  }
  return Succeeded(hr);
}

}  // namespace Generic
