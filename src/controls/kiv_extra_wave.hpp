#pragma once
// TKivExtraWave: a wave that plays itself through the platform's in-memory
// playback, with options that choose the playback flags.
#include <array>
#include <cstdint>
#include <string_view>

#include "controls/kiv_wave.hpp"
#include "controls/kiv_wave_play.hpp"
#include "framework/set.hpp"

namespace kiv {

// The options, each with the playback flag it adds (kSndMemory is always
// there; synchronous is the platform's default when kSndAsync is absent).
#define KIV_EXTRA_WAVE_OPTIONS(X) \
  X(ewoSync, kSndSync)            \
  X(ewoAsync, kSndAsync)          \
  X(ewoNoDefault, kSndNoDefault)  \
  X(ewoLoop, kSndLoop)            \
  X(ewoNoStop, kSndNoStop)

#define KIV_OPTION_ENUM(name, flag) name,
enum TKivExtraWaveOption : uint8_t { KIV_EXTRA_WAVE_OPTIONS(KIV_OPTION_ENUM) };
#undef KIV_OPTION_ENUM
#define KIV_OPTION_NAME(name, flag) #name,
inline constexpr std::array<std::string_view, 5> kExtraWaveOptionNames{
    KIV_EXTRA_WAVE_OPTIONS(KIV_OPTION_NAME)};
#undef KIV_OPTION_NAME
static_assert(kExtraWaveOptionNames.size() == ewoNoStop + 1);

using TKivExtraWaveOptions = TSet<TKivExtraWaveOption>;

// kSndMemory plus the flag of each option. A loop always plays
// asynchronously: a synchronous loop would never return.
uint32_t ExtraWaveFlags(TKivExtraWaveOptions options);

class TKivExtraWave : public TKivWave {
  KIV_CLASS(TKivExtraWave, TKivWave)
 public:
  // Name "Extra Wave", Options [ewoAsync].
  TKivExtraWave();
  // Stops whatever sound is playing.
  ~TKivExtraWave() override;

  TKivExtraWaveOptions Options() const { return options_; }
  void SetOptions(TKivExtraWaveOptions value);
  uint32_t Flags() const { return flags_; }

  // Hands the data to the platform with Flags(). Data of size 0 is no sound,
  // which stops the sound that is playing. Data that Check() refuses is never
  // handed over: the platform trusts its sizes and reads past the end. Errors
  // are swallowed.
  void Play();

 protected:
  void ReleasingData() override;

 private:
  TKivExtraWaveOptions options_{ewoAsync};
  uint32_t flags_;
};

}  // namespace kiv
