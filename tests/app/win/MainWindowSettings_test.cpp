// The main window's Settings button: the dialog runs over the window, and
// after OK the grid's header row and number column take the new
// "ColorHeader"; after Cancel they keep theirs.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/UserMessage.h"
#include "common/ui/win/DialogDriver.h"
#include "controls/win/MyColourPicker.h"
#include "res/SettingsDlgRes.h"
#include "res/TarvolinDlgRes.h"
#include "support/BhoWorld.h"
#include "support/win/MainWindowHarness.h"

namespace {

const char* const kFirst = "{0DDC0001-0000-4000-8000-000000000001}";
const char* const kSecond = "{0DDC0002-0000-4000-8000-000000000002}";

class MainWindowSettings : public ::testing::Test {
 protected:
  MainWindowSettings() {
    test::RegisterMainWindowClass();
    test::WriteFile(world.File("first.dll"), "first");
    test::WriteFile(world.File("second.dll"), "second");
    world.WriteMakerList("[General]\r\n");
    world.WriteTextList("\r\n");
    world.WriteHtmlList("\r\n");
    world.Register(kFirst, world.File("first.dll"));
    world.Register(kSecond, world.File("second.dll"));
    m_previousHandler = UserMessage::SetHandler([](const std::string&, const std::string&, unsigned) {
      return static_cast<int>(UserMessage::kIdOk);
    });
    m_previousPresenter = MyMessageBox::SetPresenter([](const MyMessageBox&, int& nCheckShow) {
      nCheckShow = 1;
      return static_cast<int>(UserMessage::kIdOk);
    });
    m_previousChooser = MyColourPicker::SetChooser([](HWND, COLORREF, bool, COLORREF& crChosen) {
      crChosen = 0x00336699;
      return MyColourPicker::Choice::kColour;
    });
  }
  ~MainWindowSettings() override {
    dlg.reset();
    UserMessage::SetHandler(m_previousHandler);
    MyMessageBox::SetPresenter(m_previousPresenter);
    MyColourPicker::SetChooser(m_previousChooser);
  }

  std::vector<COLORREF> HeaderColours() {
    std::vector<COLORREF> colours;
    CGridCtrl& grid = dlg->Core().Grid();
    for (int nCol = 0; nCol < grid.GetColumnCount(); ++nCol)
      colours.push_back(grid.GetCell(0, nCol)->background);
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow)
      colours.push_back(grid.GetCell(nRow, 0)->background);
    return colours;
  }

  test::BhoWorld world;
  std::unique_ptr<test::OpenedMainWindow> dlg;

 private:
  UserMessage::Handler m_previousHandler;
  MyMessageBox::Presenter m_previousPresenter;
  MyColourPicker::Chooser m_previousChooser;
};

TEST_F(MainWindowSettings, OkRecoloursTheHeadersCancelLeavesThem) {
  dlg = std::make_unique<test::OpenedMainWindow>();
  ASSERT_TRUE(dlg->Open());
  test::Pump();
  const HWND hWnd = dlg->GetSafeHwnd();
  ASSERT_EQ(3, dlg->Core().Grid().GetRowCount());
  EXPECT_EQ(std::vector<COLORREF>(9, 0x007AA0FF), HeaderColours());
  const COLORREF crBody = dlg->Core().Grid().GetCell(1, 2)->background;

  for (const int nButton : {IDCANCEL, IDOK}) {
    std::string caption;
    test::DialogDriver driver([&](HWND hSettings) {
      caption = test::WindowText(hSettings);
      ::SendMessageA(::GetDlgItem(hSettings, IDC_SETTINGS_COLOR_HEADER), BM_CLICK, 0, 0);
      test::Press(hSettings, nButton);
    });
    ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDC_MAIN_BUTTON_SETTINGS, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDC_MAIN_BUTTON_SETTINGS)));
    EXPECT_EQ("Tarvolin Settings", caption);
    DWord dwStored = 0;
    const bool bStored =
        MyRegistry(Registry::kCurrentUser, REGKEY_PROGRAM, false).ReadValueDWord("ColorHeader", dwStored);
    if (nButton == IDCANCEL) {
      EXPECT_FALSE(bStored);
      EXPECT_EQ(std::vector<COLORREF>(9, 0x007AA0FF), HeaderColours());
    } else {
      EXPECT_EQ(0x00336699u, dwStored);
      EXPECT_EQ(std::vector<COLORREF>(9, 0x00336699), HeaderColours());
    }
  }
  EXPECT_EQ(crBody, dlg->Core().Grid().GetCell(1, 2)->background);
}

}  // namespace
