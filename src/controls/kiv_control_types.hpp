#pragma once
// What the themed controls share without a window: the buffering modes, the
// bevel cuts, kinds and sides, and the inner rectangle that the frame leaves.
#include <array>
#include <string_view>

#include "framework/set.hpp"
#include "framework/types.hpp"

namespace kiv {

// How a control paints: straight onto its window, through the one shared
// screen-sized surface, or through a surface of its own made for each paint.
enum TKivPerformance { qspNoBuffer, qspSharedBuffer, qspDoubleBuffer };
inline constexpr std::array<std::string_view, 3> kKivPerformanceNames{
    "qspNoBuffer", "qspSharedBuffer", "qspDoubleBuffer"};
static_assert(kKivPerformanceNames.size() == qspDoubleBuffer + 1);

enum TKivBevelCut { qbvNone, qbvLowered, qbvRaised, qbvSpace, qbvBorder, qbvFlatBorder };
inline constexpr std::array<std::string_view, 6> kKivBevelCutNames{
    "qbvNone", "qbvLowered", "qbvRaised", "qbvSpace", "qbvBorder", "qbvFlatBorder"};
static_assert(kKivBevelCutNames.size() == qbvFlatBorder + 1);

// A preset that sets both cuts at once (qbkNone leaves them as they are).
enum TKivBevelKind { qbkNone, qbkSingle, qbkTile, qbkSoft, qbkBorder, qbkFlat };
inline constexpr std::array<std::string_view, 6> kKivBevelKindNames{
    "qbkNone", "qbkSingle", "qbkTile", "qbkSoft", "qbkBorder", "qbkFlat"};
static_assert(kKivBevelKindNames.size() == qbkFlat + 1);

enum TKivBevelSide { qbsLeft, qbsTop, qbsRight, qbsBottom };
inline constexpr std::array<std::string_view, 4> kKivBevelSideNames{"qbsLeft", "qbsTop", "qbsRight",
                                                                    "qbsBottom"};
static_assert(kKivBevelSideNames.size() == qbsBottom + 1);
using TKivBevelSides = TSet<TKivBevelSide>;
inline constexpr TKivBevelSides kKivAllBevelSides{qbsLeft, qbsTop, qbsRight, qbsBottom};

// The cut both bevels take for a preset; qbkNone gives qbvNone (no change).
TKivBevelCut BevelKindCut(TKivBevelKind kind);

// The frame a control draws around its inner area.
struct TKivFrameSpec {
  int BorderWidth = 0;
  int BevelWidth = 0;
  TKivBevelCut BevelInner = qbvLowered;
  TKivBevelCut BevelOuter = qbvLowered;
  TKivBevelSides BevelSides = kKivAllBevelSides;
};

// (0, 0, width, height) shrunk by the border on every side, then each side
// in BevelSides by BevelWidth for every cut that is not qbvNone.
TRect KivInnerRect(int width, int height, const TKivFrameSpec& frame);

// Which built-in scroll bars a control has.
enum : int {
  kScrollBarNone = 0,
  kScrollBarHorizontal = 1,
  kScrollBarVertical = 2,
  kScrollBarBoth = 3
};

}  // namespace kiv
