#pragma once
// The framework's plain controls: push button, panel, image, rich edit, and
// the timer component.
#include <windows.h>

#include <memory>
#include <string>

#include "framework/streams.hpp"
#include "framework/win32/controls.hpp"
#include "framework/win32/forms.hpp"

namespace kiv {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The border of a control: bsNone or bsSingle (the first two form border styles).
using TBorderStyle = TFormBorderStyle;
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

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

// A container with a 3-D bevel and an optional centred caption.
class TPanel : public TCustomControl {
  KIV_CLASS(TPanel, TCustomControl)
 public:
  explicit TPanel(TComponent* owner);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  void AdjustClientRect(TRect& r) override;

 protected:
  void Paint() override;

 private:
  void FrameChanged();
  TBevelCut bevel_inner_ = bvNone;
  TBevelCut bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  int border_width_ = 0;
  TAlignment alignment_ = taCenter;
};

// Runs OnTimer every Interval milliseconds while Enabled, through the
// message loop (WM_TIMER of a hidden window).
class TTimer : public TComponent {
  KIV_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  TNotifyEvent OnTimer;
  void SetOnTimer(TNotifyEvent handler);

 private:
  void UpdateTimer();
  HWND window_ = nullptr;
  bool enabled_ = true;
  unsigned interval_ = 1000;
};

// Shows a picture. AutoSize takes the picture's size; Center centres it;
// Stretch and Proportional scale it (Proportional only ever shrinks). A
// picture that changes (an animated one, each frame) repaints the control.
class TImage : public TGraphicControl {
  KIV_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  TPicture* Picture() { return picture_.get(); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // Where the picture is drawn, in the control's coordinates.
  TRect DestRect();

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
  bool auto_size_ = false, center_ = false, stretch_ = false, proportional_ = false,
       transparent_ = false;
};

class TRichEdit;

// The lines of a rich edit, as far as loading and counting go.
class TRichEditStrings {
 public:
  explicit TRichEditStrings(TRichEdit* edit) : edit_(edit) {}
  // Lines as the control lays them out; a final empty line is not counted.
  int Count() const;
  std::wstring Get(int index) const;
  // Streams the file in as rich text; when that fails, again as plain text;
  // when both fail, EOutOfResources "Failed to Load Stream".
  void LoadFromFile(const std::string& file_name);
  void LoadFromStream(TStream& stream);
  void Clear();

 private:
  TRichEdit* edit_;
};

// The platform's rich-text edit control.
class TRichEdit : public TWinControl {
  KIV_CLASS(TRichEdit, TWinControl)
 public:
  explicit TRichEdit(TComponent* owner);
  ~TRichEdit() override;
  TRichEditStrings* Lines() { return &lines_; }
  void Clear();
  // Paragraph alignment of the whole text, and of plain text loaded later.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TAlignment ParagraphAlignment(int line);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle value);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle value);
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool value) { want_tabs_ = value; }
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool value) { want_returns_ = value; }
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);

 protected:
  friend class TRichEditStrings;
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& m) override;
  void ApplyAlignment();

 private:
  TRichEditStrings lines_;
  std::string saved_rtf_;  // the content while the window is remade
  TAlignment alignment_ = taLeftJustify;
  bool read_only_ = false;
  TScrollStyle scroll_bars_ = ssNone;
  TBorderStyle border_style_ = bsSingle;
  bool want_tabs_ = false, want_returns_ = true, word_wrap_ = true;
};

}  // namespace kiv
