// TButton.
#include "framework/win32/button.hpp"

#include "framework/win32/application.hpp"

namespace kiv {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csSetCaption | csDoubleClicks);
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SubclassName = L"BUTTON";
  p.Style |= (active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::Dispatch(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    CNCommand(m);
    return;
  }
  TWinControl::Dispatch(m);
}

void TButton::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) Click();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this); form && modal_result_ != mrNone)
    form->SetModalResult(modal_result_);
  TWinControl::Click();
}

void TButton::SetButtonStyle(bool as_default) {
  if (as_default == active_) return;
  active_ = as_default;
  if (HandleAllocated())
    SendMessageW(Handle(), BM_SETSTYLE, as_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}

void TButton::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  if (TCustomForm* form = GetParentForm(this); form && HandleAllocated())
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(form->ActiveControl()));
}

// The focus moved to the control in LParam: a button that takes the focus is
// the one Enter clicks; otherwise the default button is.
void TButton::CMFocusChanged(TMessage& m) {
  auto* focused = reinterpret_cast<TControl*>(m.LParam);
  bool as_default = dynamic_cast<TButton*>(focused) ? focused == this : default_;
  SetButtonStyle(as_default);
  TWinControl::CMFocusChanged(m);
}

void TButton::CMDialogKey(TMessage& m) {
  TShiftState shift = KeyboardShiftState();
  bool plain = !(shift & (ssShift | ssCtrl | ssAlt));
  if (plain && ((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && cancel_)) &&
      CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TWinControl::CMDialogKey(m);
}

void TButton::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<wchar_t>(m.WParam), Caption()) && CanFocus()) {
    SetFocus();
    Click();
    m.Result = 1;
    return;
  }
  TWinControl::CMDialogChar(m);
}

}  // namespace kiv
