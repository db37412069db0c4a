#pragma once
// Stands in for the platform's sound playback while a test runs and records
// what would have been played; pass_through also makes the real call.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "controls/kiv_wave_play.hpp"

namespace kivtest {

struct SoundCall {
  const void* Sound;
  uint32_t Flags;
};

class ScopedSoundRecorder {
 public:
  explicit ScopedSoundRecorder(bool pass_through = false) {
    Calls().clear();
    PassThrough() = pass_through;
    previous_ = kiv::SetPlaySoundFunction(&Record);
  }
  ~ScopedSoundRecorder() { kiv::SetPlaySoundFunction(previous_); }
  ScopedSoundRecorder(const ScopedSoundRecorder&) = delete;
  ScopedSoundRecorder& operator=(const ScopedSoundRecorder&) = delete;

  static std::vector<SoundCall>& Calls() {
    static std::vector<SoundCall> calls;
    return calls;
  }

 private:
  static bool& PassThrough() {
    static bool pass = false;
    return pass;
  }
  static bool Record(const void* sound, uint32_t flags) {
    Calls().push_back({sound, flags});
    return PassThrough() ? kiv::PlatformPlaySound(sound, flags) : true;
  }
  kiv::TKivPlaySoundFunction previous_;
};

// A RIFF file built field by field, independently of the library's reader:
// chunks in order, each padded to an even size; riff_size replaces the
// stored RIFF size when not negative.
struct Chunk {
  std::string Id;
  std::vector<uint8_t> Body;
  int64_t StoredSize = -1;  // replaces the stored chunk size when not negative
};

inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> MakeRiff(const std::vector<Chunk>& chunks, int64_t riff_size = -1,
                                     const char* form = "WAVE") {
  std::vector<uint8_t> body(form, form + 4);
  for (const Chunk& c : chunks) {
    body.insert(body.end(), c.Id.begin(), c.Id.end());
    PutU32(body, c.StoredSize >= 0 ? static_cast<uint32_t>(c.StoredSize)
                                   : static_cast<uint32_t>(c.Body.size()));
    body.insert(body.end(), c.Body.begin(), c.Body.end());
    if (c.Body.size() & 1) body.push_back(0);
  }
  std::vector<uint8_t> out{'R', 'I', 'F', 'F'};
  PutU32(out,
         riff_size >= 0 ? static_cast<uint32_t>(riff_size) : static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// A PCM format record: 8-bit mono 8000 Hz, 16 bytes (extra bytes appended).
inline std::vector<uint8_t> PcmFormat(size_t size = 16) {
  std::vector<uint8_t> f{1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0};
  f.resize(size, 0);
  return f;
}

// A small well-formed wave: "fmt " then four samples of "data".
inline std::vector<uint8_t> SmallWave() {
  return MakeRiff({{"fmt ", PcmFormat()}, {"data", {0x80, 0x90, 0x70, 0x80}}});
}

}  // namespace kivtest
