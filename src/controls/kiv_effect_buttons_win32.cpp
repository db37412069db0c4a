// The three effect controls: their published properties and the push
// button's click sound.
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

KIV_IMPLEMENT_CLASS(TKivEffectRadioButton, c) {
  DescribeEffectControl(c);
}

TKivEffectRadioButton::TKivEffectRadioButton(TComponent* owner)
    : TKivEffectControl<TKivRadioButton>(owner) {}

}  // namespace kiv
