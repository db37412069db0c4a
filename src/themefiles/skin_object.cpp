// TLqSkinObject: published properties, rectangle and placement of children,
// look-ups, recursive state, colour adjustments and streaming of children.
#include "themefiles/skin_object.hpp"

#include <algorithm>
#include <memory>

#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_utils.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_paint.hpp"
#include "themefiles/skin_registry.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TLqSkinObject, c) {
  using T = TLqSkinObject;
  c.Enum("Align", &T::Align, &T::SetAlign, kLqAlignNames).Default(saNone);
  c.Enum("Kind", &T::Kind, &T::SetKind, kLqKindNames).Default(skNone);
  c.Integer("Left", &T::Left, &T::SetLeft).Default(0);
  c.Integer("Top", &T::Top, &T::SetTop).Default(0);
  c.Integer("Width", &T::Width, &T::SetWidth).Default(0);
  c.Integer("Height", &T::Height, &T::SetHeight).Default(0);
  c.Integer("MarginLeft", &T::MarginLeft, &T::SetMarginLeft).Default(0);
  c.Integer("MarginTop", &T::MarginTop, &T::SetMarginTop).Default(0);
  c.Integer("MarginRight", &T::MarginRight, &T::SetMarginRight).Default(0);
  c.Integer("MarginBottom", &T::MarginBottom, &T::SetMarginBottom).Default(0);
  c.Color("Color", &T::Color, &T::SetColor).Default(clWhite);
  c.Object("Font", &T::Font, &T::SetFont);
  c.Enum("TextAlign", &T::TextAlign, &T::SetTextAlign, kLqTextAlignNames).Default(taLeft);
  c.Enum("TextEffect", &T::TextEffect, &T::SetTextEffect, kLqTextEffectNames).Default(teNone);
  c.Integer("TextMarginLeft", &T::TextMarginLeft, &T::SetTextMarginLeft).Default(0);
  c.Integer("TextMarginRight", &T::TextMarginRight, &T::SetTextMarginRight).Default(0);
  c.Integer("TextMarginTop", &T::TextMarginTop, &T::SetTextMarginTop).Default(0);
  c.Boolean("TextMarginRightStretch", &T::TextMarginRightStretch, &T::SetTextMarginRightStretch)
      .Default(false);
  c.Boolean("DrawIfOwner", &T::DrawIfOwner, &T::SetDrawIfOwner).Default(false);
  c.Boolean("Masked", &T::Masked, &T::SetMasked).Default(true);
}

std::unique_ptr<TFont> MakeSkinFont() {
  auto f = std::make_unique<TFont>();
  f->SetName("Tahoma");
  f->SetSize(8);
  return f;
}

TLqSkinObject::TLqSkinObject(TComponent* owner) : TComponent(owner), font_(MakeSkinFont()) {}

TLqSkinObject::~TLqSkinObject() {
  // While this class's Notification still runs: children then go in linear
  // time instead of telling every sibling about each one.
  DestroyComponents();
}

void TLqSkinObject::SetBitmapList(TkivBitmapList* list) {
  bitmap_list_ = list;
  for (int i = 0; i < ChildCount(); ++i) Child(i)->SetBitmapList(list);
}

int TLqSkinObject::ChildCount() const {
  return ComponentCount();
}

TLqSkinObject* TLqSkinObject::Child(int index) const {
  if (index < 0 || index >= ComponentCount()) return nullptr;
  return dynamic_cast<TLqSkinObject*>(Components(index));
}

// ---- virtual operations

TFont* TLqSkinObject::GetFont() {
  return font_.get();
}

void TLqSkinObject::SetWindowFlags(uint16_t flags) {
  window_flags_ = flags;
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->SetWindowFlags(flags);
}

void TLqSkinObject::SetState(uint8_t state) {
  state_ = state;
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->SetState(state);
}

