// Control canvases, TGraphicControl and TCustomControl.
#include "framework/win32/custom_control.hpp"

#include <algorithm>
#include <vector>
#include "framework/exceptions.hpp"

namespace kiv {

namespace {
std::vector<TControlCanvas*> g_canvases_with_dc;
}  // namespace

TControlCanvas::~TControlCanvas() {
  FreeHandle();
}

void TControlCanvas::FreeHandle() {
  if (!owned_dc_) return;
  SetHandle(nullptr);
  ReleaseDC(owned_window_, owned_dc_);
  owned_dc_ = nullptr;
  owned_window_ = nullptr;
  g_canvases_with_dc.erase(std::remove(g_canvases_with_dc.begin(), g_canvases_with_dc.end(), this),
                           g_canvases_with_dc.end());
}

// Drawing outside a paint: a device context of the control's window (or of
// the parent's, moved and clipped to a windowless control).
void TControlCanvas::CreateHandle() {
  HWND window;
  bool windowless = false;
  if (auto* win = dynamic_cast<TWinControl*>(control_)) {
    window = win->Handle();
  } else {
    if (!control_->Parent()) return;
    window = control_->Parent()->Handle();
    windowless = true;
  }
  HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) throw EOutOfResources("Out of system resources");
  if (windowless) {
    SetWindowOrgEx(dc, -control_->Left(), -control_->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
  }
  owned_dc_ = dc;
  owned_window_ = window;
  g_canvases_with_dc.push_back(this);
  SetHandle(dc);
}

// The paint's context lent for the paint: any context the canvas took for
// drawing outside a paint goes first, and the lock keeps the lent one from
// being taken away while paint code runs.
void TControlCanvas::PaintOn(HDC dc, const std::function<void()>& paint) {
  FreeHandle();
  Lock();
  SetHandle(dc);
  try {
    paint();
  } catch (...) {
    SetHandle(nullptr);
    Unlock();
    throw;
  }
  SetHandle(nullptr);
  Unlock();
}

void FreeDeviceContexts() {
  for (TControlCanvas* c : std::vector<TControlCanvas*>(g_canvases_with_dc))
    if (c->LockCount() == 0) c->FreeHandle();
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    WMPaint(m);
    return;
  }
  TControl::Dispatch(m);
}

void TGraphicControl::WMPaint(TMessage& m) {
  if (!m.WParam) return;
  canvas_->PaintOn(reinterpret_cast<HDC>(m.WParam), [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
  canvas_->FreeHandle();
}

void TCustomControl::DestroyWnd() {
  canvas_->FreeHandle();
  TWinControl::DestroyWnd();
}

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->PaintOn(dc, [this] { Paint(); });
}

}  // namespace kiv
