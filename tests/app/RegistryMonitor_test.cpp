// The watch on the BHO keys as a state machine, over a platform that
// records what it was asked and fails where a case says so.
#include "app/RegistryMonitor.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/ScopedUserAnswers.h"
#include "support/TestSupport.h"

namespace {

using Key = RegistryMonitor::Key;
using Wait = RegistryMonitor::Wait;

struct FakeWatch : RegistryMonitor::Platform {
  std::set<std::string> failing;  // "open 0", "event 1", "timer 2", "kill 1", ...
  bool keyOpen[2] = {false, false};
  bool event[2] = {false, false};
  bool registered[2] = {false, false};
  bool signalled[2] = {false, false};
  std::set<int> timers;
  std::vector<std::string> calls;

  bool Fails(const std::string& what) {
    calls.push_back(what);
    return failing.count(what) != 0;
  }
  static std::string Of(const char* what, int n) { return std::string(what) + " " + std::to_string(n); }

  bool EnsureKey(Key key) override { return !Fails(Of("ensure", key)); }
  long OpenForNotification(Key key) override {
    if (Fails(Of("open", key))) return 5;  // access denied
    keyOpen[key] = true;
    return 0;
  }
  bool CreateEvent(Key key) override { return !Fails(Of("event", key)) && (event[key] = true); }
  bool RegisterNotification(Key key) override {
    return !Fails(Of("register", key)) && (registered[key] = true);
  }
  bool StartTimer(int id, unsigned ms) override {
    if (ms != RegistryMonitor::kPollMilliseconds || Fails(Of("timer", id))) return false;
    timers.insert(id);
    return true;
  }
  bool KillTimer(int id) override {
    const bool bFails = Fails(Of("kill", id));
    const bool bWasSet = timers.erase(id) != 0;
    return !bFails && bWasSet;
  }
  bool CloseEvent(Key key) override {
    event[key] = registered[key] = signalled[key] = false;
    return !Fails(Of("closeevent", key));
  }
  bool CloseKey(Key key) override {
    keyOpen[key] = false;
    return !Fails(Of("closekey", key));
  }
  bool HasEvent(Key key) const override { return event[key]; }
  Wait TestEvent(Key key) override { return signalled[key] ? Wait::kSignalled : Wait::kNotSignalled; }

