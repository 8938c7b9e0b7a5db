#include "dialogs/win/GreetingDlg.h"

#include "common/base/ErrorCheck.h"
#include "common/ui/DialogLayout.h"
#include "common/ui/win/GenericWin.h"
#include "res/GreetingDlgRes.h"
#include "res/IconsRes.h"

namespace {

// The text breaks lines the Windows way in a static control too.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

GreetingDlg::GreetingDlg(HWND hParent) : MyDialog(IDD_GREETINGDLG, "GreetingDlg", hParent) {
  using namespace DialogLayout;
  SetAnchor(IDC_GREETING_HEADING, kGrowX | kGrowY);
  SetAnchor(IDC_GREETING_PICTURE, kMoveY);
  SetAnchor(IDC_GREETING_TEXT, kMoveY | kGrowX);
  SetAnchor(IDC_GREETING_EXTRA, kMoveY | kGrowX);
}

BOOL GreetingDlg::OnInitDialog() {
  LOG_ENTRY("GreetingDlg::OnInitDialog");
  MyDialog::OnInitDialog();
  const HWND hWnd = GetSafeHwnd();
  m_heading.SubclassDlgItem(IDC_GREETING_HEADING, hWnd);
  m_heading.SetFont("Arial", kHeadingHeight, FW_BOLD);
  m_heading.SetTextColor(kHeadingText);
  m_heading.SetBkColor(kHeadingBackground);
  m_close.Attach(IDOK, hWnd);
  m_close.SetIcon(IDI_CLOSE, 16, 16);
  ::SetDlgItemTextA(hWnd, IDC_GREETING_TEXT, WithCrLf(Generic::LoadResString(IDS_GREETING_TEXT)).c_str());
  ::CheckDlgButton(hWnd, IDC_GREETING_CHECKSHOW, m_nCheckShow ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

bool GreetingDlg::OnCommand(WORD id, WORD code, HWND hControl) {
  if (id == IDOK || id == IDCANCEL)
    m_nCheckShow = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_GREETING_CHECKSHOW) == BST_CHECKED ? 1 : 0;
  return MyDialog::OnCommand(id, code, hControl);
}
