// The download of the three list files against a real HTTP server on
// 127.0.0.1, with archives made by the real zip tool: what the user sees
// (progress texts, the one message of a failure), what lands beside the
// executable, and the statuses the downloaded lists give.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Tarvolin.h"
#include "common/base/GenericPaths.h"
#include "common/files/GenericFiles.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/ProgressWindow.h"
#include "lists/IBHOList.h"
#include "model/Bho.h"
#include "support/BhoWorld.h"
#include "support/HostProgram.h"
#include "support/LocalServer.h"
#include "support/Recorders.h"
#include "support/ScopedUserAnswers.h"

namespace {

constexpr const char* kZip = "/usr/bin/zip";

const char* const kMakerWait = "Kestrove BHO List not found... downloading... please wait...";
const char* const kTextWait = "SysInfo.org BHO List not found... downloading... please wait...";
const char* const kHtmlWait = "CastleCops BHO List not found... downloading... please wait...";

std::string CouldNotDownload(const std::string& fileName) {
  return "Tarvolin could not download the '" + fileName +
         "' BHO list.  There are many possible causes for this:\n\no  Maybe you're not connected to the "
         "internet?\n\no  Maybe you have a download 'helper' program that is unZIPing the file?\n\no  Maybe "
         "your "
         "firewall is blocking Tarvolin from connecting?\n\no  Maybe you are on a LAN, or behind a proxy "
         "server?\n\no  Maybe our website is down?  Please try again later.";
}

// The whole log line that holds `part` ("" when none does).
std::string LineWith(const std::string& text, const std::string& part) {
  const auto at = text.find(part);
  if (at == std::string::npos) return std::string();
  const auto begin = text.rfind('\n', at);
  const auto end = text.find('\n', at);
  return text.substr(begin == std::string::npos ? 0 : begin + 1,
                     end == std::string::npos ? end : end - begin);
}

// Every text shown in any progress window, with the window it went to.
class ProgressRecorder {
 public:
  struct Shown {
    int window;
    std::string text;
    bool operator==(const Shown& o) const { return window == o.window && text == o.text; }
  };

  ProgressRecorder()
      : m_previous(ProgressWindow::SetFactory([this]() -> std::unique_ptr<ProgressWindow> {
          return std::make_unique<Window>(*this, m_nWindows++);
        })) {}
  ~ProgressRecorder() { ProgressWindow::SetFactory(m_previous); }
  ProgressRecorder(const ProgressRecorder&) = delete;
  ProgressRecorder& operator=(const ProgressRecorder&) = delete;

  const std::vector<Shown>& All() const { return m_shown; }
  int Windows() const { return m_nWindows; }

 private:
  class Window : public ProgressWindow {
   public:
    Window(ProgressRecorder& owner, int id) : m_owner(owner), m_id(id) {}
    void SetMessage(const std::string& text) override { m_owner.m_shown.push_back({m_id, text}); }

   private:
    ProgressRecorder& m_owner;
    int m_id;
  };

