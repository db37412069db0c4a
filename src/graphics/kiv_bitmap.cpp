// TkivBitmap: lifecycle, registry, whole-surface operations and drawing from
// surface to surface.
#include "graphics/kiv_bitmap.hpp"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/exceptions.hpp"
#include "framework/numeric.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_surface_memory.hpp"

namespace kiv {

// ---------------------------------------------------------------------------
// Registry

namespace {

// Created on the first registration; freed again when the last surface leaves,
// so nothing outlives the surfaces that used it.
std::vector<TkivBitmap*>* g_registry = nullptr;

void Register(TkivBitmap* bitmap) {
  if (g_registry == nullptr) g_registry = new std::vector<TkivBitmap*>();
  g_registry->push_back(bitmap);
}

void Unregister(TkivBitmap* bitmap) {
  if (g_registry == nullptr) return;
  auto it = std::find(g_registry->begin(), g_registry->end(), bitmap);
  if (it != g_registry->end()) g_registry->erase(it);
  if (g_registry->empty()) {
    delete g_registry;
    g_registry = nullptr;
  }
}

}  // namespace

const std::vector<TkivBitmap*>& BitmapRegistry() {
  static const std::vector<TkivBitmap*> empty;
  return g_registry != nullptr ? *g_registry : empty;
}

TkivBitmap* FindBitmapByDC(TkivDC dc) {
  if (g_registry == nullptr || dc == nullptr) return nullptr;
  for (TkivBitmap* b : *g_registry)
    if (b->DC() == dc) return b;
  return nullptr;
}

// ---------------------------------------------------------------------------
// Lifecycle

KIV_IMPLEMENT_CLASS(TkivBitmap, c) {}

TkivBitmap::TkivBitmap() = default;

TkivBitmap::~TkivBitmap() {
  ReleaseMemory();
}

void TkivBitmap::ReleaseMemory() {
  if (dc_ != nullptr) Unregister(this);
  TkivSurfaceMemory m{bits_, handle_, dc_};
  if (m.handle != nullptr || m.dc != nullptr) FreeSurfaceMemory(m);
  bits_ = nullptr;
  handle_ = nullptr;
  dc_ = nullptr;
}

void TkivBitmap::SetSize(int32_t w, int32_t h) {
  // Magnitudes in 64 bits: |INT32_MIN| does not fit in 32.
  const int64_t aw = w < 0 ? -int64_t{w} : int64_t{w};
  const int64_t ah = h < 0 ? -int64_t{h} : int64_t{h};
  if (aw == 0 || ah == 0 || (aw == width_ && ah == height_)) return;
  ReleaseMemory();
  // After a failure the surface is empty and reports the size 0 x 0.
  width_ = 0;
  height_ = 0;
  if (aw > INT32_MAX || ah > INT32_MAX ||
      static_cast<uint64_t>(aw) * static_cast<uint64_t>(ah) * sizeof(TkivPixel) > kMaxSurfaceBytes)
    throw Exception("Can't allocate the DIB handle");
  const TkivSurfaceMemory m =
      AllocateSurfaceMemory(static_cast<int32_t>(aw), static_cast<int32_t>(ah));
  bits_ = m.bits;
  handle_ = m.handle;
  dc_ = m.dc;
  Register(this);
  width_ = static_cast<int32_t>(aw);
  height_ = static_cast<int32_t>(ah);
}

// ---------------------------------------------------------------------------
// Pixel access and whole-surface operations

TkivPixel TkivBitmap::GetPixel(int32_t x, int32_t y) const {
  if (IsEmpty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return *PixelPtr(x, y);
}

void TkivBitmap::SetPixel(int32_t x, int32_t y, TkivPixel value) {
  if (IsEmpty() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  *PixelPtr(x, y) = value;
}

void TkivBitmap::Fill(TkivPixel value) {
  if (IsEmpty()) return;
  Kernels.FillBlock(bits_, width_, value, 0, 0, width_ - 1, height_ - 1);
}

void TkivBitmap::SetAlpha(uint8_t alpha) {
  if (IsEmpty()) return;
  Kernels.SetAlphaBlock(bits_, width_, alpha, 0, 0, width_ - 1, height_ - 1);
}

namespace {
TRect Intersect(const TRect& a, const TRect& b) {
  return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
}
}  // namespace

void TkivBitmap::SetAlphaRect(uint8_t alpha, TRect rect) {
  if (IsEmpty() || rect.IsEmpty()) return;
  const TRect r = Intersect(rect, BoundsRect());
  if (r.IsEmpty()) return;
  Kernels.SetAlphaBlock(bits_, width_, alpha, r.Left, r.Top, r.Right - 1, r.Bottom - 1);
}

void TkivBitmap::DetectAlpha() {
  alpha_blend_ = false;
  const int64_t n = int64_t{width_} * height_;
  for (int64_t i = 0; i < n; ++i) {
    const uint32_t a = bits_[i] >> 24;
    if (a != 0 && a != 255) {
      alpha_blend_ = true;
      return;
    }
  }
}

void TkivBitmap::SetTransparentColor(TkivPixel value) {
  transparent_ = false;
  const int32_t vr = (value >> 16) & 0xFF, vg = (value >> 8) & 0xFF, vb = value & 0xFF;
  const int64_t n = int64_t{width_} * height_;
  for (int64_t i = 0; i < n; ++i) {
    const TkivPixel p = bits_[i];
    const int32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    if (std::abs(r - vr) < 6 && std::abs(g - vg) < 6 && std::abs(b - vb) < 6) bits_[i] = KeyPixel;
  }
  transparent_ = true;
}

void TkivBitmap::FlipVertical() {
  if (IsEmpty()) return;
  std::vector<TkivPixel> row(static_cast<size_t>(width_));
  const size_t bytes = row.size() * sizeof(TkivPixel);
  for (int32_t i = 0; i < height_ / 2; ++i) {
    TkivPixel* a = ScanLine(i);
    TkivPixel* b = ScanLine(height_ - 1 - i);
    std::memcpy(row.data(), a, bytes);
    std::memcpy(a, b, bytes);
    std::memcpy(b, row.data(), bytes);
  }
}

namespace {

// Gives every pixel that is not fully transparent the colour recolour(p),
// keeping its alpha.
template <class Recolour>
void RecolourVisible(TkivPixel* bits, int64_t n, Recolour recolour) {
  for (int64_t i = 0; i < n; ++i) {
    const TkivPixel p = bits[i];
    if ((p >> 24) != 0) bits[i] = (recolour(p) & 0x00FFFFFFu) | (p & 0xFF000000u);
  }
}

}  // namespace

void TkivBitmap::ChangeBrightness(int16_t amount) {
  if (amount == 0) return;
  RecolourVisible(bits_, int64_t{width_} * height_,
                  [amount](TkivPixel p) { return Brighten(p, amount); });
}

void TkivBitmap::ChangeHue(int32_t amount) {
  if (amount == 0) return;
  RecolourVisible(bits_, int64_t{width_} * height_,
                  [amount](TkivPixel p) { return RotateHue(p, amount); });
}

TkivBitmapLink* TkivBitmap::CreateLink(TRect rect) const {
  auto link = std::make_unique<TkivBitmapLink>();
  link->SetBitmap(const_cast<TkivBitmap*>(this));
  link->SetRect(rect);
  link->SetName(name_);
  return link.release();
}

void TkivBitmap::Assign(const TPersistent* from) {
  if (from == nullptr || !from->Is<TkivBitmap>()) {
    TPersistent::Assign(from);
    return;
  }
  const TkivBitmap& source = static_cast<const TkivBitmap&>(*from);
  if (&source == this) return;
  SetSize(source.Width(), source.Height());
  if (IsEmpty()) return;
  // A source that is itself empty leaves the size alone (a size of zero changes
  // nothing), so only the common area can be copied.
  if (source.Width() == width_ && source.Height() == height_)
    std::memcpy(bits_, source.Bits(), static_cast<size_t>(width_) * height_ * sizeof(TkivPixel));
  name_ = source.Name();
  transparent_ = source.Transparent();
  alpha_blend_ = source.AlphaBlend();
}

// ---------------------------------------------------------------------------
// Drawing from surface to surface

namespace {

// One nearest-neighbour map entry: T(j * scale + first), truncated (surfaces)
// or rounded to even (DIBs), and kept inside [first, last] so that no float
// error can reach outside the source. The product is formed in double, which
// holds j * scale + first exactly for every size a surface can have (a 24-bit
// scale times a 28-bit index).
int32_t MapIndex(int64_t j, float scale, int32_t first, int32_t last, bool round) {
  const double v = static_cast<double>(j) * static_cast<double>(scale) + first;
  const int64_t k = round ? Round(v) : static_cast<int64_t>(v);
  return static_cast<int32_t>(std::clamp<int64_t>(k, first, last));
}

// (src size - 1) / (dst size - 1), divided in extended precision and held as a
// 32-bit float.
float MapScale(int64_t src_size, int64_t dst_size) {
  return static_cast<float>(static_cast<long double>(src_size - 1) /
                            static_cast<long double>(dst_size - 1));
}

// Scratch rows for stretching, kept between calls (drawing runs on one thread).
thread_local std::vector<int32_t> t_columns;
thread_local std::vector<TkivPixel> t_row_buffer;

enum class RowKind { kCopy, kKey, kBlend };

}  // namespace

void DrawSurfaceInto(const TkivBitmap& source, const TkivPixelView& target, TRect dst, TRect src,
                     bool round_maps) {
  // 1. Clip the destination to the target (64-bit: dst may be far off).
  const int64_t cl = std::max<int64_t>(dst.Left, 0), ct = std::max<int64_t>(dst.Top, 0);
  const int64_t cr = std::min<int64_t>(dst.Right, target.width);
  const int64_t cb = std::min<int64_t>(dst.Bottom, target.height);
  if (cr <= cl || cb <= ct) return;
  // 2. The source rectangle must lie inside the source; it is never clipped.
  //    An empty source has no pixels to stretch from.
  if (src.Left < 0 || src.Top < 0 || src.Right > source.Width() || src.Bottom > source.Height())
    return;
  if (src.Right <= src.Left || src.Bottom <= src.Top) return;

  const RowKind kind = source.AlphaBlend()    ? RowKind::kBlend
                       : source.Transparent() ? RowKind::kKey
                                              : RowKind::kCopy;
  const int32_t cw = static_cast<int32_t>(cr - cl);
  const int32_t ch = static_cast<int32_t>(cb - ct);
  const int64_t dw = int64_t{dst.Right} - dst.Left, dh = int64_t{dst.Bottom} - dst.Top;
  const int64_t sw = int64_t{src.Right} - src.Left, sh = int64_t{src.Bottom} - src.Top;
  const TkivKernelTable& k = Kernels;

  // 3. Same size: one kernel call per clipped row.
  if (dw == sw && dh == sh) {
    KivAssert(source.Bits() != nullptr && target.bits != nullptr, "kiv_bitmap");
    const int32_t sx = static_cast<int32_t>(src.Left + cl - dst.Left);
    const int32_t sy = static_cast<int32_t>(src.Top + ct - dst.Top);
    for (int32_t row = 0; row < ch; ++row) {
      const TkivPixel* s = source.PixelPtr(sx, sy + row);
      TkivPixel* d = target.Row(static_cast<int32_t>(ct) + row) + cl;
      switch (kind) {
        case RowKind::kCopy:
          k.CopyPixels(s, d, cw);
          break;
        case RowKind::kKey:
          k.KeyCopyPixels(s, d, cw);
          break;
        case RowKind::kBlend:
          k.BlendPixels(s, d, cw);
          break;
      }
    }
    EndMMX();
    return;
  }

  // 4. Nearest-neighbour stretch with one column map per call; the map holds
  //    columns relative to src.Left.
  EndMMX();
  t_columns.resize(static_cast<size_t>(cw));
  int32_t* columns = t_columns.data();
  if (dw < 2) {
    std::fill_n(columns, cw, (src.Left + src.Right - 1) / 2 - src.Left);
  } else {
    const float scale = MapScale(sw, dw);
    for (int32_t i = 0; i < cw; ++i)
      columns[i] =
          MapIndex(i + cl - dst.Left, scale, src.Left, src.Right - 1, round_maps) - src.Left;
  }
  const float row_scale = dh < 2 ? 0.0f : MapScale(sh, dh);
  if (kind != RowKind::kCopy) t_row_buffer.resize(static_cast<size_t>(cw));
  TkivPixel* buffer = t_row_buffer.data();
  const int32_t src_width = static_cast<int32_t>(sw);
  int32_t previous = -1;
  TkivPixel* previous_row = nullptr;
  for (int32_t row = 0; row < ch; ++row) {
    EndMMX();
    const int32_t source_row =
        dh < 2 ? (src.Top + src.Bottom - 1) / 2
               : MapIndex(row + ct - dst.Top, row_scale, src.Top, src.Bottom - 1, round_maps);
    TkivPixel* d = target.Row(static_cast<int32_t>(ct) + row) + cl;
    if (source_row != previous) {
      const TkivPixel* s = source.PixelPtr(src.Left, source_row);
      k.GatherPixels(s, src_width, columns, kind == RowKind::kCopy ? d : buffer, cw);
    } else if (kind == RowKind::kCopy) {
      std::memcpy(d, previous_row, static_cast<size_t>(cw) * sizeof(TkivPixel));
    }
    if (kind == RowKind::kKey) k.KeyCopyPixels(buffer, d, cw);
    if (kind == RowKind::kBlend) k.BlendPixels(buffer, d, cw);
    previous = source_row;
    previous_row = d;
  }
  EndMMX();
}

void TkivBitmap::DrawTo(TkivBitmap& target, int32_t x, int32_t y) const {
  DrawTo(target, x, y, BoundsRect());
}

void TkivBitmap::DrawTo(TkivBitmap& target, int32_t x, int32_t y, TRect src) const {
  DrawTo(target, TRect{x, y, x + src.Width(), y + src.Height()}, src);
}

void TkivBitmap::DrawTo(TkivBitmap& target, TRect dst, TRect src) const {
  if (target.IsEmpty()) return;
  DrawSurfaceInto(*this, TkivPixelView{target.Bits(), target.Width(), target.Height(), false}, dst,
                  src, false);
}

void TkivBitmap::MergeBehind(const TkivBitmap& source, int32_t x, int32_t y, TRect src) {
  if (IsEmpty() || source.IsEmpty()) return;
  int64_t sl = src.Left, st = src.Top, px = x, py = y;
  if (sl < 0) {
    px -= sl;
    sl = 0;
  }
  if (st < 0) {
    py -= st;
    st = 0;
  }
  const int64_t sr = std::min<int64_t>(src.Right, source.Width());
  const int64_t sb = std::min<int64_t>(src.Bottom, source.Height());
  // Source columns and rows whose destination lies inside this surface.
  const int64_t x0 = std::max(sl, sl - px), x1 = std::min(sr, sl - px + width_);
  const int64_t y0 = std::max(st, st - py), y1 = std::min(sb, st - py + height_);
  if (x1 <= x0 || y1 <= y0) return;
  const auto blend = Kernels.BlendPixel;
  const int32_t n = static_cast<int32_t>(x1 - x0);
  for (int64_t sy = y0; sy < y1; ++sy) {
    const TkivPixel* s = source.PixelPtr(static_cast<int32_t>(x0), static_cast<int32_t>(sy));
    TkivPixel* d = PixelPtr(static_cast<int32_t>(px + x0 - sl), static_cast<int32_t>(py + sy - st));
    for (int32_t i = 0; i < n; ++i) {
      const TkivPixel dp = d[i];
      const uint32_t a = dp >> 24;
      if (a == 0) {
        d[i] = s[i];
      } else if (a != 255) {
        d[i] = blend(dp, s[i]);  // this surface's pixel is the foreground
      }
    }
  }
  EndMMX();
}

void TkivBitmap::FillRect(TRect rect, TkivPixel value) {
  if (IsEmpty()) return;
  const TRect r = Intersect(rect, BoundsRect());
  if (r.IsEmpty()) return;
  if (alpha_blend_) {
    std::vector<TkivPixel> row(static_cast<size_t>(r.Width()), value);
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      Kernels.BlendPixels(row.data(), PixelPtr(r.Left, y), r.Width());
    EndMMX();
  } else {
    Kernels.FillBlock(bits_, width_, value, r.Left, r.Top, r.Right - 1, r.Bottom - 1);
  }
}

}  // namespace kiv
