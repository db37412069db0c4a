#include "controls/kiv_anim_options.hpp"

#include "framework/filer.hpp"
#include "framework/streams.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivExtAnimation, c) {
  c.Enum("Direction", &TKivExtAnimation::Direction, &TKivExtAnimation::SetDirection,
         kDirectionNames)
      .Default(qdNone);
  c.Boolean("Enabled", &TKivExtAnimation::Enabled, &TKivExtAnimation::SetEnabled).Default(false);
  c.Integer("Resolution", &TKivExtAnimation::Resolution, &TKivExtAnimation::SetResolution)
      .Default(1);
  c.Integer("TileCount", &TKivExtAnimation::TileCount, &TKivExtAnimation::SetTileCount).Default(1);
  // Through the virtual setter: the advanced options keep their own limit.
  c.Integer("Time", &TKivExtAnimation::Time, &TKivExtAnimation::SetTime).Default(400);
}

KIV_IMPLEMENT_CLASS(TKivAdvancedAnimation, c) {
  // Strings have no stored default: both names are always written.
  c.String("EffectMouseEnter", &TKivAdvancedAnimation::EffectMouseEnter,
           &TKivAdvancedAnimation::SetEffectMouseEnter);
  c.String("EffectMouseLeave", &TKivAdvancedAnimation::EffectMouseLeave,
           &TKivAdvancedAnimation::SetEffectMouseLeave);
}

KIV_IMPLEMENT_CLASS(TKivEffectAnimation, c) {
  c.Boolean("Enabled", &TKivExtAnimation::Enabled, &TKivExtAnimation::SetEnabled).Default(true);
  c.Integer("Resolution", &TKivExtAnimation::Resolution, &TKivExtAnimation::SetResolution)
      .Default(10);
}

TKivExtAnimation::TKivExtAnimation() : rec_(std::make_unique<TkivAnimationRec>()) {}

TKivExtAnimation::~TKivExtAnimation() = default;

void TKivExtAnimation::Assign(const TPersistent* source) {
  if (source == nullptr || !source->Is<TKivExtAnimation>()) {
    TPersistent::Assign(source);
    return;
  }
  rec_->Assign(static_cast<const TKivExtAnimation*>(source)->rec_.get());
}

TKivDirection TKivExtAnimation::Direction() const {
  switch (rec_->Rotation()) {
    case qrRotate90:
      return qdRotate90;
    case qrRotate180:
      return qdRotate180;
    case qrRotate270:
      return qdRotate270;
    default:
      return qdNone;
  }
}

void TKivExtAnimation::SetDirection(TKivDirection value) {
  switch (value) {
    case qdRotate90:
      rec_->SetRotation(qrRotate90);
      break;
    case qdRotate180:
      rec_->SetRotation(qrRotate180);
      break;
    case qdRotate270:
      rec_->SetRotation(qrRotate270);
      break;
    default:
      rec_->SetRotation(qrNone);
      break;
  }
}

TKivAdvancedAnimation::TKivAdvancedAnimation() = default;

TKivEffectAnimation::TKivEffectAnimation() {
  SetResolution(10);
  SetEffect(kFadeEffectName);
  SetEnabled(true);
}

void TKivAdvancedAnimation::Assign(const TPersistent* source) {
  TKivExtAnimation::Assign(source);  // the record, pattern picture included
  if (const auto* from = dynamic_cast<const TKivAdvancedAnimation*>(source)) {
    effect_enter_ = from->effect_enter_;
    effect_leave_ = from->effect_leave_;
  }
}

void TKivAdvancedAnimation::DefineProperties(TFiler& filer) {
  TKivExtAnimation::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Bitmap", [this](TStream& s) { Bitmap()->LoadFromStream(s); },
      [this](TStream& s) { Bitmap()->SaveToStream(s); }, !Bitmap()->IsEmpty());
}

void TKivAdvancedAnimation::SetTime(int value) {
  TKivExtAnimation::SetTime(value);
  if (Time() > 3000) TKivExtAnimation::SetTime(3000);
}

bool UseGlobalAnimation = false;

TKivAdvancedAnimation& GlobalAnimation() {
  static TKivAdvancedAnimation options;
  return options;
}

namespace {
// The unit's start-up makes the global options before the program runs.
struct AnimOptionsStartup {
  AnimOptionsStartup() { GlobalAnimation(); }
} g_anim_options_startup;
}  // namespace

}  // namespace kiv
