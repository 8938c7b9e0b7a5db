// Downloads against a real HTTP server (Python's http.server on 127.0.0.1).
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <vector>

#include "common/net/MyFtp.h"
#include "common/ui/ProgressWindow.h"
#include "support/LocalServer.h"
#include "support/Recorders.h"
#include "support/TestSupport.h"

namespace {

std::string Hex(HResult hr) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(hr));
  return text;
}

std::string FailureLines(const std::string& url, const std::string& local, HResult hr) {
  return "   * sRemoteUrl is <" + url + ">.\n   * sLocalPathname is <" + local +
         ">.\n::URLDownloadToFile failure code <" + Hex(hr) + ">: <" + MyFtp::GetMonikerErrorName(hr) +
         ">.\n";
}

// Bytes that text-mode handling anywhere on the way would change.
std::string BinaryContent(std::size_t size) {
  std::string bytes;
  for (std::size_t i = 0; bytes.size() < size; ++i) bytes += static_cast<char>((i * 7) % 256);
  return bytes.replace(0, 5, "\r\n\n\0\x1a", 5);
}

class HttpDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    m_server = test::LocalServer::StartHttp(m_served.Path());
    ASSERT_TRUE(m_server) << "could not start " << test::LocalServer::kPython << " -m http.server";
  }

  void Serve(const std::string& name, const std::string& bytes) {
    test::WriteFile(m_served.File(name), bytes);
  }
  std::string Url(const std::string& name) const { return m_server->Url(name); }

  test::ScopedLog m_log;
  test::TempDir m_served;
  test::TempDir m_local;
  std::unique_ptr<test::LocalServer> m_server;
};

TEST_F(HttpDownload, WritesTheServersExactBytesOverTheLocalFile) {
  const std::string bytes = BinaryContent(100000);
  Serve("list.zip", bytes);
  const std::string local = m_local.File("list.zip");
  test::WriteFile(local, std::string(250000, 'x'));
  test::RecordingProgress progress;

  EXPECT_EQ(kSOk, MyFtp::URLDownloadToFile(Url("list.zip"), local, &progress));

  EXPECT_TRUE(test::ReadFile(local) == bytes);
  EXPECT_EQ(std::vector<std::string>{"Downloading:\r\n\r\n" + local}, progress.messages);
  EXPECT_TRUE(test::Contains(m_log.Messages(), ">>> MyFtp::URLDownloadToFileA\n"));
}

// A list republished under the same name must not come from a cache.
TEST_F(HttpDownload, FetchesAChangedServerFileAgain) {
  const std::string local = m_local.File("bholist.zip");
  for (const char* content : {"first version", "other version", "a longer third version"}) {
    Serve("bholist.zip", content);
    ASSERT_EQ(kSOk, MyFtp::URLDownloadToFile(Url("bholist.zip"), local, nullptr));
    EXPECT_EQ(content, test::ReadFile(local));
  }
}

TEST_F(HttpDownload, MissingServerFileFailsAsResourceNotFound) {
  const std::string local = m_local.File("Tarvolin20List.zip");
  const HResult hr = MyFtp::URLDownloadToFile(Url("files/Tarvolin20List.zip"), local, nullptr);

  EXPECT_EQ(static_cast<HResult>(0x800C0005u), hr);
  EXPECT_TRUE(test::Contains(m_log.Messages(), FailureLines(Url("files/Tarvolin20List.zip"), local, hr)));
  EXPECT_TRUE(test::Contains(m_log.Messages(), "<800C0005>: <ResourceNotFound>.\n"));
}

TEST_F(HttpDownload, TextThatIsNoUrlFailsWithAnUnlistedCode) {
  const std::string local = m_local.File("out.txt");
  const HResult hr = MyFtp::URLDownloadToFile("no url at all", local, nullptr);

  ASSERT_TRUE(Failed(hr));
  EXPECT_STREQ("Unknown", MyFtp::GetMonikerErrorName(hr));
  EXPECT_TRUE(test::Contains(m_log.Messages(), FailureLines("no url at all", local, hr)));
}

TEST_F(HttpDownload, RefusedConnectionFailsWithAListedCode) {
  // Nothing listens on port 1 of the loop-back address.
  const std::string url = "http://127.0.0.1:1/files/bholist.zip";
  const std::string local = m_local.File("bholist.zip");
  const HResult hr = MyFtp::URLDownloadToFile(url, local, nullptr);

  ASSERT_TRUE(Failed(hr));
  EXPECT_STRNE("Unknown", MyFtp::GetMonikerErrorName(hr));
  EXPECT_TRUE(test::Contains(m_log.Messages(), FailureLines(url, local, hr)));
}

