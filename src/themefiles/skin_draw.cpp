// Skin object drawing: the base drawing (fill, texts, children), the
// nine-part drawing of bitmap links, whole-bitmap and bitmap-box drawing,
// and the regions made from what an object paints.
#include <algorithm>

#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_utils.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_paint.hpp"

namespace kiv {

namespace {

bool Meets(const TRect& a, const TRect& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) &&
         std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

// Draws src of the surface into dst by a tile style.
void DrawStyled(const TkivBitmap& bmp, TkivDC dc, const TRect& src, const TRect& dst,
                TLqTileStyle style, const TRect& clip) {
  if (src.IsEmpty() || dst.IsEmpty()) return;
  const int32_t sw = src.Width(), sh = src.Height();
  auto tile = [&](const TRect& d) {
    if (clip.IsEmpty())
      bmp.Tile(dc, d, src);
    else
      bmp.TileClipped(dc, d, src, clip);
  };
  switch (style) {
    case tsTile:
      tile(dst);
      break;
    case tsStretch:
      bmp.Draw(dc, dst, src);
      break;
    case tsCenter:
      bmp.Draw(dc, CenterRect(Bounds(0, 0, sw, sh), dst), src);
      break;
    case tsVertCenterStretch:
    case tsVertCenterTile: {
      const TRect band = Bounds(dst.Left + (dst.Width() - sw) / 2, dst.Top, sw, dst.Height());
      if (style == tsVertCenterTile)
        tile(band);
      else
        bmp.Draw(dc, band, src);
      break;
    }
    case tsHorzCenterStretch:
    case tsHorzCenterTile: {
      const TRect band = Bounds(dst.Left, dst.Top + (dst.Height() - sh) / 2, dst.Width(), sh);
      if (style == tsHorzCenterTile)
        tile(band);
      else
        bmp.Draw(dc, band, src);
      break;
    }
  }
}

// Runs draw with the surface's key transparency set to flag, then restores it.
template <class F>
void WithTransparency(TkivBitmap& bmp, bool flag, F draw) {
  const bool saved = bmp.Transparent();
  bmp.SetTransparent(flag);
  draw();
  bmp.SetTransparent(saved);
}

// The nine parts of src (margins m) drawn into dst: centre by centre_style,
// edges by border_style, corners copied 1:1. Each group with the key
// transparency its flag gives.
struct NinePart {
  TLqTileStyle centre_style, border_style;
  bool centre_flag, border_flag, corner_flag, top_left_flag;
};

void DrawNine(TkivBitmap& bmp, TkivDC dc, const TRect& s, const TRect& d, const TRect& m,
              const NinePart& how, const TRect& clip) {
  WithTransparency(bmp, how.centre_flag, [&] {
    DrawStyled(bmp, dc, ShrinkRect(s, m), ShrinkRect(d, m), how.centre_style, clip);
  });
  WithTransparency(bmp, how.border_flag, [&] {
    const TLqTileStyle b = how.border_style;
    DrawStyled(bmp, dc, TRect{s.Left + m.Left, s.Top, s.Right - m.Right, s.Top + m.Top},
               TRect{d.Left + m.Left, d.Top, d.Right - m.Right, d.Top + m.Top}, b, clip);
    DrawStyled(bmp, dc, TRect{s.Left + m.Left, s.Bottom - m.Bottom, s.Right - m.Right, s.Bottom},
               TRect{d.Left + m.Left, d.Bottom - m.Bottom, d.Right - m.Right, d.Bottom}, b, clip);
    DrawStyled(bmp, dc, TRect{s.Left, s.Top + m.Top, s.Left + m.Left, s.Bottom - m.Bottom},
               TRect{d.Left, d.Top + m.Top, d.Left + m.Left, d.Bottom - m.Bottom}, b, clip);
    DrawStyled(bmp, dc, TRect{s.Right - m.Right, s.Top + m.Top, s.Right, s.Bottom - m.Bottom},
               TRect{d.Right - m.Right, d.Top + m.Top, d.Right, d.Bottom - m.Bottom}, b, clip);
  });
  auto corner = [&](const TRect& src, int32_t x, int32_t y) {
    if (!src.IsEmpty()) bmp.Draw(dc, x, y, src);
  };
  WithTransparency(bmp, how.top_left_flag, [&] {
    corner(TRect{s.Left, s.Top, s.Left + m.Left, s.Top + m.Top}, d.Left, d.Top);
  });
  WithTransparency(bmp, how.corner_flag, [&] {
    corner(TRect{s.Right - m.Right, s.Top, s.Right, s.Top + m.Top}, d.Right - m.Right, d.Top);
    corner(TRect{s.Left, s.Bottom - m.Bottom, s.Left + m.Left, s.Bottom}, d.Left,
           d.Bottom - m.Bottom);
    corner(TRect{s.Right - m.Right, s.Bottom - m.Bottom, s.Right, s.Bottom}, d.Right - m.Right,
           d.Bottom - m.Bottom);
  });
}

// The centre area of the nine-part drawing: where S's own size or band goes.
TRect CentreArea(const TRect& s, const TRect& d, TLqTileStyle style) {
  switch (style) {
    case tsTile:
    case tsStretch:
      return d;
    case tsCenter:
      return CenterRect(Bounds(0, 0, s.Width(), s.Height()), d);
    case tsVertCenterStretch:
    case tsVertCenterTile:
      return Bounds(d.Left + (d.Width() - s.Width()) / 2, d.Top, s.Width(), d.Height());
    default:
      return Bounds(d.Left, d.Top + (d.Height() - s.Height()) / 2, d.Width(), s.Height());
  }
}

uint32_t TextFormat(TLqTextAlign align, bool mirrored) {
  static constexpr uint32_t kColumn[] = {stfLeft, stfCenter, stfRight};
  static constexpr uint32_t kRow[] = {stfTop, stfVCenter, stfBottom};
  int column = align % 3;
  if (mirrored) column = 2 - column;
  return kColumn[column] | kRow[align / 3];
}

bool Outside(const TRect& object, const TRect& clip) {
  return !clip.IsEmpty() && !Meets(object, clip);
}

}  // namespace

// ---- base drawing

void TLqSkinObject::Draw(TkivDC dc, const TRect& clip) {
  DrawBase(dc, clip);
}

void TLqSkinObject::DrawBase(TkivDC dc, const TRect& clip) {
  if (!visible_ || !HasArea() || Outside(BoundsRect(), clip)) return;
  if (ChildCount() == 0 || draw_if_owner_) {
    const TColor fill = PaintColor();
    if (fill != clNone) SkinFillRect(dc, BoundsRect(), fill);
    DrawTexts(dc, PaintFont());
  }
  DrawChildren(dc, clip);
}

void TLqSkinObject::DrawChildren(TkivDC dc, const TRect& clip) {
  for (int i = 0; i < ChildCount(); ++i) {
    TLqSkinObject* c = Child(i);
    if (!c || !c->Visible() || !c->HasArea()) continue;
    if (clip.IsEmpty() || Meets(c->BoundsRect(), clip)) c->Draw(dc, clip);
  }
}

void TLqSkinObject::DrawTexts(TkivDC dc, TFont* font) {
  if (!font) return;
  const TRect r{left_ + text_margin_left_, top_ + text_margin_top_,
                left_ + width_ - text_margin_right_, top_ + height_};
  if (text_ == u"-") {
    const int32_t y = r.Top + r.Height() / 2;
    SkinFillRect(dc, TRect{r.Left + 3, y, r.Right - 3, y + 1}, font->Color());
  } else if (!text_.empty()) {
    uint32_t format = TextFormat(text_align_, false);
    if (kind_ == skTitle) format |= stfEllipsis;
    if (text_effect_ == teShadow)
      SkinDrawText(dc, text_, TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1}, *font,
                   0x808080, format);
    SkinDrawText(dc, text_, r, *font, font->Color(), format);
  }
  if (!second_text_.empty())
    SkinDrawText(dc, second_text_, r, *font, font->Color(), TextFormat(text_align_, true));
}

