// TKivControl's painting: the buffering modes, the frame (visual-styles edit
// frame, bevels, border rings) and the erase requests.
#include <memory>

#include "controls/kiv_control_win32.hpp"
#include "framework/win32/bitmap.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"

namespace kiv {

namespace {

// One device context to paint on for the length of a paint: the window's,
// the shared surface, or a surface (or a device-dependent bitmap on screens
// that are not 24 or 32 bits deep) of the control's own. The control keeps
// its own surface between paints (own) and makes it again only when its
// size changes: making and freeing a surface and its device context costs
// more than the whole paint of a button.
class TPaintSurface {
 public:
  TPaintSurface(TKivPerformance mode, HDC target, int width, int height, bool fill_shared,
                std::unique_ptr<TkivBitmap>& own)
      : target_(target), width_(width), height_(height) {
    const TSize shared_size = SharedBufferSize();
    // A control larger than the shared surface could not be copied out of
    // it; it paints through a buffer of its own instead.
    if (mode == qspSharedBuffer && (width > shared_size.cx || height > shared_size.cy))
      mode = qspDoubleBuffer;
    switch (mode) {
      case qspNoBuffer:
        dc_ = target;
        break;
      case qspSharedBuffer:
        surface_ = &SharedBuffer();
        surface_->SetTransparent(false);
        if (surface_->IsEmpty()) surface_->SetSize(shared_size.cx, shared_size.cy);
        if (fill_shared) surface_->FillRect(TRect{0, 0, width, height}, KeyPixel);
        dc_ = static_cast<HDC>(surface_->DC());
        break;
      case qspDoubleBuffer: {
        const TPixelFormat screen = ScreenPixelFormat();
        if (screen == pf24bit || screen == pf32bit) {
          if (!own) own = std::make_unique<TkivBitmap>();
          if (own->Width() != width || own->Height() != height) own->SetSize(width, height);
          own->SetTransparent(false);
          surface_ = own.get();
          dc_ = static_cast<HDC>(own->DC());
        } else {
          ddb_ = std::make_unique<TBitmap>();
          ddb_->SetHandleType(bmDDB);
          ddb_->SetSize(width, height);
          dc_ = ddb_->Canvas()->Handle();
        }
        break;
      }
    }
    if (dc_ != target_) saved_ = SaveDC(dc_);
  }
  ~TPaintSurface() {
    if (dc_ != target_) RestoreDC(dc_, saved_);
  }
  HDC DC() const { return dc_; }

  // Copies what was painted to the target.
  void Present() {
    if (dc_ == target_) return;
    RestoreDC(dc_, saved_);
    saved_ = SaveDC(dc_);
    if (surface_) {
      surface_->Draw(target_, 0, 0, TRect{0, 0, width_, height_});
    } else {
      TCanvas canvas;
      canvas.SetHandle(target_);
      canvas.Draw(0, 0, ddb_.get());
      canvas.SetHandle(nullptr);
    }
  }

