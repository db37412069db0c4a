#pragma once
// The drawing classes of skin objects. Each adds published properties to
// TLqSkinObject and chooses, for the object's state, the colour, font and
// bitmap it paints with:
//
//   TLqActiveObject         ActiveColor/ActiveFont while active or hot,
//                           pressed, focused; DisabledFont when disabled
//   TLqBitmapObject         nine-part drawing of its Bitmap link
//   TLqActiveBitmap         ActiveBitmap while active or hot, pressed, focused
//   TLqSystemButton         title-bar button: hot and pressed bitmaps
//   TLqButtonObject         a bitmap per focused, hot, disabled, pressed state
//   TLqTextObject           a font per hot, focused, pressed, disabled state
//   TLqLinkSkinObject       placeholder for a control, painted in preview only
//   TLqBitmapSkinObject     the whole link drawn by TileStyle, no children
//   TLqFormBitmapSkinObject InactiveBitmap while the window is inactive
//   TLqSysButtonSkinObject  title-bar button on a whole bitmap
//   TLqActiveSkinObject     ActiveColor/ActiveFont when hot or focused
//   TLqColorButtonObject    a colour and font per hot, pressed, focused,
//                           disabled state
//   TLqBitmapBoxObject      nine-part drawing at the rectangle's own corners
//   TLqActiveBitmapBoxObject FocusedBitmap when hot or focused
//   TLqButtonBitmapBoxObject a bitmap per focused, hot, disabled, pressed state
//   TLqRollPanelObject      data only: what a rolled-up window keeps
//
// A link is usable when it refers to a surface and has a positive area.
#include <memory>
#include <string>

#include "graphics/kiv_bitmap_list.hpp"
#include "themefiles/skin_object.hpp"

namespace kiv {

// A link owned by an object, published as a nested persistent.
using TLqLinkPtr = std::unique_ptr<TkivBitmapLink>;

class TLqActiveObject : public TLqSkinObject {
  KIV_CLASS(TLqActiveObject, TLqSkinObject)
 public:
  explicit TLqActiveObject(TComponent* owner);
  TColor ActiveColor() const { return active_color_; }
  void SetActiveColor(TColor v) { active_color_ = v; }
  TFont* ActiveFont() const { return active_font_.get(); }
  void SetActiveFont(TFont* v) { active_font_->Assign(v); }
  TFont* DisabledFont() const { return disabled_font_.get(); }
  void SetDisabledFont(TFont* v) { disabled_font_->Assign(v); }
  TFont* GetFont() override;

 protected:
  bool Lit() const;  // active, hot, pressed or focused
  TColor PaintColor() override;
  TFont* PaintFont() override;
  void GetColors(std::vector<TColor*>& colors) override;
  void GetFonts(std::vector<TFont*>& fonts) override;

 private:
  TColor active_color_ = 0;
  std::unique_ptr<TFont> active_font_, disabled_font_;
};

class TLqBitmapObject : public TLqSkinObject {
  KIV_CLASS(TLqBitmapObject, TLqSkinObject)
 public:
  explicit TLqBitmapObject(TComponent* owner);
  TkivBitmapLink* Bitmap() const { return bitmap_.get(); }
  void SetBitmap(TkivBitmapLink* v) { bitmap_->Assign(v); }
  TLqTileStyle TileStyle() const { return tile_style_; }
  void SetTileStyle(TLqTileStyle v) { tile_style_ = v; }
  TLqTileStyle BorderTileStyle() const { return border_tile_style_; }
  void SetBorderTileStyle(TLqTileStyle v) { border_tile_style_ = v; }
  bool MaskedBorder() const { return masked_border_; }
  void SetMaskedBorder(bool v) { masked_border_ = v; }
  bool MaskedAngles() const { return masked_angles_; }
  void SetMaskedAngles(bool v) { masked_angles_ = v; }

  void Draw(TkivDC dc, const TRect& clip) override;
  TLqRegion CreateObjectRegion() override;

 protected:
  // The link painted in the current state (Bitmap unless a subclass says).
  virtual TkivBitmapLink* CurrentLink() { return bitmap_.get(); }
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;
  // Children are painted (TLqSystemButton paints them in a state of its own).
  virtual void DrawOwnChildren(TkivDC dc, const TRect& clip) { DrawChildren(dc, clip); }

