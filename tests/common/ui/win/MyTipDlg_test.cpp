// The tip of the day from its resource: the hints as the string table holds
// them, paging with Next and Previous, the counter, the check box and the
// values stored on closing and destruction, the heading's painting.
#include "common/ui/win/MyTipDlg.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/ui/DialogLayout.h"
#include "common/ui/TipOfTheDay.h"
#include "common/ui/win/DialogDriver.h"
#include "common/ui/win/GenericWin.h"
#include "res/MyTipDlgRes.h"
#include "support/TestSupport.h"

namespace {

const std::string kKey = std::string(MyDialog::kPlacementsKey) + "\\MyTipDlg";

class MyTipDlgShown : public ::testing::Test {
 protected:
  MyTipDlgShown() { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey.c_str()); }
  ~MyTipDlgShown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey.c_str()); }

  static void SetValue(const char* name, DWORD value) {
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                               nullptr, &hKey, nullptr));
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(hKey);
  }
  static DWORD Value(const char* name) {
    DWORD value = 0xDEAD, size = sizeof value;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
      return value;
    ::RegQueryValueExA(hKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(hKey);
    return value;
  }
  static void Click(HWND hDlg, int id) {
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, id)));
  }

  test::ScopedLog log;
};

TEST_F(MyTipDlgShown, TheResourcesHoldTheHintsTheCounterAndTheHeading) {
  for (const auto& entry : TipOfTheDay::Strings())
    EXPECT_EQ(entry.second, Generic::LoadResString(entry.first)) << entry.first;
  char text[16] = {};
  EXPECT_EQ(0, ::LoadStringA(::GetModuleHandleA(nullptr), 17011, text, sizeof text));  // the hints end here
  const struct {
    int id;
    const char* tip;
  } tips[] = {{17920, "Display Next"},
              {17921, "Display Previous"},
              {17922, "Tip"},
              {17923, "Enable Tips at Startup?"},
              {17925, "A list of useful tidbits about this program"}};
  for (const auto& t : tips) EXPECT_EQ(t.tip, Generic::LoadResString(t.id)) << t.id;
}

// Remembered hint, then presses in the window: what it shows after each.
TEST_F(MyTipDlgShown, PagesForwardWithWrapAndBackToTheFirst) {
  const struct {
    DWORD remembered;  // 0: nothing stored
    const char* presses;
    std::vector<unsigned> shown;  // on opening, then after each press
  } cases[] = {
      {0, "NP", {17000, 17001, 17000}},
      {17010, "PN", {17000, 17000, 17001}},
      {17009, "NN", {17010, 17000, 17001}},
      {17002, "PPPP", {17003, 17002, 17001, 17000, 17000}},
      {17924, "", {17000}},  // not a hint: never another string as one
  };
  for (const auto& c : cases) {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey.c_str());
    if (c.remembered) SetValue("NextTipID", c.remembered);
    std::vector<std::string> texts, counters;
    std::string caption;
    {
      MyTipDlg dlg(nullptr);
      EXPECT_EQ(1, dlg.m_bShowAtStartup);
      test::DialogDriver driver([&](HWND hDlg) {
        caption = test::WindowText(hDlg);
        auto read = [&] {
          texts.push_back(test::WindowText(::GetDlgItem(hDlg, IDC_MYTIPDLG_TIP)));
          counters.push_back(test::WindowText(::GetDlgItem(hDlg, IDC_MYTIPDLG_COUNTER)));
        };
        read();
        for (const char* p = c.presses; *p; ++p) {
          Click(hDlg, *p == 'N' ? IDC_MYTIPDLG_NEXT : IDC_MYTIPDLG_PREVIOUS);
          read();
        }
        test::Press(hDlg, IDOK);
      });
      EXPECT_EQ(IDOK, dlg.DoModal());
      EXPECT_EQ(c.shown.back(), dlg.m_uiTipID);
    }
    EXPECT_EQ("Tip of the Day", caption);
    ASSERT_EQ(c.shown.size(), texts.size()) << c.remembered << c.presses;
    for (size_t i = 0; i < c.shown.size(); ++i) {
      EXPECT_EQ(TipOfTheDay::TableString(c.shown[i]), texts[i]) << c.remembered << c.presses << i;
      EXPECT_EQ("Tip " + std::to_string(c.shown[i] - 16999) + " of 11 ...", counters[i]);
    }
    // The hint on screen is remembered for the next opening to follow.
    EXPECT_EQ(c.shown.back(), Value("NextTipID"));
  }
}

