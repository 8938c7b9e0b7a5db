// The change alert from its resource: the headline's look, the sound
// decided by the test switches or by "HowlEnabled" in Wine's registry, and
// the placement remembered under the dialog's name.
#include "dialogs/win/DetectDlg.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/registry/RegistryKeys.h"
#include "common/ui/win/DialogDriver.h"
#include "res/DetectDlgRes.h"
#include "support/Recorders.h"
#include "support/TestSupport.h"

namespace {

struct Case {
  const char* name;
  bool bTest, bPlaySound;
  int howl;  // -1: no value
  bool bPlays;
};

void SetHowl(int howl) {
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, REGKEY_PROGRAM, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &hKey, nullptr));
  if (howl < 0) {
    ::RegDeleteValueA(hKey, "HowlEnabled");
  } else {
    const DWORD value = static_cast<DWORD>(howl);
    ::RegSetValueExA(hKey, "HowlEnabled", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  ::RegCloseKey(hKey);
}

// One test for all cases: they share the user's real settings key, which
// tests in other processes must not see changing under them.
class DetectDlgShown : public ::testing::Test {
 protected:
  ~DetectDlgShown() override {
    SetHowl(-1);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(MyDialog::kPlacementsKey) + "\\DetectDlg").c_str());
  }
  test::ScopedLog log;
};

const Case kCases[] = {
    {"NoSettingIsSilent", false, false, -1, false}, {"HowlOffIsSilent", false, true, 0, false},
    {"HowlOnPlays", false, false, 1, true},         {"TestWithSound", true, true, 0, true},
    {"TestWithoutSound", true, false, 1, false},
};

TEST_F(DetectDlgShown, LooksAlarmingAndHowlsWhenAsked) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::size_t logStart = log.Messages().size();
    SetHowl(c.howl);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(MyDialog::kPlacementsKey) + "\\DetectDlg").c_str());
    DetectDlg dlg(nullptr);
    EXPECT_FALSE(dlg.m_bTest);
    EXPECT_FALSE(dlg.m_bPlaySound);
    dlg.m_bTest = c.bTest;
    dlg.m_bPlaySound = c.bPlaySound;

    std::string caption, headline;
    LOGFONTA lf{};
    bool bRed = false, bYellow = false;
    test::DialogDriver driver([&](HWND hDlg) {
      caption = test::WindowText(hDlg);
      const HWND hHeadline = ::GetDlgItem(hDlg, IDC_DETECT_HEADLINE);
      headline = test::WindowText(hHeadline);
      ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hHeadline, WM_GETFONT, 0, 0)), sizeof lf, &lf);
      const std::vector<COLORREF> colours = test::PaintedColours(hHeadline);
      bRed = std::count(colours.begin(), colours.end(), DetectDlg::kHeadlineText) > 20;
      bYellow = !colours.empty() && colours.front() == DetectDlg::kHeadlineBackground;
      test::Press(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(1, driver.Calls());

    EXPECT_EQ("BHO Change Detected!", caption);
    EXPECT_EQ("Change Detected!", headline);
    EXPECT_EQ(28, lf.lfHeight);
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_TRUE(bRed);
    EXPECT_TRUE(bYellow);
    EXPECT_EQ(c.bPlays, dlg.PlayedSound());
    EXPECT_EQ(c.bPlays, test::Contains(log.Messages().substr(logStart), ">>> Generic::PlayWaveResource\n"));

    HKEY hPlacement = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER,
                                             (std::string(MyDialog::kPlacementsKey) + "\\DetectDlg").c_str(),
                                             0, KEY_READ, &hPlacement));
    if (hPlacement) ::RegCloseKey(hPlacement);
  }
}

}  // namespace