void TLqSkinObject::ResolveLink(TkivBitmapLink& link) {
  TkivBitmap* bitmap = bitmap_list_ ? bitmap_list_->FindBitmap(link.Name()) : nullptr;
  if (!bitmap) return;
  // A fresh link to the list's surface with the same rectangle.
  TkivBitmapLink fresh;
  fresh.SetBitmap(bitmap);
  fresh.SetName(bitmap->Name());
  fresh.SetRect(link.Rect());
  fresh.Analyse(margins_);
  link.Assign(&fresh);
}

void TLqSkinObject::AfterLoad() {
  std::vector<TkivBitmapLink*> links;
  GetLinks(links);
  for (TkivBitmapLink* link : links) ResolveLink(*link);
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->AfterLoad();
}

void TLqSkinObject::GetColors(std::vector<TColor*>& colors) {
  colors.push_back(&color_);
}

void TLqSkinObject::GetFonts(std::vector<TFont*>& fonts) {
  fonts.push_back(font_.get());
}

namespace {

template <class Adjust>
void AdjustColors(std::vector<TColor*>& colors, std::vector<TFont*>& fonts, Adjust adjust) {
  for (TColor* c : colors)
    if (*c != clNone) *c = PixelToColor(adjust(ColorToPixel(*c, 255)));
  for (TFont* f : fonts)
    if (f->Color() != clNone) f->SetColor(PixelToColor(adjust(ColorToPixel(f->Color(), 255))));
}

}  // namespace

void TLqSkinObject::ChangeHue(int32_t amount) {
  std::vector<TColor*> colors;
  std::vector<TFont*> fonts;
  GetColors(colors);
  GetFonts(fonts);
  AdjustColors(colors, fonts, [amount](TkivPixel p) { return RotateHue(p, amount); });
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->ChangeHue(amount);
}

void TLqSkinObject::ChangeBrightness(int32_t amount) {
  std::vector<TColor*> colors;
  std::vector<TFont*> fonts;
  GetColors(colors);
  GetFonts(fonts);
  const auto d = static_cast<int16_t>(std::clamp<int32_t>(amount, INT16_MIN, INT16_MAX));
  AdjustColors(colors, fonts, [d](TkivPixel p) { return Brighten(p, d); });
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->ChangeBrightness(amount);
}

void TLqSkinObject::SetCharset(TFontCharset charset) {
  std::vector<TFont*> fonts;
  GetFonts(fonts);
  for (TFont* f : fonts) f->SetCharset(charset);
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->SetCharset(charset);
}

// ---- rectangle and placement

void TLqSkinObject::SetBounds(const TRect& r) {
  const int32_t w = std::max(0, r.Right - r.Left);
  const int32_t h = std::max(0, r.Bottom - r.Top);
  if (r.Left == left_ && r.Top == top_ && w == width_ && h == height_) return;
  previous_ = BoundsRect();
  left_ = r.Left;
  top_ = r.Top;
  width_ = w;
  height_ = h;
  PlaceChildren();
  previous_ = BoundsRect();
}

