// The "Tip of the Day" window (dialog 17910, resizable): a heading with a
// bulb, one hint from the string table, its counter, Next and Previous, and
// the check box that decides whether it opens at start. Constructing it
// already moves on to the hint after the one shown last time; destroying it
// remembers the hint on screen, so every start advances the hints even when
// the window is not shown.
#pragma once

#include <windows.h>

#include "common/ui/TipOfTheDay.h"
#include "common/ui/win/MyDialog.h"
#include "controls/win/MyButton.h"
#include "controls/win/MyStatic.h"

class MyTipDlg : public MyDialog {
 public:
  explicit MyTipDlg(HWND hParent);
  ~MyTipDlg() override;

  // Check box 17923: 1 ticked (open at start), 0 not.
  int m_bShowAtStartup = 1;
  // String id of the hint on screen.
  unsigned m_uiTipID = 0;

  const TipOfTheDay::Tips& GetTips() const { return m_tips; }

  static constexpr COLORREF kCounterText = 0x00FFFFFF;        // white
  static constexpr COLORREF kCounterBackground = 0x00804020;  // dark blue, for the white to read
  static constexpr COLORREF kWhite = 0x00FFFFFF;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void UpdateData();  // check box into m_bShowAtStartup
  void ShowTip();     // hint and counter into their controls
  void PaintHeading(const DRAWITEMSTRUCT& item) const;

  TipOfTheDay::Tips m_tips;
  MyStatic m_counter;
  MyButton m_next;
  MyButton m_previous;
  MyButton m_close;
  HBRUSH m_hbrWhite = nullptr;  // a stock object
};
