// Solid fills on any device context through GDI.
#include <windows.h>

#include "graphics/kiv_color.hpp"
#include "themefiles/msstyles_paint.hpp"

namespace kiv {

void StyleFillDeviceRect(TkivDC dc, TRect rect, TColor color) {
  const TkivPixel p = ColorToPixel(color, 0);
  HBRUSH brush = CreateSolidBrush(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  FillRect(static_cast<HDC>(dc), &r, brush);
  DeleteObject(brush);
}

}  // namespace kiv
