// Portable twin of msstyles_paint_win32.cpp: without GDI the only device
// contexts are surfaces' own, which StyleFillRect fills itself.
#ifndef _WIN32
#include "themefiles/msstyles_paint.hpp"

namespace kiv {

void StyleFillDeviceRect(TkivDC, TRect, TColor) {}

}  // namespace kiv
#endif
