// The main window in process, made from its resource on the virtual
// display: its title, grid, buttons, tips and system menu; the tray and
// back; a check box clicked through the grid window; the close question;
// the timers; and the alert raised by a real registry change.
#include "app/win/TarvolinDlg.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainButtonLayout.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/registry/RegistryStore.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/UserMessage.h"
#include "common/ui/win/DialogDriver.h"
#include "common/ui/win/MySystemTray.h"
#include "model/Bho.h"
#include "model/BhoGridRow.h"
#include "res/DetailsDlgRes.h"
#include "res/TarvolinDlgRes.h"
#include "res/TrayMenuRes.h"
#include "res/resource.h"
#include "support/BhoWorld.h"
#include "support/win/MainWindowHarness.h"

namespace {

const char* const kFirst = "{0DDC0001-0000-4000-8000-000000000001}";
const char* const kSecond = "{0DDC0002-0000-4000-8000-000000000002}";

using test::Pump;
using test::RegisterMainWindowClass;
using OpenedDlg = test::OpenedMainWindow;

class MainWindowDlg : public ::testing::Test {
 protected:
  MainWindowDlg() {
    RegisterMainWindowClass();
    test::WriteFile(world.File("first.dll"), "first");
    test::WriteFile(world.File("second.dll"), "second");
    world.WriteMakerList("[General]\r\n");
    world.WriteTextList("\r\n");
    world.WriteHtmlList("\r\n");
    world.Register(kFirst, world.File("first.dll"));
    world.Register(kSecond, world.File("second.dll"));
    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned) {
          shown.push_back(text);
          return static_cast<int>(UserMessage::kIdOk);
        });
    m_previousPresenter = MyMessageBox::SetPresenter([this](const MyMessageBox& box, int& nCheckShow) {
      boxes.push_back(box.GetValueName());
      nCheckShow = 1;
      return nBoxAnswer;
    });
  }
  ~MainWindowDlg() override {
    dlg.reset();
    UserMessage::SetHandler(m_previousHandler);
    MyMessageBox::SetPresenter(m_previousPresenter);
  }

  HWND Open() {
    dlg = std::make_unique<OpenedDlg>();
    EXPECT_TRUE(dlg->Open());
    Pump();
    return dlg->GetSafeHwnd();
  }
  HWND Grid() const { return ::GetDlgItem(dlg->GetSafeHwnd(), IDC_GRID_BHOS); }

  std::string ServerPath(const char* clsid) {
    std::string sPath;
    MyRegistry(Registry::kClassesRoot, std::string("CLSID\\") + clsid + "\\InProcServer32", false)
        .ReadValueString("", sPath);
    return sPath;
  }

  test::BhoWorld world;
  std::unique_ptr<OpenedDlg> dlg;
  std::vector<std::string> shown;
  std::vector<std::string> boxes;
  int nBoxAnswer = UserMessage::kIdOk;

 private:
  UserMessage::Handler m_previousHandler;
  MyMessageBox::Presenter m_previousPresenter;
};

