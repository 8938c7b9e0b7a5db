// Start-up of the application object: its checks, the factory reset and the
// silent output mode, on an in-memory registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/InteractiveFrontend.h"
#include "app/Tarvolin.h"
#include "common/base/GenericErrors.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "support/BhoWorld.h"
#include "support/TestDlls.h"

namespace {

const char* const kClsidA = "{AAAAAAAA-0000-0000-0000-000000000001}";
const char* const kClsidB = "{BBBBBBBB-0000-0000-0000-000000000002}";

class StartUp : public ::testing::Test {
 protected:
  StartUp() {
    test::WriteFile(world.File("a.dll"), "hello");
    world.WriteMakerList("[General]\r\n");
    world.WriteTextList("\r\n");
    world.WriteHtmlList("\r\n");
    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned style) {
          shown.push_back(text);
          styles.push_back(style);
          return static_cast<int>(UserMessage::kIdOk);
        });
  }
  ~StartUp() override {
    UserMessage::SetHandler(m_previousHandler);
    UserMessage::SetNonInteractive(false);
  }

  // Runs the program with `args`; returns its log's messages.
  std::string Run(std::vector<std::string> args, InteractiveFrontend* pFrontend = nullptr) {
    const std::string logPath = world.File("run.log");
    MyLog::ForgetFirstSetLevel();
    {
      CTarvolinApp app(std::move(args), logPath);
      app.SetFrontend(pFrontend);
      EXPECT_FALSE(app.InitInstance());
      exitCode = app.ExitInstance();
      logFile = app.GetLog().GetFileName();
    }
    // The log is a text file: CR LF on Windows.
    std::string text = test::ReadFile(logFile);
    for (size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos;) text.erase(pos, 1);
    return text;
  }

  std::vector<std::string> Reports(const std::string& dir) {
    std::vector<std::string> names;
    std::string native = dir;
    for (char& c : native) {
      if (c == '\\') c = '/';
    }
    for (const auto& e : std::filesystem::directory_iterator(native))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  test::BhoWorld world;
  std::vector<std::string> shown;
  std::vector<unsigned> styles;
  std::string logFile;
  int exitCode = -1;

 private:
  UserMessage::Handler m_previousHandler;
};

TEST_F(StartUp, LogsVersionKeyChecksAndExit) {
  world.Register(kClsidA, world.File("a.dll"));
  const std::string log = Run({});
  for (const char* line :
       {"Running version <>.\n",
        "Making sure the <Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper "
        "Objects> key exists on HKEY_LOCAL_MACHINE.\n",
        "Testing to see if we can open the <Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
        "Browser Helper Objects> key on HKEY_LOCAL_MACHINE.\n",
        "<<< CTarvolinApp::InitInstance\n", "In MyApp::ExitInstance(), calling CWinApp::ExitInstance().\n",
        "PC running for "}) {
    EXPECT_NE(std::string::npos, log.find(line)) << line;
  }
  EXPECT_NE(std::string::npos, log.find("Log <" + logFile + "> level set to <0> (<Debug>).\n"));
  MyRegistry bhoKey;
  EXPECT_TRUE(bhoKey.Open(Registry::kLocalMachine, REGKEY_BHO, false));
  EXPECT_TRUE(shown.empty());
}

TEST_F(StartUp, WithoutRightsToTheBhoKeyItExplainsAndStops) {
  { MyRegistry create(Registry::kLocalMachine, REGKEY_BHO, true); }
  ASSERT_EQ(0, world.Store().DenyAccess(Registry::kLocalMachine, REGKEY_BHO));
  const std::string log = Run({"-Output", world.File("out")});
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(UserMessage::kIconError, styles[0]);
  // The system's own words for error 5 (Wine's differ from Windows').
  EXPECT_EQ(0u, shown[0].find(
                    "Error attempting to read the <Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                    "Browser Helper Objects> key on HKEY_LOCAL_MACHINE:\n\n" +
                    Generic::GetErrorText(5) +
                    "\n\nYou do not have rights to access the Registry keys that Tarvolin needs to read "
                    "and write."));
  EXPECT_NE(std::string::npos, shown[0].find("Please note there may be other reasons for this failure."));
  EXPECT_NE(std::string::npos, log.find(shown[0]));
  EXPECT_EQ(std::string::npos, log.find("Got command line flag"));  // exits before the command line
}

