// Uploads against a real FTP server (pyftpdlib on 127.0.0.1) in active mode.
#include <gtest/gtest.h>

#include <vector>

#include "common/files/GenericFiles.h"
#include "common/net/GenericInternetErrors.h"
#include "common/net/MyFtp.h"
#include "common/ui/ProgressWindow.h"
#include "support/LocalServer.h"
#include "support/Recorders.h"
#include "support/TestSupport.h"

namespace {

// The account is shaped like the upload server's.
constexpr const char* kUser = "tarvolin-reports.kestrove.example";
constexpr const char* kPassword = "wex3826";

class FtpUpload : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteFile(m_home.File("keep"), "");
    m_server = test::LocalServer::StartFtp(m_home.Path(), kUser, kPassword);
    ASSERT_TRUE(m_server) << "could not start the FTP server (pyftpdlib)";
  }

  MyFtpData Account(const std::string& password = kPassword) const {
    MyFtpData data;
    data.sAgent = "Tarvolin 2.0";
    data.sServer = "127.0.0.1";
    data.sUserName = kUser;
    data.sPassword = password;
    data.nPort = m_server->Port();
    return data;
  }

  std::string LocalFile(const std::string& name, const std::string& bytes) {
    const std::string path = m_local.File(name);
    test::WriteFile(path, bytes);
    return path;
  }

  test::ScopedLog m_log;
  test::TempDir m_home;  // the account's initial folder on the server
  test::TempDir m_local;
  std::unique_ptr<test::LocalServer> m_server;
};

TEST_F(FtpUpload, BinaryUploadArrivesByteForByteInTheNamedFolder) {
  ASSERT_TRUE(Generic::CreateDirectory(m_home.Path() + "\\reports") == 0);
  std::string bytes;
  for (int i = 0; i < 70000; ++i) bytes += static_cast<char>(i * 31 % 256);
  const std::string local = LocalFile("{11111111-2222-3333-4444-555555555555}.txt", bytes);
  test::RecordingProgress progress;
  {
    MyFtp ftp;
    ASSERT_EQ(kSOk, ftp.Initialize(Account()));
    EXPECT_EQ(kSOk, ftp.UploadFile("reports", local, TransferApi::FTP_TRANSFER_TYPE_BINARY, &progress));
  }

  EXPECT_TRUE(test::ReadFile(m_home.File("reports\\{11111111-2222-3333-4444-555555555555}.txt")) == bytes);
  EXPECT_EQ(std::vector<std::string>{"Uploading:\r\n\r\n" + local}, progress.messages);
  // The bar shows the start and the end of the one call that moves the file.
  EXPECT_EQ((std::vector<std::pair<std::uint64_t, std::uint64_t>>{{0, 70000}, {70000, 70000}}),
            progress.progress);
  const std::string log = m_log.Messages();
  for (const std::string& line :
       {std::string(">>> MyFtp::Initialize\n"), std::string("::InternetOpen() succeeded.\n"),
        std::string("::InternetConnect() succeeded.\n"), std::string(">>> MyFtp::UploadFile\n"),
        std::string(">>> MyFtp::_SetRemoteDirectory\n"),
        std::string("::FtpSetCurrentDirectory() to <reports> succeeded.\n"), "Uploading <" + local + ">.\n",
        "Successfully uploaded file <" + local + ">.\n"}) {
    EXPECT_TRUE(test::Contains(log, line));
  }
  // Closing the connection and the session went without a complaint.
  EXPECT_FALSE(test::Contains(log, "failed with error"));
}

// The report upload: no folder, ASCII transfer. The server stores text with
// its own line ends.
TEST_F(FtpUpload, AsciiUploadIntoTheInitialFolderArrivesAsText) {
  const std::string local = LocalFile("report.txt", "CLSID: {A}\r\nStatus: Unknown\r\n");
  MyFtp ftp;
  ASSERT_EQ(kSOk, ftp.Initialize(Account()));
  EXPECT_EQ(kSOk, ftp.UploadFile("", local, TransferApi::FTP_TRANSFER_TYPE_ASCII, nullptr));
  EXPECT_EQ(kSOk, ftp.UploadFile("", LocalFile("second.txt", "two\r\n"), TransferApi::FTP_TRANSFER_TYPE_ASCII,
                                 nullptr));

  EXPECT_EQ("CLSID: {A}\nStatus: Unknown\n", test::ReadFile(m_home.File("report.txt")));
  EXPECT_EQ("two\n", test::ReadFile(m_home.File("second.txt")));
  EXPECT_TRUE(test::Contains(m_log.Messages(), "Empty remote folder ignored.\n"));
}