// ---- bitmap objects

void TLqBitmapObject::Draw(TkivDC dc, const TRect& clip) {
  if (!Visible() || !HasArea() || Outside(BoundsRect(), clip)) return;
  TkivBitmapLink* link = CurrentLink();
  if (!LinkUsable(link)) return;
  if (!HasMargins() && Color() == clNone) {
    DrawBase(dc, clip);
    return;
  }
  TkivBitmap& bmp = *link->Bitmap();
  const TRect s = link->Rect();
  const TRect d = BoundsRect();
  if (!HasMargins()) {
    WithTransparency(bmp, link->HasMaskedBody(),
                     [&] { DrawStyled(bmp, dc, s, d, TileStyle(), clip); });
  } else {
    DrawNine(bmp, dc, s, CentreArea(s, d, TileStyle()), Margins(),
             NinePart{TileStyle(), BorderTileStyle(), link->HasMaskedBody(),
                      link->HasMaskedBorder(), link->HasMaskedAngles(), link->HasMaskedAngles()},
             clip);
  }
  DrawTexts(dc, PaintFont());
  PlaceChildren();
  DrawOwnChildren(dc, clip);
}

void TLqBitmapSkinObject::Draw(TkivDC dc, const TRect& clip) {
  if (!Visible() || !HasArea() || Outside(BoundsRect(), clip)) return;
  TkivBitmapLink* link = CurrentLink();
  // The whole bitmap is tiled, stretched or centred; the band styles belong
  // to the nine-part drawing and paint nothing here.
  if (LinkUsable(link) && TileStyle() <= tsCenter) {
    TkivBitmap& bmp = *link->Bitmap();
    const bool keyed = link->HasMaskedBody() || link->HasMaskedBorder() || link->HasMaskedAngles();
    WithTransparency(bmp, keyed,
                     [&] { DrawStyled(bmp, dc, link->Rect(), BoundsRect(), TileStyle(), clip); });
  }
  DrawTexts(dc, PaintFont());
}

