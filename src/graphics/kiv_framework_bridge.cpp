// Portable twin of kiv_framework_bridge_win32.cpp: without a platform there
// are no system colours, so they resolve to black.
#ifndef _WIN32
#include "graphics/kiv_framework_bridge.hpp"

namespace kiv::bridge {

TColor ColorToRGB(TColor color) { return color < 0 ? 0 : color; }

}  // namespace kiv::bridge
#endif
