// A file's content kept between reads: every refresh must give what the file
// holds now, however the file was changed in between.
#include "common/files/FileSnapshot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace {

using namespace std::chrono_literals;

class FileSnapshotTest : public ::testing::Test {
 protected:
  // Writes the file and dates its last write `age` back.
  void WriteAged(const std::string& text, std::chrono::seconds age) {
    test::WriteFile(m_sPath, text);
    std::filesystem::last_write_time(test::Native(m_sPath),
                                     std::filesystem::file_time_type::clock::now() - age);
  }

  // Refreshes and gives the content, "<failed>" when the refresh failed.
  std::string Read(FileSnapshot& snapshot, bool* pChanged = nullptr) {
    bool bChanged = false;
    const bool bRead = snapshot.Refresh(m_sPath, bChanged);
    if (pChanged) *pChanged = bChanged;
    return bRead ? snapshot.Content() : "<failed>";
  }

  test::TempDir m_dir;
  std::string m_sPath = m_dir.File("list.txt");
};

TEST_F(FileSnapshotTest, SeesEveryRewriteOfTheSameSizeAtOnce) {
  // Writes in quick succession may share one tick of the file system's
  // clock, and so one stamp: the fresh file is read again every time.
  // Every text is written twice: the second time nothing changed.
  FileSnapshot snapshot;
  for (int i = 0; i < 50; ++i) {
    const std::string text = "X line " + std::to_string(i / 2 % 10);
    test::WriteFile(m_sPath, text);
    bool bChanged = false;
    ASSERT_EQ(text, Read(snapshot, &bChanged)) << i;
    EXPECT_EQ(i % 2 == 0, bChanged) << i;
  }
}

TEST_F(FileSnapshotTest, TrustedStampStillShowsANewModificationTime) {
  // Stamps trusted at once: only the stamp can reveal the change.
  FileSnapshot snapshot(0);
  WriteAged("X {A}: old", 3600s);
  ASSERT_EQ("X {A}: old", Read(snapshot));
  WriteAged("L {A}: new", 1800s);
  bool bChanged = false;
  EXPECT_EQ("L {A}: new", Read(snapshot, &bChanged));
  EXPECT_TRUE(bChanged);
  EXPECT_EQ("L {A}: new", Read(snapshot, &bChanged));
  EXPECT_FALSE(bChanged);
}

TEST_F(FileSnapshotTest, TrustedStampStillShowsANewSize) {
  FileSnapshot snapshot(0);
  WriteAged("short", 3600s);
  ASSERT_EQ("short", Read(snapshot));
  WriteAged("longer text", 3600s);
  EXPECT_EQ("longer text", Read(snapshot));
}

TEST_F(FileSnapshotTest, FileThatComesAndGoesIsFollowed) {
  FileSnapshot snapshot;
  EXPECT_EQ("<failed>", Read(snapshot));
  EXPECT_EQ("", snapshot.Content());
  test::WriteFile(m_sPath, "here");
  bool bChanged = false;
  EXPECT_EQ("here", Read(snapshot, &bChanged));
  EXPECT_TRUE(bChanged);
  test::RemoveFile(m_sPath);
  EXPECT_EQ("<failed>", Read(snapshot));
  test::WriteFile(m_sPath, "here");
  EXPECT_EQ("here", Read(snapshot, &bChanged));
  EXPECT_TRUE(bChanged);  // read anew after the failure
}

TEST_F(FileSnapshotTest, DirectoryCannotBeRead) {
  FileSnapshot snapshot;
  bool bChanged = false;
  EXPECT_FALSE(snapshot.Refresh(m_dir.Path(), bChanged));
  EXPECT_EQ("", snapshot.Content());
}

TEST_F(FileSnapshotTest, AnotherPathIsAnotherFile) {
  FileSnapshot snapshot(0);
  const std::string other = m_dir.File("other.txt");
  WriteAged("first", 3600s);
  test::WriteFile(other, "other");
  ASSERT_EQ("first", Read(snapshot));
  bool bChanged = false;
  ASSERT_TRUE(snapshot.Refresh(other, bChanged));
  EXPECT_EQ("other", snapshot.Content());
  EXPECT_TRUE(bChanged);
}

}  // namespace
