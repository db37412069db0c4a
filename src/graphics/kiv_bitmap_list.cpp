#include "graphics/kiv_bitmap_list.hpp"

#include <algorithm>
#include <memory>

#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TkivBitmapLink, c) {
  c.String("Name", &TkivBitmapLink::Name, &TkivBitmapLink::SetName);
  c.Integer("Left", &TkivBitmapLink::Left, &TkivBitmapLink::SetLeft);
  c.Integer("Top", &TkivBitmapLink::Top, &TkivBitmapLink::SetTop);
  c.Integer("Right", &TkivBitmapLink::Right, &TkivBitmapLink::SetRight);
  c.Integer("Bottom", &TkivBitmapLink::Bottom, &TkivBitmapLink::SetBottom);
}

void TkivBitmapLink::Assign(const TPersistent* from) {
  if (from == nullptr || !from->Is<TkivBitmapLink>()) {
    TPersistent::Assign(from);
    return;
  }
  const TkivBitmapLink& source = static_cast<const TkivBitmapLink&>(*from);
  bitmap_ = source.bitmap_;
  rect_ = source.rect_;
  name_ = source.name_;
  masked_border_ = source.masked_border_;
  masked_angles_ = source.masked_angles_;
  masked_body_ = source.masked_body_;
}

bool TkivBitmapLink::IsValid() const {
  // Both sides positive: a product of two negative sides is no area.
  return bitmap_ != nullptr && rect_.Right > rect_.Left && rect_.Bottom > rect_.Top;
}

namespace {
// 0x33333333 is never transparent; otherwise the key pixel and every pixel
// not fully opaque are. Pixels outside the surface read as 0.
inline bool IsMasked(TkivPixel p) {
  return p != 0x33333333u && (p == KeyPixel || (p >> 24) < 255);
}
// A part: left and top edges inside, right and bottom outside.
inline bool InPart(int64_t u, int64_t v, int64_t l, int64_t t, int64_t r, int64_t b) {
  return u >= l && u < r && v >= t && v < b;
}
}  // namespace

void TkivBitmapLink::Analyse(TRect margins) {
  masked_border_ = masked_angles_ = masked_body_ = false;
  if (bitmap_ == nullptr) return;
  const int64_t w = int64_t{rect_.Right} - rect_.Left;
  const int64_t h = int64_t{rect_.Bottom} - rect_.Top;
  if (w <= 0 || h <= 0) return;
  const int64_t ml = margins.Left, mt = margins.Top, mr = margins.Right, mb = margins.Bottom;
  // The nine parts in offsets from the rectangle's top-left corner.
  struct Part {
    int64_t l, t, r, b;
    bool* flag;
  };
  const bool no_margins = ml == 0 && mt == 0 && mr == 0 && mb == 0;
  std::vector<Part> parts;
  if (no_margins) {
    parts.push_back({0, 0, w, h, &masked_body_});
  } else {
    parts = {{0, 0, ml, mt, &masked_angles_},         {w - mr, 0, w, mt, &masked_angles_},
             {w - mr, h - mb, w, h, &masked_angles_}, {0, h - mb, ml, h, &masked_angles_},
             {ml, 0, w - mr, mt, &masked_border_},    {ml, h - mb, w - mr, h, &masked_border_},
             {0, mt, ml, h - mb, &masked_border_},    {w - mr, mt, w, h - mb, &masked_border_},
             {ml, mt, w - mr, h - mb, &masked_body_}};
  }
  // Pixels outside the surface read as 0, which is transparent: a part that
  // reaches outside the surface is masked without visiting those pixels.
  const int64_t sw = bitmap_->Width(), sh = bitmap_->Height();
  for (Part& p : parts) {
    const int64_t l = std::max<int64_t>(p.l, 0), t = std::max<int64_t>(p.t, 0);
    const int64_t r = std::min(p.r, w), b = std::min(p.b, h);
    if (r <= l || b <= t) continue;
    const int64_t x0 = rect_.Left + l, y0 = rect_.Top + t, x1 = rect_.Left + r, y1 = rect_.Top + b;
    if (x0 < 0 || y0 < 0 || x1 > sw || y1 > sh) *p.flag = true;
  }
  // The pixels inside the surface.
  const int64_t ix0 = std::max<int64_t>(rect_.Left, 0), iy0 = std::max<int64_t>(rect_.Top, 0);
  const int64_t ix1 = std::min<int64_t>(rect_.Right, sw), iy1 = std::min<int64_t>(rect_.Bottom, sh);
  for (int64_t y = iy0; y < iy1; ++y) {
    const TkivPixel* row = bitmap_->ScanLine(static_cast<int32_t>(y));
    for (int64_t x = ix0; x < ix1; ++x) {
      if (!IsMasked(row[x])) continue;
      const int64_t u = x - rect_.Left, v = y - rect_.Top;
      for (Part& p : parts)
        if (InPart(u, v, p.l, p.t, p.r, p.b)) *p.flag = true;
      if (no_margins) return;  // the first transparent pixel decides
    }
  }
}

void TkivBitmapList::Clear() {
  for (int i = 0; i < Count(); ++i) delete static_cast<TkivBitmap*>(Items(i));
  TList::Clear();
}

TkivBitmap* TkivBitmapList::GetBitmap(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return static_cast<TkivBitmap*>(Items(index));
}

TkivBitmap* TkivBitmapList::FindBitmap(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    auto* b = static_cast<TkivBitmap*>(Items(i));
    if (b != nullptr && SameText(b->Name(), name)) return b;
  }
  return nullptr;
}

TkivBitmapLink* TkivBitmapList::CreateLink(const std::string& name, TRect rect) const {
  TkivBitmap* b = FindBitmap(name);
  return b != nullptr ? b->CreateLink(rect) : nullptr;
}

}  // namespace kiv
