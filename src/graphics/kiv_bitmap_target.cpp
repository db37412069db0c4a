// Portable twin of kiv_bitmap_target_win32.cpp: without GDI the only device
// contexts are surfaces' own, so drawing elsewhere draws nothing.
#ifndef _WIN32
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

TkivDrawTarget ClassifyDrawTarget(TkivDC dc) {
  TkivDrawTarget t;
  if (TkivBitmap* surface = FindBitmapByDC(dc)) {
    t.kind = TkivDrawTarget::kSurface;
    t.surface = surface;
    t.visible = surface->BoundsRect();
  }
  return t;
}

void DrawThroughGdi(const TkivBitmap&, TkivDC, TRect, TRect) {}

}  // namespace kiv
#endif
