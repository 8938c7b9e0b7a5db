// The registry watch on Wine's real registry: a change deep inside the
// add-on settings key is signalled, polled, alerted once and watched again.
#include "app/win/RegistryWatchWin.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/registry/RegistryKeys.h"
#include "support/ScopedUserAnswers.h"
#include "support/TestSupport.h"

namespace {

class Window {
 public:
  Window()
      : m_hWnd(::CreateWindowExA(0, "STATIC", "watch", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr,
                                 nullptr)) {}
  ~Window() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  HWND Get() const { return m_hWnd; }

 private:
  HWND m_hWnd;
};

void SetDeepValue(const std::string& key, DWORD value) {
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &hKey, nullptr));
  ::RegSetValueExA(hKey, "Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  ::RegCloseKey(hKey);
}

TEST(RegistryWatchWinTest, DeepChangeIsSignalledAlertedOnceAndWatchedAgain) {
  test::ScopedLog log;
  test::ScopedUserAnswers answers;
  Window window;
  ASSERT_NE(nullptr, window.Get());
  const std::string sTestKey = std::string(REGKEY_BHO_DISABLED) + "\\{7E57A7C4-0000-4000-8000-" +
                               std::to_string(::GetCurrentProcessId()) + "}";
  SetDeepValue(sTestKey + "\\Deeper", 0);

  auto platform = std::make_unique<RegistryWatchWin>(window.Get());
  RegistryWatchWin& watch = *platform;
  std::vector<std::string> events;
  RegistryMonitor monitor(std::move(platform), {[&] { events.push_back("alert"); },
                                                [&] {
                                                  events.push_back("refresh");
                                                  return kSOk;
                                                }});
  ASSERT_EQ(kSOk, monitor.HookTheRegistry());
  EXPECT_TRUE(answers.Shown().empty());
  EXPECT_EQ(RegistryMonitor::Wait::kNotSignalled, watch.TestEvent(RegistryMonitor::kDisabledBhos));

  SetDeepValue(sTestKey + "\\Deeper", 1);  // two levels below the watched key
  RegistryMonitor::Wait wait = RegistryMonitor::Wait::kNotSignalled;
  for (int i = 0; i < 50 && wait != RegistryMonitor::Wait::kSignalled; ++i) {
    ::Sleep(20);
    wait = watch.TestEvent(RegistryMonitor::kDisabledBhos);
  }
  ASSERT_EQ(RegistryMonitor::Wait::kSignalled, wait);
  monitor.OnTimer(RegistryMonitor::TIMER_ID_DISABLED_BHOS);
  EXPECT_EQ((std::vector<std::string>{"alert", "refresh"}), events);

  // Hooked again with a fresh registration: quiet until the next change.
  EXPECT_TRUE(monitor.IsHooked());
  EXPECT_EQ(RegistryMonitor::Wait::kNotSignalled, watch.TestEvent(RegistryMonitor::kDisabledBhos));
  SetDeepValue(sTestKey, 2);
  for (int i = 0; i < 50 && wait == RegistryMonitor::Wait::kNotSignalled; ++i) {
    ::Sleep(20);
    wait = watch.TestEvent(RegistryMonitor::kDisabledBhos);
  }
  EXPECT_EQ(RegistryMonitor::Wait::kSignalled, watch.TestEvent(RegistryMonitor::kDisabledBhos));

  EXPECT_EQ(kSOk, monitor.UnhookTheRegistry());
  EXPECT_FALSE(monitor.IsHooked());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, (sTestKey + "\\Deeper").c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, sTestKey.c_str());
}

}  // namespace
