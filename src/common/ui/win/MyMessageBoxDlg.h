// The message box's window (dialog 19000): a headline coloured by the icon
// style, the type of message in front of the caption, the text, and the
// "Always show this message." check box whose answer the portable
// MyMessageBox remembers per call site.
#pragma once

#include <windows.h>

#include <string>

#include "common/ui/MyMessageBox.h"
#include "common/ui/win/MyDialog.h"
#include "controls/win/MyStatic.h"

class MyMessageBoxDlg : public MyDialog {
 public:
  MyMessageBoxDlg(const MyMessageBox& box, HWND hParent);

  // The check box: 1 ticked (the start), 0 not; read when the box closes.
  int m_nCheckShow = 1;

  // The headline's colours and the caption prefix by the style's icon bits.
  struct Look {
    COLORREF crHeadline;
    LPCSTR icon;  // a system icon (IDI_...)
    UINT prefixId;
  };
  static Look LookOf(unsigned style);
  static constexpr COLORREF kHeadlineBackground = RGB(24, 44, 96);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;

 private:
  void AddOwnToolTips();

  std::string m_sText;
  UINT m_uiHeadlineId;
  unsigned m_uiStyle;
  MyStatic m_headline;
};

// Makes every MyMessageBox show this window, modally, owned by the active
// window (else the main window).
void InstallMessageBoxWindow();
