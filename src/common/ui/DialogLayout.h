// How a dialog lays itself out, decided without a window: which controls
// follow the right and bottom edges when a resizable dialog is resized,
// where they go, and the background hue of a dialog by its nesting depth.
// The dialog base moves real controls by these answers.
#pragma once

#include <vector>

namespace DialogLayout {

// Anchor flags of a control.
enum Anchor : unsigned {
  kMoveX = 1,  // moves with the right edge
  kMoveY = 2,  // moves with the bottom edge
  kGrowX = 4,  // grows with the width
  kGrowY = 8,  // grows with the height
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// What the anchor rules need to know of a control.
enum class Kind {
  kOther,       // buttons, icons, images, check boxes, ...
  kText,        // static text (and a plain static showing no icon or image)
  kEdit,        // edit and rich-edit fields
  kListOrCombo  // list boxes and combo boxes
};

struct Control {
  Kind kind = Kind::kOther;
  Rect rect;  // in client coordinates
  bool bExplicit = false;
  unsigned explicitFlags = 0;  // used when bExplicit
};

// The anchor flags of each control, in the order given (the dialog's child
// order). Controls with an explicit anchor keep it. The others start from
// where their centre lies (right half: kMoveX, lower half: kMoveY); text-like
// controls (text, edit, list, combo) grow in width, and the controls beside
// them in the same rows move with the right edge only when they lie to their
// right; the first list or combo box grows in height when nothing does yet,
// and the controls in its columns move down only when they lie below it.
// When nothing grows in height (or width) after that, the tallest edit field
// does. A control that grows along an axis never also moves along it.
std::vector<unsigned> ComputeAnchors(const std::vector<Control>& controls, int clientWidth, int clientHeight);

// The control's rectangle after the client area changed by dx and dy.
Rect Resize(const Rect& rect, unsigned flags, int dx, int dy);

// The background hue (0-240 scale) of a dialog with `windowsAbove` windows
// above it in its parent chain: 72 for a top-level dialog, 120 for one opened
// from it, then 168, ... (lightness 181, saturation 22).
int BackgroundHue(int windowsAbove);
constexpr int kBackgroundLightness = 181;
constexpr int kBackgroundSaturation = 22;

}  // namespace DialogLayout