TEST_F(StartUp, FactoryResetErasesTheProgramKey) {
  {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    program.SaveValueBool("RestoreToFactoryDefaults", true);
    program.SaveValueBool("TooltipsEnabled", false);
    MyRegistry placements(Registry::kCurrentUser, std::string(REGKEY_PLACEMENTS) + "\\CAboutDlg", true);
    placements.SaveValueInt("LastScreenWidthPixels", 1024);
  }
  Run({});
  MyRegistry program;
  bool bValue = false;
  if (program.Open(Registry::kCurrentUser, REGKEY_PROGRAM, false)) {
    EXPECT_FALSE(program.ReadValueBool("RestoreToFactoryDefaults", bValue));
    EXPECT_FALSE(program.ReadValueBool("TooltipsEnabled", bValue));
  }
  MyRegistry placements;
  EXPECT_FALSE(placements.Open(Registry::kCurrentUser, REGKEY_PLACEMENTS, false));
}

TEST_F(StartUp, OutputModeWritesOneReportPerBho) {
  world.Register(kClsidA, world.File("a.dll"));
  world.Register(kClsidB, world.File("missing.dll"));
  for (const std::string& dir :
       {world.File("out"), world.File("out") + "\\\\", "  " + world.File("out") + "  "}) {
    const std::string log = Run({"-output", dir});
    EXPECT_EQ((std::vector<std::string>{std::string(kClsidA) + "_TarvolinInfo.txt",
                                        std::string(kClsidB) + "_TarvolinInfo.txt"}),
              Reports(world.File("out")))
        << dir;
    EXPECT_NE(std::string::npos, log.find("Command line succeeded - exiting silently.\n"));
    EXPECT_EQ(std::string::npos, log.find("<<< CTarvolinApp::InitInstance"));
  }
  const std::string report = test::ReadFile(world.File("out\\" + std::string(kClsidB) + "_TarvolinInfo.txt"));
  EXPECT_NE(std::string::npos, report.find("Enabled?: No - file is missing\r\n"));
  EXPECT_NE(std::string::npos,
            report.find("   " + world.File("out\\" + std::string(kClsidB) + "_TarvolinInfo.txt")));
  EXPECT_TRUE(shown.empty());
}

TEST_F(StartUp, HostileKeyNamesStayInsideTheOutputDirectory) {
  // Registry key names cannot hold back-slashes, but anything else goes.
  const std::string evil = "../../evil:stream*?|\x01";
  world.Register(evil, "");
  Run({"-Output", world.File("deep\\out")});
  EXPECT_EQ((std::vector<std::string>{".._.._evil_stream_____TarvolinInfo.txt"}),
            Reports(world.File("deep\\out")));
  for (const std::string& name : Reports(world.Dir()))
    EXPECT_EQ(std::string::npos, name.find("evil")) << name;
  const std::string report = test::ReadFile(world.File("deep\\out\\.._.._evil_stream_____TarvolinInfo.txt"));
  EXPECT_NE(std::string::npos, report.find("Clsid: " + evil + "\r\n"));
}

TEST_F(StartUp, NoBhosNoReports) {
  const std::string log = Run({"-Output", world.File("empty")});
  EXPECT_NE(std::string::npos, log.find("Command line succeeded - exiting silently.\n"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(world.Dir() + "/empty")));
}

