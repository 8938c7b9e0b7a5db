// The report upload as the installed program makes it: WinInet's FTP in
// active mode against the local server, the server and port read from the
// real registry, the marks written and read by the system's INI calls, and
// the program installed in the user's real profile, which the uploaded copy
// does not name.
#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/net/MakerServers.h"
#include "common/registry/RegistryKeys.h"
#include "model/Bho.h"
#include "support/LocalServer.h"
#include "support/Recorders.h"
#include "support/ScopedUserAnswers.h"
#include "support/TestSupport.h"
#include "support/win/RegistryKeys.h"
#include "update/Reporter.h"

namespace {

const char* const kMD5 = "00112233445566778899aabbccddeeff";

std::vector<std::string> ReportsIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(test::Native(dir))) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(Reporter::kReportPrefix, 0) == 0) names.push_back(name);
  }
  return names;
}

std::string ProfileFolder() {
  char profile[MAX_PATH] = {};
  ::GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
  return profile;
}

class ReporterWinInet : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string sProfile = ProfileFolder();
    ASSERT_FALSE(sProfile.empty());
    // Installed in a folder of the profile, spelt in capitals as a user
    // may have typed it.
    m_sProgramDir =
        Generic::ToUpper(sProfile) + "\\TARVOLIN_REPORT_TEST_" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryA(m_sProgramDir.c_str(), nullptr));
    m_sPreviousModule = SystemApi::SetModuleFileNameOverride(m_sProgramDir + "\\Tarvolin.exe");
    m_sDllPath = sProfile + "\\Downloads\\toolbar.dll";

    m_server = test::LocalServer::StartFtp(home.Path(), Reporter::kUploadUserName, Reporter::kUploadPassword);
    ASSERT_TRUE(m_server) << "could not start the FTP server (pyftpdlib)";
    registry.Set(HKEY_CURRENT_USER, REGKEY_PROGRAM, MakerServers::kFtpServerValue, REG_SZ, "127.0.0.1");
    registry.SetDWord(HKEY_CURRENT_USER, REGKEY_PROGRAM, MakerServers::kFtpPortValue,
                      static_cast<DWORD>(m_server->Port()));
  }
  void TearDown() override {
    SystemApi::SetModuleFileNameOverride(m_sPreviousModule);
    std::error_code ec;
    std::filesystem::remove_all(m_sProgramDir, ec);
  }

  BHO Record() const {
    BHO bho("{5E9D00AA-0000-4000-8000-0000000000AA}");
    bho.m_mapAttrVals.SetAt("DLL Path", m_sDllPath);
    bho.m_mapAttrVals.SetAt("Enabled?", "Yes");
    bho.m_mapAttrVals.SetAt("MD5 Checksum", kMD5);
    bho.m_mapAttrVals.SetAt("Status", "Unknown");
    return bho;
  }
  std::string IsReported() const {
    char value[64] = {};
    ::GetPrivateProfileStringA(kMD5, "IsReported", "", value, sizeof value,
                               (m_sProgramDir + "\\Tarvolin.ini").c_str());
    return value;
  }

  test::ScopedLog log;
  test::TempDir home;
  test::RegistryKeys registry;
  test::ScopedUserAnswers answers;
  std::string m_sProgramDir;
  std::string m_sDllPath;
  std::string m_sPreviousModule;
  std::unique_ptr<test::LocalServer> m_server;
};

TEST_F(ReporterWinInet, TheReportGoesThroughWinInetWithoutTheUsersFolder) {
  const BHO bho = Record();
  ASSERT_FALSE(Reporter::HasBHOBeenReported(&bho));
  test::RecordingProgress progress;
  bool bUploaded = false;
  ASSERT_EQ(kSOk, Reporter::UploadBHOReport(&bho, &progress, bUploaded)) << log.Messages();
  EXPECT_TRUE(bUploaded);

  const std::vector<std::string> sent = ReportsIn(home.Path());
  ASSERT_EQ(1u, sent.size());
  EXPECT_EQ(sent, ReportsIn(m_sProgramDir));
  const std::string text = test::ReadFile(home.File(sent[0]));
  EXPECT_TRUE(test::Contains(text, "Report File:\n   %USERPROFILE%\\TARVOLIN_REPORT_TEST_"));
  EXPECT_TRUE(test::Contains(text, "    DLL Path: %USERPROFILE%\\Downloads\\toolbar.dll\n"));
  EXPECT_FALSE(test::Contains(Generic::ToUpper(text), Generic::ToUpper(ProfileFolder())));
  // The text went as text: the server's line ends, nothing else changed.
  std::string local = test::ReadFile(m_sProgramDir + "\\" + sent[0]);
  std::string unixLocal;
  for (char c : local) {
    if (c != '\r') unixLocal += c;
  }
  EXPECT_EQ(unixLocal, text);

  // The system's INI calls wrote the mark and read it back.
  EXPECT_EQ("Yes", IsReported());
  EXPECT_TRUE(Reporter::HasBHOBeenReported(&bho));
  ::WritePrivateProfileStringA(kMD5, "IsReported", "yes", (m_sProgramDir + "\\Tarvolin.ini").c_str());
  EXPECT_TRUE(Reporter::HasBHOBeenReported(&bho));
  EXPECT_TRUE(answers.Shown().empty());
}

TEST_F(ReporterWinInet, ALoginTheServerRefusesIsShownAndNothingIsMarked) {
  m_server = test::LocalServer::StartFtp(home.Path(), Reporter::kUploadUserName, "abc1234");
  ASSERT_TRUE(m_server);
  registry.SetDWord(HKEY_CURRENT_USER, REGKEY_PROGRAM, MakerServers::kFtpPortValue,
                    static_cast<DWORD>(m_server->Port()));
  const BHO bho = Record();
  bool bUploaded = true;
  EXPECT_EQ(kEFail, Reporter::UploadBHOReport(&bho, nullptr, bUploaded));
  EXPECT_FALSE(bUploaded);
  EXPECT_TRUE(ReportsIn(home.Path()).empty());
  EXPECT_EQ("", IsReported());
  EXPECT_TRUE(test::Contains(log.Messages(), "::InternetConnect() failed!  Error <"));
  EXPECT_EQ(std::vector<std::string>{"Failed to upload BHO <toolbar.dll>.  Please try again later.\n"},
            answers.Shown());
}

}  // namespace
