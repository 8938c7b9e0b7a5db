// Everything the main window decides without a window: its grid and the
// known-BHO lists it owns, the first fill and the refreshes, the run
// counter, the SP2 conversion, the start-up notices, the close question and
// the Help button's choice between the local page and the maker's. The
// window (CTarvolinDlg) moves data between this and its controls.
#pragma once

#include <memory>
#include <string>

#include "common/base/Types.h"
#include "controls/GridCtrl.h"

class KnownLists;

class MainDialogCore {
 public:
  MainDialogCore();
  ~MainDialogCore();
  MainDialogCore(const MainDialogCore&) = delete;
  MainDialogCore& operator=(const MainDialogCore&) = delete;

  static constexpr int kShowMinimizedNoActivate = 7;  // SW_SHOWMINNOACTIVE

  // The three list objects (a missing list file is fetched now).
  void CreateLists();
  // The lists and the row records go; the column widths are saved.
  void Destroy();

  // The first fill; with no BHO at all and not started in the tray, says so.
  HResult LoadListCtrl(int nShowState);
  // Saves the column widths, then fills the grid again.
  HResult RefreshListControl();
  HResult SaveColumnWidths() const;

  static HResult IncrementProgramRunCounter(int& nProgramRun);
  // Every row's BHO disabled the classic way becomes one disabled the SP2
  // way; the first failure stops the walk.
  HResult ConvertDisabledBHOsToSP2Way();
  // BHOs the lists do not know well enough: "Unknown" or "Investigating".
  int CountUnknownBHOs() const;
  // Before the Check for Updates dialog: from the sixth start on, the Send
  // BHO Reports offer comes first; the column widths are saved. The number
  // of BHOs the lists do not know well enough.
  int PrepareUpdateCheck();

  void ShowWelcome() const;
  void ShowSP2Notice() const;
  // The exit question; true when the user confirmed (or chose so before).
  bool ConfirmClose() const;

  // The Send BHO Reports button: every BHO not reported yet is offered, and
  // the reports the user agrees to are uploaded; with none to offer, says so.
  HResult OnButtonSendreports();
  // Counts the BHOs not reported yet into `nNeedReporting`, offers them and
  // uploads them one by one until the first failure. `nNeedReporting` is 0
  // after a failure, and keeps the count when the user declined.
  HResult SendReports(int& nNeedReporting);
  // The Help button: the help page beside the executable, else the maker's
  // page in the browser, fetched for next time.
  HResult OpenHelp() const;

  CGridCtrl& Grid() { return m_gridBhos; }
  const CGridCtrl& Grid() const { return m_gridBhos; }

  static constexpr const char* kGridBhosKey = "Software\\Kestrove\\Tarvolin 2.0\\GridBhos";
  static constexpr const char* kColumnWidthsValue = "ColumnWidths";

 private:
  CGridCtrl m_gridBhos;
  std::unique_ptr<KnownLists> m_pLists;
};
