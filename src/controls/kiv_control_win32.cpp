// TKivControl: construction, frame settings, bounds, the built-in scroll
// bars, and the mouse, focus, visibility and theme notifications.
#include "controls/kiv_control_win32.hpp"

#include "controls/kiv_controls_unit_win32.hpp"
#include "controls/kiv_scroll_bar_win32.hpp"
#include "framework/class_builder.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivControl, c) {
  c.Enum("Performance", &TKivControl::Performance, &TKivControl::SetPerformance,
         kKivPerformanceNames)
      .Default(qspNoBuffer);
  c.Color("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
  c.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  c.Event("OnMouseEnter", &TKivControl::OnMouseEnter);
  c.Event("OnMouseLeave", &TKivControl::OnMouseLeave);
}

TKivControl::TKivControl(TComponent* owner) : TCustomControl(owner) {
  StartControlsUnit();
  SetControlStyle(ControlStyle() | csOpaque);
  SetDoubleBuffered(false);
  SetParentColor(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 100, 30);
}

TKivControl::~TKivControl() {
  FreeScrollBars();
  CloseThemeDatas();
}

// A class the active style lacks is remembered as such (no data) as well:
// trying to open it again finds nothing until the visual styles change.
HANDLE TKivControl::ThemeData(const wchar_t* class_name) {
  TkivPlatform& p = Platform();
  if (!p.OpenThemeData) return nullptr;
  for (const auto& [name, data] : theme_data_)
    if (name == class_name) return data;
  HANDLE data = p.OpenThemeData(HandleAllocated() ? Handle() : nullptr, class_name);
  theme_data_.emplace_back(class_name, data);
  return data;
}

void TKivControl::CloseThemeDatas() {
  for (const auto& entry : theme_data_)
    if (entry.second && Platform().CloseThemeData) Platform().CloseThemeData(entry.second);
  theme_data_.clear();
}

void TKivControl::DestroyWnd() {
  CloseThemeDatas();
  own_buffer_.reset();
  TCustomControl::DestroyWnd();
}

// The visual styles changed (the platform's message, or the theme manager's
// code 5 after it re-read them): the kept data is stale.
void TKivControl::WndProc(TMessage& m) {
  if (m.Msg == WM_THEMECHANGED ||
      (m.Msg == KIV_THEME_MESSAGE && m.WParam == kThemeCodeSystemChanged))
    CloseThemeDatas();
  TCustomControl::WndProc(m);
}

void TKivControl::SetPerformance(TKivPerformance value) {
  if (value == performance_) return;
  performance_ = value;
  Invalidate();
}

void TKivControl::SetUseSystemFrame(bool value) {
  if (value == use_system_frame_) return;
  use_system_frame_ = value;
  Invalidate();
}

void TKivControl::SetBorderWidth(int value) {
  if (value == frame_.BorderWidth) return;
  frame_.BorderWidth = value;
  FrameChanged();
  Invalidate();
}

void TKivControl::SetBevelWidth(int value) {
  if (value == frame_.BevelWidth) return;
  frame_.BevelWidth = value;
  FrameChanged();
  Invalidate();
}

void TKivControl::SetBevelSides(TKivBevelSides value) {
  if (value == frame_.BevelSides) return;
  frame_.BevelSides = value;
  FrameChanged();
  Invalidate();
}

void TKivControl::SetBevelInner(TKivBevelCut value) {
  if (value == frame_.BevelInner) return;
  bevel_kind_ = qbkNone;
  frame_.BevelInner = value;
  FrameChanged();
  Invalidate();
}

void TKivControl::SetBevelOuter(TKivBevelCut value) {
  if (value == frame_.BevelOuter) return;
  bevel_kind_ = qbkNone;
  frame_.BevelOuter = value;
  FrameChanged();
  Invalidate();
}

void TKivControl::SetBevelKind(TKivBevelKind value) {
  if (value == bevel_kind_) return;
  if (value != qbkNone) frame_.BevelInner = frame_.BevelOuter = BevelKindCut(value);
  bevel_kind_ = value;
  FrameChanged();
  Invalidate();
}

TRect TKivControl::GetInnerRect() {
  return KivInnerRect(paint_width_, paint_height_, frame_);
}

TRect TKivControl::GetClientRect() {
  TRect r = GetInnerRect();
  if (vert_scroll_bar_) r.Right -= vert_scroll_bar_->Width();
  if (horz_scroll_bar_) r.Bottom -= horz_scroll_bar_->Height();
  return r;
}

TRect TKivControl::PaintInnerRect() {
  TRect r = GetInnerRect();
  if (scroll_bar_kind_ == kScrollBarBoth) {
    const TRect client = GetClientRect();
    r.Right = client.Right;
    r.Bottom = client.Bottom;
  }
  return r;
}

void TKivControl::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  paint_width_ = width;
  paint_height_ = height;
  LayoutScrollBars();
}

