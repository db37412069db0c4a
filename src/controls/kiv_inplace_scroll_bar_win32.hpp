#pragma once
// Scroll bars of the library laid over a native control's own ones. A
// native control draws its scroll bars in its non-client area, where themes
// cannot reach; TKivInplaceScrollBar is a small window in the target's
// parent that hosts one TKivScrollBar, sits exactly on one native bar
// (GetScrollBarInfo's rectangle) and keeps in step with it both ways: the
// target's scrolling moves the hosted bar, the hosted bar's scrolling is
// sent to the target as WM_VSCROLL / WM_HSCROLL. TKivSubScrollBar owns the
// vertical and the horizontal one of a target, which passes it every
// message it receives (TargetMessage, before handling the message itself)
// and tells it when its parent changes (SetParentControl) and when it goes
// (SetTarget(nullptr)).
//
// The bars sit in the target's parent, which may destroy them before the
// target (a parent frees its children): each bar tells its pair when it
// goes, and the pair touches and frees only the bars still alive. The pair
// also hears of the target's destruction by itself.
#include <windows.h>

#include <functional>

#include "controls/kiv_scroll_bar_win32.hpp"
#include "framework/win32/win_control.hpp"

namespace kiv {

class TKivSubScrollBar;

// Makes the hosted bar of an in-place bar, owned by owner; empty for a
// plain TKivScrollBar.
using TKivScrollBarFactory = std::function<TKivScrollBar*(TComponent* owner)>;

class TKivInplaceScrollBar : public TWinControl {
  KIV_CLASS(TKivInplaceScrollBar, TWinControl)
 public:
  explicit TKivInplaceScrollBar(TComponent* owner, const TKivScrollBarFactory& factory = {});
  ~TKivInplaceScrollBar() override;

  TKivScrollBar* ScrollBar() const { return scroll_bar_; }
  TWinControl* Target() const { return target_; }
  void SetTarget(TWinControl* target);
  TKivScrollOrientation Orientation() const { return scroll_bar_->Orientation(); }
  void SetOrientation(TKivScrollOrientation value) { scroll_bar_->SetOrientation(value); }
  // False only while the bar itself is sending a scroll message to the
  // target, so that the target's answer does not pull the native position
  // back into the bar being dragged.
  bool TakePosition() const { return take_position_; }

  // One message the target received: visibility, paints, erases and
  // scrolls bring the bar in step with the native one.
  void HandleTargetMessage(const TMessage& message);
  // Lays the bar over the native one (hidden when that is) and takes its
  // range, page and (unless scrolling itself) position.
  void SyncWithTarget();
  // The hosted bar's OnScroll: the code goes to the target.
  virtual void ScrollBarScroll(TObject* sender, TKivScrollCode code, int& position);

  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void WMEraseBkgnd(TMessage& m) override;
  void WndProc(TMessage& m) override;
  void CreateParams(TCreateParams& params) override;
  void Invalidate() override;

 private:
  friend class TKivSubScrollBar;
  bool NativeBarShown(SCROLLBARINFO& bar) const;
  bool PlacedWhenNeeded();
  // The native bar's enabled state, range, page and (unless scrolling
  // itself) position into the hosted bar; false when the target has none.
  bool TakeScrollInfo();
  TKivScrollBar* scroll_bar_ = nullptr;
  TWinControl* target_ = nullptr;
  TKivSubScrollBar* pair_ = nullptr;  // told when this bar goes
  bool take_position_ = true;
  bool destroying_ = false;
  bool placed_ = false;  // has been put over a native bar that showed
  bool placing_ = false;  // its window is being made, hidden, to be shown on top
  // The target's last message was a paint that synced (or that paint's
  // non-client part): its erase needs no sync of its own.
  bool synced_for_paint_ = false;
};

class TKivSubScrollBar : public TComponent {
  KIV_CLASS(TKivSubScrollBar, TComponent)
 public:
  explicit TKivSubScrollBar(TWinControl* target, const TKivScrollBarFactory& factory = {});
  ~TKivSubScrollBar() override;

  // The bars still alive (nullptr once the parent has freed one).
  TKivInplaceScrollBar* VertScrollBar() const { return vert_; }
  TKivInplaceScrollBar* HorzScrollBar() const { return horz_; }
  TWinControl* Target() const { return target_; }

  // Puts both bars into the target's (new) parent, on top of the target
  // (a bar whose native bar has never shown joins it, and gets its window,
  // when that bar first shows); nullptr takes them off their parent, so
  // that a parent the target leaves cannot free them.
  void SetParentControl(TWinControl* parent);
  // Every message the target receives, before it handles it.
  void TargetMessage(const TMessage& message);
  // A new target; nullptr (the target is going) also takes both bars off
  // their parent.
  void SetTarget(TWinControl* target);

  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TKivInplaceScrollBar;
  void BarDestroyed(TKivInplaceScrollBar* bar);

  TWinControl* target_ = nullptr;
  TWinControl* parent_ = nullptr;  // the target's parent, where the bars go
  TKivInplaceScrollBar* vert_ = nullptr;
  TKivInplaceScrollBar* horz_ = nullptr;
};

}  // namespace kiv