 private:
  TLqLinkPtr bitmap_;
  TLqTileStyle tile_style_ = tsTile;
  TLqTileStyle border_tile_style_ = tsTile;
  bool masked_border_ = true;
  bool masked_angles_ = true;
};

class TLqActiveBitmap : public TLqBitmapObject {
  KIV_CLASS(TLqActiveBitmap, TLqBitmapObject)
 public:
  explicit TLqActiveBitmap(TComponent* owner);
  TkivBitmapLink* ActiveBitmap() const { return active_bitmap_.get(); }
  void SetActiveBitmap(TkivBitmapLink* v) { active_bitmap_->Assign(v); }
  TFont* ActiveFont() const { return active_font_.get(); }
  void SetActiveFont(TFont* v) { active_font_->Assign(v); }
  TFont* GetFont() override;

 protected:
  TkivBitmapLink* CurrentLink() override;
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;
  void GetFonts(std::vector<TFont*>& fonts) override;

 private:
  TLqLinkPtr active_bitmap_;
  std::unique_ptr<TFont> active_font_;
};

// Shows or hides a title-bar button by its action for a window state (0
// normal, 2 maximized, 3 minimized, 4 rolled up) and by the window's flags.
bool SystemButtonVisibleInState(TLqAction action, uint8_t state);
bool SystemButtonAllowed(TLqAction action, uint16_t flags, uint8_t state);

class TLqSystemButton : public TLqActiveBitmap {
  KIV_CLASS(TLqSystemButton, TLqActiveBitmap)
 public:
  explicit TLqSystemButton(TComponent* owner);
  TLqAction Action() const { return action_; }
  void SetAction(TLqAction v) { action_ = v; }
  TkivBitmapLink* BitmapHot() const { return bitmap_hot_.get(); }
  void SetBitmapHot(TkivBitmapLink* v) { bitmap_hot_->Assign(v); }
  TkivBitmapLink* BitmapPressed() const { return bitmap_pressed_.get(); }
  void SetBitmapPressed(TkivBitmapLink* v) { bitmap_pressed_->Assign(v); }
  // 0 normal, 1 hot, 2 pressed: kept by the window frame.
  uint8_t ButtonState() const { return button_state_; }
  void SetButtonState(uint8_t v) { button_state_ = v; }

  void SetState(uint8_t state) override;
  void SetWindowFlags(uint16_t flags) override;

 protected:
  TkivBitmapLink* CurrentLink() override;
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;
  void DrawOwnChildren(TkivDC dc, const TRect& clip) override;

 private:
  TLqAction action_ = sbaNone;
  TLqLinkPtr bitmap_hot_, bitmap_pressed_;
  uint8_t button_state_ = 0;
};

class TLqButtonObject : public TLqBitmapObject {
  KIV_CLASS(TLqButtonObject, TLqBitmapObject)
 public:
  explicit TLqButtonObject(TComponent* owner);
  TkivBitmapLink* BitmapFocused() const { return focused_.get(); }
  void SetBitmapFocused(TkivBitmapLink* v) { focused_->Assign(v); }
  TkivBitmapLink* BitmapHot() const { return hot_.get(); }
  void SetBitmapHot(TkivBitmapLink* v) { hot_->Assign(v); }
  TkivBitmapLink* BitmapPressed() const { return pressed_.get(); }
  void SetBitmapPressed(TkivBitmapLink* v) { pressed_->Assign(v); }
  TkivBitmapLink* BitmapDisabled() const { return disabled_.get(); }
  void SetBitmapDisabled(TkivBitmapLink* v) { disabled_->Assign(v); }

 protected:
  TkivBitmapLink* CurrentLink() override;
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;

 private:
  TLqLinkPtr focused_, hot_, pressed_, disabled_;
};

class TLqTextObject : public TLqSkinObject {
  KIV_CLASS(TLqTextObject, TLqSkinObject)
 public:
  explicit TLqTextObject(TComponent* owner);
  TFont* FontHot() const { return hot_.get(); }
  void SetFontHot(TFont* v) { hot_->Assign(v); }
  TFont* FontFocused() const { return focused_.get(); }
  void SetFontFocused(TFont* v) { focused_->Assign(v); }
  TFont* FontPressed() const { return pressed_.get(); }
  void SetFontPressed(TFont* v) { pressed_->Assign(v); }
  TFont* FontDisabled() const { return disabled_.get(); }
  void SetFontDisabled(TFont* v) { disabled_->Assign(v); }
  TFont* GetFont() override;

 protected:
  void GetFonts(std::vector<TFont*>& fonts) override;

