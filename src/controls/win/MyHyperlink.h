// A static text control that acts as a web link: underlined text in the
// link colour (another once followed), the hand cursor over it, and a click
// that opens its address through the shell.
#pragma once

#include <windows.h>

#include <string>

#include "common/ui/win/GdiHandle.h"
#include "controls/Hyperlink.h"

class MyHyperlink {
 public:
  MyHyperlink() = default;
  ~MyHyperlink();
  MyHyperlink(const MyHyperlink&) = delete;
  MyHyperlink& operator=(const MyHyperlink&) = delete;

  // Takes over the dialog's static control `id`; false when there is none.
  bool SubclassDlgItem(int id, HWND hDialog);
  HWND GetSafeHwnd() const { return m_hWnd; }

  // `sText` empty shows the address itself.
  void SetLink(const std::string& sAddress, const std::string& sText = std::string());
  const Hyperlink& Link() const { return m_link; }
  // What a click does.
  bool Follow();

 private:
  static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  void Paint(HDC hdc);

  HWND m_hWnd = nullptr;
  Hyperlink m_link;
  UniqueFont m_font;  // the control's font, underlined
};
