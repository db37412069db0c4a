#pragma once
// TButton: the platform's push button, with default and cancel buttons.
#include "framework/win32/form.hpp"
#include "framework/win32/win_control.hpp"

namespace kiv {

// The platform's push button. Enter clicks the default button (or the focused
// one), Escape the cancel button, the caption's accelerator clicks it too; a
// click hands ModalResult to the form.
class TButton : public TWinControl {
  KIV_CLASS(TButton, TWinControl)
 public:
  explicit TButton(TComponent* owner);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult value) { modal_result_ = value; }
  // Enter clicks this button now: it is the focused button, or the default
  // one while the focus is on a control that is not a button.
  bool Active() const { return active_; }
  void Click() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& m) override;
  void CMDialogKey(TMessage& m) override;
  void CMDialogChar(TMessage& m) override;
  void CMFocusChanged(TMessage& m) override;
  void CNCommand(TMessage& m);
  void SetButtonStyle(bool as_default);

 private:
  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
  TModalResult modal_result_ = mrNone;
};

}  // namespace kiv
