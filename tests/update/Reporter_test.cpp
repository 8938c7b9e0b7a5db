// The BHO report upload against a real FTP server (pyftpdlib on 127.0.0.1):
// a report that arrives and marks its file in the INI, a login and a put
// the server refuses, two reports in one second, records that can never be
// reported, and the uploaded copy that names no user; and the decisions
// behind them from tables.
#include "update/Reporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "common/base/GenericPaths.h"
#include "common/files/GenericIni.h"
#include "common/net/MakerServers.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "model/Bho.h"
#include "support/BhoWorld.h"
#include "support/LocalServer.h"
#include "support/Recorders.h"
#include "support/ScopedUserAnswers.h"

namespace {

const char* const kClsid = "{5E9D0001-0000-4000-8000-000000000001}";
const char* const kMD5 = "0123456789abcdef0123456789abcdef";
const char* const kOtherMD5 = "fedcba9876543210fedcba9876543210";

// The names of the reports in a folder, in no particular order.
std::vector<std::string> ReportsIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(test::Native(dir))) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(Reporter::kReportPrefix, 0) == 0) names.push_back(name);
  }
  return names;
}

std::string WithoutCarriageReturns(std::string text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

// The value "IsReported" of a checksum's section, "" when there is none.
std::string IsReportedValue(const test::BhoWorld& world, const std::string& sMD5) {
  std::string value;
  Generic::GetFromIniFile(world.File("Tarvolin.ini"), sMD5, "IsReported", "", value, 64);
  return value;
}

// An environment variable set for the length of a test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const std::string& value) : m_sName(std::move(name)) {
    m_bHad = SystemApi::GetEnvironmentVariable(m_sName, m_sPrevious);
    SystemApi::SetEnvironmentVariable(m_sName, value);
  }
  ~ScopedEnvironment() { SystemApi::SetEnvironmentVariable(m_sName, m_bHad ? m_sPrevious : std::string()); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string m_sName;
  std::string m_sPrevious;
  bool m_bHad = false;
};

