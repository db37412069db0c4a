#pragma once
// The settings of one transition: which effect, how long, at which grid
// resolution, repeated how often, rotated how, and the pattern picture of the
// bitmap animation.
#include <string>

#include "effects/catalogue.hpp"
#include "effects/frame_surface.hpp"

namespace kiv {

enum TkivRotation : uint8_t { qrNone = 0, qrRotate90 = 1, qrRotate180 = 2, qrRotate270 = 3 };

class TkivAnimationRec {
 public:
  TkivAnimationRec() = default;
  TkivAnimationRec(const TkivAnimationRec&) = delete;
  TkivAnimationRec& operator=(const TkivAnimationRec&) = delete;

  // Copies the pattern picture and the other six fields as stored.
  void Assign(const TkivAnimationRec& source);

  // The pattern of the bitmap animation; assigning copies the picture.
  const TkivFrameSurface& Bitmap() const { return bitmap_; }
  void SetBitmap(const TkivFrameSurface& picture);

  const std::string& Effect() const { return effect_; }
  void SetEffect(const std::string& value) { effect_ = value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  // 1..10 pixels per mask cell.
  int Resolution() const { return resolution_; }
  void SetResolution(int value);
  TkivRotation Rotation() const { return rotation_; }
  void SetRotation(TkivRotation value) { rotation_ = value; }
  // 1..20 repetitions of the mask in each direction.
  int TileCount() const { return tile_count_; }
  void SetTileCount(int value);
  // 50..9000 milliseconds.
  int Time() const { return time_; }
  void SetTime(int value);

 private:
  TkivFrameSurface bitmap_;
  std::string effect_ = kRandomEffectName;
  bool enabled_ = false;
  int resolution_ = 1;
  TkivRotation rotation_ = qrNone;
  int tile_count_ = 1;
  int time_ = 400;
};

}  // namespace kiv
