// A push button from a dialog template that shows an icon of the program's
// resources beside its text (the button keeps BS_ICON off, so the text
// stays). The button owns the icon.
#pragma once

#include <windows.h>

#include "common/ui/win/GdiHandle.h"

class MyButton {
 public:
  MyButton() = default;
  MyButton(const MyButton&) = delete;
  MyButton& operator=(const MyButton&) = delete;

  // Takes the dialog's button `id`; false when there is none.
  bool Attach(int id, HWND hDialog);
  HWND GetSafeHwnd() const { return m_hWnd; }

  // Loads icon resource `iconId` at cx x cy pixels and shows it; false when
  // it cannot be loaded (the button keeps its text only).
  bool SetIcon(UINT iconId, int cx, int cy);
  HICON GetIcon() const { return m_icon.Get(); }

 private:
  HWND m_hWnd = nullptr;
  UniqueIcon m_icon;
};
