// The owner of a C runtime file: moves, line reads, and failures that keep
// the system's reason, a full disk at the close above all.
#include "common/files/StdioFile.h"

#include <gtest/gtest.h>

#include <utility>

#include "common/base/SystemApi.h"
#include "support/TestSupport.h"

namespace {

constexpr DWord kErrorFileNotFound = 2;
constexpr DWord kErrorDiskFull = 112;

TEST(StdioFileTest, MovedFileHasOneOwner) {
  test::TempDir dir;
  const std::string path = dir.File("moved.txt");
  StdioFile first;
  ASSERT_TRUE(first.Open(path, "wb"));
  StdioFile second(std::move(first));
  EXPECT_FALSE(first.IsOpen());
  ASSERT_TRUE(second.IsOpen());
  EXPECT_TRUE(second.Write("abc"));

  // Assigning over an open file closes it first: its bytes reach the disk.
  StdioFile third;
  ASSERT_TRUE(third.Open(dir.File("other.txt"), "wb"));
  third = std::move(second);
  EXPECT_FALSE(second.IsOpen());
  EXPECT_TRUE(third.Write("def"));
  EXPECT_TRUE(third.Close());
  EXPECT_EQ("abcdef", test::ReadFile(path));
}

TEST(StdioFileTest, ClosedFileClosesAgainAndRefusesWork) {
  StdioFile file;
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.Write("x"));
  EXPECT_FALSE(file.Flush());
  char c = 0;
  EXPECT_EQ(0u, file.Read(&c, 1));
  EXPECT_TRUE(file.ReadFailed());
}

TEST(StdioFileTest, FailedOpenKeepsTheSystemError) {
  test::TempDir dir;
  StdioFile file;
  EXPECT_FALSE(file.Open(dir.File("missing.txt"), "rb"));
  EXPECT_EQ(kErrorFileNotFound, SystemApi::GetLastError());
  EXPECT_FALSE(file.OpenForReading(dir.File("missing.txt")));
  EXPECT_EQ(kErrorFileNotFound, SystemApi::GetLastError());
}

TEST(StdioFileTest, ReadStringGivesEachLineWithoutItsEnd) {
  test::TempDir dir;
  const std::string path = dir.File("lines.txt");
  const std::string longLine(1000, 'x');  // longer than one read of the runtime
  test::WriteFile(path, "first\n\n" + longLine + "\nlast without end");
  StdioFile file;
  ASSERT_TRUE(file.Open(path, "rb"));
  std::string line;
  for (const std::string& expected :
       {std::string("first"), std::string(), longLine, std::string("last without end")}) {
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(expected, line);
  }
  SystemApi::SetLastError(5);
  EXPECT_FALSE(file.ReadString(line));
  EXPECT_EQ("", line);
  EXPECT_EQ(0u, SystemApi::GetLastError());  // the end of the text is no error
}

// The bytes fit the buffer, so every write succeeds; the disk refuses them
// only when they are flushed. Close() must say so, with the reason.
TEST(StdioFileTest, FullDiskShowsAtTheCloseWithItsReason) {
  StdioFile file;
  ASSERT_TRUE(file.Open(test::FullDiskFile(), "wb"));
  EXPECT_TRUE(file.Write("a report that never reaches the disk"));
  SystemApi::SetLastError(0);
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(kErrorDiskFull, SystemApi::GetLastError());
  EXPECT_FALSE(file.IsOpen());
}

TEST(StdioFileTest, FullDiskShowsAtAFlush) {
  StdioFile file;
  ASSERT_TRUE(file.Open(test::FullDiskFile(), "wb"));
  EXPECT_TRUE(file.Write("x"));
  EXPECT_FALSE(file.Flush());
  EXPECT_EQ(kErrorDiskFull, SystemApi::GetLastError());
  // The lost bytes stay a failure at the close.
  EXPECT_FALSE(file.Close());
}

}  // namespace
