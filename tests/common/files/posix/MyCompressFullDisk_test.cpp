// Bytes the disk refuses when the side file is closed (a full disk often
// shows only then) make a failed unpack that keeps the old list. The side
// file is made a link to Linux's /dev/full, which fails every flush. Native
// only: Wine does not write through such a link.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/files/MyCompress.h"
#include "support/HostProgram.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kZip = "/usr/bin/zip";

TEST(MyCompressFullDisk, SideFileTheDiskRefusesIsAFailedUnpack) {
  if (!test::HostFileExists(kZip)) GTEST_SKIP() << "no " << kZip << " to make archives with";
  test::TempDir work;
  test::WriteFile(work.File("list.txt"), "a short new list\r\n");
  ASSERT_EQ(0, test::RunHostProgram({kZip, "-q", "-X", "list.zip", "list.txt"}, work.Path()));
  test::TempDir out;
  const std::string list = out.File("list.txt");
  test::WriteFile(list, "old");
  std::filesystem::create_symlink(test::Native(test::FullDiskFile()),
                                  test::Native(MyCompress::SidePath(list)));
  test::ScopedLog log;

  EXPECT_FALSE(MyCompress().Uncompress(list, work.File("list.zip")));
  EXPECT_EQ("old", test::ReadFile(list));
  EXPECT_FALSE(std::filesystem::is_symlink(test::Native(MyCompress::SidePath(list))));
  EXPECT_NE(std::string::npos, log.Messages().find("The unpacked file <" + MyCompress::SidePath(list) +
                                                   "> could not be written completely: error <112>"))
      << log.Messages();
}

}  // namespace
