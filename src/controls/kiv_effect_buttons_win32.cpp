// The three effect controls: their published properties, the click sound,
// and the press and release of the check box and radio button.
#include "controls/kiv_effect_controls_win32.hpp"
#include "framework/class_builder.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivEffectButton, c) {
  DescribeEffectControl(c);
}

TKivEffectButton::TKivEffectButton(TComponent* owner) : TKivEffectControl<TKivButton>(owner) {}

void TKivEffectButton::Click() {
  PlayClickSound();
  TKivButton::Click();
}

KIV_IMPLEMENT_CLASS(TKivEffectCheckBox, c) {
  DescribeEffectControl(c);
}

TKivEffectCheckBox::TKivEffectCheckBox(TComponent* owner)
    : TKivEffectControl<TKivCheckBox>(owner) {}

// The own press: OnMouseDown, and for the left button the effect stopped,
// the mouse captured and the pressed look shown; the base's press handling
// (which would also take the focus) is not run.
void TKivEffectCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (AnimationEnabled()) StopEffect();
  SetMouseCapture(true);
  SetPressed(true);
  Invalidate();
}

void TKivEffectCheckBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  PlayClickSound();
  TKivCheckBox::MouseUp(button, shift, x, y);
}

KIV_IMPLEMENT_CLASS(TKivEffectRadioButton, c) {
  DescribeEffectControl(c);
}

TKivEffectRadioButton::TKivEffectRadioButton(TComponent* owner)
    : TKivEffectControl<TKivRadioButton>(owner) {}

// As the check box's.
void TKivEffectRadioButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (AnimationEnabled()) StopEffect();
  SetMouseCapture(true);
  SetPressed(true);
  Invalidate();
}

void TKivEffectRadioButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  PlayClickSound();
  TKivRadioButton::MouseUp(button, shift, x, y);
}

}  // namespace kiv
