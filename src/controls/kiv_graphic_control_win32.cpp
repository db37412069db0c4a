// TKivGraphicControl: the windowless themed control.
#include <algorithm>
#include <memory>

#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "framework/class_builder.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivGraphicControl, c) {
  c.Enum("Performance", &TKivGraphicControl::Performance, &TKivGraphicControl::SetPerformance,
         kKivPerformanceNames)
      .Default(qspNoBuffer);
  c.Color("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
  c.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  c.Event("OnMouseEnter", &TKivGraphicControl::OnMouseEnter);
  c.Event("OnMouseLeave", &TKivGraphicControl::OnMouseLeave);
}

TKivGraphicControl::TKivGraphicControl(TComponent* owner) : TGraphicControl(owner) {
  StartControlsUnit();
  SetControlStyle(ControlStyle() | csOpaque);
  SetParentColor(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 100, 30);
}

TKivGraphicControl::~TKivGraphicControl() = default;

void TKivGraphicControl::SetPerformance(TKivPerformance value) {
  if (value == performance_) return;
  performance_ = value;
  Invalidate();
}

void TKivGraphicControl::Loaded() {
  TGraphicControl::Loaded();
  Invalidate();
}

// A control being painted as its own parent's background (a copy) does not
// paint itself into that background.
void TKivGraphicControl::WMPaint(TMessage& m) {
  if (ControlState() & csPaintCopy) return;
  TGraphicControl::WMPaint(m);
}

void TKivGraphicControl::Paint() {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  TCanvas* canvas = Canvas();
  canvas->Lock();
  HDC target = canvas->Handle();
  const TSize shared = SharedBufferSize();
  TKivPerformance mode = performance_;
  if (mode == qspSharedBuffer && (w > shared.cx || h > shared.cy)) mode = qspDoubleBuffer;
  TkivBitmap* surface = nullptr;
  if (mode == qspSharedBuffer) {
    surface = &SharedBuffer();
    surface->SetTransparent(false);
    if (surface->IsEmpty()) surface->SetSize(shared.cx, shared.cy);
  }
  paint_clip_ = TRect{0, 0, w, h};
  if (mode == qspDoubleBuffer) {
    if (!own_buffer_) own_buffer_ = std::make_unique<TkivBitmap>();
    if (own_buffer_->Width() != w || own_buffer_->Height() != h) {
      own_buffer_->SetSize(w, h);
    } else if (RECT clip; GetClipBox(target, &clip) != ERROR) {
      paint_clip_ = TRect{std::max(clip.left, 0L), std::max(clip.top, 0L),
                          std::min<LONG>(clip.right, w), std::min<LONG>(clip.bottom, h)};
    }
    own_buffer_->SetTransparent(false);
    surface = own_buffer_.get();
  }
  HDC dc = surface ? static_cast<HDC>(surface->DC()) : target;
  const int saved = surface ? SaveDC(dc) : 0;
  // A buffer kept between paints still holds the rest of the control: draw
  // and copy only the part the paint asks for.
  const bool part = paint_clip_ != TRect{0, 0, w, h};
  if (part)
    IntersectClipRect(dc, paint_clip_.Left, paint_clip_.Top, paint_clip_.Right, paint_clip_.Bottom);
  canvas->SetHandle(dc);
  try {
    paint_font_.Assign(Font());
    PaintControl();
    canvas->SetHandle(nullptr);
    if (surface) {
      RestoreDC(dc, saved);
      surface->Draw(target, paint_clip_.Left, paint_clip_.Top, paint_clip_);
    }
  } catch (...) {
    canvas->SetHandle(nullptr);
    if (surface) RestoreDC(dc, saved);
    canvas->SetHandle(target);
    canvas->Unlock();
    throw;
  }
  canvas->SetHandle(target);
  canvas->Unlock();
}

void TKivGraphicControl::PaintControl() {
  FillRectColor(Canvas(), TRect{0, 0, Width(), Height()}, Color());
}

void TKivGraphicControl::CMMouseEnter(TMessage& m) {
  TGraphicControl::CMMouseEnter(m);
  MouseEnter();
}

void TKivGraphicControl::CMMouseLeave(TMessage& m) {
  TGraphicControl::CMMouseLeave(m);
  MouseLeave();
}

void TKivGraphicControl::MouseEnter() {
  hot_ = true;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TKivGraphicControl::MouseLeave() {
  hot_ = false;
  if (OnMouseLeave) OnMouseLeave(this);
}

}  // namespace kiv
