#pragma once
// What a stored wave file holds, read without decoding a sample: its RIFF
// chunks, its format record, and whether the platform's in-memory playback may
// be handed the bytes. That playback trusts every size in the file, so a wave
// is playable only when the RIFF size fits the stored bytes, every chunk lies
// inside the RIFF data, a "fmt " chunk of at least 16 bytes and a "data" chunk
// exist.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kiv {

struct TKivWaveChunk {
  std::string Id;       // the four characters of the chunk's tag
  uint32_t Offset = 0;  // of the chunk's 8-byte header from the start of the file
  uint32_t Size = 0;    // of its data, as stored
};

// The first 16 bytes of the "fmt " chunk.
struct TKivWaveFormat {
  uint16_t FormatTag = 0;
  uint16_t Channels = 0;
  uint32_t SamplesPerSec = 0;
  uint32_t AvgBytesPerSec = 0;
  uint16_t BlockAlign = 0;
  uint16_t BitsPerSample = 0;
};

// The smallest "fmt " chunk the playback accepts.
inline constexpr uint32_t kMinWaveFormatSize = 16;

struct TKivWaveCheck {
  bool Playable = false;
  std::string Reason;                 // why the wave is refused; empty when playable
  uint32_t RiffSize = 0;              // as stored after "RIFF"
  std::vector<TKivWaveChunk> Chunks;  // in file order, as far as they could be read
  bool HasFormat = false;             // Format holds a "fmt " chunk of 16 bytes or more
  TKivWaveFormat Format;
  bool HasData = false;
  uint32_t DataSize = 0;  // of the first "data" chunk
};

// Reads the RIFF structure of size bytes at data. Never reads outside them.
TKivWaveCheck CheckWave(const uint8_t* data, size_t size);

// "PCM", "IEEE float", "extensible", ... or "unknown".
const char* WaveFormatTagName(uint16_t tag);

}  // namespace kiv
