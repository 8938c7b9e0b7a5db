// Loading a BHO record from the registry, its file and the three lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <tuple>

#include "common/base/SystemApi.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MainWindow.h"
#include "common/ui/UserMessage.h"
#include "model/Bho.h"
#include "support/BhoWorld.h"

namespace {

const char* const kClsid = "{11111111-2222-3333-4444-555555555555}";
const char* const kHelloMd5 = "5d41402abc4b2a76b9719d911017c592";  // MD5 of "hello"

class BhoLoad : public ::testing::Test {
 protected:
  BhoLoad() {
    test::WriteFile(world.File("helper.dll"), "hello");
    world.WriteMakerList("[General]\r\nTimestamp=2006-01-01\r\n");
    world.WriteTextList("L {99999999-0000-0000-0000-000000000000}: someone else\r\n");
    world.WriteHtmlList("<html><table></table></html>\r\n");
  }

  std::unique_ptr<BHO> Load(const std::string& clsid = kClsid, HResult expected = kSOk) {
    world.OpenLists();
    auto pBHO = std::make_unique<BHO>(clsid);
    EXPECT_EQ(expected, pBHO->LoadBHOAttrs());
    return pBHO;
  }

  std::string Attr(const BHO& bho, const char* name) {
    std::string value;
    return bho.m_mapAttrVals.Lookup(name, value) ? value : "<absent>";
  }

