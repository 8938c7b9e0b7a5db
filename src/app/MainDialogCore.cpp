#include "app/MainDialogCore.h"

#include "app/SendReportsText.h"
#include "common/base/ErrorCheck.h"
#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/files/GenericFiles.h"
#include "common/net/MakerServers.h"
#include "common/net/MyFtp.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/ProgressWindow.h"
#include "common/ui/Shell.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "lists/KnownLists.h"
#include "model/Bho.h"
#include "model/BhoGridRow.h"
#include "res/TarvolinDlgRes.h"
#include "update/Reporter.h"

namespace {

const char kWelcome[] =
    "Thanks for trying Tarvolin!\n\nTarvolin has examined your Registry, and found any and all BHOs (Browser "
    "Helper Objects). If there aren't any in the list, that simply means your PC doesn't have any BHOs "
    "installed, which is quite possible.\n\nNote that each BHO can be enabled or disabled by checking the "
    "checkbox in the 'Enabled?' column.  Also, check the 'Status' column to see if the BHO is known to be "
    "benign, known to be 'malware' or 'adware', one that we are investigating, or one that is unknown to "
    "us.\n\nIf you want to, once you've enabled/disabled your BHOs the way you want them, you can click the "
    "'Send Reports' button, and Tarvolin will send us anonymous reports about your BHOs, so that we can "
    "update our database.  (No information that can uniquely identify your PC is ever sent to us.)\n\nNow "
    "click the 'OK' button to begin using Tarvolin!";

const char kSP2Notice[] =
    "Tarvolin has detected that you are running Windows XP Service Pack 2 (SP2).\n\nTarvolin version "
    "2.0.0.19 "
    "and later fully integrates with SP2 in the way that BHOs are enabled and disabled.  This means that you "
    "can enable/disable BHOs from either Tarvolin or Internet Explorer, and the other program will recognize "
    "the change correctly.\n\nHowever, we recommend that you use Tarvolin, and not Internet Explorer to "
    "disable BHOs: malicious BHOs can easily re-enable themselves when disabled via Internet Explorer, but "
    "not when disabled by Tarvolin.\n\nAlso, under SP2, Tarvolin displays some information about your BHOs "
    "that is not available using Internet Explorer: the number of times the BHO has attempted to load, the "
    "number of times it was blocked (because you disabled it), and the most recent date-time it tried to "
    "load.";

const char kSureToExit[] =
    "Are you sure you want to quit Tarvolin?\n\nIt's better to leave Tarvolin running at all times, so that "
    "it can detect if someone tries to install a BHO on your machine.  Detection of new BHO installations "
    "will CEASE if you exit Tarvolin.\n\nSince it does no harm, and uses a tiny amount of system resources, "
    "we strongly advise that you leave Tarvolin running continuously, by minimizing it (so that it will "
    "continue running in your 'System Tray' area, on the right side of your Windows task bar, where the "
    "clock is).";

const char kNoBhos[] =
    "There are no Browser Helper Objects (BHOs) installed on your system.  Please minimize Tarvolin so it "
    "can monitor your system against any new BHO installation attempts.\n";

void ShowLogged(unsigned style) { UserMessage::Show(MyLog::Current().GetLastLogText(), style); }

}  // namespace

MainDialogCore::MainDialogCore() = default;
MainDialogCore::~MainDialogCore() = default;

void MainDialogCore::CreateLists() { m_pLists = std::make_unique<KnownLists>(); }

void MainDialogCore::Destroy() {
  HResult hr = kSOk;
  EC_H(hr, SaveColumnWidths());
  for (int nRow = m_gridBhos.GetRowCount() - 1; nRow >= 1; --nRow) m_gridBhos.DeleteRow(nRow);
  m_pLists.reset();
}

