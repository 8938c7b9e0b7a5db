// Whether the change alert plays its sound: in a test run from the settings
// dialog the caller says so; otherwise the user's "HowlEnabled" setting
// (false when it was never written).
#pragma once

namespace DetectSound {

constexpr const char* kHowlEnabledValue = "HowlEnabled";
constexpr const char* kWaveName = "TARVOLINDETECT_WAVE";

bool ShouldPlay(bool bTest, bool bPlaySound);

}  // namespace DetectSound
