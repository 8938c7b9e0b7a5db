// The Windows-only helpers against the real system.
#include "common/ui/win/GenericWin.h"

#include <gtest/gtest.h>

#include "common/base/ErrorCheck.h"
#include "common/files/GenericFiles.h"
#include "common/files/win/GenericCopyFile.h"
#include "common/ui/win/TestDialog.h"
#include "res/resource.h"
#include "support/TestSupport.h"

namespace {

class GenericWinTest : public ::testing::Test {
 protected:
  std::string Logged() const { return m_log.Messages().substr(m_sBefore.size()); }

  test::ScopedLog m_log;
  test::TempDir m_dir;
  std::string m_sBefore = m_log.Messages();
};

TEST_F(GenericWinTest, LoadResStringReadsTheStringTable) {
  EXPECT_EQ("API Failure for <%s> is <%d>: <%s>", Generic::LoadResString(IDS_API_FAILURE));
  EXPECT_EQ("", Logged());
}

TEST_F(GenericWinTest, MissingStringGivesTheErrorTextAndLogsIt) {
  EXPECT_EQ("64999::: Error loading string from string table!", Generic::LoadResString(64999));
  EXPECT_EQ("64999::: Error loading string from string table!\n", Logged());
}

TEST_F(GenericWinTest, PlayWaveResourceFailsForAMissingSound) {
  EXPECT_EQ(kEFail, Generic::PlayWaveResource("NO_SUCH_WAVE"));
  const std::string logged = Logged();
  EXPECT_NE(
      std::string::npos,
      logged.find("<NULL != (hResInfo = ::FindResource(AfxGetResourceHandle(), sWavName, \"WAVE\"))> failed "
                  "with error <"));
  EXPECT_NE(
      std::string::npos,
      logged.find("EC_ skipped executing <::sndPlaySound(reinterpret_cast<LPCSTR> (lpRes), SND_MEMORY | "
                  "SND_ASYNC | SND_NODEFAULT)>.\n"));
  EXPECT_NE(std::string::npos, logged.find("   * sWavName is <NO_SUCH_WAVE>.\n"));
}

TEST_F(GenericWinTest, PlayWaveResourcePlaysTheAlertSound) {
  if (!::FindResourceA(::GetModuleHandleA(nullptr), "TARVOLINDETECT_WAVE", "WAVE")) {
    GTEST_SKIP() << "the alert sound is not among the resources";
  }
  EXPECT_EQ(kSOk, Generic::PlayWaveResource("TARVOLINDETECT_WAVE"));  // asynchronous: no device needed
}

TEST_F(GenericWinTest, CopyFileWithTheShell) {
  const std::string from = m_dir.File("source.txt");
  const std::string to = m_dir.File("copy.txt");
  test::WriteFile(from, "content");
  EXPECT_EQ(kSOk, Generic::CopyFile(from, to));
  EXPECT_EQ("content", test::ReadFile(to));
  EXPECT_EQ(">>> Generic::CopyFile\nCopied file <" + from + "> to <" + to + ">.\n", Logged());
}

TEST_F(GenericWinTest, CopyOfAMissingFileFails) {
  const std::string from = m_dir.File("none.txt");
  const std::string to = m_dir.File("copy.txt");
  EXPECT_EQ(kEFail, Generic::CopyFile(from, to));
  EXPECT_FALSE(Generic::FileExists(to));
  const std::string logged = Logged();
  EXPECT_NE(std::string::npos, logged.find("<0 == ::SHFileOperation(&shfos)> failed with error <"));
  EXPECT_NE(std::string::npos, logged.find("Copy of file <" + from + "> to <" + to + "> failed.\n"));
}

TEST_F(GenericWinTest, PumpMessagesEmptiesTheQueueThenIdles) {
  MSG msg;
  ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread gets its queue
  ASSERT_TRUE(::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 1, 0));
  ASSERT_TRUE(::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 2, 0));
  int idle = 0;
  const auto previous = Generic::SetIdleProcessing([&idle] { ++idle; });
  Generic::PumpMessages();
  EXPECT_EQ(1, idle);
  EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE));

  // A quit ends the pump and stays for the loop that owns it.
  ::PostQuitMessage(3);
  ASSERT_TRUE(::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 3, 0));
  Generic::PumpMessages();
  EXPECT_EQ(1, idle);
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3u, msg.wParam);
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  Generic::SetIdleProcessing(previous);
}

TEST_F(GenericWinTest, DialogUnitsInPixels) {
  test::TestDialog dialog(200, 100, false);
  ASSERT_TRUE(dialog.Get());
  RECT r = {0, 0, 4, 8};
  ASSERT_TRUE(::MapDialogRect(dialog.Get(), &r));
  EXPECT_EQ(r.right, Generic::DialogUnitsToPixelsX(dialog.Get(), 4));
  EXPECT_EQ(r.bottom, Generic::DialogUnitsToPixelsY(dialog.Get(), 8));
  EXPECT_EQ(r.right * 25, Generic::DialogUnitsToPixelsX(dialog.Get(), 100));
  EXPECT_EQ(r.bottom * 25, Generic::DialogUnitsToPixelsY(dialog.Get(), 200));
  EXPECT_GT(r.right, 0);

  HWND hStatic = ::CreateWindowA("STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(hStatic);
  EXPECT_EQ(0, Generic::DialogUnitsToPixelsX(hStatic, 100));
  EXPECT_EQ(0, Generic::DialogUnitsToPixelsY(hStatic, 100));
  ::DestroyWindow(hStatic);
  EXPECT_EQ(0, Generic::DialogUnitsToPixelsX(nullptr, 100));
  EXPECT_EQ("", Logged());
}

}  // namespace
