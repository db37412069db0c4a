#pragma once
// The settings of one transition: which effect, how long, at which grid
// resolution, repeated how often, rotated how, and the pattern picture of the
// bitmap animation. A component with published properties, so that forms
// store it.
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "effects/catalogue.hpp"
#include "framework/classes.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

enum TkivRotation : uint8_t { qrNone = 0, qrRotate90 = 1, qrRotate180 = 2, qrRotate270 = 3 };
inline constexpr std::array<std::string_view, 4> kRotationNames{"qrNone", "qrRotate90",
                                                                "qrRotate180", "qrRotate270"};
static_assert(kRotationNames.size() == qrRotate270 + 1);

// The picture type of the record's pattern. The pattern is only ever read
// as pixels, so the library's own 32-bit surface serves in both builds.
using TkivPatternBitmap = TkivBitmap;

class TkivAnimationRec : public TComponent {
  KIV_CLASS(TkivAnimationRec, TComponent)
 public:
  explicit TkivAnimationRec(TComponent* owner = nullptr);
  ~TkivAnimationRec() override;

  // From another record: the pattern picture and the six other fields as
  // stored (no clamping). Anything else: the framework's assignment.
  void Assign(const TPersistent* source) override;
  // The pattern picture is stored as binary data ("Bitmap").
  void DefineProperties(TFiler& filer) override;

  // The pattern of the bitmap animation, owned by the record; assigning
  // copies the picture (nullptr or an empty picture empties it).
  TkivPatternBitmap* Bitmap() const { return bitmap_.get(); }
  void SetBitmap(const TkivPatternBitmap* picture);

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
  std::unique_ptr<TkivPatternBitmap> bitmap_;
  std::string effect_;
  bool enabled_ = false;
  int resolution_ = 1;
  TkivRotation rotation_ = qrNone;
  int tile_count_ = 1;
  int time_ = 400;
};

}  // namespace kiv