TEST_F(FtpUpload, WrongPasswordFailsInitializeAndLaterUploads) {
  MyFtp ftp;
  EXPECT_EQ(kEFail, ftp.Initialize(Account("abc1234")));
  const std::string local = LocalFile("report.txt", "text");
  EXPECT_EQ(kEFail, ftp.UploadFile("", local, TransferApi::FTP_TRANSFER_TYPE_ASCII, nullptr));

  // WinInet says "incorrect password" (12014); Wine's says "login failure" (12015).
  const std::string log = m_log.Messages();
  bool bFound = false;
  for (DWord error : {12014u, 12015u}) {
    const std::string text = Generic::GetInternetErrorText(error);
    if (test::Contains(
            log, "::InternetConnect() failed!  Error <" + std::to_string(error) + ">: <" + text + ">\n")) {
      bFound = true;
      EXPECT_TRUE(test::Contains(log, "<m_hConnection> failed with error <" + std::to_string(error) + ">: "));
    }
  }
  EXPECT_TRUE(bFound) << log;
  EXPECT_TRUE(test::Contains(log, "::InternetOpen() succeeded.\n"));
  EXPECT_TRUE(test::Contains(log, "EC_ skipped executing <_SetRemoteDirectory(sRemoteDir)>.\n"));
  EXPECT_FALSE(test::Contains(log, "Uploading <"));
  EXPECT_EQ("", test::ReadFile(m_home.File("report.txt")));
}

TEST_F(FtpUpload, MissingRemoteFolderFailsTheUpload) {
  const std::string local = LocalFile("report.txt", "text");
  MyFtp ftp;
  ASSERT_EQ(kSOk, ftp.Initialize(Account()));
  EXPECT_EQ(kEFail, ftp.UploadFile("no-such-folder", local, TransferApi::FTP_TRANSFER_TYPE_ASCII, nullptr));

  const std::string log = m_log.Messages();
  EXPECT_TRUE(test::Contains(
      log, "::FtpSetCurrentDirectory() failed for folder <no-such-folder>!  Error <12003>: <"));
  EXPECT_TRUE(test::Contains(log, "<_SetRemoteDirectory(sRemoteDir)> failed with error <80004005>: <"));
  EXPECT_FALSE(test::Contains(log, "Uploading <"));
}

TEST_F(FtpUpload, MissingLocalFileFailsThePut) {
  const std::string local = m_local.File("absent.txt");
  MyFtp ftp;
  ASSERT_EQ(kSOk, ftp.Initialize(Account()));
  EXPECT_EQ(kEFail, ftp.UploadFile("", local, TransferApi::FTP_TRANSFER_TYPE_ASCII, nullptr));

  const std::string log = m_log.Messages();
  EXPECT_TRUE(test::Contains(log, "Uploading <" + local + ">.\n"));
  EXPECT_TRUE(test::Contains(log, "::FtpPutFile() failed for file <" + local + ">!  Error <2>: <" +
                                      Generic::GetInternetErrorText(2) + ">\n"));
  EXPECT_FALSE(test::Contains(log, "Successfully uploaded"));
}

// No server needed: nothing may reach the network.
TEST(FtpWithoutConnection, UploadBeforeInitializeFailsAtTheConnectionCheck) {
  test::ScopedLog log;
  test::TempDir dir;
  const std::string local = dir.File("report.txt");
  test::WriteFile(local, "text");
  MyFtp ftp;
  EXPECT_EQ(kEFail, ftp.UploadFile("reports", local, TransferApi::FTP_TRANSFER_TYPE_ASCII, nullptr));

  const std::string messages = log.Messages();
  EXPECT_TRUE(test::Contains(messages, ">>> MyFtp::UploadFile\n"));
  EXPECT_TRUE(test::Contains(messages, "<m_hConnection> failed with error <"));
  EXPECT_TRUE(test::Contains(messages, "EC_ skipped executing <_SetRemoteDirectory(sRemoteDir)>.\n"));
  EXPECT_FALSE(test::Contains(messages, ">>> MyFtp::_SetRemoteDirectory"));
  EXPECT_FALSE(test::Contains(messages, "Uploading"));
}

TEST(FtpWithoutConnection, RefusedConnectionFailsInitialize) {
  test::ScopedLog log;
  MyFtpData data;
  data.sAgent = "Tarvolin 2.0";
  data.sServer = "127.0.0.1";
  data.sUserName = kUser;
  data.sPassword = kPassword;
  data.nPort = 1;  // nothing listens there
  MyFtp ftp;
  EXPECT_EQ(kEFail, ftp.Initialize(data));
  EXPECT_TRUE(test::Contains(log.Messages(), "::InternetConnect() failed!  Error <12029>: <" +
                                                 Generic::GetInternetErrorText(12029) + ">\n"));
}

TEST(FtpData, DefaultsToTheFtpPort) { EXPECT_EQ(21, MyFtpData().nPort); }

}  // namespace
