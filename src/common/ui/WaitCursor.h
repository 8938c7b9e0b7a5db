// The wait cursor for the length of a long operation (a scope). Without a
// window system it does nothing.
#pragma once

class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  [[maybe_unused]] void* m_hPrevious = nullptr;  // the cursor to restore (Windows)  // the cursor to restore
};
