// The inner rectangle a control's frame leaves, and the bevel presets.
#include <gtest/gtest.h>

#include "controls/kiv_control_types.hpp"

namespace kiv {
namespace {

TEST(KivInnerRect, ShrinksByBorderThenByEachCutOnTheSidesThatCarryTheBevel) {
  struct Case {
    TKivFrameSpec frame;
    TRect want;
  };
  const Case cases[] = {
      {{}, {0, 0, 100, 30}},  // no border, no bevel width: the whole area
      {{0, 2, qbvLowered, qbvLowered, kKivAllBevelSides}, {4, 4, 96, 26}},
      {{0, 2, qbvNone, qbvLowered, kKivAllBevelSides}, {2, 2, 98, 28}},
      {{0, 2, qbvNone, qbvNone, kKivAllBevelSides}, {0, 0, 100, 30}},
      {{3, 1, qbvRaised, qbvSpace, TKivBevelSides{qbsLeft, qbsBottom}}, {5, 3, 97, 25}},
  };
  for (const Case& c : cases) EXPECT_EQ(KivInnerRect(100, 30, c.frame), c.want);
}

TEST(KivBevelKind, PresetsGiveOneCutForBothBevels) {
  struct Case {
    TKivBevelKind kind;
    TKivBevelCut cut;
  };
  for (const Case& c :
       {Case{qbkNone, qbvNone}, Case{qbkSingle, qbvLowered}, Case{qbkTile, qbvLowered},
        Case{qbkSoft, qbvLowered}, Case{qbkBorder, qbvBorder}, Case{qbkFlat, qbvFlatBorder}})
    EXPECT_EQ(BevelKindCut(c.kind), c.cut) << c.kind;
}

}  // namespace
}  // namespace kiv
