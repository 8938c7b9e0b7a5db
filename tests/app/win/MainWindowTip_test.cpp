// The tip of the day at the main window's start: shown modally while the
// user's setting asks for it, and the remembered hint moving on at every
// start, shown or not; and the about dialog from the window's menus.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "common/registry/MyRegistry.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/TipOfTheDay.h"
#include "common/ui/UserMessage.h"
#include "common/ui/win/DialogDriver.h"
#include "res/MyTipDlgRes.h"
#include "res/TarvolinDlgRes.h"
#include "res/TrayMenuRes.h"
#include "support/BhoWorld.h"
#include "support/win/MainWindowHarness.h"

namespace {

class MainWindowTip : public ::testing::Test {
 protected:
  MainWindowTip() {
    test::WriteFile(world.File("first.dll"), "first");
    world.WriteMakerList("[General]\r\n");
    world.WriteTextList("\r\n");
    world.WriteHtmlList("\r\n");
    world.Register("{0DDC0071-0000-4000-8000-000000000001}", world.File("first.dll"));
    m_previousHandler = UserMessage::SetHandler([](const std::string&, const std::string&, unsigned) {
      return static_cast<int>(UserMessage::kIdOk);
    });
    m_previousPresenter = MyMessageBox::SetPresenter([](const MyMessageBox&, int& nCheckShow) {
      nCheckShow = 1;
      return static_cast<int>(UserMessage::kIdOk);
    });
  }
  ~MainWindowTip() override {
    dlg.reset();
    UserMessage::SetHandler(m_previousHandler);
    MyMessageBox::SetPresenter(m_previousPresenter);
  }
  static DWord Stored(const char* name) {
    DWord dw = 0xDEAD;
    MyRegistry(Registry::kCurrentUser, TipOfTheDay::RegistryKey(), false).ReadValueDWord(name, dw);
    return dw;
  }

  test::BhoWorld world;
  std::unique_ptr<test::OpenedMainWindow> dlg;

 private:
  UserMessage::Handler m_previousHandler;
  MyMessageBox::Presenter m_previousPresenter;
};

TEST_F(MainWindowTip, ShowsAtStartWhileTheUserWantsItAndAdvancesEveryStart) {
  const struct {
    bool bStored;  // values stored before the start
    DWord notAtStartup, tipId;
    bool bShown;
    DWord after;
  } cases[] = {
      {false, 0, 0, true, 17000},      // the first start
      {true, 0, 17004, true, 17005},   //
      {true, 1, 17004, false, 17005},  // not shown, still advances
      {true, 1, 17010, false, 17000},
  };
  for (const auto& c : cases) {
    MyRegistry reg(Registry::kCurrentUser, TipOfTheDay::RegistryKey(), true);
    if (c.bStored) {
      reg.SaveValueDWord(TipOfTheDay::szIntNotAtStartup, c.notAtStartup);
      reg.SaveValueDWord(TipOfTheDay::szIntTipID, c.tipId);
    }
    std::string caption, text;
    bool bMainVisible = false;
    test::DialogDriver driver([&](HWND hTip) {
      caption = test::WindowText(hTip);
      text = test::WindowText(::GetDlgItem(hTip, IDC_MYTIPDLG_TIP));
      bMainVisible = ::IsWindowVisible(::GetParent(hTip)) != FALSE;
      test::Press(hTip, IDOK);
    });
    dlg = std::make_unique<test::OpenedMainWindow>();
    ASSERT_TRUE(dlg->Open(false));
    test::Pump();
    EXPECT_EQ(c.bShown ? 1 : 0, driver.Calls()) << c.tipId;
    if (c.bShown) {
      EXPECT_EQ("Tip of the Day", caption);
      EXPECT_EQ(TipOfTheDay::TableString(c.after), text);
      EXPECT_TRUE(bMainVisible);  // the main window is up before the tip asks anything
    }
    EXPECT_EQ(c.after, Stored(TipOfTheDay::szIntTipID)) << c.tipId;
    dlg.reset();
  }
}

// The about dialog from the system menu's entry and from the tray menu's.
TEST_F(MainWindowTip, TheSystemMenuAndTheTrayMenuOpenTheAboutDialog) {
  dlg = std::make_unique<test::OpenedMainWindow>();
  ASSERT_TRUE(dlg->Open());
  test::Pump();
  const HWND hMain = dlg->GetSafeHwnd();
  for (bool bSystemMenu : {true, false}) {
    std::string caption;
    test::DialogDriver driver([&](HWND hDlg) {
      caption = test::WindowText(hDlg);
      test::Press(hDlg, IDOK);
    });
    if (bSystemMenu)
      ::SendMessageA(hMain, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    else
      ::SendMessageA(hMain, WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0), 0);
    EXPECT_EQ(1, driver.Calls()) << bSystemMenu;
    EXPECT_EQ("About Tarvolin 2.0", caption) << bSystemMenu;
  }
}

}  // namespace
