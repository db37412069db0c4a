#pragma once
// Controls that paint themselves through a canvas: TGraphicControl (no
// window; the parent lends its paint context) and TCustomControl (its own
// window), with TControlCanvas, the canvas they draw on.
#include <windows.h>

#include <functional>
#include <memory>

#include "framework/win32/canvas.hpp"
#include "framework/win32/win_control.hpp"

namespace kiv {

// The control that paints through a canvas lent to it for the paint: the
// canvas's device context is the parent's or the window's paint context.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : control_(control) {}
  ~TControlCanvas() override;
  void FreeHandle();
  // Runs paint with the canvas drawing on dc, a paint's context.
  void PaintOn(HDC dc, const std::function<void()>& paint);

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  HDC owned_dc_ = nullptr;
  HWND owned_window_ = nullptr;
};

class TGraphicControl : public TControl {
  KIV_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  void Dispatch(TMessage& message) override;

 protected:
  virtual void Paint() {}
  virtual void WMPaint(TMessage& m);

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

class TCustomControl : public TWinControl {
  KIV_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  TNotifyEvent OnPaint;

 protected:
  virtual void Paint();
  void PaintWindow(HDC dc) override;
  void DestroyWnd() override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};
// Releases the device contexts that control canvases took for drawing
// outside a paint (the idle step does it).
void FreeDeviceContexts();

}  // namespace kiv