void TLqBitmapBoxObject::Draw(TkivDC dc, const TRect& clip) {
  if (!Visible() || !HasArea() || Outside(BoundsRect(), clip)) return;
  TkivBitmapLink* link = CurrentLink();
  if (!LinkUsable(link)) return;
  TkivBitmap& bmp = *link->Bitmap();
  const bool body = link->HasMaskedBody();
  if (!HasMargins()) {
    WithTransparency(bmp, body,
                     [&] { DrawStyled(bmp, dc, link->Rect(), BoundsRect(), TileStyle(), clip); });
  } else {
    DrawNine(bmp, dc, link->Rect(), BoundsRect(), Margins(),
             NinePart{TileStyle(), border_tile_style_, body, body, body, Masked()}, clip);
  }
  DrawTexts(dc, PaintFont());
}

// ---- regions

TLqRegion TLqSkinObject::CreateObjectRegion() {
  return TLqRegion{BoundsRect()};
}

TLqRegion TLqSkinObject::MaskRegion() {
  const TRect own = BoundsRect();
  // The surface spans the canvas from its origin to the object's far
  // corner, so that the object paints at its own coordinates.
  const int32_t w = std::max(0, own.Right), h = std::max(0, own.Bottom);
  if (uint64_t(w) * uint64_t(h) * 4 > kMaxSurfaceBytes / 4) return TLqRegion{own};
  TkivBitmap surface;
  surface.SetSize(w, h);
  if (surface.IsEmpty()) return {};
  surface.Fill(KeyPixel);
  Draw(surface.DC(), TRect{});
  TLqRegion runs;
  for (const TRect& r : RegionRects(surface, 0, 0)) {
    const TRect cut{std::max(r.Left, own.Left), std::max(r.Top, own.Top),
                    std::min(r.Right, own.Right), std::min(r.Bottom, own.Bottom)};
    if (!cut.IsEmpty()) runs.push_back(cut);
  }
  return runs;
}

TLqRegion TLqBitmapObject::CreateObjectRegion() {
  if (Kind() == skClient || !Masked()) return TLqSkinObject::CreateObjectRegion();
  return MaskRegion();
}

TLqRegion TLqBitmapSkinObject::CreateObjectRegion() {
  if (Kind() == skClient || !Masked()) return TLqSkinObject::CreateObjectRegion();
  return MaskRegion();
}

}  // namespace kiv
