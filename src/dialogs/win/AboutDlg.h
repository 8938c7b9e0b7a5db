// The about dialog (dialog 100): the running version and the links to the
// maker's web site, its support address, the release history and the
// download site.
#pragma once

#include <windows.h>

#include "common/ui/win/MyDialog.h"
#include "controls/win/MyButton.h"
#include "controls/win/MyHyperlink.h"
#include "controls/win/MyStatic.h"

class CAboutDlg : public MyDialog {
 public:
  explicit CAboutDlg(HWND hParent);

  static constexpr COLORREF kVersionText = 0x002222B2;
  static constexpr int kVersionHeight = 14;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id, WORD code, HWND hControl) override;

 private:
  MyStatic m_version;
  MyHyperlink m_webSite;
  MyHyperlink m_supportMail;
  MyHyperlink m_releaseHistory;
  MyHyperlink m_downloadSite;
  MyButton m_emailLog;
  MyButton m_emailFriend;
};
