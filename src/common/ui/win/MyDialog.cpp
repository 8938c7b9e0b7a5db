#include "common/ui/win/MyDialog.h"

#include <commctrl.h>

#include <cstring>
#include <utility>
#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/base/GenericStrings.h"
#include "common/ui/DialogDefaults.h"
#include "common/ui/GenericColors.h"
#include "common/ui/win/GenericWin.h"

namespace {

// Which anchor rules a child window falls under, by its class and style.
DialogLayout::Kind KindOf(HWND hChild) {
  char name[64] = {};
  ::GetClassNameA(hChild, name, sizeof name);
  const LONG style = ::GetWindowLongA(hChild, GWL_STYLE);
  if (_stricmp(name, "Edit") == 0 || _strnicmp(name, "RichEdit", 8) == 0) return DialogLayout::Kind::kEdit;
  if (_stricmp(name, "ListBox") == 0 || _stricmp(name, "ComboBox") == 0)
    return DialogLayout::Kind::kListOrCombo;
  if (_stricmp(name, "Static") == 0) {
    const LONG type = style & SS_TYPEMASK;
    const bool bPicture = type == SS_ICON || type == SS_BITMAP || type == SS_ENHMETAFILE;
    return bPicture ? DialogLayout::Kind::kOther : DialogLayout::Kind::kText;
  }
  return DialogLayout::Kind::kOther;
}

bool IsEdit(HWND hControl) {
  char name[64] = {};
  ::GetClassNameA(hControl, name, sizeof name);
  return _stricmp(name, "Edit") == 0 || _strnicmp(name, "RichEdit", 8) == 0;
}

RECT ChildRect(HWND hDialog, HWND hChild) {
  RECT r{};
  ::GetWindowRect(hChild, &r);
  ::MapWindowPoints(HWND_DESKTOP, hDialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

MyDialog::MyDialog(UINT templateId, std::string sName, HWND hParent)
    : m_templateId(templateId),
      m_sName(std::move(sName)),
      m_hParent(hParent),
      m_crBackground(::GetSysColor(COLOR_BTNFACE)) {}

MyDialog::MyDialog(const DLGTEMPLATE* pTemplate, std::string sName, HWND hParent)
    : m_pTemplate(pTemplate),
      m_sName(std::move(sName)),
      m_hParent(hParent),
      m_crBackground(::GetSysColor(COLOR_BTNFACE)) {}

MyDialog::~MyDialog() {
  if (m_hWnd && !m_bModal) ::DestroyWindow(m_hWnd);
  HResult hr = kSOk;
  if (m_hbrBackground) EC_B(hr, ::DeleteObject(m_hbrBackground));
}

INT_PTR MyDialog::DoModal() {
  m_bModal = true;
  const HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  return m_pTemplate
             ? ::DialogBoxIndirectParamA(hInstance, m_pTemplate, m_hParent, &DialogProc, self)
             : ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(m_templateId), m_hParent, &DialogProc, self);
}

bool MyDialog::Create() {
  m_bModal = false;
  const HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  const HWND hWnd =
      m_pTemplate
          ? ::CreateDialogIndirectParamA(hInstance, m_pTemplate, m_hParent, &DialogProc, self)
          : ::CreateDialogParamA(hInstance, MAKEINTRESOURCEA(m_templateId), m_hParent, &DialogProc, self);
  return hWnd != nullptr;
}

INT_PTR MyDialog::RunModalLoop(HACCEL hAccel) {
  m_bOwnLoop = true;
  m_bLoopEnded = false;
  m_nLoopResult = -1;
  if (!Create()) return -1;
  MSG msg{};
  while (!m_bLoopEnded && m_hWnd) {
    const BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
    if (bGot == 0) {
      // A quit request ends the program: the loop ends, and the quit goes
      // on to whatever loop runs outside this one.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (bGot == -1) break;
    if (hAccel && ::TranslateAcceleratorA(m_hWnd, hAccel, &msg)) continue;
    if (::IsDialogMessageA(m_hWnd, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  m_bOwnLoop = false;
  return m_nLoopResult;
}

void MyDialog::EndDialog(INT_PTR result) {
  if (!m_hWnd) return;
  if (m_bOwnLoop) {
    m_nLoopResult = result;
    m_bLoopEnded = true;
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
    return;
  }
  if (m_bModal)
    ::EndDialog(m_hWnd, result);
  else
    ::DestroyWindow(m_hWnd);
}

unsigned MyDialog::GetAnchor(int id) const {
  const auto it = m_anchors.find(::GetDlgItem(m_hWnd, id));
  return it == m_anchors.end() ? 0 : it->second;
}

INT_PTR CALLBACK MyDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MyDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<MyDialog*>(lParam);
    ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
    self->m_hWnd = hWnd;
  } else {
    self = reinterpret_cast<MyDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
  }
  if (!self) return FALSE;
  // Nothing may unwind through the system's code.
  try {
    const INT_PTR result = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
      self->m_hWnd = nullptr;
    }
    return result;
  } catch (const std::exception& e) {
    LOGE("MyDialog <%s> stopped an exception in message <%x>: %s\n", self->m_sName, message, e.what());
  } catch (...) {
    LOGE("MyDialog <%s> stopped an exception in message <%x>.\n", self->m_sName, message);
  }
  return FALSE;
}

INT_PTR MyDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
      break;
    case WM_DESTROY: OnDestroy(); return TRUE;
    default: break;
  }
  INT_PTR result = 0;
  if (OnMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) LayOut(LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (m_minTrack.cx > 0) info->ptMinTrackSize = {m_minTrack.cx, m_minTrack.cy};
      return TRUE;
    }
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(m_hbrBackground);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<INT_PTR>(
          ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    default: return FALSE;
  }
}

BOOL MyDialog::OnInitDialog() {
  LOG_ENTRY("MyDialog::OnInitDialog");
  HResult hr = kSOk;

  int nWindowsAbove = 0;
  for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) ++nWindowsAbove;
  m_crBackground = static_cast<COLORREF>(Generic::HLSToRGB(DialogLayout::BackgroundHue(nWindowsAbove),
                                                           DialogLayout::kBackgroundLightness,
                                                           DialogLayout::kBackgroundSaturation));
  EC_B(hr, NULL != (m_hbrBackground = ::CreateSolidBrush(m_crBackground)));

