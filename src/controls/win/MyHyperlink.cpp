#include "controls/win/MyHyperlink.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 0x4C4B;  // "LK"

}  // namespace

MyHyperlink::~MyHyperlink() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::RemoveWindowSubclass(m_hWnd, &SubclassProc, kSubclassId);
}

bool MyHyperlink::SubclassDlgItem(int id, HWND hDialog) {
  const HWND hWnd = ::GetDlgItem(hDialog, id);
  if (!hWnd || !::SetWindowSubclass(hWnd, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  m_hWnd = hWnd;
  // Clicks reach a static control only with SS_NOTIFY.
  ::SetWindowLongPtrA(hWnd, GWL_STYLE, ::GetWindowLongPtrA(hWnd, GWL_STYLE) | SS_NOTIFY);
  LOGFONTA lf{};
  const HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(hDialog, WM_GETFONT, 0, 0));
  if (hFont && ::GetObjectA(hFont, sizeof lf, &lf)) {
    lf.lfUnderline = TRUE;
    m_font.Reset(::CreateFontIndirectA(&lf));
  }
  return true;
}

void MyHyperlink::SetLink(const std::string& sAddress, const std::string& sText) {
  m_link.SetAddress(sAddress);
  m_link.SetText(sText);
  if (m_hWnd) {
    ::SetWindowTextA(m_hWnd, m_link.GetText().c_str());
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
  }
}

bool MyHyperlink::Follow() {
  const bool bOpened = m_link.Follow();
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
  return bOpened;
}

void MyHyperlink::Paint(HDC hdc) {
  RECT rc{};
  ::GetClientRect(m_hWnd, &rc);
  const HWND hParent = ::GetParent(m_hWnd);
  // The dialog's own background for static controls.
  const HBRUSH hbr = reinterpret_cast<HBRUSH>(::SendMessageA(
      hParent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(m_hWnd)));
  ::FillRect(hdc, &rc, hbr ? hbr : ::GetSysColorBrush(COLOR_BTNFACE));
  const HGDIOBJ oldFont = m_font ? ::SelectObject(hdc, m_font.Get()) : nullptr;
  ::SetBkMode(hdc, TRANSPARENT);
  ::SetTextColor(hdc, static_cast<COLORREF>(m_link.GetColour()));
  const std::string& sText = m_link.GetText();
  ::DrawTextA(hdc, sText.c_str(), -1, &rc, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (oldFont) ::SelectObject(hdc, oldFont);
}

LRESULT CALLBACK MyHyperlink::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
  MyHyperlink* link = reinterpret_cast<MyHyperlink*>(self);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC hdc = ::BeginPaint(hWnd, &ps);
      link->Paint(hdc);
      ::EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: link->Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SETCURSOR: ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND))); return TRUE;
    case WM_LBUTTONUP: link->Follow(); return 0;
    case WM_NCDESTROY: ::RemoveWindowSubclass(hWnd, &SubclassProc, kSubclassId); break;
    default: break;
  }
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}
