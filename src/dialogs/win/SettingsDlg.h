// The settings dialog (143): the last update check, factory defaults,
// tooltips, the grid's header colour, the alert sound and its test, the
// statistics, the about and tip dialogs, the donation button and the
// scrolling banner with its speed. What it shows and stores comes from
// SettingsCore and BannerMessages.
#pragma once

#include <windows.h>

#include "common/ui/win/MyDialog.h"
#include "controls/win/MyButton.h"
#include "controls/win/MyColourPicker.h"
#include "controls/win/MyScrollingText.h"
#include "dialogs/SettingsCore.h"

class SettingsDlg : public MyDialog {
 public:
  explicit SettingsDlg(HWND hParent);
  ~SettingsDlg() override;

  // The banner's speed for the rest of the run (the spin changes it even
  // when the dialog is cancelled).
  static int m_nSpeed;

  // Called by the banner: its text has scrolled out; and it was clicked
  // (which skips to the next message).
  void BannerTextFinished();
  void BannerItemClick();

  // For tests.
  MyScrollingText& Banner() { return m_banner; }
  MyColourPicker& ColourPicker() { return m_colourPicker; }
  // Whether the last test message played the sound.
  bool TestPlayedSound() const { return m_bTestPlayedSound; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void SetButtonImages();
  void ShowBannerOrStatic();
  void InstallBannerCallbacks();
  void OnBnClickedOk();
  void OnBnClickedSettingsCheckRestore();
  void OnBnClickedSettingsButtonTip();
  void OnBnClickedSettingsButtonAbout();
  void OnBnClickedSettingsButtonTest();
  void OnBnClickedSettingsButtonStats();
  void OnBnClickedSettingsButtonPaypal();
  // The spin moved by `nDelta`: true when the dialog took the change.
  void OnDeltaposSettingsSpin(int nDelta);

  MyScrollingText m_banner;
  MyColourPicker m_colourPicker;
  MyButton m_buttons[4];
  bool m_bTestPlayedSound = false;
  HBITMAP m_hPaypal = nullptr;  // loaded at the button's size: deleted with the dialog
};