// A size on its way to the window counts before the window has it, so a
// paint during the change already uses the new size.
void TKivControl::WMWindowPosChanging(TMessage& m) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
  if (pos && !(pos->flags & SWP_NOSIZE)) {
    paint_width_ = pos->cx;
    paint_height_ = pos->cy;
    LayoutScrollBars();
  }
  TCustomControl::WMWindowPosChanging(m);
}

void TKivControl::Loaded() {
  TCustomControl::Loaded();
  LayoutScrollBars();
}

void TKivControl::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

void TKivControl::CreateWnd() {
  TCustomControl::CreateWnd();
  if (!Parent()) return;
  FreeScrollBars();
  const int size = GetScrollBarSize();
  // Each bar lies across its side, without border, and reports its scrolls
  // to this control; the position the control leaves in the bar stays.
  auto make = [&](bool horizontal) {
    TKivScrollBar* bar = CreateScrollBar(horizontal);
    if (!bar) return bar;
    bar->SetBorderWidth(0);
    bar->SetOrientation(horizontal ? qsoHorizontal : qsoVertical);
    bar->SetParent(this);
    if (horizontal) {
      bar->SetHeight(size);
    } else {
      bar->SetWidth(size);
    }
    bar->SetVisible(true);
    bar->OnScroll.Handler = [this, bar, horizontal](TObject*, TKivScrollCode code, int& position) {
      ScrollBarScrolled(horizontal, code, position);
      position = bar->Position();
    };
    return bar;
  };
  if (scroll_bar_kind_ & kScrollBarHorizontal) horz_scroll_bar_ = make(true);
  if (scroll_bar_kind_ & kScrollBarVertical) vert_scroll_bar_ = make(false);
  LayoutScrollBars();
}

TKivScrollBar* TKivControl::CreateScrollBar(bool) {
  return new TKivScrollBar(this);
}

int TKivControl::GetScrollBarSize() {
  return GetSystemMetrics(SM_CYVTHUMB);
}

void TKivControl::FreeScrollBars() {
  delete horz_scroll_bar_;
  horz_scroll_bar_ = nullptr;
  delete vert_scroll_bar_;
  vert_scroll_bar_ = nullptr;
}

// The horizontal bar along the bottom of the inner area, the vertical one
// along its right; each leaves the corner to the other.
void TKivControl::LayoutScrollBars() {
  if (!horz_scroll_bar_ && !vert_scroll_bar_) return;
  const TRect inner = GetInnerRect();
  const int v = vert_scroll_bar_ ? vert_scroll_bar_->Width() : 0;
  const int h = horz_scroll_bar_ ? horz_scroll_bar_->Height() : 0;
  if (horz_scroll_bar_)
    horz_scroll_bar_->SetBounds(inner.Left, inner.Bottom - h, inner.Width() - v, h);
  if (vert_scroll_bar_)
    vert_scroll_bar_->SetBounds(inner.Right - v, inner.Top, v, inner.Height() - h);
}

void TKivControl::ScrollBarScrolled(bool horizontal, int code, int position) {
  if (scroll_suppressed_) return;
  Perform(horizontal ? WM_HSCROLL : WM_VSCROLL, static_cast<uintptr_t>(code), position);
}

void TKivControl::Dispatch(TMessage& m) {
  if (m.Msg == WM_THEMECHANGED) {
    WMThemeChanged(m);
    return;
  }
  if (m.Msg == WM_PRINTCLIENT) {
    // A print request paints the client into the given context, as a paint
    // with a context does.
    if (m.WParam) Perform(WM_PAINT, m.WParam, 0);
    return;
  }
  TCustomControl::Dispatch(m);
}

void TKivControl::WMThemeChanged(TMessage& m) {
  Invalidate();
  DefaultHandler(m);
}

// Every enter and leave counts, also those a child passes on: the parent of
// a hot child is hot too.
void TKivControl::CMMouseEnter(TMessage& m) {
  TCustomControl::CMMouseEnter(m);
  MouseEnter();
}

void TKivControl::CMMouseLeave(TMessage& m) {
  TCustomControl::CMMouseLeave(m);
  MouseLeave();
}

void TKivControl::MouseEnter() {
  hot_ = true;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TKivControl::MouseLeave() {
  hot_ = false;
  if (OnMouseLeave) OnMouseLeave(this);
}

void TKivControl::CMEnter(TMessage& m) {
  FocusEnter();
  TCustomControl::CMEnter(m);
}

void TKivControl::CMExit(TMessage& m) {
  FocusExit();
  TCustomControl::CMExit(m);
}

void TKivControl::FocusEnter() {
  has_focus_ = true;
  Invalidate();
}

void TKivControl::FocusExit() {
  has_focus_ = false;
  Invalidate();
}

void TKivControl::CMVisibleChanged(TMessage& m) {
  TCustomControl::CMVisibleChanged(m);
  if (!Visible() && has_focus_) has_focus_ = false;
}

}  // namespace kiv
