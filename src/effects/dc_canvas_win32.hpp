#pragma once
// Frames drawn onto a Win32 device context (a window's or a memory DC).
#include <windows.h>

#include "effects/engine.hpp"

namespace kiv {

class TkivDCCanvas : public TkivFrameCanvas {
 public:
  explicit TkivDCCanvas(HDC dc) : dc_(dc) {}
  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc) { dc_ = dc; }
  // Copies the frame's pixels to (x, y) of the device context.
  void DrawFrame(const TkivFrameSurface& frame, int x, int y) override;

 private:
  HDC dc_;
};

}  // namespace kiv
