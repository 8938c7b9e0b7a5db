#include "app/Tarvolin.h"

#include <cstdio>
#include <list>
#include <memory>

#include "app/InteractiveFrontend.h"
#include "app/TheCommandLineInfo.h"
#include "common/base/ErrorCheck.h"
#include "common/base/GenericErrors.h"
#include "common/base/GenericStrings.h"
#include "common/base/SystemApi.h"
#include "common/fileinfo/ProgramVersion.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/DialogDefaults.h"
#include "common/ui/MyMessageBox.h"
#include "common/ui/UserMessage.h"
#include "common/ui/WaitCursor.h"
#include "lists/KnownLists.h"
#include "model/Bho.h"

namespace {

const char* const kNoRightsText =
    "\n\nYou do not have rights to access the Registry keys that Tarvolin needs to read and write.  "
    "Possibly, "
    "you are not a member of the 'Administrator' group (not applicable for Windows 95/98).  Tarvolin "
    "requires "
    "these rights to operate, and must now exit.\n\n(Tarvolin may be able to be made to run for this user by "
    "creating a shortcut to Tarvolin.exe, and then using the 'Security' tab of the 'Properites' dialog box "
    "to "
    "give this user 'Full Control'.)\n\nPlease note there may be other reasons for this failure.";

const char* const kSingleRunName = "Tarvolin 2.0";

const char* const kAlreadyRunning =
    "An instance of this application is already running.  Only one instance of this program can run at a "
    "time.  If you don't see it, look in the system tray area on the bottom-right side of your screen. If "
    "you still don't see it, try clicking on the chevrons (the '<<' characters) on the system tray.\n\nIf "
    "you *still* don't see it, try rebooting!\n";

const char* const kDapWarning =
    "Tarvolin has detected that the program 'Download Accelerator Plus' has been installed on this PC.  "
    "Please be advised that 'Download Accelerator Plus' should be disabled when using the 'Check for "
    "Updates' feature in Tarvolin, as it interferes with the process Tarvolin uses to check for new "
    "versions.";

}  // namespace

IBHOList* CTarvolinApp::m_pBHOListKST = nullptr;
IBHOList* CTarvolinApp::m_pBHOListSysInfo = nullptr;
IBHOList* CTarvolinApp::m_pBHOListCops = nullptr;

std::string SafeFileNamePart(const std::string& sName) {
  std::string sSafe = sName;
  for (char& c : sSafe) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::string("/\\:*?\"<>|").find(c) != std::string::npos) c = '_';
  }
  if (sSafe.find_first_not_of('.') == std::string::npos) sSafe = std::string(sSafe.size(), '_');
  return sSafe;
}

CTarvolinApp::CTarvolinApp(std::vector<std::string> args, const std::string& logFileName)
    : MyApp(logFileName, 4), m_args(std::move(args)) {}

CTarvolinApp::~CTarvolinApp() = default;

bool CTarvolinApp::InitInstance() {
  WaitCursor wait;
  MyApp::InitInstance();
  m_log.SetLevel(MyLog::Debug);
  LOG_ENTRY("CTarvolinApp::InitInstance");

  HResult hr = kSOk;
  const std::string sVersion = GetRunningVersion(hr);
  LOGA("Running version <%s>.\n", sVersion);

  // Tooltips are on unless the user switched them off. The value is absent
  // until the settings dialog writes it, which is no failure.
  bool bToolTips = true;
  {
    HResult hrKey = kSOk;
    MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    EC_B(hrKey, reg.IsOpen());
    if (Succeeded(hrKey)) reg.ReadValueBool("TooltipsEnabled", bToolTips);
  }
  DialogDefaults::s_bToolTipsEnabled = bToolTips;

  if (!CheckRegistryRights()) return false;

  // Profile settings live under the program key of the company's key
  // (REGKEY_PROGRAM); there is no framework profile to point there.
  HonourFactoryReset();
  DialogDefaults::s_uiDialogIcon = IDR_MAINFRAME;

  // The silent output mode never waits for a click: its messages go to
  // standard error.
  if (RequestsOutputMode(m_args)) UserMessage::SetNonInteractive(true);
  TheCommandLineInfo cmdInfo;
  ParseCommandLine(m_args, cmdInfo);
  if (cmdInfo.m_bOutput) {
    RunOutputMode(cmdInfo);
    return false;
  }

  RunInteractive(cmdInfo);

  LOGD("<<< CTarvolinApp::InitInstance\n");
  return false;
}

