// Placements of real dialogs in the real registry.
#include <gtest/gtest.h>

#include "common/base/ErrorCheck.h"
#include "common/registry/MyRegistry.h"
#include "common/ui/win/GenericWin.h"
#include "common/ui/win/TestDialog.h"
#include "support/TestSupport.h"

namespace {

const char kPlacements[] = "Software\\Kestrove\\Tarvolin 2.0\\PlacementTests";

class PlacementWinTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteKey(); }
  void TearDown() override { DeleteKey(); }
  static void DeleteKey() {
    MyRegistry parent(Registry::kCurrentUser, "Software\\Kestrove\\Tarvolin 2.0", true);
    parent.RecursiveDelete(parent.GetHandle(), "PlacementTests");
  }
  static RECT WindowRect(HWND hWnd) {
    RECT r{};
    ::GetWindowRect(hWnd, &r);
    return r;
  }
  static RECT ClientRect(HWND hWnd) {
    RECT r{};
    ::GetClientRect(hWnd, &r);
    return r;
  }

  test::ScopedLog m_log;
};

TEST_F(PlacementWinTest, ResizableDialogGetsBackItsPlaceAndSize) {
  test::TestDialog dialog(200, 100, true);
  ASSERT_TRUE(dialog.Get());
  ASSERT_TRUE(::SetWindowPos(dialog.Get(), nullptr, 40, 50, 300, 200, SWP_NOZORDER));
  ASSERT_EQ(kSOk, Generic::SaveWindowPlacement(dialog.Get(), kPlacements, "CTestDlg"));

  ASSERT_TRUE(::SetWindowPos(dialog.Get(), nullptr, 200, 210, 250, 150, SWP_NOZORDER));
  EXPECT_EQ(SW_HIDE, Generic::RestoreWindowPlacement(dialog.Get(), ClientRect(dialog.Get()), kPlacements,
                                                     "CTestDlg", SW_HIDE));
  const RECT r = WindowRect(dialog.Get());
  EXPECT_EQ(40, r.left);
  EXPECT_EQ(50, r.top);
  EXPECT_EQ(300, r.right - r.left);
  EXPECT_EQ(200, r.bottom - r.top);

  MyRegistry reg(Registry::kCurrentUser, std::string(kPlacements) + "\\CTestDlg", false);
  int width = 0;
  EXPECT_TRUE(reg.ReadValueInt("LastScreenWidthPixels", width));
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), width);
}

TEST_F(PlacementWinTest, FixedSizeDialogIsOnlyMoved) {
  test::TestDialog dialog(200, 100, false);
  ASSERT_TRUE(dialog.Get());
  ASSERT_TRUE(::SetWindowPos(dialog.Get(), nullptr, 40, 50, 0, 0, SWP_NOZORDER | SWP_NOSIZE));
  ASSERT_EQ(kSOk, Generic::SaveWindowPlacement(dialog.Get(), kPlacements, "CTestDlg"));
  const RECT saved = WindowRect(dialog.Get());

  ASSERT_TRUE(::SetWindowPos(dialog.Get(), nullptr, 100, 120, 0, 0, SWP_NOZORDER | SWP_NOSIZE));
  // The client rectangle never has the size of the stored outer rectangle.
  EXPECT_EQ(-1, Generic::RestoreWindowPlacement(dialog.Get(), ClientRect(dialog.Get()), kPlacements,
                                                "CTestDlg", -1));
  const RECT r = WindowRect(dialog.Get());
  EXPECT_EQ(40, r.left);
  EXPECT_EQ(50, r.top);
  EXPECT_EQ(saved.right - saved.left, r.right - r.left);
}

TEST_F(PlacementWinTest, PlacementFromAnotherScreenWidthIsIgnored) {
  test::TestDialog dialog(200, 100, true);
  ASSERT_TRUE(dialog.Get());
  ASSERT_EQ(kSOk, Generic::SaveWindowPlacement(dialog.Get(), kPlacements, "CTestDlg"));
  {
    MyRegistry reg(Registry::kCurrentUser, std::string(kPlacements) + "\\CTestDlg", false);
    ASSERT_TRUE(reg.SaveValueInt("LastScreenWidthPixels", ::GetSystemMetrics(SM_CXSCREEN) + 1));
  }
  ASSERT_TRUE(::SetWindowPos(dialog.Get(), nullptr, 100, 120, 0, 0, SWP_NOZORDER | SWP_NOSIZE));
  EXPECT_EQ(-1, Generic::RestoreWindowPlacement(dialog.Get(), ClientRect(dialog.Get()), kPlacements,
                                                "CTestDlg", -1));
  EXPECT_EQ(100, WindowRect(dialog.Get()).left);
}

TEST_F(PlacementWinTest, SavingAWindowThatIsGoneFails) {
  HWND hGone = nullptr;
  {
    test::TestDialog dialog(20, 20, true);
    hGone = dialog.Get();
  }
  EXPECT_EQ(kEFail, Generic::SaveWindowPlacement(hGone, kPlacements, "CTestDlg"));
  long error = 0;
  EXPECT_FALSE(MyRegistry::TestOpen(Registry::kCurrentUser, std::string(kPlacements) + "\\CTestDlg", error));
}

}  // namespace
