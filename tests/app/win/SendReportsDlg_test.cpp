// The Send BHO Reports button of the real main window, clicked by message:
// the offer answered by script, the real progress window while each report
// goes through WinInet to the local FTP server, the files and the marks
// afterwards, and the "nothing to report" box in its own window with the
// caption from the string table.
#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/SendReportsText.h"
#include "app/win/TarvolinDlg.h"
#include "common/fileinfo/MD5Checksum.h"
#include "common/files/GenericIni.h"
#include "common/net/MakerServers.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/UserMessage.h"
#include "common/ui/win/DialogDriver.h"
#include "common/ui/win/MyMessageBoxDlg.h"
#include "common/ui/win/MyModelessDlg.h"
#include "common/ui/win/OwnerWindow.h"
#include "res/MyMessageBoxRes.h"
#include "res/MyModelessDlgRes.h"
#include "res/TarvolinDlgRes.h"
#include "support/BhoWorld.h"
#include "support/LocalServer.h"
#include "support/win/MainWindowHarness.h"
#include "update/Reporter.h"

namespace {

const char* const kFirst = "{0DDC0101-0000-4000-8000-000000000001}";
const char* const kSecond = "{0DDC0102-0000-4000-8000-000000000002}";

using test::Pump;
using test::RegisterMainWindowClass;
using OpenedDlg = test::OpenedMainWindow;

// What the real progress window showed: its text control after each
// message, and whether it was on screen.
struct ProgressSeen {
  int nOpened = 0;
  std::vector<std::string> texts;
  std::vector<bool> visible;
  std::vector<HWND> windows;
};

class WatchedProgress : public ProgressWindow {
 public:
  explicit WatchedProgress(ProgressSeen& seen)
      : m_seen(seen), m_pDlg(std::make_unique<MyModelessDlg>(Generic::GetPopupOwner())) {
    ++m_seen.nOpened;
    m_seen.windows.push_back(m_pDlg->GetSafeHwnd());
  }
  void SetMessage(const std::string& text) override {
    m_pDlg->SetMessage(text);
    const HWND hWnd = m_pDlg->GetSafeHwnd();
    m_seen.texts.push_back(test::WindowText(::GetDlgItem(hWnd, IDC_MYMODELESSDLG_MESSAGE)));
    m_seen.visible.push_back(::IsWindowVisible(hWnd) != FALSE);
  }
  void SetProgress(std::uint64_t done, std::uint64_t total) override { m_pDlg->SetProgress(done, total); }

 private:
  ProgressSeen& m_seen;
  std::unique_ptr<MyModelessDlg> m_pDlg;
};

class SendReportsDlg : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterMainWindowClass();
    test::WriteFile(world.File("first.dll"), "first");
    test::WriteFile(world.File("second.dll"), "second");
    world.WriteMakerList("[General]\r\n");
    world.WriteTextList("\r\n");
    world.WriteHtmlList("\r\n");
    world.Register(kFirst, world.File("first.dll"));
    world.Register(kSecond, world.File("second.dll"));

