#include "dialogs/win/AboutDlg.h"

#include "common/base/ErrorCheck.h"
#include "common/fileinfo/MyFileVersion.h"
#include "dialogs/AboutCore.h"
#include "res/AboutDlgRes.h"

CAboutDlg::CAboutDlg(HWND hParent) : MyDialog(IDD_ABOUTBOX, "CAboutDlg", hParent) {}

BOOL CAboutDlg::OnInitDialog() {
  LOG_ENTRY("CAboutDlg::OnInitDialog");
  MyDialog::OnInitDialog();
  const HWND hWnd = GetSafeHwnd();

  HResult hr = kSOk;
  char path[MAX_PATH] = {};
  EC_B(hr, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
  const std::string sAppPath = path;
  MyFileVersion mfv;
  bool bHasVersionInfo = false;
  EC_H(hr, mfv.Open(sAppPath, bHasVersionInfo));
  const std::string sVersion = Succeeded(hr) && bHasVersionInfo ? mfv.GetFileVersion() : std::string();

  m_version.SubclassDlgItem(IDC_ABOUT_VERSION, hWnd);
  m_version.SetFont("", kVersionHeight, FW_BOLD);
  m_version.SetTextColor(kVersionText);
  m_version.SetBkColor(GetBackgroundColor());
  m_version.SetWindowText(AboutCore::VersionLine(sVersion));

  m_webSite.SubclassDlgItem(IDC_ABOUT_WEBSITE, hWnd);
  m_webSite.SetLink(AboutCore::WebSiteUrl());
  m_supportMail.SubclassDlgItem(IDC_ABOUT_SUPPORT_MAIL, hWnd);
  m_supportMail.SetLink(AboutCore::SupportMailUrl(), AboutCore::kSupportAddress);
  m_releaseHistory.SubclassDlgItem(IDC_ABOUT_RELEASE_HISTORY, hWnd);
  m_releaseHistory.SetLink(AboutCore::ReleaseHistoryUrl(), "Click here to view Tarvolin's Release History");
  m_downloadSite.SubclassDlgItem(IDC_ABOUT_DOWNLOAD_SITE, hWnd);
  m_downloadSite.SetLink(AboutCore::kDownloadSiteUrl, AboutCore::kDownloadSiteText);

  m_emailLog.Attach(IDC_ABOUT_EMAIL_LOG, hWnd);
  m_emailLog.SetIcon(IDI_ABOUT_EMAIL_LOG, 32, 32);
  m_emailFriend.Attach(IDC_ABOUT_EMAIL_FRIEND, hWnd);
  m_emailFriend.SetIcon(IDI_ABOUT_EMAIL_FRIEND, 32, 32);
  return TRUE;
}

bool CAboutDlg::OnCommand(WORD id, WORD code, HWND hControl) {
  switch (id) {
    // The two mails are not written yet: the buttons only say they were pressed.
    case IDC_ABOUT_EMAIL_LOG: LOGA("E-mail us your logfile chosen.\n"); return true;
    case IDC_ABOUT_EMAIL_FRIEND: LOGA("E-mail a friend chosen.\n"); return true;
    default: return MyDialog::OnCommand(id, code, hControl);
  }
}
