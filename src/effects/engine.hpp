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
#include "effects/frame_surface.hpp"

namespace kiv {

// Where the frames of a slot appear.
class TkivFrameCanvas {
 public:
  virtual ~TkivFrameCanvas() = default;
  virtual void DrawFrame(const TkivFrameSurface& frame, int x, int y) = 0;
};

// A canvas that is itself a surface (frames are copied into it).
class TkivSurfaceCanvas : public TkivFrameCanvas {
 public:
  explicit TkivSurfaceCanvas(TkivFrameSurface& surface) : surface_(surface) {}
  void DrawFrame(const TkivFrameSurface& frame, int x, int y) override;

 private:
  TkivFrameSurface& surface_;
};

// The timer that drives AnimationTick every 20 milliseconds while enabled.
class TkivEngineTimer {
 public:
  virtual ~TkivEngineTimer() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // Processes pending events once, waiting for one if needed; the timer's
  // events arrive through it (PlayAnimation loops on it).
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

// The platform's 20-millisecond timer (a window timer on Win32, the manual
// timer elsewhere).
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
  TkivFrameSurface* Target = nullptr;
  const TkivFrameSurface* Source = nullptr;
  std::unique_ptr<TkivFrameSurface> Work;
  TkivProcItem* Item = nullptr;
  bool BitmapAnimation = false;
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
                   TkivFrameSurface* target, const TkivFrameSurface* source);
void StopAnimation(int index);
bool IsAnimating(int index);
void PlayAnimation(TkivFrameCanvas* canvas, int x, int y, const TkivAnimationRec& rec,
                   TkivFrameSurface* target, const TkivFrameSurface* source);

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
