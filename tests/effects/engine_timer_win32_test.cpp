// The engine on the framework's real 20-millisecond timer: every effect plays to
// its end through the message loop and leaves the new picture on a device
// context, on a reserved slot and on a free one.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "effects/engine.hpp"
#include "effects/frame_canvas_win32.hpp"
#include "engine_support.hpp"
#include "support/memory_dc_win32.hpp"

namespace kiv {
namespace {

struct WindowTimerEngine {
  WindowTimerEngine() { SetAnimationTimer(CreatePlatformTimer()); }
  ~WindowTimerEngine() {
    for (int i = 0; i < kAnimationSlotCount; ++i) {
      StopAnimation(i);
      ReleaseAnimationSlot(i);
    }
  }
};

// Pumps messages until the slot stops; false on a time-out.
bool RunToEnd(int slot, int timeout_ms) {
  const auto start = std::chrono::steady_clock::now();
  while (IsAnimating(slot)) {
    AnimationTimer().ProcessMessages();
    if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(timeout_ms))
      return false;
  }
  return true;
}

TEST(WindowTimer, EveryEffectPlaysToTheEndOnReservedAndFreeSlots) {
  WindowTimerEngine engine;
  const int w = 75, h = 25;
  kivtest::TMemoryDC screen(w, h, true);
  TCanvas canvas;  // the framework's canvas on the memory DC
  canvas.SetHandle(screen.dc);
  TkivCanvasFrame frame(canvas);
  const int reserved = ReserveAnimationSlot();
  ASSERT_GE(reserved, 0);
  for (const std::string& name : EffectNames()) {
    for (bool use_reserved : {true, false}) {
      kivtest::Surface source(w, h), target(w, h);
      kivtest::PaintPattern(source, 1);
      kivtest::PaintPattern(target, 2);
      TkivAnimationRec rec;
      rec.SetEffect(name);
      rec.SetResolution(10);
      rec.SetTime(50);  // three frames: 40 %, 80 %, 100 %
      const int slot =
          StartAnimation(&frame, 0, 0, use_reserved ? reserved : -1, rec, &target, &source);
      ASSERT_GE(slot, 0) << name;
      if (!use_reserved) {
        EXPECT_NE(slot, reserved);
      }
      EXPECT_TRUE(IsAnimating(slot)) << name;
      EXPECT_TRUE(AnimationTimer().Enabled());
      ASSERT_TRUE(RunToEnd(slot, 5000)) << name << " did not finish";
      EXPECT_FALSE(AnimationTimer().Enabled());
      bool same = true;
      for (int y = 0; y < h && same; ++y)
        for (int x = 0; x < w && same; ++x)
          same = (screen.At(x, y) & 0xFFFFFF) == (target.GetPixel(x, y) & 0xFFFFFF);
      EXPECT_TRUE(same) << name << (use_reserved ? " on the reserved slot" : " on a free slot");
    }
  }
  ReleaseAnimationSlot(reserved);
}

// Counts the frames composed (a mask effect that shows the whole new picture).
int g_frames = 0;
void CountingEffect(uint8_t* mask, int w, int h, uint8_t) {
  ++g_frames;
  for (int i = 0; i < w * h; ++i) mask[i] = 255;
}

TEST(WindowTimer, DefaultTimeShowsTwentyFramesAndPlayAnimationWaits) {
  WindowTimerEngine engine;
  kivtest::Surface source(30, 20), target(30, 20);
  TkivAnimationRec rec;
  if (FindEffect("CountingEffect") == nullptr)
    RegisterEffect("CountingEffect", pkFade, TkivMaskProc{CountingEffect});
  rec.SetEffect("CountingEffect");
  kivtest::Surface screen(30, 20);
  kivtest::PaintPattern(target, 2);
  TkivSurfaceCanvas canvas(screen);
  g_frames = 0;
  const auto start = std::chrono::steady_clock::now();
  PlayAnimation(&canvas, 0, 0, rec, &target, &source);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  EXPECT_EQ(g_frames, 20);
  EXPECT_EQ(screen.GetPixel(3, 4) & 0xFFFFFF, target.GetPixel(3, 4) & 0xFFFFFF);
  EXPECT_GE(ms, 300);  // twenty ticks of a 20 ms timer, give or take the platform's granularity
  EXPECT_FALSE(AnimationTimer().Enabled());
}

}  // namespace
}  // namespace kiv
