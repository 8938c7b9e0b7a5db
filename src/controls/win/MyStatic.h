// A static text control that paints itself with its own font and colours
// (the dialog base leaves it alone), into a memory bitmap so that it never
// flickers. The control comes from a dialog template and is subclassed.
#pragma once

#include <windows.h>

#include <string>

#include "common/ui/win/GdiHandle.h"

class MyStatic {
 public:
  MyStatic() = default;
  ~MyStatic();
  MyStatic(const MyStatic&) = delete;
  MyStatic& operator=(const MyStatic&) = delete;

  // Takes over the dialog's control `id`; false when there is none.
  bool SubclassDlgItem(int id, HWND hDialog);
  HWND GetSafeHwnd() const { return m_hWnd; }

  // `face` empty keeps the control's face; `height` as LOGFONT's lfHeight
  // (negative: character height, as PointsToHeight gives); `weight` 400
  // normal, 700 bold.
  bool SetFont(const std::string& face, int height, int weight);
  void SetTextColor(COLORREF colour);
  // Without one the parent's static-control brush shows through.
  void SetBkColor(COLORREF colour);
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;

  HFONT GetFont() const { return m_font.Get(); }
  COLORREF GetTextColor() const { return m_crText; }
  COLORREF GetBkColor() const { return m_crBackground; }

  // The lfHeight of a font of `points` on this screen.
  static int PointsToHeight(int points);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  void Paint(HDC hdc);

  HWND m_hWnd = nullptr;
  UniqueFont m_font;
  COLORREF m_crText = ::GetSysColor(COLOR_BTNTEXT);
  COLORREF m_crBackground = CLR_INVALID;
  UniqueBrush m_hbrBackground;
};