    m_server = test::LocalServer::StartFtp(home.Path(), Reporter::kUploadUserName, Reporter::kUploadPassword);
    ASSERT_TRUE(m_server) << "could not start the FTP server (pyftpdlib)";
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    program.SaveValueString(MakerServers::kFtpServerValue, "127.0.0.1");
    program.SaveValueDWord(MakerServers::kFtpPortValue, static_cast<DWord>(m_server->Port()));

    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned) {
          shown.push_back(text);
          return shown.size() <= answers.size() ? answers[shown.size() - 1]
                                                : static_cast<int>(UserMessage::kIdOk);
        });
    // The welcome at the start is answered without a window.
    MyMessageBox::SetPresenter([](const MyMessageBox&, int& nCheckShow) {
      nCheckShow = 1;
      return static_cast<int>(UserMessage::kIdOk);
    });
    ProgressWindow::SetFactory([this]() { return std::make_unique<WatchedProgress>(progress); });

    dlg = std::make_unique<OpenedDlg>();
    ASSERT_TRUE(dlg->Open());
    Pump();
    ASSERT_EQ(3, dlg->Core().Grid().GetRowCount());
  }
  void TearDown() override {
    dlg.reset();
    UserMessage::SetHandler(m_previousHandler);
    MyMessageBox::SetPresenter(nullptr);
    ProgressWindow::SetFactory(nullptr);
  }

  // A click on the button, as the button itself reports it.
  void ClickSendReports() {
    const HWND hButton = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_BUTTON_SENDREPORTS);
    ASSERT_NE(nullptr, hButton);
    ::SendMessageA(dlg->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_BUTTON_SENDREPORTS, BN_CLICKED),
                   reinterpret_cast<LPARAM>(hButton));
    Pump();
  }

  std::vector<std::string> Reports(const std::string& dir) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(test::Native(dir))) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(Reporter::kReportPrefix, 0) == 0) names.push_back(name);
    }
    return names;
  }
  std::string IsReported(const char* file) const {
    std::string value;
    Generic::GetFromIniFile(world.File("Tarvolin.ini"), CMD5Checksum::GetMD5(world.File(file)), "IsReported",
                            "", value, 64);
    return value;
  }

  test::BhoWorld world;
  test::TempDir home;
  std::unique_ptr<OpenedDlg> dlg;
  std::vector<std::string> shown;
  std::vector<int> answers;
  ProgressSeen progress;
  std::unique_ptr<test::LocalServer> m_server;

 private:
  UserMessage::Handler m_previousHandler;
};

TEST_F(SendReportsDlg, OkSendsBothReportsWhileTheProgressWindowShowsWhichOne) {
  ClickSendReports();

  ASSERT_EQ(2u, shown.size()) << world.Log().Messages();
  EXPECT_EQ(SendReportsText::Prompt(2) + "\n", shown[0]);
  EXPECT_EQ(SendReportsText::ClosingMessage(true, true).sText + "\n", shown[1]);

  ASSERT_EQ(1, progress.nOpened);
  ASSERT_EQ(4u, progress.texts.size());
  EXPECT_EQ("Reporting BHO 'first.dll' to the Kestrove website... please wait...", progress.texts[0]);
  EXPECT_EQ("Reporting BHO 'second.dll' to the Kestrove website... please wait...", progress.texts[2]);
  for (bool bVisible : progress.visible) EXPECT_TRUE(bVisible);
  // Gone before the thanks.
  EXPECT_FALSE(::IsWindow(progress.windows[0]));

  EXPECT_EQ(2u, Reports(home.Path()).size());
  EXPECT_EQ(2u, Reports(world.Dir()).size());
  EXPECT_EQ("Yes", IsReported("first.dll"));
  EXPECT_EQ("Yes", IsReported("second.dll"));
  EXPECT_TRUE(::IsWindow(dlg->GetSafeHwnd()));

  // Again: nothing left to offer, said in the program's own box, whose
  // caption is string 5012.
  InstallMessageBoxWindow();
  std::string sHeadline, sText;
  test::DialogDriver driver([&](HWND hBox) {
    sHeadline = test::WindowText(::GetDlgItem(hBox, IDC_MYMESSAGEBOX_HEADLINE));
    sText = test::WindowText(::GetDlgItem(hBox, IDC_MYMESSAGEBOX_TEXT));
    test::Press(hBox, IDOK);
  });
  shown.clear();
  ClickSendReports();
  EXPECT_EQ(1, driver.Calls());
  EXPECT_EQ("No BHOs to report!", sHeadline);
  EXPECT_EQ("There are currently no BHOs that need to be reported.", sText);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(2u, Reports(home.Path()).size());
}

TEST_F(SendReportsDlg, CancelSendsNothing) {
  answers = {UserMessage::kIdCancel};
  ClickSendReports();
  EXPECT_EQ(std::vector<std::string>{SendReportsText::Prompt(2) + "\n"}, shown);
  EXPECT_EQ(0, progress.nOpened);
  EXPECT_TRUE(Reports(home.Path()).empty());
  EXPECT_TRUE(Reports(world.Dir()).empty());
  EXPECT_EQ("", IsReported("first.dll"));
  EXPECT_EQ("", IsReported("second.dll"));
}

}  // namespace
