#include "controls/kiv_wave_play.hpp"

#include <algorithm>
#include <vector>

namespace kiv {

namespace {

TKivPlaySoundFunction& Installed() {
  static TKivPlaySoundFunction function = &PlatformPlaySound;
  return function;
}

// Memory handed to the platform since the last stop: one sound replaces the
// one before it, except that a sound played with kSndNoStop leaves a playing
// sound alone, so either may be the one still being read.
std::vector<const void*>& Handed() {
  static std::vector<const void*> handed;
  return handed;
}

}  // namespace

TKivPlaySoundFunction SetPlaySoundFunction(TKivPlaySoundFunction function) {
  TKivPlaySoundFunction previous = Installed();
  Installed() = function ? function : &PlatformPlaySound;
  return previous;
}

bool PlaySoundMemory(const void* sound, uint32_t flags) {
  auto& handed = Handed();
  if (sound == nullptr)
    handed.clear();
  else if (!(flags & kSndNoStop))
    handed.assign(1, sound);
  else if (std::find(handed.begin(), handed.end(), sound) == handed.end())
    handed.push_back(sound);
  return Installed()(sound, flags);
}

void StopSound() {
  PlaySoundMemory(nullptr, 0);
}

bool SoundMayBePlaying(const void* sound) {
  const auto& handed = Handed();
  return sound != nullptr && std::find(handed.begin(), handed.end(), sound) != handed.end();
}

}  // namespace kiv
