// Owned fonts, brushes, bitmaps and icons: released when the owner goes,
// movable, never copied.
#pragma once

#include <windows.h>

#include <utility>

template <typename H, typename Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : m_handle(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_handle, nullptr));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  H Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }
  // Releases the current handle and takes `handle`.
  void Reset(H handle = nullptr) {
    if (m_handle) Release()(m_handle);
    m_handle = handle;
  }

 private:
  H m_handle = nullptr;
};

struct GdiObjectRelease {
  void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
struct IconRelease {
  void operator()(HICON h) const { ::DestroyIcon(h); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectRelease>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectRelease>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectRelease>;
// Only for icons made or loaded with LoadImage (not LR_SHARED): shared
// icons belong to the system.
using UniqueIcon = UniqueHandle<HICON, IconRelease>;