void TLqSkinObject::PlaceChildren() {
  std::vector<TLqSkinObject*> kids;
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i); c && c->Visible()) kids.push_back(c);
  if (kids.empty()) return;
  TRect w = BoundsRect();
  auto edges = [&](TLqAlign top, TLqAlign bottom) {
    for (TLqSkinObject* c : kids) {
      const int32_t ch = c->Height();
      if (c->Align() == top) {
        c->SetBounds(TRect{w.Left, w.Top, w.Right, w.Top + ch});
        w.Top += ch;
      } else if (c->Align() == bottom) {
        c->SetBounds(TRect{w.Left, w.Bottom - ch, w.Right, w.Bottom});
        w.Bottom -= ch;
      }
    }
  };
  auto sides = [&](TLqAlign left, TLqAlign right) {
    for (TLqSkinObject* c : kids) {
      const int32_t cw = c->Width();
      if (c->Align() == left) {
        c->SetBounds(TRect{w.Left, w.Top, w.Left + cw, w.Bottom});
        w.Left += cw;
      } else if (c->Align() == right) {
        c->SetBounds(TRect{w.Right - cw, w.Top, w.Right, w.Bottom});
        w.Right -= cw;
      }
    }
  };
  edges(saMostTop, saMostBottom);
  sides(saMostLeft, saMostRight);
  edges(saTop, saBottom);
  sides(saLeft, saRight);
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
    TLqSkinObject* c = *it;
    if (c->Align() != saText) continue;
    const int32_t tw =
        SkinTextWidth(c->Text(), *c->GetFont()) + c->TextMarginLeft() + c->TextMarginRight();
    c->SetBounds(Bounds(c->Left(), c->Top(), tw, c->Height()));
  }
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
    TLqSkinObject* c = *it;
    if (c->Align() != saCenter) continue;
    const TRect own = Bounds(0, 0, c->Width(), c->Height());
    c->SetBounds(CenterRect(own, w));
  }
  for (TLqSkinObject* c : kids)
    if (c->Align() == saClient) c->SetBounds(w);
  // Corner-anchored children keep their distances from the corner they are
  // anchored to; an object that had no width yet has no distances to keep.
  if (previous_.Width() <= 0) return;
  const TRect now = BoundsRect();
  for (TLqSkinObject* c : kids) {
    const int32_t cw = c->Width(), ch = c->Height();
    switch (c->Align()) {
      case saTopLeft:
        c->SetBounds(Bounds(now.Left + (c->Left() - previous_.Left),
                            now.Top + (c->Top() - previous_.Top), cw, ch));
        break;
      case saTopRight:
        c->SetBounds(Bounds(now.Right - (previous_.Right - c->Left()),
                            now.Top + (c->Top() - previous_.Top), cw, ch));
        break;
      case saBottomLeft:
        c->SetBounds(Bounds(c->Left(), c->Top() + (now.Height() - previous_.Height()), cw, ch));
        break;
      case saBottomRight:
        c->SetBounds(Bounds(now.Right - (previous_.Right - c->Left()),
                            now.Bottom - (previous_.Bottom - c->Top()), cw, ch));
        break;
      default:
        break;
    }
  }
}

// ---- look-ups

TLqSkinObject* TLqSkinObject::FindChild(const std::string& name) {
  if (SameText(Name(), name)) return this;
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i))
      if (TLqSkinObject* found = c->FindChild(name)) return found;
  return nullptr;
}

TLqSkinObject* TLqSkinObject::FindKind(TLqKind kind) {
  if (kind_ == kind) return this;
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i))
      if (TLqSkinObject* found = c->FindKind(kind)) return found;
  return nullptr;
}

TLqSkinObject* TLqSkinObject::FindAction(TLqAction action) {
  if (const auto* b = dynamic_cast<const TLqSystemButton*>(this); b && b->Action() == action)
    return this;
  if (const auto* b = dynamic_cast<const TLqSysButtonSkinObject*>(this); b && b->Action() == action)
    return this;
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i))
      if (TLqSkinObject* found = c->FindAction(action)) return found;
  return nullptr;
}

TLqSkinObject* TLqSkinObject::ObjectAt(TPoint p) {
  if (!visible_ || kind_ == skTranparent) return nullptr;
  const TRect r = BoundsRect();
  if (p.X < r.Left || p.X >= r.Right || p.Y < r.Top || p.Y >= r.Bottom) return nullptr;
  TLqSkinObject* hit = this;
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i))
      if (TLqSkinObject* found = c->ObjectAt(p)) hit = found;
  return hit;
}

