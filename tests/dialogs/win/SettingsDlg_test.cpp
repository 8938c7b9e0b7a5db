// The settings dialog from its resource, driven by messages: what it shows
// for the stored settings, what OK and Cancel store, the spin and the
// banner's timer, the factory-defaults box, the banner's clicks to the end
// question, the test alert with and without sound, and the statistics.
#include "dialogs/win/SettingsDlg.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Tarvolin.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/DialogDefaults.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "common/ui/win/DialogDriver.h"
#include "dialogs/BannerMessages.h"
#include "lists/IBHOList.h"
#include "res/SettingsDlgRes.h"
#include "res/StatsDlgRes.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestSupport.h"

namespace {

bool IsChecked(HWND hDlg, int id) { return ::IsDlgButtonChecked(hDlg, id) == BST_CHECKED; }
bool IsEnabled(HWND hDlg, int id) { return ::IsWindowEnabled(::GetDlgItem(hDlg, id)) != FALSE; }

void Click(HWND hDlg, int id) { ::SendMessageA(::GetDlgItem(hDlg, id), BM_CLICK, 0, 0); }

// The spin's arrows as the control reports them.
void Spin(HWND hDlg, int nDelta) {
  NMUPDOWN nm{};
  nm.hdr.hwndFrom = ::GetDlgItem(hDlg, IDC_SETTINGS_SPIN);
  nm.hdr.idFrom = IDC_SETTINGS_SPIN;
  nm.hdr.code = UDN_DELTAPOS;
  nm.iDelta = nDelta;
  ::SendMessageA(hDlg, WM_NOTIFY, IDC_SETTINGS_SPIN, reinterpret_cast<LPARAM>(&nm));
}

DWord ReadDWord(const char* name, DWord dwDefault = 0xDEADBEEF) {
  DWord value = dwDefault;
  MyRegistry(Registry::kCurrentUser, REGKEY_PROGRAM, true).ReadValueDWord(name, value);
  return value;
}

class SettingsDlgShown : public ::testing::Test {
 protected:
  SettingsDlgShown() {
    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned) {
          shown.push_back(text);
          return nAnswer;
        });
    m_previousChooser = MyColourPicker::SetChooser([this](HWND, COLORREF, bool, COLORREF& crChosen) {
      crChosen = crChoice;
      return choice;
    });
    m_previousOpener = Shell::SetOpener([this](const std::string& file, const std::string&) {
      opened.push_back(file);
      return std::intptr_t{33};
    });
    SettingsDlg::m_nSpeed = Settings::kDefaultSpeed;
    Banner::Sequence::Current().SetCounter(-1);
    Banner::Sequence::Current().TakeEndFlag();
  }
  ~SettingsDlgShown() override {
    UserMessage::SetHandler(m_previousHandler);
    MyColourPicker::SetChooser(m_previousChooser);
    Shell::SetOpener(m_previousOpener);
    DialogDefaults::s_bToolTipsEnabled = m_bToolTips;
    SettingsDlg::m_nSpeed = Settings::kDefaultSpeed;
  }
  MyRegistry& Program() { return m_program; }

  test::ScopedMemoryRegistry registry;
  test::ScopedLog log;
  std::vector<std::string> shown;
  std::vector<std::string> opened;
  int nAnswer = UserMessage::kIdOk;
  MyColourPicker::Choice choice = MyColourPicker::Choice::kNone;
  COLORREF crChoice = 0;

 private:
  MyRegistry m_program{Registry::kCurrentUser, REGKEY_PROGRAM, true};
  UserMessage::Handler m_previousHandler;
  MyColourPicker::Chooser m_previousChooser;
  Shell::Opener m_previousOpener;
  bool m_bToolTips = DialogDefaults::s_bToolTipsEnabled;
};

