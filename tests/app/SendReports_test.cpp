// The Send BHO Reports action over the main window's grid against a real
// FTP server: what is offered, what the user's answer does, where a failure
// stops, and what the user is told; its texts from tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/MainDialogCore.h"
#include "app/SendReportsText.h"
#include "common/fileinfo/MD5Checksum.h"
#include "common/files/GenericIni.h"
#include "common/net/MakerServers.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/UserMessage.h"
#include "res/TarvolinDlgRes.h"
#include "support/BhoWorld.h"
#include "support/LocalServer.h"
#include "support/Recorders.h"
#include "update/Reporter.h"

namespace {

TEST(SendReportsText, TheOfferSpeaksOfOneBhoOrOfSeveral) {
  const struct {
    int count;
    const char* opening;
    const char* pronoun;
  } cases[] = {
      {1, "You have 1 BHO that is eligible to be reported.  ", "you don't have to report it if"},
      {2, "You have 2 BHOs that are eligible to be reported.  ", "you don't have to report them if"},
      {3, "You have 3 BHOs that are eligible to be reported.  ", "you don't have to report them if"},
      {1234, "You have 1234 BHOs that are eligible to be reported.  ", "you don't have to report them if"},
  };
  for (const auto& c : cases) {
    const std::string text = SendReportsText::Prompt(c.count);
    EXPECT_EQ(0u, text.find(c.opening)) << text;
    EXPECT_TRUE(test::Contains(text, c.pronoun));
  }
  EXPECT_EQ(
      "You have 1 BHO that is eligible to be reported.  However, you don't have to report it if you don't "
      "want "
      "to.  By sending us these reports, you can help us update our BHO database for all users of Tarvolin.  "
      "No "
      "information that can uniquely identify your computer will be sent to us.  The files that are sent to "
      "us "
      "can be found in the folder you installed Tarvolin to. \n\nDo you want to send the report(s) now?",
      SendReportsText::Prompt(1));
  EXPECT_EQ("Reporting BHO 'helper.dll' to the Kestrove website... please wait...",
            SendReportsText::Progress("helper.dll"));
}

TEST(SendReportsText, TheClosingMessageAndItsIcon) {
  const char kThanks[] =
      "Thank you for sending these reports!  The anonymous data you have sent will be combined with reports "
      "from thousands of other users, and used to investigate these BHOs.";
  const char kFailed[] =
      "One or more reports failed to upload - please try again later.  (See the logfile or more details on "
      "the "
      "errors encountered.)";
  const struct {
    bool succeeded;
    bool allUploaded;
    std::string text;
    unsigned style;
  } cases[] = {
      {true, true, kThanks, UserMessage::kIconInformation},
      {true, false, std::string(kThanks) + "  (Some files did not successfully upload.)",
       UserMessage::kIconExclamation},
      {false, true, kFailed, UserMessage::kIconExclamation},
      {false, false, kFailed, UserMessage::kIconExclamation},
  };
  for (const auto& c : cases) {
    const SendReportsText::Closing closing = SendReportsText::ClosingMessage(c.succeeded, c.allUploaded);
    EXPECT_EQ(c.text, closing.sText);
    EXPECT_EQ(c.style, closing.uiStyle);
  }
}

struct Shown {
  std::string text;
  unsigned style;
};

// Every progress window the action opens, and what each was told.
struct ProgressLog {
  int nOpened = 0;
  int nOpen = 0;
  std::vector<std::string> messages;
};

class LoggedProgress : public ProgressWindow {
 public:
  explicit LoggedProgress(ProgressLog& log) : m_log(log) {
    ++m_log.nOpened;
    ++m_log.nOpen;
  }
  ~LoggedProgress() override { --m_log.nOpen; }
  void SetMessage(const std::string& text) override { m_log.messages.push_back(text); }

 private:
  ProgressLog& m_log;
};

// A grid of four BHOs: two to report, one whose file is missing (never
// offered) and one reported before ("yes" in the INI).
class SendReports : public ::testing::Test {
 protected:
  void SetUp() override {
    world.WriteMakerList("[General]\r\n");
    world.WriteTextList("\r\n");
    world.WriteHtmlList("\r\n");
    const struct {
      const char* clsid;
      const char* file;
      const char* bytes;
    } bhos[] = {{"{5E9D0001-0000-4000-8000-000000000001}", "alpha.dll", "alpha"},
                {"{5E9D0002-0000-4000-8000-000000000002}", "beta.dll", "beta"},
                {"{5E9D0003-0000-4000-8000-000000000003}", "gone.dll", nullptr},
                {"{5E9D0004-0000-4000-8000-000000000004}", "old.dll", "old"}};
    for (const auto& bho : bhos) {
      if (bho.bytes) test::WriteFile(world.File(bho.file), bho.bytes);
      world.Register(bho.clsid, world.File(bho.file));
    }
    world.WriteIni("[" + Md5Of("old.dll") + "]\r\nIsReported=yes\r\n");

    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned style) {
          shown.push_back({text, style});
          return shown.size() <= answers.size() ? answers[shown.size() - 1]
                                                : static_cast<int>(UserMessage::kIdOk);
        });
    m_previousPresenter = MyMessageBox::SetPresenter([this](const MyMessageBox& box, int& nCheckShow) {
      boxes.push_back({box.GetText(), box.GetStyle()});
      captions.push_back(box.GetCaptionId());
      nCheckShow = nBoxCheckShow;
      return static_cast<int>(UserMessage::kIdOk);
    });
    m_previousFactory =
        ProgressWindow::SetFactory([this]() { return std::make_unique<LoggedProgress>(progress); });

