#pragma once
// When an animated picture shows which frame. The frames play in order, each
// for its own delay; the whole sequence plays `plays` times (0: for ever) and
// then the last frame stays. A timer-driven picture asks FrameAt(now) to paint
// and NextChange(now) to set its next timer.
#include <cstdint>
#include <vector>

namespace kiv {

struct TDecodedPicture;

class TAnimationTimeline {
 public:
  TAnimationTimeline() = default;
  // delays_ms: one per frame, each at least 1 (smaller values count as 1);
  // plays: 0 repeats for ever, N plays the sequence N times in all.
  TAnimationTimeline(std::vector<int> delays_ms, int plays);
  // The viewer's rules applied to a decoded picture.
  static TAnimationTimeline ForPicture(const TDecodedPicture& picture);

  int FrameCount() const { return static_cast<int>(starts_.size()); }
  // Duration of one pass through all frames, in milliseconds.
  int64_t CycleMs() const { return cycle_ms_; }
  // Total playing time in milliseconds; -1 when it plays for ever; 0 for a
  // still picture.
  int64_t DurationMs() const;
  // The frame shown at `t_ms` milliseconds after playback started (t < 0 counts as 0).
  int FrameAt(int64_t t_ms) const;
  // The first time after `t_ms` at which the shown frame changes; -1 when it
  // never changes again.
  int64_t NextChange(int64_t t_ms) const;
  // True once the last pass has ended: never for an endless animation, at once
  // for a still picture (it has nothing to play).
  bool EndedAt(int64_t t_ms) const;

 private:
  std::vector<int64_t> starts_;  // start of each frame within a pass
  int64_t cycle_ms_ = 0;
  int plays_ = 1;
};

}  // namespace kiv
