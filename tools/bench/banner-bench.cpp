// The settings dialog's processor time under Wine with its banner at one
// speed: the dialog opens (on an in-memory registry holding that speed),
// settles for a second, and then its process's user and kernel time is
// measured over SECONDS of its own message loop before it is closed.
// Used by tools/bench/banner-cpu.sh.
//
// Usage: banner-bench.exe SPEED [SECONDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "common/registry/MemoryRegistryStore.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "dialogs/win/SettingsDlg.h"

namespace {

constexpr UINT kSettleMs = 1000;

struct Run {
  SettingsDlg* pDlg = nullptr;
  UINT nSeconds = 30;
  ULONGLONG startCpu = 0;
  ULONGLONG startWall = 0;
  double dCpuMs = 0;
  double dWallMs = 0;
  bool bTimer = false;
} g_run;

ULONGLONG ProcessCpu100ns() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](const FILETIME& ft) { return (ULONGLONG{ft.dwHighDateTime} << 32) | ft.dwLowDateTime; };
  return value(kernel) + value(user);
}

void CALLBACK OnStop(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  g_run.dCpuMs = static_cast<double>(ProcessCpu100ns() - g_run.startCpu) / 10000.0;
  g_run.dWallMs = static_cast<double>(::GetTickCount() - g_run.startWall);
  g_run.bTimer = g_run.pDlg->Banner().IsTimerRunning();
  g_run.pDlg->EndDialog(IDCANCEL);
}

void CALLBACK OnSettled(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  g_run.startCpu = ProcessCpu100ns();
  g_run.startWall = ::GetTickCount();
  ::SetTimer(nullptr, 0, g_run.nSeconds * 1000, &OnStop);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "Usage: banner-bench.exe SPEED [SECONDS]\n");
    return 2;
  }
  const int nSpeed = std::atoi(argv[1]);
  g_run.nSeconds = argc > 2 ? static_cast<UINT>(std::atoi(argv[2])) : 30;
  Registry::MemoryRegistryStore store;
  Registry::SetCurrentStore(&store);
  MyRegistry(Registry::kCurrentUser, REGKEY_PROGRAM, true).SaveValueInt("ScrollingTextSpeed", nSpeed);
  UserMessage::SetHandler([](const std::string&, const std::string&, unsigned) { return 2; });

  SettingsDlg dlg(nullptr);
  g_run.pDlg = &dlg;
  ::SetTimer(nullptr, 0, kSettleMs, &OnSettled);
  dlg.DoModal();
  std::printf("speed %d: %.1f ms of processor time in %.1f s (%.2f %% of one core), banner timer %s\n",
              nSpeed, g_run.dCpuMs, g_run.dWallMs / 1000.0,
              g_run.dWallMs > 0 ? 100.0 * g_run.dCpuMs / g_run.dWallMs : 0.0,
              g_run.bTimer ? "running" : "stopped");
  Registry::SetCurrentStore(nullptr);
  return 0;
}
