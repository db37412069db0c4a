// TKivInplaceScrollBar and TKivSubScrollBar: the library's scroll bars laid
// over a native control's own, in step with them both ways.
#include "controls/kiv_inplace_scroll_bar_win32.hpp"

#include "framework/class_builder.hpp"
#include "graphics/kiv_winapi_win32.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivInplaceScrollBar, c) {}
KIV_IMPLEMENT_CLASS(TKivSubScrollBar, c) {}

namespace {

bool Usable(TWinControl* control) {
  return control && control->HandleAllocated() && !control->ComponentState().Contains(csDestroying);
}

// The window lies above the other in their parent's z-order.
bool IsAbove(HWND window, HWND other) {
  for (HWND w = GetWindow(other, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == window) return true;
  return false;
}

// A rectangle on the screen (where the platform reports a native bar) in
// the parent's client coordinates.
TRect InParent(const RECT& screen, TWinControl& parent) {
  POINT corners[2] = {{screen.left, screen.top}, {screen.right, screen.bottom}};
  MapWindowPoints(nullptr, parent.Handle(), corners, 2);
  return TRect{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

// ---------------------------------------------------------------- TKivInplaceScrollBar

TKivInplaceScrollBar::TKivInplaceScrollBar(TComponent* owner, const TKivScrollBarFactory& factory)
    : TWinControl(owner) {
  scroll_bar_ = factory ? factory(this) : new TKivScrollBar(this);
  scroll_bar_->SetBorderWidth(0);
  scroll_bar_->SetAlign(alClient);
  scroll_bar_->SetPerformance(qspDoubleBuffer);
  scroll_bar_->SetOrientation(qsoVertical);
  scroll_bar_->SetParent(this);
  scroll_bar_->SetVisible(true);
  scroll_bar_->OnScroll.Bind(this, &TKivInplaceScrollBar::ScrollBarScroll);
}

TKivInplaceScrollBar::~TKivInplaceScrollBar() {
  destroying_ = true;
  if (pair_) pair_->BarDestroyed(this);
  pair_ = nullptr;
  if (target_) target_->RemoveFreeNotification(this);
  target_ = nullptr;
}

void TKivInplaceScrollBar::SetTarget(TWinControl* target) {
  if (target == target_) return;
  if (target_) target_->RemoveFreeNotification(this);
  target_ = target;
  if (target_) target_->FreeNotification(this);
}

void TKivInplaceScrollBar::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == target_) target_ = nullptr;
  if (component == scroll_bar_) scroll_bar_ = nullptr;
}

void TKivInplaceScrollBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  if (placing_) params.Style &= ~WS_VISIBLE;
}

// A window being placed is shown whole right after: asking now to repaint
// it would only cost a request.
void TKivInplaceScrollBar::Invalidate() {
  if (!placing_) TWinControl::Invalidate();
}

// The window has no frame: its non-client area is empty, and the platform's
// frame paint would only fetch a device context for nothing (a request to
// the window server under Wine, at every paint).
void TKivInplaceScrollBar::WndProc(TMessage& m) {
  if (m.Msg == WM_NCPAINT) {
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

// The target repaints below: erasing first would only flicker.
void TKivInplaceScrollBar::WMEraseBkgnd(TMessage& m) {
  m.Result = 1;
}

// Whether the target shows the native bar this bar would cover. A window
// shows a standard scroll bar exactly when its style has the bar's bit;
// without it there is nothing to ask (under Wine asking about a bar a window
// lacks costs a request to the window server).
bool TKivInplaceScrollBar::NativeBarShown(SCROLLBARINFO& bar) const {
  const bool vertical = Orientation() == qsoVertical;
  HWND target = target_->Handle();
  const LONG_PTR style = GetWindowLongPtrW(target, GWL_STYLE);
  bar = SCROLLBARINFO{};
  bar.cbSize = sizeof bar;
  // A hidden target shows no bars, whatever its bars' own state says; the
  // target counts as hidden as soon as it is told so (hiding the bar
  // repaints the target, which is still on screen, and syncs again).
  return (style & (vertical ? WS_VSCROLL : WS_HSCROLL)) != 0 &&
         GetScrollBarInfoSafe(target, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &bar) != FALSE &&
         !(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) && target_->Visible();
}

// A bar joins the target's parent (and gets its window) the first time the
// native bar it covers shows: most targets never show one of their two bars
// (a caption box that fits shows neither), and a window made for nothing
// costs time at every start-up.
bool TKivInplaceScrollBar::PlacedWhenNeeded() {
  if (placed_) return HandleAllocated();
  TWinControl* parent = pair_ ? pair_->parent_ : nullptr;
  SCROLLBARINFO bar;
  if (!parent || !parent->HandleAllocated() || !NativeBarShown(bar)) return false;
  placed_ = true;
  // The window is made hidden where the native bar lies, then raised above
  // the target and shown in one step: a window made visible is shown as it
  // is made and then moved in the z-order, each a round of invalidating and
  // erasing (under Wine, a dozen requests to the window server each).
  SetBoundsRect(InParent(bar.rcScrollBar, *parent));
  SetVisible(true);
  // The hosted bar takes the native range and position while it has no
  // window to repaint, so that the first sync finds it in step.
  TakeScrollInfo();
  placing_ = true;
  try {
    SetParent(parent);  // the last child: the framework's list has it on top
  } catch (...) {
    placing_ = false;
    throw;
  }
  placing_ = false;
  if (!HandleAllocated()) return false;
  // The bar erases nothing: its erase can wait for its first paint.
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_DEFERERASE);
  // The hosted bar fills the window: drawn now through the window's device
  // context, the window needs no paint round of its own (under Wine five
  // requests to the window server against two).
  if (scroll_bar_->BoundsRect() == ClientRect() &&
      scroll_bar_->PaintNow(TRect{0, 0, scroll_bar_->Width(), scroll_bar_->Height()}))
    ValidateRect(Handle(), nullptr);
  return true;
}

void TKivInplaceScrollBar::HandleTargetMessage(const TMessage& m) {
  if (destroying_ || !scroll_bar_ || !Usable(target_)) return;
  if (!placed_) {
    // A native bar that starts to show changes the target's frame, which is
    // painted before anyone sees the bar: a frame paint (or the target
    // being shown, or the bar asking for its colours) is the moment to look.
    // Asking at every message would cost a request to the window server
    // each under Wine, where a bar can be hidden with its style bit set.
    if (m.Msg != WM_NCPAINT && m.Msg != CM_VISIBLECHANGED && m.Msg != WM_CTLCOLORSCROLLBAR) return;
    if (!PlacedWhenNeeded()) return;
  } else if (!HandleAllocated()) {
    return;
  }
  // Only the messages of one paint may pass between a paint's sync and its
  // erase for the erase to skip its own.
  const bool after_paint_sync = synced_for_paint_;
  synced_for_paint_ = false;
  switch (m.Msg) {
    case CM_VISIBLECHANGED:
      SetVisible(target_->Visible());
      if (!target_->Visible()) {
        ShowWindow(Handle(), SW_HIDE);
        return;
      }
      ShowWindow(Handle(), SW_SHOW);
      SyncWithTarget();
      return;
    case WM_PAINT:
      SyncWithTarget();
      synced_for_paint_ = true;
      return;
    case WM_NCPAINT:
      // Sent by the paint's BeginPaint, which changes no scroll state. Any
      // other frame paint finds this bar in step first, so that the target
      // knows whether its native bar is covered before drawing it.
      if (!after_paint_sync) SyncWithTarget();
      synced_for_paint_ = after_paint_sync;
      return;
    case WM_ERASEBKGND:
      // The erase of a paint that has just synced finds the native bar as
      // that sync left it: nothing ran in between but the paint's own start.
      if (!after_paint_sync) SyncWithTarget();
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // Sent by this bar while the user drags or steps it: the target has
      // not scrolled yet, so the native bar would show the old state; the
      // repaint that the scroll causes syncs with the new one.
      if (!take_position_) return;
      SyncWithTarget();
      return;
    case WM_CTLCOLORSCROLLBAR:
      SyncWithTarget();
      return;
    default:
      return;
  }
}

void TKivInplaceScrollBar::SyncWithTarget() {
  if (!scroll_bar_ || !Usable(target_)) return;
  // The bar the target lacks (the edit's horizontal one) syncs at each of
  // the target's paints and scrolls: the check is cheap when it is absent.
  SCROLLBARINFO bar;
  if (!NativeBarShown(bar)) {
    SetVisible(false);
    return;
  }
  const bool was_visible = Visible();
  const TRect was = BoundsRect();
  SetVisible(true);
  if (TWinControl* parent = Parent(); parent && parent->HandleAllocated())
    SetBoundsRect(InParent(bar.rcScrollBar, *parent));
  // Shown or moved: make sure it covers the target (a target whose window
  // was made after the bar's lies above it).
  const bool placed = !was_visible || BoundsRect() != was;
  if (placed && !IsAbove(Handle(), target_->Handle()))
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!TakeScrollInfo()) return;
  // Each setter repaints the part of the bar it changes; a sync that finds
  // the native bar where and as it was repaints nothing, so the target's
  // every paint does not redraw the whole bar.
  if (placed) scroll_bar_->Invalidate();
}

bool TKivInplaceScrollBar::TakeScrollInfo() {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!GetScrollInfo(target_->Handle(), Orientation() == qsoVertical ? SB_VERT : SB_HORZ, &info))
    return false;
  scroll_bar_->SetEnabled(target_->Enabled());
  scroll_bar_->SetRange(info.nMin, info.nMax, static_cast<int>(info.nPage));
  if (take_position_) scroll_bar_->SetPosition(info.nPos);
  return true;
}

