#include "framework/picture/animation_timeline.hpp"

#include <algorithm>

#include "framework/picture/picture.hpp"

namespace kiv {

TAnimationTimeline::TAnimationTimeline(std::vector<int> delays_ms, int plays)
    : plays_(plays < 0 ? 0 : plays) {
  starts_.reserve(delays_ms.size());
  for (int d : delays_ms) {
    starts_.push_back(cycle_ms_);
    cycle_ms_ += std::max(d, 1);
  }
}

TAnimationTimeline TAnimationTimeline::ForPicture(const TDecodedPicture& picture) {
  std::vector<int> delays;
  delays.reserve(picture.Frames.size());
  for (const TPictureFrame& f : picture.Frames) delays.push_back(f.DelayMs);
  return TAnimationTimeline(std::move(delays), picture.Plays());
}

int64_t TAnimationTimeline::DurationMs() const {
  if (FrameCount() <= 1) return 0;
  if (plays_ == 0) return -1;
  return cycle_ms_ * plays_;
}

bool TAnimationTimeline::EndedAt(int64_t t_ms) const {
  int64_t total = DurationMs();
  return total >= 0 && t_ms >= total;
}

int TAnimationTimeline::FrameAt(int64_t t_ms) const {
  if (FrameCount() <= 1) return 0;
  if (t_ms < 0) t_ms = 0;
  if (EndedAt(t_ms)) return FrameCount() - 1;
  int64_t in_cycle = t_ms % cycle_ms_;
  auto it = std::upper_bound(starts_.begin(), starts_.end(), in_cycle);
  return static_cast<int>(it - starts_.begin()) - 1;
}

int64_t TAnimationTimeline::NextChange(int64_t t_ms) const {
  if (FrameCount() <= 1) return -1;
  if (t_ms < 0) t_ms = 0;
  if (EndedAt(t_ms)) return -1;
  int64_t cycle_start = t_ms - t_ms % cycle_ms_;
  int frame = FrameAt(t_ms);
  int64_t next =
      frame + 1 < FrameCount() ? cycle_start + starts_[frame + 1] : cycle_start + cycle_ms_;
  // The end of the last pass is no change: the last frame simply stays.
  int64_t total = DurationMs();
  if (total >= 0 && next >= total) return -1;
  return next;
}

}  // namespace kiv
