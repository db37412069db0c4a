// Skin drawing on device contexts through GDI: colour fills, one-line texts
// in a framework font, and text widths measured on the screen.
#include <windows.h>

#include "framework/win32/canvas.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "themefiles/skin_paint.hpp"

namespace kiv {

namespace {

// Selects a font made from the framework font into dc for its lifetime.
class SelectedFont {
 public:
  SelectedFont(HDC dc, const TFont& font) : dc_(dc), font_(CreateFontHandle(font)) {
    old_ = SelectObject(dc_, font_);
  }
  ~SelectedFont() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

std::wstring Wide(const std::u16string& s) {
  return std::wstring(s.begin(), s.end());
}

}  // namespace

void SkinFillRect(TkivDC dc, const TRect& rect, TColor color) {
  if (color == clNone || rect.IsEmpty()) return;
  // A surface is filled with opaque pixels (GDI would leave alpha 0, which
  // later alpha-aware drawing of the surface takes for transparent).
  const TkivDrawTarget target = ClassifyDrawTarget(dc);
  if (target.kind == TkivDrawTarget::kSurface) {
    const TRect r{rect.Left - target.origin.X, rect.Top - target.origin.Y,
                  rect.Right - target.origin.X, rect.Bottom - target.origin.Y};
    target.surface->FillRect(r, ColorToPixel(color, 255));
    return;
  }
  FillRectColor(static_cast<HDC>(dc), rect, color);
}

void SkinDrawText(TkivDC handle, const std::u16string& text, const TRect& rect, const TFont& font,
                  TColor color, uint32_t format) {
  if (text.empty() || rect.IsEmpty()) return;
  HDC dc = static_cast<HDC>(handle);
  SelectedFont selected(dc, font);
  UINT flags = DT_SINGLELINE | DT_NOPREFIX;
  if (format & stfCenter) flags |= DT_CENTER;
  if (format & stfRight) flags |= DT_RIGHT;
  if (format & stfVCenter) flags |= DT_VCENTER;
  if (format & stfBottom) flags |= DT_BOTTOM;
  std::wstring t = Wide(text);
  if (format & stfEllipsis) t = EllipsisText(dc, t, rect.Width());
  const COLORREF old = SetTextColor(dc, ColorToRef(color));
  TRect r = rect;
  DrawTextWide(dc, t, r, flags);
  SetTextColor(dc, old);
}

int32_t SkinTextWidth(const std::u16string& text, const TFont& font) {
  if (text.empty()) return 0;
  HDC screen = GetDC(nullptr);
  int32_t width;
  {
    SelectedFont selected(screen, font);
    width = TextWidthWide(screen, Wide(text), DT_SINGLELINE | DT_NOPREFIX);
  }
  ReleaseDC(nullptr, screen);
  return width;
}

TkivDC SkinCanvasDC(TCanvas& canvas) {
  return static_cast<TkivDC>(canvas.Handle());
}

void* SkinMakeRegion(const std::vector<TRect>& rects) {
  if (rects.empty()) return nullptr;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const TRect& r : rects) {
    HRGN part = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  return region;
}

}  // namespace kiv
