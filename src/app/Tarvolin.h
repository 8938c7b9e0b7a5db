// The application object: start-up checks, factory reset and the choice
// between the silent output mode and the interactive program.
#pragma once

#include <string>
#include <vector>

#include "app/OutputOutcome.h"
#include "common/base/MyApp.h"
#include "common/base/Types.h"
#include "res/resource.h"

class IBHOList;
class InteractiveFrontend;
class TheCommandLineInfo;

class CTarvolinApp : public MyApp {
 public:
  // `args` are the command-line arguments without the program name;
  // `logFileName` is placed beside the executable unless it is a full path.
  explicit CTarvolinApp(std::vector<std::string> args = {}, const std::string& logFileName = "_Tarvolin.log");
  ~CTarvolinApp() override;

  // Runs the whole program; always false, so no message loop follows.
  bool InitInstance() override;
  // The exit code of the process: that of the output mode (see
  // OutputOutcome), 0 after an interactive start.
  int ExitInstance() override;

  // The silent output mode: one report file per registered BHO. Fails when
  // the BHOs cannot be listed or any record or report fails.
  HResult HandleOutputFlag(std::string sPathOutput);

  // The window system of an interactive start (not owned); without one an
  // interactive start ends after the checks.
  void SetFrontend(InteractiveFrontend* pFrontend) { m_pFrontend = pFrontend; }

  // The start-up notices: a newer version known from the last update
  // check, and a download manager that gets in the way of that check.
  HResult CheckForLatestVersion();
  HResult CheckForDownloadAcceleratorPlus();
  const OutputOutcome& GetOutputOutcome() const { return m_outputOutcome; }

  // The known-BHO lists while their owner (the output mode or the main
  // dialog) lives; null otherwise.
  static IBHOList* m_pBHOListKST;
  static IBHOList* m_pBHOListSysInfo;
  static IBHOList* m_pBHOListCops;

 private:
  bool CheckRegistryRights();
  void HonourFactoryReset();
  void RunInteractive(const TheCommandLineInfo& cmdInfo);
  void RunOutputMode(const TheCommandLineInfo& cmdInfo);

  std::vector<std::string> m_args;
  OutputOutcome m_outputOutcome;
  int m_nExitCode = 0;
  InteractiveFrontend* m_pFrontend = nullptr;
};

// A file name made from a registry key name: characters that separate paths,
// name alternate data streams or are not allowed in Windows file names
// become underscores, so the name stays one file inside its directory.
std::string SafeFileNamePart(const std::string& sName);