 private:
  HDC target_;
  int width_, height_;
  HDC dc_ = nullptr;
  int saved_ = 0;
  TkivBitmap* surface_ = nullptr;
  std::unique_ptr<TBitmap> ddb_;
};

struct TBevelColors {
  TColor OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
};

// Indexed by TKivBevelCut.
constexpr TBevelColors kBevelColors[] = {
    {clBtnFace, clBtnFace, clBtnFace, clBtnFace},              // qbvNone (not drawn)
    {clBtnShadow, clBtnHighlight, cl3DDkShadow, clBtnFace},    // qbvLowered
    {clBtnHighlight, cl3DDkShadow, clBtnShadow, clBtnShadow},  // qbvRaised
    {clBtnFace, clBtnFace, clBtnFace, clBtnFace},              // qbvSpace
    {cl3DDkShadow, cl3DDkShadow, clWindow, clWindow},          // qbvBorder
    {clBtnShadow, clBtnShadow, clBtnFace, clBtnFace},          // qbvFlatBorder
};
static_assert(std::size(kBevelColors) == qbvFlatBorder + 1);

// Part 1 (the edit field) of class "Edit", whose states are 1 normal,
// 2 hot, 3 focused, 4 disabled.
void DrawEditTheme(HANDLE theme, HDC dc, const TRect& rect, int state) {
  if (!theme) return;
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  Platform().DrawThemeBackground(static_cast<HTHEME>(theme), dc, 1, state, &r, nullptr);
}

}  // namespace

void TKivControl::Paint() {
  if (Width() <= 0 || Height() <= 0 || paint_width_ <= 0 || paint_height_ <= 0) return;
  TCanvas* canvas = Canvas();
  HDC target = canvas->Handle();
  if (performance_ != qspDoubleBuffer) own_buffer_.reset();
  TPaintSurface surface(performance_, target, paint_width_, paint_height_, true, own_buffer_);
  canvas->SetHandle(surface.DC());
  try {
    paint_font_.Assign(Font());
    HDC dc = surface.DC();
    const TRect inner = PaintInnerRect();
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
    PaintFrame();
    canvas->SetHandle(nullptr);
    RestoreDC(dc, saved);
    canvas->SetHandle(dc);
    if (scroll_bar_kind_ == kScrollBarBoth) {
      const TRect client = GetClientRect();
      IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
    }
    PaintClient();
    canvas->SetHandle(nullptr);
    surface.Present();
  } catch (...) {
    canvas->SetHandle(target);
    throw;
  }
  canvas->SetHandle(target);
}

void TKivControl::PaintFrameAndClient() {
  paint_font_.Assign(Font());
  PaintFrame();
  HDC dc = Canvas()->Handle();
  if (scroll_bar_kind_ == kScrollBarBoth) {
    const TRect client = GetClientRect();
    IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  }
  PaintClient();
}

void TKivControl::PaintClient() {
  FillRectColor(Canvas(), GetInnerRect(), Color());
}

void TKivControl::PaintFrame() {
  HDC dc = Canvas()->Handle();
  const bool system = VisualStylesActive() && use_system_frame_;
  const TRect all{0, 0, paint_width_, paint_height_};
  if (scroll_bar_kind_ == kScrollBarBoth) {
    const TRect corner{all.Right - 20, all.Bottom - 20, all.Right, all.Bottom};
    if (system)
      DrawEditTheme(ThemeData(L"Edit"), dc, corner, 0);
    else
      FillRectColor(dc, corner, Color());
  }
  const TRect inner = GetInnerRect();
  if (inner == all) return;
  if (system) {
    const int state = !Enabled() ? 4 : has_focus_ ? 3 : hot_ ? 2 : 1;
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
    DrawEditTheme(ThemeData(L"Edit"), dc, all, state);
    RestoreDC(dc, saved);
    return;
  }
  TRect r = all;
  if (frame_.BevelWidth > 0) {
    if (frame_.BevelOuter != qbvNone) PaintBevel(dc, r, frame_.BevelOuter, true);
    if (frame_.BevelInner != qbvNone) PaintBevel(dc, r, frame_.BevelInner, false);
  }
  for (int i = 0; i < frame_.BorderWidth; ++i) {
    DrawFrameRect(dc, r, Color());
    r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
}

// BevelWidth one-pixel passes on the sides in BevelSides; each drawn side
// then moves one pixel inward.
void TKivControl::PaintBevel(HDC dc, TRect& r, TKivBevelCut cut, bool outer) {
  const TBevelColors& c = kBevelColors[cut];
  const TColor top_left = outer ? c.OuterTopLeft : c.InnerTopLeft;
  const TColor bottom_right = outer ? c.OuterBottomRight : c.InnerBottomRight;
  const TKivBevelSides sides = frame_.BevelSides;
  for (int i = 0; i < frame_.BevelWidth; ++i) {
    if (sides.Contains(qbsLeft)) {
      MoveToPoint(dc, r.Left, r.Top);
      DrawLineTo(dc, r.Left, r.Bottom, top_left);
    }
    if (sides.Contains(qbsTop)) {
      MoveToPoint(dc, r.Left, r.Top);
      DrawLineTo(dc, r.Right, r.Top, top_left);
    }
    if (sides.Contains(qbsBottom)) {
      MoveToPoint(dc, r.Left, r.Bottom - 1);
      DrawLineTo(dc, r.Right, r.Bottom - 1, bottom_right);
    }
    if (sides.Contains(qbsRight)) {
      MoveToPoint(dc, r.Right - 1, r.Top);
      DrawLineTo(dc, r.Right - 1, r.Bottom, bottom_right);
    }
    if (sides.Contains(qbsLeft)) ++r.Left;
    if (sides.Contains(qbsTop)) ++r.Top;
    if (sides.Contains(qbsRight)) --r.Right;
    if (sides.Contains(qbsBottom)) --r.Bottom;
  }
}

// The library's own request (long parameter non-zero, from
// PaintParentBackground) paints frame and client into the given context;
// the platform's own requests paint nothing. Either way the background
// counts as erased.
void TKivControl::WMEraseBkgnd(TMessage& m) {
  if (m.WParam && m.LParam) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    TCanvas* canvas = Canvas();
    canvas->Lock();
    HDC previous = canvas->HandleAllocated() ? canvas->Handle() : nullptr;
    const int saved = SaveDC(dc);
    canvas->SetHandle(dc);
    try {
      PaintFrameAndClient();
    } catch (...) {
      canvas->SetHandle(previous);
      RestoreDC(dc, saved);
      canvas->Unlock();
      throw;
    }
    canvas->SetHandle(previous);
    RestoreDC(dc, saved);
    canvas->Unlock();
  }
  m.Result = 1;
}

}  // namespace kiv
