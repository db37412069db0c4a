#pragma once
// TKivHeaderPanel: a container with an optional caption bar along its top,
// a small button at the bar's right end that hides the panel or rolls it up
// to its caption bar and down again (in steps, optionally animated, moving
// header panels stacked below it and resizing its parent along with it), and
// an etched bevel. Drawn through the current theme when it has a panel look
// for ThemeObject, else with the platform's visual styles when they are
// active and have the panel's parts, else in a classic look.
#include <windows.h>

#include <memory>
#include <string>

#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_header_roll.hpp"

namespace kiv {

class TkivTheme;

// Asked before every roll; setting allowed to false keeps the panel as it is.
using TKivRollEvent = TEvent<void(TObject* sender, bool roll_up, bool& allowed)>;

class TKivHeaderPanel : public TKivControl {
  KIV_CLASS(TKivHeaderPanel, TKivControl)
 public:
  explicit TKivHeaderPanel(TComponent* owner);
  ~TKivHeaderPanel() override;

  int CaptionHeight() const { return caption_height_; }
  void SetCaptionHeight(int value);
  bool ShowCaption() const { return show_caption_; }
  void SetShowCaption(bool value);
  // The panel's own spacing, distinct from the control base's frame (which
  // stays empty, so the base draws no frame).
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int value);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int value);
  bool ShowBevel() const { return show_bevel_; }
  void SetShowBevel(bool value);
  bool ShowButton() const { return show_button_; }
  void SetShowButton(bool value);
  TKivPanelButtonKind ButtonKind() const { return button_kind_; }
  void SetButtonKind(TKivPanelButtonKind value);
  const std::string& ThemeObject() const { return theme_object_; }
  void SetThemeObject(const std::string& value);
  // The caption is the window text: one string, two names.
  std::wstring Caption() const { return Text(); }
  void SetCaption(const std::wstring& value) { SetText(value); }
  const std::string& ButtonHint() const { return button_hint_; }
  void SetButtonHint(const std::string& value) { button_hint_ = value; }
  const std::string& CaptionHint() const { return caption_hint_; }
  void SetCaptionHint(const std::string& value) { caption_hint_ = value; }
  // Shown only while the pointer is over the caption button or the rest of
  // the caption bar; the panel's own Cursor stays as set everywhere else.
  TCursor ButtonCursor() const { return button_cursor_; }
  void SetButtonCursor(TCursor value) { button_cursor_ = value; }
  TCursor CaptionCursor() const { return caption_cursor_; }
  void SetCaptionCursor(TCursor value) { caption_cursor_ = value; }
  bool AnimateRoll() const { return animate_roll_; }
  void SetAnimateRoll(bool value) { animate_roll_ = value; }
  bool ParentRoll() const { return parent_roll_; }
  void SetParentRoll(bool value) { parent_roll_ = value; }
  bool LinkPanels() const { return link_panels_; }
  void SetLinkPanels(bool value) { link_panels_ = value; }

  // Rolls up (true) or down (false). Ignored while a roll is under way; while
  // the panel is being read from a stream only the value is stored (the
  // stream holds the height and the normal height as they were).
  bool Rolled() const { return rolled_; }
  void SetRolled(bool value);
  bool Rolling() const { return rolling_; }
  // The height before the panel rolled up (stored as "NormalHeight").
  int NormalHeight() const { return normal_height_; }
  void SetNormalHeight(int value) { normal_height_ = value; }

  bool ButtonHot() const { return button_hot_; }
  bool ButtonPressed() const { return button_pressed_; }

  // The theme draws the panel: the current theme has a panel look for
  // ThemeObject (falling back to "default").
  bool ThemeMode();
  // The platform's visual styles draw the panel: they are active and their
  // "ExplorerBar" class has the group's body and head. Wine's style has no
  // such class; the panel then draws and lays out in the classic look.
  bool VisualStylesLook();
  // The settings that place the caption bar, its button and the children.
  TKivHeaderFrame Frame();
  virtual TRect GetCaptionRect();
  TRect ButtonRect();
  TRect GetClientRect() override;
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;
  void Dispatch(TMessage& message) override;
  void WndProc(TMessage& message) override;
  // Always stores "NormalHeight" as a 4-byte little-endian integer.
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnButtonClick;
  TNotifyEvent OnRollup;
  TNotifyEvent OnHide;
  TKivRollEvent OnBeforeRoll;

 protected:
  virtual void PaintCaption();
  virtual void PaintBody();
  void PaintClient() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  void CMTextChanged(TMessage& m) override;
  void CMHintShow(TMessage& m) override;
  void WMSetCursor(TMessage& m) override;
  void DestroyWnd() override;

 private:
  // Which of the panel's "ExplorerBar" parts the active visual style draws;
  // found once and again after every change of the visual styles.
  struct TStyleParts {
    bool Known = false;
    bool Body = false, Head = false, Close = false, Collapse = false, Expand = false;
    // The body or the caption bar lets what lies under the panel show.
    bool SeeThrough = false;
  };
  const TStyleParts& StyleParts();
  HANDLE StyleData();
  bool PaintButtonStyled(HDC dc, const TRect& r);
  void PaintButtonClassic(HDC dc, TRect r);
  void InvalidateButton();
  void SetButtonHot(bool value);
  void SetButtonPressed(bool value);
  void ButtonAction();
  void Relayout();
  // The two rolls and what they share. StepHeights returns false when the
  // panel went while the roll let messages through.
  void RollUp();
  void RollDown();
  bool StepHeights(int from, int to);
  void MoveLinkedPanels(int old_height, int new_height);
  bool Gone() const;

  int caption_height_ = 20;
  bool show_caption_ = true;
  int border_width_ = 3;
  int bevel_width_ = 1;
  bool show_bevel_ = true;
  bool show_button_ = true;
  bool button_hot_ = false;
  bool button_pressed_ = false;
  bool button_tracking_ = false;  // the left button went down on the caption button
  bool rolled_ = false;
  bool rolling_ = false;
  int normal_height_ = 0;
  TKivPanelButtonKind button_kind_ = qpbkRollUp;
  std::string button_hint_;
  std::string caption_hint_;
  TCursor button_cursor_ = crDefault;
  TCursor caption_cursor_ = crDefault;
  bool animate_roll_ = false;
  bool parent_roll_ = false;
  std::string theme_object_ = "default";
  bool link_panels_ = false;
  TStyleParts style_parts_;
  // Cleared when the panel is destroyed; a roll that lets messages through
  // holds a copy and stops when it finds it cleared.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace kiv
