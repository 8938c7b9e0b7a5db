// The details window made from its resource and driven by messages: what
// it shows for each status, what OK keeps (the note, the list's widths and
// grid lines), the list's copy and grid-line commands, the Save and
// Registry buttons, and the orphan offer that closes the window.
#include "dialogs/win/DetailsDlg.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "common/files/GenericIni.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "common/ui/win/DialogDriver.h"
#include "model/Bho.h"
#include "res/DetailsDlgRes.h"
#include "support/BhoWorld.h"
#include "support/Recorders.h"

namespace {

const char* const kClsid = "{0DE7A115-0000-4000-8000-000000000001}";

std::string Self() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

class DetailsDlgShown : public ::testing::Test {
 protected:
  DetailsDlgShown() {
    m_previousHandler =
        UserMessage::SetHandler([this](const std::string& text, const std::string&, unsigned) {
          shown.push_back(text);
          if (answers.empty()) return static_cast<int>(UserMessage::kIdCancel);
          const int answer = answers.front();
          answers.pop_front();
          return answer;
        });
    Shell::SetExecutor([this](const Shell::Request& request) {
      launched.push_back(request);
      return static_cast<std::intptr_t>(42);
    });
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(MyDialog::kPlacementsKey) + "\\DetailsDlg").c_str());
  }
  ~DetailsDlgShown() override {
    UserMessage::SetHandler(m_previousHandler);
    Shell::SetExecutor(nullptr);
    DetailsDlg::SetSaveFileChooser(nullptr);
  }

  // A record of a BHO whose file is this test program (it has icons).
  std::shared_ptr<BHO> Record(const char* status, const char* reports = "", const char* enabled = "") {
    auto pBho = std::make_shared<BHO>(kClsid);
    pBho->m_mapAttrVals.SetAt("Clsid", kClsid);
    pBho->m_mapAttrVals.SetAt("DLL Path", Self());
    pBho->m_mapAttrVals.SetAt("MD5 Checksum", "0123456789abcdef0123456789abcdef");
    pBho->m_mapAttrVals.SetAt("ProgID", "Acme.Helper.1");
    pBho->m_mapAttrVals.SetAt("Status", status);
    if (*reports) pBho->m_mapAttrVals.SetAt("ReportsCount", reports);
    if (*enabled) pBho->m_mapAttrVals.SetAt("EnabledCount", enabled);
    return pBho;
  }

  std::string IniValue(const std::string& section, const std::string& key) {
    std::string value;
    Generic::GetFromIniFile(world.File("Tarvolin.ini"), section, key, "<none>", value, 4096);
    return value;
  }

  test::BhoWorld world;
  std::deque<int> answers;
  std::vector<std::string> shown;
  std::vector<Shell::Request> launched;

 private:
  UserMessage::Handler m_previousHandler;
};