TEST_F(MainWindowDlg, OpensWithItsGridButtonsTipsAndMenu) {
  HWND hWnd = Open();
  ASSERT_NE(nullptr, hWnd);
  char title[64] = {};
  ::GetWindowTextA(hWnd, title, sizeof title);
  EXPECT_STREQ("Tarvolin 2.0.0.23", title);
  EXPECT_TRUE(::IsWindowVisible(hWnd));

  // The grid window took the placeholder's place: one item per BHO.
  ASSERT_NE(nullptr, Grid());
  EXPECT_EQ(2, ::SendMessageA(Grid(), LVM_GETITEMCOUNT, 0, 0));
  EXPECT_EQ(3, dlg->Core().Grid().GetRowCount());
  EXPECT_EQ(kFirst,
            dlg->Core().Grid().GetItemData<BHO>(1, BhoGrid::COLUMN_ENABLED)->m_mapAttrVals.Get("Clsid"));

  // The welcome, once per start, under its call site; nothing else asked.
  EXPECT_EQ((std::vector<std::string>{"TarvolinDlg_231_2.0.0.23"}), boxes);
  EXPECT_TRUE(shown.empty()) << shown.front();

  // The buttons along the bottom, as the layout says.
  Pump();
  RECT client{};
  ::GetClientRect(hWnd, &client);
  RECT margin{0, 0, 4, 24}, gap{0, 0, 4, 4};
  ::MapDialogRect(hWnd, &margin);
  ::MapDialogRect(hWnd, &gap);
  const MainButtonLayout layout =
      MainButtonLayout::For(client.right, client.bottom, {margin.right, margin.bottom, gap.bottom});
  RECT help{};
  ::GetWindowRect(::GetDlgItem(hWnd, IDC_BUTTON_HELP), &help);
  ::MapWindowPoints(HWND_DESKTOP, hWnd, reinterpret_cast<POINT*>(&help), 2);
  EXPECT_EQ(layout.help.left, help.left);
  EXPECT_EQ(layout.help.top, help.top);
  EXPECT_EQ(layout.help.Width(), help.right - help.left);
  // Each button shows its icon.
  for (int id : {IDC_BUTTON_UPDATES, IDC_BUTTON_SENDREPORTS, IDC_MAIN_BUTTON_SETTINGS, IDC_BUTTON_HELP})
    EXPECT_NE(0, ::SendDlgItemMessageA(hWnd, id, BM_GETIMAGE, IMAGE_ICON, 0)) << id;

  // Tips for the buttons, none for the description and the grid.
  HWND hTip = dlg->GetToolTip();
  ASSERT_NE(nullptr, hTip);
  TOOLINFOA info{};
  info.cbSize = sizeof info;
  info.hwnd = hWnd;
  info.uFlags = TTF_IDISHWND;
  char text[256] = {};
  info.lpszText = text;
  info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(hWnd, IDC_BUTTON_HELP));
  ::SendMessageA(hTip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ("View the Help file for this program\n(in your browser)", text);

  // The about entry at the end of the system menu.
  HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
  const int nItems = ::GetMenuItemCount(hSysMenu);
  ASSERT_GT(nItems, 2);
  EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(hSysMenu, nItems - 1));
  char item[64] = {};
  ::GetMenuStringA(hSysMenu, nItems - 1, item, sizeof item, MF_BYPOSITION);
  EXPECT_STREQ("&About Tarvolin 2.0...", item);

  EXPECT_NE(std::string::npos, world.Log().Messages().find("Created the tray icon!\n"));
  EXPECT_TRUE(dlg->Monitor().IsHooked());
}

