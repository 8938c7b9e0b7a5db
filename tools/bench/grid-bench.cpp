// The main grid's cost under Wine: the BHOs of WORK_DIR/bhos.txt (made by
// tools/bench/output-mode-data.py) are registered in the in-memory registry;
// then, best of RUNS, (a) every record is loaded without any window, and
// (b) the grid is filled by BHO::PopulateMainGrid into the real grid window
// of a dialog and painted. Prints both times and their ratio. Then the
// process's private memory after one refill and after REFILLS more.
//
//   grid-bench.exe WORK_DIR [RUNS] [REFILLS]
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "common/base/MyLog.h"
#include "common/base/SystemApi.h"
#include "common/registry/MemoryRegistryStore.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "controls/GridCtrl.h"
#include "controls/win/MyGridWnd.h"
#include "lists/KnownLists.h"
#include "model/Bho.h"

namespace {

using Clock = std::chrono::steady_clock;

// Host paths as Wine's Z: drive shows them.
std::string WindowsPath(const std::string& host) {
  std::string path = host;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path.size() > 1 && path[1] == ':' ? path : "Z:" + path;
}

int RegisterBhos(const std::string& manifest) {
  std::ifstream in(manifest);
  std::string line;
  int count = 0;
  for (; std::getline(in, line); ++count) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) return -1;
    const std::string clsid = line.substr(0, tab);
    MyRegistry bho(Registry::kLocalMachine, std::string(REGKEY_BHO) + "\\" + clsid, true);
    MyRegistry server(Registry::kClassesRoot, "CLSID\\" + clsid + "\\InProcServer32", true);
    if (!server.SaveValueString("", WindowsPath(line.substr(tab + 1)))) return -1;
  }
  return count;
}

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
  // Wine leaves PrivateUsage at 0; the committed bytes are in PagefileUsage.
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// A plain top-level window to hold the grid, the size of the main window's.
HWND MakeHost() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "GridBenchHost";
  ::RegisterClassA(&wc);
  HWND hWnd = ::CreateWindowExA(0, "GridBenchHost", "grid bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                1000, 600, nullptr, nullptr, wc.hInstance, nullptr);
  Pump();
  return hWnd;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s WORK_DIR [RUNS] [REFILLS]\n", argv[0]);
    return 2;
  }
  const std::string work = WindowsPath(argv[1]);
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const int refills = argc > 3 ? std::atoi(argv[3]) : 100;

  Registry::MemoryRegistryStore store;
  Registry::SetCurrentStore(&store);
  const int count = RegisterBhos(work + "\\bhos.txt");
  if (count < 0) {
    std::fprintf(stderr, "cannot register the BHOs of %s\\bhos.txt\n", work.c_str());
    return 1;
  }
  SystemApi::SetModuleFileNameOverride(work + "\\Tarvolin.exe");
  UserMessage::SetNonInteractive(true);
  MyLog log(work + "\\grid-bench.log", 4);
  log.SetLevel(MyLog::Nolog);
  const KnownLists lists;

  std::list<std::string> names;
  MyRegistry(Registry::kLocalMachine, REGKEY_BHO, false).EnumSubKeys(names);

  double bestLoad = 1e9, bestGrid = 1e9;
  HWND hHost = MakeHost();
  for (int run = 0; run < runs; ++run) {
    auto start = Clock::now();
    {
      std::vector<std::unique_ptr<BHO>> records;
      for (const std::string& name : names) {
        records.push_back(std::make_unique<BHO>(name));
        records.back()->LoadBHOAttrs();
      }
    }
    bestLoad = std::min(bestLoad, Seconds(start));

    CGridCtrl grid;
    MyGridWnd window(grid);
    RECT r{0, 0, 990, 560};
    window.Create(hHost, 1102, r);
    start = Clock::now();
    BHO::PopulateMainGrid(grid);
    ::UpdateWindow(window.GetSafeHwnd());
    Pump();
    bestGrid = std::min(bestGrid, Seconds(start));
  }
  std::printf("%d BHOs: records loaded without a window %.3f s, grid filled and painted %.3f s, ratio %.2f\n",
              count, bestLoad, bestGrid, bestGrid / bestLoad);
  std::fflush(stdout);
  if (refills <= 0) return 0;

  CGridCtrl grid;
  MyGridWnd window(grid);
  RECT r{0, 0, 990, 560};
  window.Create(hHost, 1102, r);
  BHO::PopulateMainGrid(grid);
  Pump();
  const SIZE_T after1 = PrivateBytes();
  for (int i = 0; i < refills; ++i) {
    BHO::PopulateMainGrid(grid);
    ::UpdateWindow(window.GetSafeHwnd());
    Pump();
  }
  const SIZE_T afterN = PrivateBytes();
  std::printf("private memory after 1 fill %.1f MB, after %d more %.1f MB (%+.1f MB); images %d\n",
              after1 / 1048576.0, refills, afterN / 1048576.0,
              (static_cast<double>(afterN) - static_cast<double>(after1)) / 1048576.0,
              grid.GetImageList() ? grid.GetImageList()->GetImageCount() : 0);
  ::DestroyWindow(hHost);
  return 0;
}
