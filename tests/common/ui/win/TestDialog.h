// A bare dialog built from an in-memory template (no resources), for tests
// that need a real dialog window ("#32770").
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

namespace test {

// An in-memory dialog template of that size in dialog units (a sizing
// border when `resizable`), no controls; keep it alive while the dialog lives.
inline std::vector<WORD> MakeDialogTemplate(short cx, short cy, bool resizable) {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE header{};
  header.style =
      DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | (resizable ? WS_THICKFRAME : 0);
  header.cx = cx;
  header.cy = cy;
  std::memcpy(t.data(), &header, sizeof header);
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard dialog class
  for (const wchar_t* p = L"Test"; *p; ++p) t.push_back(static_cast<WORD>(*p));
  t.push_back(0);
  t.push_back(8);  // point size
  for (const wchar_t* p = L"MS Shell Dlg"; *p; ++p) t.push_back(static_cast<WORD>(*p));
  t.push_back(0);
  return t;
}

class TestDialog {
 public:
  // Size in dialog units; a sizing border when `resizable`.
  TestDialog(short cx, short cy, bool resizable) : m_template(MakeDialogTemplate(cx, cy, resizable)) {
    m_hWnd = ::CreateDialogIndirectParamA(
        ::GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(m_template.data()), nullptr, &Proc, 0);
  }
  ~TestDialog() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
  }
  TestDialog(const TestDialog&) = delete;
  TestDialog& operator=(const TestDialog&) = delete;

  HWND Get() const { return m_hWnd; }

 private:
  static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
  std::vector<WORD> m_template;
  HWND m_hWnd = nullptr;
};

}  // namespace test
