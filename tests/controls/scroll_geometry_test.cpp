#include "controls/kiv_scroll_geometry.hpp"

#include <gtest/gtest.h>

#include <cstdint>

namespace kiv {
namespace {

constexpr int32_t kMetric = 17;  // a typical SM_CYVTHUMB
constexpr int32_t kLow = INT32_MIN, kHigh = INT32_MAX;

// A vertical bar 17 x 200 with a one-pixel border: buttons of 17, the track
// from 18 to 182 (164 pixels).
TKivScrollGeometry Vertical200(TKivScrollRange range, bool show_buttons = true) {
  TKivScrollGeometry g;
  g.Orientation = qsoVertical;
  g.Width = 17;
  g.Height = 200;
  g.ShowButtons = show_buttons;
  g.ThumbMetric = kMetric;
  g.Range = range;
  return g;
}

TEST(ScrollGeometry, ButtonsAndTrackInBothOrientations) {
  TKivScrollGeometry v = Vertical200({});
  EXPECT_EQ(ScrollFirstButtonRect(v), Rect(1, 1, 16, 18));
  EXPECT_EQ(ScrollSecondButtonRect(v), Rect(1, 182, 16, 199));
  EXPECT_EQ(ScrollTrackRect(v), Rect(1, 18, 16, 182));
  v.ShowButtons = false;
  EXPECT_EQ(ScrollTrackRect(v), Rect(1, 1, 16, 199));

  TKivScrollGeometry h;
  h.Width = 121;
  h.Height = 17;
  h.ThumbMetric = kMetric;
  EXPECT_EQ(ScrollFirstButtonRect(h), Rect(1, 1, 18, 16));
  EXPECT_EQ(ScrollSecondButtonRect(h), Rect(103, 1, 120, 16));
  EXPECT_EQ(ScrollTrackRect(h), Rect(18, 1, 103, 16));

  // Too short for two whole buttons: each takes half the room inside the
  // border, and no track (so no thumb) is left.
  h.Width = 30;
  EXPECT_EQ(ScrollButtonSize(h), 14);
  EXPECT_EQ(ScrollTrackRect(h), Rect(15, 1, 15, 16));
  EXPECT_EQ(ScrollThumbSize(h), 0);
}

TEST(ScrollGeometry, ThumbSizes) {
  struct Case {
    TKivScrollRange range;
    int32_t want;
  };
  const Case cases[] = {
      {{0, 99, 0, 0}, kMetric},         // no page: the metric
      {{0, 99, 0, 10}, 16},             // 164 * 10 / 100 = 16.4
      {{0, 99, 0, 50}, 82},             // half the track
      {{0, 99, 0, 1}, 10},              // 1.64 raised to (17 div 3) * 2
      {{0, 7, 0, 1}, 20},               // 20.5: tie to even
      {{0, 7, 0, 3}, 62},               // 61.5: tie to even
      {{0, 99, 0, 100}, 0},             // as long as the track: none
      {{kLow, kHigh, 0, 1 << 30}, 41},  // a quarter of 2^32 values
      {{kLow, kHigh, 0, kHigh}, 82},    // just under half
      {{-5, kHigh - 5, 0, kHigh}, 0},   // the whole range in one page
      {{10, 9, 10, 5}, 0},              // Max below Min, which no setter leaves
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScrollThumbSize(Vertical200(c.range)), c.want)
        << c.range.Min << ".." << c.range.Max << " page " << c.range.PageSize;
  }
}

TEST(ScrollGeometry, ThumbPositionAcrossTheRange) {
  struct Case {
    TKivScrollRange range;
    int32_t want_top;
  };
  const Case cases[] = {
      {{0, 100, 0, 0}, 18},           {{0, 100, 50, 0}, 92},  // 73.5 -> 74 (tie to even)
      {{0, 100, 100, 0}, 165},        {{0, 100, 80, 10}, 148},
      {{0, 100, 95, 10}, 166},  // past Max - PageSize + 1: at the end
      {{kLow, kHigh, kLow, 0}, 18},   {{kLow, kHigh, 0, 0}, 92},
      {{kLow, kHigh, kHigh, 0}, 165}, {{kLow, kHigh, kHigh, 1 << 30}, 141},
      {{0, 100, 60, 101}, 18},  // nothing to travel: the track start
  };
  for (const Case& c : cases) {
    TKivScrollGeometry g = Vertical200(c.range);
    TRect thumb = ScrollThumbRect(g);
    EXPECT_EQ(thumb.Top, c.want_top) << c.range.Min << ".." << c.range.Max << " at "
                                     << c.range.Position << " page " << c.range.PageSize;
    EXPECT_EQ(thumb.Height(), ScrollThumbSize(g));
    EXPECT_EQ(ScrollPageUpRect(g), Rect(1, 18, 16, thumb.Top));
    EXPECT_EQ(ScrollPageDownRect(g), Rect(1, thumb.Bottom, 16, 182));
  }
}

TEST(ScrollGeometry, DragPositions) {
  // Range 0..100, no page: a 17-pixel thumb with 147 pixels to travel,
  // grabbed 7 pixels below its top while at position 0.
  TKivScrollGeometry g = Vertical200({0, 100, 0, 0});
  int32_t offset = ScrollDragOffset(g, Point(8, 25));
  ASSERT_EQ(offset, 7);
  struct Case {
    int32_t y, want;
  };
  const Case cases[] = {
      {25, 0},    {100, 51},  // leading edge 93: 75 * 100 / 147
      {172, 100}, {-50, 0},
      {300, 100},  // leading edge held at the track's end: 111.6 would pass Max
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScrollDragPosition(g, offset, Point(8, c.y)), c.want) << c.y;

  // With a page the last position is Max - PageSize + 1.
  g.Range.PageSize = 10;
  EXPECT_EQ(ScrollDragPosition(g, offset, Point(8, 300)), 91);

  // Every position survives the trip to pixels and back when pixels outnumber positions.
  g.Range.PageSize = 0;
  for (int32_t p = 0; p <= 100; ++p)
    EXPECT_EQ(ScrollPixelToPosition(g, ScrollPositionToPixel(g, p)), p);
}

TEST(ScrollGeometry, DragOverTheWhole32BitRange) {
  TKivScrollGeometry g = Vertical200({kLow, kHigh, kLow, 0});
  int32_t offset = ScrollDragOffset(g, Point(8, 18));
  ASSERT_EQ(offset, 0);
  EXPECT_EQ(ScrollDragPosition(g, offset, Point(8, 18)), kLow);
  EXPECT_EQ(ScrollDragPosition(g, offset, Point(8, 19)), -2118266183);  // 1 * (2^32 - 1) / 147
  EXPECT_EQ(ScrollDragPosition(g, offset, Point(8, 92)), 14608732);     // 74 pixels in
  EXPECT_EQ(ScrollDragPosition(g, offset, Point(8, 165)), kHigh);
  EXPECT_EQ(ScrollDragPosition(g, offset, Point(8, 400)), kHigh);
  // The position found for a pixel puts the thumb back on that pixel.
  g.Range.Position = ScrollDragPosition(g, offset, Point(8, 92));
  EXPECT_EQ(ScrollThumbRect(g).Top, 92);
}

TEST(ScrollGeometry, HitTestOfTheParts) {
  // Position 50 puts the 17-pixel thumb at 92..109.
  struct Case {
    TPoint p;
    bool buttons;
    TKivScrollParts want;
  };
  auto parts = [](bool thumb, bool first, bool second, bool up, bool down) {
    return TKivScrollParts{thumb, first, second, up, down};
  };
  const Case cases[] = {
      {{8, 5}, true, parts(false, true, false, false, false)},
      {{8, 190}, true, parts(false, false, true, false, false)},
      {{8, 50}, true, parts(false, false, false, true, false)},
      {{8, 100}, true, parts(true, false, false, false, false)},
      {{8, 108}, true, parts(true, false, false, false, false)},
      {{8, 109}, true, parts(false, false, false, false, true)},
      {{8, 150}, true, parts(false, false, false, false, true)},
      {{0, 100}, true, parts(false, false, false, false, false)},  // on the border
      {{8, 199}, true, parts(false, false, false, false, false)},
      // Without buttons the ends belong to the track: never a button, a page area.
      {{8, 5}, false, parts(false, false, false, true, false)},
      {{8, 190}, false, parts(false, false, false, false, true)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScrollHitTest(Vertical200({0, 100, 50, 0}, c.buttons), c.p), c.want)
        << c.p.X << "," << c.p.Y << (c.buttons ? " with buttons" : " without");
  }
  // A thumb as long as the track cannot be grabbed: the point is in a page area.
  TKivScrollParts full = ScrollHitTest(Vertical200({0, 100, 0, 101}), Point(8, 100));
  EXPECT_FALSE(full.Thumb);
  EXPECT_TRUE(full.PageDown);
}

TEST(ScrollGeometry, KeySteps) {
  struct Case {
    TKivScrollRange range;
    int key;
    int32_t want;
    TKivScrollCode code;
  };
  const Case cases[] = {
      {{0, 100, 50, 10}, kKeyPrior, 40, qscPageUp},
      {{0, 100, 50, 10}, kKeyNext, 60, qscPageDown},
      {{0, 100, 50, 0}, kKeyPrior, 25, qscPageUp},  // no page: LargeChange
      {{0, 100, 50, 10}, kKeyEnd, 100, qscBottom},
      {{0, 100, 50, 10}, kKeyHome, 0, qscTop},
      {{0, 100, 50, 10}, kKeyLeft, 47, qscLineUp},
      {{0, 100, 50, 10}, kKeyUp, 47, qscLineUp},
      {{0, 100, 50, 10}, kKeyRight, 53, qscLineDown},
      {{0, 100, 50, 10}, kKeyDown, 53, qscLineDown},
      {{0, 100, 5, 10}, kKeyPrior, 0, qscPageUp},
      {{0, 100, 98, 0}, kKeyDown, 100, qscLineDown},
      {{kLow, kHigh, kLow + 5, 10}, kKeyPrior, kLow, qscPageUp},
      {{kLow, kHigh, kHigh - 1, 0}, kKeyDown, kHigh, qscLineDown},
  };
  for (const Case& c : cases) {
    auto step = ScrollKeyStep(c.range, c.key, 3, 25);
    ASSERT_TRUE(step.has_value()) << c.key;
    EXPECT_EQ(*step, (TKivScrollStep{c.want, c.code})) << c.key << " from " << c.range.Position;
  }
  EXPECT_FALSE(ScrollKeyStep({0, 100, 50, 10}, 65, 3, 25).has_value());
}

// Holding the mouse on a page area steps until the thumb reaches the pointer.
TEST(ScrollGeometry, PageRepeatStopsUnderThePointer) {
  struct Case {
    int32_t start, pointer_y;
    bool down;
    int32_t want_position, want_steps;
  };
  const Case cases[] = {
      {0, 150, true, 80, 8},   // thumb 148..164 then covers 150
      {90, 40, false, 10, 8},  // thumb 34..50 covers 40
  };
  for (const Case& c : cases) {
    TKivScrollGeometry g = Vertical200({0, 100, c.start, 10});
    TPoint pointer = Point(8, c.pointer_y);
    TKivScrollParts hot = ScrollHitTest(g, pointer);
    TKivScrollParts pressed;
    pressed.PageDown = c.down;
    pressed.PageUp = !c.down;
    int steps = 0;
    while (auto key = ScrollRepeatKey(g, pressed, hot, pointer)) {
      ASSERT_EQ(*key, c.down ? kKeyNext : kKeyPrior);
      ASSERT_LT(++steps, 50);
      g.Range.Position = ScrollKeyStep(g.Range, *key, 1, 1)->Position;
    }
    EXPECT_EQ(g.Range.Position, c.want_position);
    EXPECT_EQ(steps, c.want_steps);
    EXPECT_TRUE(ScrollHitTest(g, pointer).Thumb);
    EXPECT_FALSE(hot.PageUp || hot.PageDown);
  }
}

TEST(ScrollGeometry, RepeatOfAButtonNeedsItHeldAndHot) {
  TKivScrollGeometry g = Vertical200({0, 100, 50, 0});
  TKivScrollParts pressed, hot;
  pressed.FirstButton = hot.FirstButton = true;
  EXPECT_EQ(ScrollRepeatKey(g, pressed, hot, Point(8, 5)), kKeyLeft);
  hot.FirstButton = false;  // the pointer slid off the button
  EXPECT_EQ(ScrollRepeatKey(g, pressed, hot, Point(8, 30)), std::nullopt);
  pressed = hot = {};
  pressed.SecondButton = hot.SecondButton = true;
  EXPECT_EQ(ScrollRepeatKey(g, pressed, hot, Point(8, 190)), kKeyRight);
}

TEST(ScrollRange, Setters) {
  struct Case {
    const char* what;
    TKivScrollRange got, want;
  };
  const TKivScrollRange r{0, 100, 50, 50};
  const Case cases[] = {
      {"position beyond Max", ScrollWithPosition(r, 500), {0, 100, 100, 50}},
      {"position below Min", ScrollWithPosition(r, -3), {0, 100, 0, 50}},
      {"Max below Position and PageSize", ScrollWithMax(r, 30), {0, 30, 30, 31}},
      {"Max below Min", ScrollWithMax({10, 100, 10, 0}, 5), {10, 10, 10, 0}},
      {"Min above Max", ScrollWithMin(r, 200), {100, 100, 100, 1}},
      {"Min above Position", ScrollWithMin(r, 60), {60, 100, 60, 41}},
      {"negative page", ScrollWithPageSize(r, -1), r},
      {"page beyond the range", ScrollWithPageSize(r, 1000), {0, 100, 50, 101}},
      // 2^32 values hold any 32-bit page; a 32-bit count would wrap to 0.
      {"page in the full range",
       ScrollWithPageSize({kLow, kHigh, 0, 0}, kHigh),
       {kLow, kHigh, 0, kHigh}},
      {"Min to the lowest", ScrollWithMin({0, kHigh, 0, kHigh}, kLow), {kLow, kHigh, 0, kHigh}},
      {"Max to the highest", ScrollWithMax({kLow, 0, 0, 0}, kHigh), {kLow, kHigh, 0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(ScrollRange, NewRangeLandsWhateverTheOrder) {
  struct Case {
    TKivScrollRange from;
    int32_t min, max, page;
    bool max_first;
  };
  const Case cases[] = {
      {{0, 100, 40, 10}, 200, 300, 20, true},  // Min first would stop at 100
      {{500, 1000, 700, 0}, 0, 10, 5, false},  // Max first would be raised to 500
      {{0, 100, 40, 10}, 50, 80, 0, false},       {{kLow, -1, kLow, 0}, 0, kHigh, kHigh, true},
      {{0, kHigh, kHigh, 0}, kLow, -1, 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScrollSetMaxFirst(c.from, c.min), c.max_first) << c.min << ".." << c.max;
    TKivScrollRange got = ScrollWithRange(c.from, c.min, c.max, c.page);
    EXPECT_EQ(got.Min, c.min);
    EXPECT_EQ(got.Max, c.max);
    EXPECT_EQ(got.PageSize, c.page);
    EXPECT_GE(got.Position, c.min);
    EXPECT_LE(got.Position, c.max);
  }
}

}  // namespace
}  // namespace kiv
