// The tray icon under Wine's taskbar on the virtual display: added,
// removed, added again when the shell restarts, double clicks routed to
// the default command, and a window hidden into the tray and brought back.
#include "common/ui/win/MySystemTray.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "res/TrayMenuRes.h"
#include "res/resource.h"
#include "support/TestSupport.h"

namespace {

constexpr UINT kNotify = WM_APP + 100;

class Window {
 public:
  Window()
      : m_hWnd(::CreateWindowExA(0, "STATIC", "Tray test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr)) {}
  ~Window() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  HWND Get() const { return m_hWnd; }

 private:
  HWND m_hWnd;
};

class MySystemTrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!::FindWindowA("Shell_TrayWnd", nullptr))
      GTEST_SKIP() << "no taskbar: the tray needs the virtual display";
    ASSERT_NE(nullptr, owner.Get());
    hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  }
  // Takes the command the tray posted to the owner, or 0.
  UINT PostedCommand() {
    MSG msg{};
    while (::PeekMessageA(&msg, owner.Get(), 0, 0, PM_REMOVE)) {
      if (msg.message == WM_COMMAND) return LOWORD(msg.wParam);
    }
    return 0;
  }

  test::ScopedLog log;
  Window owner;
  HICON hIcon = nullptr;
};

TEST_F(MySystemTrayTest, IconIsAddedRemovedAndAddedAgainWhenTheShellRestarts) {
  MySystemTray tray;
  ASSERT_TRUE(tray.Create(owner.Get(), kNotify, "Tarvolin 2.0 is monitoring.", hIcon, IDR_POPUP_MENU));
  EXPECT_TRUE(tray.IsVisible());
  EXPECT_FALSE(tray.IsShowIconPending());
  ASSERT_NE(0u, MySystemTray::TaskbarCreatedMessage());

  EXPECT_TRUE(tray.RemoveIcon());
  EXPECT_FALSE(tray.IsVisible());
  // The shell's restart broadcast reaches the hidden tray window.
  ::SendMessageA(tray.GetTrayWindow(), MySystemTray::TaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(tray.IsVisible());
  // A shell that announces itself again without having lost the icon: it
  // is added again all the same, not left pending.
  ::SendMessageA(tray.GetTrayWindow(), MySystemTray::TaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(tray.IsVisible());
  EXPECT_FALSE(tray.IsShowIconPending());
  const std::string logged = log.Messages();
  EXPECT_NE(std::string::npos, logged.find("TaskBar does exist at <"));
  EXPECT_NE(std::string::npos,
            logged.find("Got 'TaskbarCreated' message!  Shell has been (re-)started!  Trying to "
                        "re-add icon!\n"));
  EXPECT_EQ(std::string::npos, logged.find("Shell_NotifyIcon() returned <0>."));
}

TEST_F(MySystemTrayTest, DoubleClickOpensFromTheTrayAndOnlyRaisesOtherwise) {
  MySystemTray tray;
  ASSERT_TRUE(tray.Create(owner.Get(), kNotify, "tip", hIcon, IDR_POPUP_MENU));
  PostedCommand();  // whatever creation left

  // Not in the tray: the window is only raised; no command.
  EXPECT_EQ(1, tray.OnTrayNotification(IDR_POPUP_MENU, WM_LBUTTONDBLCLK));
  EXPECT_EQ(0u, PostedCommand());

  MySystemTray::MinimiseToTray(owner.Get(), false);
  EXPECT_EQ(1, tray.OnTrayNotification(IDR_POPUP_MENU, WM_LBUTTONDBLCLK));
  EXPECT_EQ(static_cast<UINT>(ID_APP_OPEN), PostedCommand());  // the menu's first item, "Open"
  MySystemTray::MaximiseFromTray(owner.Get(), false);

  // Another icon's notification is not ours.
  EXPECT_EQ(0, tray.OnTrayNotification(IDR_POPUP_MENU + 1, WM_LBUTTONDBLCLK));
}

TEST_F(MySystemTrayTest, WindowLeavesTheTaskbarIntoTheTrayAndComesBack) {
  ::ShowWindow(owner.Get(), SW_SHOW);
  MySystemTray::MinimiseToTray(owner.Get(), false);
  EXPECT_TRUE(MySystemTray::IsWindowInTray());
  EXPECT_FALSE(::IsWindowVisible(owner.Get()));
  ASSERT_NE(nullptr, MySystemTray::GetInvisibleParent());
  EXPECT_EQ(MySystemTray::GetInvisibleParent(), ::GetWindow(owner.Get(), GW_OWNER));
  EXPECT_FALSE(::IsWindowVisible(MySystemTray::GetInvisibleParent()));

  MySystemTray::MaximiseFromTray(owner.Get(), false);
  EXPECT_FALSE(MySystemTray::IsWindowInTray());
  EXPECT_TRUE(::IsWindowVisible(owner.Get()));
  EXPECT_EQ(nullptr, ::GetWindow(owner.Get(), GW_OWNER));
}

}  // namespace
