#include "dialogs/DetectSound.h"

#include "common/registry/MyRegistry.h"
#include "common/registry/RegistryKeys.h"

namespace DetectSound {

bool ShouldPlay(bool bTest, bool bPlaySound) {
  if (bTest) return bPlaySound;
  bool bHowl = false;
  MyRegistry reg(Registry::kCurrentUser, REGKEY_PROGRAM, false);
  reg.ReadValueBool(kHowlEnabledValue, bHowl);
  return bHowl;
}

}  // namespace DetectSound
