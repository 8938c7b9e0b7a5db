// What the details window shows for a BHO and what its buttons do.
#include "dialogs/DetailsCore.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "common/files/GenericFiles.h"
#include "common/files/GenericIni.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/GenericColors.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "model/Bho.h"
#include "support/BhoWorld.h"
#include "support/FakeWatch.h"
#include "support/Recorders.h"

namespace {

const char* const kClsid = "{11111111-2222-3333-4444-555555555555}";

AttrMap Attrs(std::initializer_list<std::pair<const char*, const char*>> values) {
  AttrMap attrs;
  for (const auto& [name, value] : values) attrs.SetAt(name, value);
  return attrs;
}

// ---------------------------------------------------------------- verdict

TEST(DetailsVerdict, EachStatusHasItsTextColourAndWeight) {
  const struct {
    const char* status;
    const char* begins;
    bool bColour;
    DWord crText;
    bool bBold;
  } cases[] = {
      {"Malware", "Malware - This BHO is known to be spyware", true, 0x000000FF, true},
      {"mALWARE", "Malware - ", true, 0x000000FF, true},
      {"Adware", "Adware - This BHO is known to display advertising", true, 0x000000C0, true},
      {"Benign", "Benign - This BHO is known to be a legitimate program", true, 0x00008000, false},
      {"Unknown", "Unknown - We are not aware of this BHO.", false, 0, false},
      {"Investigating", "Investigating - We are aware of this BHO", false, 0, false},
      {"Rogue", "Unexpected status encountered!", false, 0, false},
      {"", "Unexpected status encountered!", false, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    const Details::StatusText status = Details::DecideStatusText(c.status, AttrMap());
    EXPECT_EQ(0u, status.text.find(c.begins)) << status.text;
    EXPECT_EQ(c.bColour, status.bColour);
    if (c.bColour) {
      EXPECT_EQ(c.crText, status.crText);
    }
    EXPECT_EQ(c.bBold, status.bBold);
  }
}

TEST(DetailsVerdict, InvestigatingCountsTheUsersWhoKeepItEnabled) {
  const struct {
    const char* reports;
    const char* enabled;
    const char* sentence;
  } cases[] = {
      {"8", "3",
       "Of the 8 Tarvolin users who have reported this BHO, 3 have enabled it on their PCs: this gives "
       "it a TarvolinMeter reading of 37%."},
      {"", "",
       "Of the 0 Tarvolin users who have reported this BHO, 0 have enabled it on their PCs: this gives it "
       "a TarvolinMeter reading of 0%."},
      {"0", "5",
       "Of the 0 Tarvolin users who have reported this BHO, 5 have enabled it on their PCs: this gives "
       "it a TarvolinMeter reading of 0%."},
      {"3", "3", "reading of 100%."},
      // A list's counts are not trusted to make sense, or to fit a number.
      {"2", "9", "reading of 100%."},
      {"7", "-4", "reading of 0%."},
      {"1", "99999999999999999999", "reading of 100%."},
      {"lots", "3", "reading of 0%."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.reports) + "/" + c.enabled);
    AttrMap attrs;
    if (*c.reports) attrs.SetAt("ReportsCount", c.reports);
    if (*c.enabled) attrs.SetAt("EnabledCount", c.enabled);
    const std::string text = Details::DecideStatusText("investigating", attrs).text;
    EXPECT_TRUE(test::Contains(text, c.sentence));
  }
}

TEST(DetailsMeter, FullForKnownVerdictsAndAShareOtherwise) {
  const struct {
    const char* status;
    const char* reports;
    const char* enabled;
    bool bSet;
    bool bVisible;
    int nPos;
    int nHue;  // -1: a fixed colour
    DWord crFixed;
  } cases[] = {
      {"Malware", "", "", true, true, 100, -1, 0x000000FF},
      {"ADWARE", "", "", true, true, 100, -1, 0x000000FF},
      {"Benign", "", "", true, true, 100, -1, 0x0000FF00},
      {"Investigating", "8", "3", true, true, 37, 30, 0},
      {"Unknown", "10", "10", true, true, 100, 80, 0},
      {"Unknown", "4", "0", true, true, 0, 0, 0},
      {"Investigating", "3", "7", true, true, 100, 80, 0},
      {"Unknown", "", "", true, false, 0, -1, 0},
      {"Investigating", "0", "0", true, false, 0, -1, 0},
      {"Investigating", "-5", "1", true, false, 0, -1, 0},
      {"Rogue", "8", "3", false, true, 0, -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.status) + " " + c.reports + "/" + c.enabled);
    AttrMap attrs;
    if (*c.reports) attrs.SetAt("ReportsCount", c.reports);
    if (*c.enabled) attrs.SetAt("EnabledCount", c.enabled);
    const Details::Meter meter = Details::DecideMeter(c.status, attrs);
    EXPECT_EQ(c.bSet, meter.bSet);
    EXPECT_EQ(c.bVisible, meter.bVisible);
    if (!c.bSet || !c.bVisible) continue;
    EXPECT_EQ(c.nPos, meter.nPos);
    EXPECT_EQ(c.nHue < 0 ? c.crFixed : Generic::HLSToRGB(c.nHue, 120, 240), meter.crBar);
  }
}

