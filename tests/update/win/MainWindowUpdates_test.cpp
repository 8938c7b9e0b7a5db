// The main window's two ways into the check for updates, in process on the
// virtual display against a local HTTP server: the Check for Updates button
// (the report offer first from the sixth start on, the dialog told how many
// BHOs are unknown, the grid refreshed afterwards) and timer 3 (the
// automatic check on a dialog without a window, when it is due).
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/win/TarvolinDlg.h"
#include "common/base/DateText.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/win/DialogDriver.h"
#include "model/Bho.h"
#include "model/BhoGridRow.h"
#include "res/CheckForUpdateDlgRes.h"
#include "res/TarvolinDlgRes.h"
#include "support/Recorders.h"
#include "support/TestDlls.h"
#include "support/UpdateWorld.h"
#include "support/win/MainWindowHarness.h"

namespace {

const char* const kKnown = "{0DDC0101-0000-4000-8000-000000000001}";    // its DLL holds "hello"
const char* const kUnknown = "{0DDC0102-0000-4000-8000-000000000002}";  // nobody knows this one

using test::Pump;
using test::RegisterMainWindowClass;
using OpenedDlg = test::OpenedMainWindow;

class MainWindowUpdates : public ::testing::Test {
 protected:
  MainWindowUpdates() : update(test::kDllDir ? test::TestDll("english.dll") : std::string()) {}
  ~MainWindowUpdates() override { dlg.reset(); }

  void SetUp() override {
    if (!update.Missing().empty()) GTEST_SKIP() << update.Missing();
    RegisterMainWindowClass();
    test::WriteFile(update.Local("known.dll"), "hello");
    test::WriteFile(update.Local("unknown.dll"), "nobody knows");
    update.world.Register(kKnown, update.Local("known.dll"));
    update.world.Register(kUnknown, update.Local("unknown.dll"));
    // Whatever the report offer does, it reaches no server of the maker's.
    update.Set("FtpServer", "127.0.0.1");
    update.ServePud("<!-- Currently Published Version: 2.0.0.23 -->\r\n");
    update.Serve("site\\bhotb-all.html", "<html>served</html>\r\n");
    update.ServeMakersList(
        "[General]\r\nTimestamp=served\r\n[5d41402abc4b2a76b9719d911017c592]\r\nStatus=Benign\r\n");
  }

  void SetRunCounter(DWord n) {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    ASSERT_TRUE(program.SaveValueDWord("ProgramRunCounter", n));
  }
  HWND Open() {
    dlg = std::make_unique<OpenedDlg>();
    EXPECT_TRUE(dlg->Open());
    Pump();
    return dlg->GetSafeHwnd();
  }
  std::string StatusOf(const char* clsid) {
    const CGridCtrl& grid = dlg->Core().Grid();
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
      const BHO* pBHO = grid.GetItemData<BHO>(nRow, BhoGrid::COLUMN_ENABLED);
      if (pBHO && pBHO->m_mapAttrVals.Get("Clsid") == clsid) return pBHO->m_mapAttrVals.Get("Status");
    }
    return "<no row>";
  }

  test::UpdateWorld update;
  std::unique_ptr<OpenedDlg> dlg;
};

TEST_F(MainWindowUpdates, ButtonOffersReportsFromTheSixthStartThenChecksAndRefreshes) {
  const struct {
    DWord counterBefore;  // the start makes it one more
    bool bOffer;
  } kCases[] = {{4, false}, {5, true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.counterBefore);
    SetRunCounter(c.counterBefore);
    update.world.WriteMakerList("[General]\r\nTimestamp=on disk\r\n");
    const std::size_t logStart = update.Log().size();
    HWND hWnd = Open();
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ("Unknown", StatusOf(kKnown));

    int nDialogs = 0;
    std::string sCaption;
    test::DialogDriver driver([&](HWND hDlg) {
      ++nDialogs;
      sCaption = test::WindowText(hDlg);
      test::Press(hDlg, IDC_UPDATE_CHECK_NOW);
    });
    ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDC_BUTTON_UPDATES, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDC_BUTTON_UPDATES)));

    EXPECT_EQ(1, nDialogs);
    EXPECT_EQ("Check for New Version of Tarvolin", sCaption);
    const std::string log = update.Log().substr(logStart);
    const auto offer = log.find("::OnButtonSendreports\n");
    const auto dialog = log.find(">>> CheckForUpdateDlg::OnInitDialog\n");
    ASSERT_NE(std::string::npos, dialog);
    EXPECT_EQ(c.bOffer, offer != std::string::npos);
    if (c.bOffer) {
      EXPECT_LT(offer, dialog);
    }
    // Two BHOs were unknown: the maker's list came, and the grid shows it.
    EXPECT_TRUE(test::Contains(test::ReadFile(update.Local("Tarvolin20List.ini")), "Timestamp=served"));
    EXPECT_EQ("Benign", StatusOf(kKnown));
    EXPECT_EQ("Unknown", StatusOf(kUnknown));
    EXPECT_LT(dialog, log.rfind(">>> CTarvolinDlg::RefreshListControl\n"));
    EXPECT_TRUE(test::Contains(log, "'Check for Updates' has completed successfully!"));
    dlg.reset();
  }
}

TEST_F(MainWindowUpdates, TimerThreeChecksOnlyWhenDueAndThenRefreshes) {
  const struct {
    double dDaysAgo;
    bool bRuns;
  } kCases[] = {{29.0, false}, {31.0, true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.dDaysAgo);
    update.world.WriteMakerList("[General]\r\nTimestamp=on disk\r\n");
    update.Set("LastCheckForUpdate", DateText::FormatDateTime(DateText::Now() - c.dDaysAgo));
    {
      MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
      ASSERT_TRUE(program.SaveValueInt("CheckForUpdateFrequency", 1));
    }
    HWND hWnd = Open();
    ASSERT_NE(nullptr, hWnd);
    const std::size_t logStart = update.Log().size();
    const std::size_t boxesBefore = update.boxes.size();

    ::SendMessageA(hWnd, WM_TIMER, CTarvolinDlg::TIMER_ID_SCHEDULED_CHECK, 0);

    const std::string log = update.Log().substr(logStart);
    EXPECT_TRUE(test::Contains(log, ">>> CheckForUpdateDlg::ScheduledCheck\n"));
    EXPECT_EQ(c.bRuns, log.find(">>> CheckForUpdateDlg::OnButtonCheckforupdate\n") != std::string::npos);
    EXPECT_EQ(c.bRuns, log.find(">>> CTarvolinDlg::RefreshListControl\n") != std::string::npos);
    EXPECT_EQ(c.bRuns ? "Benign" : "Unknown", StatusOf(kKnown));
    // An automatic check asks nothing and shows no window of its own.
    EXPECT_EQ(boxesBefore, update.boxes.size());
    EXPECT_TRUE(update.messages.empty()) << update.messages.front().text;
    dlg.reset();
  }
}

}  // namespace
