// The engine's 20-millisecond timer on Win32: the framework's TTimer, whose
// WM_TIMER events arrive through the application's message loop and run
// AnimationTick. An exception from a frame goes to the framework's handling
// of timer events (the application's exception handler); the slot stays
// active and the next event tries again.
#include <windows.h>

#include "effects/engine.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/timer.hpp"

namespace kiv {

namespace {

class TkivFrameworkTimer : public TkivEngineTimer {
 public:
  TkivFrameworkTimer() : timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    timer_->SetInterval(kAnimationInterval);
    TNotifyEvent tick;
    tick.Bind(&handler_, &TkivMultiObject::AnimationTick, "AnimationTick");
    timer_->SetOnTimer(tick);
  }

  void SetEnabled(bool enabled) override { timer_->SetEnabled(enabled); }
  bool Enabled() const override { return timer_->Enabled(); }

  // The application's message processing; when nothing was pending, waits up
  // to one interval for the next message instead of spinning.
  void ProcessMessages() override {
    Application()->ProcessMessages();
    MsgWaitForMultipleObjectsEx(0, nullptr, kAnimationInterval, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }

 private:
  TkivMultiObject handler_;
  std::unique_ptr<TTimer> timer_;
};

}  // namespace

std::unique_ptr<TkivEngineTimer> CreatePlatformTimer() {
  return std::make_unique<TkivFrameworkTimer>();
}

}  // namespace kiv
