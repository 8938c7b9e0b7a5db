// The log's guard against unbounded growth: at start a log over twice its
// limit is cut to its last part, beginning at a full line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/ErrorCheck.h"
#include "common/Generic.h"
#include "common/MyLog.h"
#include "common/SystemApi.h"
#include "support/TestSupport.h"

namespace {

constexpr DWord kLimit = 4u << 20;

std::string NativePath(std::string path) {
#ifndef _WIN32
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
#endif
  return path;
}

// Lines of varying length up to `size` bytes, written in text mode so they
// end as the log's own lines do on this platform.
void WriteLogLines(const std::string& path, std::size_t size) {
  std::ofstream out(NativePath(path));
  std::size_t written = 0;
  for (int i = 0; written < size; ++i) {
    std::ostringstream line;
    line << "2005/06/01 09:05:07.123 1840 @D line " << i << ' '
         << std::string(static_cast<std::size_t>(i % 97), 'x');
    std::string text = line.str();
    out << text << '\n';
    written += text.size() + 1;
  }
}

void ResizeTo(const std::string& path, std::size_t size) {
  std::string bytes = test::ReadFile(path);
  ASSERT_GE(bytes.size(), size);
  bytes.resize(size);
  bytes.back() = '\n';
  test::WriteFile(path, bytes);
}

std::string ComputerLogName(const test::TempDir& dir, const std::string& title) {
  return dir.File(title + "_" + SystemApi::GetComputerName() + ".log");
}

TEST(LogSizeGuardTest, OversizedLogIsCutToItsLastFullLines) {
  test::TempDir dir;
  const std::string path = ComputerLogName(dir, "big");
  WriteLogLines(path, 9100000);
  ResizeTo(path, 9000000);
  const std::string original = test::ReadFile(path);
  ASSERT_EQ(9000000u, original.size());

  MyLog::ForgetFirstSetLevel();
  {
    MyLog log(dir.File("big.log"), 4);
    ASSERT_TRUE(log.IsOpen());
    const std::string cut = test::ReadFile(path);
    EXPECT_LE(cut.size(), kLimit);
    EXPECT_GT(cut.size(), kLimit - 200);  // only the broken line was dropped
    EXPECT_EQ(original.substr(original.size() - cut.size()), cut);
    EXPECT_EQ('\n', original[original.size() - cut.size() - 1]);
    EXPECT_FALSE(Generic::FileExists(path + ".tmp"));

    // The guard's own two level changes count: the first one the program
    // makes then writes the short form.
    log.SetLevel(MyLog::Debug);
    const std::string after = test::ReadFile(path).substr(cut.size());
    EXPECT_NE(std::string::npos, after.find("Log level set to <0> (<Debug>)."));
    EXPECT_EQ(std::string::npos, after.find("-----"));
  }
}

TEST(LogSizeGuardTest, LogUpToTwiceTheLimitIsLeftAlone) {
  test::TempDir dir;
  const std::string path = ComputerLogName(dir, "big");
  WriteLogLines(path, 8100000);
  ResizeTo(path, 8000000);
  const std::string original = test::ReadFile(path);

  MyLog::ForgetFirstSetLevel();
  MyLog log(dir.File("big.log"), 4);
  EXPECT_EQ(original, test::ReadFile(path));
  log.SetLevel(MyLog::Debug);
  EXPECT_NE(std::string::npos, test::ReadFile(path).find("-----------------------------------------------"));
}

TEST(TrimFileToTailTest, CutsAndLogsTheReplacement) {
  test::ScopedLog scoped;
  test::TempDir dir;
  const std::string path = dir.File("tail.txt");
  test::WriteFile(path, "first line\nsecond line\nthird\n");
  const std::string before = scoped.Messages();

  EXPECT_EQ(kSOk, Generic::TrimFileToTail(path, 10));  // cut inside "second line"
  EXPECT_EQ("third\n", test::ReadFile(path));
  EXPECT_EQ(">>> Generic::TrimFileToTail\nRemoved file <" + path + ">.\nRenamed <" + path + ".tmp> to <" +
                path + ">.\n",
            scoped.Messages().substr(before.size()));
}

TEST(TrimFileToTailTest, SmallFileIsLeftAlone) {
  test::ScopedLog scoped;
  test::TempDir dir;
  const std::string path = dir.File("small.txt");
  test::WriteFile(path, "one\ntwo\n");
  EXPECT_EQ(kSOk, Generic::TrimFileToTail(path, 8));
  EXPECT_EQ(kSOk, Generic::TrimFileToTail(path, 100));
  EXPECT_EQ("one\ntwo\n", test::ReadFile(path));
}

TEST(TrimFileToTailTest, MissingFileFailsWithTheSizeStep) {
  test::ScopedLog scoped;
  test::TempDir dir;
  const std::string path = dir.File("missing.txt");
  const std::string before = scoped.Messages();
  EXPECT_EQ(kEFail, Generic::TrimFileToTail(path, 10));
  EXPECT_EQ(">>> Generic::TrimFileToTail\nGeneric::GetFileSize() cannot find file <" + path +
                "> on disk!\n<Generic::GetFileSize(sFileName, dwLogSize)> failed with error <2>: <" +
                Generic::GetErrorText(2) + ">.\n",
            scoped.Messages().substr(before.size()));
}

}  // namespace