TEST_F(StartUp, OutputFlagWithoutDirectoryFails) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-Output"}, std::vector<std::string>{"C:\\dir", "-Output"}}) {
    const std::string log = Run(args);
    EXPECT_NE(std::string::npos, log.find("Command line failed - exiting!\n"));
    EXPECT_EQ(std::string::npos, log.find("Command line succeeded"));
  }
  EXPECT_EQ((std::vector<std::string>{"Got unexpected command-line param: <C:\\dir>!\n"}), shown);
}

TEST_F(StartUp, OutputModeWritesMessagesToStandardErrorInsteadOfWaiting) {
  UserMessage::SetHandler(nullptr);
  testing::internal::CaptureStderr();
  Run({"-Output", world.File("o"), "-bogus"});
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, err.find("Error in command-line argument: <bogus> is not a legal flag!"));
}

// The message of the line before the exit routine's: the last word of the
// output mode, with its level letter ("E: Command line failed - exiting!").
std::string LastOutputModeLine(const std::string& log) {
  const size_t exit = log.rfind("In MyApp::ExitInstance()");
  const size_t end = log.rfind('\n', exit);
  const size_t start = log.rfind('\n', end - 1) + 1;
  const std::string line = log.substr(start, end - start);
  const size_t at = line.find(" @");
  const size_t colon = line.find("): ");
  if (at == std::string::npos || colon == std::string::npos) return line;
  return line.substr(at + 2, 1) + ": " + line.substr(colon + 3);
}

// A key whose name begins with a NUL character: the ANSI enumeration hands
// it out as an empty name, which loads as no record at all, and it sorts
// before every other key.
const std::string kHiddenKey("\0{00000000-hidden}", 19);

struct OutcomeCase {
  const char* what;
  std::vector<std::string> keys;  // BHOs registered on a.dll
  std::string outName;            // the output directory under the world
  bool bFileInTheWay;             // a file where the directory should be
  int exitCode;
  int nWritten;
  int nFailed;
  std::string reason;  // in the failure line of each unwritten report ("" none)
  bool bSucceeded;
};

class OutputModeOutcome : public StartUp, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(OutputModeOutcome, ExitCodeStandardErrorAndLastLogLineTellTheTruth) {
  const OutcomeCase& c = GetParam();
  for (const std::string& key : c.keys) world.Register(key, world.File("a.dll"));
  const std::string dir = world.File(c.outName);
  if (c.bFileInTheWay) test::WriteFile(dir, "not a directory");
  UserMessage::SetNonInteractive(true);
  testing::internal::CaptureStderr();
  const std::string log = Run({"-Output", dir});
  const std::string err = testing::internal::GetCapturedStderr();

  EXPECT_EQ(c.exitCode, exitCode);
  const std::string summary = "Tarvolin: " + std::to_string(c.nWritten) +
                              (c.nWritten == 1 ? " report" : " reports") + " written to " + dir + "\\, " +
                              std::to_string(c.nFailed) + " failed.\n";
  EXPECT_EQ(summary, err.substr(err.size() >= summary.size() ? err.size() - summary.size() : 0)) << err;
  EXPECT_EQ(
      c.bSucceeded ? "A: Command line succeeded - exiting silently." : "E: Command line failed - exiting!",
      LastOutputModeLine(log))
      << log;
  if (!c.reason.empty()) {
    // Each unwritten report is named with the system's reason.
    for (const std::string& key : c.keys) {
      if (key == kHiddenKey) continue;
      const std::string line =
          "The report file <" + dir + "\\" + key + "_TarvolinInfo.txt> could not be written: " + c.reason;
      EXPECT_NE(std::string::npos, log.find(line)) << line << "\n" << log;
    }
  } else {
    // Every BHO has its report, also those after the one that did not load.
    for (const std::string& key : c.keys) {
      const std::string name = key == kHiddenKey ? "" : key;
      EXPECT_NE("", test::ReadFile(dir + "\\" + name + "_TarvolinInfo.txt")) << name;
    }
  }
}