TEST_F(MainWindowDlg, MinimiseGoesToTheTrayAndOpenBringsItBack) {
  HWND hWnd = Open();
  ::SendMessageA(hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(::IsWindowVisible(hWnd));
  EXPECT_TRUE(MySystemTray::IsWindowInTray());
  MyRegistry placements(Registry::kCurrentUser, REGKEY_PLACEMENTS, false);
  EXPECT_TRUE(placements.IsOpen());
  ::SendMessageA(hWnd, WM_COMMAND, ID_APP_OPEN, 0);
  EXPECT_TRUE(::IsWindowVisible(hWnd));
  EXPECT_FALSE(MySystemTray::IsWindowInTray());
  EXPECT_FALSE(::IsIconic(hWnd));
}

TEST_F(MainWindowDlg, TheCheckBoxInTheGridSwitchesTheBhoOff) {
  HWND hWnd = Open();
  ASSERT_NE(nullptr, hWnd);
  RECT box{};
  ASSERT_TRUE(dlg->GridWindow().GetCheckBoxRect(1, BhoGrid::COLUMN_ENABLED, box));
  const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
  ::SendMessageA(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(Grid(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_NE(std::string::npos, ServerPath(kFirst).find("__TarvolinDisabled_"));
  EXPECT_FALSE(dlg->Core().Grid().GetCell(1, BhoGrid::COLUMN_ENABLED)->bChecked);
  EXPECT_EQ(world.File("second.dll"), ServerPath(kSecond));
  EXPECT_TRUE(dlg->Monitor().IsHooked());
}

TEST_F(MainWindowDlg, ADoubleClickOrEnterOpensTheRowsDetails) {
  HWND hWnd = Open();
  ASSERT_NE(nullptr, hWnd);
  std::vector<std::string> opened;
  test::DialogDriver driver([&](HWND hDetails) {
    opened.push_back(test::WindowText(hDetails) + ": " +
                     test::WindowText(::GetDlgItem(hDetails, IDC_DETAILS_EDIT_NOTATION)));
    test::Press(hDetails, IDCANCEL);
  });
  RECT cell{};
  ASSERT_TRUE(dlg->GridWindow().GetCellRect(2, BhoGrid::COLUMN_DLLNAME, cell));
  ::SendMessageA(Grid(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ(std::string("BHO Details: ") + NOTATION_PROMPT, opened[0]);

  // Enter in the grid opens the selected row; Enter elsewhere opens nothing.
  LVITEMA item{};
  item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(Grid(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
  ::SetFocus(Grid());
  ::SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(2u, opened.size());
  ::SetFocus(::GetDlgItem(hWnd, IDC_BUTTON_HELP));
  ::SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(2u, opened.size());
  // The grid was read again after each, and still shows both BHOs.
  EXPECT_EQ(3, dlg->Core().Grid().GetRowCount());
}

TEST_F(MainWindowDlg, ClosingAsksAndOnlyOkCloses) {
  HWND hWnd = Open();
  nBoxAnswer = UserMessage::kIdCancel;
  ::SendMessageA(hWnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(hWnd));
  // Escape asks the same question.
  ::SendMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(::IsWindow(hWnd));
  EXPECT_EQ(3u, boxes.size());  // the welcome and the question twice
  EXPECT_EQ("TarvolinDlg_996_2.0.0.23", boxes.back());

  nBoxAnswer = UserMessage::kIdOk;
  ::SendMessageA(hWnd, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(::IsWindow(hWnd));
  // The column widths were kept.
  EXPECT_TRUE(MyRegistry(Registry::kCurrentUser, MainDialogCore::kGridBhosKey, false).IsOpen());
}

TEST_F(MainWindowDlg, TimersThreeAndStrangers) {
  HWND hWnd = Open();
  ::SendMessageA(hWnd, WM_TIMER, CTarvolinDlg::TIMER_ID_SCHEDULED_CHECK, 0);
  ::SendMessageA(hWnd, WM_TIMER, 77, 0);
  const std::string log = world.Log().Messages();
  EXPECT_NE(std::string::npos, log.find("Time for the scheduled check for updates (<2> BHOs unknown"));
  EXPECT_NE(std::string::npos, log.find("Unexpected timer id <77>.  Windows can sent these sometimes.\n"));
}

// Closes the alert as soon as it shows (it runs modally on this thread).
void CALLBACK CloseAlert(HWND, UINT, UINT_PTR id, DWORD) {
  if (HWND hAlert = ::FindWindowA(nullptr, "BHO Change Detected!")) {
    ::PostMessageA(hAlert, WM_COMMAND, IDOK, 0);
    ::KillTimer(nullptr, id);
  }
}

TEST_F(MainWindowDlg, AChangeUnderTheRealBhoKeyRaisesTheAlertAndRefreshes) {
  HWND hWnd = Open();
  ASSERT_TRUE(dlg->Monitor().IsHooked());
  // Another program's change in the real registry the watch is on.
  const std::string sKey = std::string(REGKEY_BHO) + "\\{0DDC00FF-0000-4000-8000-0000000000FF}";
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, sKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &hKey, nullptr));
  ::RegCloseKey(hKey);
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, sKey.c_str());

  // In the memory registry the program reads, one more BHO by now.
  world.Register("{0DDC0003-0000-4000-8000-000000000003}", world.File("first.dll"));
  const UINT_PTR closer = ::SetTimer(nullptr, 0, 100, &CloseAlert);
  ::SendMessageA(hWnd, WM_TIMER, 1, 0);
  ::KillTimer(nullptr, closer);
  const std::string log = world.Log().Messages();
  EXPECT_NE(std::string::npos, log.find(">>> CTarvolinDlg::HandleEventSignaled\n")) << log;
  EXPECT_EQ(4, dlg->Core().Grid().GetRowCount());
  EXPECT_EQ(3, ::SendMessageA(Grid(), LVM_GETITEMCOUNT, 0, 0));
  EXPECT_TRUE(dlg->Monitor().IsHooked());
  EXPECT_TRUE(::IsWindowVisible(hWnd));
}

// The prefix's real registry, as the program has it outside the tests: the
// watch is then on the very keys the details window deletes from. It lists
// every BHO of the prefix, so ctest runs it alone (in MainWindowEndToEnd).
class MainWindowRealRegistry : public MainWindowDlg {
 protected:
  void SetUp() override {
    const char* flag = std::getenv("TARVOLIN_E2E");
    if (!flag || std::string(flag) != "1")
      GTEST_SKIP() << "runs alone, in the ctest test MainWindowEndToEnd (it uses the prefix's real registry)";
    m_pPreviousStore = Registry::SetCurrentStore(&Registry::PlatformStore());
  }
  void TearDown() override {
    dlg.reset();
    if (m_pPreviousStore) Registry::SetCurrentStore(m_pPreviousStore);
  }

 private:
  Registry::Store* m_pPreviousStore = nullptr;
};

TEST_F(MainWindowRealRegistry, RemovingAnOrphanFromTheDetailsRaisesNoAlert) {
  const char* const kOrphan = "{0DDC00AA-0000-4000-8000-0000000000AA}";
  const std::string sBhoKey = std::string(REGKEY_BHO) + "\\" + kOrphan;
  const std::string sServerKey = std::string("CLSID\\") + kOrphan + "\\InProcServer32";
  ASSERT_TRUE(MyRegistry(Registry::kLocalMachine, sBhoKey, true).IsOpen());
  ASSERT_TRUE(
      MyRegistry(Registry::kClassesRoot, sServerKey, true).SaveValueString("", world.File("gone.dll")));

  HWND hWnd = Open();
  ASSERT_NE(nullptr, hWnd);
  auto rowOf = [this](const char* clsid) {
    const CGridCtrl& grid = dlg->Core().Grid();
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
      const BHO* pBho = grid.GetItemData<BHO>(nRow, BhoGrid::COLUMN_ENABLED);
      if (pBho && pBho->m_mapAttrVals.Get("Clsid") == clsid) return nRow;
    }
    return -1;
  };
  const int nRow = rowOf(kOrphan);
  ASSERT_GT(nRow, 0);
  ASSERT_TRUE(dlg->Monitor().IsHooked());

  // Both questions answered OK: the details window removes the entries,
  // closes itself, and the grid is read again.
  RECT cell{};
  ASSERT_TRUE(dlg->GridWindow().GetCellRect(nRow, BhoGrid::COLUMN_STATUS, cell));
  ::SendMessageA(Grid(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  Pump();
  EXPECT_FALSE(MyRegistry(Registry::kLocalMachine, sBhoKey, false).IsOpen());
  EXPECT_EQ(-1, rowOf(kOrphan));
  EXPECT_NE(boxes.end(), std::find(boxes.begin(), boxes.end(), "DetailsDlg_161_2.0.0.23"));
  EXPECT_NE(shown.end(), std::find(shown.begin(), shown.end(),
                                   "The orphaned Registry entries for this BHO have been removed."));

  // The watch was hooked again after the removal: its poll finds nothing.
  EXPECT_TRUE(dlg->Monitor().IsHooked());
  ::SendMessageA(hWnd, WM_TIMER, 1, 0);
  ::SendMessageA(hWnd, WM_TIMER, 2, 0);
  const std::string log = world.Log().Messages();
  EXPECT_EQ(std::string::npos, log.find(">>> CTarvolinDlg::HandleEventSignaled")) << log;
  EXPECT_EQ(nullptr, ::FindWindowA(nullptr, "BHO Change Detected!"));
  MyRegistry(Registry::kClassesRoot, "CLSID", false).DeleteKey(kOrphan);
}

}  // namespace
