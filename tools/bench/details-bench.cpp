// How long the BHO details window takes to open under Wine: the BHOs of the
// registry this runs in are loaded (with the known-BHO lists, fetched into
// APP_DIR when missing), the one with the most attributes is picked, and
// its details window is opened and closed RUNS times; each opening is timed
// from the window's creation until it is shown and has painted everything
// queued. Used by tools/bench/details-bench.sh in the demo world.
//
// Usage: details-bench.exe APP_DIR [RUNS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "common/base/MyLog.h"
#include "common/base/SystemApi.h"
#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "common/ui/UserMessage.h"
#include "dialogs/win/DetailsDlg.h"
#include "lists/KnownLists.h"
#include "model/Bho.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// A details window that opens without a modal loop of its own.
class OpenedDetails : public DetailsDlg {
 public:
  OpenedDetails() : DetailsDlg(nullptr) {}
  bool Open() { return Create(); }
};

// The same steps for an empty dialog of the same size: what any window
// costs Wine on this display.
double OpenEmptyDialog() {
  struct {
    DLGTEMPLATE dlg;
    WORD menu, windowClass, title;
  } empty{};
  empty.dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME;
  empty.dlg.cx = 300;
  empty.dlg.cy = 332;
  MyDialog dlg(&empty.dlg, "DetailsBenchEmpty", nullptr);
  const auto start = Clock::now();
  if (!dlg.Create()) return 0;
  ::ShowWindow(dlg.GetSafeHwnd(), SW_SHOW);
  ::UpdateWindow(dlg.GetSafeHwnd());
  Pump();
  const double ms = Milliseconds(start, Clock::now());
  ::DestroyWindow(dlg.GetSafeHwnd());
  Pump();
  return ms;
}

std::size_t FilledAttributes(const BHO& bho) { return Details::AttributeRows(bho.m_mapAttrVals).size(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s APP_DIR [RUNS]\n", argv[0]);
    return 2;
  }
  const std::string appDir = argv[1];
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  SystemApi::SetModuleFileNameOverride(appDir + "\\Tarvolin.exe");
  UserMessage::SetNonInteractive(true);
  MyLog log(appDir + "\\details-bench.log", 4);
  log.SetLevel(MyLog::Nolog);
  const KnownLists lists;

  std::list<std::string> names;
  MyRegistry(Registry::kLocalMachine, REGKEY_BHO, false).EnumSubKeys(names);
  std::shared_ptr<BHO> pLargest;
  for (const std::string& name : names) {
    auto pBho = std::make_shared<BHO>(name);
    pBho->LoadBHOAttrs();
    // A missing file would open with the orphan question instead.
    if (!pBho->m_mapAttrVals.Contains("MD5 Checksum")) continue;
    if (!pLargest || FilledAttributes(*pBho) > FilledAttributes(*pLargest)) pLargest = pBho;
  }
  if (!pLargest) {
    std::fprintf(stderr, "no BHO with a file in this registry\n");
    return 1;
  }

  std::vector<double> times, createTimes;
  for (int run = 0; run < runs; ++run) {
    OpenedDetails dlg;
    dlg.m_pBho = pLargest;
    const auto start = Clock::now();
    if (!dlg.Open()) {
      std::fprintf(stderr, "the details window did not open\n");
      return 1;
    }
    const auto created = Clock::now();
    ::ShowWindow(dlg.GetSafeHwnd(), SW_SHOW);
    ::UpdateWindow(dlg.GetSafeHwnd());
    Pump();
    const auto painted = Clock::now();
    createTimes.push_back(Milliseconds(start, created));
    times.push_back(Milliseconds(start, painted));
    ::DestroyWindow(dlg.GetSafeHwnd());
    Pump();
  }
  std::sort(times.begin(), times.end());
  std::sort(createTimes.begin(), createTimes.end());
  std::vector<double> empty;
  for (int run = 0; run < runs; ++run) empty.push_back(OpenEmptyDialog());
  std::sort(empty.begin(), empty.end());
  std::printf(
      "details window of %s (%zu attributes), %d openings: median %.1f ms, fastest %.1f ms, slowest %.1f "
      "ms\n",
      pLargest->m_mapAttrVals.Get("Clsid").c_str(), FilledAttributes(*pLargest), runs,
      times[times.size() / 2], times.front(), times.back());
  std::printf("  of which made and set up (before the first paint): median %.1f ms\n",
              createTimes[createTimes.size() / 2]);
  std::printf("an empty dialog of the same size, for comparison: median %.1f ms\n", empty[empty.size() / 2]);
  return 0;
}
