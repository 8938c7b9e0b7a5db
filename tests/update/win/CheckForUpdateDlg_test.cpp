// The update dialog from its resource, driven by messages: its texts, the
// banner's font and colours, the button icons and tips, the frequency shown
// and stored by OK (and not by Cancel), a whole check from its Check NOW
// button through the real URL moniker against a local HTTP server, and the
// automatic check on an object without a window.
#include "update/win/CheckForUpdateDlg.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/base/DateText.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/win/DialogDriver.h"
#include "res/CheckForUpdateDlgRes.h"
#include "support/Recorders.h"
#include "support/ScopedMemoryRegistry.h"
#include "support/TestDlls.h"
#include "support/UpdateWorld.h"

namespace {

const int kRadios[] = {IDC_UPDATE_RADIO_QUARTERLY, IDC_UPDATE_RADIO_MONTHLY, IDC_UPDATE_RADIO_WEEKLY,
                       IDC_UPDATE_RADIO_NEVER};

class UpdateDlg : public ::testing::Test {
 protected:
  UpdateDlg() : update(test::kDllDir ? test::TestDll("english.dll") : std::string()) {}

  void SetFrequency(int n) {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    ASSERT_TRUE(program.SaveValueInt("CheckForUpdateFrequency", n));
  }
  // The stored frequency, or -100 when there is none.
  int StoredFrequency() {
    MyRegistry program(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    int n = -100;
    program.ReadValueInt("CheckForUpdateFrequency", n);
    return n;
  }
  static int CheckedRadio(HWND hDlg) {
    for (int i = 0; i < 4; ++i)
      if (::IsDlgButtonChecked(hDlg, kRadios[i]) == BST_CHECKED) return i;
    return -1;
  }
  static std::string Tip(HWND hDlg, HWND hTip, int id) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = hDlg;
    info.uFlags = TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(hDlg, id));
    char text[256] = {};
    info.lpszText = text;
    ::SendMessageA(hTip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
  }

