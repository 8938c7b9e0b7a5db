// The progress window as the transfer code gets it from ProgressWindow:
// made at once without taking the focus, its animation playing, texts and
// byte counts shown, Cancel only marking it, and gone with its owner.
#include "common/ui/win/MyModelessDlg.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "common/ui/ProgressWindow.h"
#include "common/ui/win/DialogDriver.h"
#include "res/MyModelessDlgRes.h"
#include "support/Recorders.h"
#include "support/TestSupport.h"

namespace {

class ProgressWindowWin : public ::testing::Test {
 protected:
  ProgressWindowWin() { InstallProgressWindow(); }
  ~ProgressWindowWin() override { ProgressWindow::SetFactory(nullptr); }
  test::ScopedLog log;
};

TEST_F(ProgressWindowWin, IsMadeAtOnceWithoutCaptionOrFocusAndPlaysItsAnimation) {
  std::unique_ptr<ProgressWindow> progress = ProgressWindow::Create();
  auto* dlg = dynamic_cast<MyModelessDlg*>(progress.get());
  ASSERT_NE(nullptr, dlg);
  const HWND hWnd = dlg->GetSafeHwnd();
  ASSERT_TRUE(::IsWindow(hWnd));
  EXPECT_TRUE(::IsWindowVisible(hWnd));
  EXPECT_NE(hWnd, ::GetActiveWindow());
  EXPECT_EQ(0, ::GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION & ~WS_BORDER);
  EXPECT_EQ("", test::WindowText(::GetDlgItem(hWnd, IDC_MYMODELESSDLG_MESSAGE)));
  // The animation opened and plays (a failed step would be logged).
  EXPECT_TRUE(test::Contains(log.Messages(), ">>> MyModelessDlg::OnInitDialog\n"));
  EXPECT_FALSE(test::Contains(log.Messages(), "m_animate"));

  // The dialog and its texts share one colour, texts drawn without a box.
  const HDC hdc = ::GetDC(hWnd);
  const auto brush = reinterpret_cast<HBRUSH>(
      ::SendMessageA(hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                     reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDC_MYMODELESSDLG_MESSAGE))));
  EXPECT_EQ(TRANSPARENT, ::GetBkMode(hdc));
  ::ReleaseDC(hWnd, hdc);
  LOGBRUSH info{};
  ASSERT_NE(0, ::GetObjectA(brush, sizeof info, &info));
  EXPECT_EQ(RGB(255, 248, 220), info.lbColor);

  progress.reset();
  EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(ProgressWindowWin, ShowsTrimmedTextsWithoutPercentSigns) {
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {
      {"  Unzipping...\r\n", "Unzipping..."},
      {"Downloading:\r\n\r\nC:\\100%\\list.zip", "Downloading:\r\n\r\nC:\\100_\\list.zip"},
      {"%s %d", "_s _d"},
      {"", ""},
  };
  MyModelessDlg dlg(nullptr);
  for (const auto& c : cases) {
    dlg.SetMessage(c.text);
    EXPECT_EQ(c.shown, dlg.GetMessage()) << c.text;
    EXPECT_EQ(c.shown, test::WindowText(::GetDlgItem(dlg.GetSafeHwnd(), IDC_MYMODELESSDLG_MESSAGE)))
        << c.text;
  }
}

TEST_F(ProgressWindowWin, BarFollowsTheBytes) {
  const struct {
    std::uint64_t done, total;
    int position;
  } cases[] = {
      {0, 120, 0},      {30, 120, 250}, {120, 120, 1000},
      {200, 100, 1000}, {5, 0, 0},      {0x100000000ull, 0x200000000ull, 500},  // beyond 32 bits
  };
  MyModelessDlg dlg(nullptr);
  for (const auto& c : cases) {
    dlg.SetProgress(c.done, c.total);
    EXPECT_EQ(c.position,
              ::SendDlgItemMessageA(dlg.GetSafeHwnd(), IDC_MYMODELESSDLG_PROGRESS, PBM_GETPOS, 0, 0))
        << c.done << "/" << c.total;
  }
}

TEST_F(ProgressWindowWin, CancelDisablesItselfAndOnlyMarksTheWindow) {
  MyModelessDlg dlg(nullptr);
  const HWND hWnd = dlg.GetSafeHwnd();
  EXPECT_FALSE(dlg.IsCancelled());
  ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDC_MYMODELESSDLG_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDC_MYMODELESSDLG_CANCEL)));
  EXPECT_TRUE(dlg.IsCancelled());
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hWnd, IDC_MYMODELESSDLG_CANCEL)));
  // Escape does not close it either: the operation owns the window.
  ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(::IsWindow(hWnd));
}

TEST(ProgressWindowWithoutWindow, StaysOnStandardErrorWhenNothingIsInstalled) {
  ProgressWindow::SetFactory(nullptr);
  std::unique_ptr<ProgressWindow> progress = ProgressWindow::Create();
  EXPECT_EQ(nullptr, dynamic_cast<MyModelessDlg*>(progress.get()));
}

}  // namespace
