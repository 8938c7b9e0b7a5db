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

// The main window's size at a first start (no placement remembered yet):
// grown, never shrunk, until its grid shows every column and up to
// kFirstRows rows, within nine tenths of the work area. Sizes in pixels.
struct MainWindowFirstSize {
  static constexpr int kFirstRows = 12;
  struct Input {
    int windowWidth = 0, windowHeight = 0;  // the window as made from its template
    int gridWidth = 0, gridHeight = 0;      // the grid in it
    int columnsWidth = 0;                   // every column side by side
    int headerHeight = 0, rowHeight = 0, rows = 0;
    int scrollBar = 0;  // the system's scroll-bar width
    int workWidth = 0, workHeight = 0;
  };
  int width = 0, height = 0;
  static MainWindowFirstSize For(const Input& in);
};
