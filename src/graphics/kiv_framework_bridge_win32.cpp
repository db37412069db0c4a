#include <windows.h>

#include "graphics/kiv_framework_bridge.hpp"

namespace kiv::bridge {

TColor ColorToRGB(TColor color) {
  if (color < 0) return static_cast<TColor>(GetSysColor(color & 0xFF));
  return color;
}

}  // namespace kiv::bridge