 private:
  std::unique_ptr<TFont> hot_, focused_, pressed_, disabled_;
};

class TLqLinkSkinObject : public TLqSkinObject {
  KIV_CLASS(TLqLinkSkinObject, TLqSkinObject)
 public:
  explicit TLqLinkSkinObject(TComponent* owner) : TLqSkinObject(owner) {}
  const std::string& LinkControl() const { return link_control_; }
  void SetLinkControl(const std::string& v) { link_control_ = v; }
  void Draw(TkivDC dc, const TRect& clip) override;

 private:
  std::string link_control_;
};

class TLqBitmapSkinObject : public TLqSkinObject {
  KIV_CLASS(TLqBitmapSkinObject, TLqSkinObject)
 public:
  explicit TLqBitmapSkinObject(TComponent* owner);
  TkivBitmapLink* Bitmap() const { return bitmap_.get(); }
  void SetBitmap(TkivBitmapLink* v) { bitmap_->Assign(v); }
  TLqTileStyle TileStyle() const { return tile_style_; }
  void SetTileStyle(TLqTileStyle v) { tile_style_ = v; }
  void Draw(TkivDC dc, const TRect& clip) override;
  TLqRegion CreateObjectRegion() override;

 protected:
  virtual TkivBitmapLink* CurrentLink() { return bitmap_.get(); }
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;

 private:
  TLqLinkPtr bitmap_;
  TLqTileStyle tile_style_ = tsTile;
};

class TLqFormBitmapSkinObject : public TLqBitmapSkinObject {
  KIV_CLASS(TLqFormBitmapSkinObject, TLqBitmapSkinObject)
 public:
  explicit TLqFormBitmapSkinObject(TComponent* owner);
  TkivBitmapLink* InactiveBitmap() const { return inactive_.get(); }
  void SetInactiveBitmap(TkivBitmapLink* v) { inactive_->Assign(v); }

 protected:
  TkivBitmapLink* CurrentLink() override;
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;

 private:
  TLqLinkPtr inactive_;
};

class TLqSysButtonSkinObject : public TLqBitmapSkinObject {
  KIV_CLASS(TLqSysButtonSkinObject, TLqBitmapSkinObject)
 public:
  explicit TLqSysButtonSkinObject(TComponent* owner);
  TLqAction Action() const { return action_; }
  void SetAction(TLqAction v) { action_ = v; }
  TkivBitmapLink* BitmapHover() const { return hover_.get(); }
  void SetBitmapHover(TkivBitmapLink* v) { hover_->Assign(v); }
  TkivBitmapLink* BitmapDown() const { return down_.get(); }
  void SetBitmapDown(TkivBitmapLink* v) { down_->Assign(v); }
  const std::string& RollPanel() const { return roll_panel_; }
  void SetRollPanel(const std::string& v) { roll_panel_ = v; }
  uint8_t ButtonState() const { return button_state_; }
  void SetButtonState(uint8_t v) { button_state_ = v; }

  void SetState(uint8_t state) override;
  void SetWindowFlags(uint16_t flags) override;

 protected:
  TkivBitmapLink* CurrentLink() override;
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;

 private:
  TLqAction action_ = sbaNone;
  TLqLinkPtr hover_, down_;
  std::string roll_panel_;
  uint8_t button_state_ = 0;
};

class TLqActiveSkinObject : public TLqSkinObject {
  KIV_CLASS(TLqActiveSkinObject, TLqSkinObject)
 public:
  explicit TLqActiveSkinObject(TComponent* owner);
  TColor ActiveColor() const { return active_color_; }
  void SetActiveColor(TColor v) { active_color_ = v; }
  TFont* ActiveFont() const { return active_font_.get(); }
  void SetActiveFont(TFont* v) { active_font_->Assign(v); }
  TFont* GetFont() override;

 protected:
  TColor PaintColor() override;
  void GetColors(std::vector<TColor*>& colors) override;
  void GetFonts(std::vector<TFont*>& fonts) override;

