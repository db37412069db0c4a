#pragma once
// TLqSkinObject: one rectangle of a skin's description of a control. It
// paints itself from a colour, a font and texts (subclasses add bitmaps),
// places its children whenever its own rectangle changes, and streams its
// children in the binary property "Objects":
//
//   32-bit count + 0xF0000, then per child: class name (stream string),
//   32-bit size S, S bytes of the child's binary component stream.
//
// A count without the marker bits announces the older record instead: per
// child its class name and its component stream in text form (both stream
// strings). The marker leaves 16 bits for the count, so an object with 65,536
// children or more cannot be written.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/classes.hpp"
#include "framework/colors.hpp"
#include "framework/font.hpp"
#include "framework/types.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "themefiles/skin_enums.hpp"

namespace kiv {

class TkivBitmapList;
class TkivBitmapLink;
class TStream;

// A region as the rectangles it is made of; the platform region is built from
// them where one is needed.
using TLqRegion = std::vector<TRect>;

// Most children an object, and most top-level objects a skin, can store: the
// count shares its 32 bits with marker bits from bit 16 up.
inline constexpr uint32_t kMaxSkinObjectCount = 0xFFFF;
// Deepest nesting of children a skin file may have.
inline constexpr int kMaxSkinObjectDepth = 64;

class TLqSkinObject : public TComponent {
  KIV_CLASS(TLqSkinObject, TComponent)
 public:
  explicit TLqSkinObject(TComponent* owner);
  ~TLqSkinObject() override;

  // ---- published
  TLqAlign Align() const { return align_; }
  void SetAlign(TLqAlign value) { align_ = value; }
  TLqKind Kind() const { return kind_; }
  void SetKind(TLqKind value) { kind_ = value; }
  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetLeft(int32_t value) { SetBounds(Bounds(value, top_, width_, height_)); }
  void SetTop(int32_t value) { SetBounds(Bounds(left_, value, width_, height_)); }
  void SetWidth(int32_t value) { SetBounds(Bounds(left_, top_, value, height_)); }
  void SetHeight(int32_t value) { SetBounds(Bounds(left_, top_, width_, value)); }
  int32_t MarginLeft() const { return margins_.Left; }
  int32_t MarginTop() const { return margins_.Top; }
  int32_t MarginRight() const { return margins_.Right; }
  int32_t MarginBottom() const { return margins_.Bottom; }
  void SetMarginLeft(int32_t v) { margins_.Left = v; }
  void SetMarginTop(int32_t v) { margins_.Top = v; }
  void SetMarginRight(int32_t v) { margins_.Right = v; }
  void SetMarginBottom(int32_t v) { margins_.Bottom = v; }
  // Margins as left, top, right and bottom widths.
  TRect Margins() const { return margins_; }
  bool HasMargins() const { return margins_ != TRect{}; }
  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value) { font_->Assign(value); }
  TLqTextAlign TextAlign() const { return text_align_; }
  void SetTextAlign(TLqTextAlign value) { text_align_ = value; }
  TLqTextEffect TextEffect() const { return text_effect_; }
  void SetTextEffect(TLqTextEffect value) { text_effect_ = value; }
  int32_t TextMarginLeft() const { return text_margin_left_; }
  int32_t TextMarginRight() const { return text_margin_right_; }
  int32_t TextMarginTop() const { return text_margin_top_; }
  void SetTextMarginLeft(int32_t v) { text_margin_left_ = v; }
  void SetTextMarginRight(int32_t v) { text_margin_right_ = v; }
  void SetTextMarginTop(int32_t v) { text_margin_top_ = v; }
  bool TextMarginRightStretch() const { return text_margin_right_stretch_; }
  void SetTextMarginRightStretch(bool v) { text_margin_right_stretch_ = v; }
  bool DrawIfOwner() const { return draw_if_owner_; }
  void SetDrawIfOwner(bool v) { draw_if_owner_ = v; }
  bool Masked() const { return masked_; }
  void SetMasked(bool v) { masked_ = v; }

  // ---- run-time fields, set by the theme before painting
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool Active() const { return active_; }
  uint8_t State() const { return state_; }
  const std::u16string& Text() const { return text_; }
  void SetText(std::u16string v) { text_ = std::move(v); }
  const std::u16string& SecondText() const { return second_text_; }
  void SetSecondText(std::u16string v) { second_text_ = std::move(v); }
  uint16_t WindowFlags() const { return window_flags_; }
  // The list the bitmap links resolve against; given to the whole subtree.
  TkivBitmapList* BitmapList() const { return bitmap_list_; }
  void SetBitmapList(TkivBitmapList* list);

  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  bool HasArea() const { return width_ > 0 && height_ > 0; }

