#include "controls/kiv_wave_riff.hpp"

#include <cstring>

namespace kiv {

namespace {

uint32_t U32At(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t U16At(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

std::string Tag(const uint8_t* p) {
  return std::string(reinterpret_cast<const char*>(p), 4);
}

std::string Quoted(const std::string& id) {
  return "\"" + id + "\"";
}

}  // namespace

TKivWaveCheck CheckWave(const uint8_t* data, size_t size) {
  TKivWaveCheck r;
  if (data == nullptr || size == 0) {
    r.Reason = "no wave data";
    return r;
  }
  if (size < 12) {
    r.Reason = "the " + std::to_string(size) + " bytes are shorter than a RIFF header";
    return r;
  }
  if (std::memcmp(data, "RIFF", 4) != 0) {
    r.Reason = "not a RIFF file";
    return r;
  }
  r.RiffSize = U32At(data + 4);
  if (std::memcmp(data + 8, "WAVE", 4) != 0) {
    r.Reason = "the RIFF form is " + Quoted(Tag(data + 8)) + ", not \"WAVE\"";
    return r;
  }
  // 64-bit sums: a RIFF size near 4 GiB must not wrap around.
  const uint64_t end = uint64_t{8} + r.RiffSize;
  if (end > size) {
    r.Reason = "the RIFF size " + std::to_string(r.RiffSize) + " needs " + std::to_string(end) +
               " bytes, but " + std::to_string(size) + " are stored";
    return r;
  }
  uint64_t pos = 12;
  while (pos < end) {
    if (end - pos < 8) {
      r.Reason =
          "a chunk header at offset " + std::to_string(pos) + " runs past the end of the RIFF data";
      return r;
    }
    TKivWaveChunk chunk{Tag(data + pos), static_cast<uint32_t>(pos), U32At(data + pos + 4)};
    r.Chunks.push_back(chunk);
    const uint64_t body = pos + 8;
    if (chunk.Size > end - body) {
      r.Reason = "chunk " + Quoted(chunk.Id) + " at offset " + std::to_string(pos) + " (" +
                 std::to_string(chunk.Size) + " bytes) runs past the end of the RIFF data";
      return r;
    }
    if (chunk.Id == "fmt " && !r.HasFormat) {
      if (chunk.Size < kMinWaveFormatSize) {
        r.Reason = "the \"fmt \" chunk is " + std::to_string(chunk.Size) + " bytes, fewer than " +
                   std::to_string(kMinWaveFormatSize);
        return r;
      }
      const uint8_t* f = data + body;
      r.HasFormat = true;
      r.Format = TKivWaveFormat{U16At(f),     U16At(f + 2),  U32At(f + 4),
                                U32At(f + 8), U16At(f + 12), U16At(f + 14)};
    } else if (chunk.Id == "data" && !r.HasData) {
      r.HasData = true;
      r.DataSize = chunk.Size;
    }
    // Chunks are padded to even sizes; a last odd chunk may lack its pad byte.
    pos = body + chunk.Size + (chunk.Size & 1);
  }
  if (!r.HasFormat) {
    r.Reason = "no \"fmt \" chunk";
  } else if (!r.HasData) {
    r.Reason = "no \"data\" chunk";
  } else {
    r.Playable = true;
  }
  return r;
}

const char* WaveFormatTagName(uint16_t tag) {
  switch (tag) {
    case 0x0001:
      return "PCM";
    case 0x0002:
      return "Microsoft ADPCM";
    case 0x0003:
      return "IEEE float";
    case 0x0006:
      return "A-law";
    case 0x0007:
      return "mu-law";
    case 0x0011:
      return "IMA ADPCM";
    case 0x0055:
      return "MPEG layer 3";
    case 0xFFFE:
      return "extensible";
    default:
      return "unknown";
  }
}

}  // namespace kiv
