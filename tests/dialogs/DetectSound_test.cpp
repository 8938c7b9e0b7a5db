// The change alert's sound decision from the test switches and the user's
// "HowlEnabled" value, including values an installer could have put there.
#include "dialogs/DetectSound.h"

#include <gtest/gtest.h>

#include <ostream>

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"
#include "support/ScopedMemoryRegistry.h"

namespace {

enum class Howl { kAbsent, kZero, kOne, kTwo, kKeyMissing };

struct Case {
  const char* name;
  bool bTest;
  bool bPlaySound;
  Howl howl;
  bool bPlays;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class DetectSoundDecision : public ::testing::TestWithParam<Case> {};

TEST_P(DetectSoundDecision, FollowsTheSwitchesOrTheSetting) {
  const Case& c = GetParam();
  test::ScopedMemoryRegistry registry;
  if (c.howl != Howl::kKeyMissing) {
    MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, true);
    switch (c.howl) {
      case Howl::kZero: reg.SaveValueDWord(DetectSound::kHowlEnabledValue, 0); break;
      case Howl::kOne: reg.SaveValueDWord(DetectSound::kHowlEnabledValue, 1); break;
      case Howl::kTwo: reg.SaveValueDWord(DetectSound::kHowlEnabledValue, 2); break;
      default: break;
    }
  }
  EXPECT_EQ(c.bPlays, DetectSound::ShouldPlay(c.bTest, c.bPlaySound));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectSoundDecision,
    ::testing::Values(Case{"NoKeyIsSilent", false, false, Howl::kKeyMissing, false},
                      Case{"NoValueIsSilent", false, true, Howl::kAbsent, false},
                      Case{"ZeroIsSilent", false, false, Howl::kZero, false},
                      Case{"OnePlays", false, false, Howl::kOne, true},
                      Case{"AnyNonZeroPlays", false, false, Howl::kTwo, true},
                      Case{"TestWithSoundPlaysWhateverTheSetting", true, true, Howl::kZero, true},
                      Case{"TestWithoutSoundIsSilentWhateverTheSetting", true, false, Howl::kOne, false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
