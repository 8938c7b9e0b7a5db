// The per-DLL flags in the INI file, removal of orphaned registry entries,
// and the text view of a BHO file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/files/GenericFiles.h"
#include "common/files/GenericIni.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "model/Bho.h"
#include "support/BhoWorld.h"

namespace {

const char* const kClsid = "{11111111-2222-3333-4444-555555555555}";

class BhoMaintenance : public ::testing::Test {
 protected:
  BhoMaintenance() {
    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned style) {
          shown.push_back(text);
          styles.push_back(style);
          return static_cast<int>(UserMessage::kIdOk);
        });
  }
  ~BhoMaintenance() override {
    UserMessage::SetHandler(m_previousHandler);
    Shell::SetOpener(nullptr);
  }

  std::string IniValue(const std::string& section, const std::string& key) {
    std::string value;
    Generic::GetFromIniFile(world.File("Tarvolin.ini"), section, key, "<none>", value, 4096);
    return value;
  }

  test::BhoWorld world;
  std::vector<std::string> shown;
  std::vector<unsigned> styles;

 private:
  UserMessage::Handler m_previousHandler;
};

TEST_F(BhoMaintenance, ReportedFlagIsKeptPerChecksum) {
  world.WriteIni("[other]\r\nNotation=keep me\r\n");
  BHO first(kClsid), second("{22222222-2222-3333-4444-555555555555}");
  first.m_mapAttrVals.SetAt("MD5 Checksum", "abc");
  second.m_mapAttrVals.SetAt("MD5 Checksum", "abc");

  EXPECT_EQ(kSOk, first.SetReportedFlag(true));
  EXPECT_EQ("Yes", IniValue("abc", "IsReported"));
  EXPECT_EQ(kSOk, second.SetReportedFlag(false));  // same DLL, same section
  EXPECT_EQ("No", IniValue("ABC", "IsReported"));
  EXPECT_EQ("keep me", IniValue("other", "Notation"));
}

TEST_F(BhoMaintenance, NoChecksumNoFlag) {
  BHO bho(kClsid);
  EXPECT_EQ(kEFail, bho.SetReportedFlag(true));
  EXPECT_FALSE(Generic::FileExists(world.File("Tarvolin.ini")));
}

TEST_F(BhoMaintenance, DeleteFromRegistryRemovesBhoAndClassKeys) {
  world.Register(kClsid, world.File("gone.dll"));
  world.SetProgId(kClsid, "Gone.1");
  BHO bho(kClsid);
  EXPECT_EQ(kSOk, bho.DeleteFromRegistry());
  MyRegistry reg;
  EXPECT_FALSE(reg.Open(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + kClsid, false));
  EXPECT_FALSE(reg.Open(Registry::kClassesRoot, std::string("CLSID\\") + kClsid, false));
  EXPECT_TRUE(shown.empty());

  // A class registration already gone is no failure.
  world.Register(kClsid, "");
  EXPECT_EQ(kSOk, BHO(kClsid).DeleteFromRegistry());
}

TEST_F(BhoMaintenance, RefusedDeletionExplainsAndKeepsTheClass) {
  world.Register(kClsid, world.File("gone.dll"));
  ASSERT_EQ(0, world.Store().DenyAccess(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + kClsid));
  EXPECT_EQ(kEFail, BHO(kClsid).DeleteFromRegistry());
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ("Could not delete the CLSID <" + std::string(kClsid) +
                "> for this BHO.  Do you have administrator rights (not applicable for Windows 95/98)?\n",
            shown[0]);
  EXPECT_EQ(UserMessage::kIconError, styles[0]);
  MyRegistry reg;
  EXPECT_TRUE(reg.Open(Registry::kClassesRoot, std::string("CLSID\\") + kClsid + "\\InProcServer32", false));
}

TEST_F(BhoMaintenance, ViewTextWritesTheWordsAndOpensThem) {
  test::WriteFile(world.File("x.dll"), std::string("MZ\x90\0\0readable\0words\0\0here", 26));
  BHO bho(kClsid);
  bho.m_mapAttrVals.SetAt("DLL Path", world.File("x.dll"));
  std::string opened, openedDir;
  Shell::SetOpener([&](const std::string& file, const std::string& dir) {
    opened = file;
    openedDir = dir;
    return std::intptr_t{42};
  });
  bho.ViewText();
  EXPECT_EQ(world.File("~x.dll.tmp.txt"), opened);
  EXPECT_EQ(world.Dir(), openedDir);
  EXPECT_EQ(" MZ readable words here", test::ReadFile(opened));
  ASSERT_EQ(1u, shown.size());  // the explanation, until the user silences it
  EXPECT_EQ(0u, shown[0].find("This feature will scan the BHO's housing file"));
}

TEST_F(BhoMaintenance, ViewTextOfAMissingFileExplains) {
  BHO bho(kClsid);
  bho.m_mapAttrVals.SetAt("DLL Path", world.File("gone.dll"));
  bho.ViewText();
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ(
      "The file <" + world.File("gone.dll") +
          "> does not exist, possibly because:\n\n     o  The BHO may have been only partially uninstalled.\n"
          "     o  Someone, or some program, may have deleted or renamed the file manually.\n\nTry opening "
          "the containing folder and looking for a similarly named file.\n",
      shown[1]);
  EXPECT_EQ(UserMessage::kIconInformation, styles[1]);
}

TEST_F(BhoMaintenance, ViewTextReportsAShellFailure) {
  test::WriteFile(world.File("x.dll"), "abc");
  BHO bho(kClsid);
  bho.m_mapAttrVals.SetAt("DLL Path", world.File("x.dll"));
  Shell::SetOpener([](const std::string&, const std::string&) { return std::intptr_t{2}; });
  bho.ViewText();
  ASSERT_EQ(2u, shown.size());
  EXPECT_EQ("Failed to open file <" + world.File("~x.dll.tmp.txt") + ">: error is <2>\n!", shown[1]);
  EXPECT_EQ(UserMessage::kIconExclamation, styles[1]);
}

TEST_F(BhoMaintenance, SilencedExplanationStaysSilent) {
  MyMessageBox::SetPresenter([](const MyMessageBox&, int& nCheckShow) {
    nCheckShow = 0;  // the user unticks "Always show this message."
    return static_cast<int>(UserMessage::kIdOk);
  });
  BHO bho(kClsid);
  bho.m_mapAttrVals.SetAt("DLL Path", world.File("gone.dll"));
  bho.ViewText();
  MyMessageBox::SetPresenter(nullptr);
  bho.ViewText();
  EXPECT_EQ(2u, shown.size());  // only the two missing-file messages
  MyRegistry always(Registry::kCurrentUser, std::string(REGKEY_PROGRAM) + "\\MyMessageBoxAlways", false);
  DWord dw = 0;
  EXPECT_TRUE(always.ReadValueDWord("Bho_991_2.0.0.23", dw));
  EXPECT_EQ(0x10000u, dw);
}

}  // namespace
