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

// The watch, switched off for the length of one change. Whatever failed
// meanwhile, a watch that was active at the start is switched on again by
// Restore (or at the end of the scope): otherwise new BHOs would go
// unannounced.
class WatchSuspension {
 public:
  explicit WatchSuspension(HResult& hr);
  ~WatchSuspension();
  WatchSuspension(const WatchSuspension&) = delete;
  WatchSuspension& operator=(const WatchSuspension&) = delete;

  // A failure to hook again becomes `hr` when that was still a success.
  void Restore(HResult& hr);

 private:
  RegistryWatch* m_pWatch;
  bool m_bWasActive = false;
};