  // Children: the skin objects this object owns, in creation order.
  int ChildCount() const;
  TLqSkinObject* Child(int index) const;  // nil out of range

  // ---- virtual operations
  // The font for the current state.
  virtual TFont* GetFont();
  virtual void SetWindowFlags(uint16_t flags);  // recursive
  using TComponent::SetState;
  virtual void SetState(uint8_t state);  // recursive
  // Resolves the bitmap links by name in the bitmap list; recursive.
  virtual void AfterLoad();
  // Paints onto a device context; an empty clip rectangle clips nothing.
  virtual void Draw(TkivDC dc, const TRect& clip);
  virtual TLqRegion CreateObjectRegion();
  virtual void ChangeHue(int32_t amount);         // recursive
  virtual void ChangeBrightness(int32_t amount);  // recursive
  virtual void SetCharset(TFontCharset charset);  // every font, recursive

  // Stores the rectangle (negative sizes become 0) and places the children;
  // nothing when it is the current one.
  void SetBounds(const TRect& r);
  // Depth-first searches starting with this object; nil when none matches.
  TLqSkinObject* FindChild(const std::string& name);  // ignoring case
  TLqSkinObject* FindKind(TLqKind kind);
  TLqSkinObject* FindAction(TLqAction action);  // system buttons of either class
  // The deepest visible object containing the point (children searched in
  // order, the last match kept); skTranparent objects are skipped.
  TLqSkinObject* ObjectAt(TPoint point);
  // The region of the visible tree; empty for an object with no area.
  TLqRegion TreeRegion();
  void SetActive(bool value);  // on the subtree
  // A new object of the same class with every property and child copied.
  TLqSkinObject* Clone(TComponent* owner) const;

  // From an object of this class (or one it derives from): every published
  // property and the children, through the component stream.
  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;
  // Children travel in "Objects", not as components of the stream.
  void GetChildren(const std::function<void(TComponent*)>&, TComponent*) override {}
  // Skin objects refer to no other component, so notifications end here
  // instead of being passed to every child (which made adding n children
  // cost n squared).
  void Notification(TComponent* component, TOperation operation) override;

  // The "Objects" data on its own.
  void ReadObjects(TStream& stream);
  void WriteObjects(TStream& stream) const;

 protected:
  // Every bitmap link of the object (AfterLoad resolves them).
  virtual void GetLinks(std::vector<TkivBitmapLink*>& links) {}
  // Colours and fonts the hue and brightness adjustments reach.
  virtual void GetColors(std::vector<TColor*>& colors);
  virtual void GetFonts(std::vector<TFont*>& fonts);
  // The fill colour and font the base drawing uses in the current state.
  virtual TColor PaintColor() { return color_; }
  virtual TFont* PaintFont() { return GetFont(); }

  // The base drawing: fill and texts (when there are no children or
  // DrawIfOwner), then the children.
  void DrawBase(TkivDC dc, const TRect& clip);
  void DrawTexts(TkivDC dc, TFont* font);
  void DrawChildren(TkivDC dc, const TRect& clip);
  void PlaceChildren();
  // Paints the object alone onto a surface filled with KeyPixel and gives
  // the runs of the other pixels.
  TLqRegion MaskRegion();

 private:
  void ResolveLink(TkivBitmapLink& link);

  TLqAlign align_ = saNone;
  TLqKind kind_ = skNone;
  int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TRect margins_;
  TColor color_ = clWhite;
  std::unique_ptr<TFont> font_;
  TLqTextAlign text_align_ = taLeft;
  TLqTextEffect text_effect_ = teNone;
  int32_t text_margin_left_ = 0, text_margin_right_ = 0, text_margin_top_ = 0;
  bool text_margin_right_stretch_ = false;
  bool draw_if_owner_ = false;
  bool masked_ = true;

  bool visible_ = true;
  bool active_ = false;
  uint8_t state_ = 0;
  std::u16string text_, second_text_;
  uint16_t window_flags_ = 0;
  TRect previous_;
  TkivBitmapList* bitmap_list_ = nullptr;
};

// A font as the skin classes create theirs: "Tahoma", size 8.
std::unique_ptr<TFont> MakeSkinFont();

}  // namespace kiv
