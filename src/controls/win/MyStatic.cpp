#include "controls/win/MyStatic.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace {

constexpr UINT_PTR kSubclassId = 0x4D79;  // "My"
constexpr int kMargin = 8;                // pixels left and right of the text

}  // namespace

MyStatic::~MyStatic() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::RemoveWindowSubclass(m_hWnd, &SubclassProc, kSubclassId);
}

bool MyStatic::SubclassDlgItem(int id, HWND hDialog) {
  const HWND hWnd = ::GetDlgItem(hDialog, id);
  if (!hWnd || !::SetWindowSubclass(hWnd, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  m_hWnd = hWnd;
  return true;
}

int MyStatic::PointsToHeight(int points) {
  const HDC hdc = ::GetDC(nullptr);
  const int height = -::MulDiv(points, ::GetDeviceCaps(hdc, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, hdc);
  return height;
}

bool MyStatic::SetFont(const std::string& face, int height, int weight) {
  LOGFONTA lf{};
  const auto current = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
  if (!current || !::GetObjectA(current, sizeof lf, &lf))
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  if (!face.empty()) {
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    face.copy(lf.lfFaceName, sizeof lf.lfFaceName - 1);
  }
  lf.lfHeight = height;
  lf.lfWidth = 0;
  lf.lfWeight = weight;
  UniqueFont font(::CreateFontIndirectA(&lf));
  if (!font) return false;
  // WM_GETFONT answers the font in use; the control never deletes it.
  ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  m_font = std::move(font);
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
  return true;
}

void MyStatic::SetTextColor(COLORREF colour) {
  m_crText = colour;
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void MyStatic::SetBkColor(COLORREF colour) {
  m_crBackground = colour;
  m_hbrBackground.Reset(::CreateSolidBrush(colour));
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void MyStatic::SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }

std::string MyStatic::GetWindowText() const {
  std::vector<char> text(static_cast<std::size_t>(::GetWindowTextLengthA(m_hWnd)) + 1);
  const int n = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

void MyStatic::Paint(HDC hdc) {
  RECT client{};
  ::GetClientRect(m_hWnd, &client);
  // Everything is drawn into a bitmap first and copied at once.
  const HDC hMem = ::CreateCompatibleDC(hdc);
  UniqueBitmap bitmap(::CreateCompatibleBitmap(hdc, client.right, client.bottom));
  const HGDIOBJ oldBitmap = ::SelectObject(hMem, bitmap.Get());

  HBRUSH hBrush = m_hbrBackground.Get();
  if (!hBrush)
    hBrush = reinterpret_cast<HBRUSH>(::SendMessageA(::GetParent(m_hWnd), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(hMem),
                                                     reinterpret_cast<LPARAM>(m_hWnd)));
  ::FillRect(hMem, &client, hBrush ? hBrush : ::GetSysColorBrush(COLOR_BTNFACE));

  const HFONT hFont =
      m_font ? m_font.Get() : reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
  const HGDIOBJ oldFont = hFont ? ::SelectObject(hMem, hFont) : nullptr;
  ::SetTextColor(hMem, m_crText);
  ::SetBkMode(hMem, TRANSPARENT);

  const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
  UINT format = DT_WORDBREAK | DT_EXPANDTABS;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER; break;
    case SS_RIGHT: format |= DT_RIGHT; break;
    default: break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  RECT text = client;
  text.left += kMargin;
  text.right -= kMargin;
  const std::string sText = GetWindowText();
  if (style & SS_CENTERIMAGE) {
    // Centred vertically: measure the wrapped text first.
    RECT measure = text;
    ::DrawTextA(hMem, sText.c_str(), -1, &measure, format | DT_CALCRECT);
    const int offset = ((text.bottom - text.top) - (measure.bottom - measure.top)) / 2;
    if (offset > 0) text.top += offset;
  }
  ::DrawTextA(hMem, sText.c_str(), -1, &text, format);

  ::BitBlt(hdc, 0, 0, client.right, client.bottom, hMem, 0, 0, SRCCOPY);
  if (oldFont) ::SelectObject(hMem, oldFont);
  ::SelectObject(hMem, oldBitmap);
  ::DeleteDC(hMem);
}

LRESULT CALLBACK MyStatic::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
  auto* pThis = reinterpret_cast<MyStatic*>(self);
  switch (message) {
    case WM_ERASEBKGND: return TRUE;  // painted whole in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC hdc = ::BeginPaint(hWnd, &ps);
      pThis->Paint(hdc);
      ::EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: pThis->Paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SETTEXT: {
      const LRESULT result = ::DefSubclassProc(hWnd, message, wParam, lParam);
      ::InvalidateRect(hWnd, nullptr, FALSE);
      return result;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(hWnd, &SubclassProc, kSubclassId);
      pThis->m_hWnd = nullptr;
      break;
    default: break;
  }
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}
