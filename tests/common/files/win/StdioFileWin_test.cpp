// While a file is read for its checksum, other processes may read it but
// not write to it.
#include <windows.h>
#include <gtest/gtest.h>

#include "common/fileinfo/MD5Checksum.h"
#include "common/files/StdioFile.h"
#include "support/TestSupport.h"

namespace {

HANDLE OpenShared(const std::string& path, DWORD access) {
  return ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(StdioFileReadingTest, DeniesWritersWhileOpen) {
  test::TempDir dir;
  const std::string path = dir.File("locked.bin");
  test::WriteFile(path, "abc");
  {
    StdioFile file;
    ASSERT_TRUE(file.OpenForReading(path));
    HANDLE writer = OpenShared(path, GENERIC_WRITE);
    EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), ::GetLastError());
    if (writer != INVALID_HANDLE_VALUE) ::CloseHandle(writer);
    HANDLE reader = OpenShared(path, GENERIC_READ);
    EXPECT_NE(INVALID_HANDLE_VALUE, reader);
    if (reader != INVALID_HANDLE_VALUE) ::CloseHandle(reader);
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", CMD5Checksum::GetMD5(file.Get()));
  }
  HANDLE writer = OpenShared(path, GENERIC_WRITE);
  EXPECT_NE(INVALID_HANDLE_VALUE, writer);
  if (writer != INVALID_HANDLE_VALUE) ::CloseHandle(writer);
}

TEST(StdioFileReadingTest, FailureKeepsTheSystemError) {
  test::TempDir dir;
  StdioFile file;
  EXPECT_FALSE(file.OpenForReading(dir.File("missing.bin")));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ::GetLastError());
  EXPECT_FALSE(file.OpenForReading(dir.File("no\\such\\dir\\x.bin")));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), ::GetLastError());
}

}  // namespace
