#include "common/ui/win/OwnerWindow.h"

namespace Generic {
namespace {

BOOL CALLBACK FirstVisible(HWND hWnd, LPARAM lParam) {
  if (!::IsWindowVisible(hWnd) || ::GetWindow(hWnd, GW_OWNER)) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hWnd;
  return FALSE;
}

}  // namespace

HWND GetPopupOwner() {
  if (const HWND hActive = ::GetActiveWindow()) return hActive;
  HWND hFound = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FirstVisible, reinterpret_cast<LPARAM>(&hFound));
  return hFound;
}

}  // namespace Generic
