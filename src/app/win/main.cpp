#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Tarvolin.h"
#include "app/win/WinFrontend.h"

// The framework's part of a run: start-up does all the work (the main
// window's loop included) and reports failure, so no message loop follows;
// then the exit routine runs. The C runtime has already split the command
// line (quotes group, the program name comes first).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow) {
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
  CTarvolinApp app(std::move(args));
  WinFrontend frontend(nCmdShow);
  app.SetFrontend(&frontend);
  app.InitInstance();
  return app.ExitInstance();
}
