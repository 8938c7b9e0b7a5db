// The message box's window shown through MyMessageBox::DoModal, as every
// call site shows it: caption, headline, buttons and check box read back,
// the box answered, and the answer found in Wine's registry.
#include "common/ui/win/MyMessageBoxDlg.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/win/DialogDriver.h"
#include "res/MyMessageBoxRes.h"
#include "res/resource.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kAppended = "  (Uncheck to default to your next choice from now on.)";

struct Case {
  const char* name;
  unsigned style;
  unsigned headlineId;
  const char* caption;
  COLORREF crHeadline;
  bool bCancelShown;
  int defaultId;
  bool bUntick;
  int press;
  int answer;
  DWORD stored;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

struct Seen {
  std::string caption, headline, text, check;
  bool bDetails = true, bCancel = false, bChecked = false, bHeadlineColour = false, bBackground = false;
  int defaultId = 0, focusId = 0;
  LONG fontWeight = 0, fontHeight = 0;
  bool bSmallIcon = false;
};

class MessageBoxWindow : public ::testing::TestWithParam<Case> {
 protected:
  MessageBoxWindow() { InstallMessageBoxWindow(); }
  ~MessageBoxWindow() override {
    MyMessageBox::SetPresenter(nullptr);
    DeleteValue(m_sValue);
  }
  static std::string Key() { return std::string(REGKEY_PROGRAM) + "\\MyMessageBoxAlways"; }
  static void DeleteValue(const std::string& name) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, Key().c_str(), 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS) return;
    ::RegDeleteValueA(hKey, name.c_str());
    ::RegCloseKey(hKey);
  }

  test::ScopedLog log;
  std::string m_sValue;
};

TEST_P(MessageBoxWindow, ShowsTheStyleAndRemembersTheAnswer) {
  const Case& c = GetParam();
  // A call site of its own per case.
  MyMessageBox box("First line\nsecond line", std::string("C:\\src\\MyMessageBoxDlgTest") + c.name + ".cpp",
                   17, c.headlineId, c.style);
  m_sValue = box.GetValueName();
  DeleteValue(m_sValue);

  Seen seen;
  test::DialogDriver driver([&](HWND hDlg) {
    seen.caption = test::WindowText(hDlg);
    seen.headline = test::WindowText(::GetDlgItem(hDlg, IDC_MYMESSAGEBOX_HEADLINE));
    seen.text = test::WindowText(::GetDlgItem(hDlg, IDC_MYMESSAGEBOX_TEXT));
    seen.check = test::WindowText(::GetDlgItem(hDlg, IDC_MYMESSAGEBOX_CHECKSHOW));
    seen.bDetails = test::IsShown(hDlg, IDC_MYMESSAGEBOX_DETAILS);
    seen.bCancel = test::IsShown(hDlg, IDCANCEL);
    seen.bChecked = ::IsDlgButtonChecked(hDlg, IDC_MYMESSAGEBOX_CHECKSHOW) == BST_CHECKED;
    seen.defaultId = LOWORD(::SendMessageA(hDlg, DM_GETDEFID, 0, 0));
    // The frame of the default button (the focus itself follows activation,
    // which another test process may hold).
    seen.focusId =
        (::GetWindowLongA(::GetDlgItem(hDlg, c.defaultId), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON
            ? c.defaultId
            : 0;
    seen.bSmallIcon = ::SendMessageA(hDlg, WM_GETICON, ICON_SMALL, 0) != 0;
    const HWND hHeadline = ::GetDlgItem(hDlg, IDC_MYMESSAGEBOX_HEADLINE);
    LOGFONTA lf{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hHeadline, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    seen.fontWeight = lf.lfWeight;
    seen.fontHeight = lf.lfHeight;
    const std::vector<COLORREF> colours = test::PaintedColours(hHeadline);
    seen.bHeadlineColour = std::count(colours.begin(), colours.end(), c.crHeadline) > 20;
    seen.bBackground = !colours.empty() && colours.front() == MyMessageBoxDlg::kHeadlineBackground;
    if (c.bUntick) ::SendDlgItemMessageA(hDlg, IDC_MYMESSAGEBOX_CHECKSHOW, BM_CLICK, 0, 0);
    test::Press(hDlg, c.press);
  });
  EXPECT_EQ(c.answer, box.DoModal());
  ASSERT_EQ(1, driver.Calls());

  EXPECT_EQ(c.caption, seen.caption);
  EXPECT_EQ("First line\r\nsecond line", seen.text);
  EXPECT_FALSE(seen.bDetails);
  EXPECT_EQ(c.bCancelShown, seen.bCancel);
  EXPECT_TRUE(seen.bChecked);
  EXPECT_EQ(c.defaultId, seen.defaultId);
  EXPECT_EQ(c.defaultId, seen.focusId);
  EXPECT_TRUE(seen.bSmallIcon);
  EXPECT_EQ(FW_BOLD, seen.fontWeight);
  EXPECT_EQ(MyStatic::PointsToHeight(14), seen.fontHeight);
  // Text in the style's colour, when there is a headline to draw.
  EXPECT_EQ(c.headlineId != 0, seen.bHeadlineColour) << "headline text colour";
  EXPECT_TRUE(seen.bBackground) << "headline background";
  const bool bOkCancel = (c.style & 0xF) == MB_OKCANCEL;
  EXPECT_EQ(std::string("&Always show this message.") + (bOkCancel ? kAppended : ""), seen.check);
  EXPECT_EQ(c.headlineId ? "Download Accelerator Plus detected!" : "", seen.headline);

  MyRegistry always(Registry::kCurrentUser, Key(), false);
  DWord dw = 0;
  ASSERT_TRUE(always.ReadValueDWord(box.GetValueName(), dw));
  EXPECT_EQ(c.stored, dw);
}

const COLORREF kWhite = RGB(255, 255, 255), kYellow = RGB(255, 255, 0);

INSTANTIATE_TEST_SUITE_P(
    Styles, MessageBoxWindow,
    ::testing::Values(
        Case{"Information", 0x40, IDS_DAP_DETECTED, "Information - Message", kWhite, false, IDOK, false, IDOK,
             IDOK, 0x10001},
        Case{"ExclamationUnticked", 0x30, IDS_DAP_DETECTED, "Important - Message", kYellow, false, IDOK, true,
             IDOK, IDOK, 0x10000},
        Case{"NoIcon", 0x0, 0, "Information - Message", kWhite, false, IDOK, false, IDOK, IDOK, 0x10001},
        Case{"EscapeOnOkOnly", 0x40, 0, "Information - Message", kWhite, false, IDOK, false, IDCANCEL, IDOK,
             0x10001},
        Case{"QuestionCancelDefault", 0x121, IDS_DAP_DETECTED, "Question - Message", kWhite, true, IDCANCEL,
             true, IDCANCEL, IDCANCEL, 0x20000},
        Case{"QuestionOk", 0x21, 0, "Question - Message", kWhite, true, IDOK, false, IDOK, IDOK, 0x10001}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
