// The real Tarvolin.exe as a user meets it, end to end under Wine on the
// virtual display: its window and grid, the alert when another process
// adds a BHO or changes one deep down, no alert for its own change of a
// check box, the second copy that gives way, and the tray icon coming back
// when the shell restarts. It uses the prefix's own registry and its one
// single-run guard, so ctest runs it alone (MainWindowEndToEnd, with
// TARVOLIN_E2E=1); elsewhere it skips.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/TestSupport.h"
#include "support/win/RegistryKeys.h"

namespace {

using test::RegistryKeys;
using Clock = std::chrono::steady_clock;

const char* const kBhoKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
const char* const kProgramKey = "Software\\Kestrove\\Tarvolin 2.0";
const char* const kMainTitle = "Tarvolin 2.0.0.23";
const char* const kAlertTitle = "BHO Change Detected!";
const char* const kFirst = "{E2E0C001-0000-4000-8000-0000000000A1}";
const char* const kSecond = "{E2E0C002-0000-4000-8000-0000000000A2}";
const char* const kAdded = "{E2E0C003-0000-4000-8000-0000000000A3}";
constexpr int kGridId = 1102;

// Polls `done` every 100 ms for at most `ms`.
bool WaitFor(const std::function<bool()>& done, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return done();
}

DWORD ProcessOf(HWND hWnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  return pid;
}

// A top-level window of that process with exactly that title.
HWND FindTopLevel(DWORD pid, const std::string& title) {
  struct Search {
    DWORD pid;
    const std::string& title;
    HWND found;
  } search{pid, title, nullptr};
  ::EnumWindows(
      [](HWND hWnd, LPARAM lParam) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(lParam);
        char text[256] = {};
        ::GetWindowTextA(hWnd, text, sizeof text);
        if (ProcessOf(hWnd) == s.pid && s.title == text) {
          s.found = hWnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Text of every child of a window (the statics of a message box).
std::string ChildTexts(HWND hWnd) {
  std::string all;
  for (HWND h = ::GetWindow(hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    char text[2048] = {};
    ::SendMessageA(h, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    all += text;
    all += '\n';
  }
  return all;
}

// Memory in another process, for the list view's messages that take pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE hProcess, size_t size)
      : m_hProcess(hProcess),
        m_p(::VirtualAllocEx(hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteBuffer() {
    if (m_p) ::VirtualFreeEx(m_hProcess, m_p, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* Get() const { return static_cast<char*>(m_p); }
  bool Write(size_t offset, const void* data, size_t size) {
    return ::WriteProcessMemory(m_hProcess, Get() + offset, data, size, nullptr);
  }
  bool Read(size_t offset, void* data, size_t size) const {
    return ::ReadProcessMemory(m_hProcess, Get() + offset, data, size, nullptr);
  }

 private:
  HANDLE m_hProcess;
  void* m_p;
};

class RunningProgram {
 public:
  RunningProgram() = default;
  ~RunningProgram() { Kill(); }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Start(const std::string& exe, const std::string& dir) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exe + "\"";
    if (!::CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                          &startup, &info))
      return false;
    ::CloseHandle(info.hThread);
    m_hProcess = info.hProcess;
    m_pid = info.dwProcessId;
    return true;
  }
  bool WaitForExit(DWORD ms) { return m_hProcess && ::WaitForSingleObject(m_hProcess, ms) == WAIT_OBJECT_0; }
  void Kill() {
    if (!m_hProcess) return;
    if (!WaitForExit(0)) {
      ::TerminateProcess(m_hProcess, 9);
      WaitForExit(10000);
    }
    ::CloseHandle(m_hProcess);
    m_hProcess = nullptr;
  }
  HANDLE Handle() const { return m_hProcess; }
  DWORD Pid() const { return m_pid; }

 private:
  HANDLE m_hProcess = nullptr;
  DWORD m_pid = 0;
};

class MainWindowE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* flag = std::getenv("TARVOLIN_E2E");
    if (!flag || std::string(flag) != "1")
      GTEST_SKIP() << "runs alone, as the ctest test MainWindowEndToEnd (it uses the prefix's real registry)";
    char self[MAX_PATH] = {};
    ASSERT_NE(0u, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
    std::string built = self;
    built.erase(built.find_last_of('\\'));
    built = built.substr(0, built.find_last_of('\\') + 1) + "Tarvolin.exe";
    std::error_code error;
    std::filesystem::create_directories(AppDir(), error);
    ASSERT_TRUE(::CopyFileA(built.c_str(), Exe().c_str(), FALSE)) << built;
    char computer[MAX_COMPUTERNAME_LENGTH + 2] = {};
    DWORD length = sizeof computer;
    ASSERT_TRUE(::GetComputerNameA(computer, &length));
    m_sLogPath = AppDir() + "\\_Tarvolin_" + std::string(computer, length) + ".log";
    test::WriteFile(AppDir() + "\\Tarvolin20List.ini", "[General]\r\n");
    test::WriteFile(AppDir() + "\\bholist.txt", "\r\n");
    test::WriteFile(AppDir() + "\\bhotb-all.html", "\r\n");
    test::WriteFile(AppDir() + "\\first.dll", "first");
    test::WriteFile(AppDir() + "\\second.dll", "second");

    m_keys.DeleteAtEnd(HKEY_LOCAL_MACHINE, kBhoKey);
    m_keys.DeleteAtEnd(HKEY_CURRENT_USER, kProgramKey);
    Register(kFirst, AppDir() + "\\first.dll");
    Register(kSecond, AppDir() + "\\second.dll");
    // A user who has seen the greeting, the welcome, the enable/disable
    // notes and the exit question before, and chose not to again.
    m_keys.SetDWord(HKEY_CURRENT_USER, kProgramKey, "GreetingFlag", 0);
    const std::string always = std::string(kProgramKey) + "\\MyMessageBoxAlways";
    for (const char* site :
         {"TarvolinDlg_231_2.0.0.23", "TarvolinDlg_996_2.0.0.23", "Bho_680_2.0.0.23", "Bho_695_2.0.0.23"})
      m_keys.SetDWord(HKEY_CURRENT_USER, always, site, 0x10000);
    m_keys.SetDWord(HKEY_CURRENT_USER, std::string(kProgramKey) + "\\Placements\\MyTipDlg",
                    "DontShowTipUponStartUp", 1);
  }

  void TearDown() override {
    if (m_main.Handle()) {
      if (HWND hMain = MainWindow()) ::PostMessageA(hMain, WM_CLOSE, 0, 0);
      m_main.WaitForExit(15000);
    }
  }

  std::string AppDir() const { return m_root.File("Program Files\\Tarvolin"); }
  std::string Exe() const { return AppDir() + "\\Tarvolin.exe"; }

  void Register(const std::string& clsid, const std::string& dll) {
    m_keys.Create(HKEY_LOCAL_MACHINE, std::string(kBhoKey) + "\\" + clsid);
    m_keys.Set(HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\InProcServer32", nullptr, REG_SZ, dll);
  }

  HWND MainWindow() const { return FindTopLevel(m_main.Pid(), kMainTitle); }
  HWND Grid() const { return ::GetDlgItem(MainWindow(), kGridId); }
  int GridRows() const { return static_cast<int>(::SendMessageA(Grid(), LVM_GETITEMCOUNT, 0, 0)); }

  std::string CellText(int nItem, int nSubItem) const {
    RemoteBuffer remote(m_main.Handle(), sizeof(LVITEMA) + 512);
    LVITEMA item{};
    item.iSubItem = nSubItem;
    item.cchTextMax = 511;
    item.pszText = remote.Get() + sizeof(LVITEMA);
    if (!remote.Write(0, &item, sizeof item)) return "<no memory>";
    ::SendMessageA(Grid(), LVM_GETITEMTEXTA, static_cast<WPARAM>(nItem),
                   reinterpret_cast<LPARAM>(remote.Get()));
    char text[512] = {};
    remote.Read(sizeof(LVITEMA), text, 511);
    return text;
  }

  RECT CellRect(int nItem, int nSubItem) const {
    RemoteBuffer remote(m_main.Handle(), sizeof(RECT));
    RECT r{LVIR_BOUNDS, nSubItem, 0, 0};
    remote.Write(0, &r, sizeof r);
    ::SendMessageA(Grid(), LVM_GETSUBITEMRECT, static_cast<WPARAM>(nItem),
                   reinterpret_cast<LPARAM>(remote.Get()));
    remote.Read(0, &r, sizeof r);
    return r;
  }

  // The list view's row of a CLSID (its record's file name shows in column 2).
  int RowOfFile(const std::string& fileName) const {
    for (int i = 0; i < GridRows(); ++i) {
      if (CellText(i, 2) == fileName) return i;
    }
    return -1;
  }

  // Milliseconds until the alert appears (-1 when it does not within
  // `ms`); the alert is then closed and the refresh waited for.
  int WaitForAlertAndClose(int ms) {
    const auto start = Clock::now();
    HWND hAlert = nullptr;
    if (!WaitFor([&] { return (hAlert = FindTopLevel(m_main.Pid(), kAlertTitle)) != nullptr; }, ms))
      return -1;
    const int elapsed =
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
    ::PostMessageA(hAlert, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hAlert); }, 5000));
    return elapsed;
  }

  std::string Log() const { return test::ReadFile(m_sLogPath); }

  std::string ServerPath(const std::string& clsid) const {
    char text[1024] = {};
    DWORD size = sizeof text;
    ::SHGetValueA(HKEY_CLASSES_ROOT, ("CLSID\\" + clsid + "\\InProcServer32").c_str(), nullptr, nullptr, text,
                  &size);
    return text;
  }

  test::TempDir m_root;
  RegistryKeys m_keys;
  RunningProgram m_main;
  std::string m_sLogPath;
};

TEST_F(MainWindowE2E, WatchesTheRegistryAndSwitchesBhosLikeAUserWouldSee) {
  ASSERT_TRUE(m_main.Start(Exe(), AppDir()));
  ASSERT_TRUE(WaitFor([&] { return MainWindow() != nullptr; }, 60000)) << Log();
  ASSERT_TRUE(WaitFor([&] { return Log().find("Created the tray icon!") != std::string::npos; }, 10000));

  // The grid: one row per BHO key, whatever else the prefix holds.
  const int nKeys = static_cast<int>(test::SubKeys(HKEY_LOCAL_MACHINE, kBhoKey).size());
  ASSERT_TRUE(WaitFor([&] { return GridRows() == nKeys; }, 10000))
      << GridRows() << " rows, " << nKeys << " keys";
  const int nFirst = RowOfFile("first.dll");
  ASSERT_GE(nFirst, 0);
  EXPECT_GE(RowOfFile("second.dll"), 0);
  EXPECT_EQ("Unknown", CellText(nFirst, 3));

  // Another process installs a BHO: the alert comes within the 5 s poll,
  // and the grid then shows it.
  Register(kAdded, AppDir() + "\\first.dll");
  const int nAddedMs = WaitForAlertAndClose(9000);
  EXPECT_GE(nAddedMs, 0) << "no alert for a new BHO";
  EXPECT_LE(nAddedMs, 5000 + 2000);
  EXPECT_TRUE(WaitFor([&] { return GridRows() == nKeys + 1; }, 5000));

  // A value deep inside an existing BHO's key.
  m_keys.Set(HKEY_LOCAL_MACHINE, std::string(kBhoKey) + "\\" + kSecond + "\\Deeper\\Deepest", "Tweak", REG_SZ,
             "1");
  EXPECT_GE(WaitForAlertAndClose(9000), 0) << "no alert for a change deep down";

  // The user unticks the first row's box: the registry changes, no alert.
  const int nRow = RowOfFile("first.dll");
  ASSERT_GE(nRow, 0);
  const RECT cell = CellRect(nRow, 1);
  const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  ::PostMessageA(Grid(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageA(Grid(), WM_LBUTTONUP, 0, at);
  // The add-on manager's way tells what it did, each time.
  HWND hNote = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (hNote = FindTopLevel(m_main.Pid(), "Tarvolin 2.0")) != nullptr; }, 10000))
      << Log();
  ::PostMessageA(hNote, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor(
      [&] {
        return ServerPath(kFirst).find("__TarvolinDisabled_") != std::string::npos ||
               ServerPath(kAdded).find("__TarvolinDisabled_") != std::string::npos;
      },
      10000))
      << Log();
  EXPECT_EQ(-1, WaitForAlertAndClose(7000)) << "the program's own change raised the alert";

  // A second copy gives way with its message.
  RunningProgram second;
  ASSERT_TRUE(second.Start(Exe(), AppDir()));
  HWND hBox = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (hBox = FindTopLevel(second.Pid(), "Tarvolin 2.0")) != nullptr; }, 30000));
  EXPECT_NE(std::string::npos, ChildTexts(hBox).find("An instance of this application is already running."));
  ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit(15000));
  EXPECT_NE(nullptr, MainWindow());

  // The shell restarts: the icon is added again.
  ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitFor(
      [&] {
        const std::string log = Log();
        return log.find("Got 'TaskbarCreated' message!") != std::string::npos &&
               log.find("Shell_NotifyIcon() returned <1>.") != std::string::npos;
      },
      10000))
      << Log();

  // Closing: the remembered answer to the exit question lets it go.
  ::PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_main.WaitForExit(15000));
  const std::string log = Log();
  EXPECT_NE(std::string::npos, log.find("User shut down."))
      << log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
  std::printf("alert for a new BHO after %d ms\n", nAddedMs);
}

}  // namespace
