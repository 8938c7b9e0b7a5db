#include "controls/win/MyColourPicker.h"

#include <commdlg.h>

namespace {

constexpr UINT kMenuDefault = 1;
constexpr UINT kMenuOther = 2;

MyColourPicker::Chooser& CurrentChooser() {
  static MyColourPicker::Chooser chooser;
  return chooser;
}

// The custom colours the system's dialog keeps for the run.
COLORREF g_crCustom[16] = {};

MyColourPicker::Choice ChooseWithMenu(HWND hButton, COLORREF crCurrent, bool bFullOpen, COLORREF& crChosen) {
  HMENU hMenu = ::CreatePopupMenu();
  if (!hMenu) return MyColourPicker::Choice::kNone;
  ::AppendMenuA(hMenu, MF_STRING, kMenuDefault, "&Default");
  ::AppendMenuA(hMenu, MF_STRING, kMenuOther, "&More Colors...");
  RECT rc{};
  ::GetWindowRect(hButton, &rc);
  const UINT nCommand =
      static_cast<UINT>(::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY,
                                         rc.left, rc.bottom, 0, hButton, nullptr));
  ::DestroyMenu(hMenu);
  if (nCommand == kMenuDefault) return MyColourPicker::Choice::kDefault;
  if (nCommand != kMenuOther) return MyColourPicker::Choice::kNone;
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = ::GetParent(hButton);
  cc.rgbResult = crCurrent;
  cc.lpCustColors = g_crCustom;
  cc.Flags = CC_RGBINIT | CC_ANYCOLOR | (bFullOpen ? CC_FULLOPEN : 0);
  if (!::ChooseColorA(&cc)) return MyColourPicker::Choice::kNone;
  crChosen = cc.rgbResult;
  return MyColourPicker::Choice::kColour;
}

}  // namespace

MyColourPicker::Chooser MyColourPicker::SetChooser(Chooser chooser) {
  Chooser old = std::move(CurrentChooser());
  CurrentChooser() = std::move(chooser);
  return old;
}

bool MyColourPicker::Attach(int id, HWND hDialog) {
  m_hWnd = ::GetDlgItem(hDialog, id);
  return m_hWnd != nullptr;
}

void MyColourPicker::SetColour(COLORREF cr) {
  m_crColour = cr;
  m_bDefault = false;
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void MyColourPicker::SetDefaultColour(COLORREF cr, const std::string& sText) {
  m_crDefault = cr;
  m_sDefaultText = sText;
}

void MyColourPicker::OnClicked() {
  COLORREF crChosen = GetColour();
  const Choice choice = CurrentChooser() ? CurrentChooser()(m_hWnd, GetColour(), m_bFullOpen, crChosen)
                                         : ChooseWithMenu(m_hWnd, GetColour(), m_bFullOpen, crChosen);
  if (choice == Choice::kDefault) {
    m_bDefault = true;
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
  } else if (choice == Choice::kColour) {
    SetColour(crChosen);
  }
}

void MyColourPicker::DrawItem(const DRAWITEMSTRUCT& dis) const {
  RECT rc = dis.rcItem;
  const bool bPushed = (dis.itemState & ODS_SELECTED) != 0;
  ::DrawFrameControl(dis.hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (bPushed ? DFCS_PUSHED : 0));
  RECT swatch = rc;
  ::InflateRect(&swatch, -4, -4);
  const HBRUSH hBrush = ::CreateSolidBrush(GetColour());
  if (hBrush) {
    ::FillRect(dis.hDC, &swatch, hBrush);
    ::DeleteObject(hBrush);
  }
  ::FrameRect(dis.hDC, &swatch, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  if (m_bDefault && m_bShowDefaultText) {
    ::SetBkMode(dis.hDC, TRANSPARENT);
    ::SetTextColor(dis.hDC, RGB(0, 0, 0));
    ::DrawTextA(dis.hDC, m_sDefaultText.c_str(), -1, &swatch, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (dis.itemState & ODS_FOCUS) {
    RECT focus = rc;
    ::InflateRect(&focus, -2, -2);
    ::DrawFocusRect(dis.hDC, &focus);
  }
}