    core.CreateLists();
    ASSERT_EQ(kSOk, core.LoadListCtrl(1));
    ASSERT_EQ(5, core.Grid().GetRowCount());
    StartServer(test::LocalServer::kFullRights);
  }
  void TearDown() override {
    core.Destroy();
    UserMessage::SetHandler(m_previousHandler);
    MyMessageBox::SetPresenter(m_previousPresenter);
    ProgressWindow::SetFactory(m_previousFactory);
  }

  void StartServer(const std::string& perm) {
    m_server =
        test::LocalServer::StartFtp(home.Path(), Reporter::kUploadUserName, Reporter::kUploadPassword, perm);
    ASSERT_TRUE(m_server) << "could not start the FTP server (pyftpdlib)";
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    program.SaveValueString(MakerServers::kFtpServerValue, "127.0.0.1");
    program.SaveValueDWord(MakerServers::kFtpPortValue, static_cast<DWord>(m_server->Port()));
  }

  std::string Md5Of(const std::string& file) const { return CMD5Checksum::GetMD5(world.File(file)); }
  std::string IsReported(const std::string& file) const {
    std::string value;
    Generic::GetFromIniFile(world.File("Tarvolin.ini"), Md5Of(file), "IsReported", "", value, 64);
    return value;
  }
  static std::vector<std::string> ReportsIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(test::Native(dir))) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(Reporter::kReportPrefix, 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test::BhoWorld world;
  test::TempDir home;
  MainDialogCore core;
  std::vector<Shown> shown;
  std::vector<int> answers;  // by the number of the message; OK when empty
  std::vector<Shown> boxes;
  std::vector<unsigned> captions;
  int nBoxCheckShow = 1;
  ProgressLog progress;
  std::unique_ptr<test::LocalServer> m_server;

 private:
  UserMessage::Handler m_previousHandler;
  MyMessageBox::Presenter m_previousPresenter;
  ProgressWindow::Factory m_previousFactory;
};

TEST_F(SendReports, OkSendsEachUnreportedBhoAndThanksOnce) {
  int nNeedReporting = -1;
  ASSERT_EQ(kSOk, core.SendReports(nNeedReporting));
  EXPECT_EQ(2, nNeedReporting);

  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(SendReportsText::Prompt(2) + "\n", shown[0].text);
  EXPECT_EQ(UserMessage::kOkCancel | UserMessage::kIconQuestion, shown[0].style);
  const SendReportsText::Closing thanks = SendReportsText::ClosingMessage(true, true);
  EXPECT_EQ(thanks.sText + "\n", shown[1].text);
  EXPECT_EQ(thanks.uiStyle, shown[1].style);

  // One progress window for the whole action, closed before the thanks.
  EXPECT_EQ(1, progress.nOpened);
  EXPECT_EQ(0, progress.nOpen);
  ASSERT_EQ(4u, progress.messages.size());
  EXPECT_EQ(SendReportsText::Progress("alpha.dll"), progress.messages[0]);
  EXPECT_EQ(0u, progress.messages[1].find("Uploading:\r\n\r\n"));
  EXPECT_EQ(SendReportsText::Progress("beta.dll"), progress.messages[2]);

  const std::vector<std::string> sent = ReportsIn(home.Path());
  ASSERT_EQ(2u, sent.size());
  EXPECT_EQ(sent, ReportsIn(world.Dir()));
  const std::string both = test::ReadFile(home.File(sent[0])) + test::ReadFile(home.File(sent[1]));
  EXPECT_TRUE(test::Contains(both, "MD5 Checksum: " + Md5Of("alpha.dll") + "\n"));
  EXPECT_TRUE(test::Contains(both, "MD5 Checksum: " + Md5Of("beta.dll") + "\n"));
  EXPECT_FALSE(test::Contains(both, "gone.dll"));
  EXPECT_FALSE(test::Contains(both, "old.dll"));
  EXPECT_EQ("Yes", IsReported("alpha.dll"));
  EXPECT_EQ("Yes", IsReported("beta.dll"));
  EXPECT_EQ("yes", IsReported("old.dll"));

  // Sent once: the next click finds nothing to offer and says so in the
  // box the user may silence.
  shown.clear();
  EXPECT_EQ(kSOk, core.OnButtonSendreports());
  EXPECT_TRUE(shown.empty());
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("There are currently no BHOs that need to be reported.", boxes[0].text);
  EXPECT_EQ(UserMessage::kOk | UserMessage::kIconInformation, boxes[0].style);
  EXPECT_EQ(static_cast<unsigned>(IDS_NO_BHOS_TO_REPORT_CAPTION), captions[0]);
  EXPECT_EQ(5012u, captions[0]);
  EXPECT_EQ(2u, ReportsIn(home.Path()).size());
  EXPECT_TRUE(test::Contains(world.Log().Messages(), ">>> CTarvolinDlg::OnButtonSendreports\n"));
}

