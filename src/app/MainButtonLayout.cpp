#include "app/MainButtonLayout.h"

#include <algorithm>

MainButtonLayout MainButtonLayout::For(int cx, int cy, const Units& units) {
  const int m = units.margin;
  // A window too narrow for four buttons gets empty ones, never negative sizes.
  const int w = std::max(0, (cx - 5 * m) / 4);
  const int y = cy - units.height - units.gap;
  const auto at = [&](int x) { return DialogLayout::Rect{x, y, x + w, y + units.height}; };
  MainButtonLayout layout;
  layout.updates = at(m);
  layout.reports = at(w + 2 * m);
  layout.settings = at(2 * w + 3 * m);
  layout.help = at(cx - w - m);
  return layout;
}

MainWindowFirstSize MainWindowFirstSize::For(const Input& in) {
  const int kBorders = 4;
  const int rows = std::min(in.rows, kFirstRows);
  const int wantGridWidth = in.columnsWidth + in.scrollBar + kBorders;
  const int wantGridHeight = in.headerHeight + rows * in.rowHeight + in.scrollBar + kBorders;
  MainWindowFirstSize size;
  size.width = std::max(in.windowWidth,
                        std::min(in.windowWidth + wantGridWidth - in.gridWidth, in.workWidth * 9 / 10));
  size.height = std::max(in.windowHeight,
                         std::min(in.windowHeight + wantGridHeight - in.gridHeight, in.workHeight * 9 / 10));
  return size;
}
