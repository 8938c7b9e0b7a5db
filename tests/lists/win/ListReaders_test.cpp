// The known-BHO lists, which only the program writes, are answered from the
// program's own parse of the file for as long as the file's stamp holds;
// the user's "Tarvolin.ini", which the user or another copy of the program
// may change at any moment, is read through the system every time.
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "common/files/FileStamp.h"
#include "common/files/FileSystem.h"
#include "common/files/GenericIni.h"
#include "common/files/PrivateProfile.h"
#include "lists/BHOListKst.h"
#include "model/Bho.h"
#include "support/BhoWorld.h"

namespace {

const char kClsid[] = "{11111111-2222-3333-4444-555555555555}";
const char kMD5[] = "5d41402abc4b2a76b9719d911017c592";

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

FileStamp StampOf(const std::string& path) {
  const std::unique_ptr<std::FILE, FileCloser> file(FileSystem::OpenFile(path, "rb"));
  FileStamp stamp;
  EXPECT_TRUE(file && FileStamp::Of(file.get(), stamp)) << path;
  return stamp;
}

class ListReadersTest : public ::testing::Test {
 protected:
  // Writes `text` an hour old, long enough for its stamp to be trusted.
  void WriteAged(const std::string& path, const std::string& text) {
    test::WriteFile(path, text);
    std::filesystem::last_write_time(test::Native(path),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  }

  // Rewrites the file in place with a text of the same size and gives it
  // back its times: only the content tells the versions apart.
  void RewriteKeepingTheStamp(const std::string& path, const std::string& text) {
    const FileStamp before = StampOf(path);
    FILETIME created, accessed, written;
    ASSERT_TRUE(FileTimes(path, false, created, accessed, written));
    test::WriteFile(path, text);
    ASSERT_TRUE(FileTimes(path, true, created, accessed, written));
    ASSERT_EQ(before, StampOf(path)) << "the rewrite should keep the file's stamp";
  }

  // Reads (or, with `bSet`, sets) the three times of the file.
  static bool FileTimes(const std::string& path, bool bSet, FILETIME& created, FILETIME& accessed,
                        FILETIME& written) {
    const std::unique_ptr<void, decltype(&::CloseHandle)> file(
        ::CreateFileA(path.c_str(), bSet ? FILE_WRITE_ATTRIBUTES : FILE_READ_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr),
        &::CloseHandle);
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    return bSet ? ::SetFileTime(file.get(), &created, &accessed, &written) != 0
                : ::GetFileTime(file.get(), &created, &accessed, &written) != 0;
  }

  // Wine's profile functions keep the last few files they read while their
  // last-write time holds; reading others moves them on, so that the next
  // system read of a file goes to the disk as on Windows.
  void ReadOtherFilesThroughTheSystem() {
    char value[16];
    for (int i = 0; i < 20; ++i) {
      const std::string path = world.File("other" + std::to_string(i) + ".ini");
      test::WriteFile(path, "[S]\r\nK=v\r\n");
      PrivateProfile::GetString("S", "K", "", value, sizeof value, path);
    }
  }

  std::string SystemRead(const std::string& path, const std::string& section, const std::string& key) {
    char value[64];
    PrivateProfile::GetString(section, key, "<none>", value, sizeof value, path);
    return value;
  }

  std::string MakersStatus(BHOListKst& list) {
    BHO bho(kClsid);
    bho.m_mapAttrVals.SetAt("MD5 Checksum", kMD5);
    EXPECT_EQ(kSOk, list.PopulateBHO(&bho));
    return bho.m_mapAttrVals.Get("Status");
  }

  test::BhoWorld world;
};

TEST_F(ListReadersTest, MakersListIsAnsweredFromTheParseKeptWhileItsStampHolds) {
  const std::string path = world.File("Tarvolin20List.ini");
  WriteAged(path, std::string("[General]\r\nTimestamp=2005-03-15\r\n[") + kMD5 + "]\r\nStatus=Benign\r\n");
  BHOListKst list;
  ASSERT_EQ("Benign", MakersStatus(list));
  EXPECT_EQ("2005-03-15", list.GetBHOListTimestamp());

  RewriteKeepingTheStamp(
      path, std::string("[General]\r\nTimestamp=2005-03-16\r\n[") + kMD5 + "]\r\nStatus=Adware\r\n");
  ReadOtherFilesThroughTheSystem();
  ASSERT_EQ("Adware", SystemRead(path, kMD5, "Status"));  // what the disk holds now
  EXPECT_EQ("Benign", MakersStatus(list));
  EXPECT_EQ("2005-03-15", list.GetBHOListTimestamp());

  // Any change of the stamp is a new file.
  std::filesystem::last_write_time(
      test::Native(path), std::filesystem::last_write_time(test::Native(path)) + std::chrono::seconds(1));
  EXPECT_EQ("Adware", MakersStatus(list));
  EXPECT_EQ("2005-03-16", list.GetBHOListTimestamp());
}

TEST_F(ListReadersTest, UserIniFileIsReadThroughTheSystemEveryTime) {
  const std::string path = world.File("Tarvolin.ini");
  WriteAged(path, std::string("[") + kMD5 + "]\r\nNotation=first\r\n");
  std::string sValue;
  EXPECT_TRUE(Generic::GetFromIniFile(path, kMD5, "Notation", "", sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("first", sValue);

  // Written behind the program's back, as another copy of it would.
  ASSERT_TRUE(::WritePrivateProfileStringA(kMD5, "Notation", "second", path.c_str()));
  EXPECT_TRUE(Generic::GetFromIniFile(path, kMD5, "Notation", "", sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("second", sValue);
  BHO bho(kClsid);
  bho.m_mapAttrVals.SetAt("MD5 Checksum", kMD5);
  const std::string report = world.File("report.txt");
  ASSERT_EQ(kSOk, bho.SaveToFile(report));
  EXPECT_NE(std::string::npos, test::ReadFile(report).find("Notation: second\r\n"));

  // Even a rewrite that leaves the stamp as it was is seen.
  const std::string text = test::ReadFile(path);
  const std::size_t at = text.find("second");
  ASSERT_NE(std::string::npos, at);
  RewriteKeepingTheStamp(path, text.substr(0, at) + "latest" + text.substr(at + 6));
  ReadOtherFilesThroughTheSystem();
  EXPECT_TRUE(Generic::GetFromIniFile(path, kMD5, "Notation", "", sValue, Generic::MAX_NOTATION_LEN_));
  EXPECT_EQ("latest", sValue);
}

}  // namespace