 private:
  TColor active_color_ = 0;
  std::unique_ptr<TFont> active_font_;
};

class TLqColorButtonObject : public TLqSkinObject {
  KIV_CLASS(TLqColorButtonObject, TLqSkinObject)
 public:
  explicit TLqColorButtonObject(TComponent* owner);
  TColor HotColor() const { return colors_[0]; }
  TColor PressedColor() const { return colors_[1]; }
  TColor FocusedColor() const { return colors_[2]; }
  TColor DisabledColor() const { return colors_[3]; }
  void SetHotColor(TColor v) { colors_[0] = v; }
  void SetPressedColor(TColor v) { colors_[1] = v; }
  void SetFocusedColor(TColor v) { colors_[2] = v; }
  void SetDisabledColor(TColor v) { colors_[3] = v; }
  TFont* HotFont() const { return fonts_[0].get(); }
  TFont* PressedFont() const { return fonts_[1].get(); }
  TFont* FocusedFont() const { return fonts_[2].get(); }
  TFont* DisabledFont() const { return fonts_[3].get(); }
  void SetHotFont(TFont* v) { fonts_[0]->Assign(v); }
  void SetPressedFont(TFont* v) { fonts_[1]->Assign(v); }
  void SetFocusedFont(TFont* v) { fonts_[2]->Assign(v); }
  void SetDisabledFont(TFont* v) { fonts_[3]->Assign(v); }
  TFont* GetFont() override;

 protected:
  TColor PaintColor() override;
  void GetColors(std::vector<TColor*>& colors) override;
  void GetFonts(std::vector<TFont*>& fonts) override;

 private:
  int StateIndex() const;  // 0..3 for states 5, 6, 7, 8; -1 otherwise
  TColor colors_[4] = {0, 0, 0, 0};
  std::unique_ptr<TFont> fonts_[4];
};

class TLqBitmapBoxObject : public TLqBitmapSkinObject {
  KIV_CLASS(TLqBitmapBoxObject, TLqBitmapSkinObject)
 public:
  explicit TLqBitmapBoxObject(TComponent* owner) : TLqBitmapSkinObject(owner) {}
  TLqTileStyle BorderTileStyle() const { return border_tile_style_; }
  void SetBorderTileStyle(TLqTileStyle v) { border_tile_style_ = v; }
  void Draw(TkivDC dc, const TRect& clip) override;

 private:
  TLqTileStyle border_tile_style_ = tsTile;
};

class TLqActiveBitmapBoxObject : public TLqBitmapBoxObject {
  KIV_CLASS(TLqActiveBitmapBoxObject, TLqBitmapBoxObject)
 public:
  explicit TLqActiveBitmapBoxObject(TComponent* owner);
  TkivBitmapLink* FocusedBitmap() const { return focused_.get(); }
  void SetFocusedBitmap(TkivBitmapLink* v) { focused_->Assign(v); }

 protected:
  TkivBitmapLink* CurrentLink() override;
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;

 private:
  TLqLinkPtr focused_;
};

class TLqButtonBitmapBoxObject : public TLqBitmapBoxObject {
  KIV_CLASS(TLqButtonBitmapBoxObject, TLqBitmapBoxObject)
 public:
  explicit TLqButtonBitmapBoxObject(TComponent* owner);
  TkivBitmapLink* FocusedBitmap() const { return focused_.get(); }
  void SetFocusedBitmap(TkivBitmapLink* v) { focused_->Assign(v); }
  TkivBitmapLink* HotBitmap() const { return hot_.get(); }
  void SetHotBitmap(TkivBitmapLink* v) { hot_->Assign(v); }
  TkivBitmapLink* PressedBitmap() const { return pressed_.get(); }
  void SetPressedBitmap(TkivBitmapLink* v) { pressed_->Assign(v); }
  TkivBitmapLink* DisabledBitmap() const { return disabled_.get(); }
  void SetDisabledBitmap(TkivBitmapLink* v) { disabled_->Assign(v); }

 protected:
  TkivBitmapLink* CurrentLink() override;
  void GetLinks(std::vector<TkivBitmapLink*>& links) override;

 private:
  TLqLinkPtr focused_, hot_, pressed_, disabled_;
};

class TLqRollPanelObject : public TLqSkinObject {
  KIV_CLASS(TLqRollPanelObject, TLqSkinObject)
 public:
  explicit TLqRollPanelObject(TComponent* owner) : TLqSkinObject(owner) {}
  TLqRollKind RollKind() const { return roll_kind_; }
  void SetRollKind(TLqRollKind v) { roll_kind_ = v; }
  int32_t RollValue() const { return roll_value_; }
  void SetRollValue(int32_t v) { roll_value_ = v; }
  void Draw(TkivDC, const TRect&) override {}  // data only

 private:
  TLqRollKind roll_kind_ = rkLeft;
  int32_t roll_value_ = 0;
};

// A usable link: a surface and a positive area.
inline bool LinkUsable(const TkivBitmapLink* link) {
  return link && link->IsValid();
}

}  // namespace kiv
