#pragma once
// TTimer: a component that runs OnTimer at an interval.
#include <windows.h>

#include "framework/classes.hpp"

namespace kiv {

// Runs OnTimer every Interval milliseconds while Enabled, through the
// message loop (WM_TIMER of a hidden window).
class TTimer : public TComponent {
  KIV_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned value);
  TNotifyEvent OnTimer;
  void SetOnTimer(TNotifyEvent handler);

 private:
  void UpdateTimer();
  HWND window_ = nullptr;
  bool enabled_ = true;
  unsigned interval_ = 1000;
};

}  // namespace kiv
