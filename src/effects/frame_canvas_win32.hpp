#pragma once
// The framework's canvas as the place of an animation's frames (Windows
// only): each frame goes to the canvas's device context as it is when the
// frame is drawn.
#include "effects/frame_canvas.hpp"
#include "framework/win32/graphics.hpp"

namespace kiv {

class TkivCanvasFrame : public TkivFrameCanvas {
 public:
  explicit TkivCanvasFrame(TCanvas& canvas) : canvas_(canvas) {}
  TkivDC FrameDC() override { return canvas_.Handle(); }

 private:
  TCanvas& canvas_;
};

}  // namespace kiv
