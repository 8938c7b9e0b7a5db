#include "controls/win/MyScrollingText.h"

namespace {

constexpr double kTenthsPerPixel = 10.0;

}  // namespace

MyScrollingText::~MyScrollingText() {
  if (m_hWnd) {
    if (m_bTimer) ::KillTimer(m_hWnd, kTimerId);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
  }
  if (m_hBitmap) ::DeleteObject(m_hBitmap);
}

bool MyScrollingText::RegisterClass() {
  WNDCLASSA wc{};
  const HINSTANCE hInst = ::GetModuleHandleA(nullptr);
  if (::GetClassInfoA(hInst, kClassName, &wc)) return true;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = hInst;
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
  wc.lpszClassName = kClassName;
  return ::RegisterClassA(&wc) != 0;
}

bool MyScrollingText::Attach(int id, HWND hDialog) {
  m_hWnd = ::GetDlgItem(hDialog, id);
  if (!m_hWnd) return false;
  ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  m_hFont = reinterpret_cast<HFONT>(::SendMessageA(hDialog, WM_GETFONT, 0, 0));
  SpeedChanged();
  return true;
}

void MyScrollingText::AddItem(const std::string& text, COLORREF crText, COLORREF crBack) {
  m_items.push_back({text, crText, crBack});
  m_nTextWidth = -1;
  Invalidate();
}

void MyScrollingText::Clear() {
  m_items.clear();
  m_nTextWidth = -1;
  m_dOffset = 0;
  Invalidate();
}

void MyScrollingText::SetBkColor(COLORREF cr) {
  m_crBack = cr;
  Invalidate();
}

void MyScrollingText::SetTextColor(COLORREF cr) {
  m_crText = cr;
  Invalidate();
}

void MyScrollingText::SetSpeedSource(const int* pnSpeed) {
  m_pnSpeed = pnSpeed;
  SpeedChanged();
}

void MyScrollingText::SetSpeedOverride(int nSpeed) {
  m_nSpeedOverride = nSpeed;
  SpeedChanged();
}

int MyScrollingText::GetSpeed() const {
  if (m_nSpeedOverride >= 0) return m_nSpeedOverride;
  return m_pnSpeed ? *m_pnSpeed : 0;
}

