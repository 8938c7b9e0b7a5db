// The main window's decisions without its window: the first fill and its
// no-BHO notice, the run counter, the close question's memory, the SP2
// conversion over the rows and the Help button's two roads.
#include "app/MainDialogCore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/net/MakerServers.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "model/Bho.h"
#include "model/BhoGridRow.h"
#include "support/BhoWorld.h"
#include "support/LocalServer.h"

namespace {

const char* const kClsid = "{12345678-0000-0000-0000-000000000001}";

class MainDialog : public ::testing::Test {
 protected:
  MainDialog() {
    test::WriteFile(world.File("helper.dll"), "hello");
    world.WriteMakerList("[General]\r\n");
    world.WriteTextList("\r\n");
    world.WriteHtmlList("\r\n");
    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned) {
          shown.push_back(text);
          return static_cast<int>(UserMessage::kIdOk);
        });
    m_previousPresenter = MyMessageBox::SetPresenter([this](const MyMessageBox& box, int& nCheckShow) {
      boxes.push_back(box.GetValueName());
      nCheckShow = nBoxCheckShow;
      return nBoxAnswer;
    });
    m_previousOpener = Shell::SetOpener([this](const std::string& file, const std::string& directory) {
      opened.emplace_back(file, directory);
      return nShellResult;
    });
    core.CreateLists();
  }
  ~MainDialog() override {
    core.Destroy();
    UserMessage::SetHandler(m_previousHandler);
    MyMessageBox::SetPresenter(m_previousPresenter);
    Shell::SetOpener(m_previousOpener);
  }

  test::BhoWorld world;
  MainDialogCore core;
  std::vector<std::string> shown;
  std::vector<std::string> boxes;
  std::vector<std::pair<std::string, std::string>> opened;
  int nBoxAnswer = UserMessage::kIdOk;
  int nBoxCheckShow = 1;
  std::intptr_t nShellResult = 42;

 private:
  UserMessage::Handler m_previousHandler;
  MyMessageBox::Presenter m_previousPresenter;
  Shell::Opener m_previousOpener;
};

const char kNoBhos[] =
    "There are no Browser Helper Objects (BHOs) installed on your system.  Please minimize Tarvolin so it "
    "can "
    "monitor your system against any new BHO installation attempts.\n";

TEST_F(MainDialog, NoBhoNoticeUnlessStartedInTheTray) {
  EXPECT_EQ(kSOk, core.LoadListCtrl(1));
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(kNoBhos, shown[0]);

  shown.clear();
  EXPECT_EQ(kSOk, core.LoadListCtrl(MainDialogCore::kShowMinimizedNoActivate));
  EXPECT_TRUE(shown.empty());

  world.Register(kClsid, world.File("helper.dll"));
  EXPECT_EQ(kSOk, core.RefreshListControl());
  EXPECT_EQ(2, core.Grid().GetRowCount());
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(1, core.CountUnknownBHOs());
}

TEST_F(MainDialog, RunCounterCountsEveryStart) {
  int nRun = 0;
  EXPECT_EQ(kSOk, MainDialogCore::IncrementProgramRunCounter(nRun));
  EXPECT_EQ(1, nRun);
  nRun = 0;
  EXPECT_EQ(kSOk, MainDialogCore::IncrementProgramRunCounter(nRun));
  EXPECT_EQ(2, nRun);
  DWord dwStored = 0;
  ASSERT_TRUE(MyRegistry(Registry::kCurrentUser, REGKEY_PROGRAM, false)
                  .ReadValueDWord("ProgramRunCounter", dwStored));
  EXPECT_EQ(2u, dwStored);
}

TEST_F(MainDialog, CloseQuestionRemembersAnOkButNeverDecidesAlone) {
  nBoxAnswer = UserMessage::kIdCancel;
  EXPECT_FALSE(core.ConfirmClose());
  nBoxAnswer = UserMessage::kIdOk;
  nBoxCheckShow = 0;  // "Always show this message." unticked
  EXPECT_TRUE(core.ConfirmClose());
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ("TarvolinDlg_996_2.0.0.23", boxes[0]);
  // The stored answer now decides without asking.
  EXPECT_TRUE(core.ConfirmClose());
  EXPECT_EQ(2u, boxes.size());
}

TEST_F(MainDialog, WelcomeAndSp2NoticeHaveTheirOwnCallSites) {
  core.ShowWelcome();
  core.ShowSP2Notice();
  EXPECT_EQ((std::vector<std::string>{"TarvolinDlg_231_2.0.0.23", "TarvolinDlg_272_2.0.0.23"}), boxes);
}

TEST_F(MainDialog, ConversionToTheSp2WayWalksEveryRow) {
  world.Register(kClsid, world.File("helper.dll") + "__TarvolinDisabled_ABCDEFGHIJKLMNOP");
  // The note a classic disable leaves beside the entry.
  MyRegistry(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + kClsid + "\\ReadMe-Tarvolin", true);
  ASSERT_EQ(kSOk, core.LoadListCtrl(1));
  EXPECT_EQ(kSOk, core.ConvertDisabledBHOsToSP2Way());
  std::string sPath;
  MyRegistry(Registry::kClassesRoot, std::string("CLSID\\") + kClsid + "\\InProcServer32", false)
      .ReadValueString("", sPath);
  EXPECT_EQ(world.File("helper.dll"), sPath);
  MyRegistry settings(Registry::kCurrentUser, std::string(REGKEY_BHO_DISABLED) + "\\" + kClsid, false);
  EXPECT_TRUE(settings.IsOpen());
}

TEST_F(MainDialog, HelpOpensTheLocalPageWhenItIsThere) {
  test::WriteFile(world.File("tarvolin20help.html"), "<html>help</html>");
  EXPECT_EQ(kSOk, core.OpenHelp());
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ("tarvolin20help.html", opened[0].first);
  EXPECT_EQ(world.Dir(), opened[0].second);

  nShellResult = 2;  // file not found
  EXPECT_EQ(kEFail, core.OpenHelp());
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ("Failed to open file <" + world.File("tarvolin20help.html") + ">\n!", shown[0]);
}

TEST_F(MainDialog, HelpWithoutLocalPageShowsTheMakersAndKeepsACopy) {
  test::TempDir site;
  std::filesystem::create_directories(test::Native(site.File("files")));
  test::WriteFile(site.File("files\\tarvolin20help.html"), "<html>from the maker</html>");
  const auto server = test::LocalServer::StartHttp(site.Path());
  if (!server) GTEST_SKIP() << "no local HTTP server";
  {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    program.SaveValueString(MakerServers::kWebServerValue, server->Url(""));
  }
  EXPECT_EQ(kSOk, core.OpenHelp());
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ(server->Url("files/tarvolin20help.html"), opened[0].first);
  EXPECT_EQ("", opened[0].second);
  EXPECT_EQ("<html>from the maker</html>", test::ReadFile(world.File("tarvolin20help.html")));

  // The browser could not be started: nothing is fetched.
  test::RemoveFile(world.File("tarvolin20help.html"));
  nShellResult = 31;
  EXPECT_EQ(kEFail, core.OpenHelp());
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ("Cannot navigate to <" + server->Url("files/tarvolin20help.html") + ">!\n", shown[0]);
  EXPECT_EQ("", test::ReadFile(world.File("tarvolin20help.html")));
}

}  // namespace
