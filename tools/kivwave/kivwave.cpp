// kivwave: what the library makes of a wave file, and its two stream forms.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "controls/kiv_extra_wave.hpp"
#include "controls/kiv_wave_riff.hpp"
#include "framework/streams.hpp"

namespace {

const char kHelp[] =
    "Usage: kivwave info FILE\n"
    "       kivwave frame WAVE OUT [--name NAME]\n"
    "       kivwave unframe IN OUT\n"
    "       kivwave play FILE [--sync] [--loop] [--wait MS]\n"
    "\n"
    "info prints one fact per line, \"key: value\": file, size, riff size, one\n"
    "\"chunk: ID at OFFSET, SIZE bytes\" per chunk, the format record (format,\n"
    "channels, rate, bytes per second, block align, bits) when there is one, the\n"
    "data size, and \"verdict: playable\" or \"verdict: refused: REASON\". A refused\n"
    "wave is never handed to the platform's playback. Exit status 0 when playable,\n"
    "1 when refused.\n"
    "\n"
    "frame writes the framed form of the wave file WAVE (data size and name length,\n"
    "32-bit little-endian, the name, the data), as a wave stores itself inside a\n"
    "larger stream; unframe reads that form and writes the bare wave file back.\n"
    "\n"
    "play plays FILE through the platform's in-memory playback (the Windows build,\n"
    "under Wine), asynchronously unless --sync, then waits MS milliseconds\n"
    "(default 1000) and stops it. A refused wave is not played (exit status 1).\n"
    "\n"
    "Errors print \"error: MESSAGE\" and exit with status 2, as does wrong usage.\n";

int Usage() {
  std::fputs(kHelp, stderr);
  return 2;
}

void PrintCheck(const kiv::TKivWaveCheck& c) {
  std::printf("riff size: %u\n", c.RiffSize);
  for (const kiv::TKivWaveChunk& k : c.Chunks) {
    std::string id;
    for (char ch : k.Id) id += (ch >= 0x20 && ch < 0x7F) ? ch : '?';
    std::printf("chunk: \"%s\" at %u, %u bytes\n", id.c_str(), k.Offset, k.Size);
  }
  if (c.HasFormat) {
    const kiv::TKivWaveFormat& f = c.Format;
    std::printf("format: %s (0x%04X)\n", kiv::WaveFormatTagName(f.FormatTag), f.FormatTag);
    std::printf("channels: %u\n", f.Channels);
    std::printf("rate: %u\n", f.SamplesPerSec);
    std::printf("bytes per second: %u\n", f.AvgBytesPerSec);
    std::printf("block align: %u\n", f.BlockAlign);
    std::printf("bits: %u\n", f.BitsPerSample);
  }
  if (c.HasData) std::printf("data: %u bytes\n", c.DataSize);
  if (c.Playable)
    std::printf("verdict: playable\n");
  else
    std::printf("verdict: refused: %s\n", c.Reason.c_str());
}

int Info(const std::string& file) {
  kiv::TKivWave wave;
  wave.LoadFromFile(file);
  std::printf("file: %s\n", file.c_str());
  std::printf("size: %zu\n", wave.Size());
  const kiv::TKivWaveCheck c = wave.Check();
  PrintCheck(c);
  return c.Playable ? 0 : 1;
}

// A wave writes its framed form only after the start of a stream, so both
// directions go through one leading byte that the file does not keep.
int Frame(const std::string& in, const std::string& out, const std::string& name) {
  kiv::TKivWave wave;
  wave.LoadFromFile(in);
  wave.SetName(name);
  kiv::TMemoryStream framed;
  kiv::WriteU8(framed, 0);
  wave.SaveToStream(framed);
  kiv::TFileStream file(out, kiv::fmCreate);
  file.WriteBuffer(framed.Memory() + 1, framed.Size() - 1);
  return 0;
}

int Unframe(const std::string& in, const std::string& out) {
  kiv::TMemoryStream source;
  source.LoadFromFile(in);
  kiv::TMemoryStream framed;
  kiv::WriteU8(framed, 0);
  framed.WriteBuffer(source.Memory(), source.Size());
  framed.SetPosition(1);
  kiv::TKivWave wave;
  wave.LoadFromStream(framed);
  wave.SaveToFile(out);
  std::printf("name: %s\n", wave.Name().c_str());
  std::printf("data: %zu bytes\n", wave.Size());
  return 0;
}

int Play(const std::string& file, bool sync, bool loop, int wait_ms) {
  kiv::TKivExtraWave wave;
  wave.LoadFromFile(file);
  const kiv::TKivWaveCheck c = wave.Check();
  if (!c.Playable) {
    std::printf("verdict: refused: %s\n", c.Reason.c_str());
    return 1;
  }
  kiv::TKivExtraWaveOptions options{sync ? kiv::ewoSync : kiv::ewoAsync};
  if (loop) options.Include(kiv::ewoLoop);
  wave.SetOptions(options);
  std::printf("flags: 0x%02X\n", wave.Flags());
  // The platform's own answer, through the replaceable play function.
  static bool answer = false;
  kiv::TKivPlaySoundFunction previous =
      kiv::SetPlaySoundFunction([](const void* sound, uint32_t flags) {
        answer = kiv::PlatformPlaySound(sound, flags);
        return answer;
      });
  wave.Play();
  std::printf("platform: %s\n", answer ? "played" : "did not play (no sound device?)");
  if (!(wave.Flags() & kiv::kSndAsync) || wait_ms <= 0) {
    kiv::SetPlaySoundFunction(previous);
    return 0;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(wait_ms));
  kiv::SetPlaySoundFunction(previous);
  return 0;  // the wave's destruction stops the sound
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  if (args[0] == "--help" || args[0] == "-h") {
    std::fputs(kHelp, stdout);
    return 0;
  }
  try {
    const std::string& cmd = args[0];
    if (cmd == "info" && args.size() == 2) return Info(args[1]);
    if (cmd == "frame" && (args.size() == 3 || (args.size() == 5 && args[3] == "--name")))
      return Frame(args[1], args[2], args.size() == 5 ? args[4] : std::string());
    if (cmd == "unframe" && args.size() == 3) return Unframe(args[1], args[2]);
    if (cmd == "play" && args.size() >= 2) {
      bool sync = false, loop = false;
      int wait_ms = 1000;
      for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--sync")
          sync = true;
        else if (args[i] == "--loop")
          loop = true;
        else if (args[i] == "--wait" && i + 1 < args.size())
          wait_ms = std::stoi(args[++i]);
        else
          return Usage();
      }
      return Play(args[1], sync, loop, wait_ms);
    }
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    return 2;
  }
  return Usage();
}
