#include "dialogs/win/DetailsDlg.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <vector>

#include "common/base/ErrorCheck.h"
#include "common/files/GenericIni.h"
#include "model/Bho.h"
#include "res/DetailsDlgRes.h"
#include "res/IconsRes.h"

namespace {

DetailsDlg::SaveFileChooser& CurrentChooser() {
  static DetailsDlg::SaveFileChooser chooser;
  return chooser;
}

// The system's save dialog, with the filter's "|" separators as it wants
// them (NUL characters).
bool ChooseSaveFile(HWND hOwner, const std::string& sDefaultName, std::string& sPath) {
  std::string sFilter = Details::kSaveFilter;
  for (char& c : sFilter)
    if (c == '|') c = '\0';
  std::vector<char> file(MAX_PATH * 4, '\0');
  sDefaultName.copy(file.data(), file.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hOwner;
  ofn.lpstrFilter = sFilter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = "txt";
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  if (!::GetSaveFileNameA(&ofn)) return false;
  sPath = file.data();
  return true;
}

// The meter shows the colours it is given only without the visual style.
void DropVisualStyle(HWND hWnd) { ::SetWindowTheme(hWnd, L" ", L" "); }

constexpr int kStatusFontHeight = 12;

}  // namespace

DetailsDlg::DetailsDlg(HWND hParent) : MyDialog(IDD_DETAILSDLG, "DetailsDlg", hParent) {}

DetailsDlg::~DetailsDlg() = default;

DetailsDlg::SaveFileChooser DetailsDlg::SetSaveFileChooser(SaveFileChooser chooser) {
  SaveFileChooser old = std::move(CurrentChooser());
  CurrentChooser() = std::move(chooser);
  return old;
}

BOOL DetailsDlg::OnInitDialog() {
  LOG_ENTRY("DetailsDlg::OnInitDialog");
  HWND hWnd = GetSafeHwnd();
  if (!m_pBho) {
    ErrorCheck::LogFailedCall(__FILE__, __LINE__, "m_pBho");
    EndDialog(IDCANCEL);
    return TRUE;
  }
  m_core.emplace(*m_pBho);

  using namespace DialogLayout;
  const struct {
    int id;
    unsigned flags;
  } anchors[] = {{IDC_DETAILS_STATIC_INTRO, kGrowX},
                 {IDC_DETAILS_STATIC_ICON, 0},
                 {IDC_DETAILS_FRAME, kGrowX},
                 {IDC_DETAILS_STATUS, kGrowX},
                 {IDC_DETAILS_METER, kGrowX},
                 {IDC_DETAILS_LIST, kGrowX | kGrowY},
                 {IDC_DETAILS_BUTTON_CONTAINING, kMoveY},
                 {IDC_DETAILS_BUTTON_REGISTRY, kMoveY | kGrowX},
                 {IDC_DETAILS_BUTTON_BROWSE, kMoveY},
                 {IDC_DETAILS_BUTTON_SAVE, kMoveY | kGrowX},
                 {IDC_DETAILS_BUTTON_VIEW, kMoveY},
                 {IDOK, kMoveX},
                 {IDC_DETAILS_EDIT_NOTATION, kMoveY | kGrowX}};
  for (const auto& anchor : anchors) SetAnchor(anchor.id, anchor.flags);
  MyDialog::OnInitDialog();

  m_listAttrs.SubclassDlgItem(IDC_DETAILS_LIST, hWnd);
  m_listAttrs.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  PopulateDetailsListControl();
  SetButtonIcons();
  SetupIcon();
  SetupStatusText();
  SetupProgressCtrl();
  SetupNotation();

  // The offer to remove orphaned entries comes once the window is up.
  ::PostMessageA(hWnd, WM_APP_ORPHAN_CHECK, 0, 0);
  return TRUE;
}

void DetailsDlg::PopulateDetailsListControl() {
  LOG_ENTRY("BHO::PopulateDetailsListControl");
  m_listAttrs.InsertColumn(0, "Attribute", 150);
  m_listAttrs.InsertColumn(1, "Value", 340);
  // Without redrawing between rows: Wine's list otherwise lays itself out
  // again after every insertion, ten times the cost of the rest.
  ::SendMessageA(m_listAttrs.GetSafeHwnd(), WM_SETREDRAW, FALSE, 0);
  for (const auto& [name, value] : Details::AttributeRows(m_pBho->m_mapAttrVals))
    m_listAttrs.AddRow({name, value});
  ::SendMessageA(m_listAttrs.GetSafeHwnd(), WM_SETREDRAW, TRUE, 0);
  m_listAttrs.ReadSettings(Details::kListKey, "ColumnWidths");
}

void DetailsDlg::SetButtonIcons() {
  const struct {
    int id;
    UINT icon;
  } buttons[] = {{IDC_DETAILS_BUTTON_CONTAINING, IDI_OPEN_FOLDER},
                 {IDC_DETAILS_BUTTON_REGISTRY, IDI_EXAMINE_REGISTRY},
                 {IDC_DETAILS_BUTTON_BROWSE, IDI_BROWSE_WEB},
                 {IDC_DETAILS_BUTTON_SAVE, IDI_SAVE_DETAILS},
                 {IDC_DETAILS_BUTTON_VIEW, IDI_VIEW_TEXT}};
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    if (m_buttons[i].Attach(buttons[i].id, GetSafeHwnd())) m_buttons[i].SetIcon(buttons[i].icon, 32, 32);
  }
}

