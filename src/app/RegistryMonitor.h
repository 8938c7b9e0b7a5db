// The main window's watch on the two BHO registry keys: hooked (both keys
// open for change notification, an event each, timers 1 and 2 polling them
// every 5 s) or unhooked (nothing open, no timer). A change signalled on
// either key takes the watch down, raises the alert, hooks again and
// refreshes the grid. The decisions live here; the platform (registry
// notification, events, window timers) sits behind `Platform`.
#pragma once

#include <functional>
#include <memory>

#include "common/base/Types.h"
#include "common/ui/RegistryWatch.h"

// It is also the watch that enabling and disabling suspend (RegistryWatch).
class RegistryMonitor : public RegistryWatch {
 public:
  enum Key { kBhos = 0, kDisabledBhos = 1 };  // REGKEY_BHO (HKLM), REGKEY_BHO_DISABLED (HKCU)
  static constexpr int TIMER_ID_EVENT_BHOS = 1;
  static constexpr int TIMER_ID_DISABLED_BHOS = 2;
  static constexpr unsigned kPollMilliseconds = 5000;

  enum class Wait { kSignalled, kNotSignalled, kAbandoned };

  class Platform {
   public:
    virtual ~Platform() = default;
    // Opens the key with creation allowed and closes it again, so that it exists.
    virtual bool EnsureKey(Key key) = 0;
    // Opens the key for notification only; the system's result (0 success).
    virtual long OpenForNotification(Key key) = 0;
    // A manual-reset event, not signalled, and a one-shot asynchronous watch
    // of the whole subtree (names, attributes, values, security) that
    // signals it.
    virtual bool CreateEvent(Key key) = 0;
    virtual bool RegisterNotification(Key key) = 0;
    // True when the window's timer call returned `id`.
    virtual bool StartTimer(int id, unsigned milliseconds) = 0;
    virtual bool KillTimer(int id) = 0;
    // Each closes what exists and forgets it, whatever the result.
    virtual bool CloseEvent(Key key) = 0;
    virtual bool CloseKey(Key key) = 0;
    virtual bool HasEvent(Key key) const = 0;
    // A wait of no time on the key's event.
    virtual Wait TestEvent(Key key) = 0;
  };

  // What an alert does around the platform: `alert` brings the main window
  // out of the tray and shows the change alert modally; `refresh` rebuilds
  // the grid from the registry.
  struct Reactions {
    std::function<void()> alert;
    std::function<HResult()> refresh;
  };

  RegistryMonitor(std::unique_ptr<Platform> platform, Reactions reactions);

  HResult HookTheRegistry();
  // Does nothing while the BHO key's event does not exist.
  HResult UnhookTheRegistry();
  bool IsHooked() const { return m_pPlatform->HasEvent(kBhos); }

  // The watch as the model's own registry edits see it.
  bool IsActive() const override { return IsHooked(); }
  HResult Unhook() override { return UnhookTheRegistry(); }
  HResult Hook() override { return HookTheRegistry(); }

  // Timers 1 and 2: a signalled event is handled; any other id is no one's.
  void OnTimer(int nIDEvent);
  HResult HandleEventSignaled(int nIDEvent);

 private:
  std::unique_ptr<Platform> m_pPlatform;
  Reactions m_reactions;
};