  test::BhoWorld world;
};

TEST_F(BhoLoad, EnabledBhoKnownToTheMakersList) {
  world.Register(kClsid, world.File("helper.dll"));
  world.SetProgId(kClsid, "Helper.Object.1");
  world.WriteMakerList(std::string("[") + kHelloMd5 +
                       "]\r\nStatus=Benign\r\nDesc=A helper\r\nURL=http://x.example\r\nReportsCount=12\r\n"
                       "EnabledCount=7\r\n");
  world.WriteTextList(std::string("X ") + kClsid + ": text list must not be asked\r\n");
  const auto pBHO = Load();

  EXPECT_EQ(kClsid, Attr(*pBHO, "Clsid"));
  EXPECT_EQ("Yes", Attr(*pBHO, "Enabled?"));
  EXPECT_EQ("Helper.Object.1", Attr(*pBHO, "ProgID"));
  EXPECT_EQ(world.File("helper.dll"), Attr(*pBHO, "DLL Path"));
  EXPECT_EQ(kHelloMd5, Attr(*pBHO, "MD5 Checksum"));
  EXPECT_EQ("5", Attr(*pBHO, "Size (bytes)"));
  EXPECT_EQ("Benign", Attr(*pBHO, "Status"));
  EXPECT_EQ("A helper", Attr(*pBHO, "Desc"));
  EXPECT_EQ("12", Attr(*pBHO, "ReportsCount"));
  EXPECT_EQ("7", Attr(*pBHO, "EnabledCount"));
  EXPECT_NE("<absent>", Attr(*pBHO, "Created Date"));
  EXPECT_NE("<absent>", Attr(*pBHO, "Modified Date"));
  EXPECT_EQ("<absent>", Attr(*pBHO, "Load Attempts"));  // not XP SP2
  EXPECT_NE(std::string::npos,
            world.Log().Messages().find("Instantiating BHO <" + std::string(kClsid) + ">.\n"));
}

TEST_F(BhoLoad, ClassicDisabledPathLosesItsMark) {
  world.Register(kClsid, world.File("helper.dll") + "__TarvolinDisabled_QWERTY");
  const auto pBHO = Load();
  EXPECT_EQ("No", Attr(*pBHO, "Enabled?"));
  EXPECT_EQ(world.File("helper.dll"), Attr(*pBHO, "DLL Path"));
  EXPECT_EQ(kHelloMd5, Attr(*pBHO, "MD5 Checksum"));
  EXPECT_TRUE(pBHO->IsDisabledClassicWay());
}

TEST_F(BhoLoad, SpybotMarkIsCutOnlyToFindTheFile) {
  const std::string marked = world.File("helper.dll") + "__SpybotSDDisabled";
  world.Register(kClsid, marked);
  const auto pBHO = Load();
  EXPECT_EQ("Yes", Attr(*pBHO, "Enabled?"));
  EXPECT_EQ(marked, Attr(*pBHO, "DLL Path"));
  EXPECT_EQ(kHelloMd5, Attr(*pBHO, "MD5 Checksum"));
}

TEST_F(BhoLoad, AddOnSettingsKeyMeansDisabledWhateverItsFlags) {
  world.Register(kClsid, world.File("helper.dll"));
  world.DisableSP2Way(kClsid);
  const auto pBHO = Load();
  EXPECT_EQ("No", Attr(*pBHO, "Enabled?"));
  EXPECT_TRUE(pBHO->IsDisabledSP2Way());
  EXPECT_FALSE(pBHO->IsDisabledClassicWay());
}

TEST_F(BhoLoad, MissingFileAsksOnlyTheCommunityLists) {
  world.Register(kClsid, world.File("gone.dll"));
  world.WriteTextList(std::string("X ") + kClsid + ": Known bad, http://bad.example/\r\n");
  const auto pBHO = Load();
  EXPECT_EQ("No - file is missing", Attr(*pBHO, "Enabled?"));
  EXPECT_EQ(world.File("gone.dll"), Attr(*pBHO, "DLL Path"));
  EXPECT_EQ("<absent>", Attr(*pBHO, "MD5 Checksum"));
  EXPECT_EQ("<absent>", Attr(*pBHO, "ReportsCount"));
  EXPECT_EQ("Malware", Attr(*pBHO, "Status"));
  EXPECT_EQ("Known bad", Attr(*pBHO, "Desc"));
  EXPECT_EQ("http://bad.example/", Attr(*pBHO, "URL"));
  EXPECT_NE(std::string::npos,
            world.Log().Messages().find("The file for this BHO (" + world.File("gone.dll") +
                                        ") could not be found on your disk"));
}

TEST_F(BhoLoad, UnregisteredClassGivesOnlyRegistryAndListFacts) {
  world.Register(kClsid, "");
  const auto pBHO = Load();
  EXPECT_EQ("Yes", Attr(*pBHO, "Enabled?"));
  EXPECT_EQ("<absent>", Attr(*pBHO, "DLL Path"));
  EXPECT_EQ("Unknown", Attr(*pBHO, "Status"));
  EXPECT_EQ("", Attr(*pBHO, "Desc"));
  EXPECT_NE(std::string::npos, world.Log().Messages().find("could not be found!  This could be caused"));
}

// An installer's "%VAR%\x.dll" stored as REG_EXPAND_SZ names an existing file.
TEST_F(BhoLoad, ExpandableDllPathIsExpandedBeforeTheFileIsLookedFor) {
  ASSERT_TRUE(SystemApi::SetEnvironmentVariable("TARVOLIN_TEST_DIR", world.Dir()));
  world.Register(kClsid, "%TARVOLIN_TEST_DIR%\\helper.dll", true);
  const auto pBHO = Load();
  EXPECT_EQ("Yes", Attr(*pBHO, "Enabled?"));
  EXPECT_EQ(world.File("helper.dll"), Attr(*pBHO, "DLL Path"));
  EXPECT_EQ(kHelloMd5, Attr(*pBHO, "MD5 Checksum"));
}

TEST_F(BhoLoad, ListPrecedenceFirstKnownStatusWins) {
  world.Register(kClsid, world.File("helper.dll"));
  world.WriteMakerList(std::string("[") + kHelloMd5 + "]\r\nStatus=Unknown\r\nDesc=maker's words\r\n");
  world.WriteTextList(std::string("? ") + kClsid + ": under review, http://review.example\r\n");
  world.WriteHtmlList(std::string("<TR><TD>") + (kClsid + 1) +
                      "</TD><TD>X</TD><TD>x</TD><TD>html</TD></TR>\r\n");
  const auto pBHO = Load();
  EXPECT_EQ("Investigating", Attr(*pBHO, "Status"));
  EXPECT_EQ("under review", Attr(*pBHO, "Desc"));
  EXPECT_EQ("http://review.example", Attr(*pBHO, "URL"));
  EXPECT_TRUE(pBHO->IsInvestigating());
}

TEST_F(BhoLoad, HtmlListIsAskedLast) {
  world.Register(kClsid, world.File("helper.dll"));
  std::string key = kClsid;
  key = key.substr(1, key.size() - 2);
  world.WriteHtmlList("<TR><TD>" + key + "</TD><TD>\r\nX</TD><TD>x</TD>\r\n<TD>from html</TD></TR>\r\n");
  const auto pBHO = Load();
  EXPECT_EQ("Malware", Attr(*pBHO, "Status"));
  EXPECT_EQ("from html", Attr(*pBHO, "Desc"));
}

TEST_F(BhoLoad, MissingCommunityListFailsTheLoadWithItsMessage) {
  world.Register(kClsid, world.File("helper.dll"));
  world.OpenLists();
  test::RemoveFile(world.File("bholist.txt"));
  std::string shown;
  const auto previous = UserMessage::SetHandler([&](const std::string& text, const std::string&, unsigned) {
    shown += text;
    return static_cast<int>(UserMessage::kIdOk);
  });
  int closeRequests = 0;
  MainWindow::SetCloseRequester([&] { ++closeRequests; });
  BHO bho(kClsid);
  EXPECT_EQ(kEFail, bho.LoadBHOAttrs());
  UserMessage::SetHandler(previous);
  MainWindow::SetCloseRequester(nullptr);
  // The interactive program closes after the box; the HTML list is not asked.
  EXPECT_EQ(1, closeRequests);
  EXPECT_EQ(std::string::npos, world.Log().Messages().find(">>> BHOListCops::PopulateBHO"));
  EXPECT_EQ(
      "File <" + world.File("bholist.txt") +
          "> is not found!  You should have gotten it when you installed this program.  Failing that, you "
          "should have been able to download it.  Is a puzzlement...\n",
      shown);
}

TEST_F(BhoLoad, StatisticsOnlyOnXPServicePack2) {
  world.Register(kClsid, world.File("helper.dll"));
  {
    MyRegistry stats(Registry::kCurrentUser, std::string(REGKEY_BHO_STATS) + "\\" + kClsid + "\\iexplore",
                     true);
    stats.SaveValueDWord("Count", 1234);
    const std::uint8_t time[16] = {0xD6, 0x07, 3, 0, 2, 0, 14, 0, 13, 0, 45, 0, 30, 0, 0, 0};  // 2006-03-14
    stats.SaveValueBinary("Time", time, sizeof time);
  }
  struct Case {
    const char* csd;
    bool bStats;
  };
  for (const Case c : {Case{"Service Pack 2", true}, Case{"service pack 2", true},
                       Case{"Service Pack 3", false}, Case{"Service Pack 1", false}}) {
    const auto previous = SystemApi::SetVersionInfoOverride([&](SystemApi::OsVersion& v) {
      v = {2, 5, 1, c.csd};
      return true;
    });
    const auto pBHO = Load();
    SystemApi::SetVersionInfoOverride(previous);
    if (c.bStats) {
      EXPECT_EQ("1,234", Attr(*pBHO, "Load Attempts")) << c.csd;
      EXPECT_EQ("0", Attr(*pBHO, "Blocked Load Attempts"));
      EXPECT_NE("Invalid DateTime", Attr(*pBHO, "Last Load Time"));
      EXPECT_NE(std::string::npos, Attr(*pBHO, "Last Load Time").find("2006"))
          << Attr(*pBHO, "Last Load Time");
    } else {
      EXPECT_EQ("<absent>", Attr(*pBHO, "Load Attempts")) << c.csd;
      EXPECT_EQ("<absent>", Attr(*pBHO, "Last Load Time"));
    }
  }
}

TEST_F(BhoLoad, UnusableLoadTimeIsInvalid) {
  world.Register(kClsid, world.File("helper.dll"));
  MyRegistry stats(Registry::kCurrentUser, std::string(REGKEY_BHO_STATS) + "\\" + kClsid + "\\iexplore",
                   true);
  stats.SaveValueDWord("Blocked", 2);
  const auto previous = SystemApi::SetVersionInfoOverride([](SystemApi::OsVersion& v) {
    v = {2, 5, 1, "Service Pack 2"};
    return true;
  });
  const auto pBHO = Load();
  SystemApi::SetVersionInfoOverride(previous);
  EXPECT_EQ("0", Attr(*pBHO, "Load Attempts"));
  EXPECT_EQ("2", Attr(*pBHO, "Blocked Load Attempts"));
  EXPECT_EQ("Invalid DateTime", Attr(*pBHO, "Last Load Time"));
}

TEST_F(BhoLoad, SizesHaveThousandsSeparators) {
  test::WriteFile(world.File("big.dll"), std::string(1234567, 'x'));
  world.Register(kClsid, world.File("big.dll"));
  EXPECT_EQ("1,234,567", Attr(*Load(), "Size (bytes)"));
  test::WriteFile(world.File("big.dll"), "");
  EXPECT_EQ("0", Attr(*Load(), "Size (bytes)"));
}

TEST_F(BhoLoad, NuisanceAlertNeedsBothClsidAndFileName) {
  const std::string nuisance = "{C41A1C0E-EA6C-11D4-B1B8-444553540000}";
  test::WriteFile(world.File("GBIEH.DLL"), "x");
  int shown = 0;
  std::string text;
  const auto previous =
      UserMessage::SetHandler([&](const std::string& t, const std::string&, unsigned style) {
        ++shown;
        text = t;
        EXPECT_EQ(UserMessage::kIconError, style);
        return static_cast<int>(UserMessage::kIdOk);
      });
  world.Register(nuisance, world.File("GBIEH.DLL"));
  Load(nuisance);
  EXPECT_EQ(1, shown);
  EXPECT_EQ(0u, text.find("Tarvolin has detected the '" + world.File("GBIEH.DLL") +
                          "' BHO from 'Banco do Brasil'."));
  world.Register(kClsid, world.File("GBIEH.DLL"));
  Load(kClsid);
  EXPECT_EQ(1, shown);
  UserMessage::SetHandler(previous);
}

// Whoever installs a BHO chooses the type of the InProcServer32 default
// value. Only REG_SZ and REG_EXPAND_SZ hold a path: any other type is no
// path at all, even when its bytes spell one that exists (with or without
// the program's own mark), in the in-memory registry and the platform's.
struct ValueTypeCase {
  const char* name;
  std::uint32_t type;
  const char* typeName;
  // Bytes of the value; "<dll>" stands for the path of an existing DLL.
  std::string bytes;
};

void PrintTo(const ValueTypeCase& c, std::ostream* os) { *os << c.name; }

struct RegistryKind {
  const char* name;
  bool bPlatform;
};

void PrintTo(const RegistryKind& kind, std::ostream* os) { *os << kind.name; }

class BhoDefaultValueType : public BhoLoad,
                            public ::testing::WithParamInterface<std::tuple<ValueTypeCase, RegistryKind>> {
 protected:
  void SetUp() override {
    if (std::get<1>(GetParam()).bPlatform)
      m_pPrevious = Registry::SetCurrentStore(&Registry::PlatformStore());
    // One class per case: the platform's registry is shared by the cases
    // that run side by side.
    m_sClsid = "{7E57" + std::to_string(10000 + std::get<0>(GetParam()).type) + "-0000-0000-0000-00000000" +
               (std::get<1>(GetParam()).bPlatform ? "0001}" : "0000}");
    RemoveClass();
  }
  void TearDown() override {
    RemoveClass();
    if (m_pPrevious) Registry::SetCurrentStore(m_pPrevious);
  }

  void RemoveClass() {
    MyRegistry(Registry::kLocalMachine, REGKEY_BHO, false).DeleteKey(m_sClsid);
    MyRegistry(Registry::kClassesRoot, "CLSID", false).DeleteKey(m_sClsid);
  }

  std::string m_sClsid;

 private:
  Registry::Store* m_pPrevious = nullptr;
};

TEST_P(BhoDefaultValueType, IsNoPathAndIsLoggedAsNoDefaultValue) {
  const ValueTypeCase& c = std::get<0>(GetParam());
  std::string bytes = c.bytes;
  const auto at = bytes.find("<dll>");
  if (at != std::string::npos) bytes.replace(at, 5, world.File("helper.dll"));
  world.Register(m_sClsid, "");  // the BHO key only
  const std::string sKey = "CLSID\\" + m_sClsid + "\\InProcServer32";
  {
    MyRegistry server(Registry::kClassesRoot, sKey, true);
    ASSERT_EQ(0, Registry::CurrentStore().SetValue(server.GetHandle(), "", c.type,
                                                   reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                   static_cast<std::uint32_t>(bytes.size())));
  }
  const auto pBHO = Load(m_sClsid);

  EXPECT_EQ("<absent>", Attr(*pBHO, "DLL Path"));
  EXPECT_EQ("<absent>", Attr(*pBHO, "MD5 Checksum"));
  EXPECT_EQ("<absent>", Attr(*pBHO, "Size (bytes)"));
  EXPECT_EQ("Yes", Attr(*pBHO, "Enabled?"));
  EXPECT_FALSE(pBHO->IsDisabledClassicWay());
  EXPECT_EQ("Unknown", Attr(*pBHO, "Status"));
  const std::string logged = world.Log().Messages();
  EXPECT_NE(std::string::npos, logged.find("The Registry key:\n\n" + sKey + "\n\nfor BHO <" + m_sClsid +
                                           "> had no default value!\n"));
  EXPECT_NE(std::string::npos,
            logged.find("The default value of <" + sKey + "> for BHO <" + m_sClsid + "> is of type " +
                        c.typeName + ", which cannot hold a DLL path.\n"));
  EXPECT_EQ(std::string::npos, logged.find("Loading DLL Path"));
}

INSTANTIATE_TEST_SUITE_P(
    Types, BhoDefaultValueType,
    ::testing::Combine(
        ::testing::Values(ValueTypeCase{"Dword", Registry::kDWord, "REG_DWORD", "AAAA"},
                          ValueTypeCase{"BinaryPath", Registry::kBinary, "REG_BINARY",
                                        std::string("<dll>\0", 6)},
                          ValueTypeCase{"MultiStringPath", Registry::kMultiSz, "REG_MULTI_SZ",
                                        std::string("<dll>__TarvolinDisabled_X\0\0", 27)},
                          ValueTypeCase{"NonePath", Registry::kNone, "REG_NONE", std::string("<dll>\0", 6)},
                          ValueTypeCase{"QWord", 11, "11", std::string("\x41\0\0\0\0\0\0\0", 8)}),
        ::testing::Values(RegistryKind{"Memory", false}, RegistryKind{"Platform", true})),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

// A REG_BINARY whose bytes spell the path with the program's mark is no
// classic disabling either.
TEST_F(BhoLoad, MarkInANonTextDefaultValueIsNoClassicDisabling) {
  world.Register(kClsid, "");
  const std::string bytes = world.File("helper.dll") + "__TarvolinDisabled_QWERTY" + '\0';
  {
    MyRegistry server(Registry::kClassesRoot, std::string("CLSID\\") + kClsid + "\\InProcServer32", true);
    ASSERT_TRUE(server.SaveValueBinary("", reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                       static_cast<DWord>(bytes.size())));
  }
  const auto pBHO = Load();
  EXPECT_FALSE(pBHO->IsDisabledClassicWay());
  EXPECT_EQ("Yes", Attr(*pBHO, "Enabled?"));
  EXPECT_EQ("<absent>", Attr(*pBHO, "MD5 Checksum"));
}

TEST(BhoWarts, CutAtTheFirstMark) {
  struct Case {
    const char* path;
    bool bTarvolin;
    const char* afterTarvolin;
    bool bSpybot;
    const char* afterSpybot;
  };
  for (const Case& c :
       {Case{"C:\\a.dll", false, "C:\\a.dll", false, "C:\\a.dll"},
        Case{"C:\\a.dll__TarvolinDisabled_XYZ", true, "C:\\a.dll", false, "C:\\a.dll__TarvolinDisabled_XYZ"},
        Case{"C:\\a.dll__SpybotSDDisabled", false, "C:\\a.dll__SpybotSDDisabled", true, "C:\\a.dll"},
        Case{"C:\\a.dll__tarvolindisabled", false, "C:\\a.dll__tarvolindisabled", false,
             "C:\\a.dll__tarvolindisabled"}}) {
    std::string t = c.path, s = c.path;
    EXPECT_EQ(c.bTarvolin, BHO::RemoveWart(t)) << c.path;
    EXPECT_EQ(c.afterTarvolin, t);
    EXPECT_EQ(c.bSpybot, BHO::RemoveSpyBotWart(s)) << c.path;
    EXPECT_EQ(c.afterSpybot, s);
  }
}

TEST(BhoStatus, UnknownAndInvestigatingIgnoreCase) {
  BHO bho("{x}");
  EXPECT_TRUE(bho.IsUnknown());
  for (const char* s : {"", "Unknown", "UNKNOWN"}) {
    bho.m_mapAttrVals.SetAt("Status", s);
    EXPECT_TRUE(bho.IsUnknown()) << s;
  }
  bho.m_mapAttrVals.SetAt("Status", "investigating");
  EXPECT_FALSE(bho.IsUnknown());
  EXPECT_TRUE(bho.IsInvestigating());
}

TEST(BhoName, ProgIdElseFileName) {
  BHO bho("{x}");
  bho.m_mapAttrVals.SetAt("DLL Path", "C:\\dir\\file.dll");
  EXPECT_EQ("file.dll", bho.GetName());
  bho.m_mapAttrVals.SetAt("ProgID", "My.Prog");
  EXPECT_EQ("My.Prog", bho.GetName());
}

}  // namespace
