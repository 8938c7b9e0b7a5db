// The check for updates (dialog 150): the banner, the Check NOW button and
// the radio group of the check frequency. The check itself, and the
// automatic one that runs on an object without a window, are the core's
// (CheckForUpdateCore); the window moves the frequency between the core
// and the radio group and closes after a check.
#pragma once

#include <windows.h>

#include "common/ui/win/MyDialog.h"
#include "controls/win/MyButton.h"
#include "controls/win/MyStatic.h"
#include "update/CheckForUpdateCore.h"

class CheckForUpdateDlg : public MyDialog, public CheckForUpdateCore {
 public:
  explicit CheckForUpdateDlg(HWND hParent = nullptr);

  static constexpr COLORREF kBannerText = 0x00FF0000;        // blue
  static constexpr COLORREF kBannerBackground = 0x00FFFFFF;  // white
  static constexpr int kBannerHeight = 28;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;
  bool HasWindow() const override { return GetSafeHwnd() != nullptr; }
  // The radio group's choice is saved and the dialog closes.
  void OnOK() override;

 private:
  MyStatic m_banner;
  MyButton m_buttonCheckNow;
  MyButton m_buttonOK;
  MyButton m_buttonCancel;
};
