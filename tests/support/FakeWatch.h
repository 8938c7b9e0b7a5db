// A stand-in for the main window's registry watch: it records each unhook
// and hook, answers with the results a test sets, and can look at the world
// at the moment it is hooked again.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/ui/RegistryWatch.h"

namespace test {

class FakeWatch : public RegistryWatch {
 public:
  bool IsActive() const override { return m_bActive; }
  HResult Unhook() override {
    m_calls.push_back("Unhook");
    m_bActive = false;
    return m_hrUnhook;
  }
  HResult Hook() override {
    m_calls.push_back("Hook");
    if (m_onHook) m_onHook();
    m_bActive = true;
    return m_hrHook;
  }

  bool m_bActive = true;
  HResult m_hrUnhook = kSOk;
  HResult m_hrHook = kSOk;
  std::vector<std::string> m_calls;
  std::function<void()> m_onHook;
};

// Installs `watch` as the main window's for the length of a scope.
class ScopedWatch {
 public:
  explicit ScopedWatch(RegistryWatch& watch) : m_pPrevious(RegistryWatch::SetCurrent(&watch)) {}
  ~ScopedWatch() { RegistryWatch::SetCurrent(m_pPrevious); }
  ScopedWatch(const ScopedWatch&) = delete;
  ScopedWatch& operator=(const ScopedWatch&) = delete;

 private:
  RegistryWatch* m_pPrevious;
};

}  // namespace test
