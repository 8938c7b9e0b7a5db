#include "common/ui/win/MyMessageBoxDlg.h"

#include <commctrl.h>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/ui/DialogDefaults.h"
#include "common/ui/UserMessage.h"
#include "common/ui/win/GenericWin.h"
#include "common/ui/win/OwnerWindow.h"
#include "res/MyMessageBoxRes.h"
#include "res/resource.h"

namespace {

constexpr unsigned kButtonsMask = 0xF;
constexpr unsigned kIconMask = 0xF0;

// The edit field and the headline break lines the Windows way.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string WindowText(HWND hWnd) {
  char text[512] = {};
  ::GetWindowTextA(hWnd, text, sizeof text);
  return text;
}

}  // namespace

MyMessageBoxDlg::MyMessageBoxDlg(const MyMessageBox& box, HWND hParent)
    : MyDialog(IDD_MYMESSAGEBOX, "MyMessageBox", hParent),
      m_sText(box.GetText()),
      m_uiHeadlineId(box.GetCaptionId()),
      m_uiStyle(box.GetStyle()) {}

MyMessageBoxDlg::Look MyMessageBoxDlg::LookOf(unsigned style) {
  switch (style & kIconMask) {
    case MB_ICONQUESTION: return {RGB(255, 255, 255), IDI_QUESTION, IDS_MSGBOX_QUESTION};
    case MB_ICONEXCLAMATION: return {RGB(255, 255, 0), IDI_EXCLAMATION, IDS_MSGBOX_IMPORTANT};
    default: return {RGB(255, 255, 255), IDI_INFORMATION, IDS_MSGBOX_INFORMATION};
  }
}

BOOL MyMessageBoxDlg::OnInitDialog() {
  LOG_ENTRY("MyMessageBox::OnInitDialog");
  MyDialog::OnInitDialog();
  const HWND hWnd = GetSafeHwnd();
  ::MessageBeep(m_uiStyle);

  ::ShowWindow(::GetDlgItem(hWnd, IDC_MYMESSAGEBOX_DETAILS), SW_HIDE);
  const bool bOkOnly = (m_uiStyle & kButtonsMask) == MB_OK;
  if (bOkOnly) {
    // OK alone takes Cancel's place in the corner.
    const HWND hCancel = ::GetDlgItem(hWnd, IDCANCEL);
    RECT r{};
    ::GetWindowRect(hCancel, &r);
    ::MapWindowPoints(HWND_DESKTOP, hWnd, reinterpret_cast<POINT*>(&r), 2);
    ::ShowWindow(hCancel, SW_HIDE);
    ::SetWindowPos(::GetDlgItem(hWnd, IDOK), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }

  const Look look = LookOf(m_uiStyle);
  m_headline.SubclassDlgItem(IDC_MYMESSAGEBOX_HEADLINE, hWnd);
  m_headline.SetFont("", MyStatic::PointsToHeight(14), FW_BOLD);
  m_headline.SetTextColor(look.crHeadline);
  m_headline.SetBkColor(kHeadlineBackground);
  ::SetWindowTextA(hWnd, (Generic::LoadResString(look.prefixId) + WindowText(hWnd)).c_str());
  // A system icon: shared, never destroyed.
  if (const HICON hIcon = ::LoadIconA(nullptr, look.icon)) {
    ::SendMessageA(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
  } else {
    const DWORD dwError = ::GetLastError();
    LOG_ST(IDS_API_FAILURE, "::LoadIcon", dwError, Generic::GetErrorText(dwError));
  }

  ::SetDlgItemTextA(hWnd, IDC_MYMESSAGEBOX_TEXT, WithCrLf(m_sText).c_str());
  m_headline.SetWindowText(m_uiHeadlineId ? WithCrLf(Generic::LoadResString(m_uiHeadlineId)) : "");

  const int defaultId = (m_uiStyle & MB_DEFBUTTON2) && !bOkOnly ? IDCANCEL : IDOK;
  ::SendMessageA(hWnd, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
  // The other button loses the default frame it may have had in the template.
  ::SendDlgItemMessageA(hWnd, defaultId == IDOK ? IDCANCEL : IDOK, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  ::SendDlgItemMessageA(hWnd, defaultId, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  ::SetFocus(::GetDlgItem(hWnd, defaultId));

  if ((m_uiStyle & kButtonsMask) == MB_OKCANCEL) {
    const HWND hCheck = ::GetDlgItem(hWnd, IDC_MYMESSAGEBOX_CHECKSHOW);
    ::SetWindowTextA(
        hCheck, (WindowText(hCheck) + "  (Uncheck to default to your next choice from now on.)").c_str());
  }
  ::CheckDlgButton(hWnd, IDC_MYMESSAGEBOX_CHECKSHOW, m_nCheckShow ? BST_CHECKED : BST_UNCHECKED);

  if (DialogDefaults::s_bToolTipsEnabled) AddOwnToolTips();
  return FALSE;  // the focus is set
}

// The base gives no tips to ids of 10000 and more (the library's own), so
// this dialog adds its three itself.
void MyMessageBoxDlg::AddOwnToolTips() {
  const HWND hTip = GetToolTip();
  if (!hTip) return;
  for (int id : {IDC_MYMESSAGEBOX_TEXT, IDC_MYMESSAGEBOX_HEADLINE, IDC_MYMESSAGEBOX_CHECKSHOW}) {
    std::string sTip = Generic::LoadResString(static_cast<UINT>(id));
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetSafeHwnd();
    info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(GetSafeHwnd(), id));
    info.lpszText = sTip.data();
    ::SendMessageA(hTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

bool MyMessageBoxDlg::OnCommand(WORD id, WORD code, HWND hControl) {
  if (id != IDOK && id != IDCANCEL) return MyDialog::OnCommand(id, code, hControl);
  m_nCheckShow = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_MYMESSAGEBOX_CHECKSHOW) == BST_CHECKED ? 1 : 0;
  // Escape on a box with OK only answers OK, as the system's box does.
  const bool bOkOnly = (m_uiStyle & kButtonsMask) == MB_OK;
  EndDialog(bOkOnly ? IDOK : id);
  return true;
}

void InstallMessageBoxWindow() {
  MyMessageBox::SetPresenter([](const MyMessageBox& box, int& nCheckShow) {
    if (UserMessage::IsNonInteractive()) {
      // No desktop: the text goes where every other message goes.
      return UserMessage::Show(box.GetText(), box.GetStyle());
    }
    MyMessageBoxDlg dlg(box, Generic::GetPopupOwner());
    const INT_PTR answer = dlg.DoModal();
    if (answer == -1) {
      LOGE("MyMessageBox could not open its window; showing the system's box.\n");
      return UserMessage::Show(box.GetText(), box.GetStyle());
    }
    nCheckShow = dlg.m_nCheckShow;
    return static_cast<int>(answer);
  });
}
