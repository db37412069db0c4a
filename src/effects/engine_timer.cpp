// Portable twin of engine_timer_win32.cpp: without a message loop the
// engine's timer is the manual one, and the program (or test) drives it.
#ifndef _WIN32
#include "effects/engine.hpp"

namespace kiv {

std::unique_ptr<TkivEngineTimer> CreatePlatformTimer() {
  return std::make_unique<TkivManualTimer>();
}

}  // namespace kiv
#endif
