#include "common/base/MyLog.h"

#include "common/base/GenericPaths.h"
#include "common/base/SystemApi.h"
#include "common/files/GenericFiles.h"

namespace {

MyLog* g_pCurrent = nullptr;
bool g_bLevelSetBefore = false;

const char* LevelName(int level) {
  static const char* const kNames[] = {"Debug", "Trace", "Warns", "Error", "Audit", "Nolog"};
  return level >= 0 && level <= 5 ? kNames[level] : "";
}

std::string AfterLastSeparator(const char* path) {
  std::string s = path ? path : "";
  const auto pos = s.find_last_of("\\/");
  return pos == std::string::npos ? s : s.substr(pos + 1);
}

}  // namespace

MyLog::MyLog(const std::string& fileName, int maxSizeMB) : m_pPrevious(g_pCurrent) {
  g_pCurrent = this;

  // Full paths: "\\server\share\...", "C:\...", and the rooted "\dir\..." that
  // POSIX paths become in the program's back-slash form.
  const bool bFullPath = fileName.rfind('\\', 0) == 0 || (fileName.size() > 1 && fileName[1] == ':');
  m_sFileName =
      bFullPath ? fileName : Generic::GetDirectory(SystemApi::GetModuleFileName()) + "\\" + fileName;

  const std::string computer = SystemApi::GetComputerName();
  if (!computer.empty()) {
    const std::string ext = ".log";
    if (m_sFileName.size() >= ext.size() &&
        Generic::FindNoCase(m_sFileName.substr(m_sFileName.size() - ext.size()), ext) == 0) {
      m_sFileName.erase(m_sFileName.size() - ext.size());
    }
    m_sFileName += "_" + computer + ext;
  }

  const DWord limit = static_cast<DWord>(maxSizeMB) << 20;
  DWord size = 0;
  if (Generic::FileExists(m_sFileName) && Generic::GetFileSize(m_sFileName, size) && size > 2ull * limit) {
    const int previous = m_nLevel;
    SetLevel(Nolog);
    Generic::TrimFileToTail(m_sFileName, limit);
    SetLevel(previous);
  }

  m_file.Open(m_sFileName, "a");
  m_nPid = SystemApi::GetCurrentProcessId();
}

MyLog::~MyLog() {
  if (g_pCurrent == this) g_pCurrent = m_pPrevious;
}

MyLog& MyLog::Current() {
  if (g_pCurrent) return *g_pCurrent;
  // Before the application's log exists: writes are dropped, pending text
  // still works.
  static MyLog s_silent;
  return s_silent;
}

void MyLog::ForgetFirstSetLevel() { g_bLevelSetBefore = false; }

void MyLog::SetLevel(int level) {
  m_nLevel = level;
  SetLocation(__FILE__, __LINE__, Audit);
  if (!g_bLevelSetBefore) {
    g_bLevelSetBefore = true;
    Log("-----------------------------------------------\nLog <%s> level set to <%d> (<%s>).\n", m_sFileName,
        level, LevelName(level));
  } else {
    Log("Log level set to <%d> (<%s>).\n", level, LevelName(level));
  }
}

void MyLog::SetLocation(const char* sourceFile, int line, int level) {
  m_nMsgLevel = level;
  if (level >= m_nLevel) {
    const SystemApi::LocalTime t = SystemApi::GetLocalTime();
    char header[96];
    std::snprintf(header, sizeof header, "%4d/%02d/%02d %02d:%02d:%02d.%03d %d @%c ", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond, m_nPid,
                  "DTWEAN"[level >= 0 && level <= 5 ? level : 5]);
    char location[32];
    std::snprintf(location, sizeof location, "(%4d): ", line);
    Write(header, false);
    Write(AfterLastSeparator(sourceFile) + location, false);
  }
  m_sPending.clear();
}

void MyLog::LogArgs(const char* format, std::initializer_list<LogArg> args) {
  if (m_nMsgLevel < m_nLevel || !format) return;
  Write(FormatLogText(format, args));
}

std::string MyLog::GetLastLogText() {
  std::string text;
  text.swap(m_sPending);
  return text;
}

void MyLog::Write(const std::string& text, bool bFlush) {
  if (m_nMsgLevel < m_nLevel) return;
  m_sPending += text;
  if (m_file.IsOpen()) {
    m_file.Write(text);
    if (bFlush) m_file.Flush();
  }
}