TEST(ReportDecisions, OnlyARecordWithAChecksumAndNoYesNeedsReporting) {
  const struct {
    const char* md5;
    const char* isReported;
    bool needs;
  } cases[] = {
      {kMD5, "No", true},   {kMD5, "Yes", false}, {kMD5, "yes", false},
      {kMD5, "YES", false}, {kMD5, "", true},     {kMD5, "Yes please", true},
      {kMD5, "1", true},    {"", "No", false},    {"", "Yes", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.needs, Reporter::NeedsReporting(c.md5, c.isReported)) << c.md5 << " / " << c.isReported;
}

TEST(ReportDecisions, ReportNamesCarryTheLocalTimeAndTheNumber) {
  const struct {
    SystemApi::LocalTime time;
    int random;
    const char* name;
  } cases[] = {
      {{2005, 6, 19, 16, 59, 31, 999}, 41, "__TarvolinReport_20050619_165931_41.txt"},
      {{2024, 1, 2, 3, 4, 5, 0}, 0, "__TarvolinReport_20240102_030405_0.txt"},
      {{1999, 12, 31, 23, 59, 59, 0}, 2147483647, "__TarvolinReport_19991231_235959_2147483647.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.name, Reporter::ReportFileName(c.time, c.random));
}

TEST(ReportDecisions, OnlyAPathThatStartsInTheWholeProfileFolderIsHidden) {
  const char* const kBob = "C:\\Users\\bob";
  const struct {
    const char* text;
    const char* profile;
    const char* hidden;
  } cases[] = {
      {"C:\\Users\\bob\\AppData\\x.dll", kBob, "%USERPROFILE%\\AppData\\x.dll"},
      {"c:\\USERS\\Bob\\x.dll", kBob, "%USERPROFILE%\\x.dll"},  // any case
      {"C:\\Users\\bob", kBob, "%USERPROFILE%"},
      {"C:\\Users\\bob\\", kBob, "%USERPROFILE%\\"},
      {"C:\\Users\\bob\\x.dll", "C:\\Users\\bob\\", "%USERPROFILE%\\x.dll"},  // profile with its back-slash
      // A longer folder name that only begins like the profile is someone else's.
      {"C:\\Users\\bobby\\x.dll", kBob, "C:\\Users\\bobby\\x.dll"},
      {"C:\\Users\\bob.old\\x.dll", kBob, "C:\\Users\\bob.old\\x.dll"},
      {"C:\\Users\\bob/x.dll", kBob, "C:\\Users\\bob/x.dll"},
      // Only at the start of the path.
      {"D:\\C:\\Users\\bob\\x.dll", kBob, "D:\\C:\\Users\\bob\\x.dll"},
      {"Built in C:\\Users\\bob\\src", kBob, "Built in C:\\Users\\bob\\src"},
      {" C:\\Users\\bob\\x.dll", kBob, " C:\\Users\\bob\\x.dll"},
      // Where a quoted or "\\?\" path starts.
      {"\"C:\\Users\\bob\\x.dll\"", kBob, "\"%USERPROFILE%\\x.dll\""},
      {"\"C:\\Users\\bob\"", kBob, "\"%USERPROFILE%\""},
      {"\\\\?\\C:\\Users\\bob\\x.dll", kBob, "\\\\?\\%USERPROFILE%\\x.dll"},
      {"C:\\Users\\bo", kBob, "C:\\Users\\bo"},
      {"", kBob, ""},
      {"\"", kBob, "\""},
      // No profile, or one that would take every path of its drive.
      {"C:\\Users\\bob\\x.dll", "", "C:\\Users\\bob\\x.dll"},
      {"C:\\Windows\\x.dll", "C:\\", "C:\\Windows\\x.dll"},
      {"C:\\Windows\\x.dll", "C:", "C:\\Windows\\x.dll"},
      {"\\\\server\\home\\bob\\x.dll", "\\\\server\\home\\bob", "%USERPROFILE%\\x.dll"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.hidden, Reporter::HideProfileFolder(c.text, c.profile)) << c.text << " / " << c.profile;
}

TEST(ReportDecisions, TheUploadAccountIsFixedAndItsServerASetting) {
  test::BhoWorld world;
  MyFtpData account = Reporter::UploadAccount();
  EXPECT_EQ("Tarvolin", account.sAgent);
  EXPECT_EQ("ftp.kestrove.com", account.sServer);
  EXPECT_EQ(21, account.nPort);
  EXPECT_EQ("wex3826", account.sPassword);
  // 32 characters shaped like a host name: the product, a dot, the maker's domain.
  EXPECT_EQ(32u, account.sUserName.size());
  EXPECT_EQ("tarvolin-bhoreports.kestrove.com", account.sUserName);

  MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  program.SaveValueString(MakerServers::kFtpServerValue, "upload.example.org");
  const struct {
    DWord stored;
    int port;
  } ports[] = {{2121, 2121}, {1, 1}, {65535, 65535}, {0, 21}, {65536, 21}, {0xFFFFFFFFu, 21}};
  for (const auto& p : ports) {
    program.SaveValueDWord(MakerServers::kFtpPortValue, p.stored);
    account = Reporter::UploadAccount();
    EXPECT_EQ("upload.example.org", account.sServer);
    EXPECT_EQ(p.port, account.nPort) << p.stored;
  }
}

// A program folder of its own, with an FTP server taking the account's
// uploads into `home` and the program's settings pointing at it.
class ReportUpload : public ::testing::Test {
 protected:
  void SetUp() override { StartServer(Reporter::kUploadPassword, test::LocalServer::kFullRights); }

  void StartServer(const std::string& password, const std::string& perm) {
    m_server = test::LocalServer::StartFtp(home.Path(), Reporter::kUploadUserName, password, perm);
    ASSERT_TRUE(m_server) << "could not start the FTP server (pyftpdlib)";
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    program.SaveValueString(MakerServers::kFtpServerValue, "127.0.0.1");
    program.SaveValueDWord(MakerServers::kFtpPortValue, static_cast<DWord>(m_server->Port()));
  }

  // A record of a DLL at `dllPath`, with the checksum given ("" for none).
  static BHO Record(const std::string& dllPath, const std::string& sMD5, const char* clsid = kClsid) {
    BHO bho(clsid);
    bho.m_mapAttrVals.SetAt("Enabled?", "Yes");
    bho.m_mapAttrVals.SetAt("DLL Path", dllPath);
    bho.m_mapAttrVals.SetAt("Status", "Unknown");
    if (!sMD5.empty()) bho.m_mapAttrVals.SetAt("MD5 Checksum", sMD5);
    return bho;
  }

  HResult Upload(const BHO& bho, bool& bUploaded) {
    return Reporter::UploadBHOReport(&bho, &progress, bUploaded);
  }

  test::BhoWorld world;
  test::TempDir home;  // the upload account's initial folder
  // Someone else's profile: the test folders (under Wine in the real
  // profile) are reported as they are.
  ScopedEnvironment profile{"USERPROFILE", "C:\\Users\\nobody"};
  test::ScopedUserAnswers answers;
  test::RecordingProgress progress;
  std::unique_ptr<test::LocalServer> m_server;
};

TEST_F(ReportUpload, TheReportArrivesBesideItsLocalCopyAndTheFileIsMarked) {
  const BHO bho = Record(world.File("helper.dll"), kMD5);
  EXPECT_FALSE(Reporter::HasBHOBeenReported(&bho));
  bool bUploaded = false;
  ASSERT_EQ(kSOk, Upload(bho, bUploaded));
  EXPECT_TRUE(bUploaded);

  // One report, under the same name on the server as beside the program.
  const std::vector<std::string> sent = ReportsIn(home.Path());
  ASSERT_EQ(1u, sent.size());
  EXPECT_EQ(sent, ReportsIn(world.Dir()));
  const std::string& name = sent[0];
  EXPECT_TRUE(std::regex_match(name, std::regex("__TarvolinReport_[0-9]{8}_[0-9]{6}_[0-9]+\\.txt"))) << name;
  const std::string local = test::ReadFile(world.File(name));
  EXPECT_TRUE(test::Contains(local, "Report File:\r\n   " + world.File(name) + "\r\n"));
  EXPECT_TRUE(test::Contains(local, "    DLL Path: " + world.File("helper.dll") + "\r\n"));
  EXPECT_TRUE(test::Contains(local, "MD5 Checksum: " + std::string(kMD5) + "\r\n"));
  // An ASCII transfer: the server keeps the text with its own line ends.
  EXPECT_EQ(WithoutCarriageReturns(local), test::ReadFile(home.File(name)));

  EXPECT_EQ("Yes", IsReportedValue(world, kMD5));
  EXPECT_TRUE(Reporter::HasBHOBeenReported(&bho));
  EXPECT_TRUE(answers.Shown().empty());
  EXPECT_EQ(std::vector<std::string>{"Uploading:\r\n\r\n" + world.File(name)}, progress.messages);
  const std::string log = world.Log().Messages();
  for (const std::string& line :
       {std::string(">>> Reporter::UploadBHOReport\n"), std::string(">>> BHO::SaveToFile\n"),
        std::string("Empty remote folder ignored.\n"),
        "Successfully uploaded file <" + world.File(name) + ">.\n",
        std::string("Successfully reported BHO <helper.dll>.\n"),
        std::string(">>> BHO::SetReportedFlag\n")}) {
    EXPECT_TRUE(test::Contains(log, line));
  }
  EXPECT_FALSE(test::Contains(log, "failed with error"));
}

// The server answers; it refuses the login or the file. Either way the BHO
// stays unreported and the user is told.
TEST_F(ReportUpload, ARefusedLoginOrPutLeavesTheBhoUnreportedAndSaysSo) {
  const struct {
    const char* password;  // the server's
    const char* perm;
    const char* logLine;
  } cases[] = {
      {"abc1234", test::LocalServer::kFullRights,
       "EC_ skipped executing <mftp.UploadFile( \"\", sLocalPathForDownloaded, FTP_TRANSFER_TYPE_ASCII, "
       "pdlgModeless)>.\n"},
      {Reporter::kUploadPassword, "elr", "::FtpPutFile() failed for file <"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.perm);
    m_server.reset();
    StartServer(c.password, c.perm);
    const BHO bho = Record(world.File("helper.dll"), kMD5);
    bool bUploaded = true;
    EXPECT_EQ(kEFail, Upload(bho, bUploaded));
    EXPECT_FALSE(bUploaded);
    EXPECT_TRUE(ReportsIn(home.Path()).empty());
    EXPECT_EQ("", IsReportedValue(world, kMD5));
    EXPECT_FALSE(Reporter::HasBHOBeenReported(&bho));
    const std::string log = world.Log().Messages();
    EXPECT_TRUE(test::Contains(log, c.logLine));
    EXPECT_TRUE(test::Contains(log, "Failed to upload BHO <helper.dll>.  Please try again later.\n"));
    EXPECT_FALSE(test::Contains(log, "Successfully reported"));
  }
  EXPECT_EQ(std::vector<std::string>(2, "Failed to upload BHO <helper.dll>.  Please try again later.\n"),
            answers.Shown());
  // The reports were written before the upload, and are kept.
  EXPECT_EQ(2u, ReportsIn(world.Dir()).size());
}

TEST_F(ReportUpload, AReportThatCannotBeWrittenIsNotSent) {
  const BHO bho = Record(world.File("helper.dll"), kMD5);
  // The program's folder is gone: no report file, so no connection either.
  SystemApi::SetModuleFileNameOverride(world.File("missing\\folder\\Tarvolin.exe"));
  test::WriteFile(world.File("missing"), "a file where the folder would be");
  bool bUploaded = true;
  EXPECT_EQ(kEFail, Upload(bho, bUploaded));
  SystemApi::SetModuleFileNameOverride(world.File("Tarvolin.exe"));
  EXPECT_FALSE(bUploaded);
  EXPECT_TRUE(ReportsIn(home.Path()).empty());
  const std::string log = world.Log().Messages();
  EXPECT_TRUE(
      test::Contains(log, "<pBHO->SaveToFile(sLocalPathForDownloaded)> failed with error <80004005>"));
  EXPECT_TRUE(test::Contains(log, "EC_ skipped executing <mftp.Initialize(mftpd)>.\n"));
  EXPECT_FALSE(test::Contains(log, ">>> MyFtp::Initialize"));
  EXPECT_EQ(std::vector<std::string>{"Failed to upload BHO <helper.dll>.  Please try again later.\n"},
            answers.Shown());
}

// The C library's generator is reseeded from the clock by the program's
// registry objects, so two reports in one second draw the same first number.
TEST_F(ReportUpload, TwoReportsInOneSecondDifferOnlyInTheirNumbers) {
  const BHO first = Record(world.File("first.dll"), kMD5);
  const BHO second = Record(world.File("second.dll"), kOtherMD5);
  std::vector<std::string> sent;
  for (int nTry = 0; nTry < 5; ++nTry) {
    bool bUploaded = false;
    std::srand(7);
    ASSERT_EQ(kSOk, Upload(first, bUploaded));
    std::srand(7);
    ASSERT_EQ(kSOk, Upload(second, bUploaded));
    sent = ReportsIn(world.Dir());
    ASSERT_EQ(2u, sent.size());
    std::sort(sent.begin(), sent.end());
    if (sent[0].substr(0, 33) == sent[1].substr(0, 33)) break;
    // A second ended between them: another pair.
    for (const auto& name : sent) test::RemoveFile(world.File(name));
    for (const auto& name : ReportsIn(home.Path())) test::RemoveFile(home.File(name));
    sent.clear();
  }
  ASSERT_EQ(2u, sent.size()) << "no two uploads within one second";
  EXPECT_NE(sent[0], sent[1]);
  EXPECT_EQ(sent[0].substr(0, 33), sent[1].substr(0, 33));  // "__TarvolinReport_YYYYMMDD_HHMMSS_"
  std::vector<std::string> onServer = ReportsIn(home.Path());
  std::sort(onServer.begin(), onServer.end());
  EXPECT_EQ(sent, onServer);
  // Each report on the server is its own BHO's.
  const std::string both = test::ReadFile(home.File(sent[0])) + test::ReadFile(home.File(sent[1]));
  EXPECT_TRUE(test::Contains(both, "first.dll"));
  EXPECT_TRUE(test::Contains(both, "second.dll"));
}

// A record without checksum (its file is missing) is never offered, and is
// passed over without sending anything when asked to upload.
TEST_F(ReportUpload, ARecordWithoutChecksumIsNeverSent) {
  const BHO bho = Record(world.File("gone.dll"), "");
  EXPECT_TRUE(Reporter::HasBHOBeenReported(&bho));
  BHO empty = Record(world.File("gone.dll"), "");
  empty.m_mapAttrVals.SetAt("MD5 Checksum", "");  // empty reads as none
  EXPECT_TRUE(Reporter::HasBHOBeenReported(&empty));
  bool bUploaded = false;
  // The mark has no section to go to: that failure is the result.
  EXPECT_EQ(kEFail, Upload(bho, bUploaded));
  EXPECT_TRUE(bUploaded);
  EXPECT_TRUE(
      test::Contains(world.Log().Messages(), "<m_mapAttrVals.Lookup(\"MD5 Checksum\", sMD5)> failed"));
  const std::string log = world.Log().Messages();
  EXPECT_TRUE(
      test::Contains(log,
                     "This BHO does not have an MD5 value stored, so it cannot have been reported.  We "
                     "pretend it has been, to avoid asking about it forever.\n"));
  EXPECT_TRUE(
      test::Contains(log,
                     "BHO <gone.dll> does not have an MD5 value (probably its housing file does not "
                     "exist).  We must pretend to have uploaded it, to avoid asking about it forever.\n"));
  EXPECT_FALSE(test::Contains(log, ">>> MyFtp::Initialize"));
  EXPECT_TRUE(ReportsIn(home.Path()).empty());
  EXPECT_TRUE(ReportsIn(world.Dir()).empty());
  EXPECT_TRUE(answers.Shown().empty());
}

TEST_F(ReportUpload, TheIniSaysYesInAnyCase) {
  const struct {
    const char* ini;
    bool reported;
  } cases[] = {
      {"[0123456789ABCDEF0123456789ABCDEF]\r\nIsReported=Yes\r\n", true},
      {"[0123456789abcdef0123456789abcdef]\r\nIsReported=yes\r\n", true},
      {"[0123456789abcdef0123456789abcdef]\r\nisreported=YES\r\n", true},
      {"[0123456789abcdef0123456789abcdef]\r\nIsReported=No\r\n", false},
      {"[0123456789abcdef0123456789abcdef]\r\nIsReported=\r\n", false},
      {"[0123456789abcdef0123456789abcdef]\r\nIsReported=Yesterday\r\n", false},
      {"[0123456789abcdef0123456789abcdef]\r\nNotation=Yes\r\n", false},
      {"[fedcba9876543210fedcba9876543210]\r\nIsReported=Yes\r\n", false},
      {"", false},
  };
  const BHO bho = Record(world.File("helper.dll"), kMD5);
  for (const auto& c : cases) {
    world.WriteIni(c.ini);
    EXPECT_EQ(c.reported, Reporter::HasBHOBeenReported(&bho)) << c.ini;
  }
}

// The report says nothing that names the user: the profile folder in the
// DLL's path and in the report's own becomes %USERPROFILE%, and only there.
// The Save button's report of the same record keeps the real path.
TEST_F(ReportUpload, TheUploadedCopyHidesTheProfileFolderAndOnlyThatCopy) {
  const std::string sProfile = world.Dir();  // the program lies in the profile
  ScopedEnvironment inProfile("USERPROFILE", Generic::ToUpper(sProfile));
  const BHO inside = Record(sProfile + "\\AppData\\helper.dll", kMD5);
  const BHO beside = Record(sProfile + "by\\helper.dll", kOtherMD5);  // a longer folder name
  bool bUploaded = false;
  ASSERT_EQ(kSOk, Upload(inside, bUploaded));
  const std::vector<std::string> first = ReportsIn(home.Path());
  ASSERT_EQ(1u, first.size());
  ASSERT_EQ(kSOk, Upload(beside, bUploaded));

  const std::string sent = test::ReadFile(home.File(first[0]));
  EXPECT_TRUE(test::Contains(sent, "Report File:\n   %USERPROFILE%\\" + first[0] + "\n"));
  EXPECT_TRUE(test::Contains(sent, "    DLL Path: %USERPROFILE%\\AppData\\helper.dll\n"));
  EXPECT_FALSE(test::Contains(Generic::ToUpper(sent), Generic::ToUpper(sProfile)));

  std::vector<std::string> both = ReportsIn(home.Path());
  ASSERT_EQ(2u, both.size());
  const std::string second = both[0] == first[0] ? both[1] : both[0];
  const std::string other = test::ReadFile(home.File(second));
  EXPECT_TRUE(test::Contains(other, "    DLL Path: " + sProfile + "by\\helper.dll\n"));

  const std::string saved = world.File("saved.txt");
  ASSERT_EQ(kSOk, inside.SaveToFile(saved));
  EXPECT_TRUE(test::Contains(test::ReadFile(saved), "   " + saved + "\r\n"));
  EXPECT_TRUE(
      test::Contains(test::ReadFile(saved), "    DLL Path: " + sProfile + "\\AppData\\helper.dll\r\n"));
}

}  // namespace
