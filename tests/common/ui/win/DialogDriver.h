// Driving a modal dialog from inside its own message loop: a thread timer
// finds the dialog once it is shown and hands it to a callback, which reads
// its controls and presses its buttons. Nothing waits for a time to pass.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace test {

class DialogDriver {
 public:
  using Callback = std::function<void(HWND hDialog)>;
  explicit DialogDriver(Callback callback) : m_callback(std::move(callback)) {
    Current() = this;
    m_timer = ::SetTimer(nullptr, 0, 20, &Tick);
  }
  ~DialogDriver() {
    ::KillTimer(nullptr, m_timer);
    Current() = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  int Calls() const { return m_nCalls; }

 private:
  static DialogDriver*& Current() {
    static DialogDriver* current = nullptr;
    return current;
  }
  static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam) {
    char name[16] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    if (std::string(name) != "#32770" || !::IsWindowVisible(hWnd)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogDriver* self = Current();
    if (!self) return;
    HWND hDialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&hDialog));
    if (!hDialog || hDialog == self->m_hLast) return;
    self->m_hLast = hDialog;
    ++self->m_nCalls;
    self->m_callback(hDialog);
  }

  Callback m_callback;
  UINT_PTR m_timer = 0;
  HWND m_hLast = nullptr;
  int m_nCalls = 0;
};

inline std::string WindowText(HWND hWnd) {
  char text[1024] = {};
  ::GetWindowTextA(hWnd, text, sizeof text);
  return text;
}

inline bool IsShown(HWND hDialog, int id) { return ::IsWindowVisible(::GetDlgItem(hDialog, id)) != FALSE; }

// Presses a button as a click does.
inline void Press(HWND hDialog, int id) {
  ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, id)));
}

// The colours a control paints into a bitmap of its size (WM_PRINTCLIENT).
inline std::vector<COLORREF> PaintedColours(HWND hControl) {
  RECT r{};
  ::GetClientRect(hControl, &r);
  const HDC hScreen = ::GetDC(nullptr);
  const HDC hMem = ::CreateCompatibleDC(hScreen);
  const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, r.right, r.bottom);
  const HGDIOBJ old = ::SelectObject(hMem, hBitmap);
  ::SendMessageA(hControl, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hMem), PRF_CLIENT | PRF_ERASEBKGND);
  std::vector<COLORREF> colours;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) colours.push_back(::GetPixel(hMem, x, y));
  ::SelectObject(hMem, old);
  ::DeleteObject(hBitmap);
  ::DeleteDC(hMem);
  ::ReleaseDC(nullptr, hScreen);
  return colours;
}

}  // namespace test
