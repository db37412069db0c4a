#include <gtest/gtest.h>

#include "framework/picture/animation_timeline.hpp"
#include "framework/picture/picture.hpp"

namespace kiv {
namespace {

TEST(AnimationTimeline, PlaysEachFrameForItsDelayAndStopsOnTheLastAfterTheLastPass) {
  // Frames of 120, 36 and 240 ms played twice: 792 ms in all.
  const TAnimationTimeline t({120, 36, 240}, 2);
  EXPECT_EQ(t.CycleMs(), 396);
  EXPECT_EQ(t.DurationMs(), 792);
  struct Case {
    int64_t t;
    int frame;
    int64_t next;
    bool ended;
  };
  const Case cases[] = {
      {-5, 0, 120, false},  {0, 0, 120, false},   {119, 0, 120, false}, {120, 1, 156, false},
      {155, 1, 156, false}, {156, 2, 396, false}, {395, 2, 396, false}, {396, 0, 516, false},
      {552, 2, -1, false},  {791, 2, -1, false},  {792, 2, -1, true},   {100000, 2, -1, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(t.FrameAt(c.t), c.frame) << c.t;
    EXPECT_EQ(t.NextChange(c.t), c.next) << c.t;
    EXPECT_EQ(t.EndedAt(c.t), c.ended) << c.t;
  }
}

TEST(AnimationTimeline, EndlessStillAndPictureRules) {
  const TAnimationTimeline endless({50, 70}, 0);
  EXPECT_EQ(endless.DurationMs(), -1);
  EXPECT_EQ(endless.FrameAt(120 * 1000000 + 60), 1);
  EXPECT_EQ(endless.NextChange(120 * 1000000 + 60), 120 * 1000000 + 120);
  EXPECT_FALSE(endless.EndedAt(int64_t(1) << 50));

  const TAnimationTimeline still({0}, 0);
  EXPECT_EQ(still.FrameAt(1000), 0);
  EXPECT_EQ(still.NextChange(0), -1);
  EXPECT_EQ(still.DurationMs(), 0);
  EXPECT_TRUE(still.EndedAt(0));

  // From a decoded picture: no looping block plays once, a count of N plays N times.
  TDecodedPicture pic;
  pic.Frames.resize(2);
  pic.Frames[0].DelayMs = ViewerDelayMs(0);
  pic.Frames[1].DelayMs = ViewerDelayMs(1);
  EXPECT_EQ(TAnimationTimeline::ForPicture(pic).DurationMs(), 156);
  pic.HasLoopBlock = true;
  pic.LoopCount = 3;
  EXPECT_EQ(TAnimationTimeline::ForPicture(pic).DurationMs(), 468);
  pic.LoopCount = 0;
  EXPECT_EQ(TAnimationTimeline::ForPicture(pic).DurationMs(), -1);
}

}  // namespace
}  // namespace kiv