TEST_F(SendReports, CancelAtTheOfferWritesAndSendsNothing) {
  answers = {UserMessage::kIdCancel};
  const std::string iniBefore = test::ReadFile(world.File("Tarvolin.ini"));
  EXPECT_EQ(kSOk, core.OnButtonSendreports());
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(SendReportsText::Prompt(2) + "\n", shown[0].text);
  EXPECT_TRUE(boxes.empty());  // declining is no reason for the "nothing to report" box
  EXPECT_EQ(0, progress.nOpened);
  EXPECT_TRUE(ReportsIn(world.Dir()).empty());
  EXPECT_TRUE(ReportsIn(home.Path()).empty());
  EXPECT_EQ(iniBefore, test::ReadFile(world.File("Tarvolin.ini")));

  int nNeedReporting = 0;
  answers = {UserMessage::kIdCancel, UserMessage::kIdCancel};
  EXPECT_EQ(kSOk, core.SendReports(nNeedReporting));
  EXPECT_EQ(2, nNeedReporting);
  EXPECT_FALSE(test::Contains(world.Log().Messages(), ">>> Reporter::UploadBHOReport"));
}

// The server takes no file: the first report fails, the second is not even
// written, and the user hears of the failure twice (the report, the end).
TEST_F(SendReports, TheFirstFailureStopsTheUploads) {
  m_server.reset();
  StartServer("elr");
  int nNeedReporting = -1;
  EXPECT_EQ(kEFail, core.SendReports(nNeedReporting));
  EXPECT_EQ(0, nNeedReporting);

  ASSERT_EQ(3u, shown.size());
  EXPECT_EQ("Failed to upload BHO <alpha.dll>.  Please try again later.\n", shown[1].text);
  EXPECT_EQ(static_cast<unsigned>(UserMessage::kIconError), shown[1].style);
  const SendReportsText::Closing failed = SendReportsText::ClosingMessage(false, false);
  EXPECT_EQ(failed.sText + "\n", shown[2].text);
  EXPECT_EQ(static_cast<unsigned>(UserMessage::kIconExclamation), shown[2].style);
  EXPECT_EQ(1u, ReportsIn(world.Dir()).size());
  EXPECT_TRUE(ReportsIn(home.Path()).empty());
  EXPECT_EQ("", IsReported("alpha.dll"));
  EXPECT_EQ("", IsReported("beta.dll"));
  EXPECT_EQ(0, progress.nOpen);
  const std::string log = world.Log().Messages();
  EXPECT_TRUE(test::Contains(log,
                             "<Reporter::UploadBHOReport(pBHO, pdlgModeless, bFileUploadedSuccessfully)> "
                             "failed with error <80004005>"));
  EXPECT_FALSE(test::Contains(log, "Reporting BHO 'beta.dll'"));

  // A failed action ends without the "nothing to report" box.
  shown.clear();
  EXPECT_EQ(kEFail, core.OnButtonSendreports());
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(3u, shown.size());
}

TEST_F(SendReports, NothingToOfferIsSaidUntilTheUserSilencesIt) {
  world.WriteIni("[" + Md5Of("alpha.dll") + "]\r\nIsReported=Yes\r\n[" + Md5Of("beta.dll") +
                 "]\r\nIsReported=YES\r\n[" + Md5Of("old.dll") + "]\r\nIsReported=yes\r\n");
  int nNeedReporting = -1;
  EXPECT_EQ(kSOk, core.SendReports(nNeedReporting));
  EXPECT_EQ(0, nNeedReporting);
  EXPECT_TRUE(boxes.empty());

  nBoxCheckShow = 0;  // "Always show this message." unticked
  EXPECT_EQ(kSOk, core.OnButtonSendreports());
  EXPECT_EQ(kSOk, core.OnButtonSendreports());
  EXPECT_EQ(1u, boxes.size());
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(0, progress.nOpened);
  EXPECT_TRUE(ReportsIn(world.Dir()).empty());
}

}  // namespace
