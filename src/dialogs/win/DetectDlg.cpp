#include "dialogs/win/DetectDlg.h"

#include "common/base/ErrorCheck.h"
#include "common/ui/win/GenericWin.h"
#include "dialogs/DetectSound.h"
#include "res/DetectDlgRes.h"

DetectDlg::DetectDlg(HWND hParent) : MyDialog(IDD_DETECTDLG, "DetectDlg", hParent) {}

BOOL DetectDlg::OnInitDialog() {
  LOG_ENTRY("DetectDlg::OnInitDialog");
  MyDialog::OnInitDialog();
  m_headline.SubclassDlgItem(IDC_DETECT_HEADLINE, GetSafeHwnd());
  m_headline.SetBkColor(kHeadlineBackground);
  m_headline.SetFont("", kHeadlineHeight, FW_BOLD);
  m_headline.SetTextColor(kHeadlineText);

  if (DetectSound::ShouldPlay(m_bTest, m_bPlaySound)) {
    // A failure is logged there; the alert shows regardless.
    m_bPlayedSound = Succeeded(Generic::PlayWaveResource(DetectSound::kWaveName));
  }
  return TRUE;
}
