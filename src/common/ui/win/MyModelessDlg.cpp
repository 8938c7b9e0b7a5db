#include "common/ui/win/MyModelessDlg.h"

#include <commctrl.h>

#include <memory>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericStrings.h"
#include "common/ui/win/GenericWin.h"
#include "common/ui/win/OwnerWindow.h"
#include "res/IconsRes.h"
#include "res/MyModelessDlgRes.h"

namespace {

constexpr int kProgressRange = 1000;  // the bar's steps; byte counts are scaled to it

}  // namespace

MyModelessDlg::MyModelessDlg(HWND hParent) : MyDialog(IDD_MYMODELESSDLG, "MyModelessDlg", hParent) {
  HResult hr = kSOk;
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&classes);
  EC_B_TEXT(hr, "Create(MyModelessDlg::IDD, pParent)", MyDialog::Create());
  if (Succeeded(hr))
    ::ShowWindow(GetSafeHwnd(), SW_SHOWNOACTIVATE);
  else
    LOGE("EC_ skipped executing <%s>.\n", "ShowWindow(SW_SHOWNOACTIVATE)");
  SetMessage("");
  const HWND hTop = hParent ? hParent : Generic::GetPopupOwner();
  if (hTop && hTop != GetSafeHwnd()) {
    hr = kSOk;
    EC_B_TEXT(hr, "pParent->SetWindowPos(&CWnd::wndTop, 0,0,0,0, SWP_NOMOVE | SWP_NOSIZE)",
              ::SetWindowPos(hTop, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  }
}

BOOL MyModelessDlg::OnInitDialog() {
  LOG_ENTRY("MyModelessDlg::OnInitDialog");
  HResult hr = kSOk;
  m_hbrBackground.Reset(::CreateSolidBrush(kBackground));
  const HWND hAnimate = ::GetDlgItem(GetSafeHwnd(), IDC_MYMODELESSDLG_ANIMATE);
  EC_B_TEXT(hr, "m_animate.Open(IDR_MYMODELESSDLG_AVI)",
            ::SendMessageA(hAnimate, ACM_OPENA, reinterpret_cast<WPARAM>(::GetModuleHandleA(nullptr)),
                           reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_MYMODELESSDLG_AVI))));
  // From the first frame to the last, without end.
  EC_B_TEXT(hr, "m_animate.Play(0, -1, -1)",
            ::SendMessageA(hAnimate, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF)));
  const HWND hProgress = ::GetDlgItem(GetSafeHwnd(), IDC_MYMODELESSDLG_PROGRESS);
  ::SendMessageA(hProgress, PBM_SETRANGE32, 0, kProgressRange);
  ::SendMessageA(hProgress, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(kBackground));
  return FALSE;  // shown without the focus
}

void MyModelessDlg::SetMessage(const std::string& text) {
  std::string sMessage = Generic::Trim(text);
  for (char& c : sMessage)
    if (c == '%') c = '_';
  m_sMessage = sMessage;
  if (GetSafeHwnd()) ::SetDlgItemTextA(GetSafeHwnd(), IDC_MYMODELESSDLG_MESSAGE, m_sMessage.c_str());
  Generic::PumpMessages();
}

void MyModelessDlg::SetProgress(std::uint64_t done, std::uint64_t total) {
  if (!GetSafeHwnd()) return;
  const std::uint64_t position =
      total == 0 ? 0 : (done >= total ? kProgressRange : done * kProgressRange / total);
  ::SendDlgItemMessageA(GetSafeHwnd(), IDC_MYMODELESSDLG_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position),
                        0);
  Generic::PumpMessages();
}

bool MyModelessDlg::OnCommand(WORD id, WORD, HWND) {
  // Escape and Enter do not close the window; the operation owns it.
  if (id == IDOK || id == IDCANCEL) return true;
  if (id != IDC_MYMODELESSDLG_CANCEL) return false;
  ::EnableWindow(::GetDlgItem(GetSafeHwnd(), IDC_MYMODELESSDLG_CANCEL), FALSE);
  m_bCancelled = true;
  return true;
}

bool MyModelessDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      result = reinterpret_cast<INT_PTR>(m_hbrBackground.Get());
      return true;
    default: return false;
  }
}

void InstallProgressWindow() {
  ProgressWindow::SetFactory([]() -> std::unique_ptr<ProgressWindow> {
    return std::make_unique<MyModelessDlg>(Generic::GetPopupOwner());
  });
}
