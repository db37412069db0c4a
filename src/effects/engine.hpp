#pragma once
// The animation engine: 201 slots, each playing one transition between two
// surfaces onto a canvas, stepped together by one 20-millisecond timer.
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "effects/animation_rec.hpp"
#include "effects/catalogue.hpp"
#include "effects/composition.hpp"
#include "effects/frame_canvas.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

// The timer that drives AnimationTick every 20 milliseconds while enabled.
class TkivEngineTimer {
 public:
  virtual ~TkivEngineTimer() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // Lets the program process pending messages once (waiting a little for one
  // when there are none); the timer's events arrive through it, and
  // PlayAnimation loops on it.
  virtual void ProcessMessages() = 0;
};

// A timer without a clock: ProcessMessages runs one tick when enabled.
class TkivManualTimer : public TkivEngineTimer {
 public:
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void ProcessMessages() override;

 private:
  bool enabled_ = false;
};

// Owns the handler of the engine's timer events.
class TkivMultiObject : public TObject {
 public:
  void AnimationTick(TObject* sender);
};

// The platform's timer: the framework's TTimer (Interval 20, created
// disabled, OnTimer bound to a TkivMultiObject) on Win32, whose events come
// through the application's message loop; the manual timer natively.
std::unique_ptr<TkivEngineTimer> CreatePlatformTimer();

inline constexpr int kAnimationSlotCount = 201;
inline constexpr int kAnimationInterval = 20;

struct TkivAnimationSlot {
  int Cols = 0, Rows = 0;
  size_t MaskSize = 0;
  std::vector<uint8_t> Mask, Mask2;
  std::vector<TkivCellRec> Cells;
  bool Active = false;
  bool Busy = false;
  bool Reserved = false;
  float Elapsed = 0;
  const TkivAnimationRec* Rec = nullptr;
  TkivBitmap* Target = nullptr;
  const TkivBitmap* Source = nullptr;
  std::unique_ptr<TkivBitmap> Work;
  TkivProcItem* Item = nullptr;
  bool BitmapAnimation = false;
  // What the frames of the animation carry from one to the next.
  TkivFrameScratch Scratch;
  TkivFrameCanvas* Canvas = nullptr;
  int X = 0, Y = 0;
};

// Slot table access (index 0..200).
TkivAnimationSlot& AnimationSlot(int index);

// The engine's timer; replacing it (tests drive a manual timer) keeps its
// enabled state.
TkivEngineTimer& AnimationTimer();
void SetAnimationTimer(std::unique_ptr<TkivEngineTimer> timer);

int ReserveAnimationSlot();
void ReleaseAnimationSlot(int index);
int StartAnimation(TkivFrameCanvas* canvas, int x, int y, int index, const TkivAnimationRec& rec,
                   TkivBitmap* target, const TkivBitmap* source);
void StopAnimation(int index);
bool IsAnimating(int index);
void PlayAnimation(TkivFrameCanvas* canvas, int x, int y, const TkivAnimationRec& rec,
                   TkivBitmap* target, const TkivBitmap* source);

// One timer event: steps every active slot in index order.
void AnimationTick();
// One slot's step: advance 20 ms, compose and draw a frame, stop at 100 %.
void StepAnimation(int index);

// Progress of a slot at elapsed milliseconds for a duration (0..100).
uint8_t AnimationProgress(float elapsed, int time);

// Composes the frame of progress p into work, which holds whatever the
// previous frame left (the step draws source into it first).
void ComposeFrame(TkivAnimationSlot& slot, uint8_t progress);

// A stopwatch on the high-resolution counter.
class TkivTimer {
 public:
  TkivTimer();
  void Start();
  float ElapsedSeconds();

  int64_t StartCount = 0, StopCount = 0, Frequency = 0, Overhead = 0;
};

}  // namespace kiv
