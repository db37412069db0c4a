#pragma once
// Where the engine draws its frames: anything that names a device context at
// the moment a frame is drawn. A frame goes to that device context through
// the surface's drawing routes. The framework's canvas takes part through
// TkivCanvasFrame (effects/frame_canvas_win32.hpp); a surface through
// TkivSurfaceCanvas below (tests and tools), whose device context is the
// surface's own, so frames land in the surface.
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

class TkivFrameCanvas {
 public:
  virtual ~TkivFrameCanvas() = default;
  // The device context the next frame is drawn on.
  virtual TkivDC FrameDC() = 0;
  // Puts a composed frame at (x, y): through the surface's drawing routes
  // onto FrameDC. A place that knows its device context's kind may take a
  // shorter way to the same pixels.
  virtual void DrawFrame(const TkivBitmap& frame, int x, int y) { frame.Draw(FrameDC(), x, y); }
};

// Frames drawn into a surface.
class TkivSurfaceCanvas : public TkivFrameCanvas {
 public:
  explicit TkivSurfaceCanvas(TkivBitmap& surface) : surface_(surface) {}
  TkivDC FrameDC() override { return surface_.DC(); }

 private:
  TkivBitmap& surface_;
};

}  // namespace kiv
