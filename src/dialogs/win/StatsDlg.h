// The statistics of the maker's known-BHO list (dialog 155): the totals
// and the 100 most-reported BHOs, from StatsCore.
#pragma once

#include <windows.h>

#include "common/ui/win/MyDialog.h"
#include "controls/win/MyListCtrl.h"

class StatsDlg : public MyDialog {
 public:
  explicit StatsDlg(HWND hParent);

  MyListCtrl& List() { return m_list; }

 protected:
  BOOL OnInitDialog() override;

 private:
  MyListCtrl m_list;
};
