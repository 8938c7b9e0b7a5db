#include "app/TheCommandLineInfo.h"

#include "common/base/ErrorCheck.h"
#include "common/base/GenericEnvPath.h"
#include "common/base/GenericPaths.h"
#include "common/ui/UserMessage.h"

namespace {

bool IsFlag(const std::string& arg) { return !arg.empty() && (arg[0] == '-' || arg[0] == '/'); }

void ShowError() { UserMessage::Show(MyLog::Current().GetLastLogText(), UserMessage::kIconError); }

}  // namespace

void TheCommandLineInfo::ParseParam(const char* pszParam, bool bFlag, bool /*bLast*/) {
  LOG_ENTRY("TheCommandLineInfo::ParseParam");
  const std::string sParam = pszParam ? pszParam : "";
  if (bFlag) {
    LOGA("Got command line flag <%s>.\n", sParam);
    if (Generic::EqualsNoCase(sParam, "output")) {
      m_bOutput = true;
    } else if (Generic::EqualsNoCase(sParam, "pause")) {
      m_bPause = true;
    } else {
      LOGE("Error in command-line argument: <%s> is not a legal flag!\n", sParam);
      ShowError();
      m_sPathOutput.clear();
    }
    return;
  }

  LOGA("Got command line Output param <%s>.\n", sParam);
  if (!m_bOutput || !m_sPathOutput.empty()) {
    LOGE("Got unexpected command-line param: <%s>!\n", sParam);
    ShowError();
    m_sPathOutput.clear();
    return;
  }
  HResult hr = kSOk;
  EC_H(hr, Generic::TranslateEnvPath(sParam, m_sPathOutput, '*'));
  if (Failed(hr)) {
    LOGE("Failed to expand the command-line param: <%s>!  Please see the logfile for more information.\n",
         sParam);
    ShowError();
    m_sPathOutput.clear();
    return;
  }
  LOGA("Expanded command line Output param to <%s>.\n", m_sPathOutput);
}

void ParseCommandLine(const std::vector<std::string>& args, TheCommandLineInfo& info) {
  for (size_t i = 0; i < args.size(); ++i) {
    const bool bFlag = IsFlag(args[i]);
    info.ParseParam(bFlag ? args[i].c_str() + 1 : args[i].c_str(), bFlag, i + 1 == args.size());
  }
}

bool RequestsOutputMode(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (IsFlag(arg) && Generic::EqualsNoCase(arg.substr(1), "output")) return true;
  }
  return false;
}