TEST_F(SettingsDlgShown, ShowsTheStoredSettingsAndCancelStoresNothing) {
  Program().SaveValueBool("RestoreToFactoryDefaults", true);
  Program().SaveValueDWord("ColorHeader", 0x00123456);
  Program().SaveValueInt("ScrollingTextSpeed", 0);
  Program().SaveValueBool("HowlEnabled", true);
  DialogDefaults::s_bToolTipsEnabled = false;

  SettingsDlg dlg(nullptr);
  std::string caption, when, since;
  bool bRestoreChecked = false, bRestoreEnabled = true, bToolTips = true, bSound = false;
  bool bBanner = true, bStatic = false, bTimer = true;
  std::string speed;
  COLORREF crPicker = 0;
  test::DialogDriver driver([&](HWND hDlg) {
    caption = test::WindowText(hDlg);
    when = test::WindowText(::GetDlgItem(hDlg, IDC_SETTINGS_EDIT_LASTCHECK));
    since = test::WindowText(::GetDlgItem(hDlg, IDC_SETTINGS_STATIC_SINCE));
    bRestoreChecked = IsChecked(hDlg, IDC_SETTINGS_CHECK_RESTORE);
    bRestoreEnabled = IsEnabled(hDlg, IDC_SETTINGS_CHECK_RESTORE);
    bToolTips = IsChecked(hDlg, IDC_SETTINGS_CHECK_TOOLTIPS);
    bSound = IsChecked(hDlg, IDC_SETTINGS_CHECK_SOUND);
    bBanner = test::IsShown(hDlg, IDC_SETTINGS_BANNER);
    bStatic = test::IsShown(hDlg, IDC_SETTINGS_STATIC_SPYWARE);
    bTimer = dlg.Banner().IsTimerRunning();
    speed = test::WindowText(::GetDlgItem(hDlg, IDC_SETTINGS_EDIT_SPEED));
    crPicker = dlg.ColourPicker().GetColour();
    // Cancel after changing everything: nothing is written.
    Click(hDlg, IDC_SETTINGS_CHECK_SOUND);
    Click(hDlg, IDC_SETTINGS_CHECK_TOOLTIPS);
    test::Press(hDlg, IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ("Tarvolin Settings", caption);
  EXPECT_EQ("Never!", when);
  EXPECT_EQ(Settings::kNeverChecked, since);
  EXPECT_TRUE(bRestoreChecked);
  EXPECT_FALSE(bRestoreEnabled);  // a reset is already pending
  EXPECT_FALSE(bToolTips);
  EXPECT_TRUE(bSound);
  EXPECT_FALSE(bBanner);
  EXPECT_TRUE(bStatic);
  EXPECT_FALSE(bTimer);  // stopped: no processor time
  EXPECT_EQ("0", speed);
  EXPECT_EQ(0x00123456u, crPicker);
  EXPECT_EQ(1u, ReadDWord("HowlEnabled"));
  EXPECT_EQ(0xDEADBEEFu, ReadDWord("TooltipsEnabled"));
  EXPECT_FALSE(DialogDefaults::s_bToolTipsEnabled);
}

TEST_F(SettingsDlgShown, OkStoresTheControlsAndTheChosenColour) {
  const struct {
    const char* name;
    MyColourPicker::Choice choice;
    DWord crStored;
  } cases[] = {{"OtherColour", MyColourPicker::Choice::kColour, 0x0000FF00},
               {"Default", MyColourPicker::Choice::kDefault, 0x007AA0FF}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program().SaveValueDWord("ColorHeader", 0x00123456);
    Program().SaveValueString("LastCheckForUpdate", "no date at all");
    Program().SaveValueBool("HowlEnabled", false);
    choice = c.choice;
    crChoice = 0x0000FF00;
    DialogDefaults::s_bToolTipsEnabled = true;
    SettingsDlg dlg(nullptr);
    bool bBanner = false, bTimer = false;
    std::string since;
    test::DialogDriver driver([&](HWND hDlg) {
      bBanner = test::IsShown(hDlg, IDC_SETTINGS_BANNER);
      bTimer = dlg.Banner().IsTimerRunning();
      since = test::WindowText(::GetDlgItem(hDlg, IDC_SETTINGS_STATIC_SINCE));
      Click(hDlg, IDC_SETTINGS_COLOR_HEADER);
      Click(hDlg, IDC_SETTINGS_CHECK_SOUND);
      Click(hDlg, IDC_SETTINGS_CHECK_TOOLTIPS);
      test::Press(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(bBanner);
    EXPECT_TRUE(bTimer);
    EXPECT_EQ("It has been a while since you last successfully ran 'Check for Updates'.", since);
    EXPECT_EQ(c.crStored, ReadDWord("ColorHeader"));
    EXPECT_EQ(500u, ReadDWord("ScrollingTextSpeed"));
    EXPECT_EQ(0u, ReadDWord("TooltipsEnabled"));
    EXPECT_FALSE(DialogDefaults::s_bToolTipsEnabled);
    EXPECT_EQ(1u, ReadDWord("HowlEnabled"));
    EXPECT_EQ(0xDEADBEEFu, ReadDWord("RestoreToFactoryDefaults"));
  }
}

TEST_F(SettingsDlgShown, TheSpinStepsStopsAndRestartsTheBanner) {
  Program().SaveValueInt("ScrollingTextSpeed", 10);
  SettingsDlg dlg(nullptr);
  std::vector<std::string> steps;
  test::DialogDriver driver([&](HWND hDlg) {
    auto note = [&] {
      steps.push_back(test::WindowText(::GetDlgItem(hDlg, IDC_SETTINGS_EDIT_SPEED)) + " " +
                      (test::IsShown(hDlg, IDC_SETTINGS_BANNER) ? "banner" : "static") + " " +
                      (dlg.Banner().IsTimerRunning() ? "timer" : "still") + " " +
                      std::to_string(SettingsDlg::m_nSpeed));
    };
    note();
    Spin(hDlg, -10);
    note();
    Spin(hDlg, -10);  // below 0: a beep, no change
    note();
    Spin(hDlg, 10);
    note();
    ::SetDlgItemTextA(hDlg, IDC_SETTINGS_EDIT_SPEED, "2000");
    Spin(hDlg, 10);  // above 2000
    note();
    ::SetDlgItemTextA(hDlg, IDC_SETTINGS_EDIT_SPEED, "0");
    test::Press(hDlg, IDOK);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  const std::vector<std::string> expected = {"10 banner timer 10", "0 static still 0", "0 static still 0",
                                             "10 banner timer 10", "2000 banner timer 10"};
  EXPECT_EQ(expected, steps);
  EXPECT_EQ(0u, ReadDWord("ScrollingTextSpeed"));
  EXPECT_EQ(0, SettingsDlg::m_nSpeed);

  // The next opening starts with the banner hidden and its timer stopped.
  SettingsDlg again(nullptr);
  bool bBanner = true, bTimer = true;
  test::DialogDriver driver2([&](HWND hDlg) {
    bBanner = test::IsShown(hDlg, IDC_SETTINGS_BANNER);
    bTimer = again.Banner().IsTimerRunning();
    test::Press(hDlg, IDCANCEL);
  });
  again.DoModal();
  EXPECT_FALSE(bBanner);
  EXPECT_FALSE(bTimer);
}

TEST_F(SettingsDlgShown, TheRestoreBoxAsksAndStoresAtOnceEvenOnCancel) {
  for (const int answer : {UserMessage::kIdCancel, UserMessage::kIdOk}) {
    nAnswer = answer;
    shown.clear();
    SettingsDlg dlg(nullptr);
    bool bChecked = false, bEnabled = false;
    test::DialogDriver driver([&](HWND hDlg) {
      Click(hDlg, IDC_SETTINGS_CHECK_RESTORE);
      bChecked = IsChecked(hDlg, IDC_SETTINGS_CHECK_RESTORE);
      bEnabled = IsEnabled(hDlg, IDC_SETTINGS_CHECK_RESTORE);
      test::Press(hDlg, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(Settings::kRestoreQuestion, shown[0]);
    const bool bOk = answer == UserMessage::kIdOk;
    EXPECT_EQ(bOk, bChecked);
    EXPECT_EQ(!bOk, bEnabled);
    EXPECT_EQ(bOk ? 1u : 0xDEADBEEFu, ReadDWord("RestoreToFactoryDefaults"));
  }
}

TEST_F(SettingsDlgShown, NinetySevenClicksReachTheEndAndTheNextAsks) {
  nAnswer = UserMessage::kIdOk;
  SettingsDlg dlg(nullptr);
  std::vector<std::string> texts;
  RECT before{}, horizontal{};
  test::DialogDriver driver([&](HWND hDlg) {
    const HWND hBanner = ::GetDlgItem(hDlg, IDC_SETTINGS_BANNER);
    texts.push_back(dlg.Banner().GetText());
    ::GetClientRect(hBanner, &before);
    for (int n = 0; n < 97; ++n) {
      ::SendMessageA(hBanner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      texts.push_back(dlg.Banner().GetText());
      if (n == 93) ::GetClientRect(hBanner, &horizontal);
    }
    EXPECT_TRUE(shown.empty());
    ::SendMessageA(hBanner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    texts.push_back(dlg.Banner().GetText());
    // The OK of the question opens the donation page once the click is done.
    test::Press(hDlg, IDCANCEL);
  });
  dlg.DoModal();
  ASSERT_EQ(99u, texts.size());
  EXPECT_EQ(Banner::kFirstText, texts[0]);
  EXPECT_EQ(Banner::FixedTexts()[0], texts[1]);
  EXPECT_EQ(Banner::FixedTexts()[86], texts[87]);
  EXPECT_EQ("*WE* control the horizontal...", texts[94]);
  EXPECT_EQ(40, horizontal.right);
  EXPECT_EQ(0u, texts[97].find("Well, you've done it"));
  EXPECT_EQ(std::vector<std::string>{Banner::kEndQuestion}, shown);
  EXPECT_EQ(Banner::FixedTexts()[0], texts[98]);  // and over again
  EXPECT_EQ(std::vector<std::string>{Settings::DonationUrl()}, opened);
}

TEST_F(SettingsDlgShown, TheTestMessageFollowsTheSoundBoxNotTheStoredSetting) {
  for (const bool bTick : {true, false}) {
    SCOPED_TRACE(bTick);
    Program().SaveValueBool("HowlEnabled", false);
    SettingsDlg dlg(nullptr);
    std::vector<std::string> captions;
    test::DialogDriver driver([&](HWND hDlg) {
      captions.push_back(test::WindowText(hDlg));
      if (captions.size() == 1) {
        if (bTick) Click(hDlg, IDC_SETTINGS_CHECK_SOUND);
        test::Press(hDlg, IDC_SETTINGS_BUTTON_TEST);
      } else if (captions.size() == 2) {
        test::Press(hDlg, IDOK);  // the alert
      } else {
        test::Press(hDlg, IDCANCEL);
      }
    });
    dlg.DoModal();
    ASSERT_EQ(3u, captions.size());
    EXPECT_EQ("BHO Change Detected!", captions[1]);
    EXPECT_EQ(bTick, dlg.TestPlayedSound());
    EXPECT_EQ(0u, ReadDWord("HowlEnabled"));
  }
}

// The maker's list at a path of the test's.
class ListAt : public IBHOList {
 public:
  explicit ListAt(const std::string& sPath) { m_sListPath = sPath; }
  HResult PopulateBHO(BHO*) override { return kSOk; }
  std::string GetBHOListFileName() const override { return "Tarvolin20List.ini"; }
};

TEST_F(SettingsDlgShown, StatisticsShowTheListsTotalsAndTopHundred) {
  test::TempDir dir;
  const std::string sPath = dir.File("Tarvolin20List.ini");
  test::WriteFile(sPath,
                  "[General]\r\nTotalReports=1200000\r\nUniqueBHOs=77\r\nTopXDesc0=Best Toolbar\r\n"
                  "TopXReportsCount0=912\r\nTopXDesc9=Tenth\r\n");
  ListAt list(sPath);
  IBHOList* const pPrevious = CTarvolinApp::m_pBHOListKST;
  CTarvolinApp::m_pBHOListKST = &list;
  SettingsDlg dlg(nullptr);
  std::vector<std::string> captions;
  std::string total, unique, heading;
  std::vector<std::string> rows;
  test::DialogDriver driver([&](HWND hDlg) {
    captions.push_back(test::WindowText(hDlg));
    if (captions.size() == 1) {
      test::Press(hDlg, IDC_SETTINGS_BUTTON_STATS);
    } else if (captions.size() == 2) {
      total = test::WindowText(::GetDlgItem(hDlg, IDC_STATS_EDIT_TOTAL));
      unique = test::WindowText(::GetDlgItem(hDlg, IDC_STATS_EDIT_UNIQUE));
      heading = test::WindowText(::GetDlgItem(hDlg, IDC_STATS_STATIC_TOPX));
      const HWND hList = ::GetDlgItem(hDlg, IDC_STATS_LIST);
      const int nRows = static_cast<int>(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
      for (int nRow = 0; nRow < nRows; ++nRow) {
        std::string row;
        for (int nCol = 0; nCol < 3; ++nCol) {
          char text[128] = {};
          LVITEMA item{};
          item.iSubItem = nCol;
          item.pszText = text;
          item.cchTextMax = sizeof text;
          ::SendMessageA(hList, LVM_GETITEMTEXTA, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
          row += std::string(nCol ? "|" : "") + text;
        }
        rows.push_back(row);
      }
      test::Press(hDlg, IDOK);
    } else {
      test::Press(hDlg, IDCANCEL);
    }
  });
  dlg.DoModal();
  CTarvolinApp::m_pBHOListKST = pPrevious;
  ASSERT_EQ(3u, captions.size());
  EXPECT_EQ("BHO List Statistics", captions[1]);
  EXPECT_EQ("1,200,000", total);
  EXPECT_EQ("77", unique);
  EXPECT_EQ("Top 100 Most-Reported BHOs:", heading);
  ASSERT_EQ(100u, rows.size());
  EXPECT_EQ("1|Best Toolbar|912", rows[0]);
  EXPECT_EQ("2|0|0", rows[1]);
  EXPECT_EQ("10|Tenth|0", rows[9]);
  EXPECT_EQ("100|0|0", rows[99]);
}

}  // namespace
