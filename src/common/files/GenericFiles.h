// File and directory helpers of Generic; each logs what it does.
#pragma once

#include <ctime>
#include <string>

#include "common/base/Types.h"
#include "common/base/WinNameMacros.h"  // names shared with Windows macros

namespace Generic {

bool FileExists(const std::string& path);
bool GetFileSize(const std::string& path, DWord& size);
HResult GetFileModifiedTime(const std::string& path, std::time_t& modified);
HResult GetFileCreatedTime(const std::string& path, std::time_t& created);
bool RemoveFile(const std::string& path, int& nErr);
bool RenameFile(const std::string& from, const std::string& to);
HResult TrimFileToTail(const std::string& path, DWord keep);
bool IsDirectory(const std::string& path);
// 0 when `path` is a directory afterwards, 1 (the reason in the last system
// error) when a level could not be made; then the levels this call made are
// removed again.
int CreateDirectory(const std::string& path);
HResult GetLongPathName(const std::string& shortPath, std::string& longPath);

}  // namespace Generic