void DetailsDlg::SetupIcon() {
  HResult hr = kSOk;
  HICON hLarge = nullptr;
  const std::string sDllPath = m_pBho->m_mapAttrVals.Get("DLL Path");
  if (!sDllPath.empty() && ::ExtractIconExA(sDllPath.c_str(), 0, &hLarge, nullptr, 1) > 0 && hLarge) {
    m_iconOwned.Reset(hLarge);
    m_hiconBho = hLarge;
  } else {
    m_hiconBho = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32517));  // IDI_WINLOGO
  }
  EC_B(hr, m_hiconBho != nullptr);
  if (Succeeded(hr))
    ::SendDlgItemMessageA(GetSafeHwnd(), IDC_DETAILS_STATIC_ICON, STM_SETICON,
                          reinterpret_cast<WPARAM>(m_hiconBho), 0);
}

void DetailsDlg::SetupStatusText() {
  const Details::StatusText status = m_core->StatusText();
  m_staticStatus.SubclassDlgItem(IDC_DETAILS_STATUS, GetSafeHwnd());
  m_staticStatus.SetFont("", kStatusFontHeight, status.bBold ? FW_BOLD : FW_NORMAL);
  m_staticStatus.SetBkColor(RGB(255, 255, 255));
  if (status.bColour) m_staticStatus.SetTextColor(status.crText);
  m_staticStatus.SetWindowText(status.text);
}

void DetailsDlg::SetupProgressCtrl() {
  const HWND hMeter = ::GetDlgItem(GetSafeHwnd(), IDC_DETAILS_METER);
  if (!hMeter) return;
  DropVisualStyle(hMeter);
  ::SendMessageA(hMeter, PBM_SETRANGE32, 0, 100);
  ::SendMessageA(hMeter, PBM_SETBKCOLOR, 0, RGB(255, 255, 255));
  const Details::Meter meter = m_core->Meter();
  if (!meter.bSet) return;
  if (!meter.bVisible) {
    ::ShowWindow(hMeter, SW_HIDE);
    return;
  }
  ::SendMessageA(hMeter, PBM_SETPOS, static_cast<WPARAM>(meter.nPos), 0);
  ::SendMessageA(hMeter, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(meter.crBar));
}

void DetailsDlg::SetupNotation() {
  const HWND hEdit = ::GetDlgItem(GetSafeHwnd(), IDC_DETAILS_EDIT_NOTATION);
  const Details::Notation notation = m_core->LoadNotation();
  ::SendMessageA(hEdit, EM_SETLIMITTEXT, Generic::MAX_NOTATION_LEN_, 0);
  ::SetWindowTextA(hEdit, notation.text.c_str());
  ::EnableWindow(hEdit, notation.bEnabled);
}

void DetailsDlg::OnBnClickedOk() {
  LOG_ENTRY("DetailsDlg::OnBnClickedOk");
  HResult hr = kSOk;
  EC_H(hr, m_listAttrs.SaveSettings(Details::kListKey, "ColumnWidths"));
  const HWND hEdit = ::GetDlgItem(GetSafeHwnd(), IDC_DETAILS_EDIT_NOTATION);
  std::vector<char> text(static_cast<std::size_t>(::GetWindowTextLengthA(hEdit)) + 1);
  const int n = ::GetWindowTextA(hEdit, text.data(), static_cast<int>(text.size()));
  HResult hrNote = kSOk;
  EC_H(hrNote, m_core->SaveNotation(std::string(text.data(), static_cast<std::size_t>(n > 0 ? n : 0))));
  EndDialog(IDOK);
}

void DetailsDlg::OnBnClickedDetailsButtonSave() {
  HResult hr = kSOk;
  std::string sName;
  EC_B_TEXT(hr, "m_pBho->m_mapAttrVals.Lookup(\"Clsid\", sClsid)",
            Details::DefaultSaveName(m_pBho->m_mapAttrVals, sName));
  if (Failed(hr)) return;
  std::string sPath;
  const bool bChosen = CurrentChooser() ? CurrentChooser()(GetSafeHwnd(), sName, sPath)
                                        : ChooseSaveFile(GetSafeHwnd(), sName, sPath);
  if (bChosen) m_core->SaveToFile(sPath);
}

bool DetailsDlg::OnCommand(WORD id, WORD code, HWND hControl) {
  if (code != BN_CLICKED && id != IDOK && id != IDCANCEL) return MyDialog::OnCommand(id, code, hControl);
  switch (id) {
    case IDOK: OnBnClickedOk(); return true;
    case IDC_DETAILS_BUTTON_SAVE: OnBnClickedDetailsButtonSave(); return true;
    case IDC_DETAILS_BUTTON_BROWSE: m_core->BrowseWeb(); return true;
    case IDC_DETAILS_BUTTON_CONTAINING: m_core->OpenContainingFolder(); return true;
    case IDC_DETAILS_BUTTON_REGISTRY: m_core->ExamineInRegistry(); return true;
    case IDC_DETAILS_BUTTON_VIEW: m_core->ViewText(); return true;
    default: return MyDialog::OnCommand(id, code, hControl);
  }
}

bool DetailsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == WM_APP_ORPHAN_CHECK) {
    if (m_core && m_core->OfferOrphanRemoval()) ::PostMessageA(GetSafeHwnd(), WM_CLOSE, 0, 0);
    result = TRUE;
    return true;
  }
  return MyDialog::OnMessage(message, wParam, lParam, result);
}
