#include "themefiles/msstyles_paint.hpp"

#include "framework/colors.hpp"
#include "graphics/kiv_color.hpp"

namespace kiv {

void StyleFillRect(TkivDC dc, TRect rect, TColor color) {
  if (color == clNone || rect.IsEmpty()) return;
  if (TkivBitmap* surface = FindBitmapByDC(dc)) {
    surface->FillRect(rect, ColorToPixel(color, 255));
  } else {
    StyleFillDeviceRect(dc, rect, color);
  }
}

void StyleFrameRect(TkivDC dc, TRect r, TColor color) {
  if (r.IsEmpty()) return;
  StyleFillRect(dc, TRect{r.Left, r.Top, r.Right, r.Top + 1}, color);
  StyleFillRect(dc, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
  StyleFillRect(dc, TRect{r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, color);
  StyleFillRect(dc, TRect{r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, color);
}

}  // namespace kiv
