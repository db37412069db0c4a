#pragma once
// The effect controls' animation options: TKivExtAnimation publishes the
// fields of an animation record; TKivAdvancedAnimation adds the effects played
// when the pointer enters and leaves a control, the pattern picture, and a
// shorter longest time. GlobalAnimation stands in for every control's own
// options while UseGlobalAnimation is set.
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "effects/animation_rec.hpp"
#include "framework/classes.hpp"

namespace kiv {

// The effect the effect controls play both ways unless told otherwise.
inline constexpr const char* kFadeEffectName = "[ FADE ] - Fade";

enum TKivDirection : uint8_t { qdNone, qdNoRotate, qdRotate90, qdRotate180, qdRotate270 };
inline constexpr std::array<std::string_view, 5> kDirectionNames{
    "qdNone", "qdNoRotate", "qdRotate90", "qdRotate180", "qdRotate270"};
static_assert(kDirectionNames.size() == qdRotate270 + 1);

class TKivExtAnimation : public TPersistent {
  KIV_CLASS(TKivExtAnimation, TPersistent)
 public:
  TKivExtAnimation();
  ~TKivExtAnimation() override;
  TKivExtAnimation(const TKivExtAnimation&) = delete;
  TKivExtAnimation& operator=(const TKivExtAnimation&) = delete;

  // From another TKivExtAnimation: its record. Anything else: the
  // framework's assignment error.
  void Assign(const TPersistent* source) override;

  // The record the options stand for, owned; what the engine is given.
  TkivAnimationRec* AnimationRec() const { return rec_.get(); }
  // The record's Effect (not published: the controls set it per event).
  void SetEffect(const std::string& name) { rec_->SetEffect(name); }

  // The record's Rotation: qdNone and qdNoRotate both mean no rotation,
  // which reads back as qdNone.
  TKivDirection Direction() const;
  void SetDirection(TKivDirection value);
  bool Enabled() const { return rec_->Enabled(); }
  void SetEnabled(bool value) { rec_->SetEnabled(value); }
  int Resolution() const { return rec_->Resolution(); }
  void SetResolution(int value) { rec_->SetResolution(value); }
  int TileCount() const { return rec_->TileCount(); }
  void SetTileCount(int value) { rec_->SetTileCount(value); }
  int Time() const { return rec_->Time(); }
  // Milliseconds, kept within the record's 50..9000.
  virtual void SetTime(int value) { rec_->SetTime(value); }

 private:
  std::unique_ptr<TkivAnimationRec> rec_;
};

class TKivAdvancedAnimation : public TKivExtAnimation {
  KIV_CLASS(TKivAdvancedAnimation, TKivExtAnimation)
 public:
  // Both effect names "[ FADE ] - Fade".
  TKivAdvancedAnimation();

  // From another TKivAdvancedAnimation: the record, both effect names and
  // the pattern picture; from a TKivExtAnimation: its record.
  void Assign(const TPersistent* source) override;
  // The pattern picture is stored as binary data ("Bitmap").
  void DefineProperties(TFiler& filer) override;

  const std::string& EffectMouseEnter() const { return effect_enter_; }
  void SetEffectMouseEnter(const std::string& value) { effect_enter_ = value; }
  const std::string& EffectMouseLeave() const { return effect_leave_; }
  void SetEffectMouseLeave(const std::string& value) { effect_leave_ = value; }
  // The record's pattern picture; assigning copies it.
  TkivPatternBitmap* Bitmap() const { return AnimationRec()->Bitmap(); }
  void SetBitmap(const TkivPatternBitmap* value) { AnimationRec()->SetBitmap(value); }

  // The record's Time, then kept within 50..3000 milliseconds.
  void SetTime(int value) override;

 private:
  std::string effect_enter_ = kFadeEffectName;
  std::string effect_leave_ = kFadeEffectName;
};

// The options an effect control owns: a TKivAdvancedAnimation made enabled,
// with resolution 10 and the fade as the record's effect. Its declared
// defaults are those values, so a form stream keeps a control's options as
// they were set: against the base class's defaults (disabled, resolution 1)
// a control with animation switched off would store nothing and come back
// enabled.
class TKivEffectAnimation : public TKivAdvancedAnimation {
  KIV_CLASS(TKivEffectAnimation, TKivAdvancedAnimation)
 public:
  TKivEffectAnimation();
};

// While set, every effect control animates with GlobalAnimation() instead of
// its own options. False when the program starts.
extern bool UseGlobalAnimation;
// The process-wide options, made when the unit starts and freed when it ends.
TKivAdvancedAnimation& GlobalAnimation();

}  // namespace kiv
