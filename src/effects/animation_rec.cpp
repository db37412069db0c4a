#include "effects/animation_rec.hpp"

#include <cstring>

#include "framework/filer.hpp"
#include "framework/streams.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TkivAnimationRec, c) {
  // Effect has no stored default: the constructor's value is written too.
  c.String("Effect", &TkivAnimationRec::Effect, &TkivAnimationRec::SetEffect);
  c.Boolean("Enabled", &TkivAnimationRec::Enabled, &TkivAnimationRec::SetEnabled).Default(false);
  c.Integer("Resolution", &TkivAnimationRec::Resolution, &TkivAnimationRec::SetResolution)
      .Default(1);
  c.Enum("Rotation", &TkivAnimationRec::Rotation, &TkivAnimationRec::SetRotation, kRotationNames)
      .Default(qrNone);
  c.Integer("TileCount", &TkivAnimationRec::TileCount, &TkivAnimationRec::SetTileCount).Default(1);
  c.Integer("Time", &TkivAnimationRec::Time, &TkivAnimationRec::SetTime).Default(400);
}

namespace {
int Clamp(int value, int low, int high) {
  return value <= low ? low : value > high ? high : value;
}

void CopyPicture(const TkivPatternBitmap* from, std::unique_ptr<TkivPatternBitmap>& to) {
  if (from == to.get()) return;
  // A fresh surface: an empty picture leaves the record's pattern empty too
  // (a surface keeps its size when assigned an empty one).
  auto copy = std::make_unique<TkivPatternBitmap>();
  if (from != nullptr && !from->IsEmpty()) copy->Assign(from);
  to = std::move(copy);
}
}  // namespace

TkivAnimationRec::TkivAnimationRec(TComponent* owner)
    : TComponent(owner),
      bitmap_(std::make_unique<TkivPatternBitmap>()),
      effect_(kRandomEffectName) {}

TkivAnimationRec::~TkivAnimationRec() = default;

void TkivAnimationRec::Assign(const TPersistent* source) {
  if (source == nullptr || !source->Is<TkivAnimationRec>()) {
    TComponent::Assign(source);
    return;
  }
  const auto& from = static_cast<const TkivAnimationRec&>(*source);
  if (&from == this) return;
  CopyPicture(from.bitmap_.get(), bitmap_);
  effect_ = from.effect_;
  enabled_ = from.enabled_;
  resolution_ = from.resolution_;
  rotation_ = from.rotation_;
  tile_count_ = from.tile_count_;
  time_ = from.time_;
}

void TkivAnimationRec::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Bitmap", [this](TStream& s) { bitmap_->LoadFromStream(s); },
      [this](TStream& s) { bitmap_->SaveToStream(s); }, !bitmap_->IsEmpty());
}

void TkivAnimationRec::SetBitmap(const TkivPatternBitmap* picture) {
  CopyPicture(picture, bitmap_);
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
