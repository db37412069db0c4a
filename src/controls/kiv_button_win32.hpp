#pragma once
// TKivButton: the library's push button. It draws its face, caption and glyph
// itself: through the theme that serves it when that theme has a button look
// for its ThemeObject, else with the platform's visual styles when they are
// active, else in a classic 3-D look. Standard kinds (OK, Cancel, Close, ...)
// bring caption, modal result, default flag and a glyph from the library's
// resources; Space, Enter, Escape and the caption's accelerator click it.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "controls/kiv_button_layout.hpp"
#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_font_options.hpp"
#include "framework/win32/actions.hpp"
#include "framework/win32/bitmap.hpp"
#include "framework/win32/form.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

class TkivCustomThemeLink;
class TkivTheme;

class TKivButton : public TKivControl {
  KIV_CLASS(TKivButton, TKivControl)
 public:
  explicit TKivButton(TComponent* owner);
  ~TKivButton() override;

  bool ActiveDefault() const { return active_default_; }
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult value) { modal_result_ = value; }
  TBitBtnKind Kind() const { return kind_; }
  void SetKind(TBitBtnKind value);

  // The glyph strip (copied on assignment) and the picture actually shown.
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  TBitmap* GlyphImage() const { return glyph_image_.get(); }
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  bool BlackAndWhiteGlyph() const { return black_and_white_; }
  void SetBlackAndWhiteGlyph(bool value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  const std::string& ThemeObject() const { return theme_object_; }
  void SetThemeObject(const std::string& value);
  TkivCustomThemeLink* ThemeLink() const { return theme_link_; }
  void SetThemeLink(TkivCustomThemeLink* value);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* value);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int value);
  TKivFontOptions* FontOptions() const { return font_options_.get(); }
  void SetFontOptions(TKivFontOptions* value) { font_options_->Assign(value); }

  // The caption is the window text: one string, two names (kept by the
  // control, so reading it asks nothing of the window).
  const std::wstring& Caption() const { return text_; }
  void SetCaption(const std::wstring& value);

  bool Pressed() const { return pressed_; }
  bool Tracking() const { return tracking_; }

  // The theme draws the button: the serving theme has a button look for
  // ThemeObject (the current theme falling back to "default").
  bool ThemeMode();

  void Click() override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void ActionChange(TAction* action, bool check_defaults) override;
  void Dispatch(TMessage& message) override;
  // Stores a glyph that is not empty as "Glyph.Data": the bitmap's own
  // stream form (a BMP file).
  void DefineProperties(TFiler& filer) override;

 protected:
  virtual TRect GetContentRect();
  virtual TRect GetTextRect();
  virtual TRect GetGlyphRect();
  virtual void DrawFace();
  virtual void DrawGlyph();
  virtual void DrawCaption();

  void PaintClient() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMDialogKey(TMessage& m) override;
  void CMDialogChar(TMessage& m) override;
  void CMFocusChanged(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;

  // The state code the theme's drawings take: 3 disabled, 2 pressed, 1 hot,
  // 4 focused, 6 the active default button, else 0.
  uint8_t ThemeState(bool with_default = true) const;
  // The theme's caption font of the state, for ThemeObject.
  TFont* ThemeFont();
  TkivTheme* ServingTheme();

 private:
  void GlyphChanged();
  void RefreshGlyphImage();
  TKivButtonLayoutInput LayoutInput(bool measure_text);
  // The caption's font for the state: the theme's or PaintFont, with the
  // font options applied.
  TFont& CaptionFont();
  TSize CellSize() const;
  void SetPressed(bool value);
  // The glyph cell as drawn (key pixels, greyed as the state asks), made
  // again only when the cell, the greying or the glyph changes.
  const TkivBitmap& GlyphFace(int cell, bool grey, bool dimmed);

  bool active_default_ = false;
  bool default_ = false;
  bool tracking_ = false;
  std::unique_ptr<TBitmap> glyph_;
  std::unique_ptr<TBitmap> glyph_image_;
  TButtonLayout layout_ = blGlyphLeft;
  TBitBtnKind kind_ = bkCustom;
  int num_glyphs_ = 1;
  int spacing_ = 4;
  TModalResult modal_result_ = mrNone;
  bool black_and_white_ = false;
  bool cancel_ = false;
  bool word_wrap_ = false;
  std::string theme_object_ = "default";
  bool transparent_ = false;
  TImageList* images_ = nullptr;
  int image_index_ = -1;
  std::unique_ptr<TKivFontOptions> font_options_;
  TkivCustomThemeLink* theme_link_ = nullptr;
  TAlignment alignment_ = taCenter;
  bool pressed_ = false;

  // Kept between paints and within one: the layout measured once per paint,
  // the caption font, the glyph's source and its drawn cell.
  std::optional<TKivButtonLayoutInput> paint_layout_;
  TFont caption_font_;
  bool glyph_dirty_ = true;
  uint32_t glyph_generation_ = 0;
  std::unique_ptr<TkivBitmap> glyph_face_;
  uint64_t glyph_face_key_ = ~uint64_t{0};
};

}  // namespace kiv