  std::vector<Shown> m_shown;
  int m_nWindows = 0;
  ProgressWindow::Factory m_previous;
};

void PrintTo(const ProgressRecorder::Shown& s, std::ostream* os) { *os << "[" << s.window << "] " << s.text; }

class ListDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::HostFileExists(kZip)) GTEST_SKIP() << "no " << kZip << " to make archives with";
    m_server = test::LocalServer::StartHttp(m_served.Path());
    ASSERT_TRUE(m_server) << "could not start " << test::LocalServer::kPython << " -m http.server";
    ASSERT_EQ(0, Generic::CreateDirectory(m_served.File("files")));
    ASSERT_EQ(0, Generic::CreateDirectory(m_served.File("site")));
    PointAt(m_server->Url(""), m_server->Url("site/"));
  }

  // The program's server settings.
  void PointAt(const std::string& webServer, const std::string& htmlSite) {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    ASSERT_TRUE(program.SaveValueString("WebServerURL", webServer));
    ASSERT_TRUE(program.SaveValueString("HtmlListSiteURL", htmlSite));
  }

  // A zip made by the zip tool whose only entry, `entryName`, holds `text`.
  std::string MakeZip(const std::string& entryName, const std::string& text, bool bStored = false) {
    static int s_nZips = 0;
    const std::string archive = "made" + std::to_string(++s_nZips) + ".zip";
    test::WriteFile(m_work.File(entryName), text);
    std::vector<std::string> argv = {kZip, "-q", "-X"};
    if (bStored) argv.push_back("-0");
    argv.push_back(archive);
    argv.push_back(entryName);
    EXPECT_EQ(0, test::RunHostProgram(argv, m_work.Path())) << "zip failed";
    test::RemoveFile(m_work.File(entryName));
    return test::ReadFile(m_work.File(archive));
  }

  // Puts a file on the server ("files\\x" is the maker's folder, "site\\x" the HTML list's site).
  void Serve(const std::string& name, const std::string& bytes) {
    test::WriteFile(m_served.File(name), bytes);
  }
  void ServeWithSize(const std::string& name, const std::string& bytes) {
    Serve(name, bytes);
    Serve(name + ".size", std::to_string(bytes.size()) + "\r\n");
  }
  std::string Url(const std::string& path) const { return m_server->Url(path); }

  std::string Local(const std::string& name) const { return world.File(name); }
  bool Exists(const std::string& name) const { return Generic::FileExists(Local(name)); }
  std::string Log() { return world.Log().Messages(); }

  test::BhoWorld world;
  test::TempDir m_served;
  test::TempDir m_work;
  std::unique_ptr<test::LocalServer> m_server;
  ProgressRecorder progress;
  test::ScopedUserAnswers answers;
};

const char* const kMakerList =
    "[General]\r\nTimestamp=2006-03-14 served\r\n[5d41402abc4b2a76b9719d911017c592]\r\nStatus=Benign\r\n";

TEST_F(ListDownload, MissingMakersListIsFetchedAsZipAndUnpackedBesideTheExecutable) {
  world.WriteTextList("\r\n");
  world.WriteHtmlList("\r\n");
  // The entry's own name does not matter: the first entry becomes the list.
  const std::string zip = MakeZip("published.ini", kMakerList);
  ServeWithSize("files\\Tarvolin20List.zip", zip);

  world.OpenLists();

  EXPECT_EQ(kMakerList, test::ReadFile(Local("Tarvolin20List.ini")));
  EXPECT_TRUE(test::ReadFile(Local("Tarvolin20List.zip")) == zip);
  EXPECT_EQ(
      (std::vector<ProgressRecorder::Shown>{
          {0, kMakerWait}, {0, "Downloading:\r\n\r\n" + Local("Tarvolin20List.zip")}, {0, "Unzipping..."}}),
      progress.All());
  EXPECT_EQ(1, progress.Windows());
  EXPECT_TRUE(answers.Shown().empty());
  EXPECT_EQ("2006-03-14 served", CTarvolinApp::m_pBHOListKST->GetBHOListTimestamp());

  const std::string log = Log();
  EXPECT_TRUE(test::Contains(log, ">>> IBHOList::DownloadBHOList\n"));
  EXPECT_TRUE(
      test::Contains(log, "Doing download as <" + Local("Tarvolin20List.zip") + "> doesn't exist.\n"));
  // The list's own address is named, not the archive's.
  const std::string success = "Successfully downloaded <" + Url("files/Tarvolin20List.ini") + "> to <" +
                              Local("Tarvolin20List.ini") + ">.\n";
  EXPECT_TRUE(test::Contains(log, success));
  EXPECT_TRUE(test::Contains(LineWith(world.Log().Text(), "Successfully downloaded"), " @T "));
}

// A zip already beside the executable, against what the server announces.
struct ZipOnDiskCase {
  const char* name;
  const char* companion;  // "same", "other" or null (no ".size" file)
  bool bFetched;
};

void PrintTo(const ZipOnDiskCase& c, std::ostream* os) { *os << c.name; }

class ZipOnDisk : public ListDownload, public ::testing::WithParamInterface<ZipOnDiskCase> {};

