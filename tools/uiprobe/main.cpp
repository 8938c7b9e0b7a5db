// A small console tool that drives the program's windows from scripts (the
// screenshots and the demo): it finds top-level windows by title or by a
// child's id, prints their screen rectangle, and posts them commands and
// messages. Exit code 0 on success, 1 when the window was not found in time,
// 2 on a bad command line.
//
//   uiprobe wait TITLE [SECONDS]          the window's rectangle: "x y width height"
//   uiprobe wait-control ID [SECONDS]     a visible window with a child of that id
//   uiprobe wait-class CLASS [SECONDS]    a visible window of that class ("#32768": a menu)
//   uiprobe child TITLE ID                the rectangle of the window's child ID and the
//                                         height of that child's own first child (a
//                                         list's header): "x y width height header"
//   uiprobe gone TITLE [SECONDS]          waits until no such window exists
//   uiprobe command TITLE ID              posts WM_COMMAND ID (a hidden window too)
//   uiprobe post TITLE MESSAGE WPARAM LPARAM
//                                         MESSAGE: a number or a registered name
//                                         ("TaskbarCreated"); TITLE "*" broadcasts
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
  enum Kind { kTitle, kControl, kClass } kind;
  std::string text;
  int id = 0;
  bool bHiddenToo = false;  // commands reach a window in the tray too
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND hWnd, LPARAM lParam) {
  auto& s = *reinterpret_cast<Search*>(lParam);
  if (!s.bHiddenToo && !::IsWindowVisible(hWnd)) return TRUE;
  char text[512] = {};
  bool bMatch = false;
  switch (s.kind) {
    case Search::kTitle:
      ::GetWindowTextA(hWnd, text, sizeof text);
      bMatch = s.text == text;
      break;
    case Search::kControl: bMatch = ::GetDlgItem(hWnd, s.id) != nullptr; break;
    case Search::kClass:
      ::GetClassNameA(hWnd, text, sizeof text);
      bMatch = s.text == text;
      break;
  }
  if (!bMatch) return TRUE;
  s.found = hWnd;
  return FALSE;
}

HWND Find(Search s, double seconds) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    s.found = nullptr;
    ::EnumWindows(&Match, reinterpret_cast<LPARAM>(&s));
    if (s.found || static_cast<LONG>(::GetTickCount() - end) >= 0) return s.found;
    ::Sleep(100);
  }
}

int PrintRect(HWND hWnd) {
  if (!hWnd) return 1;
  RECT r{};
  ::GetWindowRect(hWnd, &r);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

UINT MessageOf(const std::string& text) {
  char* end = nullptr;
  const unsigned long n = std::strtoul(text.c_str(), &end, 0);
  if (end && *end == '\0') return static_cast<UINT>(n);
  return ::RegisterWindowMessageA(text.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string verb = argv[1];
  const double seconds = argc > 3 ? std::atof(argv[3]) : 30;
  if (verb == "wait") return PrintRect(Find({Search::kTitle, argv[2]}, seconds));
  if (verb == "wait-control") return PrintRect(Find({Search::kControl, "", std::atoi(argv[2])}, seconds));
  if (verb == "wait-class") return PrintRect(Find({Search::kClass, argv[2]}, seconds));
  if (verb == "child" && argc == 4) {
    HWND hChild = ::GetDlgItem(Find({Search::kTitle, argv[2]}, 10), std::atoi(argv[3]));
    if (!hChild) return 1;
    RECT r{}, inner{};
    ::GetWindowRect(hChild, &r);
    if (HWND hInner = ::GetWindow(hChild, GW_CHILD)) ::GetWindowRect(hInner, &inner);
    std::printf("%ld %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                inner.bottom - inner.top);
    return 0;
  }
  if (verb == "gone") {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds * 1000);
    while (Find({Search::kTitle, argv[2]}, 0)) {
      if (static_cast<LONG>(::GetTickCount() - end) >= 0) return 1;
      ::Sleep(100);
    }
    return 0;
  }
  if (verb == "command" && argc == 4) {
    HWND hWnd = Find({Search::kTitle, argv[2], 0, true}, 10);
    if (!hWnd) return 1;
    return ::PostMessageA(hWnd, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[3])), 0) ? 0 : 1;
  }
  if (verb == "post" && argc == 6) {
    const std::string title = argv[2];
    HWND hWnd = title == "*" ? HWND_BROADCAST : Find({Search::kTitle, title, 0, true}, 10);
    if (!hWnd) return 1;
    const WPARAM wParam = static_cast<WPARAM>(std::strtoull(argv[4], nullptr, 0));
    const LPARAM lParam = static_cast<LPARAM>(std::strtoll(argv[5], nullptr, 0));
    return ::PostMessageA(hWnd, MessageOf(argv[3]), wParam, lParam) ? 0 : 1;
  }
  return 2;
}