void TKivInplaceScrollBar::ScrollBarScroll(TObject*, TKivScrollCode code, int& position) {
  if (code < qscLineUp || code > qscEndScroll || !Usable(target_)) return;
  const UINT msg = Orientation() == qsoVertical ? WM_VSCROLL : WM_HSCROLL;
  HWND target = target_->Handle();
  if (code == qscLineUp || code == qscLineDown) {
    SendMessageW(target, msg, static_cast<WPARAM>(code), 0);
    return;
  }
  take_position_ = false;
  try {
    SendMessageW(target, msg, MAKEWPARAM(code, static_cast<WORD>(position)), 0);
  } catch (...) {
    take_position_ = true;
    throw;
  }
  take_position_ = true;
}

// ---------------------------------------------------------------- TKivSubScrollBar

TKivSubScrollBar::TKivSubScrollBar(TWinControl* target, const TKivScrollBarFactory& factory)
    : TComponent(nullptr) {
  vert_ = new TKivInplaceScrollBar(nullptr, factory);
  vert_->pair_ = this;
  vert_->SetOrientation(qsoVertical);
  horz_ = new TKivInplaceScrollBar(nullptr, factory);
  horz_->pair_ = this;
  horz_->SetOrientation(qsoHorizontal);
  // Each is shown once in step with a native bar that shows, never before.
  vert_->SetVisible(false);
  horz_->SetVisible(false);
  SetTarget(target);
}

