// The placement store for real windows.
#include "common/ui/GenericPlacement.h"
#include "common/ui/PlacementWindow.h"
#include "common/ui/win/GenericWin.h"

namespace Generic {
namespace {

class Win32PlacementWindow : public PlacementWindow {
 public:
  explicit Win32PlacementWindow(HWND hWnd) : m_hWnd(hWnd) {}

  bool GetWindowPlacement(WindowPlacementRecord& record) override {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!::GetWindowPlacement(m_hWnd, &wp)) return false;
    record.length = static_cast<std::int32_t>(wp.length);
    record.flags = wp.flags;
    record.showCmd = wp.showCmd;
    record.minX = wp.ptMinPosition.x;
    record.minY = wp.ptMinPosition.y;
    record.maxX = wp.ptMaxPosition.x;
    record.maxY = wp.ptMaxPosition.y;
    record.left = wp.rcNormalPosition.left;
    record.top = wp.rcNormalPosition.top;
    record.right = wp.rcNormalPosition.right;
    record.bottom = wp.rcNormalPosition.bottom;
    return true;
  }

  bool SetWindowPlacement(const WindowPlacementRecord& record) override {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.flags = record.flags;
    wp.showCmd = record.showCmd;
    wp.ptMinPosition = {record.minX, record.minY};
    wp.ptMaxPosition = {record.maxX, record.maxY};
    wp.rcNormalPosition = {record.left, record.top, record.right, record.bottom};
    return ::SetWindowPlacement(m_hWnd, &wp) != 0;
  }

  bool IsResizable() override { return (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_THICKFRAME) != 0; }

  bool MoveTo(int left, int top) override {
    return ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
  }

  int GetScreenWidthPixels() override { return ::GetSystemMetrics(SM_CXSCREEN); }

 private:
  HWND m_hWnd;
};

}  // namespace

HResult SaveWindowPlacement(HWND pWnd, const std::string& placementsKey, const std::string& name) {
  Win32PlacementWindow window(pWnd);
  return SaveWindowPlacement(pWnd && ::IsWindow(pWnd) ? &window : nullptr, placementsKey, name);
}

int RestoreWindowPlacement(HWND pWnd, const RECT& rect, const std::string& placementsKey,
                           const std::string& name, int showCommand) {
  Win32PlacementWindow window(pWnd);
  return RestoreWindowPlacement(window, rect.right - rect.left, rect.bottom - rect.top, placementsKey, name,
                                showCommand);
}

}  // namespace Generic
