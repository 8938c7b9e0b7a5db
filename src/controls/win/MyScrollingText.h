// A banner that scrolls its text items from right to left. It paints into
// a memory bitmap (no flicker) and runs its timer only while it is visible
// and its speed is above 0, so it costs nothing while hidden or stopped.
// The speed is read from an integer the owner shares (tenths of a pixel per
// second, so 500 moves 50 pixels a second); a message can override it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class MyScrollingText {
 public:
  static constexpr const char* kClassName = "MyScrollingText";
  static constexpr COLORREF kDefault = 0xFF000000;  // the banner's own colour
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kMinFrameMs = 20;

  MyScrollingText() = default;
  ~MyScrollingText();
  MyScrollingText(const MyScrollingText&) = delete;
  MyScrollingText& operator=(const MyScrollingText&) = delete;

  // The window class the dialog resource names; registered once.
  static bool RegisterClass();
  // Takes over the dialog's control `id` (of the class above).
  bool Attach(int id, HWND hDialog);
  HWND GetSafeHwnd() const { return m_hWnd; }

  void AddItem(const std::string& text, COLORREF crText = kDefault, COLORREF crBack = kDefault);
  void Clear();
  void SetBkColor(COLORREF cr);
  void SetTextColor(COLORREF cr);
  // The shared speed; and a speed of this message's own (-1: the shared one).
  void SetSpeedSource(const int* pnSpeed);
  void SetSpeedOverride(int nSpeed);
  int GetSpeed() const;
  // Starts or stops the timer after the shared speed or visibility changed.
  void SpeedChanged();
  void Resize(int cx, int cy);

  using Callback = std::function<void()>;
  void SetTextFinishedCallback(Callback callback) { m_onFinished = std::move(callback); }
  void SetClickCallback(Callback callback) { m_onClick = std::move(callback); }

  // For tests and the benchmark.
  bool IsTimerRunning() const { return m_bTimer; }
  std::string GetText() const;
  int GetOffset() const { return static_cast<int>(m_dOffset); }
  // Moves the text on as `nMs` of scrolling would (what a timer tick does).
  void Advance(DWORD nMs);

 private:
  struct Item {
    std::string text;
    COLORREF crText;
    COLORREF crBack;
  };
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC hdc);
  int TextWidth() const;
  void Invalidate();

  HWND m_hWnd = nullptr;
  std::vector<Item> m_items;
  COLORREF m_crBack = RGB(255, 255, 255);
  COLORREF m_crText = RGB(0, 0, 0);
  const int* m_pnSpeed = nullptr;
  int m_nSpeedOverride = -1;
  double m_dOffset = 0;  // pixels scrolled since the text entered at the right
  DWORD m_dwLastTick = 0;
  bool m_bTimer = false;
  bool m_bInCallback = false;
  mutable int m_nTextWidth = -1;  // measured on demand
  HFONT m_hFont = nullptr;        // the dialog's: not owned
  HBITMAP m_hBitmap = nullptr;    // the back buffer, the client's size
  SIZE m_bitmapSize{0, 0};
  Callback m_onFinished;
  Callback m_onClick;
};