// The resident program: one instance, the greeting, the notices and the
// main dialog, which runs until the user quits.
void CTarvolinApp::RunInteractive(const TheCommandLineInfo& cmdInfo) {
  if (!m_pFrontend) return;
  HResult hr = kSOk;
  bool bGuardTaken = false;
  if (cmdInfo.m_bPause) {
    // A copy that restarted itself waits until the old one has gone.
    for (;;) {
      LOGA("Sleeping due to -Pause flag...\n");
      m_pFrontend->Sleep(30000);
      if (Succeeded(m_pFrontend->TakeSingleRunGuard(kSingleRunName))) break;
    }
    LOGA("No other instance found to be running... abandoning Pause flag processing.\n");
    bGuardTaken = true;
  }
  if (!bGuardTaken && Failed(m_pFrontend->TakeSingleRunGuard(kSingleRunName))) {
    LOGE("%s", kAlreadyRunning);
    UserMessage::Show(m_log.GetLastLogText(), UserMessage::kIconError);
    return;
  }

  {
    MyRegistry regProgram(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    EC_B(hr, regProgram.IsOpen());
    if (Succeeded(hr)) {
      bool bGreeting = false;
      if (!regProgram.ReadValueBool("GreetingFlag", bGreeting) || bGreeting) {
        int nCheckShow = 1;
        m_pFrontend->RunGreeting(nCheckShow);
        HResult hrFlag = kSOk;
        EC_B(hrFlag, regProgram.SaveValueBool("GreetingFlag", nCheckShow != 0));
      }
    }
  }
  EC_H(hr, CheckForLatestVersion());
  EC_H(hr, CheckForDownloadAcceleratorPlus());

  const int nResult = m_pFrontend->RunMainDialog();
  if (nResult == UserMessage::kIdOk)
    LOGE("You should never get this!\n");
  else if (nResult == UserMessage::kIdCancel)
    LOGA("User shut down.\n");
}

HResult CTarvolinApp::CheckForLatestVersion() {
  LOG_ENTRY("CTarvolinApp::CheckForLatestVersion");
  HResult hr = kSOk;
  MyRegistry regProgram(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  std::string sLatest;
  regProgram.ReadValueString("LatestKnownVersion", sLatest);
  if (sLatest.empty()) return hr;
  const std::string sCurrent = GetRunningVersion(hr);
  if (!sCurrent.empty() && Generic::CompareVersions(sLatest, sCurrent) > 0) {
    LOGA(
        "A new version of this program is available!  The new version is %s; your current version is %s.  "
        "Please click the 'Check for Updates' button for more information.",
        sLatest, sCurrent);
    UserMessage::Show(m_log.GetLastLogText(), UserMessage::kIconInformation);
  }
  return hr;
}

HResult CTarvolinApp::CheckForDownloadAcceleratorPlus() {
  LOG_ENTRY("CTarvolinApp::CheckForDownloadAcceleratorPlus");
  MyRegistry regDap;
  if (regDap.Open(Registry::kClassesRoot, "CLSID\\{8110AEA1-AD5B-4B90-883F-04A9A33B106E}", false)) {
    MyMessageBox box(kDapWarning, "Tarvolin", 385, IDS_DAP_DETECTED, UserMessage::kIconExclamation);
    box.DoModal();
  }
  return kSOk;
}

// The BHO key must exist and be writable: listing, disabling and removing
// BHOs all need full access to it.
bool CTarvolinApp::CheckRegistryRights() {
  LOGA("Making sure the <%s> key exists on HKEY_LOCAL_MACHINE.\n", REGKEY_BHO);
  HResult hr = kSOk;
  MyRegistry regBHOs;
  EC_B(hr, regBHOs.Open(Registry::kLocalMachine, REGKEY_BHO, true));
  EC_B(hr, regBHOs.Close());

  LOGA("Testing to see if we can open the <%s> key on HKEY_LOCAL_MACHINE.\n", REGKEY_BHO);
  long lError = 0;
  if (MyRegistry::TestOpen(Registry::kLocalMachine, REGKEY_BHO, lError)) return true;

  LOGE("%s", std::string("Error attempting to read the <") + REGKEY_BHO + "> key on HKEY_LOCAL_MACHINE:\n\n" +
                 Generic::GetErrorText(static_cast<DWord>(lError)) + kNoRightsText);
  UserMessage::Show(m_log.GetLastLogText(), UserMessage::kIconError);
  return false;
}

// A reset ordered in the settings dialog erases every setting of the
// program at this start; the notes in the INI file stay.
void CTarvolinApp::HonourFactoryReset() {
  HResult hr = kSOk;
  MyRegistry regProgram(Registry::kCurrentUser, REGKEY_PROGRAM, true);
  bool bRestore = false;
  EC_B(hr, regProgram.IsOpen());
  if (Failed(hr) || !regProgram.ReadValueBool("RestoreToFactoryDefaults", bRestore) || !bRestore) return;
  regProgram.Close();

  MyRegistry regCompany(Registry::kCurrentUser, REGKEY_COMPANY, true);
  EC_B(hr, regCompany.IsOpen());
  EC_B(hr, regCompany.DeleteKey(REGKEY_PROGRAM_NAME));
}

// The silent output mode as start-up runs it. Its last log line tells
// whether every report was written; a script learns the same from the exit
// code and from one line on standard error.
void CTarvolinApp::RunOutputMode(const TheCommandLineInfo& cmdInfo) {
  m_outputOutcome = OutputOutcome();
  bool bSucceeded = false;
  if (cmdInfo.m_sPathOutput.empty()) {
    m_outputOutcome.bCommandLineFailed = true;
  } else {
    HResult hrOutput = kSOk;
    EC_H(hrOutput, HandleOutputFlag(cmdInfo.m_sPathOutput));
    bSucceeded = Succeeded(hrOutput) && m_outputOutcome.Succeeded();
  }
  const std::string sSummary = m_outputOutcome.Summary();
  if (!m_outputOutcome.bCommandLineFailed) LOGA("%s\n", sSummary);
  if (bSucceeded)
    LOGA("Command line succeeded - exiting silently.\n");
  else
    LOGE("Command line failed - exiting!\n");
  m_nExitCode = m_outputOutcome.ExitCode();
  std::fprintf(stderr, "%s\n", sSummary.c_str());
  std::fflush(stderr);
}

int CTarvolinApp::ExitInstance() {
  MyApp::ExitInstance();
  return m_nExitCode;
}

HResult CTarvolinApp::HandleOutputFlag(std::string sPathOutput) {
  LOG_ENTRY("CTarvolinApp::HandleOutputFlag");
  WaitCursor wait;
  HResult hr = kSOk;

  sPathOutput = Generic::Trim(sPathOutput);
  while (!sPathOutput.empty() && sPathOutput.back() == '\\') sPathOutput.pop_back();
  sPathOutput += '\\';
  m_outputOutcome = OutputOutcome();
  m_outputOutcome.sDirectory = sPathOutput;

  MyRegistry regBHOs(Registry::kLocalMachine, REGKEY_BHO, true);
  if (!regBHOs.IsOpen()) return hr;

  const KnownLists lists;
  std::list<std::string> slSubKeys;
  EC_B(hr, regBHOs.EnumSubKeys(slSubKeys));
  m_outputOutcome.bListed = Succeeded(hr);
  if (!m_outputOutcome.bListed) return hr;

  // Every BHO gets its report, whatever happened to the ones before it: the
  // walk goes in the order of the key names, which whoever installs a BHO
  // chooses, so one record that does not load must not hide the others.
  for (const std::string& sSubKey : slSubKeys) {
    const auto pBHO = std::make_unique<BHO>(sSubKey);
    HResult hrLoad = kSOk;
    EC_H(hrLoad, pBHO->LoadBHOAttrs());
    // The key name comes from whoever installed the BHO: it names a file
    // only after it has been made safe; the report keeps the real name.
    const std::string sReportPath =
        sPathOutput + SafeFileNamePart(pBHO->m_mapAttrVals.Get("Clsid")) + "_TarvolinInfo.txt";
    HResult hrSave = kSOk;
    EC_H(hrSave, pBHO->SaveToFile(sReportPath));
    if (Failed(hrLoad)) {
      LOGE("The BHO <%s> could not be loaded completely; its report <%s> holds what was loaded.\n", sSubKey,
           sReportPath);
    }
    m_outputOutcome.Count(Succeeded(hrLoad), Succeeded(hrSave));
  }
  if (!m_outputOutcome.Succeeded()) hr = kEFail;
  return hr;
}