std::string Reason(DWord code) {
  return "error <" + std::to_string(code) + ">: <" + Generic::GetErrorText(code) + ">.";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, OutputModeOutcome,
    ::testing::Values(
        OutcomeCase{"AllWritten", {kClsidA, kClsidB}, "out", false, 0, 2, 0, "", true},
        OutcomeCase{"DirectoryIsAFile", {kClsidA, kClsidB}, "out", true, 2, 0, 2, Reason(183), false},
        OutcomeCase{"NameTooLong", {kClsidA}, std::string(300, 'n'), false, 2, 0, 1, Reason(206), false},
        OutcomeCase{"RecordThatDoesNotLoadSortsFirst",
                    {kHiddenKey, kClsidA, kClsidB},
                    "out",
                    false,
                    2,
                    2,
                    1,
                    "",
                    false}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.what); });

TEST_F(StartUp, CommandLineFailureEndsWithExitCodeOne) {
  UserMessage::SetNonInteractive(true);
  testing::internal::CaptureStderr();
  const std::string log = Run({"-Output"});
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(1, exitCode);
  EXPECT_EQ("Tarvolin: the command line failed, no reports written.\n", err);
  EXPECT_EQ("E: Command line failed - exiting!", LastOutputModeLine(log));
}

TEST_F(StartUp, InteractiveStartEndsWithExitCodeZero) {
  Run({});
  EXPECT_EQ(0, exitCode);
}

// The window system of an interactive start, as a script: which guard
// attempts fail, what the greeting's box ends as, how the dialog ends.
class ScriptedFrontend : public InteractiveFrontend {
 public:
  HResult TakeSingleRunGuard(const std::string& name) override {
    calls.push_back("guard " + name);
    return nGuardFailures-- > 0 ? kEFail : kSOk;
  }
  void Sleep(unsigned milliseconds) override { calls.push_back("sleep " + std::to_string(milliseconds)); }
  void RunGreeting(int& nCheckShow) override {
    calls.push_back("greeting " + std::to_string(nCheckShow));
    nCheckShow = nGreetingAnswer;
  }
  int RunMainDialog() override {
    calls.push_back("main dialog");
    return nDialogResult;
  }

  int nGuardFailures = 0;
  int nGreetingAnswer = 1;
  int nDialogResult = 2;
  std::vector<std::string> calls;
};

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t pos = 0; (pos = text.find(what, pos)) != std::string::npos; pos += what.size()) ++n;
  return n;
}

TEST_F(StartUp, InteractiveStartGreetsThenRunsTheMainDialog) {
  ScriptedFrontend frontend;
  const std::string log = Run({}, &frontend);
  EXPECT_EQ((std::vector<std::string>{"guard Tarvolin 2.0", "greeting 1", "main dialog"}), frontend.calls);
  EXPECT_NE(std::string::npos, log.find("User shut down.\n"));
  EXPECT_TRUE(shown.empty());
  bool bFlag = false;
  MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, false);
  ASSERT_TRUE(program.ReadValueBool("GreetingFlag", bFlag));
  EXPECT_TRUE(bFlag);
}

TEST_F(StartUp, AnUntickedGreetingIsNotShownAgain) {
  ScriptedFrontend first;
  first.nGreetingAnswer = 0;
  Run({}, &first);
  DWord dwFlag = 7;
  ASSERT_TRUE(
      MyRegistry(Registry::kCurrentUser, REGKEY_PROGRAM, false).ReadValueDWord("GreetingFlag", dwFlag));
  EXPECT_EQ(0u, dwFlag);

  ScriptedFrontend second;
  Run({}, &second);
  EXPECT_EQ((std::vector<std::string>{"guard Tarvolin 2.0", "main dialog"}), second.calls);
}

TEST_F(StartUp, ASecondCopySaysSoAndStops) {
  ScriptedFrontend frontend;
  frontend.nGuardFailures = 1;
  Run({}, &frontend);
  EXPECT_EQ((std::vector<std::string>{"guard Tarvolin 2.0"}), frontend.calls);
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(0u, shown[0].find("An instance of this application is already running."));
  EXPECT_EQ(UserMessage::kIconError, styles[0]);
}

