#include "controls/kiv_extra_wave.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivExtraWave, c) {
  c.Set("Options", &TKivExtraWave::Options, &TKivExtraWave::SetOptions, kExtraWaveOptionNames)
      .Default(TKivExtraWaveOptions{ewoAsync});
}

uint32_t ExtraWaveFlags(TKivExtraWaveOptions options) {
  static constexpr uint32_t kFlags[] = {
#define KIV_OPTION_FLAG(name, flag) flag,
      KIV_EXTRA_WAVE_OPTIONS(KIV_OPTION_FLAG)
#undef KIV_OPTION_FLAG
  };
  uint32_t flags = kSndMemory;
  for (size_t i = 0; i < std::size(kFlags); ++i)
    if (options.Contains(static_cast<TKivExtraWaveOption>(i))) flags |= kFlags[i];
  if (flags & kSndLoop) flags |= kSndAsync;
  return flags;
}

TKivExtraWave::TKivExtraWave() : flags_(ExtraWaveFlags(options_)) {
  SetName("Extra Wave");
}

TKivExtraWave::~TKivExtraWave() {
  try {
    StopSound();
  } catch (...) {
  }
}

void TKivExtraWave::SetOptions(TKivExtraWaveOptions value) {
  if (value == options_) return;
  options_ = value;
  flags_ = ExtraWaveFlags(options_);
}

void TKivExtraWave::Play() {
  try {
    if (Empty()) return;
    if (Size() == 0) {
      PlaySoundMemory(nullptr, flags_);
      return;
    }
    if (!Check().Playable) return;
    PlaySoundMemory(Bytes(), flags_);
  } catch (...) {
    // Playing never reports anything.
  }
}

void TKivExtraWave::ReleasingData() {
  if (SoundMayBePlaying(Bytes())) StopSound();
}

}  // namespace kiv