TEST_P(ZipOnDisk, IsFetchedOnlyWhenTheAnnouncedSizeDiffersButAlwaysUnpacked) {
  const ZipOnDiskCase& c = GetParam();
  world.WriteMakerList("[General]\r\n");
  world.WriteHtmlList("\r\n");
  // Stored entries of the same length make archives of the same size.
  const std::string served =
      MakeZip("bholist.txt", "X {AAAAAAAA-0000-0000-0000-000000000001}: from the server\r\n", true);
  const std::string onDisk =
      MakeZip("bholist.txt", "X {AAAAAAAA-0000-0000-0000-000000000001}: from the disk!!\r\n", true);
  ASSERT_EQ(served.size(), onDisk.size());
  ASSERT_NE(served, onDisk);
  Serve("files\\bholist.zip", served);
  if (c.companion) {
    const std::size_t announced = served.size() + (std::string(c.companion) == "same" ? 0 : 1);
    Serve("files\\bholist.zip.size", std::to_string(announced) + "\n");
  }
  test::WriteFile(Local("bholist.zip"), onDisk);

  world.OpenLists();

  const std::string zipPath = Local("bholist.zip");
  EXPECT_TRUE(test::ReadFile(zipPath) == (c.bFetched ? served : onDisk));
  EXPECT_TRUE(test::Contains(test::ReadFile(Local("bholist.txt")),
                             c.bFetched ? "from the server" : "from the disk!!"));
  std::vector<ProgressRecorder::Shown> expected = {
      {0, kTextWait}, {0, "Comparing file sizes for download:\r\n\r\n" + zipPath}};
  if (c.bFetched) expected.push_back({0, "Downloading:\r\n\r\n" + zipPath});
  expected.push_back({0, "Unzipping..."});
  EXPECT_EQ(expected, progress.All());
  EXPECT_TRUE(answers.Shown().empty());

  const std::string log = Log();
  const std::string skipping = "Skipping download as <" + Url("files/bholist.zip") + "> and <" + zipPath +
                               "> have the same size: <" + std::to_string(served.size()) + "> bytes.\n";
  EXPECT_EQ(!c.bFetched, log.find(skipping) != std::string::npos) << log;
  EXPECT_TRUE(test::Contains(log, "Successfully downloaded <" + Url("files/bholist.txt") + "> to <" +
                                      Local("bholist.txt") + ">.\n"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ZipOnDisk,
                         ::testing::Values(ZipOnDiskCase{"SameAnnouncedSizeIsNotFetched", "same", false},
                                           ZipOnDiskCase{"OtherAnnouncedSizeIsFetched", "other", true},
                                           ZipOnDiskCase{"NoCompanionIsFetched", nullptr, true}),
                         [](const ::testing::TestParamInfo<ZipOnDiskCase>& info) { return info.param.name; });

TEST_F(ListDownload, HtmlListIsFetchedPlainFromItsOwnSiteWithoutSizeComparison) {
  world.WriteMakerList("[General]\r\n");
  world.WriteTextList("\r\n");
  const std::string html = "<html><table><TR><TD>AAAAAAAA-0000</TD><TD>L</TD></TR></table></html>\r\n";
  Serve("site\\bhotb-all.html", html);
  // Neither an archive nor a size on the site may be used.
  Serve("site\\bhotb-all.zip", MakeZip("bhotb-all.html", "zipped"));
  Serve("site\\bhotb-all.html.size", std::to_string(html.size()) + "\n");

  world.OpenLists();

  EXPECT_EQ(html, test::ReadFile(Local("bhotb-all.html")));
  EXPECT_FALSE(Exists("bhotb-all.zip"));
  EXPECT_EQ((std::vector<ProgressRecorder::Shown>{{0, kHtmlWait},
                                                  {0, "Downloading:\r\n\r\n" + Local("bhotb-all.html")}}),
            progress.All());
  std::string log = Log();
  EXPECT_TRUE(test::Contains(log, "Successfully downloaded <" + Url("site/bhotb-all.html") + "> to <" +
                                      Local("bhotb-all.html") + ">.\n"));
  EXPECT_FALSE(test::Contains(log, ">>> MyFtp::DownloadFile\n"));
  EXPECT_FALSE(test::Contains(log, ">>> MyFtp::_GetRemoteFileSize\n"));

  // A refresh fetches again although the file on disk has the announced size.
  const std::string newer = "<html><table><TR><TD>BBBBBBBB-0000</TD><TD>X</TD></TR></table></html>\r\n";
  ASSERT_EQ(html.size(), newer.size());
  Serve("site\\bhotb-all.html", newer);
  EXPECT_EQ(kSOk, CTarvolinApp::m_pBHOListCops->DownloadBHOList(
                      "Downloading the current CastleCops 'BHO List' ... please wait...", false));
  EXPECT_EQ(newer, test::ReadFile(Local("bhotb-all.html")));
  EXPECT_TRUE(answers.Shown().empty());
}

TEST_F(ListDownload, PresentListFilesAreNeitherFetchedNorReported) {
  world.WriteMakerList("[General]\r\nTimestamp=local\r\n");
  world.WriteTextList("local text\r\n");
  world.WriteHtmlList("local html\r\n");
  ServeWithSize("files\\Tarvolin20List.zip", MakeZip("Tarvolin20List.ini", kMakerList));
  ServeWithSize("files\\bholist.zip", MakeZip("bholist.txt", "served text\r\n"));
  Serve("site\\bhotb-all.html", "served html\r\n");

  world.OpenLists();

  EXPECT_EQ(0, progress.Windows());
  EXPECT_TRUE(answers.Shown().empty());
  EXPECT_EQ("[General]\r\nTimestamp=local\r\n", test::ReadFile(Local("Tarvolin20List.ini")));
  EXPECT_EQ("local text\r\n", test::ReadFile(Local("bholist.txt")));
  EXPECT_EQ("local html\r\n", test::ReadFile(Local("bhotb-all.html")));
  EXPECT_FALSE(Exists("Tarvolin20List.zip"));
  EXPECT_FALSE(Exists("bholist.zip"));
  EXPECT_FALSE(test::Contains(Log(), ">>> IBHOList::DownloadBHOList\n"));
}

// A list that cannot be had: one message naming its file, and no line of success.
struct FailureCase {
  const char* name;
  const char* fileName;  // the list that is missing on disk
  const char* served;    // what the server holds instead of the list ("" nothing, "garbage" a non-zip)
  bool bUnreachable;     // the server's address leads nowhere
  const char* call;      // the constructor's call as logged
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class DownloadFailure : public ListDownload, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DownloadFailure, ShowsExactlyOneMessageNamingTheFile) {
  const FailureCase& c = GetParam();
  const std::string fileName = c.fileName;
  if (fileName != "Tarvolin20List.ini") world.WriteMakerList("[General]\r\n");
  if (fileName != "bholist.txt") world.WriteTextList("\r\n");
  if (fileName != "bhotb-all.html") world.WriteHtmlList("\r\n");
  if (std::string(c.served) == "garbage") {
    const std::string name = "files\\" + Generic::GetFileTitle(fileName) + ".zip";
    ServeWithSize(name, "PK\x03\x04 this is no archive at all");
  }
  if (c.bUnreachable) PointAt("http://127.0.0.1:1/", "http://127.0.0.1:1/");

  world.OpenLists();

  ASSERT_EQ(1u, answers.Shown().size());
  EXPECT_EQ(CouldNotDownload(fileName), answers.Shown()[0]);
  EXPECT_FALSE(Exists(fileName));
  const std::string log = Log();
  EXPECT_FALSE(test::Contains(log, "Successfully downloaded"));
  EXPECT_TRUE(test::Contains(log, std::string("<") + c.call + "> failed with error <"));
  EXPECT_TRUE(test::Contains(log, CouldNotDownload(fileName)));
  // The object exists all the same, without its file.
  EXPECT_NE(nullptr, CTarvolinApp::m_pBHOListKST);
  EXPECT_NE(nullptr, CTarvolinApp::m_pBHOListSysInfo);
  EXPECT_NE(nullptr, CTarvolinApp::m_pBHOListCops);
  // The archive's failure still shows the unzip step, the transfer's does not.
  const bool bUnzipShown = !progress.All().empty() && progress.All().back().text == "Unzipping...";
  EXPECT_EQ(std::string(c.served) == "garbage", bUnzipShown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloadFailure,
    ::testing::Values(
        FailureCase{
            "MakersZipMissingOnTheServer", "Tarvolin20List.ini", "", false,
            "DownloadBHOList(\"Kestrove BHO List not found... downloading... please wait...\", true)"},
        FailureCase{
            "TextListZipMissingOnTheServer", "bholist.txt", "", false,
            "DownloadBHOList(\"SysInfo.org BHO List not found... downloading... please wait...\", true)"},
        FailureCase{
            "HtmlListMissingOnTheSite", "bhotb-all.html", "", false,
            "DownloadBHOList(\"CastleCops BHO List not found... downloading... please wait...\", false)"},
        FailureCase{
            "MakersZipIsNoArchive", "Tarvolin20List.ini", "garbage", false,
            "DownloadBHOList(\"Kestrove BHO List not found... downloading... please wait...\", true)"},
        FailureCase{
            "TextListServerUnreachable", "bholist.txt", "", true,
            "DownloadBHOList(\"SysInfo.org BHO List not found... downloading... please wait...\", true)"},
        FailureCase{
            "HtmlSiteUnreachable", "bhotb-all.html", "", true,
            "DownloadBHOList(\"CastleCops BHO List not found... downloading... please wait...\", false)"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(ListDownload, FailedRefreshLeavesTheOldListAsItWas) {
  world.WriteMakerList("[General]\r\nTimestamp=old\r\n");
  world.WriteTextList("\r\n");
  world.WriteHtmlList("old html\r\n");
  world.OpenLists();

  EXPECT_NE(kSOk, CTarvolinApp::m_pBHOListKST->DownloadBHOList(
                      "Downloading the current Kestrove 'BHO List' ... please wait...", true));
  EXPECT_NE(kSOk, CTarvolinApp::m_pBHOListCops->DownloadBHOList(
                      "Downloading the current CastleCops 'BHO List' ... please wait...", false));

  EXPECT_EQ(
      (std::vector<std::string>{CouldNotDownload("Tarvolin20List.ini"), CouldNotDownload("bhotb-all.html")}),
      answers.Shown());
  EXPECT_EQ("[General]\r\nTimestamp=old\r\n", test::ReadFile(Local("Tarvolin20List.ini")));
  EXPECT_EQ("old html\r\n", test::ReadFile(Local("bhotb-all.html")));
  EXPECT_FALSE(test::Contains(Log(), "Successfully downloaded"));
}

// A damaged archive from the server (one byte flipped in the middle of its
// compressed data, as a broken transfer or a hostile network leaves it): the
// refresh fails with the one message and the list on disk stays as it was.
TEST_F(ListDownload, DamagedZipFromTheServerLeavesTheOldListIntact) {
  const std::string old =
      "[General]\r\nTimestamp=old\r\n[5d41402abc4b2a76b9719d911017c592]\r\nStatus=Adware\r\n";
  world.WriteMakerList(old);
  world.WriteTextList("\r\n");
  world.WriteHtmlList("\r\n");
  world.OpenLists();
  std::string newer = kMakerList;
  for (int i = 0; i < 400; ++i)
    newer += "[" + std::to_string(i) + "]\r\nStatus=Benign\r\nDesc=entry " + std::to_string(i * 7919 % 1000) +
             "\r\n";
  std::string zip = MakeZip("Tarvolin20List.ini", newer);
  const std::size_t start = 30 +
                            (static_cast<unsigned char>(zip[26]) | static_cast<unsigned char>(zip[27]) << 8) +
                            (static_cast<unsigned char>(zip[28]) | static_cast<unsigned char>(zip[29]) << 8);
  const std::size_t middle = start + (zip.find("PK\x01\x02") - start) / 2;
  zip[middle] = static_cast<char>(zip[middle] ^ 0x10);
  ServeWithSize("files\\Tarvolin20List.zip", zip);

  EXPECT_NE(kSOk, CTarvolinApp::m_pBHOListKST->DownloadBHOList(
                      "Downloading the current Kestrove 'BHO List' ... please wait...", true));

  EXPECT_EQ(std::vector<std::string>{CouldNotDownload("Tarvolin20List.ini")}, answers.Shown());
  EXPECT_EQ(old, test::ReadFile(Local("Tarvolin20List.ini")));
  EXPECT_TRUE(test::ReadFile(Local("Tarvolin20List.zip")) == zip) << "the damaged archive was not fetched";
  EXPECT_FALSE(Exists("Tarvolin20List.ini.unzip"));
  EXPECT_FALSE(test::Contains(Log(), "Successfully downloaded"));
  // The old list still answers.
  EXPECT_EQ("old", CTarvolinApp::m_pBHOListKST->GetBHOListTimestamp());
}

// Statuses from three freshly downloaded lists, in the order of precedence:
// the maker's list (by checksum) when it knows the file, then the text list,
// then the HTML list (both by CLSID).
TEST_F(ListDownload, DownloadedListsGiveStatusesInTheirOrderOfPrecedence) {
  const std::string a = "{AAAAAAAA-0000-0000-0000-000000000001}";
  const std::string b = "{BBBBBBBB-0000-0000-0000-000000000002}";
  const std::string c = "{CCCCCCCC-0000-0000-0000-000000000003}";
  const std::string d = "{DDDDDDDD-0000-0000-0000-000000000004}";
  const std::string e = "{EEEEEEEE-0000-0000-0000-000000000005}";
  auto row = [](const std::string& clsid, const char* code, const char* cell) {
    return "<TR><TD>" + clsid.substr(1, clsid.size() - 2) + "</TD><TD>" + code + "</TD><TD>x</TD><TD>" +
           cell + "</TD></TR>\r\n";
  };

  test::WriteFile(Local("a.dll"), "hello");
  test::WriteFile(Local("b.dll"), "The quick brown fox jumps over the lazy dog");
  test::WriteFile(Local("e.dll"), "");
  ServeWithSize("files\\Tarvolin20List.zip",
                MakeZip("Tarvolin20List.ini",
                        "[General]\r\nTimestamp=1\r\n"
                        "[5d41402abc4b2a76b9719d911017c592]\r\nStatus=Benign\r\nDesc=Maker says fine\r\n"
                        "URL=http://maker.example/a\r\nReportsCount=12\r\nEnabledCount=7\r\n"
                        "[9E107D9D372BB6826BD81D3542A419D6]\r\nStatus=Unknown\r\nDesc=Maker unsure\r\n"));
  ServeWithSize("files\\bholist.zip",
                MakeZip("bholist.txt", "X " + a + " Helper: text says bad, http://text/a\r\n" + "X " + b +
                                           " Helper: Steals searches, http://text/b\r\n" + "O " + d +
                                           " Thing: Being looked at\r\n"));
  Serve("site\\bhotb-all.html", "<html><table>\r\n" + row(a, "X", "html says bad") + row(b, "L", "html b") +
                                    row(c, "l", "<a href=\"http://html/c\">Html knows c</a>") +
                                    row(d, "X", "html d") + "</table></html>\r\n");

  world.OpenLists();
  ASSERT_TRUE(answers.Shown().empty());
  EXPECT_TRUE(Exists("Tarvolin20List.ini") && Exists("bholist.txt") && Exists("bhotb-all.html"));

  world.Register(a, Local("a.dll"));
  world.Register(b, Local("b.dll"));
  world.Register(c, Local("gone.dll"));
  world.Register(d, "");
  world.Register(e, Local("e.dll"));
  struct Expected {
    std::string clsid, status, desc, url, reports;
  };
  const Expected expected[] = {
      {a, "Benign", "Maker says fine", "http://maker.example/a", "12"},
      {b, "Malware", "Steals searches", "http://text/b", ""},
      {c, "Benign", "Html knows c", "http://html/c", "<absent>"},
      {d, "Investigating", "Being looked at", "", "<absent>"},
      {e, "Unknown", "", "", ""},
  };
  for (const Expected& x : expected) {
    BHO bho(x.clsid);
    EXPECT_EQ(kSOk, bho.LoadBHOAttrs()) << x.clsid;
    auto attr = [&](const char* name) {
      std::string value;
      return bho.m_mapAttrVals.Lookup(name, value) ? value : std::string("<absent>");
    };
    EXPECT_EQ(x.status, attr("Status")) << x.clsid;
    EXPECT_EQ(x.desc, attr("Desc")) << x.clsid;
    EXPECT_EQ(x.url, attr("URL")) << x.clsid;
    EXPECT_EQ(x.reports, attr("ReportsCount")) << x.clsid;
  }
  EXPECT_TRUE(answers.Shown().empty());
}

}  // namespace
