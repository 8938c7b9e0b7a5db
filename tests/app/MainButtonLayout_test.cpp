// The main window's button row, for client sizes from roomy to cramped.
#include "app/MainButtonLayout.h"

#include <gtest/gtest.h>

namespace {

using DialogLayout::Rect;

TEST(MainButtonLayoutTest, FourButtonsAlongTheBottom) {
  const MainButtonLayout::Units units{6, 39, 6};  // 4 x 24 x 4 dialog units at 150 %
  const struct {
    int cx, cy;
    Rect updates, reports, settings, help;
  } cases[] = {
      // w = (620 - 30) / 4 = 147; y = 400 - 39 - 6 = 355.
      {620, 400, {6, 355, 153, 394}, {159, 355, 306, 394}, {312, 355, 459, 394}, {467, 355, 614, 394}},
      // An odd width: w = (621 - 30) / 4 = 147 (rounded down); Help keeps its margin on the right.
      {621, 400, {6, 355, 153, 394}, {159, 355, 306, 394}, {312, 355, 459, 394}, {468, 355, 615, 394}},
      // Just too narrow: empty buttons; narrower still, never a negative width.
      {30, 50, {6, 5, 6, 44}, {12, 5, 12, 44}, {18, 5, 18, 44}, {24, 5, 24, 44}},
      {20, 50, {6, 5, 6, 44}, {12, 5, 12, 44}, {18, 5, 18, 44}, {14, 5, 14, 44}},
  };
  for (const auto& c : cases) {
    const MainButtonLayout layout = MainButtonLayout::For(c.cx, c.cy, units);
    EXPECT_EQ(c.updates, layout.updates) << c.cx;
    EXPECT_EQ(c.reports, layout.reports) << c.cx;
    EXPECT_EQ(c.settings, layout.settings) << c.cx;
    EXPECT_EQ(c.help, layout.help) << c.cx;
  }
}

}  // namespace
