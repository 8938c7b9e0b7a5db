#include "controls/win/MyListCtrl.h"

#include <commctrl.h>

#include <cstring>

namespace {

constexpr UINT_PTR kSubclassId = 0x4C73;  // "Ls"

// Owns a popup menu for the length of one right click.
struct MenuOwner {
  HMENU h = ::CreatePopupMenu();
  ~MenuOwner() {
    if (h) ::DestroyMenu(h);
  }
};

// Owns the clipboard while it is open.
struct ClipboardOpen {
  bool bOpen;
  explicit ClipboardOpen(HWND hWnd) : bOpen(::OpenClipboard(hWnd) != FALSE) {}
  ~ClipboardOpen() {
    if (bOpen) ::CloseClipboard();
  }
};

}  // namespace

MyListCtrl::~MyListCtrl() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::RemoveWindowSubclass(m_hWnd, &SubclassProc, kSubclassId);
}

bool MyListCtrl::SubclassDlgItem(int id, HWND hDialog) {
  const HWND hWnd = ::GetDlgItem(hDialog, id);
  if (!hWnd || !::SetWindowSubclass(hWnd, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  m_hWnd = hWnd;
  LOGFONTA lf{};
  const auto hFont = reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0));
  if (hFont && ::GetObjectA(hFont, sizeof lf, &lf) && lf.lfHeight != 0) {
    const HDC hdc = ::GetDC(hWnd);
    const int nDpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    ::ReleaseDC(hWnd, hdc);
    m_nBasePoints = ::MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, nDpi);
  }
  return true;
}

void MyListCtrl::AddExtendedStyle(DWORD dwStyle) {
  const auto dwCurrent = static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  ::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwCurrent | dwStyle);
}

bool MyListCtrl::InsertColumn(int nCol, const std::string& sHeading, int nWidth) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(sHeading.c_str());
  column.cx = nWidth;
  column.iSubItem = nCol;
  return ::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol),
                        reinterpret_cast<LPARAM>(&column)) >= 0;
}

int MyListCtrl::AddRow(const std::vector<std::string>& cells) {
  if (cells.empty()) return -1;
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = GetRowCount();
  item.pszText = const_cast<char*>(cells[0].c_str());
  const int nRow =
      static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (nRow < 0) return -1;
  for (std::size_t nCol = 1; nCol < cells.size(); ++nCol) {
    LVITEMA sub{};
    sub.iSubItem = static_cast<int>(nCol);
    sub.pszText = const_cast<char*>(cells[nCol].c_str());
    ::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&sub));
  }
  return nRow;
}

int MyListCtrl::GetColumnCount() const {
  const auto hHeader = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
  return hHeader ? static_cast<int>(::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int MyListCtrl::GetRowCount() const {
  return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

std::string MyListCtrl::GetItemText(int nRow, int nCol) const {
  // The list answers with the length it copied; a value may be long (a
  // path, a description), so the buffer grows until the text fits.
  std::vector<char> buffer(256);
  for (;;) {
    LVITEMA item{};
    item.iSubItem = nCol;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto n = static_cast<std::size_t>(
        ::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item)));
    if (n + 1 < buffer.size() || buffer.size() >= (1u << 20)) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 4);
  }
}

bool MyListCtrl::HasGridLines() const {
  return (::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES) != 0;
}

void MyListCtrl::SetGridLines(bool bOn) {
  ::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, bOn ? LVS_EX_GRIDLINES : 0);
}

std::vector<std::vector<std::string>> MyListCtrl::GetSelectedRows() const {
  std::vector<std::vector<std::string>> rows;
  const int nCols = GetColumnCount();
  int nRow = -1;
  while ((nRow = static_cast<int>(
              ::SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(nRow), LVNI_SELECTED))) >= 0) {
    std::vector<std::string> row;
    for (int nCol = 0; nCol < nCols; ++nCol) row.push_back(GetItemText(nRow, nCol));
    rows.push_back(std::move(row));
  }
  return rows;
}

void MyListCtrl::SelectAll() {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  ::SendMessageA(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

bool MyListCtrl::CopySelection() const {
  const std::string text = ListCtrlText::RowsAsText(GetSelectedRows());
  if (text.empty()) return false;
  const HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!hText) return false;
  if (void* p = ::GlobalLock(hText)) {
    std::memcpy(p, text.c_str(), text.size() + 1);
    ::GlobalUnlock(hText);
  }
  ClipboardOpen clipboard(m_hWnd);
  // The clipboard owns the memory once it took it.
  if (!clipboard.bOpen || !::EmptyClipboard() || !::SetClipboardData(CF_TEXT, hText)) {
    ::GlobalFree(hText);
    return false;
  }
  return true;
}

void MyListCtrl::SetFontPoints(int nPoints) {
  if (nPoints < ListCtrlText::kMinPoints || nPoints > ListCtrlText::kMaxPoints) return;
  LOGFONTA lf{};
  const auto hCurrent = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
  if (!hCurrent || !::GetObjectA(hCurrent, sizeof lf, &lf))
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  const HDC hdc = ::GetDC(m_hWnd);
  lf.lfHeight = -::MulDiv(nPoints, ::GetDeviceCaps(hdc, LOGPIXELSY), 72);
  ::ReleaseDC(m_hWnd, hdc);
  lf.lfWidth = 0;
  UniqueFont font(::CreateFontIndirectA(&lf));
  if (!font) return;
  ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  m_font = std::move(font);
  m_nPoints = nPoints;
}

void MyListCtrl::ReadSettings(const std::string& sKey, const std::string& sWidthsName) {
  ListCtrlSettings settings;
  const int nCols = GetColumnCount();
  for (int nCol = 0; nCol < nCols; ++nCol)
    settings.widths.push_back(static_cast<int>(::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0)));
  settings.bGridLines = HasGridLines();
  settings.Read(sKey, sWidthsName);
  for (int nCol = 0; nCol < nCols; ++nCol)
    ::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol),
                   MAKELPARAM(settings.widths[nCol], 0));
  SetGridLines(settings.bGridLines);
}