TEST_F(MyTipDlgShown, TheCheckBoxDecidesTheNextStartAndEveryConstructionAdvances) {
  const struct {
    DWORD stored;  // 0xFFFF: nothing stored
    int bShow;
    bool bClick;
    DWORD after;
  } cases[] = {
      {0xFFFF, 1, true, 1}, {0xFFFF, 1, false, 0}, {1, 0, true, 0}, {1, 0, false, 1}, {7, 0, false, 1}};
  for (const auto& c : cases) {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey.c_str());
    if (c.stored != 0xFFFF) SetValue("DontShowTipUponStartUp", c.stored);
    bool bTicked = false;
    {
      MyTipDlg dlg(nullptr);
      EXPECT_EQ(c.bShow, dlg.m_bShowAtStartup);
      test::DialogDriver driver([&](HWND hDlg) {
        bTicked = ::IsDlgButtonChecked(hDlg, IDC_MYTIPDLG_SHOWATSTARTUP) == BST_CHECKED;
        if (c.bClick) ::SendDlgItemMessageA(hDlg, IDC_MYTIPDLG_SHOWATSTARTUP, BM_CLICK, 0, 0);
        test::Press(hDlg, IDOK);
      });
      EXPECT_EQ(IDOK, dlg.DoModal());
    }
    EXPECT_EQ(c.bShow == 1, bTicked);
    EXPECT_EQ(c.after, Value("DontShowTipUponStartUp")) << c.stored << c.bClick;
  }
  // Not shown at all: each construction still moves on one hint.
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey.c_str());
  for (DWORD expected : {17000u, 17001u, 17002u}) {
    { MyTipDlg dlg(nullptr); }
    EXPECT_EQ(expected, Value("NextTipID"));
  }
}

TEST_F(MyTipDlgShown, PaintsTheHeadingOnWhiteAndFollowsItsSize) {
  std::vector<COLORREF> heading, hint;
  unsigned anchors[4] = {};
  std::string counterColour;
  MyTipDlg dlg(nullptr);
  test::DialogDriver driver([&](HWND hDlg) {
    heading = test::PaintedColours(::GetDlgItem(hDlg, IDC_MYTIPDLG_HEADING));
    const HDC hdc = ::GetDC(hDlg);
    const HBRUSH hbr = reinterpret_cast<HBRUSH>(
        ::SendMessageA(hDlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDC_MYTIPDLG_TIP))));
    LOGBRUSH lb{};
    ::GetObjectA(hbr, sizeof lb, &lb);
    hint.push_back(lb.lbColor);
    hint.push_back(::GetBkColor(hdc));
    ::ReleaseDC(hDlg, hdc);
    anchors[0] = dlg.GetAnchor(IDC_MYTIPDLG_TIP);
    anchors[1] = dlg.GetAnchor(IDC_MYTIPDLG_HEADING);
    anchors[2] = dlg.GetAnchor(IDC_MYTIPDLG_NEXT);
    anchors[3] = dlg.GetAnchor(IDC_MYTIPDLG_PREVIOUS);
    test::Press(hDlg, IDOK);
  });
  EXPECT_EQ(IDOK, dlg.DoModal());
  ASSERT_FALSE(heading.empty());
  const auto whites = std::count(heading.begin(), heading.end(), RGB(255, 255, 255));
  EXPECT_GT(whites, static_cast<long>(heading.size() / 2));  // filled white
  // The bulb (yellow) and the dark text of "Did you know?" are drawn on it.
  EXPECT_TRUE(std::any_of(heading.begin(), heading.end(), [](COLORREF c) {
    return GetRValue(c) > 200 && GetGValue(c) > 150 && GetBValue(c) < 120;
  }));
  EXPECT_TRUE(std::any_of(heading.begin(), heading.end(),
                          [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 150; }));
  EXPECT_EQ((std::vector<COLORREF>{RGB(255, 255, 255), RGB(255, 255, 255)}), hint);
  using namespace DialogLayout;
  EXPECT_EQ(kGrowX | kGrowY, anchors[0]);
  EXPECT_EQ(kGrowX | kGrowY, anchors[1]);
  EXPECT_EQ(kMoveX | kMoveY, anchors[2]);
  EXPECT_EQ(kMoveX | kMoveY, anchors[3]);
  EXPECT_NE(std::string::npos, log.Messages().find(">>> MyTipDlg::OnInitDialog\n"));
}

}  // namespace
