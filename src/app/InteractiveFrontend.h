// What an interactive start needs of the window system: the single-run
// guard, a sleep, the greeting and the main dialog. Windows gives the real
// ones; tests give their own, so the start-up's decisions run anywhere.
#pragma once

#include <string>

#include "common/base/Types.h"

class InteractiveFrontend {
 public:
  virtual ~InteractiveFrontend() = default;

  // Success when this process now holds the guard named `name`; failure
  // when another instance holds it (that instance is brought forward).
  virtual HResult TakeSingleRunGuard(const std::string& name) = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
  // The greeting, modally; `nCheckShow` comes in preset and goes out as the
  // final state of its show-again box.
  virtual void RunGreeting(int& nCheckShow) = 0;
  // The main dialog, modally, in the show state the process was started
  // with; the id it ended with (1 OK, 2 Cancel).
  virtual int RunMainDialog() = 0;
};
