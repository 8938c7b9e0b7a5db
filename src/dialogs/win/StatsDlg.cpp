#include "dialogs/win/StatsDlg.h"

#include <commctrl.h>

#include "app/Tarvolin.h"
#include "common/base/ErrorCheck.h"
#include "dialogs/StatsCore.h"
#include "res/StatsDlgRes.h"

StatsDlg::StatsDlg(HWND hParent) : MyDialog(IDD_STATSDLG, "StatsDlg", hParent) {}

BOOL StatsDlg::OnInitDialog() {
  LOG_ENTRY("StatsDlg::OnInitDialog");
  MyDialog::OnInitDialog();
  const HWND hWnd = GetSafeHwnd();
  const Stats::Data data = Stats::Read(CTarvolinApp::m_pBHOListKST);
  ::SetDlgItemTextA(hWnd, IDC_STATS_EDIT_TOTAL, data.sTotalReports.c_str());
  ::SetDlgItemTextA(hWnd, IDC_STATS_EDIT_UNIQUE, data.sUniqueBHOs.c_str());
  ::SetDlgItemTextA(hWnd, IDC_STATS_STATIC_TOPX, Stats::kHeading);

  m_list.SubclassDlgItem(IDC_STATS_LIST, hWnd);
  m_list.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_list.InsertColumn(0, "#", 40);
  m_list.InsertColumn(1, "Description", 190);
  m_list.InsertColumn(2, "Report Count", 80);
  const HWND hList = m_list.GetSafeHwnd();
  for (const int nCol : {0, 2}) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT;
    column.fmt = LVCFMT_RIGHT;
    ::SendMessageA(hList, LVM_SETCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(&column));
  }
  ::SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
  for (const auto& row : data.rows) m_list.AddRow({row[0], row[1], row[2]});
  ::SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
  return TRUE;
}
