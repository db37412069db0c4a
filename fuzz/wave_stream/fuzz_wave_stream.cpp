// Feeds arbitrary bytes to a wave's stream reader, bare (at position 0) or
// framed (after a prefix whose length the first byte picks), then plays what
// loaded through a stand-in for the platform that trusts the RIFF sizes as
// the platform does: it reads every byte the RIFF header claims, so a wave
// the checks let through with sizes beyond its bytes is an overflow that
// AddressSanitizer reports. What loaded must also survive both stream forms
// unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "controls/kiv_extra_wave.hpp"
#include "framework/exceptions.hpp"
#include "framework/streams.hpp"

namespace {

volatile uint32_t g_sink;

uint32_t U32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// Walks the RIFF the way the platform does, trusting every size it finds.
bool TrustingPlayback(const void* sound, uint32_t) {
  if (sound == nullptr) return true;
  const uint8_t* p = static_cast<const uint8_t*>(sound);
  const uint64_t end = uint64_t{8} + U32(p + 4);
  uint32_t sum = 0;
  for (uint64_t pos = 12; pos + 8 <= end;) {
    const uint32_t size = U32(p + pos + 4);
    for (uint64_t i = 0; i < size; ++i) sum += p[pos + 8 + i];
    pos += 8 + uint64_t{size} + (size & 1);
  }
  g_sink = sum;
  return true;
}

void Expect(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  kiv::SetPlaySoundFunction(&TrustingPlayback);
  const size_t prefix = data[0] % 8;  // 0: bare form, else framed after that many bytes
  kiv::TMemoryStream stream;
  stream.WriteBuffer(data + 1, static_cast<int64_t>(size - 1));
  stream.SetPosition(static_cast<int64_t>(prefix < size - 1 ? prefix : size - 1));
  kiv::TKivExtraWave wave;
  try {
    wave.LoadFromStream(stream);
  } catch (const kiv::Exception&) {
    Expect(wave.Size() == 0);  // a failed read leaves the new wave as it was
  }
  for (kiv::TKivExtraWaveOption mode : {kiv::ewoSync, kiv::ewoAsync, kiv::ewoLoop}) {
    wave.SetOptions({mode});
    wave.Play();
  }

  const std::vector<uint8_t> bytes(wave.Bytes(), wave.Bytes() + wave.Size());
  kiv::TMemoryStream framed;
  kiv::WriteU8(framed, 1);
  wave.SaveToStream(framed);
  framed.SetPosition(1);
  kiv::TKivExtraWave back;
  back.LoadFromStream(framed);
  Expect(back.Name() == wave.Name());
  Expect(back.Size() == bytes.size() &&
         (bytes.empty() || std::memcmp(back.Bytes(), bytes.data(), bytes.size()) == 0));
  kiv::TMemoryStream bare;
  wave.SaveToStream(bare);
  Expect(bare.Size() == static_cast<int64_t>(bytes.size()));
  return 0;
}