TEST_F(DetailsDlgShown, ShowsTheAttributesVerdictMeterIconAndNote) {
  DetailsDlg dlg(nullptr);
  dlg.m_pBho = Record("Investigating", "8", "3");
  std::string caption, status, note, heading0, heading1, firstName, firstValue;
  int rows = 0, meterPos = -1, noteLimit = 0, clientW = 0, clientH = 0, expectW = 0, expectH = 0;
  bool meterShown = false, icon = false, buttonIcons = true, gridLines = false, fullRow = false;
  LOGFONTA lf{};
  test::DialogDriver driver([&](HWND hDlg) {
    caption = test::WindowText(hDlg);
    const HWND hList = ::GetDlgItem(hDlg, IDC_DETAILS_LIST);
    rows = static_cast<int>(::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    firstName = dlg.List().GetItemText(0, 0);
    firstValue = dlg.List().GetItemText(0, 1);
    char text[64] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    const auto hHeader = reinterpret_cast<HWND>(::SendMessageA(hList, LVM_GETHEADER, 0, 0));
    ::SendMessageA(hHeader, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    heading0 = text;
    ::SendMessageA(hHeader, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    heading1 = text;
    const auto exStyle = ::SendMessageA(hList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    gridLines = (exStyle & LVS_EX_GRIDLINES) != 0;
    fullRow = (exStyle & LVS_EX_FULLROWSELECT) != 0;
    status = dlg.StatusText().GetWindowText();
    ::GetObjectA(dlg.StatusText().GetFont(), sizeof lf, &lf);
    const HWND hMeter = ::GetDlgItem(hDlg, IDC_DETAILS_METER);
    meterShown = ::IsWindowVisible(hMeter) != FALSE;
    meterPos = static_cast<int>(::SendMessageA(hMeter, PBM_GETPOS, 0, 0));
    icon = ::SendDlgItemMessageA(hDlg, IDC_DETAILS_STATIC_ICON, STM_GETICON, 0, 0) != 0;
    for (int id : {IDC_DETAILS_BUTTON_CONTAINING, IDC_DETAILS_BUTTON_REGISTRY, IDC_DETAILS_BUTTON_BROWSE,
                   IDC_DETAILS_BUTTON_SAVE, IDC_DETAILS_BUTTON_VIEW})
      buttonIcons = buttonIcons && ::SendDlgItemMessageA(hDlg, id, BM_GETIMAGE, IMAGE_ICON, 0) != 0;
    const HWND hNote = ::GetDlgItem(hDlg, IDC_DETAILS_EDIT_NOTATION);
    note = test::WindowText(hNote);
    noteLimit = static_cast<int>(::SendMessageA(hNote, EM_GETLIMITTEXT, 0, 0));
    RECT client{}, expect{0, 0, 300, 332};
    ::GetClientRect(hDlg, &client);
    ::MapDialogRect(hDlg, &expect);
    clientW = client.right;
    clientH = client.bottom;
    expectW = expect.right;
    expectH = expect.bottom;
    test::Press(hDlg, IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ("BHO Details", caption);
  EXPECT_EQ(static_cast<int>(Details::AttributeRows(dlg.m_pBho->m_mapAttrVals).size()), rows);
  const auto expected = Details::AttributeRows(dlg.m_pBho->m_mapAttrVals);
  EXPECT_EQ(expected[0].first, firstName);
  EXPECT_EQ(expected[0].second, firstValue);
  EXPECT_EQ("Attribute", heading0);
  EXPECT_EQ("Value", heading1);
  EXPECT_TRUE(gridLines);
  EXPECT_TRUE(fullRow);
  EXPECT_NE(std::string::npos,
            status.find("Of the 8 Tarvolin users who have reported this BHO, 3 have enabled it"
                        " on their PCs: this gives it a TarvolinMeter reading of 37%."));
  EXPECT_EQ(12, lf.lfHeight);
  EXPECT_EQ(FW_NORMAL, lf.lfWeight);
  EXPECT_EQ(RGB(255, 255, 255), dlg.StatusText().GetBkColor());
  EXPECT_TRUE(meterShown);
  EXPECT_EQ(37, meterPos);
  EXPECT_TRUE(icon);
  EXPECT_TRUE(buttonIcons);
  EXPECT_EQ(NOTATION_PROMPT, note);
  EXPECT_EQ(4096, noteLimit);
  EXPECT_NEAR(expectW, clientW, 2);
  EXPECT_NEAR(expectH, clientH, 2);
  // Cancel keeps nothing.
  EXPECT_EQ("<none>", IniValue("0123456789abcdef0123456789abcdef", "Notation"));
  EXPECT_FALSE(MyRegistry(Registry::kCurrentUser, Details::kListKey, false).IsOpen());
}

TEST_F(DetailsDlgShown, EachStatusColoursItsVerdictAndMeter) {
  const struct {
    const char* status;
    const char* reports;
    COLORREF text;
    int weight;
    bool meter;
    int pos;
  } cases[] = {{"Malware", "", RGB(255, 0, 0), FW_BOLD, true, 100},
               {"Benign", "", RGB(0, 128, 0), FW_NORMAL, true, 100},
               {"Unknown", "", ::GetSysColor(COLOR_BTNTEXT), FW_NORMAL, false, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    DetailsDlg dlg(nullptr);
    dlg.m_pBho = Record(c.status, c.reports);
    bool bMeter = false;
    int pos = -1;
    LOGFONTA lf{};
    COLORREF text = 0;
    test::DialogDriver driver([&](HWND hDlg) {
      const HWND hMeter = ::GetDlgItem(hDlg, IDC_DETAILS_METER);
      bMeter = ::IsWindowVisible(hMeter) != FALSE;
      pos = static_cast<int>(::SendMessageA(hMeter, PBM_GETPOS, 0, 0));
      ::GetObjectA(dlg.StatusText().GetFont(), sizeof lf, &lf);
      text = dlg.StatusText().GetTextColor();
      test::Press(hDlg, IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_EQ(c.text, text);
    EXPECT_EQ(c.weight, lf.lfWeight);
    EXPECT_EQ(c.meter, bMeter);
    if (c.meter) {
      EXPECT_EQ(c.pos, pos);
    }
  }
}

TEST_F(DetailsDlgShown, OkKeepsTheNoteAndTheListsLayout) {
  const std::string md5 = "0123456789abcdef0123456789abcdef";
  for (int run = 0; run < 2; ++run) {
    DetailsDlg dlg(nullptr);
    dlg.m_pBho = Record("Benign");
    std::string note;
    int width = 0;
    bool gridLines = true;
    test::DialogDriver driver([&](HWND hDlg) {
      const HWND hList = ::GetDlgItem(hDlg, IDC_DETAILS_LIST);
      note = test::WindowText(::GetDlgItem(hDlg, IDC_DETAILS_EDIT_NOTATION));
      width = static_cast<int>(::SendMessageA(hList, LVM_GETCOLUMNWIDTH, 1, 0));
      gridLines = dlg.List().HasGridLines();
      if (run == 0) {
        ::SetDlgItemTextA(hDlg, IDC_DETAILS_EDIT_NOTATION, "Came with the printer.\r\nHarmless.");
        ::SendMessageA(hList, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(222, 0));
        dlg.List().OnCommand(MyListCtrl::kGridLines);
      }
      test::Press(hDlg, IDOK);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    if (run == 0) {
      EXPECT_EQ(NOTATION_PROMPT, note);
      EXPECT_EQ(340, width);
      EXPECT_TRUE(gridLines);
    } else {
      EXPECT_EQ("Came with the printer. Harmless.", note);
      EXPECT_EQ(222, width);
      EXPECT_FALSE(gridLines);
    }
  }
  EXPECT_EQ("Came with the printer. Harmless.", IniValue(md5, "Notation"));
  DWord width = 0;
  EXPECT_TRUE(
      MyRegistry(Registry::kCurrentUser, Details::kListKey, false).ReadValueDWord("ColumnWidths1", width));
  EXPECT_EQ(222u, width);
}

TEST_F(DetailsDlgShown, TheListCopiesTheSelectedRowsAsText) {
  DetailsDlg dlg(nullptr);
  dlg.m_pBho = Record("Benign");
  std::string clipboard;
  test::DialogDriver driver([&](HWND hDlg) {
    dlg.List().OnCommand(MyListCtrl::kSelectAll);
    ::SendDlgItemMessageA(hDlg, IDC_DETAILS_LIST, WM_KEYDOWN, 'C', 0);  // no Ctrl: nothing
    dlg.List().OnCommand(MyListCtrl::kCopy);
    if (::OpenClipboard(hDlg)) {
      if (HANDLE hText = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(hText))) clipboard = p;
        ::GlobalUnlock(hText);
      }
      ::CloseClipboard();
    }
    test::Press(hDlg, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(0u, clipboard.find(std::string("Clsid\t") + kClsid + "\r\nDLL Path\t" + Self() + "\r\n"))
      << clipboard;
  EXPECT_TRUE(test::Contains(clipboard, "Status\tBenign\r\n"));
}

TEST_F(DetailsDlgShown, SaveAndRegistryButtons) {
  DetailsDlg dlg(nullptr);
  dlg.m_pBho = Record("Benign");
  std::string suggested;
  const std::string target = world.File("saved.txt");
  DetailsDlg::SetSaveFileChooser([&](HWND, const std::string& name, std::string& path) {
    suggested = name;
    path = target;
    return true;
  });
  answers = {UserMessage::kIdOk, UserMessage::kIdYes};
  test::DialogDriver driver([&](HWND hDlg) {
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_DETAILS_BUTTON_SAVE, BN_CLICKED), 0);
    ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_DETAILS_BUTTON_REGISTRY, BN_CLICKED), 0);
    test::Press(hDlg, IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ("core_tests_TarvolinInfo.txt", suggested);
  EXPECT_TRUE(test::Contains(test::ReadFile(target), kClsid));
  ASSERT_EQ(1u, launched.size());
  EXPECT_EQ("regedit.exe", launched[0].file);
  std::string lastKey;
  MyRegistry(Registry::kCurrentUser, Details::kRegeditKey, false).ReadValueString("LastKey", lastKey);
  EXPECT_EQ(std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser "
                        "Helper Objects\\") +
                kClsid,
            lastKey);
}

TEST_F(DetailsDlgShown, AnAcceptedOrphanOfferRemovesTheEntriesAndCloses) {
  world.Register(kClsid, world.File("gone.dll"));
  auto pBho = std::make_shared<BHO>(kClsid);
  pBho->LoadBHOAttrs();  // the file is missing: no checksum
  DetailsDlg dlg(nullptr);
  dlg.m_pBho = pBho;
  answers = {UserMessage::kIdOk, UserMessage::kIdOk, UserMessage::kIdOk};
  // Nobody presses a button: the window closes itself once the entries are gone.
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  ASSERT_EQ(3u, shown.size());
  EXPECT_EQ("The orphaned Registry entries for this BHO have been removed.", shown[2]);
  EXPECT_FALSE(MyRegistry(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + kClsid, false).IsOpen());
}

}  // namespace