  test::UpdateWorld update;
};

TEST_F(UpdateDlg, LooksAsDescribed) {
  CheckForUpdateDlg dlg(nullptr);
  std::string caption;
  std::vector<std::string> texts;
  std::vector<std::string> tips;
  LOGFONTA lf{};
  bool bBlue = false, bWhite = false;
  bool bIcons[3] = {};
  SIZE icon32{}, icon16{};
  RECT client{}, units{0, 0, 250, 226};
  int nRadio = -2;
  test::DialogDriver driver([&](HWND hDlg) {
    caption = test::WindowText(hDlg);
    for (int id : {IDC_UPDATE_BANNER, IDC_UPDATE_INTRO, IDC_UPDATE_CHECK_NOW, IDC_UPDATE_SCHEDULE_TEXT,
                   IDC_UPDATE_RADIO_QUARTERLY, IDC_UPDATE_RADIO_MONTHLY, IDC_UPDATE_RADIO_WEEKLY,
                   IDC_UPDATE_RADIO_NEVER, IDC_UPDATE_STATIC_TOP, IDC_UPDATE_STATIC_BOTTOM, IDCANCEL, IDOK})
      texts.push_back(test::WindowText(::GetDlgItem(hDlg, id)));
    const HWND hBanner = ::GetDlgItem(hDlg, IDC_UPDATE_BANNER);
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hBanner, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    const std::vector<COLORREF> colours = test::PaintedColours(hBanner);
    bBlue = std::count(colours.begin(), colours.end(), CheckForUpdateDlg::kBannerText) > 20;
    bWhite = !colours.empty() && colours.front() == CheckForUpdateDlg::kBannerBackground;
    int i = 0;
    for (int id : {IDC_UPDATE_CHECK_NOW, IDCANCEL, IDOK}) {
      const HICON hIcon =
          reinterpret_cast<HICON>(::SendDlgItemMessageA(hDlg, id, BM_GETIMAGE, IMAGE_ICON, 0));
      bIcons[i++] = hIcon != nullptr;
      ICONINFO info{};
      if (hIcon && ::GetIconInfo(hIcon, &info)) {
        BITMAP bm{};
        ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        (id == IDC_UPDATE_CHECK_NOW ? icon32 : icon16) = SIZE{bm.bmWidth, bm.bmWidth};
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
      }
    }
    for (int id : {IDC_UPDATE_CHECK_NOW, IDC_UPDATE_RADIO_QUARTERLY, IDC_UPDATE_RADIO_MONTHLY,
                   IDC_UPDATE_RADIO_WEEKLY, IDC_UPDATE_RADIO_NEVER, IDC_UPDATE_BANNER, IDC_UPDATE_INTRO})
      tips.push_back(Tip(hDlg, dlg.GetToolTip(), id));
    ::GetClientRect(hDlg, &client);
    ::MapDialogRect(hDlg, &units);
    nRadio = CheckedRadio(hDlg);
    test::Press(hDlg, IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  ASSERT_EQ(1, driver.Calls());

  EXPECT_EQ("Check for New Version of Tarvolin", caption);
  EXPECT_EQ((std::vector<std::string>{
                "Check for Updates",
                "Checking for an updated version of Tarvolin and the BHO list requires connecting to the "
                "Internet.  However, no information is sent from your computer to our web site that can "
                "uniquely identify your computer.",
                "Check NOW for &Updates to Tarvolin...",
                "You can also have Tarvolin check our web site on a regular basis to see if a new version is "
                "ready for you to download. Please select how often it should check:",
                "&Quarterly", "&Monthly", "&Weekly", "&Never", "", "", "&Cancel", "OK"}),
            texts);
  EXPECT_STREQ("Arial", lf.lfFaceName);
  EXPECT_EQ(28, lf.lfHeight);
  EXPECT_TRUE(bBlue);
  EXPECT_TRUE(bWhite);
  EXPECT_TRUE(bIcons[0] && bIcons[1] && bIcons[2]);
  EXPECT_EQ(32, icon32.cx);
  EXPECT_EQ(16, icon16.cx);
  EXPECT_EQ((std::vector<std::string>{"Check our website now for\na new version of Tarvolin",
                                      "Check for updates automatically\nevery three months",
                                      "Check for updates automatically\nevery month",
                                      "Check for updates automatically\nevery seven days",
                                      "Do not check for updates automatically", "", ""}),
            tips);
  EXPECT_EQ(units.right, client.right);
  EXPECT_EQ(units.bottom, client.bottom);
  // Nothing stored yet: monthly.
  EXPECT_EQ(1, nRadio);
  EXPECT_EQ(-100, StoredFrequency());
}

// The frequency the dialog opens with, the radio button clicked, the button
// that closes it, and what is stored afterwards.
TEST_F(UpdateDlg, OkStoresTheChosenFrequencyAndCancelNothing) {
  const struct {
    int stored;  // -100: none
    int shown;
    int click;  // index into kRadios; -1: none; -2: every radio unticked
    int press;
    int after;
  } kCases[] = {
      {-100, 1, 0, IDOK, 0},  {-100, 1, -1, IDOK, 1},       {2, 2, 3, IDOK, 3},   {0, 0, 2, IDOK, 2},
      {3, 3, 1, IDCANCEL, 3}, {-100, 1, 2, IDCANCEL, -100}, {7, -1, -1, IDOK, 3}, {1, 1, -2, IDOK, 3},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(c.stored) + " click " + std::to_string(c.click));
    test::ScopedMemoryRegistry registry;  // nothing stored before this case
    if (c.stored != -100) SetFrequency(c.stored);
    CheckForUpdateDlg dlg(nullptr);
    int nShown = -3;
    test::DialogDriver driver([&](HWND hDlg) {
      nShown = CheckedRadio(hDlg);
      if (c.click >= 0) ::SendDlgItemMessageA(hDlg, kRadios[c.click], BM_CLICK, 0, 0);
      if (c.click == -2)
        for (int id : kRadios) ::CheckDlgButton(hDlg, id, BST_UNCHECKED);
      test::Press(hDlg, c.press);
    });
    EXPECT_EQ(c.press, dlg.DoModal());
    EXPECT_EQ(c.shown, nShown);
    EXPECT_EQ(c.after, StoredFrequency());
  }
}

TEST_F(UpdateDlg, CheckNowRunsTheWholeCheckThroughTheUrlMonikerAndCloses) {
  if (!update.Missing().empty()) GTEST_SKIP() << update.Missing();
  const std::string page =
      "<html>\r\n<!-- Currently Published Version: 2.0.0.24 -->\r\n<p>New!</p></html>\r\n";
  update.ServePud(page);
  update.Serve("site\\bhotb-all.html", "<html>served</html>\r\n");
  update.ServeMakersList("[General]\r\nTimestamp=2006-04-01\r\n");
  update.Set("TarvolinListTimestamp", "2006-03-14");

  CheckForUpdateDlg dlg(nullptr);
  dlg.m_nUnknownBHOs = 1;
  test::DialogDriver driver([&](HWND hDlg) {
    ::SendDlgItemMessageA(hDlg, IDC_UPDATE_RADIO_WEEKLY, BM_CLICK, 0, 0);
    test::Press(hDlg, IDC_UPDATE_CHECK_NOW);
  });
  // The check closes the dialog the way OK does: the frequency shown is kept.
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(2, StoredFrequency());

  ASSERT_EQ(1u, update.boxes.size());
  EXPECT_EQ("CheckForUpdateDlg_176_2.0.0.23", update.boxes[0].valueName);
  ASSERT_EQ(1u, update.opened.size());
  EXPECT_EQ(update.Url("files/Tarvolin2PUD.html"), update.opened[0].first);
  EXPECT_EQ(page, test::ReadFile(update.Local("~Tarv2Pud.html")));
  EXPECT_EQ("<html>served</html>\r\n", test::ReadFile(update.Local("bhotb-all.html")));
  EXPECT_TRUE(test::Contains(test::ReadFile(update.Local("Tarvolin20List.ini")), "Timestamp=2006-04-01"));
  ASSERT_EQ(2u, update.messages.size());
  EXPECT_TRUE(test::Contains(update.messages[0].text,
                             "The new version is 2.0.0.24; your current version "
                             "is 2.0.0.23."));
  EXPECT_EQ(
      "'Check for Updates' has completed successfully!  A new Tarvolin list, dated 2006-04-01, has replaced "
      "your old list, dated 2006-03-14.\n\n(These updates are processed automatically by Tarvolin.  There is "
      "no action you need to take.)\n",
      update.messages[1].text);
  EXPECT_EQ("2.0.0.24", update.ReadSetting("LatestKnownVersion"));
  EXPECT_EQ("2006-04-01", update.ReadSetting("TarvolinListTimestamp"));
  // Written in the user's format, it reads back as now.
  const std::string sLast = update.ReadSetting("LastCheckForUpdate");
  double dLast = 0;
  ASSERT_TRUE(DateText::ParseDateTime(sLast, dLast)) << sLast;
  EXPECT_NEAR(DateText::Now(), dLast, 1.0 / 24) << sLast;
  std::printf("LastCheckForUpdate as written here: <%s>\n", sLast.c_str());
}

TEST_F(UpdateDlg, ScheduledCheckNeedsNoWindow) {
  if (!update.Missing().empty()) GTEST_SKIP() << update.Missing();
  update.ServePud("<!-- Currently Published Version: 2.0.0.23 -->\r\n");
  update.Serve("site\\bhotb-all.html", "<html>served</html>\r\n");
  SetFrequency(2);
  update.Set("LastCheckForUpdate", DateText::FormatDateTime(DateText::Now() - 8.0));

  CheckForUpdateDlg dlg(nullptr);
  EXPECT_TRUE(dlg.ScheduledCheck());

  EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
  EXPECT_TRUE(update.boxes.empty());
  EXPECT_TRUE(update.messages.empty());
  EXPECT_EQ(2, StoredFrequency());
  const std::string log = update.Log();
  EXPECT_TRUE(test::Contains(log, "'Check for Updates' has completed successfully!"));
  EXPECT_TRUE(test::Contains(log, "m_nRadio is <2>, bCheckNow is <1>.\n"));
  double dLast = 0;
  ASSERT_TRUE(DateText::ParseDateTime(update.ReadSetting("LastCheckForUpdate"), dLast));
  EXPECT_NEAR(DateText::Now(), dLast, 1.0 / 24);

  // Now that it has run, the next one waits a week.
  CheckForUpdateDlg again(nullptr);
  EXPECT_FALSE(again.ScheduledCheck());
}

}  // namespace