  hr = kSOk;
  if (DialogDefaults::s_uiDialogIcon != 0) {
    EC_B(hr, NULL != (m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr),
                                            MAKEINTRESOURCEA(DialogDefaults::s_uiDialogIcon))));
    if (Succeeded(hr)) ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  }

  RECT client{};
  ::GetClientRect(m_hWnd, &client);
  m_lastClient = {client.right, client.bottom};
  if (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_THICKFRAME) {
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    m_minTrack = {window.right - window.left, window.bottom - window.top};
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL);
    // The system's grip: it draws itself and sizes the dialog when dragged.
    ::CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, client.right - cx,
                      client.bottom - cy, cx, cy, m_hWnd, reinterpret_cast<HMENU>(kSizeGripId), nullptr,
                      nullptr);
    SetAnchor(kSizeGripId, DialogLayout::kMoveX | DialogLayout::kMoveY);
    ComputeAnchors();
  }

  if (DialogDefaults::s_bToolTipsEnabled) AddToolTips();

  m_bPlacementRestored = Generic::RestoreWindowPlacement(m_hWnd, client, kPlacementsKey, m_sName, -1) != -1;
  ::GetClientRect(m_hWnd, &client);
  LayOut(client.right, client.bottom);
  return TRUE;
}

bool MyDialog::OnCommand(WORD id, WORD, HWND) {
  if (id != IDOK && id != IDCANCEL) return false;
  EndDialog(id);
  return true;
}

bool MyDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void MyDialog::OnDestroy() {
  HResult hr = kSOk;
  EC_H(hr, Generic::SaveWindowPlacement(m_hWnd, kPlacementsKey, m_sName));
  if (Failed(hr)) {
    const std::string m_sRegPlacementsKey = kPlacementsKey;
    EC_VAR(m_sRegPlacementsKey, "%s");
    EC_VAR(m_sName, "%s");
  }
}

void MyDialog::AddToolTips() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&classes);
  m_hToolTip =
      ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
  if (!m_hToolTip) return;
  ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 0x7FFF);  // multi-line tips of any width
  ::SendMessageA(m_hToolTip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 333);
  ::SendMessageA(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
  const HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
  for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(hChild);
    // Static labels, OK, Cancel and the library's own string ids have no tip.
    if (id == -1 || id == 0 || id == 0xFFFF || id == IDOK || id == IDCANCEL || id >= 10000) continue;
    char text[512] = {};
    if (::LoadStringA(hInstance, static_cast<UINT>(id), text, sizeof text) <= 0) continue;
    std::string sTip = Generic::Trim(text);
    if (sTip.empty()) continue;
    const auto add = [&](HWND hTool) {
      TOOLINFOA info{};
      info.cbSize = sizeof info;
      info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      info.hwnd = m_hWnd;
      info.uId = reinterpret_cast<UINT_PTR>(hTool);
      info.lpszText = sTip.data();
      ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    };
    add(hChild);
    // A combo box's edit field and the like show the same tip.
    for (HWND hInner = ::GetWindow(hChild, GW_CHILD); hInner; hInner = ::GetWindow(hInner, GW_HWNDNEXT))
      add(hInner);
  }
}

void MyDialog::ComputeAnchors() {
  std::vector<HWND> children;
  for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) children.push_back(h);
  std::vector<DialogLayout::Control> controls;
  for (HWND h : children) {
    DialogLayout::Control c;
    c.kind = KindOf(h);
    const RECT r = ChildRect(m_hWnd, h);
    c.rect = {r.left, r.top, r.right, r.bottom};
    const auto it = m_explicitAnchors.find(::GetDlgCtrlID(h));
    c.bExplicit = it != m_explicitAnchors.end();
    if (c.bExplicit) c.explicitFlags = it->second;
    controls.push_back(c);
  }
  const std::vector<unsigned> flags =
      DialogLayout::ComputeAnchors(controls, m_lastClient.cx, m_lastClient.cy);
  m_anchors.clear();
  for (std::size_t i = 0; i < children.size(); ++i) {
    if (flags[i] != 0) m_anchors[children[i]] = flags[i];
  }
}

void MyDialog::LayOut(int cx, int cy) {
  const int dx = cx - m_lastClient.cx;
  const int dy = cy - m_lastClient.cy;
  if (dx == 0 && dy == 0) return;
  for (const auto& [hChild, flags] : m_anchors) {
    const RECT r = ChildRect(m_hWnd, hChild);
    const DialogLayout::Rect moved = DialogLayout::Resize({r.left, r.top, r.right, r.bottom}, flags, dx, dy);
    ::MoveWindow(hChild, moved.left, moved.top, moved.Width(), moved.Height(), TRUE);
  }
  m_lastClient = {cx, cy};
}

HBRUSH MyDialog::ControlColour(HDC hdc, HWND hControl) {
  // Edit fields (read-only ones ask as statics) keep the system's colours.
  if (IsEdit(hControl) || !m_hbrBackground) return nullptr;
  ::SetBkColor(hdc, m_crBackground);
  return m_hbrBackground;
}
