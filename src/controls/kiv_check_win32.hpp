#pragma once
// TKivCheckBox and TKivRadioButton: windowed controls that draw a mark box and
// a caption and change their state on a click, the space bar or their
// accelerator. They draw through the theme that serves them when it has a
// check look (element kind 0 check box, 1 radio button), else with the
// platform's visual styles when active, else in the classic look.
// TKivCheckControl holds what the two share.
#include <windows.h>

#include <string>

#include "controls/kiv_check_states.hpp"
#include "controls/kiv_control_win32.hpp"

namespace kiv {

class TkivCustomThemeLink;
class TkivTheme;

class TKivCheckControl : public TKivControl {
  KIV_CLASS(TKivCheckControl, TKivControl)
 public:
  ~TKivCheckControl() override;

  // The caption is the window text, kept wide by the control (reading it
  // asks nothing of the window).
  const std::wstring& Caption() const { return text_; }
  void SetCaption(const std::wstring& value) { SetText(value); }
  TKivLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TKivLeftRight value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  bool WordWrap() const { return word_wrap_; }
  virtual void SetWordWrap(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  const std::string& ThemeObject() const { return theme_object_; }
  void SetThemeObject(const std::string& value);
  TkivCustomThemeLink* ThemeLink() const { return theme_link_; }
  void SetThemeLink(TkivCustomThemeLink* value);
  bool Pressed() const { return pressed_; }

  // The serving theme has a check look of this control's kind for ThemeObject.
  bool ThemeMode();
  // The mark's size: the theme's, else 13 x 13.
  virtual TSize GetMarkSize();
  // Fires OnClick, except while the form is being read.
  void Click() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Dispatch(TMessage& message) override;

 protected:
  // kind: 0 check box, 1 radio button.
  TKivCheckControl(TComponent* owner, uint8_t kind);
  // What the user's action does: a check box moves to its next state, a
  // radio button becomes checked.
  virtual void Activate() = 0;
  virtual TKivCheckLook Look() const = 0;
  virtual void DrawMark();
  virtual void DrawCaption();

  TRect MarkRect();
  // The pressed look, without a repaint (descendants with their own press
  // handling).
  void SetPressed(bool value) { pressed_ = value; }
  void PaintClient() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void CMDialogChar(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;
  TkivTheme* ServingTheme();

  bool word_wrap_ = false;
  bool transparent_ = false;

 private:
  uint8_t kind_;
  bool pressed_ = false;
  TKivLeftRight alignment_ = qalLeftJustify;
  int spacing_ = 5;
  std::string theme_object_ = "default";
  TkivCustomThemeLink* theme_link_ = nullptr;
};

class TKivCheckBox : public TKivCheckControl {
  KIV_CLASS(TKivCheckBox, TKivCheckControl)
 public:
  explicit TKivCheckBox(TComponent* owner);

  TKivCheckBoxState State() const { return state_; }
  void SetState(TKivCheckBoxState value);
  bool Checked() const { return state_ == qcbsChecked; }
  void SetChecked(bool value) { SetState(value ? qcbsChecked : qcbsUnChecked); }
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool value) { allow_grayed_ = value; }
  virtual void Toggle();
  void Dispatch(TMessage& message) override;

 protected:
  void Activate() override { Toggle(); }
  TKivCheckLook Look() const override;

 private:
  TKivCheckBoxState state_ = qcbsUnChecked;
  bool allow_grayed_ = false;
};

class TKivRadioButton : public TKivCheckControl {
  KIV_CLASS(TKivRadioButton, TKivCheckControl)
 public:
  explicit TKivRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  // Checking unchecks the radio buttons of the same parent and GroupIndex;
  // the tab stop follows Checked.
  void SetChecked(bool value);
  uint8_t GroupIndex() const { return group_index_; }
  void SetGroupIndex(uint8_t value) { group_index_ = value; }
  bool ItemTabStop() const { return item_tab_stop_; }
  void SetItemTabStop(bool value) { item_tab_stop_ = value; }
  // Stored only; the next paint shows it.
  void SetWordWrap(bool value) override { word_wrap_ = value; }

 protected:
  void Activate() override;
  TKivCheckLook Look() const override;
  void FocusEnter() override;

 private:
  bool checked_ = false;
  uint8_t group_index_ = 0;
  bool item_tab_stop_ = true;
};

}  // namespace kiv