HResult MyListCtrl::SaveSettings(const std::string& sKey, const std::string& sWidthsName) const {
  ListCtrlSettings settings;
  for (int nCol = 0, nCols = GetColumnCount(); nCol < nCols; ++nCol)
    settings.widths.push_back(static_cast<int>(::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0)));
  settings.bGridLines = HasGridLines();
  return settings.Save(sKey, sWidthsName);
}

void MyListCtrl::ShowContextMenu(POINT screen) {
  if (screen.x == -1 && screen.y == -1) {
    // From the keyboard: under the focused row, or the list's corner.
    RECT rect{};
    const int nFocus =
        static_cast<int>(::SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    rect.left = LVIR_BOUNDS;
    if (nFocus < 0 || !::SendMessageA(m_hWnd, LVM_GETITEMRECT, static_cast<WPARAM>(nFocus),
                                      reinterpret_cast<LPARAM>(&rect)))
      rect = RECT{0, 0, 0, 0};
    screen = POINT{rect.left + 8, rect.bottom};
    ::ClientToScreen(m_hWnd, &screen);
  }
  MenuOwner menu;
  MenuOwner fontMenu;
  if (!menu.h || !fontMenu.h) return;
  const bool bSelection = ::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
  const int nPoints = m_nPoints ? m_nPoints : m_nBasePoints;
  ::AppendMenuA(menu.h, MF_STRING | (bSelection ? 0 : MF_GRAYED), kCopy, "&Copy\tCtrl+C");
  ::AppendMenuA(menu.h, MF_STRING, kSelectAll, "Select &All\tCtrl+A");
  ::AppendMenuA(menu.h, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(fontMenu.h, MF_STRING | (nPoints <= ListCtrlText::kMinPoints ? MF_GRAYED : 0), kFontSmaller,
                "&Smaller\tCtrl+-");
  ::AppendMenuA(fontMenu.h, MF_STRING | (nPoints >= ListCtrlText::kMaxPoints ? MF_GRAYED : 0), kFontLarger,
                "&Larger\tCtrl++");
  ::AppendMenuA(fontMenu.h, MF_STRING | (m_nPoints ? 0 : MF_GRAYED), kFontNormal, "&Normal\tCtrl+0");
  // The submenu is destroyed with its parent.
  ::AppendMenuA(menu.h, MF_POPUP, reinterpret_cast<UINT_PTR>(fontMenu.h), "&Font Size");
  fontMenu.h = nullptr;
  ::AppendMenuA(menu.h, MF_STRING | (HasGridLines() ? MF_CHECKED : 0), kGridLines, "&Grid Lines");
  const UINT nCommand = static_cast<UINT>(
      ::TrackPopupMenu(menu.h, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, m_hWnd, nullptr));
  if (nCommand) OnCommand(nCommand);
}

void MyListCtrl::OnCommand(UINT nCommand) {
  const int nPoints = m_nPoints ? m_nPoints : m_nBasePoints;
  switch (nCommand) {
    case kCopy: CopySelection(); break;
    case kSelectAll: SelectAll(); break;
    case kFontSmaller: SetFontPoints(ListCtrlText::SmallerFont(nPoints)); break;
    case kFontLarger: SetFontPoints(ListCtrlText::LargerFont(nPoints)); break;
    case kFontNormal:
      SetFontPoints(m_nBasePoints);
      m_nPoints = 0;
      break;
    case kGridLines: SetGridLines(!HasGridLines()); break;
    default: break;
  }
}

LRESULT CALLBACK MyListCtrl::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
  auto* pThis = reinterpret_cast<MyListCtrl*>(self);
  switch (message) {
    case WM_CONTEXTMENU:
      pThis->ShowContextMenu(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_KEYDOWN:
      if (::GetKeyState(VK_CONTROL) < 0) {
        switch (wParam) {
          case 'C': pThis->OnCommand(kCopy); return 0;
          case 'A': pThis->OnCommand(kSelectAll); return 0;
          case VK_SUBTRACT:
          case VK_OEM_MINUS: pThis->OnCommand(kFontSmaller); return 0;
          case VK_ADD:
          case VK_OEM_PLUS: pThis->OnCommand(kFontLarger); return 0;
          case '0':
          case VK_NUMPAD0: pThis->OnCommand(kFontNormal); return 0;
          default: break;
        }
      }
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(hWnd, &SubclassProc, kSubclassId);
      pThis->m_hWnd = nullptr;
      break;
    default: break;
  }
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}
