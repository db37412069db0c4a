#pragma once
// The effect controls: the push button, check box and radio button whose
// change between their normal and hot looks, as the mouse pointer enters and
// leaves them, is played as a transition effect on the animation engine, and
// which can play sounds on entering, leaving and clicking.
//
// TKivEffectControl<Base> holds what the three share over their themed base
// class: the options, the sound settings, the two faces the effect runs
// between and the animation slot. A control animates only while it holds a
// slot of its own: it reserves one when created and, failing that, before
// each effect; without one the look changes at once. Destroying a control
// stops its effect before its faces go and releases only the slot it holds.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "controls/kiv_anim_options.hpp"
#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_check_win32.hpp"
#include "controls/kiv_wave_list.hpp"
#include "framework/class_builder.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

class TkivFrameCanvas;

template <class Base>
class TKivEffectControl : public Base {
 public:
  explicit TKivEffectControl(TComponent* owner);
  // Stops the effect and releases the slot before the faces are freed.
  ~TKivEffectControl() override;

  // The slot this control holds, -1 when none.
  int AnimationSlot() const { return animation_slot_; }
  // The looks before and after the last change: the running effect's source
  // and target.
  TkivBitmap* OldFace() const { return old_face_.get(); }
  TkivBitmap* NewFace() const { return new_face_.get(); }

  // The control's own effect settings; assigning copies.
  TKivAdvancedAnimation* Animation() const { return animation_.get(); }
  void SetAnimation(TKivAdvancedAnimation* value) { animation_->Assign(value); }

  TKivExtraSoundOptions SoundOptions() const { return sound_options_; }
  void SetSoundOptions(TKivExtraSoundOptions value) { sound_options_ = value; }
  // Waves of WaveList for clicks, entering and leaving: count - 1 at most,
  // -1 without a list or waves. A form stream resolves WaveList only after
  // every property is read, so the indexes read are kept as they stand and
  // checked in Loaded.
  int WaveClickIndex() const { return wave_click_index_; }
  void SetWaveClickIndex(int value) { wave_click_index_ = CheckedWaveIndex(value); }
  int WaveInIndex() const { return wave_in_index_; }
  void SetWaveInIndex(int value) { wave_in_index_ = CheckedWaveIndex(value); }
  int WaveOutIndex() const { return wave_out_index_; }
  void SetWaveOutIndex(int value) { wave_out_index_ = CheckedWaveIndex(value); }
  TKivExtraWaveList* WaveList() const { return wave_list_; }
  // No list also clears the enter and leave indexes.
  void SetWaveList(TKivExtraWaveList* value);

  // Informational, not stored; writing it does nothing.
  std::string Version_Extra() const { return "2.0.6"; }
  void SetVersion_Extra(const std::string&) {}

  // The options in force: GlobalAnimation while UseGlobalAnimation is set.
  TKivAdvancedAnimation& Options() const;
  // An effect of this control is running.
  bool Animating() const;

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  // The control's kind in SoundingControls: 0 push buttons, 2 check boxes
  // and radio buttons.
  virtual uint8_t SoundingKind() const = 0;
  // Enter and click sounds go through the global settings: UseGlobalSounds,
  // esoIgnoreGlobalOptions not set, and the control's kind sounding.
  bool GlobalSoundsApply() const;
  // The click sound, when the global settings apply.
  void PlayClickSound();
  // Effects are enabled (design time and the control's Enabled aside).
  bool AnimationEnabled() const;
  // Stops this control's running effect, if any.
  void StopEffect();

  void MouseEnter() override;
  void MouseLeave() override;
  // The check box and radio button press and release their own way: a left
  // press stops a running effect, captures the mouse and shows the pressed
  // look without taking the focus (the base's press handling is not run);
  // the click sound plays on the release, before the control acts on it.
  // The push button keeps its own press and plays its sound in Click.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  static constexpr bool kCheckControl = std::is_base_of_v<TKivCheckControl, Base>;
  int CheckedWaveIndex(int value) const;
  // Animation enabled for this control now, with a slot held (one is
  // reserved if it has none).
  bool WillAnimate();
  // Runs the effect from the look of the present state to the look of hot.
  void PlayChange(bool hot, const std::string& effect);
  // Paints the control's client look into face, sized like the control.
  void PaintFace(std::unique_ptr<TkivBitmap>& face);

  int animation_slot_ = -1;
  std::unique_ptr<TkivBitmap> old_face_;
  std::unique_ptr<TkivBitmap> new_face_;
  std::unique_ptr<TKivEffectAnimation> animation_;
  std::unique_ptr<TkivFrameCanvas> frames_;
  TKivExtraSoundOptions sound_options_;
  int wave_click_index_ = -1;
  int wave_in_index_ = -1;
  int wave_out_index_ = -1;
  TKivExtraWaveList* wave_list_ = nullptr;
};

extern template class TKivEffectControl<TKivButton>;
extern template class TKivEffectControl<TKivCheckBox>;
extern template class TKivEffectControl<TKivRadioButton>;

// The published properties the three add, in their order.
template <class T>
void DescribeEffectControl(TClassBuilder<T>& c) {
  c.Object("Animation", &T::Animation, &T::SetAnimation);
  c.Set("SoundOptions", &T::SoundOptions, &T::SetSoundOptions, kExtraSoundOptionNames);
  c.Integer("WaveClickIndex", &T::WaveClickIndex, &T::SetWaveClickIndex).Default(-1);
  c.Integer("WaveInIndex", &T::WaveInIndex, &T::SetWaveInIndex).Default(-1);
  c.Integer("WaveOutIndex", &T::WaveOutIndex, &T::SetWaveOutIndex).Default(-1);
  c.Component("WaveList", &T::WaveList, &T::SetWaveList);
  c.String("Version_Extra", &T::Version_Extra, &T::SetVersion_Extra).Stored(false);
}

// The push button with effects; its click sound plays before the click.
class TKivEffectButton : public TKivEffectControl<TKivButton> {
  KIV_CLASS(TKivEffectButton, TKivButton)
 public:
  explicit TKivEffectButton(TComponent* owner);
  void Click() override;

 protected:
  uint8_t SoundingKind() const override { return kSoundingPushButton; }
};

// The check box with effects.
class TKivEffectCheckBox : public TKivEffectControl<TKivCheckBox> {
  KIV_CLASS(TKivEffectCheckBox, TKivCheckBox)
 public:
  explicit TKivEffectCheckBox(TComponent* owner);

 protected:
  uint8_t SoundingKind() const override { return kSoundingCheckBox; }
};

// The radio button with effects.
class TKivEffectRadioButton : public TKivEffectControl<TKivRadioButton> {
  KIV_CLASS(TKivEffectRadioButton, TKivRadioButton)
 public:
  explicit TKivEffectRadioButton(TComponent* owner);

 protected:
  uint8_t SoundingKind() const override { return kSoundingCheckBox; }
};

}  // namespace kiv
