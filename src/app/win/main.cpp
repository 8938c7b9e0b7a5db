#include <windows.h>

#include "app/Tarvolin.h"

// The framework's part of a run: start-up does all the work and reports
// failure, so no message loop follows; then the exit routine runs.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CTarvolinApp app;
  app.InitInstance();
  return app.ExitInstance();
}
