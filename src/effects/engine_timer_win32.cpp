// The engine's 20-millisecond timer on Win32: a thread timer whose WM_TIMER
// messages arrive through the message loop and run AnimationTick.
#include <windows.h>

#include <exception>

#include "effects/engine.hpp"

namespace kiv {

namespace {

class TkivWindowTimer : public TkivEngineTimer {
 public:
  ~TkivWindowTimer() override { SetEnabled(false); }

  void SetEnabled(bool enabled) override {
    if (enabled == (id_ != 0)) return;
    if (enabled) {
      id_ = SetTimer(nullptr, 0, kAnimationInterval, &TkivWindowTimer::OnTimer);
    } else {
      KillTimer(nullptr, id_);
      id_ = 0;
    }
  }
  bool Enabled() const override { return id_ != 0; }

  // Dispatches what is pending, waiting up to one interval for a message. A
  // quit message is left in the queue for the program's own loop; only timer
  // messages are handled then.
  void ProcessMessages() override {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kAnimationInterval, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == WM_QUIT) {
        while (PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageW(&msg);
        return;
      }
      if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) break;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

 private:
  // An exception must not unwind through the system's dispatch frames: a
  // failed frame is reported to the debugger output and the slot, still
  // active, tries again at the next event.
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    try {
      AnimationTick();
    } catch (const std::exception& e) {
      OutputDebugStringA(e.what());
    }
  }
  UINT_PTR id_ = 0;
};

}  // namespace

std::unique_ptr<TkivEngineTimer> CreateWindowTimer() {
  return std::make_unique<TkivWindowTimer>();
}

}  // namespace kiv
