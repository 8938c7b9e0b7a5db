#include "dialogs/win/SettingsDlg.h"

#include <commctrl.h>

#include "common/base/DateText.h"
#include "common/base/ErrorCheck.h"
#include "common/ui/DialogDefaults.h"
#include "common/ui/UserMessage.h"
#include "common/ui/win/MyTipDlg.h"
#include "dialogs/BannerMessages.h"
#include "dialogs/win/AboutDlg.h"
#include "dialogs/win/DetectDlg.h"
#include "dialogs/win/StatsDlg.h"
#include "res/SettingsDlgRes.h"
#include "res/resource.h"

int SettingsDlg::m_nSpeed = Settings::kDefaultSpeed;

namespace {

constexpr int kPaypalCx = 62;
constexpr int kPaypalCy = 31;

}  // namespace

SettingsDlg::SettingsDlg(HWND hParent) : MyDialog(IDD_SETTINGSDLG, "SettingsDlg", hParent) {
  // The dialog resource names the banner's class.
  MyScrollingText::RegisterClass();
}

SettingsDlg::~SettingsDlg() {
  if (m_hPaypal) ::DeleteObject(m_hPaypal);
}

BOOL SettingsDlg::OnInitDialog() {
  LOG_ENTRY("SettingsDlg::OnInitDialog");
  MyDialog::OnInitDialog();
  const HWND hWnd = GetSafeHwnd();
  SetButtonImages();

  const Settings::Values values =
      Settings::Load(DialogDefaults::s_bToolTipsEnabled, m_nSpeed, DateText::Now());
  ::SetDlgItemTextA(hWnd, IDC_SETTINGS_EDIT_LASTCHECK, values.lastCheck.sWhen.c_str());
  ::SetDlgItemTextA(hWnd, IDC_SETTINGS_STATIC_SINCE, values.lastCheck.sSince.c_str());
  if (values.bRestorePending) {
    // A reset is already on its way.
    ::CheckDlgButton(hWnd, IDC_SETTINGS_CHECK_RESTORE, BST_CHECKED);
    ::EnableWindow(::GetDlgItem(hWnd, IDC_SETTINGS_CHECK_RESTORE), FALSE);
  }
  ::CheckDlgButton(hWnd, IDC_SETTINGS_CHECK_TOOLTIPS, values.bToolTips ? BST_CHECKED : BST_UNCHECKED);

  m_colourPicker.Attach(IDC_SETTINGS_COLOR_HEADER, hWnd);
  m_colourPicker.SetDefaultColour(Settings::kDefaultHeaderColour, "Default");
  m_colourPicker.SetShowDefaultText(true);
  m_colourPicker.SetFullOpen(true);
  m_colourPicker.SetColour(values.crHeader);

  m_nSpeed = values.nSpeed;
  const HWND hSpin = ::GetDlgItem(hWnd, IDC_SETTINGS_SPIN);
  ::SendMessageA(hSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(hWnd, IDC_SETTINGS_EDIT_SPEED)),
                 0);
  ::SendMessageA(hSpin, UDM_SETRANGE32, Settings::kMinSpeed, Settings::kMaxSpeed);
  UDACCEL accel{0, Settings::kSpeedStep};
  ::SendMessageA(hSpin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  ::SendMessageA(hSpin, UDM_SETPOS32, 0, m_nSpeed);
  ::SetDlgItemInt(hWnd, IDC_SETTINGS_EDIT_SPEED, static_cast<UINT>(m_nSpeed), FALSE);

  m_banner.Attach(IDC_SETTINGS_BANNER, hWnd);
  m_banner.SetBkColor(GetBackgroundColor());
  m_banner.SetSpeedSource(&m_nSpeed);
  InstallBannerCallbacks();
  m_banner.AddItem(Banner::kFirstText);
  ShowBannerOrStatic();

  ::CheckDlgButton(hWnd, IDC_SETTINGS_CHECK_SOUND, values.bHowl ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void SettingsDlg::SetButtonImages() {
  const struct {
    int id;
    UINT icon;
  } buttons[] = {{IDC_SETTINGS_BUTTON_TIP, IDI_SETTINGS_TIP},
                 {IDC_SETTINGS_BUTTON_TEST, IDI_SETTINGS_TEST},
                 {IDC_SETTINGS_BUTTON_STATS, IDI_SETTINGS_STATS},
                 {IDC_SETTINGS_BUTTON_ABOUT, IDR_MAINFRAME}};
  for (std::size_t i = 0; i < std::size(buttons); ++i)
    if (m_buttons[i].Attach(buttons[i].id, GetSafeHwnd())) m_buttons[i].SetIcon(buttons[i].icon, 32, 32);
  m_hPaypal =
      static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SETTINGS_PAYPAL),
                                        IMAGE_BITMAP, kPaypalCx, kPaypalCy, 0));
  if (m_hPaypal)
    ::SendDlgItemMessageA(GetSafeHwnd(), IDC_SETTINGS_BUTTON_PAYPAL, BM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(m_hPaypal));
}

