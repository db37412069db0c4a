#include "effects/engine.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "engine_support.hpp"

namespace kiv {
namespace {

using kivtest::ManualEngine;
using kivtest::PaintPattern;

// A mask effect that records the progress of every frame it draws.
std::vector<int>* g_progress = nullptr;
void ProgressProbe(uint8_t* mask, int w, int h, uint8_t p) {
  if (g_progress) g_progress->push_back(p);
  for (int i = 0; i < w * h; ++i) mask[i] = 255;
}

std::vector<int> PlayedProgress(int time) {
  static bool registered = false;
  if (!registered) {
    RegisterEffect("ProgressProbe", pkFade, TkivMaskProc{ProgressProbe});
    registered = true;
  }
  ManualEngine engine;
  kivtest::Surface source(20, 10), target(20, 10), screen(20, 10);
  TkivSurfaceCanvas canvas(screen);
  TkivAnimationRec rec;
  rec.SetEffect("progressprobe");
  rec.SetTime(time);
  std::vector<int> progress;
  g_progress = &progress;
  const int slot = StartAnimation(&canvas, 0, 0, -1, rec, &target, &source);
  EXPECT_TRUE(IsAnimating(slot));
  EXPECT_TRUE(ManualEngine::TimerOn());
  for (int tick = 0; tick < 1000 && IsAnimating(slot); ++tick) AnimationTick();
  EXPECT_FALSE(ManualEngine::TimerOn());
  g_progress = nullptr;
  return progress;
}

TEST(AnimationEngine, FrameTimingFollowsTheFixedTwentyMillisecondBase) {
  std::vector<int> want;
  for (int p = 5; p <= 100; p += 5) want.push_back(p);
  EXPECT_EQ(PlayedProgress(400), want);  // 20 frames, ending with 100

  const auto slow = PlayedProgress(2000);
  ASSERT_EQ(slow.size(), 100u);
  EXPECT_EQ(slow.front(), 1);  // 20.01 / 2000 * 100 rounds to 1
  EXPECT_EQ(slow.back(), 100);

  const auto longest = PlayedProgress(9000);
  EXPECT_EQ(longest.front(), 0);  // 20.01 / 9000 * 100 rounds to 0
  EXPECT_EQ(longest.back(), 100);
  EXPECT_EQ(AnimationProgress(0.01f + 20, 400), 5);
  EXPECT_EQ(AnimationProgress(10000.0f, 400), 100);
}

TEST(AnimationEngine, EveryEffectEndsOnTheNewPicture) {
  ManualEngine engine;
  struct Setup {
    int w, h, res, tiles;
  };
  const Setup setups[] = {{75, 25, 10, 1}, {23, 31, 3, 2}, {1, 1, 1, 1}, {40, 9, 1, 3}};
  for (const Setup& s : setups)
    for (int rot = 0; rot < 4; ++rot)
      for (const std::string& name : EffectNames()) {
        if (name == kRandomEffectName) continue;
        kivtest::Surface source(s.w, s.h), target(s.w, s.h), screen(s.w, s.h);
        PaintPattern(source, 1);
        PaintPattern(target, 2);
        TkivSurfaceCanvas canvas(screen);
        TkivAnimationRec rec;
        rec.SetEffect(name);
        rec.SetResolution(s.res);
        rec.SetTileCount(s.tiles);
        rec.SetRotation(static_cast<TkivRotation>(rot));
        PlayAnimation(&canvas, 0, 0, rec, &target, &source);
        bool same = true;
        for (int y = 0; y < s.h && same; ++y)
          for (int x = 0; x < s.w && same; ++x)
            same = (screen.GetPixel(x, y) & 0xFFFFFF) == (target.GetPixel(x, y) & 0xFFFFFF);
        EXPECT_TRUE(same) << name << " rotation " << rot << " on " << s.w << "x" << s.h << " res "
                          << s.res << " tiles " << s.tiles;
      }
}

TEST(AnimationEngine, GridAndBuffersFollowTheKind) {
  ManualEngine engine;
  kivtest::Surface source(75, 25), target(75, 25);
  TkivAnimationRec rec;
  rec.SetResolution(10);
  struct Case {
    const char* effect;
    TkivRotation rot;
    bool mask, mask2, cells;
  };
  const Case cases[] = {
      {"Fade", qrNone, true, false, false},
      {"Fade", qrRotate90, true, true, false},
      {"Interlace", qrNone, false, false, true},
      {"Push", qrNone, false, false, false},
      {"[ BITMAP ] - Bitmap Animation", qrNone, true, true, false},
  };
  for (const Case& c : cases) {
    rec.SetEffect(c.effect);
    rec.SetRotation(c.rot);
    const int slot = StartAnimation(nullptr, 0, 0, 7, rec, &target, &source);
    ASSERT_EQ(slot, 7);
    const TkivAnimationSlot& s = AnimationSlot(7);
    EXPECT_TRUE(s.Active) << c.effect;
    EXPECT_EQ(s.Cols, 8);
    EXPECT_EQ(s.Rows, 3);
    EXPECT_EQ(s.Mask.size(), c.mask ? 24u : 0u) << c.effect;
    EXPECT_EQ(s.Mask2.size(), c.mask2 ? 24u : 0u) << c.effect;
    EXPECT_EQ(s.Cells.size(), c.cells ? 24u : 0u) << c.effect;
    ASSERT_TRUE(s.Work);
    EXPECT_EQ(s.Work->Width(), 75);
    StopAnimation(slot);
    EXPECT_FALSE(s.Active);
    EXPECT_FALSE(s.Work);
  }
  EXPECT_FALSE(ManualEngine::TimerOn());
}

TEST(AnimationEngine, StartsNothingWithoutPicturesOrAKnownEffect) {
  ManualEngine engine;
  kivtest::Surface source(10, 10), target(10, 10), empty;
  TkivAnimationRec rec;
  rec.SetEffect("Fade");
  EXPECT_EQ(StartAnimation(nullptr, 0, 0, 3, rec, &empty, &source), 3);
  EXPECT_FALSE(IsAnimating(3));
  EXPECT_EQ(StartAnimation(nullptr, 0, 0, 3, rec, &target, nullptr), 3);
  EXPECT_FALSE(IsAnimating(3));
  EXPECT_FALSE(ManualEngine::TimerOn());
  rec.SetEffect("Dissolve");
  EXPECT_EQ(StartAnimation(nullptr, 0, 0, 3, rec, &target, &source), 3);
  EXPECT_FALSE(IsAnimating(3));
  rec.SetEffect("[ BITMAP ] - Bitmap Animation");
  EXPECT_EQ(StartAnimation(nullptr, 0, 0, 3, rec, &target, &source), 3);
  EXPECT_TRUE(IsAnimating(3));
  EXPECT_TRUE(ManualEngine::TimerOn());
  EXPECT_FALSE(IsAnimating(-1));
  EXPECT_FALSE(IsAnimating(201));
}

TEST(AnimationEngine, SlotsRunOutAfterTwoHundredAndOne) {
  ManualEngine engine;
  kivtest::Surface source(4, 4), target(4, 4);
  TkivAnimationRec rec;
  rec.SetEffect("Fade");
  // A running unreserved slot is skipped by reservation and by index -1.
  EXPECT_EQ(StartAnimation(nullptr, 0, 0, -1, rec, &target, &source), 0);
  for (int i = 1; i < 201; ++i) EXPECT_EQ(ReserveAnimationSlot(), i);
  EXPECT_EQ(ReserveAnimationSlot(), -1);
  EXPECT_EQ(StartAnimation(nullptr, 0, 0, -1, rec, &target, &source), -1);
  // A reserved slot is used when its index is given.
  EXPECT_EQ(StartAnimation(nullptr, 0, 0, 150, rec, &target, &source), 150);
  EXPECT_TRUE(IsAnimating(150));
  ReleaseAnimationSlot(42);
  EXPECT_EQ(StartAnimation(nullptr, 0, 0, -1, rec, &target, &source), 42);
}

TEST(AnimationEngine, RestartingARunningSlotStartsAfresh) {
  ManualEngine engine;
  kivtest::Surface source(30, 20), target(30, 20);
  TkivAnimationRec rec;
  rec.SetEffect("FadeDown");
  const int slot = ReserveAnimationSlot();
  StartAnimation(nullptr, 0, 0, slot, rec, &target, &source);
  for (int i = 0; i < 5; ++i) AnimationTick();
  rec.SetEffect("Push");
  StartAnimation(nullptr, 0, 0, slot, rec, &target, &source);
  const TkivAnimationSlot& s = AnimationSlot(slot);
  EXPECT_TRUE(s.Active);
  EXPECT_FLOAT_EQ(s.Elapsed, 0.01f);
  EXPECT_TRUE(s.Mask.empty());
  int frames = 0;
  while (IsAnimating(slot)) {
    AnimationTick();
    ++frames;
  }
  EXPECT_EQ(frames, 20);
}

int g_failures_left = 0;
void FailingProbe(uint8_t* mask, int w, int h, uint8_t) {
  if (g_failures_left > 0) {
    --g_failures_left;
    throw Exception("frame failed");
  }
  for (int i = 0; i < w * h; ++i) mask[i] = 255;
}

TEST(AnimationEngine, AFailedFrameLeavesTheSlotRunningAndNotBusy) {
  if (FindEffect("FailingProbe") == nullptr)
    RegisterEffect("FailingProbe", pkFade, TkivMaskProc{FailingProbe});
  ManualEngine engine;
  kivtest::Surface source(8, 8), target(8, 8);
  TkivAnimationRec rec;
  rec.SetEffect("FailingProbe");
  const int slot = StartAnimation(nullptr, 0, 0, -1, rec, &target, &source);
  g_failures_left = 1;
  EXPECT_THROW(AnimationTick(), Exception);
  EXPECT_TRUE(IsAnimating(slot));
  EXPECT_FALSE(AnimationSlot(slot).Busy);
  int frames = 0;
  while (IsAnimating(slot) && frames < 100) {
    AnimationTick();
    ++frames;
  }
  EXPECT_EQ(frames, 19);  // the failed event still advanced the time by 20 ms
}

TEST(Stopwatch, MeasuresForwardTime) {
  TkivTimer t;
  EXPECT_GT(t.Frequency, 0);
  t.Start();
  volatile double x = 0;
  for (int i = 0; i < 100000; ++i) x = x + i;
  EXPECT_GE(t.ElapsedSeconds(), 0.0f);
}

}  // namespace
}  // namespace kiv
