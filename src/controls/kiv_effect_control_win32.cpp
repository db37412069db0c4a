// What the effect controls share: the slot and the two faces, the effect
// played as the pointer enters and leaves, the enter and leave sounds, the
// wave settings, and the check box's and radio button's press and release.
#include "controls/kiv_effect_controls_win32.hpp"

#include "effects/engine.hpp"
#include "effects/frame_canvas.hpp"

namespace kiv {

namespace {

// Frames go to the control's window as it is when each frame is drawn; a
// control without a window takes none.
class TControlFrames : public TkivFrameCanvas {
 public:
  explicit TControlFrames(TCustomControl& control) : control_(control) {}
  TkivDC FrameDC() override {
    return control_.HandleAllocated() ? control_.Canvas()->Handle() : nullptr;
  }
  // A window's device context takes an opaque frame with one block transfer
  // (what the surface's drawing route ends in for such a context, without
  // first working out what kind of context it is).
  void DrawFrame(const TkivBitmap& frame, int x, int y) override {
    HDC dc = static_cast<HDC>(FrameDC());
    if (!dc) return;
    if (frame.Transparent() || frame.AlphaBlend() || frame.IsEmpty()) {
      frame.Draw(dc, x, y);
      return;
    }
    BitBlt(dc, x, y, frame.Width(), frame.Height(), static_cast<HDC>(frame.DC()), 0, 0, SRCCOPY);
  }

 private:
  TCustomControl& control_;
};

}  // namespace

template <class Base>
TKivEffectControl<Base>::TKivEffectControl(TComponent* owner)
    : Base(owner),
      old_face_(std::make_unique<TkivBitmap>()),
      new_face_(std::make_unique<TkivBitmap>()),
      animation_(std::make_unique<TKivEffectAnimation>()),
      frames_(std::make_unique<TControlFrames>(*this)) {
  animation_slot_ = ReserveAnimationSlot();
}

template <class Base>
TKivEffectControl<Base>::~TKivEffectControl() {
  StopEffect();
  if (animation_slot_ >= 0) ReleaseAnimationSlot(animation_slot_);
  animation_slot_ = -1;
}

template <class Base>
TKivAdvancedAnimation& TKivEffectControl<Base>::Options() const {
  return UseGlobalAnimation ? GlobalAnimation() : *animation_;
}

template <class Base>
bool TKivEffectControl<Base>::Animating() const {
  return animation_slot_ >= 0 && IsAnimating(animation_slot_);
}

template <class Base>
bool TKivEffectControl<Base>::AnimationEnabled() const {
  return Options().Enabled();
}

template <class Base>
void TKivEffectControl<Base>::StopEffect() {
  if (animation_slot_ >= 0) StopAnimation(animation_slot_);
}

template <class Base>
bool TKivEffectControl<Base>::WillAnimate() {
  if (this->ComponentState().Contains(csDesigning) || !this->Enabled() || !AnimationEnabled())
    return false;
  if (animation_slot_ < 0) animation_slot_ = ReserveAnimationSlot();
  return animation_slot_ >= 0;
}

template <class Base>
bool TKivEffectControl<Base>::GlobalSoundsApply() const {
  return UseGlobalSounds && !sound_options_.Contains(esoIgnoreGlobalOptions) &&
         SoundingControls.Contains(SoundingKind());
}

template <class Base>
void TKivEffectControl<Base>::PlayClickSound() {
  if (GlobalSoundsApply()) PlayClickWave(wave_list_, wave_click_index_, true);
}

template <class Base>
void TKivEffectControl<Base>::MouseEnter() {
  const bool animate = WillAnimate();
  if (GlobalSoundsApply()) PlayEnterWave(wave_list_, wave_in_index_, true);
  if (!animate) {
    // An effect still running would draw the other look over this one.
    StopEffect();
    Base::MouseEnter();
    return;
  }
  if (this->OnMouseEnter) this->OnMouseEnter(this);
  PlayChange(true, Options().EffectMouseEnter());
}

template <class Base>
void TKivEffectControl<Base>::MouseLeave() {
  const bool animate = WillAnimate();
  PlayLeaveWave(wave_list_, wave_out_index_, !sound_options_.Contains(esoIgnoreGlobalOptions));
  if (!animate) {
    StopEffect();
    Base::MouseLeave();
    return;
  }
  if (this->OnMouseLeave) this->OnMouseLeave(this);
  PlayChange(false, Options().EffectMouseLeave());
}

template <class Base>
void TKivEffectControl<Base>::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if constexpr (kCheckControl) {
    TKivControl::MouseDown(button, shift, x, y);  // OnMouseDown
    if (button != mbLeft) return;
    if (AnimationEnabled()) StopEffect();
    this->SetMouseCapture(true);
    this->SetPressed(true);
    this->Invalidate();
  } else {
    Base::MouseDown(button, shift, x, y);
  }
}

