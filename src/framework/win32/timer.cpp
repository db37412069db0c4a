// TTimer: WM_TIMER of a hidden utility window.
#include "framework/win32/timer.hpp"

#include "framework/exceptions.hpp"
#include "framework/win32/window_class.hpp"

namespace kiv {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd([this](TMessage& m) {
    if (m.Msg == WM_TIMER) {
      if (enabled_ && OnTimer) OnTimer(this);
      m.Result = 0;
    }
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  KillTimer(window_, 1);
  DeallocateHWnd(window_);
}

void TTimer::UpdateTimer() {
  KillTimer(window_, 1);
  if (enabled_ && interval_ > 0)
    if (!SetTimer(window_, 1, interval_, nullptr))
      throw EOutOfResources("Not enough timers available");
}

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  OnTimer = std::move(handler);
  UpdateTimer();
}

}  // namespace kiv