TLqRegion TLqSkinObject::TreeRegion() {
  if (!HasArea()) return {};
  if (ChildCount() == 0 || draw_if_owner_ || !masked_) return CreateObjectRegion();
  TLqRegion all;
  for (int i = 0; i < ChildCount(); ++i) {
    TLqSkinObject* c = Child(i);
    if (!c || !c->Visible()) continue;
    TLqRegion part = c->TreeRegion();
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

void TLqSkinObject::SetActive(bool value) {
  active_ = value;
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->SetActive(value);
}

void TLqSkinObject::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
}

// ---- copying and streaming

TLqSkinObject* TLqSkinObject::Clone(TComponent* owner) const {
  std::unique_ptr<TComponent> made(ClassType().CreateComponent(nullptr));
  auto* copy = dynamic_cast<TLqSkinObject*>(made.get());
  if (!copy) return nullptr;
  copy->Assign(this);
  made.release();
  if (owner) owner->InsertComponent(copy);
  return copy;
}

void TLqSkinObject::Assign(const TPersistent* source) {
  const auto* src = dynamic_cast<const TLqSkinObject*>(source);
  if (!src || !ClassType().InheritsFrom(src->ClassType())) {
    TComponent::Assign(source);
    return;
  }
  TMemoryStream data;
  data.WriteComponent(const_cast<TLqSkinObject*>(src));
  data.SetPosition(0);
  DestroyComponents();
  data.ReadComponent(this);
}

void TLqSkinObject::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Objects", [this](TStream& s) { ReadObjects(s); }, [this](TStream& s) { WriteObjects(s); },
      ChildCount() > 0);
}

namespace {

constexpr uint32_t kChildMarker = 0xF0000;
thread_local int g_object_depth = 0;

struct DepthGuard {
  DepthGuard() {
    if (++g_object_depth > kMaxSkinObjectDepth) {
      --g_object_depth;
      throw EReadError("Skin objects nested more than " + std::to_string(kMaxSkinObjectDepth) +
                       " levels deep");
    }
  }
  ~DepthGuard() { --g_object_depth; }
};

int64_t Remaining(TStream& s) {
  return std::max<int64_t>(0, s.Size() - s.Position());
}

}  // namespace

void TLqSkinObject::ReadObjects(TStream& stream) {
  DepthGuard depth;
  const uint32_t word = ReadU32(stream);
  const bool compact = (word & kChildMarker) == kChildMarker;
  const uint32_t count = compact ? word & ~kChildMarker : word;
  // Every record holds at least two 32-bit fields.
  if (count > Remaining(stream) / 8) throw EReadError("Stream read error");
  for (uint32_t i = 0; i < count; ++i) {
    const std::string class_name = ReadString(stream);
    TMemoryStream binary;
    if (compact) {
      const uint32_t size = ReadU32(stream);
      if (size > Remaining(stream)) throw EReadError("Stream read error");
      std::vector<uint8_t> bytes = ReadBytes(stream, size);
      binary.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    } else {
      TStringStream text(ReadString(stream));
      if (FindSkinObjectClass(class_name)) ObjectTextToBinary(text, binary);
    }
    TClass cls = FindSkinObjectClass(class_name);
    if (!cls) continue;  // a class this library does not know: its record is skipped
    binary.SetPosition(0);
    auto* child = dynamic_cast<TLqSkinObject*>(cls->CreateComponent(this));
    if (!child) continue;
    try {
      binary.ReadComponent(child);
    } catch (...) {
      delete child;
      throw;
    }
    child->SetBitmapList(bitmap_list_);
  }
}

void TLqSkinObject::WriteObjects(TStream& stream) const {
  const int n = ChildCount();
  if (static_cast<uint32_t>(n) > kMaxSkinObjectCount)
    throw EWriteError("A skin object can store at most 65535 children; " + Name() + " has " +
                      std::to_string(n));
  WriteU32(stream, static_cast<uint32_t>(n) | kChildMarker);
  for (int i = 0; i < n; ++i) {
    TLqSkinObject* c = Child(i);
    TMemoryStream binary;
    if (c) binary.WriteComponent(c);
    WriteString(stream, c ? c->ClassName() : std::string("TLqSkinObject"));
    WriteU32(stream, static_cast<uint32_t>(binary.Size()));
    binary.SetPosition(0);
    if (binary.Size() > 0) stream.CopyFrom(binary, binary.Size());
  }
}

}  // namespace kiv
