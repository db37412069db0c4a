#pragma once
// The platform's in-memory sound playback, behind a replaceable function:
// without a sound device its results say nothing, so tests put a recorder in
// its place and see what would have been played.
#include <cstdint>

namespace kiv {

// The platform's sound flags (sndPlaySound).
inline constexpr uint32_t kSndSync = 0x0000;
inline constexpr uint32_t kSndAsync = 0x0001;
inline constexpr uint32_t kSndNoDefault = 0x0002;
inline constexpr uint32_t kSndMemory = 0x0004;
inline constexpr uint32_t kSndLoop = 0x0008;
inline constexpr uint32_t kSndNoStop = 0x0010;

// Plays sound (a whole wave file in memory when flags hold kSndMemory);
// nullptr stops the sound that is playing. Returns the platform's result.
using TKivPlaySoundFunction = bool (*)(const void* sound, uint32_t flags);

// sndPlaySoundA on Windows; does nothing (and returns false) elsewhere.
bool PlatformPlaySound(const void* sound, uint32_t flags);

// Installs the function every play goes through; nullptr reinstalls
// PlatformPlaySound. Returns the previous one.
TKivPlaySoundFunction SetPlaySoundFunction(TKivPlaySoundFunction function);

// Plays through the installed function and remembers which memory the
// platform may still be reading: asynchronous playback reads the bytes after
// the call returns, until the sound ends, is replaced or is stopped.
bool PlaySoundMemory(const void* sound, uint32_t flags);
// Stops any sound (the installed function called with no sound).
void StopSound();
// True while sound may still be read by the platform; whoever frees or
// rewrites those bytes calls StopSound first.
bool SoundMayBePlaying(const void* sound);

}  // namespace kiv
