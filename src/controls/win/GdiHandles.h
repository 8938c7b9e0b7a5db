// Owners of GDI and shell handles: each frees its handle once, moves but
// never copies, so a handle cannot be freed twice or leak on an early return.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace Gdi {

template <class H, class Deleter>
class Handle {
 public:
  Handle() = default;
  explicit Handle(H h) : m_h(h) {}
  ~Handle() { Reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : m_h(other.Release()) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  H Get() const { return m_h; }
  explicit operator bool() const { return m_h != nullptr; }
  H Release() {
    H h = m_h;
    m_h = nullptr;
    return h;
  }
  void Reset(H h = nullptr) {
    if (m_h) Deleter()(m_h);
    m_h = h;
  }

 private:
  H m_h = nullptr;
};

struct DeleteObjectFn {
  void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
struct DeleteDcFn {
  void operator()(HDC h) const { ::DeleteDC(h); }
};
struct DestroyIconFn {
  void operator()(HICON h) const { ::DestroyIcon(h); }
};
struct DestroyImageListFn {
  void operator()(HIMAGELIST h) const { ::ImageList_Destroy(h); }
};

using Font = Handle<HFONT, DeleteObjectFn>;
using Bitmap = Handle<HBITMAP, DeleteObjectFn>;
using Brush = Handle<HBRUSH, DeleteObjectFn>;
using Pen = Handle<HPEN, DeleteObjectFn>;
using MemoryDc = Handle<HDC, DeleteDcFn>;  // from CreateCompatibleDC
using Icon = Handle<HICON, DestroyIconFn>;
using ImageList = Handle<HIMAGELIST, DestroyImageListFn>;

// A window's device context, released with the window.
class WindowDc {
 public:
  explicit WindowDc(HWND hWnd) : m_hWnd(hWnd), m_hDc(::GetDC(hWnd)) {}
  ~WindowDc() {
    if (m_hDc) ::ReleaseDC(m_hWnd, m_hDc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return m_hDc; }

 private:
  HWND m_hWnd;
  HDC m_hDc;
};

// An object selected into a device context for this scope.
class Select {
 public:
  Select(HDC hDc, HGDIOBJ hObject) : m_hDc(hDc), m_hOld(::SelectObject(hDc, hObject)) {}
  ~Select() {
    if (m_hOld) ::SelectObject(m_hDc, m_hOld);
  }
  Select(const Select&) = delete;
  Select& operator=(const Select&) = delete;

 private:
  HDC m_hDc;
  HGDIOBJ m_hOld;
};

}  // namespace Gdi