HResult MainDialogCore::LoadListCtrl(int nShowState) {
  LOG_ENTRY("CTarvolinDlg::LoadListCtrl");
  WaitCursor wait;
  HResult hr = kSOk;
  EC_H(hr, BHO::PopulateMainGrid(m_gridBhos));
  if (Succeeded(hr) && m_gridBhos.GetRowCount() == 1 && nShowState != kShowMinimizedNoActivate) {
    LOGA("%s", kNoBhos);
    ShowLogged(UserMessage::kIconInformation);
  }
  return hr;
}

HResult MainDialogCore::RefreshListControl() {
  LOG_ENTRY("CTarvolinDlg::RefreshListControl");
  HResult hr = kSOk;
  HResult hrWidths = kSOk;
  EC_H(hrWidths, SaveColumnWidths());
  EC_H(hr, BHO::PopulateMainGrid(m_gridBhos));
  return hr;
}

HResult MainDialogCore::SaveColumnWidths() const {
  return m_gridBhos.SaveColumnWidthsToRegistry(kGridBhosKey, kColumnWidthsValue);
}

HResult MainDialogCore::IncrementProgramRunCounter(int& nProgramRun) {
  LOG_ENTRY("CTarvolinDlg::IncrementProgramRunCounter");
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  EC_B(hr, reg.IsOpen());
  if (Succeeded(hr)) reg.ReadValueInt("ProgramRunCounter", nProgramRun);
  ++nProgramRun;
  EC_B(hr, reg.SaveValueInt("ProgramRunCounter", nProgramRun));
  return hr;
}

HResult MainDialogCore::ConvertDisabledBHOsToSP2Way() {
  LOG_ENTRY("CTarvolinDlg::ConvertDisabledBHOsToSP2Way");
  HResult hr = kSOk;
  for (int nRow = 1; nRow < m_gridBhos.GetRowCount() && Succeeded(hr); ++nRow) {
    BHO* pBHO = m_gridBhos.GetItemData<BHO>(nRow, BhoGrid::COLUMN_ENABLED);
    if (pBHO) EC_H(hr, pBHO->ConvertIfDisabledToSP2Way());
  }
  return hr;
}

int MainDialogCore::CountUnknownBHOs() const {
  int nCount = 0;
  for (int nRow = 1; nRow < m_gridBhos.GetRowCount(); ++nRow) {
    const BHO* pBHO = m_gridBhos.GetItemData<BHO>(nRow, BhoGrid::COLUMN_ENABLED);
    if (pBHO && (pBHO->IsUnknown() || pBHO->IsInvestigating())) ++nCount;
  }
  return nCount;
}

int MainDialogCore::PrepareUpdateCheck() {
  HResult hr = kSOk;
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  EC_B(hr, reg.IsOpen());
  int nProgramRun = 0;
  if (Succeeded(hr)) reg.ReadValueInt("ProgramRunCounter", nProgramRun);
  if (nProgramRun > 5) {
    HResult hrReports = kSOk;
    EC_H(hrReports, OnButtonSendreports());
  }
  const int nUnknown = CountUnknownBHOs();
  HResult hrWidths = kSOk;
  EC_H(hrWidths, SaveColumnWidths());
  return nUnknown;
}

void MainDialogCore::ShowWelcome() const {
  MyMessageBox box(kWelcome, "TarvolinDlg", 231, IDS_WELCOME_CAPTION, UserMessage::kIconInformation);
  box.DoModal();
}

void MainDialogCore::ShowSP2Notice() const {
  MyMessageBox box(kSP2Notice, "TarvolinDlg", 272, IDS_SP2_CAPTION, UserMessage::kOk);
  box.DoModal();
}

bool MainDialogCore::ConfirmClose() const {
  MyMessageBox box(kSureToExit, "TarvolinDlg", 996, IDS_SURE_TO_EXIT_CAPTION,
                   UserMessage::kOkCancel | UserMessage::kIconQuestion | UserMessage::kDefButton2);
  return box.DoModal() == UserMessage::kIdOk;
}

