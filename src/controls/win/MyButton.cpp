#include "controls/win/MyButton.h"

bool MyButton::Attach(int id, HWND hDialog) {
  m_hWnd = ::GetDlgItem(hDialog, id);
  return m_hWnd != nullptr;
}

bool MyButton::SetIcon(UINT iconId, int cx, int cy) {
  if (!m_hWnd) return false;
  UniqueIcon icon(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId),
                                                  IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR)));
  if (!icon) return false;
  // The button draws the new icon; the old one is released only after it
  // has let go of it.
  ::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.Get()));
  m_icon = std::move(icon);
  return true;
}