void SettingsDlg::InstallBannerCallbacks() {
  m_banner.SetTextFinishedCallback([this] { BannerTextFinished(); });
  m_banner.SetClickCallback([this] { BannerItemClick(); });
}

void SettingsDlg::ShowBannerOrStatic() {
  const HWND hWnd = GetSafeHwnd();
  const bool bScroll = m_nSpeed != 0;
  ::ShowWindow(m_banner.GetSafeHwnd(), bScroll ? SW_SHOW : SW_HIDE);
  ::ShowWindow(::GetDlgItem(hWnd, IDC_SETTINGS_STATIC_SPYWARE), bScroll ? SW_HIDE : SW_SHOW);
  m_banner.SpeedChanged();
}

void SettingsDlg::BannerItemClick() { BannerTextFinished(); }

void SettingsDlg::BannerTextFinished() {
  LOG_ENTRY("SettingsDlg::BannerTextFinished");
  m_banner.Clear();
  m_banner.SetSpeedOverride(-1);
  Banner::Sequence& sequence = Banner::Sequence::Current();
  if (sequence.TakeEndFlag()) {
    const int nAnswer =
        UserMessage::Show(Banner::kEndQuestion, UserMessage::kOkCancel | UserMessage::kIconQuestion);
    if (nAnswer == UserMessage::kIdOk)
      ::PostMessageA(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_BUTTON_PAYPAL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(::GetDlgItem(GetSafeHwnd(), IDC_SETTINGS_BUTTON_PAYPAL)));
  }
  const Banner::Message message = sequence.Next();
  if (message.cx > 0) m_banner.Resize(message.cx, message.cy);
  if (message.nSpeed >= 0) m_banner.SetSpeedOverride(message.nSpeed);
  for (const Banner::Item& item : message.items) m_banner.AddItem(item.text, item.crText, item.crBack);
}

void SettingsDlg::OnBnClickedOk() {
  const HWND hWnd = GetSafeHwnd();
  BOOL bTranslated = FALSE;
  const UINT nSpeed = ::GetDlgItemInt(hWnd, IDC_SETTINGS_EDIT_SPEED, &bTranslated, FALSE);
  if (bTranslated) m_nSpeed = Settings::ClampSpeed(nSpeed);
  Settings::Values values;
  values.crHeader = m_colourPicker.GetColour();
  values.nSpeed = m_nSpeed;
  values.bToolTips = ::IsDlgButtonChecked(hWnd, IDC_SETTINGS_CHECK_TOOLTIPS) == BST_CHECKED;
  values.bHowl = ::IsDlgButtonChecked(hWnd, IDC_SETTINGS_CHECK_SOUND) == BST_CHECKED;
  HResult hr = kSOk;
  EC_H(hr, Settings::Save(values));
  EndDialog(IDOK);
}

void SettingsDlg::OnBnClickedSettingsCheckRestore() {
  const HWND hWnd = GetSafeHwnd();
  if (::IsDlgButtonChecked(hWnd, IDC_SETTINGS_CHECK_RESTORE) != BST_CHECKED) return;
  if (Settings::ConfirmRestore())
    ::EnableWindow(::GetDlgItem(hWnd, IDC_SETTINGS_CHECK_RESTORE), FALSE);
  else
    ::CheckDlgButton(hWnd, IDC_SETTINGS_CHECK_RESTORE, BST_UNCHECKED);
}

