// The check for updates without its window: the published version from the
// maker's update page, the refresh of the community HTML list and, while the
// grid shows BHOs nobody knows yet, of the maker's list; then the summary,
// and the record of the check that the schedule goes by. The dialog
// (CheckForUpdateDlg) adds the window: the frequency in its radio group and
// the close after a check. The automatic check runs on an object without a
// window.
#pragma once

#include <functional>
#include <string>

#include "common/base/Types.h"

class CheckForUpdateCore {
 public:
  CheckForUpdateCore() = default;
  virtual ~CheckForUpdateCore() = default;
  CheckForUpdateCore(const CheckForUpdateCore&) = delete;
  CheckForUpdateCore& operator=(const CheckForUpdateCore&) = delete;

  // The check frequency (UpdateCheck::Frequency): 0 quarterly, 1 monthly,
  // 2 weekly, 3 never.
  int m_nRadio = 1;
  // An automatic check asks nothing and shows no summary.
  bool m_bScheduled = false;
  // Rows of the grid whose BHO is "Unknown" or "Investigating"; without any
  // the maker's list is not fetched.
  int m_nUnknownBHOs = 0;

  // The check (the Check NOW button, and a due scheduled check).
  HResult OnButtonCheckforupdate();
  // The automatic check: runs the check when the frequency says it is due
  // since the last complete one. True when it ran.
  bool ScheduledCheck();

  // "CheckForUpdateFrequency" into m_nRadio (left as it is when absent).
  void ReadFrequency();
  // m_nRadio (-1, nothing chosen, becoming never) into "CheckForUpdateFrequency".
  HResult SaveFrequency();

  // Tests set the local time (days as DateText counts them); an empty
  // function restores the clock. Returns the previous one.
  using Clock = std::function<double()>;
  static Clock SetClock(Clock clock);
  static double Now();

 protected:
  // Whether a window shows this check, and its OK (the frequency is saved
  // and the window closes). Without a window there is nothing to close.
  virtual bool HasWindow() const { return false; }
  virtual void OnOK() {}

 private:
  // Steps of the check: each true when its part succeeded.
  bool CheckProgramVersion();
  bool RefreshHtmlList();
  // False when the maker's list was needed and could not be had: the check
  // ends there.
  bool RefreshMakersList();
  void Summarise(int nSuccesses);
};
