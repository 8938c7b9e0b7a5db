#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Tarvolin.h"

// The framework's part of a run: start-up does all the work and reports
// failure, so no message loop follows; then the exit routine runs. The C
// runtime has already split the command line (quotes group, the program
// name comes first).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
  CTarvolinApp app(std::move(args));
  app.InitInstance();
  return app.ExitInstance();
}