template <class Base>
void TKivEffectControl<Base>::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if constexpr (kCheckControl) PlayClickSound();
  Base::MouseUp(button, shift, x, y);
}

// The running effect stops where it is; the new one starts from the complete
// look of the present state, not from the frame on screen. No repaint is
// asked for: the engine's first frame follows within one tick. When the
// engine starts nothing (an effect name it does not know, a control of no
// size) the new look is painted the ordinary way instead of never.
template <class Base>
void TKivEffectControl<Base>::PlayChange(bool hot, const std::string& effect) {
  StopEffect();
  PaintFace(old_face_);
  this->SetHot(hot);
  PaintFace(new_face_);
  TKivAdvancedAnimation& options = Options();
  options.SetEffect(effect);
  StartAnimation(frames_.get(), 0, 0, animation_slot_, *options.AnimationRec(), new_face_.get(),
                 old_face_.get());
  if (!IsAnimating(animation_slot_)) this->Invalidate();
}

template <class Base>
void TKivEffectControl<Base>::PaintFace(std::unique_ptr<TkivBitmap>& face) {
  const int width = this->Width(), height = this->Height();
  if (width <= 0 || height <= 0) {
    face = std::make_unique<TkivBitmap>();  // empty: the engine starts nothing
    return;
  }
  face->SetSize(width, height);
  face->SetTransparent(false);
  TCanvas* canvas = this->Canvas();
  HDC previous = canvas->HandleAllocated() ? canvas->Handle() : nullptr;
  HDC dc = static_cast<HDC>(face->DC());
  const int saved = SaveDC(dc);
  canvas->Lock();
  canvas->SetHandle(dc);
  auto restore = [&] {
    canvas->SetHandle(previous);
    canvas->Unlock();
    RestoreDC(dc, saved);
  };
  try {
    this->PaintFont()->Assign(this->Font());
    this->PaintClient();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  GdiFlush();
}

template <class Base>
int TKivEffectControl<Base>::CheckedWaveIndex(int value) const {
  return this->Loading() ? value : ClampWaveIndex(wave_list_, value);
}

template <class Base>
void TKivEffectControl<Base>::SetWaveList(TKivExtraWaveList* value) {
  if (value != wave_list_) {
    if (wave_list_) wave_list_->RemoveFreeNotification(this);
    wave_list_ = value;
    if (wave_list_) wave_list_->FreeNotification(this);
  }
  if (!value) {
    wave_in_index_ = -1;
    wave_out_index_ = -1;
  }
}

template <class Base>
void TKivEffectControl<Base>::Loaded() {
  Base::Loaded();
  wave_click_index_ = ClampWaveIndex(wave_list_, wave_click_index_);
  wave_in_index_ = ClampWaveIndex(wave_list_, wave_in_index_);
  wave_out_index_ = ClampWaveIndex(wave_list_, wave_out_index_);
}

template <class Base>
void TKivEffectControl<Base>::Notification(TComponent* component, TOperation operation) {
  Base::Notification(component, operation);
  if (operation == opRemove && component == wave_list_) SetWaveList(nullptr);
}

template class TKivEffectControl<TKivButton>;
template class TKivEffectControl<TKivCheckBox>;
template class TKivEffectControl<TKivRadioButton>;

}  // namespace kiv
