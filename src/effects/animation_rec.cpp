#include "effects/animation_rec.hpp"

#include <algorithm>
#include <cstring>

namespace kiv {

namespace {
int Clamp(int value, int low, int high) {
  return value <= low ? low : value > high ? high : value;
}

void CopySurface(const TkivFrameSurface& from, TkivFrameSurface& to) {
  if (from.IsEmpty()) {
    to = TkivFrameSurface();
    return;
  }
  to.SetSize(from.Width(), from.Height());
  std::memcpy(to.Bits(), from.Bits(),
              static_cast<size_t>(from.Width()) * from.Height() * sizeof(TkivPixel));
  to.AlphaBlend = from.AlphaBlend;
  to.Transparent = from.Transparent;
}
}  // namespace

void TkivAnimationRec::Assign(const TkivAnimationRec& source) {
  if (&source == this) return;
  CopySurface(source.bitmap_, bitmap_);
  effect_ = source.effect_;
  enabled_ = source.enabled_;
  resolution_ = source.resolution_;
  rotation_ = source.rotation_;
  tile_count_ = source.tile_count_;
  time_ = source.time_;
}

void TkivAnimationRec::SetBitmap(const TkivFrameSurface& picture) {
  CopySurface(picture, bitmap_);
}

void TkivAnimationRec::SetResolution(int value) {
  if (value != resolution_) resolution_ = Clamp(value, 1, 10);
}
void TkivAnimationRec::SetTileCount(int value) {
  if (value != tile_count_) tile_count_ = Clamp(value, 1, 20);
}
void TkivAnimationRec::SetTime(int value) {
  if (value != time_) time_ = Clamp(value, 50, 9000);
}

}  // namespace kiv
