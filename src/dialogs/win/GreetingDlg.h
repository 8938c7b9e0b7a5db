// The greeting at start-up (dialog 160, resizable): a blue heading, the
// program's picture, a few words on getting started, and the check box
// that decides whether it shows again. The caller presets and reads
// m_nCheckShow and stores the choice.
#pragma once

#include <windows.h>

#include "common/ui/win/MyDialog.h"
#include "controls/win/MyButton.h"
#include "controls/win/MyStatic.h"

class GreetingDlg : public MyDialog {
 public:
  explicit GreetingDlg(HWND hParent);

  // Check box 1914: 1 ticked, 0 not; read back when the dialog closes.
  int m_nCheckShow = 0;

  static constexpr COLORREF kHeadingText = 0x00FF0000;        // blue
  static constexpr COLORREF kHeadingBackground = 0x00FFFFFF;  // white
  static constexpr int kHeadingHeight = 28;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;

 private:
  MyStatic m_heading;
  MyButton m_close;
};
