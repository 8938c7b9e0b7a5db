// Where the main window's four buttons go, given its client size: one row
// along the bottom edge, three buttons from the left and Help at the right.
#pragma once

#include "common/ui/DialogLayout.h"

struct MainButtonLayout {
  // Margin (4 horizontal dialog units), button height (24 vertical units) and
  // gap below the buttons (4 vertical units), in this window's pixels.
  struct Units {
    int margin = 0;
    int height = 0;
    int gap = 0;
  };

  DialogLayout::Rect updates;   // "&Check for Updates" (1100)
  DialogLayout::Rect reports;   // "Send &BHO Reports" (1104)
  DialogLayout::Rect settings;  // "&Settings" (1105)
  DialogLayout::Rect help;      // "&Help" (1101)

  static MainButtonLayout For(int clientWidth, int clientHeight, const Units& units);
};