// DownloadFile with and without the size comparison. In `lines`, {url} and
// {local} stand for the file's URL and local path.
struct SizeCase {
  const char* name;
  bool bCompareSizes;
  const char* local;      // null: no local file
  const char* companion;  // null: the server has no ".size" file
  bool bDownloads;
  std::vector<std::string> lines;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class DownloadFileSizes : public HttpDownload, public ::testing::WithParamInterface<SizeCase> {
 protected:
  std::string Expand(std::string text, const std::string& url, const std::string& local) {
    for (auto [key, value] : {std::pair<std::string, std::string>{"{url}", url}, {"{local}", local}}) {
      for (std::size_t pos; (pos = text.find(key)) != std::string::npos;)
        text.replace(pos, key.size(), value);
    }
    return text;
  }
};

constexpr const char* kRemote = "remote bytes";  // 12 bytes

TEST_P(DownloadFileSizes, DownloadsOnlyWhenTheSizesDoNotMatch) {
  const SizeCase& c = GetParam();
  Serve("list.zip", kRemote);
  if (c.companion) Serve("list.zip.size", c.companion);
  const std::string local = m_local.File("list.zip");
  if (c.local) test::WriteFile(local, c.local);
  test::RecordingProgress progress;
  MyFtp ftp;

  EXPECT_EQ(kSOk, ftp.DownloadFile(Url("list.zip"), local, &progress, c.bCompareSizes));

  EXPECT_EQ(c.bDownloads ? std::string(kRemote) : std::string(c.local ? c.local : ""), test::ReadFile(local));
  const std::string log = m_log.Messages();
  EXPECT_TRUE(test::Contains(log, ">>> MyFtp::DownloadFile\n"));
  for (const std::string& line : c.lines)
    EXPECT_TRUE(test::Contains(log, Expand(line, Url("list.zip"), local)));
  std::vector<std::string> expectedProgress;
  if (c.bCompareSizes && c.local)
    expectedProgress.push_back("Comparing file sizes for download:\r\n\r\n" + local);
  if (c.bDownloads) expectedProgress.push_back("Downloading:\r\n\r\n" + local);
  EXPECT_EQ(expectedProgress, progress.messages);
  // The bar moves from nothing to all of an announced size.
  const long long announced = c.companion ? std::atoll(c.companion) : 0;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> expectedBytes;
  if (c.bCompareSizes && c.local && c.bDownloads && announced > 0) expectedBytes = {{0, 12}, {12, 12}};
  EXPECT_EQ(expectedBytes, progress.progress);
  if (c.bDownloads) {
    EXPECT_FALSE(test::Contains(log, "Skipping download"));
  } else {
    EXPECT_FALSE(test::Contains(log, "Doing download"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloadFileSizes,
    ::testing::Values(
        SizeCase{"SameNonZeroSizeSkips",
                 true,
                 "local bytes!",
                 "12\r\n",
                 false,
                 {"Skipping download as <{url}> and <{local}> have the same size: <12> bytes.\n"}},
        SizeCase{"SizeWithBlanksAndTextAfterTheDigits",
                 true,
                 "local bytes!",
                 "  12 bytes  \n",
                 false,
                 {"have the same size: <12> bytes.\n"}},
        SizeCase{"EmptyLocalFileDownloadsEvenWhenTheServerSaysZero",
                 true,
                 "",
                 "0\n",
                 true,
                 {"Doing download as <{local}> doesn't exist.\n"}},
        SizeCase{
            "EmptyLocalFileAgainstAnnouncedSize",
            true,
            "",
            "12\n",
            true,
            {"Doing download as <{url}> and <{local}> have different sizes: <12> bytes and <0> bytes.\n"}},
        SizeCase{
            "DifferentSizes",
            true,
            "old",
            "12\n",
            true,
            {"Doing download as <{url}> and <{local}> have different sizes: <12> bytes and <3> bytes.\n"}},
        SizeCase{"CompanionWithoutDigitsMeansUnknownSize",
                 true,
                 "local bytes!",
                 "unknown\n",
                 true,
                 {"Doing download as <{local}> doesn't exist.\n"}},
        SizeCase{"MissingCompanionDownloads",
                 true,
                 "local bytes!",
                 nullptr,
                 true,
                 {"Failed getting remote file size... returning S_OK.\n",
                  "Doing download as <{local}> doesn't exist.\n"}},
        SizeCase{"EmptyCompanionCannotBeReadAndDownloads",
                 true,
                 "local bytes!",
                 "",
                 true,
                 {"<fil.ReadString(sLine)> failed with error <0>: <>.\n",
                  "Something failed trying to find the MD5s, so the download is required.\n"}},
        SizeCase{"NoComparisonAlwaysDownloads",
                 false,
                 "local bytes!",
                 "12\n",
                 true,
                 {"Doing download as <{local}> doesn't exist.\n"}},
        SizeCase{"NoLocalFileDownloads",
                 true,
                 nullptr,
                 "12\n",
                 true,
                 {"Doing download as <{local}> doesn't exist.\n"}}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

TEST_F(HttpDownload, MissingCompanionIsReportedAtTraceLevel) {
  Serve("list.zip", kRemote);
  const std::string local = m_local.File("list.zip");
  test::WriteFile(local, "local");
  MyFtp ftp;
  ASSERT_EQ(kSOk, ftp.DownloadFile(Url("list.zip"), local, nullptr, true));
  EXPECT_TRUE(std::regex_search(m_log.Text(), std::regex(R"( @T [^\n]*Failed getting remote file size)")));
  EXPECT_TRUE(std::regex_search(m_log.Text(), std::regex(R"( @A [^\n]*Doing download as <)")));
}

TEST_F(HttpDownload, FailedDownloadReturnsTheMonikerCode) {
  const std::string local = m_local.File("list.zip");
  MyFtp ftp;
  const HResult hr = ftp.DownloadFile(Url("list.zip"), local, nullptr, false);
  EXPECT_EQ(static_cast<HResult>(0x800C0005u), hr);
  EXPECT_TRUE(test::Contains(m_log.Messages(), FailureLines(Url("list.zip"), local, hr)));
}

TEST_F(HttpDownload, RemoteSizeIsTheCompanionsFirstLine) {
  Serve("big.zip.size", "9000000000\r\n17\r\n");
  test::RecordingProgress progress;
  MyFtp ftp;
  std::int64_t nSize = -1;
  EXPECT_EQ(kSOk, ftp._GetRemoteFileSize(Url("big.zip"), nSize, &progress));
  EXPECT_EQ(9000000000LL, nSize);
  EXPECT_EQ(std::vector<std::string>{"Getting remote file size for download:\r\n\r\n" + Url("big.zip")},
            progress.messages);
  EXPECT_TRUE(test::Contains(m_log.Messages(), ">>> MyFtp::_GetRemoteFileSize\n"));
}

TEST(MonikerErrorName, NamesEveryListedCodeAndNothingElse) {
  const std::vector<std::pair<std::uint32_t, const char*>> cases = {
      {0x80004004u, "Aborted"},
      {0x800C0001u, "DestFileExists"},
      {0x800C0002u, "InvalidUrl"},
      {0x800C0003u, "NoSession"},
      {0x800C0004u, "CannotConnect"},
      {0x800C0005u, "ResourceNotFound"},
      {0x800C0006u, "ObjectNotFound"},
      {0x800C0007u, "DataNotAvailable"},
      {0x800C0008u, "DownloadFailure"},
      {0x800C0009u, "AuthenticationRequired"},
      {0x800C000Au, "NoValidMedia"},
      {0x800C000Bu, "ConnectionTimeout"},
      {0x800C000Cu, "InvalidRequest"},
      {0x800C000Du, "UnknownProtocol"},
      {0x800C000Eu, "SecurityProblem"},
      {0x800C000Fu, "CannotLoadData"},
      {0x800C0010u, "CannotInstantiateObject"},
      {0x800C0014u, "RedirectFailed"},
      {0x800C0015u, "RedirectToDir"},
      {0x800C0016u, "CannotLockRequest"},
      {0x800C0011u, "Unknown"},
      {0x800C0013u, "Unknown"},
      {0x800C0017u, "Unknown"},
      {0x80004005u, "Unknown"},
      {0x00000000u, "Unknown"},
  };
  for (const auto& [code, name] : cases) {
    EXPECT_STREQ(name, MyFtp::GetMonikerErrorName(static_cast<HResult>(code)))
        << Hex(static_cast<HResult>(code));
  }
}

}  // namespace
