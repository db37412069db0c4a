// The device-context side of drawing: what kind of destination a DC is, and
// the GDI fallbacks for destinations whose pixels cannot be reached directly.
#include <windows.h>

#include <cstdint>

#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_winapi_win32.hpp"

namespace kiv {

namespace {

TPoint WindowOrigin(HDC dc) {
  POINT p{0, 0};
  GetWindowOrgEx(dc, &p);
  return TPoint{p.x, p.y};
}

bool g_transparent_blt_allowed = true;

// TransparentBlt is used for key-coloured surfaces when the platform has it
// and the screen has more than 23 bits per pixel; decided once.
bool UseTransparentBlt() {
  if (!g_transparent_blt_allowed) return false;
  static const bool use = [] {
    if (!Platform().TransparentBltAvailable) return false;
    HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return depth > 23;
  }();
  return use;
}

// Compose through a temporary surface: read the destination area, draw onto
// it from surface to surface, write it back.
void Compose(const TkivBitmap& source, HDC dc, TRect dst, TRect src) {
  TkivBitmap temp;
  temp.SetSize(dst.Width(), dst.Height());
  if (temp.IsEmpty()) return;
  HDC tdc = static_cast<HDC>(temp.DC());
  BitBlt(tdc, 0, 0, temp.Width(), temp.Height(), dc, dst.Left, dst.Top, SRCCOPY);
  source.DrawTo(temp, TRect{0, 0, temp.Width(), temp.Height()}, src);
  BitBlt(dc, dst.Left, dst.Top, temp.Width(), temp.Height(), tdc, 0, 0, SRCCOPY);
}

// GetObject reports a positive height for top-down DIB sections as well, so
// the orientation is confirmed by a probe: one pixel written at device (0, 0)
// through the DC shows which memory row is the top. Both candidate pixels are
// restored. Returns false when the probe does not land (clipped DC).
bool ProbeBottomUp(HDC dc, TkivPixel* bits, int w, int h) {
  POINT origin{0, 0};
  DPtoLP(dc, &origin, 1);
  GdiFlush();
  TkivPixel* first = bits;
  TkivPixel* last = bits + static_cast<int64_t>(h - 1) * w;
  const TkivPixel keep_first = *first, keep_last = *last;
  // A colour unlike both candidates (GDI stores colours with alpha 0).
  COLORREF probe = 0x000001;
  while ((probe & 0xFFFFFF) ==
             ((keep_first & 0xFF) << 16 | (keep_first & 0xFF00) | ((keep_first >> 16) & 0xFF)) ||
         (probe & 0xFFFFFF) ==
             ((keep_last & 0xFF) << 16 | (keep_last & 0xFF00) | ((keep_last >> 16) & 0xFF)))
    probe += 0x010203;
  SetPixelV(dc, origin.x, origin.y, probe);
  GdiFlush();
  const bool top_row_is_last = *last != keep_last;
  const bool top_row_is_first = *first != keep_first;
  *first = keep_first;
  *last = keep_last;
  return top_row_is_last && (!top_row_is_first || h == 1);
}

}  // namespace

void AllowTransparentBlt(bool allowed) {
  g_transparent_blt_allowed = allowed;
}

TkivDrawTarget ClassifyDrawTarget(TkivDC handle) {
  TkivDrawTarget t;
  HDC dc = static_cast<HDC>(handle);
  if (dc == nullptr) return t;
  if (TkivBitmap* surface = FindBitmapByDC(handle)) {
    t.kind = TkivDrawTarget::kSurface;
    t.surface = surface;
    t.origin = WindowOrigin(dc);
    t.visible = TRect{t.origin.X, t.origin.Y, t.origin.X + surface->Width(),
                      t.origin.Y + surface->Height()};
    return t;
  }
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  DIBSECTION ds{};
  if (bitmap != nullptr && GetObjectW(bitmap, sizeof(ds), &ds) == sizeof(ds) &&
      ds.dsBm.bmBits != nullptr && ds.dsBm.bmBitsPixel == 32 && ds.dsBmih.biHeight > 0 &&
      ds.dsBm.bmWidth > 0 &&
      ProbeBottomUp(dc, static_cast<TkivPixel*>(ds.dsBm.bmBits), ds.dsBm.bmWidth,
                    ds.dsBm.bmHeight)) {
    t.kind = TkivDrawTarget::kDirectDib;
    t.dib = TkivPixelView{static_cast<TkivPixel*>(ds.dsBm.bmBits), ds.dsBm.bmWidth,
                          ds.dsBm.bmHeight, true};
    t.origin = WindowOrigin(dc);
    t.visible = TRect{t.origin.X, t.origin.Y, t.origin.X + t.dib.width, t.origin.Y + t.dib.height};
    return t;
  }
  t.kind = TkivDrawTarget::kGdi;
  RECT box;
  if (GetClipBox(dc, &box) == ERROR) {
    t.visible = TRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  } else {
    t.visible = TRect{box.left, box.top, box.right, box.bottom};
  }
  return t;
}

void DrawThroughGdi(const TkivBitmap& source, TkivDC handle, TRect dst, TRect src) {
  HDC dc = static_cast<HDC>(handle);
  if (source.IsEmpty() || dst.IsEmpty() || src.IsEmpty()) return;
  // Source rectangles outside the source draw nothing on every route.
  if (src.Left < 0 || src.Top < 0 || src.Right > source.Width() || src.Bottom > source.Height())
    return;
  HDC sdc = static_cast<HDC>(source.DC());
  if (source.AlphaBlend()) {
    Compose(source, dc, dst, src);
  } else if (source.Transparent()) {
    if (UseTransparentBlt()) {
      Platform().TransparentBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), sdc, src.Left,
                                src.Top, src.Width(), src.Height(), 0x7F007F);
    } else {
      Compose(source, dc, dst, src);
    }
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), sdc, src.Left, src.Top,
               src.Width(), src.Height(), SRCCOPY);
  }
}

}  // namespace kiv
