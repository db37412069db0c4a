// TKivCheckBox and TKivRadioButton: their states, the radio group and the
// published values (every declared default is the value at construction).
#include "controls/kiv_check_win32.hpp"
#include "framework/class_builder.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivCheckBox, c) {
  c.Enum("State", &TKivCheckBox::State, &TKivCheckBox::SetState, kKivCheckBoxStateNames)
      .Default(qcbsUnChecked);
  c.Boolean("Checked", &TKivCheckBox::Checked, &TKivCheckBox::SetChecked).Stored(false);
  c.Boolean("AllowGrayed", &TKivCheckBox::AllowGrayed, &TKivCheckBox::SetAllowGrayed)
      .Default(false);
  c.Boolean("Transparent", &TKivCheckControl::Transparent, &TKivCheckControl::SetTransparent)
      .Default(true);
  c.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
}

TKivCheckBox::TKivCheckBox(TComponent* owner) : TKivCheckControl(owner, 0) {
  transparent_ = true;
  SetTabStop(true);
}

void TKivCheckBox::SetState(TKivCheckBoxState value) {
  if (value == state_) return;
  state_ = value;
  Click();
  Invalidate();
}

void TKivCheckBox::Toggle() {
  SetState(NextCheckState(state_, allow_grayed_));
}

TKivCheckLook TKivCheckBox::Look() const {
  return TKivCheckLook{state_, Enabled(), Pressed(), Hot()};
}

void TKivCheckBox::Dispatch(TMessage& m) {
  if (m.Msg == WM_SYSCOLORCHANGE) Invalidate();
  TKivCheckControl::Dispatch(m);
}

KIV_IMPLEMENT_CLASS(TKivRadioButton, c) {
  c.Boolean("Checked", &TKivRadioButton::Checked, &TKivRadioButton::SetChecked).Default(false);
  c.Integer("GroupIndex", &TKivRadioButton::GroupIndex, &TKivRadioButton::SetGroupIndex).Default(0);
  c.Boolean("ItemTabStop", &TKivRadioButton::ItemTabStop, &TKivRadioButton::SetItemTabStop)
      .Default(true);
  c.Boolean("Transparent", &TKivCheckControl::Transparent, &TKivCheckControl::SetTransparent)
      .Default(false);
  c.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
}

TKivRadioButton::TKivRadioButton(TComponent* owner) : TKivCheckControl(owner, 1) {
  SetTabStop(false);
}

void TKivRadioButton::SetChecked(bool value) {
  if (value == checked_) return;
  SetTabStop(value);
  checked_ = value;
  if (value) {
    if (TWinControl* parent = Parent())
      for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TKivRadioButton*>(parent->Controls(i));
        if (sibling && sibling != this && sibling->group_index_ == group_index_)
          sibling->SetChecked(false);
      }
    if (!Loading()) Click();
  }
  Invalidate();
}

void TKivRadioButton::Activate() {
  if (checked_)
    Invalidate();
  else
    SetChecked(true);
}

TKivCheckLook TKivRadioButton::Look() const {
  return TKivCheckLook{checked_ ? qcbsChecked : qcbsUnChecked, Enabled(), Pressed(), Hot()};
}

// Tabbing or clicking into a radio button checks it.
void TKivRadioButton::FocusEnter() {
  TKivCheckControl::FocusEnter();
  SetChecked(true);
}

}  // namespace kiv
