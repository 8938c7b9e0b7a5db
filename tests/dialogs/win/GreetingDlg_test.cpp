// The greeting from its resource: heading, picture, text, the Close icon,
// the resize flags, and the check box handed back in m_nCheckShow.
#include "dialogs/win/GreetingDlg.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "common/ui/DialogLayout.h"
#include "common/ui/win/DialogDriver.h"
#include "res/GreetingDlgRes.h"
#include "support/TestSupport.h"

namespace {

class GreetingDlgShown : public ::testing::Test {
 protected:
  GreetingDlgShown() { DeletePlacement(); }
  ~GreetingDlgShown() override { DeletePlacement(); }
  static void DeletePlacement() {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(MyDialog::kPlacementsKey) + "\\GreetingDlg").c_str());
  }
  test::ScopedLog log;
};

TEST_F(GreetingDlgShown, ShowsItsPartsAndHandsBackTheCheckBox) {
  const struct {
    int preset;
    bool bClick;
    int press;
    int result;
  } cases[] = {{1, true, IDOK, 0}, {0, true, IDOK, 1}, {1, false, IDCANCEL, 1}, {0, false, IDOK, 0}};
  for (const auto& c : cases) {
    GreetingDlg dlg(nullptr);
    EXPECT_EQ(0, dlg.m_nCheckShow);
    dlg.m_nCheckShow = c.preset;
    bool bChecked = false;
    test::DialogDriver driver([&](HWND hDlg) {
      bChecked = ::IsDlgButtonChecked(hDlg, IDC_GREETING_CHECKSHOW) == BST_CHECKED;
      if (c.bClick) ::SendDlgItemMessageA(hDlg, IDC_GREETING_CHECKSHOW, BM_CLICK, 0, 0);
      test::Press(hDlg, c.press);
    });
    EXPECT_EQ(c.press, dlg.DoModal());
    EXPECT_EQ(c.preset == 1, bChecked);
    EXPECT_EQ(c.result, dlg.m_nCheckShow) << c.preset << " " << c.bClick;
  }
}

TEST_F(GreetingDlgShown, LooksAsDescribedAndResizes) {
  GreetingDlg dlg(nullptr);
  std::string caption, heading, text, close;
  LOGFONTA lf{};
  bool bIcon = false, bBitmap = false, bResizable = false;
  unsigned anchors[5] = {};
  test::DialogDriver driver([&](HWND hDlg) {
    caption = test::WindowText(hDlg);
    const HWND hHeading = ::GetDlgItem(hDlg, IDC_GREETING_HEADING);
    heading = test::WindowText(hHeading);
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hHeading, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    text = test::WindowText(::GetDlgItem(hDlg, IDC_GREETING_TEXT));
    close = test::WindowText(::GetDlgItem(hDlg, IDOK));
    bIcon = ::SendDlgItemMessageA(hDlg, IDOK, BM_GETIMAGE, IMAGE_ICON, 0) != 0;
    bBitmap = ::SendDlgItemMessageA(hDlg, IDC_GREETING_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    bResizable = (::GetWindowLongA(hDlg, GWL_STYLE) & WS_THICKFRAME) != 0;
    int i = 0;
    for (int id : {IDC_GREETING_HEADING, IDC_GREETING_PICTURE, IDC_GREETING_TEXT, IDC_GREETING_EXTRA, IDOK})
      anchors[i++] = dlg.GetAnchor(id);
    test::Press(hDlg, IDOK);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ("Thank You for Trying Tarvolin !", caption);
  EXPECT_EQ("Thanks for trying Tarvolin!", heading);
  EXPECT_STREQ("Arial", lf.lfFaceName);
  EXPECT_EQ(28, lf.lfHeight);
  EXPECT_EQ(700, lf.lfWeight);
  EXPECT_EQ(0u, text.find("Thank you for trying Tarvolin.\r\n\r\nThe easiest way to get started")) << text;
  EXPECT_NE(std::string::npos,
            text.find("just click the 'Settings' button.  Thank you again for trying Tarvolin!"));
  EXPECT_EQ("&Close", close);
  EXPECT_TRUE(bIcon);
  EXPECT_TRUE(bBitmap);
  EXPECT_TRUE(bResizable);
  using namespace DialogLayout;
  EXPECT_EQ(kGrowX | kGrowY, anchors[0]);
  EXPECT_EQ(kMoveY, anchors[1]);
  EXPECT_EQ(kMoveY | kGrowX, anchors[2]);
  EXPECT_EQ(kMoveY | kGrowX, anchors[3]);
  EXPECT_EQ(kMoveX | kMoveY, anchors[4]);
}

}  // namespace
