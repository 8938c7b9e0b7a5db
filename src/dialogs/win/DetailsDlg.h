// The BHO details window: every attribute of one BHO, its verdict and
// meter, the file's icon, the user's note and the buttons that act on the
// BHO. What it shows and does comes from DetailsCore.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/ui/win/GdiHandle.h"
#include "common/ui/win/MyDialog.h"
#include "controls/win/MyButton.h"
#include "controls/win/MyListCtrl.h"
#include "controls/win/MyStatic.h"
#include "dialogs/DetailsCore.h"

class BHO;

class DetailsDlg : public MyDialog {
 public:
  explicit DetailsDlg(HWND hParent);
  ~DetailsDlg() override;

  // The BHO shown; set before the window opens. The share keeps the record
  // alive while the main grid refills underneath.
  std::shared_ptr<const BHO> m_pBho;

  // The save dialog: given the suggested name, the chosen path; false on
  // Cancel. Tests stand in for it; returns the previous one.
  using SaveFileChooser =
      std::function<bool(HWND hOwner, const std::string& sDefaultName, std::string& sPath)>;
  static SaveFileChooser SetSaveFileChooser(SaveFileChooser chooser);

  static constexpr UINT WM_APP_ORPHAN_CHECK = WM_APP + 1;

  // For tests.
  MyListCtrl& List() { return m_listAttrs; }
  MyStatic& StatusText() { return m_staticStatus; }
  HICON GetBhoIcon() const { return m_hiconBho; }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void PopulateDetailsListControl();
  void SetButtonIcons();
  void SetupIcon();
  void SetupStatusText();
  void SetupProgressCtrl();
  void SetupNotation();
  void OnBnClickedOk();
  void OnBnClickedDetailsButtonSave();

  std::optional<DetailsCore> m_core;
  MyListCtrl m_listAttrs;
  MyStatic m_staticStatus;
  MyButton m_buttons[5];
  HICON m_hiconBho = nullptr;
  UniqueIcon m_iconOwned;  // the file's own icon (the system's logo is shared)
};
