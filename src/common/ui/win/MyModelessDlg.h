// The small wait window of downloads, uploads and unzipping (dialog 11000):
// a looping globe, the current step's text and a progress bar. It is made
// at once, shown without taking the focus, and goes with the object.
// Cancel only marks the window cancelled: the operation runs to its end.
#pragma once

#include <windows.h>

#include <string>

#include "common/ui/ProgressWindow.h"
#include "common/ui/win/GdiHandle.h"
#include "common/ui/win/MyDialog.h"

class MyModelessDlg : public MyDialog, public ProgressWindow {
 public:
  // `hParent` null: the main window is brought to the top instead.
  explicit MyModelessDlg(HWND hParent);

  // Trimmed, every '%' an '_', shown and drawn at once.
  void SetMessage(const std::string& text) override;
  void SetProgress(std::uint64_t done, std::uint64_t total) override;

  bool IsCancelled() const { return m_bCancelled; }
  const std::string& GetMessage() const { return m_sMessage; }

  static constexpr COLORREF kBackground = RGB(255, 248, 220);

 protected:
  // Not the dialog base's: this window has no placement, hue or tips.
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  void OnDestroy() override {}

 private:
  std::string m_sMessage;
  UniqueBrush m_hbrBackground;
  bool m_bCancelled = false;
};

// Makes every ProgressWindow::Create() open this window, owned by the
// active window (else the main window). The silent output mode never calls
// it, so its progress stays on standard error.
void InstallProgressWindow();
