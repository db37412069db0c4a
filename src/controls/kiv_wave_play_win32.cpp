// The platform's in-memory wave playback.
#include <windows.h>

#include <mmsystem.h>  // after windows.h, whose types it uses

#include "controls/kiv_wave_play.hpp"

namespace kiv {

static_assert(kSndAsync == SND_ASYNC && kSndNoDefault == SND_NODEFAULT &&
              kSndMemory == SND_MEMORY && kSndLoop == SND_LOOP && kSndNoStop == SND_NOSTOP);

bool PlatformPlaySound(const void* sound, uint32_t flags) {
  return sndPlaySoundA(static_cast<LPCSTR>(sound), flags) != FALSE;
}

}  // namespace kiv