void MyScrollingText::SpeedChanged() {
  if (!m_hWnd) return;
  const int nSpeed = GetSpeed();
  // Its own visibility: the dialog may not be shown yet; once it is closed
  // the window and its timer are gone.
  const bool bVisible = (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
  const bool bRun = nSpeed > 0 && bVisible;
  if (bRun) {
    // About one pixel a frame, but never more frames than the eye needs.
    UINT nMs = static_cast<UINT>(1000.0 * kTenthsPerPixel / nSpeed);
    if (nMs < kMinFrameMs) nMs = kMinFrameMs;
    if (nMs > 200) nMs = 200;
    if (!m_bTimer) m_dwLastTick = ::GetTickCount();
    m_bTimer = ::SetTimer(m_hWnd, kTimerId, nMs, nullptr) != 0;
  } else if (m_bTimer) {
    ::KillTimer(m_hWnd, kTimerId);
    m_bTimer = false;
  }
}

void MyScrollingText::Resize(int cx, int cy) {
  if (m_hWnd) ::SetWindowPos(m_hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string MyScrollingText::GetText() const {
  std::string text;
  for (const Item& item : m_items) text += item.text;
  return text;
}

int MyScrollingText::TextWidth() const {
  if (m_nTextWidth >= 0) return m_nTextWidth;
  int nWidth = 0;
  if (const HDC hdc = ::GetDC(m_hWnd)) {
    const HGDIOBJ old = m_hFont ? ::SelectObject(hdc, m_hFont) : nullptr;
    for (const Item& item : m_items) {
      SIZE size{};
      ::GetTextExtentPoint32A(hdc, item.text.c_str(), static_cast<int>(item.text.size()), &size);
      nWidth += size.cx;
    }
    if (old) ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
  }
  m_nTextWidth = nWidth;
  return nWidth;
}

void MyScrollingText::Advance(DWORD nMs) {
  if (!m_hWnd || m_bInCallback) return;
  m_dOffset += GetSpeed() * static_cast<double>(nMs) / (1000.0 * kTenthsPerPixel);
  RECT rc{};
  ::GetClientRect(m_hWnd, &rc);
  if (m_dOffset > rc.right + TextWidth()) {
    // Everything has gone out at the left: the owner decides what comes next.
    m_dOffset = 0;
    m_bInCallback = true;
    if (m_onFinished) m_onFinished();
    m_bInCallback = false;
  }
  Invalidate();
}

void MyScrollingText::Invalidate() {
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void MyScrollingText::Paint(HDC hdc) {
  RECT rc{};
  ::GetClientRect(m_hWnd, &rc);
  if (rc.right <= 0 || rc.bottom <= 0) return;
  if (!m_hBitmap || m_bitmapSize.cx != rc.right || m_bitmapSize.cy != rc.bottom) {
    if (m_hBitmap) ::DeleteObject(m_hBitmap);
    m_hBitmap = ::CreateCompatibleBitmap(hdc, rc.right, rc.bottom);
    m_bitmapSize = {rc.right, rc.bottom};
  }
  const HDC hMem = ::CreateCompatibleDC(hdc);
  if (!hMem || !m_hBitmap) {
    if (hMem) ::DeleteDC(hMem);
    return;
  }
  const HGDIOBJ oldBitmap = ::SelectObject(hMem, m_hBitmap);
  const HGDIOBJ oldFont = m_hFont ? ::SelectObject(hMem, m_hFont) : nullptr;
  ::SetBkColor(hMem, m_crBack);
  ::ExtTextOutA(hMem, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  int x = rc.right - static_cast<int>(m_dOffset);
  for (const Item& item : m_items) {
    SIZE size{};
    const int n = static_cast<int>(item.text.size());
    ::GetTextExtentPoint32A(hMem, item.text.c_str(), n, &size);
    if (x + size.cx > 0 && x < rc.right) {
      ::SetTextColor(hMem, item.crText == kDefault ? m_crText : item.crText);
      ::SetBkColor(hMem, item.crBack == kDefault ? m_crBack : item.crBack);
      RECT cell{x, 0, x + size.cx, rc.bottom};
      const int y = (rc.bottom - size.cy) / 2;
      ::ExtTextOutA(hMem, x, y, ETO_OPAQUE | ETO_CLIPPED, &cell, item.text.c_str(), static_cast<UINT>(n),
                    nullptr);
    }
    x += size.cx;
  }
  ::BitBlt(hdc, 0, 0, rc.right, rc.bottom, hMem, 0, 0, SRCCOPY);
  if (oldFont) ::SelectObject(hMem, oldFont);
  ::SelectObject(hMem, oldBitmap);
  ::DeleteDC(hMem);
}

LRESULT CALLBACK MyScrollingText::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* pThis = reinterpret_cast<MyScrollingText*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  if (pThis) return pThis->Handle(message, wParam, lParam);
  if (message == WM_ERASEBKGND) return 1;
  return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT MyScrollingText::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC hdc = ::BeginPaint(m_hWnd, &ps);
      if (hdc) Paint(hdc);
      ::EndPaint(m_hWnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SETFONT:
      m_hFont = reinterpret_cast<HFONT>(wParam);
      m_nTextWidth = -1;
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) {
        const DWORD dwNow = ::GetTickCount();
        const DWORD dwElapsed = dwNow - m_dwLastTick;
        m_dwLastTick = dwNow;
        // After a stall (a modal box) the text goes on where it was.
        Advance(dwElapsed > 200 ? 200 : dwElapsed);
        if (GetSpeed() <= 0) SpeedChanged();
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      // Showing and hiding end here, with the style already changed.
      const LRESULT result = ::DefWindowProcA(m_hWnd, message, wParam, lParam);
      SpeedChanged();
      return result;
    }
    case WM_LBUTTONDOWN:
      if (m_onClick && !m_bInCallback) {
        m_bInCallback = true;
        m_onClick();
        m_bInCallback = false;
      }
      return 0;
    case WM_DESTROY:
      if (m_bTimer) ::KillTimer(m_hWnd, kTimerId);
      m_bTimer = false;
      break;
    default: break;
  }
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}
