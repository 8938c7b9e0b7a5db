// File-system primitives under the logged helpers of Generic. Paths use the
// program's back-slash form; the POSIX stand-in maps back-slashes to slashes.
// Every failing call leaves its reason in SystemApi::GetLastError().
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

#include "common/base/Types.h"
#include "common/base/WinNameMacros.h"  // names shared with Windows macros

namespace FileSystem {

struct FindData {
  std::string name;  // long name of the entry, without directory
  std::uint64_t size = 0;
  bool isDirectory = false;
  std::time_t modified = 0;
  std::time_t created = 0;
};

// Directory search for the first entry matching the path (wildcards as in a
// search). False when nothing matches.
bool FindFirst(const std::string& path, FindData& found);

// The C runtime's fopen on a program path (mode as for fopen; Windows text
// mode turns "\n" into CR LF).
std::FILE* OpenFile(const std::string& path, const char* mode);
// Puts the C runtime's reason for its last failed read, write or close of a
// file into SystemApi::GetLastError() (112 for a full disk).
void KeepRuntimeError();

bool DeleteFile(const std::string& path);
bool MoveFile(const std::string& from, const std::string& to);
// Like MoveFile, but an existing file at `to` is replaced (on one volume, in
// one step: readers see the old file or the new one, never a mix).
bool MoveFileReplacing(const std::string& from, const std::string& to);
bool CreateOneDirectory(const std::string& path);
// Removes one empty directory (never one that still holds anything).
bool RemoveOneDirectory(const std::string& path);

// Drive type of "X:" (0 unknown, 1 no root directory, otherwise a real drive).
unsigned GetDriveType(const std::string& drive);

}  // namespace FileSystem
