// The one place where the engine picks its platform timer.
#include "effects/engine.hpp"

namespace kiv {

#if defined(_WIN32)
std::unique_ptr<TkivEngineTimer> CreateWindowTimer();  // engine_timer_win32.cpp
#endif

std::unique_ptr<TkivEngineTimer> CreatePlatformTimer() {
#if defined(_WIN32)
  return CreateWindowTimer();
#else
  return std::make_unique<TkivManualTimer>();
#endif
}

}  // namespace kiv
