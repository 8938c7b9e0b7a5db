// The platform backends and portable helpers agree with the system.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/files/FileSystem.h"
#include "common/files/GenericFiles.h"
#include "common/ui/GenericColors.h"
#include "common/ui/UserMessagePlatform.h"
#include "support/TestSupport.h"

namespace {

TEST(PlatformBackendsTest, HlsConversionMatchesTheShell) {
  for (WORD hue = 0; hue <= 240; hue += 10) {
    for (WORD lightness = 0; lightness <= 240; lightness += 20) {
      for (WORD saturation = 0; saturation <= 240; saturation += 40) {
        ASSERT_EQ(::ColorHLSToRGB(hue, lightness, saturation), Generic::HLSToRGB(hue, lightness, saturation))
            << hue << "," << lightness << "," << saturation;
      }
    }
  }
}

TEST(PlatformBackendsTest, LongPathNameOfAShortPath) {
  test::TempDir dir;
  const std::string longDir = dir.File("Long Directory Name");
  const std::string longFile = longDir + "\\Long File Name.text";
  ASSERT_EQ(0, Generic::CreateDirectory(longDir));
  test::WriteFile(longFile, "x");
  char shortPath[MAX_PATH] = {};
  ASSERT_GT(::GetShortPathNameA(longFile.c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_NE(longFile, shortPath) << "no short names on this file system";

  std::string result;
  EXPECT_EQ(kSOk, Generic::GetLongPathName(shortPath, result));
  char systemLong[MAX_PATH] = {};
  ASSERT_GT(::GetLongPathNameA(shortPath, systemLong, MAX_PATH), 0u);
  EXPECT_EQ(systemLong, result);
  EXPECT_GT(Generic::FindNoCase(result, "\\Long Directory Name\\Long File Name.text"), 0);
}

TEST(PlatformBackendsTest, DrivesAreDirectoriesWhenTheyHaveARoot) {
  char windowsDir[MAX_PATH] = {};
  ASSERT_GT(::GetWindowsDirectoryA(windowsDir, MAX_PATH), 2u);
  const std::string drive(windowsDir, 2);
  EXPECT_TRUE(Generic::IsDirectory(drive));
  EXPECT_TRUE(Generic::IsDirectory(drive + "\\"));
  EXPECT_TRUE(Generic::IsDirectory(windowsDir));

  const DWORD drives = ::GetLogicalDrives();
  for (char letter = 'Y'; letter > 'D'; --letter) {
    if (!(drives & (1u << (letter - 'A')))) {
      EXPECT_FALSE(Generic::IsDirectory(std::string(1, letter) + ":")) << letter;
      break;
    }
  }
}

TEST(PlatformBackendsTest, SystemFacts) {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  ASSERT_TRUE(::GetComputerNameA(name, &size));
  EXPECT_EQ(name, SystemApi::GetComputerName());

  char module[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, module, MAX_PATH);
  EXPECT_EQ(module, SystemApi::GetModuleFileName());

  std::string value;
  ::SetEnvironmentVariableA("TARVOLIN_EMPTY_VAR", "");
  EXPECT_TRUE(SystemApi::GetEnvironmentVariable("TARVOLIN_EMPTY_VAR", value));
  EXPECT_EQ("", value);
  ::SetEnvironmentVariableA("TARVOLIN_LONG_VAR", std::string(300, 'v').c_str());
  EXPECT_TRUE(SystemApi::GetEnvironmentVariable("TARVOLIN_LONG_VAR", value));
  EXPECT_EQ(std::string(300, 'v'), value);
  EXPECT_FALSE(SystemApi::GetEnvironmentVariable("TARVOLIN_NO_SUCH_VAR", value));
  EXPECT_EQ(203u, SystemApi::GetLastError());

  OSVERSIONINFOA osvi{};
  osvi.dwOSVersionInfoSize = sizeof osvi;
  ASSERT_TRUE(::GetVersionExA(&osvi));
  SystemApi::OsVersion version;
  ASSERT_TRUE(SystemApi::GetVersionInfo(version));
  EXPECT_EQ(osvi.dwMajorVersion, version.major);
  EXPECT_EQ(osvi.szCSDVersion, version.csd);

  // The 64-bit count agrees with the 32-bit one in its low half.
  const auto tick = static_cast<DWORD>(SystemApi::GetTickCount());
  EXPECT_LE(static_cast<DWORD>(::GetTickCount() - tick), 1000u);
}

TEST(PlatformBackendsTest, SystemMessageEndsWithItsLineEnd) {
  std::string text;
  ASSERT_TRUE(SystemApi::FormatSystemMessage(2, text));
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ("\r\n", text.substr(text.size() - 2));
  EXPECT_FALSE(SystemApi::FormatSystemMessage(0x2345678, text));
}

TEST(PlatformBackendsTest, OpenFailureLeavesTheSystemError) {
  test::TempDir dir;
  ::SetLastError(0);
  EXPECT_EQ(nullptr, FileSystem::OpenFile(dir.File("missing\\x.txt"), "r"));
  EXPECT_EQ(3u, ::GetLastError());
}

TEST(PlatformBackendsTest, InteractiveSessionHasADesktop) { EXPECT_TRUE(UserMessage::PlatformHasDesktop()); }

}  // namespace
