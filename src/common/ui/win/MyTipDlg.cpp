#include "common/ui/win/MyTipDlg.h"

#include "common/base/ErrorCheck.h"
#include "common/ui/DialogLayout.h"
#include "common/ui/WaitCursor.h"
#include "common/ui/win/GdiHandle.h"
#include "common/ui/win/GenericWin.h"
#include "res/IconsRes.h"
#include "res/MyTipDlgRes.h"

namespace {

struct MemoryDCRelease {
  void operator()(HDC hdc) const { ::DeleteDC(hdc); }
};
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDCRelease>;

// The hints end at the first missing string: a missing one must read as
// empty, not as the error text the general loader gives.
std::string LoadHint(unsigned id) {
  char text[1024] = {};
  const int n = ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof text);
  return n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string();
}

TipOfTheDay::Settings ReadSettingsWithWait() {
  WaitCursor wait;
  return TipOfTheDay::ReadSettings();
}

}  // namespace

MyTipDlg::MyTipDlg(HWND hParent) : MyDialog(IDD_MYTIPDLG, "MyTipDlg", hParent), m_tips(&LoadHint, 0) {
  const TipOfTheDay::Settings settings = ReadSettingsWithWait();
  m_bShowAtStartup = settings.bShowAtStartup;
  m_tips = TipOfTheDay::Tips(&LoadHint, settings.uiTipID);
  m_uiTipID = m_tips.TipId();
}

MyTipDlg::~MyTipDlg() { TipOfTheDay::SaveTipId(m_uiTipID); }

BOOL MyTipDlg::OnInitDialog() {
  LOG_ENTRY("MyTipDlg::OnInitDialog");
  using namespace DialogLayout;
  SetAnchor(IDC_MYTIPDLG_TIP, kGrowX | kGrowY);
  SetAnchor(IDC_MYTIPDLG_HEADING, kGrowX | kGrowY);
  SetAnchor(IDC_MYTIPDLG_PICTURE, kGrowX | kGrowY);
  SetAnchor(IDC_MYTIPDLG_NEXT, kMoveX | kMoveY);
  SetAnchor(IDC_MYTIPDLG_PREVIOUS, kMoveX | kMoveY);
  SetAnchor(IDOK, kMoveX | kMoveY);
  SetAnchor(IDC_MYTIPDLG_COUNTER, kMoveY);
  SetAnchor(IDC_MYTIPDLG_SHOWATSTARTUP, kMoveY);
  MyDialog::OnInitDialog();

  const HWND hWnd = GetSafeHwnd();
  m_hbrWhite = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  m_counter.SubclassDlgItem(IDC_MYTIPDLG_COUNTER, hWnd);
  m_counter.SetTextColor(kCounterText);
  m_counter.SetBkColor(kCounterBackground);
  m_next.Attach(IDC_MYTIPDLG_NEXT, hWnd);
  m_next.SetIcon(IDI_MYTIPDLG_NEXT, 24, 24);
  m_previous.Attach(IDC_MYTIPDLG_PREVIOUS, hWnd);
  m_previous.SetIcon(IDI_MYTIPDLG_PREVIOUS, 24, 24);
  m_close.Attach(IDOK, hWnd);
  m_close.SetIcon(IDI_CLOSE, 24, 24);
  ::CheckDlgButton(hWnd, IDC_MYTIPDLG_SHOWATSTARTUP, m_bShowAtStartup ? BST_CHECKED : BST_UNCHECKED);
  ShowTip();
  return TRUE;
}

void MyTipDlg::UpdateData() {
  m_bShowAtStartup = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_MYTIPDLG_SHOWATSTARTUP) == BST_CHECKED ? 1 : 0;
}

void MyTipDlg::ShowTip() {
  m_uiTipID = m_tips.TipId();
  const HWND hWnd = GetSafeHwnd();
  if (!hWnd) return;
  ::SetDlgItemTextA(hWnd, IDC_MYTIPDLG_TIP, m_tips.Text().c_str());
  m_counter.SetWindowText(m_tips.Counter());
}

bool MyTipDlg::OnCommand(WORD id, WORD code, HWND hControl) {
  switch (id) {
    case IDC_MYTIPDLG_NEXT:
      UpdateData();
      m_tips.Next();
      ShowTip();
      return true;
    case IDC_MYTIPDLG_PREVIOUS:
      UpdateData();
      m_tips.Previous();
      ShowTip();
      return true;
    case IDOK:
    case IDCANCEL: {
      UpdateData();
      EndDialog(id);
      TipOfTheDay::SaveShowAtStartup(m_bShowAtStartup);
      return true;
    }
    default: return MyDialog::OnCommand(id, code, hControl);
  }
}

bool MyTipDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == WM_DRAWITEM && wParam == IDC_MYTIPDLG_HEADING) {
    PaintHeading(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
  }
  if (message == WM_CTLCOLORSTATIC &&
      reinterpret_cast<HWND>(lParam) == ::GetDlgItem(GetSafeHwnd(), IDC_MYTIPDLG_TIP)) {
    const HDC hdc = reinterpret_cast<HDC>(wParam);
    ::SetBkColor(hdc, kWhite);
    ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
    result = reinterpret_cast<INT_PTR>(m_hbrWhite);
    return true;
  }
  return false;
}

void MyTipDlg::PaintHeading(const DRAWITEMSTRUCT& item) const {
  const HDC hdc = item.hDC;
  RECT rc = item.rcItem;
  ::FillRect(hdc, &rc, m_hbrWhite);

  int nTextLeft = rc.left + 4;
  const UniqueBitmap bulb(
      static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_MYTIPDLG_BULB),
                                        IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (bulb) {
    BITMAP bm{};
    ::GetObjectA(bulb.Get(), sizeof bm, &bm);
    const UniqueMemoryDC mem(::CreateCompatibleDC(hdc));
    const HGDIOBJ old = ::SelectObject(mem.Get(), bulb.Get());
    const int y = rc.top + ((rc.bottom - rc.top) - bm.bmHeight) / 2;
    ::BitBlt(hdc, rc.left + 4, y, bm.bmWidth, bm.bmHeight, mem.Get(), 0, 0, SRCCOPY);
    ::SelectObject(mem.Get(), old);
    nTextLeft = rc.left + 4 + bm.bmWidth + 8;
  }

  // The heading in the dialog's font, larger and bold.
  const HFONT hDialogFont = reinterpret_cast<HFONT>(::SendMessageA(GetSafeHwnd(), WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  if (hDialogFont) ::GetObjectA(hDialogFont, sizeof lf, &lf);
  lf.lfHeight = lf.lfHeight ? lf.lfHeight * 3 / 2 : -16;
  lf.lfWeight = FW_BOLD;
  const UniqueFont font(::CreateFontIndirectA(&lf));
  const HGDIOBJ oldFont = ::SelectObject(hdc, font.Get());
  ::SetBkMode(hdc, TRANSPARENT);
  ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
  RECT text = rc;
  text.left = nTextLeft;
  const std::string sHeading = Generic::LoadResString(TipOfTheDay::kHeadingId);
  ::DrawTextA(hdc, sHeading.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  ::SelectObject(hdc, oldFont);
}
