#include "common/base/GenericPaths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
  const char* path;
  const char* fileName;
  const char* title;
  const char* directory;
};

TEST(GenericPathsTest, SplitsBackSlashPaths) {
  const PathCase cases[] = {
      {"C:\\Program Files\\Tarvolin\\Tarvolin.exe", "Tarvolin.exe", "Tarvolin",
       "C:\\Program Files\\Tarvolin"},
      {"Tarvolin.tar.gz", "Tarvolin.tar.gz", "Tarvolin.tar", "Tarvolin.tar.gz"},
      {"C:\\dir\\sub\\ \\ ", " ", " ", "C:\\dir"},
      {"C:\\dir\\noext", "noext", "noext", "C:\\dir"},
      {"C:\\", "", "", "C:"},
      {"http://host/path/file.zip", "http://host/path/file.zip", "http://host/path/file",
       "http://host/path/file.zip"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.fileName, Generic::GetFileName(c.path));
    EXPECT_EQ(c.title, Generic::GetFileTitle(c.path));
    EXPECT_EQ(c.directory, Generic::GetDirectory(c.path));
  }
}

TEST(GenericPathsTest, FindNoCaseIgnoresCase) {
  EXPECT_EQ(3, Generic::FindNoCase("abcLOG.txt", "log"));
  EXPECT_EQ(0, Generic::FindNoCase(".LOG", ".log"));
  EXPECT_EQ(-1, Generic::FindNoCase("abc", "abcd"));
  EXPECT_EQ(0, Generic::FindNoCase("abc", ""));
}

}  // namespace