HResult MainDialogCore::OpenHelp() const {
  LOG_ENTRY("CTarvolinDlg::OnBnClickedButtonHelp");
  WaitCursor wait;
  HResult hr = kSOk;
  std::string sAppPath;
  EC_B(hr, !(sAppPath = SystemApi::GetModuleFileName()).empty());
  if (Failed(hr)) return hr;
  const std::string sHelpPath = Generic::GetDirectory(sAppPath) + "\\tarvolin20help.html";

  if (Generic::FileExists(sHelpPath)) {
    if (Shell::OpenDocument(Generic::GetFileName(sHelpPath), Generic::GetDirectory(sHelpPath)) <= 32) {
      LOGW("Failed to open file <%s>\n!", sHelpPath);
      ShowLogged(UserMessage::kIconExclamation);
      hr = kEFail;
    }
    return hr;
  }
  const std::string sUrl = MakerServers::FilesUrl() + "tarvolin20help.html";
  if (Shell::Navigate(sUrl) <= 32) {
    LOGW("Cannot navigate to <%s>!\n", sUrl);
    ShowLogged(UserMessage::kIconExclamation);
    return kEFail;
  }
  // Fetched for the next click, which then opens the local copy.
  const auto pProgress = ProgressWindow::Create();
  EC_H(hr, MyFtp::URLDownloadToFile(sUrl, sHelpPath, pProgress.get()));
  if (Failed(hr)) ShowLogged(UserMessage::kIconExclamation);
  return hr;
}

HResult MainDialogCore::OnButtonSendreports() {
  LOG_ENTRY("CTarvolinDlg::OnButtonSendreports");
  WaitCursor wait;
  int nNeedReporting = 0;
  HResult hr = kSOk;
  EC_H(hr, SendReports(nNeedReporting));
  if (Succeeded(hr) && nNeedReporting == 0) {
    MyMessageBox box(SendReportsText::kNothingToReport, "TarvolinDlg", 1046, IDS_NO_BHOS_TO_REPORT_CAPTION,
                     UserMessage::kOk | UserMessage::kIconInformation);
    box.DoModal();
  }
  return hr;
}

HResult MainDialogCore::SendReports(int& nNeedReporting) {
  WaitCursor wait;
  nNeedReporting = 0;
  HResult hr = kSOk;
  const auto needsReport = [this](int nRow) -> BHO* {
    BHO* pBHO = m_gridBhos.GetItemData<BHO>(nRow, BhoGrid::COLUMN_ENABLED);
    return pBHO && !Reporter::HasBHOBeenReported(pBHO) ? pBHO : nullptr;
  };
  for (int nRow = 1; nRow < m_gridBhos.GetRowCount(); ++nRow) {
    if (needsReport(nRow)) ++nNeedReporting;
  }
  if (nNeedReporting < 1) return kSOk;

  LOGA("%s\n", SendReportsText::Prompt(nNeedReporting));
  if (UserMessage::Show(MyLog::Current().GetLastLogText(),
                        UserMessage::kOkCancel | UserMessage::kIconQuestion) != UserMessage::kIdOk)
    return kSOk;

  auto pdlgModeless = ProgressWindow::Create();
  bool bAllUploaded = true;
  for (int nRow = 1; nRow < m_gridBhos.GetRowCount() && Succeeded(hr); ++nRow) {
    const BHO* pBHO = needsReport(nRow);
    if (!pBHO) continue;
    if (pdlgModeless) pdlgModeless->SetMessage(SendReportsText::Progress(pBHO->GetName()));
    bool bFileUploadedSuccessfully = false;
    EC_H_TEXT(hr, "Reporter::UploadBHOReport(pBHO, pdlgModeless, bFileUploadedSuccessfully)",
              Reporter::UploadBHOReport(pBHO, pdlgModeless.get(), bFileUploadedSuccessfully));
    if (!bFileUploadedSuccessfully) bAllUploaded = false;
  }
  pdlgModeless.reset();

  if (Failed(hr)) nNeedReporting = 0;
  const SendReportsText::Closing closing = SendReportsText::ClosingMessage(Succeeded(hr), bAllUploaded);
  LOGA("%s\n", closing.sText);
  ShowLogged(closing.uiStyle);
  return hr;
}
