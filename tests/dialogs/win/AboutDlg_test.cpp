// The about dialog from its resource: the version line, the four links
// (their texts, the hand cursor, what a click opens, the visited colour)
// and the two mail buttons that leave it open.
#include "dialogs/win/AboutDlg.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ui/Shell.h"
#include "common/ui/win/DialogDriver.h"
#include "controls/Hyperlink.h"
#include "res/AboutDlgRes.h"
#include "res/version.h"
#include "support/TestSupport.h"

namespace {

class AboutDlgShown : public ::testing::Test {
 protected:
  AboutDlgShown() {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(MyDialog::kPlacementsKey) + "\\CAboutDlg").c_str());
    Shell::SetOpener([this](const std::string& file, const std::string&) {
      opened.push_back(file);
      return static_cast<std::intptr_t>(42);
    });
  }
  ~AboutDlgShown() override { Shell::SetOpener(nullptr); }
  static bool Shows(HWND hControl, COLORREF colour) {
    const std::vector<COLORREF> colours = test::PaintedColours(hControl);
    return std::find(colours.begin(), colours.end(), colour) != colours.end();
  }
  test::ScopedLog log;
  std::vector<std::string> opened;
};

TEST_F(AboutDlgShown, ShowsTheVersionAndTheLinks) {
  std::string caption, version, texts[4];
  bool bBold = false, bVersionColour = false;
  CAboutDlg dlg(nullptr);
  test::DialogDriver driver([&](HWND hDlg) {
    caption = test::WindowText(hDlg);
    const HWND hVersion = ::GetDlgItem(hDlg, IDC_ABOUT_VERSION);
    version = test::WindowText(hVersion);
    LOGFONTA lf{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hVersion, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    bBold = lf.lfWeight >= FW_BOLD;
    bVersionColour = Shows(hVersion, CAboutDlg::kVersionText);
    int i = 0;
    for (int id :
         {IDC_ABOUT_WEBSITE, IDC_ABOUT_SUPPORT_MAIL, IDC_ABOUT_RELEASE_HISTORY, IDC_ABOUT_DOWNLOAD_SITE})
      texts[i++] = test::WindowText(::GetDlgItem(hDlg, id));
    test::Press(hDlg, IDOK);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ("About Tarvolin 2.0", caption);
  EXPECT_EQ(std::string("Tarvolin Version ") + TARVOLIN_VERSION_TEXT, version);
  EXPECT_TRUE(bBold);
  EXPECT_TRUE(bVersionColour);
  EXPECT_EQ("https://www.kestrove.com/", texts[0]);
  EXPECT_EQ("support@kestrove.com", texts[1]);
  EXPECT_EQ("Click here to view Tarvolin's Release History", texts[2]);
  EXPECT_EQ("download.kestrove.com", texts[3]);
  EXPECT_TRUE(opened.empty());
}

TEST_F(AboutDlgShown, AClickOpensTheAddressUnderTheHandAndTurnsTheLinkVisited) {
  const struct {
    int id;
    const char* address;
  } links[] = {{IDC_ABOUT_WEBSITE, "https://www.kestrove.com/"},
               {IDC_ABOUT_SUPPORT_MAIL, "mailto:support@kestrove.com"},
               {IDC_ABOUT_RELEASE_HISTORY, "https://www.kestrove.com/files/TarvolinWhatsNew.html"},
               {IDC_ABOUT_DOWNLOAD_SITE, "https://download.kestrove.com/tarvolin/"}};
  for (const auto& link : links) {
    opened.clear();
    bool bBlueBefore = false, bVisitedAfter = false, bHand = false, bStillOpen = false;
    CAboutDlg dlg(nullptr);
    test::DialogDriver driver([&](HWND hDlg) {
      const HWND hLink = ::GetDlgItem(hDlg, link.id);
      bBlueBefore = Shows(hLink, Hyperlink::kLinkColour);
      ::SendMessageA(hLink, WM_SETCURSOR, reinterpret_cast<WPARAM>(hLink),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      bHand = ::GetCursor() == ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
      ::SendMessageA(hLink, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      ::SendMessageA(hLink, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
      bVisitedAfter = Shows(hLink, Hyperlink::kVisitedColour);
      // The mail buttons keep the dialog open (their mails are not sent from here yet).
      ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_EMAIL_LOG, BN_CLICKED), 0);
      ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_EMAIL_FRIEND, BN_CLICKED), 0);
      bStillOpen = ::IsWindowVisible(hDlg) != FALSE;
      test::Press(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ((std::vector<std::string>{link.address}), opened) << link.id;
    EXPECT_TRUE(bBlueBefore) << link.id;
    EXPECT_TRUE(bVisitedAfter) << link.id;
    EXPECT_TRUE(bHand) << link.id;
    EXPECT_TRUE(bStillOpen);
  }
  EXPECT_NE(std::string::npos, log.Messages().find("E-mail a friend chosen.\n"));
}

}  // namespace
