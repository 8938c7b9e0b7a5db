#include "common/files/GenericFiles.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "support/ScopedUserAnswers.h"
#include "support/TestSupport.h"

namespace {

class GenericFilesTest : public ::testing::Test {
 protected:
  // What the functions under test logged since the fixture was set up.
  std::string Logged() const { return m_log.Messages().substr(m_sBefore.size()); }

  test::ScopedLog m_log;
  test::TempDir m_dir;
  std::string m_sBefore = m_log.Messages();
};

TEST_F(GenericFilesTest, FileExistsMatchesWildcardsAndClearsTheError) {
  test::WriteFile(m_dir.File("report.txt"), "x");
  EXPECT_TRUE(Generic::FileExists(m_dir.File("report.txt")));
  EXPECT_TRUE(Generic::FileExists(m_dir.File("*.txt")));
  EXPECT_TRUE(Generic::FileExists(m_dir.File("rep?rt.*")));
  EXPECT_TRUE(Generic::FileExists(m_dir.Path()));  // a directory is an entry too
  SystemApi::SetLastError(5);
  EXPECT_FALSE(Generic::FileExists(m_dir.File("*.zip")));
  EXPECT_EQ(0u, SystemApi::GetLastError());
  EXPECT_FALSE(Generic::FileExists(m_dir.File("missing\\report.txt")));
  EXPECT_EQ("", Logged());
}

TEST_F(GenericFilesTest, GetFileSizeWarnsAboutMissingFiles) {
  test::WriteFile(m_dir.File("five.bin"), "12345");
  DWord size = 7;
  EXPECT_TRUE(Generic::GetFileSize(m_dir.File("five.bin"), size));
  EXPECT_EQ(5u, size);
  EXPECT_FALSE(Generic::GetFileSize(m_dir.File("none.bin"), size));
  EXPECT_EQ(5u, size);
  EXPECT_EQ("Generic::GetFileSize() cannot find file <" + m_dir.File("none.bin") + "> on disk!\n", Logged());
  EXPECT_NE(std::string::npos, m_log.Text().find(" @W "));
}

TEST_F(GenericFilesTest, RemoveFileLogsBothOutcomes) {
  const std::string path = m_dir.File("gone.txt");
  test::WriteFile(path, "x");
  int nErr = -1;
  EXPECT_TRUE(Generic::RemoveFile(path, nErr));
  EXPECT_FALSE(Generic::FileExists(path));
  EXPECT_FALSE(Generic::RemoveFile(path, nErr));
  EXPECT_EQ(2, nErr);
  EXPECT_EQ("Removed file <" + path + ">.\n::DeleteFile() failed for file <" + path + "> with error <2>: <" +
                Generic::GetErrorText(2) + ">.\n",
            Logged());
}

TEST_F(GenericFilesTest, RenameFileMovesAndReportsAFailureAsAFileException) {
  const std::string from = m_dir.File("a.txt");
  const std::string to = m_dir.File("b.txt");
  test::WriteFile(from, "a");
  EXPECT_TRUE(Generic::RenameFile(from, to));
  EXPECT_EQ("a", test::ReadFile(to));
  EXPECT_EQ("Renamed <" + from + "> to <" + to + ">.\n", Logged());

  // The target exists: the rename is refused and nothing is overwritten.
  test::WriteFile(from, "new");
  test::ScopedUserAnswers answers;
  const std::string before = m_log.Messages();
  EXPECT_FALSE(Generic::RenameFile(from, to));
  EXPECT_EQ("a", test::ReadFile(to));
  const std::string text = Generic::GetErrorText(183);
  EXPECT_EQ("EC_BEF CFileException on <" + from + ">: <1> - <" + text + ">\n   * sPath1 is <" + from +
                ">.\n   * sPath2 is <" + to + ">.\n",
            m_log.Messages().substr(before.size()));
  ASSERT_EQ(1u, answers.Shown().size());
  EXPECT_EQ(text, answers.Shown()[0]);
}

TEST_F(GenericFilesTest, FileTimes) {
  const std::time_t before = std::time(nullptr);
  test::WriteFile(m_dir.File("t.txt"), "x");
  std::time_t modified = 0;
  std::time_t created = 0;
  EXPECT_EQ(kSOk, Generic::GetFileModifiedTime(m_dir.File("t.txt"), modified));
  EXPECT_EQ(kSOk, Generic::GetFileCreatedTime(m_dir.File("t.txt"), created));
  EXPECT_LE(before - 2, modified);
  EXPECT_GE(std::time(nullptr) + 2, modified);
  EXPECT_LE(before - 2, created);
  EXPECT_EQ("", Logged());
}

TEST_F(GenericFilesTest, FileTimeOfAMissingFileFailsWithTheStatusStep) {
  std::time_t modified = 42;
  EXPECT_EQ(kEFail, Generic::GetFileModifiedTime(m_dir.File("none"), modified));
  EXPECT_EQ(42, modified);
  EXPECT_EQ("<CFile::GetStatus(sPath, fs)> failed with error <2>: <" + Generic::GetErrorText(2) +
                ">.\nEC_ skipped executing <timModified = fs.m_mtime>.\n",
            Logged());
}

TEST_F(GenericFilesTest, IsDirectory) {
  test::WriteFile(m_dir.File("file"), "x");
  EXPECT_TRUE(Generic::IsDirectory(m_dir.Path()));
  EXPECT_TRUE(Generic::IsDirectory(m_dir.Path() + "\\ \\  "));
  EXPECT_FALSE(Generic::IsDirectory(m_dir.File("file")));
  EXPECT_FALSE(Generic::IsDirectory(m_dir.File("none")));
  EXPECT_FALSE(Generic::IsDirectory(""));
}

TEST_F(GenericFilesTest, CreateDirectoryMakesEveryMissingLevel) {
  const std::string deep = m_dir.File("one\\two\\three");
  EXPECT_EQ(0, Generic::CreateDirectory(deep));
  EXPECT_TRUE(Generic::IsDirectory(m_dir.File("one")));
  EXPECT_TRUE(Generic::IsDirectory(m_dir.File("one\\two")));
  EXPECT_TRUE(Generic::IsDirectory(deep));
  EXPECT_EQ(0, Generic::CreateDirectory(deep + "\\"));  // exists already
  EXPECT_EQ("", Logged());
}

TEST_F(GenericFilesTest, CreateDirectoryUnderAFileFails) {
  test::WriteFile(m_dir.File("file"), "x");
  EXPECT_EQ(1, Generic::CreateDirectory(m_dir.File("file\\sub\\subsub")));
  EXPECT_FALSE(Generic::IsDirectory(m_dir.File("file\\sub")));
  EXPECT_NE(std::string::npos, Logged().find("<FileSystem::CreateOneDirectory(sPath)> failed with error <"));
}

// A call that fails part-way leaves nothing of its own behind, and
// everything that was there before. A name of 300 characters is too long for
// any file system here, so the level carrying it fails with error 206.
TEST(CreateDirectoryCleanUp, RemovesExactlyTheLevelsItMade) {
  const std::string sTooLong(300, 'x');
  const struct {
    const char* what;
    std::vector<std::string> before;  // directories made first ("name/" ones are files)
    std::string path;
    int result;
    std::vector<std::string> there;  // directories afterwards
    std::vector<std::string> gone;   // not there afterwards
  } cases[] = {
      {"every level new", {}, "a\\b\\c", 0, {"a", "a\\b", "a\\b\\c"}, {}},
      {"third level fails", {}, "a\\b\\" + sTooLong + "\\d", 1, {}, {"a"}},
      {"first level fails", {}, sTooLong + "\\a", 1, {}, {}},
      {"old parent stays", {"old"}, "old\\a\\b\\" + sTooLong, 1, {"old"}, {"old\\a"}},
      {"old sibling stays",
       {"old", "old\\other"},
       "old\\new\\" + sTooLong,
       1,
       {"old", "old\\other"},
       {"old\\new"}},
      {"old deep parents stay", {"p", "p\\q"}, "p\\q\\a\\" + sTooLong, 1, {"p", "p\\q"}, {"p\\q\\a"}},
      {"a file in the way", {"old", "old\\file/"}, "old\\file\\x\\y", 1, {"old"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ScopedLog log;
    test::TempDir dir;
    for (const std::string& name : c.before) {
      if (name.back() == '/')
        test::WriteFile(dir.File(name.substr(0, name.size() - 1)), "x");
      else
        ASSERT_TRUE(std::filesystem::create_directory(test::Native(dir.File(name))));
    }
    EXPECT_EQ(c.result, Generic::CreateDirectory(dir.File(c.path)));
    if (c.result != 0) {
      // The reason is the failed level's, not the clean-up's.
      const DWord dwError = SystemApi::GetLastError();
      EXPECT_NE(0u, dwError);
      if (c.path.find(sTooLong) != std::string::npos) {
        EXPECT_EQ(206u, dwError);
      }
      EXPECT_EQ(std::string::npos, log.Messages().find("Could not remove")) << log.Messages();
    }
    for (const std::string& name : c.there) EXPECT_TRUE(Generic::IsDirectory(dir.File(name))) << name;
    for (const std::string& name : c.gone)
      EXPECT_FALSE(std::filesystem::exists(test::Native(dir.File(name)))) << name;
    // Nothing else appeared in the directory.
    size_t nEntries = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(test::Native(dir.Path()))) {
      (void)entry;
      ++nEntries;
    }
    size_t nExpected = c.before.size();
    if (c.result == 0) nExpected = c.there.size();
    EXPECT_EQ(nExpected, nEntries);
  }
}

TEST_F(GenericFilesTest, LongPathNameOfALongPathIsItself) {
  const std::string path = m_dir.File("Long Directory Name\\Long File Name.txt");
  ASSERT_EQ(0, Generic::CreateDirectory(Generic::GetDirectory(path)));
  test::WriteFile(path, "x");
  std::string longPath = "unchanged";
  EXPECT_EQ(kSOk, Generic::GetLongPathName(path, longPath));
  EXPECT_EQ(path, longPath);
  EXPECT_EQ(kEFail, Generic::GetLongPathName(m_dir.File("none\\x.txt"), longPath));
  EXPECT_EQ(path, longPath);
  EXPECT_EQ("", Logged());
}

}  // namespace
