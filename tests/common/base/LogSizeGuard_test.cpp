// The log's guard against unbounded growth: at start a log over twice its
// limit is cut to its last part, beginning at a full line.
#include <gtest/gtest.h>

#include <sstream>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/MyLog.h"
#include "common/base/SystemApi.h"
#include "common/files/GenericFiles.h"
#include "support/TestSupport.h"

namespace {

constexpr DWord kLimit = 4u << 20;

// Lines end as the log's own do: the log writes in text mode.
#ifdef _WIN32
const std::string kEol = "\r\n";
#else
const std::string kEol = "\n";
#endif

// A log of exactly `size` bytes in lines of varying length.
void WriteLogLines(const std::string& path, std::size_t size) {
  std::string bytes;
  for (int i = 0; bytes.size() < size; ++i) {
    std::ostringstream line;
    line << "2005/06/01 09:05:07.123 1840 @D line " << i << ' '
         << std::string(static_cast<std::size_t>(i % 97), 'x');
    bytes += line.str() + kEol;
  }
  // The last line is cut short so the file has the size asked for.
  bytes.resize(size);
  bytes.replace(size - kEol.size(), kEol.size(), kEol);
  test::WriteFile(path, bytes);
}

std::string ComputerLogName(const test::TempDir& dir, const std::string& title) {
  return dir.File(title + "_" + SystemApi::GetComputerName() + ".log");
}

TEST(LogSizeGuardTest, OversizedLogIsCutToItsLastFullLines) {
  test::TempDir dir;
  const std::string path = ComputerLogName(dir, "big");
  WriteLogLines(path, 9000000);
  const std::string original = test::ReadFile(path);
  ASSERT_EQ(9000000u, original.size());

  MyLog::ForgetFirstSetLevel();
  {
    MyLog log(dir.File("big.log"), 4);
    ASSERT_TRUE(log.IsOpen());
    const std::string cut = test::ReadFile(path);
    EXPECT_LE(cut.size(), kLimit);
    EXPECT_GT(cut.size(), kLimit - 200);  // only the broken line was dropped
    EXPECT_TRUE(original.compare(original.size() - cut.size(), cut.size(), cut) == 0);
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
  WriteLogLines(path, 8000000);
  const std::string original = test::ReadFile(path);

  MyLog::ForgetFirstSetLevel();
  MyLog log(dir.File("big.log"), 4);
  EXPECT_TRUE(original == test::ReadFile(path));
  log.SetLevel(MyLog::Debug);
  EXPECT_NE(std::string::npos, test::ReadFile(path).find("-----------------------------------------------"));
}

TEST(TrimFileToTailTest, CutsAndLogsTheReplacement) {
  test::ScopedLog scoped;
  test::TempDir dir;
  const std::string path = dir.File("tail.txt");
  test::WriteFile(path, "first line" + kEol + "second line" + kEol + "third" + kEol);
  const std::string before = scoped.Messages();

  EXPECT_EQ(kSOk, Generic::TrimFileToTail(path, 10));  // cut inside "second line"
  EXPECT_EQ("third" + kEol, test::ReadFile(path));
  EXPECT_EQ(">>> Generic::TrimFileToTail\nRemoved file <" + path + ">.\nRenamed <" + path + ".tmp> to <" +
                path + ">.\n",
            scoped.Messages().substr(before.size()));
}

TEST(TrimFileToTailTest, LineStartingAtTheCutIsDroppedAndTheLastLineGetsItsEnd) {
  test::ScopedLog scoped;
  test::TempDir dir;
  const std::string path = dir.File("tail.txt");
  const std::string last = "cccc";  // no line end
  test::WriteFile(path, "aaaa" + kEol + "bbbb" + kEol + last);
  EXPECT_EQ(kSOk, Generic::TrimFileToTail(path, static_cast<DWord>(4 + kEol.size() + last.size())));
  EXPECT_EQ(last + kEol, test::ReadFile(path));
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