TEST_F(StartUp, PauseWaitsInThirtySecondSleepsUntilTheOtherCopyHasGone) {
  ScriptedFrontend frontend;
  frontend.nGuardFailures = 2;
  const std::string log = Run({"-Pause"}, &frontend);
  EXPECT_EQ(
      (std::vector<std::string>{"sleep 30000", "guard Tarvolin 2.0", "sleep 30000", "guard Tarvolin 2.0",
                                "sleep 30000", "guard Tarvolin 2.0", "greeting 1", "main dialog"}),
      frontend.calls);
  EXPECT_EQ(3u, Count(log, "Sleeping due to -Pause flag...\n"));
  EXPECT_NE(std::string::npos,
            log.find("No other instance found to be running... abandoning Pause flag processing.\n"));
  EXPECT_TRUE(shown.empty());  // not reported as already running
}

TEST_F(StartUp, AMainDialogEndingWithOkIsLoggedAsAnError) {
  ScriptedFrontend frontend;
  frontend.nDialogResult = 1;
  const std::string log = Run({}, &frontend);
  EXPECT_NE(std::string::npos, log.find("You should never get this!\n"));
  EXPECT_EQ(0, exitCode);
}

TEST_F(StartUp, OutputModeNeverTakesTheGuard) {
  ScriptedFrontend frontend;
  Run({"-Output", world.File("reports")}, &frontend);
  EXPECT_TRUE(frontend.calls.empty());
}

TEST_F(StartUp, DownloadAcceleratorPlusIsPointedOutOnlyWhenItsClassIsRegistered) {
  ScriptedFrontend without;
  Run({}, &without);
  EXPECT_TRUE(shown.empty());

  { MyRegistry dap(Registry::kClassesRoot, "CLSID\\{8110AEA1-AD5B-4B90-883F-04A9A33B106E}", true); }
  ScriptedFrontend with;
  Run({}, &with);
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(0u, shown[0].find("Tarvolin has detected that the program 'Download Accelerator Plus'"));
  DWord dwAlways = 0;
  MyRegistry always(Registry::kCurrentUser, std::string(REGKEY_PROGRAM) + "\\MyMessageBoxAlways", false);
  EXPECT_TRUE(always.ReadValueDWord("Tarvolin_385_2.0.0.23", dwAlways));
}

struct LatestVersionCase {
  const char* latest;
  bool bNotice;
};

class LatestVersionNotice : public StartUp, public ::testing::WithParamInterface<LatestVersionCase> {};

TEST_P(LatestVersionNotice, OnlyANewerVersionIsAnnounced) {
  if (!test::kDllDir) GTEST_SKIP() << "no test DLLs in this build";
  // The "program" is a PE file of version 2.0.0.23.
  test::WriteFile(world.File("Tarvolin.exe"), test::ReadFile(test::TestDll("english.dll")));
  {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    program.SaveValueString("LatestKnownVersion", GetParam().latest);
  }
  ScriptedFrontend frontend;
  Run({}, &frontend);
  if (!GetParam().bNotice) {
    EXPECT_TRUE(shown.empty());
    return;
  }
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(std::string("A new version of this program is available!  The new version is ") +
                GetParam().latest +
                "; your current version is 2.0.0.23.  Please click the 'Check for Updates' button for more "
                "information.",
            shown[0]);
  EXPECT_EQ(UserMessage::kIconInformation, styles[0]);
}

INSTANTIATE_TEST_SUITE_P(Versions, LatestVersionNotice,
                         ::testing::Values(LatestVersionCase{"", false}, LatestVersionCase{"2.0.0.23", false},
                                           LatestVersionCase{"2.0", false},
                                           LatestVersionCase{"2.0.0.24", true},
                                           LatestVersionCase{"2.1", true},
                                           LatestVersionCase{"1.9.9.99", false}));

}  // namespace
