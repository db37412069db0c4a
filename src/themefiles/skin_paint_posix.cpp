// Portable twin of skin_paint_win32.cpp: fills reach surfaces' own device
// contexts; there is no text without the platform's fonts.
#ifndef _WIN32
#include "framework/colors.hpp"
#include "graphics/kiv_color.hpp"
#include "themefiles/skin_paint.hpp"

namespace kiv {

void SkinFillRect(TkivDC dc, const TRect& rect, TColor color) {
  if (color == clNone) return;
  const TkivDrawTarget target = ClassifyDrawTarget(dc);
  if (target.kind != TkivDrawTarget::kSurface) return;
  const TRect r{rect.Left - target.origin.X, rect.Top - target.origin.Y,
                rect.Right - target.origin.X, rect.Bottom - target.origin.Y};
  target.surface->FillRect(r, ColorToPixel(color, 255));
}

void SkinDrawText(TkivDC, const std::u16string&, const TRect&, const TFont&, TColor, uint32_t) {}

int32_t SkinTextWidth(const std::u16string&, const TFont&) {
  return 0;
}

TkivDC SkinCanvasDC(TCanvas&) {
  return nullptr;
}

void* SkinMakeRegion(const std::vector<TRect>&) {
  return nullptr;
}

}  // namespace kiv
#endif
