// TPanel.
#include "framework/win32/panel.hpp"

#include "framework/win32/canvas.hpp"

namespace kiv {

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption |
                  csDoubleClicks | csOpaque);
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TPanel::FrameChanged() {
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
  if (v == bevel_inner_) return;
  bevel_inner_ = v;
  FrameChanged();
}
void TPanel::SetBevelOuter(TBevelCut v) {
  if (v == bevel_outer_) return;
  bevel_outer_ = v;
  FrameChanged();
}
void TPanel::SetBevelWidth(int v) {
  if (v == bevel_width_ || v < 1) return;
  bevel_width_ = v;
  FrameChanged();
}
void TPanel::SetBorderWidth(int v) {
  if (v == border_width_ || v < 0) return;
  border_width_ = v;
  FrameChanged();
}
void TPanel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TPanel::AdjustClientRect(TRect& r) {
  int inset = border_width_;
  if (bevel_outer_ != bvNone) inset += bevel_width_;
  if (bevel_inner_ != bvNone) inset += bevel_width_;
  r.Left += inset;
  r.Top += inset;
  r.Right -= inset;
  r.Bottom -= inset;
}

namespace {
// One-pixel-wide 3-D frame, top-left in one colour and bottom-right in the
// other, repeated width times inward.
void Frame3D(TCanvas* canvas, TRect& r, TColor top_left, TColor bottom_right, int width) {
  TPen* pen = canvas->Pen();
  pen->SetWidth(1);
  pen->SetStyle(psSolid);
  for (int i = 0; i < width; ++i) {
    --r.Right;
    --r.Bottom;
    pen->SetColor(top_left);
    canvas->Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
    pen->SetColor(bottom_right);
    canvas->Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
    ++r.Left;
    ++r.Top;
  }
}
void BevelColors(TBevelCut cut, TColor& tl, TColor& br) {
  tl = cut == bvLowered ? clBtnShadow : cut == bvRaised ? clBtnHighlight : clBtnFace;
  br = cut == bvLowered ? clBtnHighlight : cut == bvRaised ? clBtnShadow : clBtnFace;
}
}  // namespace

void TPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = Rect(0, 0, Width(), Height());
  TColor tl, br;
  if (bevel_outer_ != bvNone) {
    BevelColors(bevel_outer_, tl, br);
    Frame3D(canvas, r, tl, br, bevel_width_);
  }
  Frame3D(canvas, r, Color(), Color(), border_width_);
  if (bevel_inner_ != bvNone) {
    BevelColors(bevel_inner_, tl, br);
    Frame3D(canvas, r, tl, br, bevel_width_);
  }
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  std::wstring text = Caption();
  if (!text.empty()) {
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    UINT fmt = DT_SINGLELINE | DT_VCENTER |
               (alignment_ == taCenter         ? DT_CENTER
                : alignment_ == taRightJustify ? DT_RIGHT
                                               : DT_LEFT);
    HDC dc = canvas->Handle();
    canvas->TextExtent(L"");  // selects the font
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, fmt);
  }
  TCustomControl::Paint();
}

}  // namespace kiv
