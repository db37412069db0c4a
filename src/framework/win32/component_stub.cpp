#include "framework/win32/component_stub.hpp"

#include <windows.h>

#include "framework/numeric.hpp"

namespace kiv {

TColor ColorToRGB(TColor color) {
  if ((color & kSysColorBase) == kSysColorBase) return static_cast<TColor>(GetSysColor(color & 0xFF));
  return color;
}

int32_t TFont::Size() const { return -MulDiv(height_, 72, pixels_per_inch_); }
void TFont::SetSize(int32_t v) { SetHeight(-MulDiv(v, pixels_per_inch_, 72)); }

}  // namespace kiv
