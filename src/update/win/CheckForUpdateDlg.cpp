#include "update/win/CheckForUpdateDlg.h"

#include "common/base/ErrorCheck.h"
#include "res/CheckForUpdateDlgRes.h"
#include "res/IconsRes.h"

namespace {

// The radio buttons in the order of the frequencies they stand for.
constexpr int kFirstRadio = IDC_UPDATE_RADIO_QUARTERLY;
constexpr int kLastRadio = IDC_UPDATE_RADIO_NEVER;

}  // namespace

CheckForUpdateDlg::CheckForUpdateDlg(HWND hParent)
    : MyDialog(IDD_CHECKFORUPDATEDLG, "CheckForUpdateDlg", hParent) {}

BOOL CheckForUpdateDlg::OnInitDialog() {
  LOG_ENTRY("CheckForUpdateDlg::OnInitDialog");
  MyDialog::OnInitDialog();
  const HWND hWnd = GetSafeHwnd();
  m_banner.SubclassDlgItem(IDC_UPDATE_BANNER, hWnd);
  m_banner.SetFont("Arial", kBannerHeight, FW_NORMAL);
  m_banner.SetTextColor(kBannerText);
  m_banner.SetBkColor(kBannerBackground);

  m_buttonCheckNow.Attach(IDC_UPDATE_CHECK_NOW, hWnd);
  m_buttonCheckNow.SetIcon(IDI_CHECK_NOW, 32, 32);
  m_buttonCancel.Attach(IDCANCEL, hWnd);
  m_buttonCancel.SetIcon(IDI_CANCEL, 16, 16);
  m_buttonOK.Attach(IDOK, hWnd);
  m_buttonOK.SetIcon(IDI_CLOSE, 16, 16);

  ReadFrequency();
  // A frequency the group does not know shows no choice.
  if (m_nRadio >= 0 && m_nRadio <= kLastRadio - kFirstRadio)
    ::CheckRadioButton(hWnd, kFirstRadio, kLastRadio, kFirstRadio + m_nRadio);
  return TRUE;
}

bool CheckForUpdateDlg::OnCommand(WORD id, WORD code, HWND hControl) {
  switch (id) {
    case IDC_UPDATE_CHECK_NOW: {
      HResult hr = kSOk;
      EC_H(hr, OnButtonCheckforupdate());
      return true;
    }
    case IDOK: OnOK(); return true;
    default: return MyDialog::OnCommand(id, code, hControl);
  }
}

void CheckForUpdateDlg::OnOK() {
  const HWND hWnd = GetSafeHwnd();
  if (hWnd) {
    m_nRadio = -1;
    for (int id = kFirstRadio; id <= kLastRadio; ++id)
      if (::IsDlgButtonChecked(hWnd, id) == BST_CHECKED) m_nRadio = id - kFirstRadio;
  }
  HResult hr = kSOk;
  EC_H(hr, SaveFrequency());
  if (hWnd) EndDialog(IDOK);
}
