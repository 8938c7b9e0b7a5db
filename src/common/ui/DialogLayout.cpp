#include "common/ui/DialogLayout.h"

#include <cstddef>

namespace DialogLayout {
namespace {

bool IsTextLike(Kind kind) { return kind != Kind::kOther; }

bool SharesRows(const Rect& a, const Rect& b) { return a.top < b.bottom && b.top < a.bottom; }
bool SharesColumns(const Rect& a, const Rect& b) { return a.left < b.right && b.left < a.right; }

// Twice the centre, so that no precision is lost.
int CentreX2(const Rect& r) { return r.left + r.right; }
int CentreY2(const Rect& r) { return r.top + r.bottom; }

void GrowX(unsigned& flags) { flags = (flags & ~unsigned{kMoveX}) | kGrowX; }
void GrowY(unsigned& flags) { flags = (flags & ~unsigned{kMoveY}) | kGrowY; }

}  // namespace

std::vector<unsigned> ComputeAnchors(const std::vector<Control>& controls, int clientWidth,
                                     int clientHeight) {
  const std::size_t n = controls.size();
  std::vector<unsigned> flags(n, 0);
  bool bSomeGrowsX = false;
  bool bSomeGrowsY = false;
  for (std::size_t i = 0; i < n; ++i) {
    const Control& c = controls[i];
    if (c.bExplicit) {
      flags[i] = c.explicitFlags;
      bSomeGrowsX = bSomeGrowsX || (c.explicitFlags & kGrowX);
      bSomeGrowsY = bSomeGrowsY || (c.explicitFlags & kGrowY);
      continue;
    }
    if (CentreX2(c.rect) > clientWidth) flags[i] |= kMoveX;
    if (CentreY2(c.rect) > clientHeight) flags[i] |= kMoveY;
  }

  for (std::size_t i = 0; i < n; ++i) {
    const Control& c = controls[i];
    if (c.bExplicit || !IsTextLike(c.kind)) continue;
    GrowX(flags[i]);
    bSomeGrowsX = true;
    for (std::size_t j = 0; j < n; ++j) {
      if (j == i || controls[j].bExplicit || !SharesRows(c.rect, controls[j].rect)) continue;
      flags[j] &= ~unsigned{kMoveX | kGrowX};
      if (CentreX2(controls[j].rect) > CentreX2(c.rect)) flags[j] |= kMoveX;
    }
    if (bSomeGrowsY || c.kind != Kind::kListOrCombo) continue;
    GrowY(flags[i]);
    bSomeGrowsY = true;
    for (std::size_t j = 0; j < n; ++j) {
      if (j == i || controls[j].bExplicit || !SharesColumns(c.rect, controls[j].rect)) continue;
      flags[j] &= ~unsigned{kMoveY | kGrowY};
      if (CentreY2(controls[j].rect) > CentreY2(c.rect)) flags[j] |= kMoveY;
    }
  }

  if (bSomeGrowsX && bSomeGrowsY) return flags;
  // Nothing stretches along some axis: the tallest edit field takes it.
  std::size_t tallest = n;
  for (std::size_t i = 0; i < n; ++i) {
    if (controls[i].bExplicit || controls[i].kind != Kind::kEdit) continue;
    if (tallest == n || controls[i].rect.Height() > controls[tallest].rect.Height()) tallest = i;
  }
  if (tallest == n) return flags;
  if (!bSomeGrowsY) GrowY(flags[tallest]);
  if (!bSomeGrowsX) GrowX(flags[tallest]);
  return flags;
}

Rect Resize(const Rect& rect, unsigned flags, int dx, int dy) {
  Rect r = rect;
  if (flags & kMoveX) {
    r.left += dx;
    r.right += dx;
  } else if (flags & kGrowX) {
    r.right += dx;
  }
  if (flags & kMoveY) {
    r.top += dy;
    r.bottom += dy;
  } else if (flags & kGrowY) {
    r.bottom += dy;
  }
  return r;
}

int BackgroundHue(int windowsAbove) { return ((1 + windowsAbove) * 48) % 240 + 24; }

}  // namespace DialogLayout
