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

namespace {

TEST(MainWindowFirstSize, GrowsToShowTheGridWithinTheWorkArea) {
  // A window of 888 x 172 with a grid of 860 x 72; rows of 20, header 22.
  const auto input = [](int columns, int rows, int workWidth, int workHeight) {
    MainWindowFirstSize::Input in;
    in.windowWidth = 888;
    in.windowHeight = 172;
    in.gridWidth = 860;
    in.gridHeight = 72;
    in.columnsWidth = columns;
    in.headerHeight = 22;
    in.rowHeight = 20;
    in.rows = rows;
    in.scrollBar = 16;
    in.workWidth = workWidth;
    in.workHeight = workHeight;
    return in;
  };
  const struct {
    MainWindowFirstSize::Input in;
    int width, height;
  } cases[] = {
      // Five rows and wide columns: both grow.
      {input(1000, 5, 1280, 1024), 888 + 1020 - 860, 172 + 142 - 72},
      // Few narrow columns and no rows: never smaller than the template.
      {input(300, 0, 1280, 1024), 888, 172},
      // A thousand rows show twelve.
      {input(800, 1000, 1280, 1024), 888, 172 + 22 + 240 + 20 - 72},
      // A small screen caps both at nine tenths of the work area.
      {input(3000, 1000, 1024, 300), 921, 270},
      // A work area smaller than the template still keeps the template.
      {input(3000, 1000, 600, 100), 888, 172},
  };
  for (const auto& c : cases) {
    const MainWindowFirstSize size = MainWindowFirstSize::For(c.in);
    EXPECT_EQ(c.width, size.width) << c.in.columnsWidth << " " << c.in.rows;
    EXPECT_EQ(c.height, size.height) << c.in.columnsWidth << " " << c.in.rows;
  }
}

}  // namespace
