// Portable twin of kiv_wave_play_win32.cpp: no sound service, nothing played.
#ifndef _WIN32
#include "controls/kiv_wave_play.hpp"

namespace kiv {

bool PlatformPlaySound(const void*, uint32_t) {
  return false;
}

}  // namespace kiv
#endif
