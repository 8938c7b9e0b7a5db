// The main window's watch on the BHO registry keys, as the core sees it: an
// operation that writes those keys suspends the watch first, so that the
// program's own change raises no alert, and restores it afterwards. Without
// a main window there is no watch.
#pragma once

#include "common/base/Types.h"

class RegistryWatch {
 public:
  virtual ~RegistryWatch() = default;

  virtual bool IsActive() const = 0;
  virtual HResult Unhook() = 0;
  virtual HResult Hook() = 0;

  // The watch of the running main window; null when there is none.
  static RegistryWatch* Current();
  // Returns the previous watch; null removes it.
  static RegistryWatch* SetCurrent(RegistryWatch* pWatch);
};