void SettingsDlg::OnBnClickedSettingsButtonTip() {
  LOG_ENTRY("SettingsDlg::OnBnClickedSettingsButtonTip");
  MyTipDlg dlg(GetSafeHwnd());
  dlg.DoModal();
}

void SettingsDlg::OnBnClickedSettingsButtonAbout() {
  LOG_ENTRY("SettingsDlg::OnBnClickedSettingsButtonAbout");
  CAboutDlg dlg(GetSafeHwnd());
  dlg.DoModal();
}

void SettingsDlg::OnBnClickedSettingsButtonTest() {
  LOG_ENTRY("SettingsDlg::OnBnClickedSettingsButtonTest");
  DetectDlg dlg(GetSafeHwnd());
  dlg.m_bTest = true;
  dlg.m_bPlaySound = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_SETTINGS_CHECK_SOUND) == BST_CHECKED;
  dlg.DoModal();
  m_bTestPlayedSound = dlg.PlayedSound();
}

void SettingsDlg::OnBnClickedSettingsButtonStats() {
  LOG_ENTRY("SettingsDlg::OnBnClickedSettingsButtonStats");
  StatsDlg dlg(GetSafeHwnd());
  dlg.DoModal();
}

void SettingsDlg::OnBnClickedSettingsButtonPaypal() {
  HResult hr = kSOk;
  EC_H(hr, Settings::OpenDonationPage());
}

void SettingsDlg::OnDeltaposSettingsSpin(int nDelta) {
  const HWND hWnd = GetSafeHwnd();
  BOOL bTranslated = FALSE;
  const UINT nShown = ::GetDlgItemInt(hWnd, IDC_SETTINGS_EDIT_SPEED, &bTranslated, FALSE);
  const int nCurrent = bTranslated ? Settings::ClampSpeed(nShown) : m_nSpeed;
  int nNew = nCurrent;
  if (!Settings::StepSpeed(nCurrent, nDelta, nNew)) {
    ::MessageBeep(0xFFFFFFFF);
    return;
  }
  ::SetDlgItemInt(hWnd, IDC_SETTINGS_EDIT_SPEED, static_cast<UINT>(nNew), FALSE);
  ::SendDlgItemMessageA(hWnd, IDC_SETTINGS_SPIN, UDM_SETPOS32, 0, nNew);
  m_nSpeed = nNew;
  m_banner.SetSpeedSource(&m_nSpeed);
  ShowBannerOrStatic();
  InstallBannerCallbacks();
}

bool SettingsDlg::OnCommand(WORD id, WORD code, HWND hControl) {
  if (id == IDOK) {
    OnBnClickedOk();
    return true;
  }
  if (code != BN_CLICKED) return MyDialog::OnCommand(id, code, hControl);
  switch (id) {
    case IDC_SETTINGS_CHECK_RESTORE: OnBnClickedSettingsCheckRestore(); return true;
    case IDC_SETTINGS_BUTTON_TIP: OnBnClickedSettingsButtonTip(); return true;
    case IDC_SETTINGS_BUTTON_ABOUT: OnBnClickedSettingsButtonAbout(); return true;
    case IDC_SETTINGS_BUTTON_TEST: OnBnClickedSettingsButtonTest(); return true;
    case IDC_SETTINGS_BUTTON_STATS: OnBnClickedSettingsButtonStats(); return true;
    case IDC_SETTINGS_BUTTON_PAYPAL: OnBnClickedSettingsButtonPaypal(); return true;
    case IDC_SETTINGS_COLOR_HEADER: m_colourPicker.OnClicked(); return true;
    default: return MyDialog::OnCommand(id, code, hControl);
  }
}

bool SettingsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_NOTIFY: {
      const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
      if (pHdr->idFrom != IDC_SETTINGS_SPIN || pHdr->code != UDN_DELTAPOS) return false;
      OnDeltaposSettingsSpin(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
      // The dialog has moved the value itself (or refused to).
      ::SetWindowLongPtrA(GetSafeHwnd(), DWLP_MSGRESULT, TRUE);
      result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* pDis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (wParam != IDC_SETTINGS_COLOR_HEADER) return false;
      m_colourPicker.DrawItem(*pDis);
      result = TRUE;
      return true;
    }
    default: return false;
  }
}
