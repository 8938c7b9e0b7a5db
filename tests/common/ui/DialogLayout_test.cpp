// The layout decisions of resizable dialogs, from rectangles to anchor
// flags, and the background hue by nesting depth.
#include "common/ui/DialogLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using DialogLayout::Control;
using DialogLayout::Kind;
using DialogLayout::Rect;
constexpr unsigned X = DialogLayout::kMoveX, Y = DialogLayout::kMoveY, W = DialogLayout::kGrowX,
                   H = DialogLayout::kGrowY;

Control Make(Kind kind, int left, int top, int right, int bottom) {
  Control c;
  c.kind = kind;
  c.rect = {left, top, right, bottom};
  return c;
}
Control Explicit(Kind kind, int left, int top, int right, int bottom, unsigned flags) {
  Control c = Make(kind, left, top, right, bottom);
  c.bExplicit = true;
  c.explicitFlags = flags;
  return c;
}

struct AnchorCase {
  const char* name;
  std::vector<Control> controls;  // in a 200 x 100 client area
  std::vector<unsigned> expected;
};

class Anchors : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(Anchors, FlagsFromTheRectangles) {
  const AnchorCase& c = GetParam();
  EXPECT_EQ(c.expected, DialogLayout::ComputeAnchors(c.controls, 200, 100));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Anchors,
    ::testing::Values(
        // Buttons follow the corner their centre lies in.
        AnchorCase{"ButtonsByCentre",
                   {Make(Kind::kOther, 10, 10, 40, 20), Make(Kind::kOther, 150, 10, 190, 20),
                    Make(Kind::kOther, 10, 80, 40, 90), Make(Kind::kOther, 150, 80, 190, 90)},
                   {0, X, Y, X | Y}},
        // A label and its edit field in one row: the field grows, the button
        // to its right moves, the label to its left stays.
        AnchorCase{"RowOfLabelFieldButton",
                   {Make(Kind::kOther, 0, 0, 10, 10), Make(Kind::kEdit, 20, 10, 150, 22),
                    Make(Kind::kOther, 160, 10, 190, 22), Make(Kind::kOther, 2, 12, 18, 20)},
                   {0, W | H, X, 0}},
        // Of two text fields side by side the right one grows; a text field
        // right of the middle grows without also moving.
        AnchorCase{"TwoTextsInARow",
                   {Make(Kind::kText, 10, 10, 90, 20), Make(Kind::kText, 110, 10, 190, 20)},
                   {0, W}},
        // The first list grows in height; a button below it in its columns
        // moves down, one beside it does not.
        AnchorCase{"ListGrowsAndPushesTheButtonBelow",
                   {Make(Kind::kListOrCombo, 10, 10, 120, 60), Make(Kind::kOther, 10, 70, 60, 80),
                    Make(Kind::kOther, 150, 10, 190, 20), Make(Kind::kListOrCombo, 10, 82, 60, 95)},
                   {W | H, Y, X, W | Y}},
        // An explicit anchor stays as given, and its growth in height keeps
        // the list from growing.
        AnchorCase{"ExplicitAnchorKeptAndCounted",
                   {Explicit(Kind::kOther, 10, 10, 50, 90, H), Make(Kind::kListOrCombo, 60, 10, 190, 40)},
                   {H, W}},
        // Nothing text-like: the tallest edit field would take both axes, and
        // without one nothing stretches.
        AnchorCase{"NoEditNothingStretches", {Make(Kind::kOther, 150, 80, 190, 90)}, {X | Y}},
        AnchorCase{"TallestEditTakesTheHeight",
                   {Make(Kind::kEdit, 10, 10, 190, 20), Make(Kind::kEdit, 10, 30, 190, 90)},
                   {W, W | H}}),
    [](const ::testing::TestParamInfo<AnchorCase>& info) { return std::string(info.param.name); });

TEST(DialogLayoutResize, MovesOrGrowsByTheChange) {
  const Rect r{10, 20, 50, 40};
  struct {
    unsigned flags;
    Rect expected;
  } cases[] = {{0, {10, 20, 50, 40}},     {X, {40, 20, 80, 40}},    {W, {10, 20, 80, 40}},
               {Y, {10, 30, 50, 50}},     {H, {10, 20, 50, 50}},    {X | Y, {40, 30, 80, 50}},
               {W | H, {10, 20, 80, 50}}, {X | H, {40, 20, 80, 50}}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, DialogLayout::Resize(r, c.flags, 30, 10)) << c.flags;
  // Shrinking takes the same way back.
  EXPECT_EQ(r, DialogLayout::Resize(DialogLayout::Resize(r, X | H, 30, 10), X | H, -30, -10));
}

TEST(DialogLayoutHue, ByNestingDepth) {
  const int expected[] = {72, 120, 168, 216, 24, 72};
  for (int depth = 0; depth < 6; ++depth)
    EXPECT_EQ(expected[depth], DialogLayout::BackgroundHue(depth)) << depth;
}

}  // namespace
