// Settings every dialog reads when it opens, set once at start-up.
#pragma once

struct DialogDefaults {
  static bool s_bToolTipsEnabled;  // from "TooltipsEnabled"
  static unsigned s_uiDialogIcon;  // small icon of every dialog; 0 = none
};
