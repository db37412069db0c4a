// Cost of one animation frame (mask generation plus composition, starting
// from the old picture as the engine does) against a memcpy of the same
// surface measured in the same run. Frames at progress 45 and 50 alternate.
// Also the pixels of a fade's frame alone, through the general mask row (an
// alpha row holding the level, filled per frame) and through the row at one
// level.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "effects/engine.hpp"
#include "effects/frame_kernels.hpp"
#include "effects/masks.hpp"

namespace {

using namespace kiv;

void Paint(TkivBitmap& s, uint32_t salt) {
  for (int y = 0; y < s.Height(); ++y) {
    TkivPixel* row = s.ScanLine(y);
    for (int x = 0; x < s.Width(); ++x)
      row[x] = 0xFF000000u | ((x * 7 + salt) & 0xFF) << 16 | ((y * 3 + salt) & 0xFF) << 8 |
               ((x ^ y) & 0xFF);
  }
}

struct Config {
  int w, h, res;
};

// memcpy between two surfaces allocated as the frames' surfaces are (same
// alignment, same pages).
void Memcpy(benchmark::State& state, Config c) {
  TkivBitmap a, b;
  a.SetSize(c.w, c.h);
  b.SetSize(c.w, c.h);
  Paint(a, 1);
  Paint(b, 2);
  const size_t bytes = static_cast<size_t>(c.w) * c.h * sizeof(TkivPixel);
  for (auto _ : state) {
    std::memcpy(b.Bits(), a.Bits(), bytes);
    benchmark::DoNotOptimize(b.Bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void Frame(benchmark::State& state, std::string effect, Config c) {
  SetAnimationTimer(std::make_unique<TkivManualTimer>());
  TkivBitmap source, target;
  source.SetSize(c.w, c.h);
  target.SetSize(c.w, c.h);
  Paint(source, 1);
  Paint(target, 2);
  TkivAnimationRec rec;
  rec.SetEffect(effect);
  rec.SetResolution(c.res);
  const int slot = StartAnimation(nullptr, 0, 0, 0, rec, &target, &source);
  if (!IsAnimating(slot)) {
    state.SkipWithError("effect did not start");
    return;
  }
  TkivAnimationSlot& s = AnimationSlot(slot);
  // Two neighbouring frames of a 400 ms animation, alternately: each frame
  // then changes what the one before it left (the alpha laid into the new
  // picture, the cells shown), as in a running animation. Repeating one
  // progress value would let every frame find its work already done.
  uint8_t progress = 45;
  for (auto _ : state) {
    progress = progress == 45 ? 50 : 45;
    ComposeFrame(s, progress);
    benchmark::DoNotOptimize(s.Work->Bits());
    benchmark::ClobberMemory();
  }
  StopAnimation(slot);
}

// A fade's frame as the composition makes it, its rows one row: the level
// alternates between those of progress 45 and 50. Large frames are written
// around the caches, as the composition writes frames of 4 MiB and more.
void FadeRow(benchmark::State& state, bool one_level, Config c) {
  TkivBitmap source, target, work;
  for (TkivBitmap* s : {&source, &target, &work}) s->SetSize(c.w, c.h);
  Paint(source, 1);
  Paint(target, 2);
  const int n = c.w * c.h;
  const bool stream = int64_t{n} * 4 >= (int64_t{4} << 20);
  std::vector<uint8_t> alpha(static_cast<size_t>(n));
  uint8_t progress = 45;
  for (auto _ : state) {
    progress = progress == 45 ? 50 : 45;
    const uint8_t level = UniformMaskLevel(progress);
    if (one_level) {
      ComposeLevelRow(target.Bits(), level, source.Bits(), work.Bits(), n, stream);
    } else {
      alpha.assign(alpha.size(), level);
      ComposeMaskRow(target.Bits(), alpha.data(), source.Bits(), work.Bits(), n, stream);
    }
    benchmark::DoNotOptimize(work.Bits());
    benchmark::ClobberMemory();
  }
}

const Config kConfigs[] = {{75, 25, 10}, {1920, 1080, 1}, {1920, 1080, 4}};
const char* const kEffects[] = {"Fade", "CircleSmoothOut", "Plasma", "Pixel", "Interlace", "Push"};

int Register() {
  for (const Config& c : kConfigs) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about a
    // literal prepended to a temporary string.
    std::string suffix = "/";
    suffix += std::to_string(c.w);
    suffix += "x";
    suffix += std::to_string(c.h);
    suffix += "/res";
    suffix += std::to_string(c.res);
    benchmark::RegisterBenchmark((std::string("memcpy") + suffix).c_str(), Memcpy, c);
    for (const char* e : kEffects)
      benchmark::RegisterBenchmark((std::string(e) + suffix).c_str(), Frame, std::string(e), c);
    if (c.res == 1) continue;  // the fade's pixels do not depend on the grid
    benchmark::RegisterBenchmark((std::string("FadeRowMask") + suffix).c_str(), FadeRow, false, c);
    benchmark::RegisterBenchmark((std::string("FadeRowLevel") + suffix).c_str(), FadeRow, true, c);
  }
  return 0;
}
const int kRegistered = Register();

}  // namespace

BENCHMARK_MAIN();