  bool FullyHooked() const {
    return keyOpen[0] && keyOpen[1] && registered[0] && registered[1] && timers == std::set<int>{1, 2};
  }
  bool FullyUnhooked() const {
    return !keyOpen[0] && !keyOpen[1] && !event[0] && !event[1] && timers.empty();
  }
};

class RegistryMonitorTest : public ::testing::Test {
 protected:
  RegistryMonitorTest() {
    auto platform = std::make_unique<FakeWatch>();
    watch = platform.get();
    monitor = std::make_unique<RegistryMonitor>(
        std::move(platform),
        RegistryMonitor::Reactions{[this] { events.push_back("alert"); },
                                   [this] {
                                     events.push_back(watch->FullyHooked() ? "refresh hooked" : "refresh");
                                     return kSOk;
                                   }});
  }
  test::ScopedLog log;
  test::ScopedUserAnswers answers;
  FakeWatch* watch = nullptr;
  std::unique_ptr<RegistryMonitor> monitor;
  std::vector<std::string> events;
};

TEST_F(RegistryMonitorTest, HookAndUnhookGoBetweenTheTwoStates) {
  EXPECT_EQ(kSOk, monitor->UnhookTheRegistry());  // nothing to undo yet
  EXPECT_TRUE(watch->calls.empty());
  ASSERT_EQ(kSOk, monitor->HookTheRegistry());
  EXPECT_TRUE(watch->FullyHooked());
  EXPECT_TRUE(monitor->IsHooked());
  EXPECT_EQ(kSOk, monitor->UnhookTheRegistry());
  EXPECT_TRUE(watch->FullyUnhooked());
  EXPECT_FALSE(monitor->IsHooked());
  EXPECT_TRUE(answers.Shown().empty());
}

TEST_F(RegistryMonitorTest, PollingFindsAChangeAndTheAlertComesOnceForBothKeys) {
  ASSERT_EQ(kSOk, monitor->HookTheRegistry());
  monitor->OnTimer(1);
  monitor->OnTimer(2);
  EXPECT_TRUE(events.empty());  // nothing signalled: nothing happens

  // Both keys changed within one poll: one alert, and the refresh sees the
  // watch set up again from scratch.
  watch->signalled[0] = watch->signalled[1] = true;
  monitor->OnTimer(1);
  monitor->OnTimer(2);
  EXPECT_EQ((std::vector<std::string>{"alert", "refresh hooked"}), events);
  EXPECT_TRUE(watch->FullyHooked());
  EXPECT_FALSE(watch->signalled[1]);  // the second event went with the unhook

  watch->signalled[1] = true;  // the add-on manager's key alone
  monitor->OnTimer(2);
  EXPECT_EQ(4u, events.size());
}

TEST_F(RegistryMonitorTest, TimersOfOthersAndIllegalIdsAreIgnored) {
  ASSERT_EQ(kSOk, monitor->HookTheRegistry());
  watch->signalled[0] = true;
  monitor->OnTimer(3);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(kSOk, monitor->HandleEventSignaled(7));
  EXPECT_TRUE(events.empty());
  EXPECT_NE(std::string::npos, log.Messages().find("Illegal timer id <7>.\n"));
}

// A key that cannot be watched: its message, and what can still be watched
// is watched. Without the BHO key both messages appear (the failure carries
// over) and nothing polls.
TEST_F(RegistryMonitorTest, FailedHooksShowTheirMessagesAndKeepWhatWorked) {
  const char* const kBhosText = "could not 'hook' the Registry key where BHOs are listed";
  const char* const kDisabledText = "could not 'hook' the Registry key where disabled BHOs are listed";
  const struct {
    const char* failing;
    size_t nBhosMessages, nDisabledMessages;
    std::set<int> timers;
  } cases[] = {
      {"open 0", 1, 1, {}},      {"ensure 0", 1, 1, {}}, {"open 1", 0, 1, {1}},
      {"register 1", 0, 0, {1}}, {"timer 1", 0, 1, {}},
  };
  for (const auto& c : cases) {
    test::ScopedUserAnswers caseAnswers;
    auto platform = std::make_unique<FakeWatch>();
    FakeWatch& fake = *platform;
    fake.failing = {c.failing};
    RegistryMonitor caseMonitor(std::move(platform), {});
    EXPECT_EQ(kEFail, caseMonitor.HookTheRegistry()) << c.failing;
    size_t nBhos = 0, nDisabled = 0;
    for (const std::string& shown : caseAnswers.Shown()) {
      nBhos += shown.find(kBhosText) != std::string::npos;
      nDisabled += shown.find(kDisabledText) != std::string::npos;
    }
    EXPECT_EQ(c.nBhosMessages, nBhos) << c.failing;
    EXPECT_EQ(c.nDisabledMessages, nDisabled) << c.failing;
    EXPECT_EQ(c.timers, fake.timers) << c.failing;
    // Whatever was set up goes again at the next unhook.
    caseMonitor.UnhookTheRegistry();
    EXPECT_TRUE(fake.timers.empty() && !fake.keyOpen[0] && !fake.keyOpen[1] && !fake.event[1]) << c.failing;
  }
}

TEST_F(RegistryMonitorTest, UnhookReleasesEverythingWhateverFails) {
  ASSERT_EQ(kSOk, monitor->HookTheRegistry());
  watch->failing = {"kill 1", "closekey 0"};
  EXPECT_EQ(kEFail, monitor->UnhookTheRegistry());
  EXPECT_FALSE(watch->keyOpen[0] || watch->keyOpen[1] || watch->event[0] || watch->event[1]);
  // The second timer's stop waits for a clean first half: skipped, and logged so.
  EXPECT_NE(std::string::npos,
            log.Messages().find("EC_ skipped executing <KillTimer(TIMER_ID_DISABLED_BHOS)>"));
  EXPECT_NE(std::string::npos, log.Messages().find("<KillTimer(TIMER_ID_EVENT_BHOS)> failed"));
}

// Enabling or disabling a BHO suspends the watch through the same object:
// inactive while unhooked, and back as it was.
TEST_F(RegistryMonitorTest, IsTheWatchTheModelSuspends) {
  RegistryWatch& asWatch = *monitor;
  EXPECT_FALSE(asWatch.IsActive());
  ASSERT_EQ(kSOk, asWatch.Hook());
  EXPECT_TRUE(asWatch.IsActive());
  EXPECT_TRUE(watch->FullyHooked());
  EXPECT_EQ(kSOk, asWatch.Unhook());
  EXPECT_FALSE(asWatch.IsActive());
  EXPECT_TRUE(watch->FullyUnhooked());
}

}  // namespace