// Frees the bars its target's parent has not freed already.
TKivSubScrollBar::~TKivSubScrollBar() {
  if (target_) target_->RemoveFreeNotification(this);
  target_ = nullptr;
  for (TKivInplaceScrollBar* bar : {vert_, horz_}) {
    if (!bar) continue;
    bar->pair_ = nullptr;
    delete bar;
  }
  vert_ = horz_ = nullptr;
}

void TKivSubScrollBar::BarDestroyed(TKivInplaceScrollBar* bar) {
  if (bar == vert_) vert_ = nullptr;
  if (bar == horz_) horz_ = nullptr;
}

void TKivSubScrollBar::SetParentControl(TWinControl* parent) {
  parent_ = parent;
  for (TKivInplaceScrollBar* bar : {vert_, horz_}) {
    // A bar never placed yet joins the parent when its native bar first
    // shows; one placed before moves along at once.
    if (!bar || bar->destroying_ || (parent && !bar->placed_)) continue;
    bar->SetParent(parent);
    if (parent) bar->BringToFront();
  }
}

void TKivSubScrollBar::SetTarget(TWinControl* target) {
  if (target == target_) return;
  if (target_) target_->RemoveFreeNotification(this);
  target_ = target;
  if (target_) target_->FreeNotification(this);
  for (TKivInplaceScrollBar* bar : {vert_, horz_})
    if (bar) bar->SetTarget(target);
  if (!target) SetParentControl(nullptr);
}

void TKivSubScrollBar::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == target_) {
    target_ = nullptr;
    SetParentControl(nullptr);
  }
}

void TKivSubScrollBar::TargetMessage(const TMessage& m) {
  if (!target_ || !target_->HandleAllocated() || target_->ComponentState().Contains(csDesigning) ||
      target_->ComponentState().Contains(csDestroying))
    return;
  for (TKivInplaceScrollBar* bar : {vert_, horz_})
    if (bar && !bar->destroying_) bar->HandleTargetMessage(m);
  if (m.Msg == WM_WINDOWPOSCHANGED) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
    if (pos && !(pos->flags & SWP_NOZORDER))
      for (TKivInplaceScrollBar* bar : {vert_, horz_})
        if (bar && !bar->destroying_ && bar->Parent()) bar->BringToFront();
  }
}

}  // namespace kiv