TEST(DetailsMeter, HueThirtyIsOrange) {
  const DWord cr = Generic::HLSToRGB(30, 120, 240);
  const int red = cr & 0xFF, green = (cr >> 8) & 0xFF, blue = (cr >> 16) & 0xFF;
  EXPECT_EQ(255, red);
  EXPECT_GT(green, 96);
  EXPECT_LT(green, 224);
  EXPECT_EQ(0, blue);
}

// ---------------------------------------------------------------- list rows

TEST(DetailsRows, AttributesWithAValueInTheRecordsOrder) {
  const AttrMap attrs = Attrs({{"MD5 Checksum", "abc"}, {"ProgID", ""}, {"Clsid", kClsid}, {"Zeta", "z"}});
  const auto rows = Details::AttributeRows(attrs);
  ASSERT_EQ(3u, rows.size());
  EXPECT_EQ("Clsid", rows[0].first);
  EXPECT_EQ(kClsid, rows[0].second);
  EXPECT_EQ("MD5 Checksum", rows[1].first);
  EXPECT_EQ("Zeta", rows[2].first);  // outside the fixed order: last
}

// ---------------------------------------------------------------- web search

TEST(DetailsSearch, QueryJoinsEncodedTerms) {
  const struct {
    const char* clsid;
    const char* dllPath;  // null: absent
    const char* progId;   // null: absent
    const char* query;
  } cases[] = {
      {"{AAAA-BBBB}", "C:\\x\\foo.dll", "Foo.Toolbar.1", "AAAA-BBBB+OR+%22foo.dll%22+OR+Foo+OR+Toolbar"},
      {"{AAAA-BBBB}", "C:\\x\\foo.dll", "A.B.1", "AAAA-BBBB+OR+%22foo.dll%22"},
      {"{{AAAA}}", nullptr, nullptr, "AAAA+OR+%22%22"},
      {"{AAAA}", "C:\\x\\foo.dll", "Acme.Plugin.PLUGIN.Bar", "AAAA+OR+%22foo.dll%22+OR+Acme+OR+Bar"},
      {"{AAAA}", "C:\\x\\foo.dll", "{Acme.Helper}", "AAAA+OR+%22foo.dll%22+OR+Acme+OR+Helper"},
      {"{AAAA}", "C:\\x\\foo.dll__SpybotSDDisabled", nullptr, "AAAA+OR+%22foo.dll%22"},
      // Whatever an installer wrote stays inside its own term.
      {"{AAAA}", "C:\\x\\my bho.dll", "Evil&btnG=x#frag Two\"Q",
       "AAAA+OR+%22my%20bho.dll%22+OR+Evil%26btnG%3Dx%23frag+OR+Two%22Q"},
      {"{AAAA}", "C:\\x\\caf\xE9+%.dll", "Na\xEFve", "AAAA+OR+%22caf%E9%2B%25.dll%22+OR+Na%EFve"},
      {"{AA&q=BB}", nullptr, nullptr, "AA%26q%3DBB+OR+%22%22"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    AttrMap attrs;
    attrs.SetAt("Clsid", c.clsid);
    if (c.dllPath) attrs.SetAt("DLL Path", c.dllPath);
    if (c.progId) attrs.SetAt("ProgID", c.progId);
    std::string query;
    ASSERT_TRUE(Details::SearchQuery(attrs, query));
    EXPECT_EQ(c.query, query);
    // One query parameter and the button, nothing else, no fragment.
    const std::string url = Details::WebSearchUrl(query);
    EXPECT_EQ(std::string::npos, url.find('#'));
    EXPECT_EQ(url.find('&'), url.rfind('&'));
    EXPECT_EQ(std::string::npos, url.find(' '));
    EXPECT_EQ(std::string::npos, url.find('"'));
  }
  std::string query;
  EXPECT_FALSE(Details::SearchQuery(AttrMap(), query));
}

TEST(DetailsSearch, TheTwoSearchPages) {
  EXPECT_EQ("https://www.google.com/search?q=Q+OR+%22%22&btnG=Search", Details::WebSearchUrl("Q+OR+%22%22"));
  EXPECT_EQ("https://groups.google.com/groups?q=Q&btnG=Google+Search", Details::GroupsSearchUrl("Q"));
}

// ---------------------------------------------------------------- small decisions

TEST(DetailsShell, ReasonForEachLaunchResult) {
  const struct {
    std::intptr_t result;
    const char* reason;
  } cases[] = {{0, "The operating system is out of memory or resources."},
               {2, "The specified file was not found."},
               {3, "The specified path was not found."},
               {5, "The operating system denied access to the specified file."},
               {8, "There was not enough memory to complete the operation."},
               {11, "The .exe file is invalid (non-Win32 .exe or error in .exe image)."},
               {26, "A sharing violation occurred."},
               {27, "The file name association is incomplete or invalid."},
               {28, "The DDE transaction could not be completed because the request timed out."},
               {29, "The DDE transaction failed."},
               {30,
                "The DDE transaction could not be completed because other DDE transactions were being "
                "processed."},
               {31,
                "There is no application associated with the given file name extension. This error will also "
                "be returned if you attempt to print a file that is not printable."},
               {32, "The specified dynamic-link library was not found."},
               {1, "1 - Unknown."},
               {-7, "-7 - Unknown."}};
  for (const auto& c : cases) EXPECT_EQ(c.reason, Details::ShellErrorReason(c.result)) << c.result;
}

TEST(DetailsSave, SuggestedNameFromTheFileOrTheClsid) {
  std::string name;
  EXPECT_TRUE(
      Details::DefaultSaveName(Attrs({{"DLL Path", "C:\\Pro\\my.helper.dll"}, {"Clsid", kClsid}}), name));
  EXPECT_EQ("my.helper_TarvolinInfo.txt", name);
  EXPECT_TRUE(Details::DefaultSaveName(Attrs({{"Clsid", kClsid}}), name));
  EXPECT_EQ(std::string(kClsid) + "_TarvolinInfo.txt", name);
  EXPECT_FALSE(Details::DefaultSaveName(AttrMap(), name));
}

TEST(DetailsNotation, OneLineForTheIniFile) {
  const struct {
    const char* text;
    const char* line;
  } cases[] = {{"plain", "plain"},
               {"two\r\nlines", "two lines"},
               {"a\n\n\nb\rc", "a b c"},
               {"\r\nlead and trail\r\n", "lead and trail"},
               {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(c.line, Details::OneLine(c.text)) << c.text;
}

// ---------------------------------------------------------------- actions

// A world with one BHO whose answers to the user's boxes are scripted.
class DetailsActions : public ::testing::Test {
 protected:
  DetailsActions() : bho(kClsid) {
    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned style) {
          shown.push_back(text);
          styles.push_back(style);
          if (answers.empty()) return static_cast<int>(UserMessage::kIdOk);
          const int answer = answers.front();
          answers.pop_front();
          return answer;
        });
    Shell::SetOpener([this](const std::string& file, const std::string&) {
      opened.push_back(file);
      return openResult;
    });
    Shell::SetExecutor([this](const Shell::Request& request) {
      launched.push_back(request);
      return launchResult;
    });
    DetailsCore::SetSleeper([this](DWord ms) { slept.push_back(ms); });
    bho.m_mapAttrVals.SetAt("Clsid", kClsid);
  }
  ~DetailsActions() override {
    UserMessage::SetHandler(m_previousHandler);
    Shell::SetOpener(nullptr);
    Shell::SetExecutor(nullptr);
    DetailsCore::SetSleeper(nullptr);
  }

  std::string IniValue(const std::string& section, const std::string& key) {
    std::string value;
    Generic::GetFromIniFile(world.File("Tarvolin.ini"), section, key, "<none>", value, 4096);
    return value;
  }
  bool BhoKeyExists() {
    MyRegistry reg;
    return reg.Open(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + kClsid, false);
  }

  test::BhoWorld world;
  BHO bho;
  std::deque<int> answers;
  std::vector<std::string> shown;
  std::vector<unsigned> styles;
  std::vector<std::string> opened;
  std::intptr_t openResult = 42;
  std::vector<Shell::Request> launched;
  std::intptr_t launchResult = 42;
  std::vector<DWord> slept;

 private:
  UserMessage::Handler m_previousHandler;
};

TEST_F(DetailsActions, NotationComesFromTheNoteTheCommentsOrThePrompt) {
  world.WriteIni("[abc]\r\nNotation=my note\r\nComments=old\r\n[def]\r\nComments=from the list\r\n");
  const struct {
    const char* md5;
    const char* text;
  } cases[] = {{"abc", "my note"}, {"def", "from the list"}, {"new", NOTATION_PROMPT}};
  for (const auto& c : cases) {
    bho.m_mapAttrVals.SetAt("MD5 Checksum", c.md5);
    const Details::Notation notation = DetailsCore(bho).LoadNotation();
    EXPECT_TRUE(notation.bEnabled);
    EXPECT_EQ(c.text, notation.text);
  }
}

TEST_F(DetailsActions, WithoutChecksumThereIsNoNote) {
  const DetailsCore core(bho);
  const Details::Notation notation = core.LoadNotation();
  EXPECT_FALSE(notation.bEnabled);
  EXPECT_EQ("This BHO's file does not exist, so you cannot enter a notation for it.", notation.text);
  EXPECT_EQ(kSOk, core.SaveNotation("anything"));
  EXPECT_FALSE(Generic::FileExists(world.File("Tarvolin.ini")));
}

TEST_F(DetailsActions, ANoteIsSavedAsOneLineAndInjectsNothing) {
  world.WriteIni("[abc]\r\nIsReported=No\r\n");
  bho.m_mapAttrVals.SetAt("MD5 Checksum", "abc");
  const DetailsCore core(bho);
  EXPECT_EQ(kSOk, core.SaveNotation("first\r\nIsReported=Yes\r\n[other]\r\nNotation=planted"));
  EXPECT_EQ("No", IniValue("abc", "IsReported"));
  EXPECT_EQ("<none>", IniValue("other", "Notation"));
  EXPECT_EQ("first IsReported=Yes [other] Notation=planted", core.LoadNotation().text);

  // The prompt left as it is becomes the note and comes back as such.
  EXPECT_EQ(kSOk, core.SaveNotation(NOTATION_PROMPT));
  EXPECT_EQ(NOTATION_PROMPT, IniValue("abc", "Notation"));
}

TEST_F(DetailsActions, OrphanedEntriesGoOnlyAfterTwoYesesAndRaiseNoAlert) {
  world.Register(kClsid, world.File("gone.dll"));
  bho.m_mapAttrVals.SetAt("DLL Path", world.File("gone.dll"));
  test::FakeWatch watch;
  test::ScopedWatch scoped(watch);
  bool bGoneWhenHooked = false;
  watch.m_onHook = [&] { bGoneWhenHooked = !BhoKeyExists(); };

  const struct {
    std::deque<int> answers;
    bool bRemoved;
    std::size_t nBoxes;
  } cases[] = {{{UserMessage::kIdCancel}, false, 1},
               {{UserMessage::kIdOk, UserMessage::kIdCancel}, false, 2},
               {{UserMessage::kIdOk, UserMessage::kIdOk}, true, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nBoxes);
    answers = c.answers;
    shown.clear();
    watch.m_calls.clear();
    EXPECT_EQ(c.bRemoved, DetailsCore(bho).OfferOrphanRemoval());
    EXPECT_EQ(c.nBoxes, shown.size());
    EXPECT_EQ(!c.bRemoved, BhoKeyExists());
    if (!c.bRemoved) {
      EXPECT_TRUE(watch.m_calls.empty());
    }
  }
  EXPECT_TRUE(test::Contains(shown[0], "the file itself (" + world.File("gone.dll") + ") cannot be found."));
  EXPECT_EQ(0u, shown[1].find("Are you sure you want to do this?"));
  EXPECT_EQ("The orphaned Registry entries for this BHO have been removed.", shown[2]);
  EXPECT_EQ((std::vector<std::string>{"Unhook", "Hook"}), watch.m_calls);
  EXPECT_TRUE(bGoneWhenHooked);
  EXPECT_TRUE(watch.IsActive());
}

TEST_F(DetailsActions, AFileThatExistsIsNoOrphan) {
  test::WriteFile(world.File("here.dll"), "MZ");
  bho.m_mapAttrVals.SetAt("DLL Path", world.File("here.dll"));
  EXPECT_FALSE(DetailsCore(bho).OfferOrphanRemoval());
  EXPECT_TRUE(shown.empty());
}

TEST_F(DetailsActions, AFailedRemovalSaysSoAndHooksAgain) {
  bho.m_mapAttrVals.SetAt("Clsid", "");  // nothing to delete
  test::FakeWatch watch;
  test::ScopedWatch scoped(watch);
  EXPECT_FALSE(DetailsCore(bho).OfferOrphanRemoval());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(
      "The orphaned Registry entries for this BHO were NOT deleted successfully.  Please see the logfile for "
      "more "
      "details.\n",
      shown.back());
  EXPECT_EQ(UserMessage::kIconError, styles.back() & 0xF0);
  EXPECT_EQ((std::vector<std::string>{"Unhook", "Hook"}), watch.m_calls);
}

TEST_F(DetailsActions, BrowseOpensBothSearchesAPauseApart) {
  bho.m_mapAttrVals.SetAt("ProgID", "Foo.Toolbar.1");
  EXPECT_EQ(kSOk, DetailsCore(bho).BrowseWeb());
  ASSERT_EQ(2u, opened.size());
  EXPECT_EQ(0u, opened[0].find(
                    "https://www.google.com/search?q=11111111-2222-3333-4444-555555555555+OR+%22%22+OR+Foo"));
  EXPECT_EQ(0u, opened[1].find("https://groups.google.com/groups?q="));
  EXPECT_EQ(std::vector<DWord>{6000}, slept);

  opened.clear();
  openResult = 31;  // no browser: the second search is not tried
  EXPECT_EQ(kEFail, DetailsCore(bho).BrowseWeb());
  EXPECT_EQ(1u, opened.size());
}

TEST_F(DetailsActions, ContainingFolderExploresTheDllsFolderOrSaysWhyNot) {
  bho.m_mapAttrVals.SetAt("DLL Path", "C:\\Program Files\\Acme\\acme.dll");
  EXPECT_EQ(kSOk, DetailsCore(bho).OpenContainingFolder());
  ASSERT_EQ(1u, launched.size());
  EXPECT_EQ("explore", launched[0].verb);
  EXPECT_EQ("C:\\Program Files\\Acme", launched[0].file);
  EXPECT_EQ(Shell::kShowNormal, launched[0].show);
  EXPECT_TRUE(shown.empty());

  launchResult = 3;
  EXPECT_EQ(kEFail, DetailsCore(bho).OpenContainingFolder());
  EXPECT_EQ(
      "Failed to open containing folder for file <C:\\Program Files\\Acme\\acme.dll>.\n\nReason: The "
      "specified path "
      "was not found.",
      shown.back());

  BHO noFile(kClsid);
  EXPECT_EQ(kEFail, DetailsCore(noFile).OpenContainingFolder());
  EXPECT_EQ(
      "This BHO does not have a Registry entry for its CLSID, and so does not specify a file to load.\n",
      shown.back());
  EXPECT_EQ(UserMessage::kIconExclamation, styles.back() & 0xF0);
}

TEST_F(DetailsActions, RegistryEditorOpensAtTheBhosKeyOnlyWithConsent) {
  const std::string lastKey =
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\" +
      std::string(kClsid);
  answers = {UserMessage::kIdNo};
  EXPECT_EQ(kSOk, DetailsCore(bho).ExamineInRegistry());
  EXPECT_TRUE(launched.empty());
  EXPECT_EQ(UserMessage::kYesNo | UserMessage::kIconError | UserMessage::kDefButton2, styles.back());
  EXPECT_EQ(0u, shown.back().find("DANGER!"));

  answers = {UserMessage::kIdYes};
  EXPECT_EQ(kSOk, DetailsCore(bho).ExamineInRegistry());
  MyRegistry reg(Registry::kCurrentUser, Details::kRegeditKey, false);
  std::string value;
  ASSERT_TRUE(reg.ReadValueString("LastKey", value));
  EXPECT_EQ(lastKey, value);
  ASSERT_EQ(1u, launched.size());
  EXPECT_EQ("regedit.exe", launched[0].file);
  EXPECT_EQ(Shell::kShowMaximized, launched[0].show);

  answers = {UserMessage::kIdYes};
  launchResult = 2;
  EXPECT_EQ(kEFail, DetailsCore(bho).ExamineInRegistry());
  EXPECT_EQ(std::string("Failed to examine this BHO (") + kClsid + ") using RegEdit!\n", shown.back());
}

TEST_F(DetailsActions, SaveWritesTheReportAndSaysWhere) {
  bho.m_mapAttrVals.SetAt("Status", "Benign");
  const std::string path = world.File("out.txt");
  EXPECT_EQ(kSOk, DetailsCore(bho).SaveToFile(path));
  EXPECT_TRUE(test::Contains(test::ReadFile(path), kClsid));
  EXPECT_EQ("Completed saving BHO details to file:\n\n" + path, shown.back());

  test::WriteFile(world.File("plain"), "a file, not a folder");
  EXPECT_EQ(kEFail, DetailsCore(bho).SaveToFile(world.File("plain") + "\\out.txt"));
  EXPECT_EQ("Error occured - failed to save BHO details to file:\n\n", shown.back());
}

}  // namespace
