// The alert shown when the Browser Helper Object keys changed (dialog 148):
// a red-on-yellow headline, the request to look at the main screen and,
// when the user wants it, the alert sound.
#pragma once

#include <windows.h>

#include "common/ui/win/MyDialog.h"
#include "controls/win/MyStatic.h"

class DetectDlg : public MyDialog {
 public:
  explicit DetectDlg(HWND hParent);

  // The settings dialog's test message: the sound follows m_bPlaySound
  // instead of the user's "HowlEnabled".
  bool m_bTest = false;
  bool m_bPlaySound = false;

  // Whether this showing played the sound (known after initialisation).
  bool PlayedSound() const { return m_bPlayedSound; }

  static constexpr COLORREF kHeadlineText = 0x000000FF;        // red
  static constexpr COLORREF kHeadlineBackground = 0x0000FFFF;  // yellow
  static constexpr int kHeadlineHeight = 28;

 protected:
  BOOL OnInitDialog() override;

 private:
  MyStatic m_headline;
  bool m_bPlayedSound = false;
};
