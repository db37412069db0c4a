#pragma once
// Where the engine draws its frames. On Win32 it is the framework's canvas
// (TCanvas): a frame goes to the canvas's device context through the
// surface's drawing routes. The portable build has no framework canvas; its
// stand-in holds a device-context token, which names a surface there, so
// frames go straight into that surface by the same drawing route.
#include "graphics/kiv_bitmap.hpp"

#if defined(_WIN32)
#include "framework/win32/graphics.hpp"
#endif

namespace kiv {

#if defined(_WIN32)
using TkivFrameCanvas = TCanvas;
inline TkivDC FrameCanvasDC(TkivFrameCanvas& canvas) {
  return canvas.Handle();
}
#else
class TkivFrameCanvas {
 public:
  virtual ~TkivFrameCanvas() = default;
  TkivDC Handle() const { return dc_; }
  void SetHandle(TkivDC dc) { dc_ = dc; }

 private:
  TkivDC dc_ = nullptr;
};
inline TkivDC FrameCanvasDC(TkivFrameCanvas& canvas) {
  return canvas.Handle();
}
#endif

// A canvas on a surface's device context: frames drawn on it land in the
// surface (tests and tools).
class TkivSurfaceCanvas : public TkivFrameCanvas {
 public:
  explicit TkivSurfaceCanvas(TkivBitmap& surface) {
#if defined(_WIN32)
    SetHandle(static_cast<HDC>(surface.DC()));
#else
    SetHandle(surface.DC());
#endif
  }
};

}  // namespace kiv
