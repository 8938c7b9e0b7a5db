// Dialog units (a quarter of the dialog font's average character width, an
// eighth of its height) in pixels.
#include "common/base/ErrorCheck.h"
#include "common/ui/win/GenericWin.h"

namespace Generic {
namespace {

bool IsDialog(HWND hWnd) {
  char className[16] = {};
  return hWnd && ::GetClassNameA(hWnd, className, sizeof className) > 0 && lstrcmpA(className, "#32770") == 0;
}

// The pixel size of 4 horizontal and 8 vertical units; false when the
// window is no dialog or the mapping fails.
bool MapUnits(HWND hWnd, RECT& r) {
  if (!IsDialog(hWnd)) return false;
  HResult hr = kSOk;
  r = {0, 0, 4, 8};
  EC_B_TEXT(hr, "::MapDialogRect(pWnd->GetSafeHwnd(), r)", ::MapDialogRect(hWnd, &r));
  if (Failed(hr)) {
    const void* pWnd = hWnd;
    EC_VAR(pWnd, "%p");
  }
  return Succeeded(hr);
}

}  // namespace

int DialogUnitsToPixelsX(HWND pWnd, int n) {
  RECT r;
  return MapUnits(pWnd, r) ? r.right * n / 4 : 0;
}

int DialogUnitsToPixelsY(HWND pWnd, int n) {
  RECT r;
  return MapUnits(pWnd, r) ? r.bottom * n / 8 : 0;
}

}  // namespace Generic
