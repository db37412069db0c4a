// A skin of 20 bitmaps of 256 x 256 (5 MB of pixels) and a small object
// tree, saved with the maximum filter, then:
//   ZlibBaseline  zlib's uncompress of the container's zlib data, then each
//                 bitmap record copied into a surface of its size;
//   LoadMaxSkin   TLqSkinSource::LoadFromStream of the whole container.
// The ratio LoadMaxSkin / ZlibBaseline is the figure that counts.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "themefiles/skin_filters.hpp"
#include "themefiles/skin_objects.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {
namespace {

constexpr int kBitmaps = 20, kSide = 256;

struct Sample {
  std::vector<uint8_t> file;  // the whole container
  size_t body_size = 0;       // inflated size
  Sample() {
    TLqSkinSource s;
    uint32_t seed = 12345;
    for (int i = 0; i < kBitmaps; ++i) {
      auto* b = new TkivBitmap;
      b->SetName("Bitmap" + std::to_string(i));
      b->SetSize(kSide, kSide);
      // Gradients with a little noise: compresses like drawn artwork.
      for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
          seed = seed * 1103515245u + 12345u;
          const uint32_t n = (seed >> 28) & 3;
          b->SetPixel(x, y,
                      0xFF000000u | uint32_t((x + n) & 0xFF) << 16 |
                          uint32_t((y + i * 9) & 0xFF) << 8 | uint32_t((x ^ y) & 0xFF));
        }
      s.Bitmaps()->Add(b);
    }
    for (int i = 0; i < 20; ++i) {
      auto* o = new TLqButtonObject(nullptr);
      o->SetName("Button" + std::to_string(i));
      o->Bitmap()->SetName("Bitmap" + std::to_string(i));
      o->Bitmap()->SetRect(Rect(0, 0, 32, 32));
      new TLqTextObject(o);
      s.AddObject(o);
    }
    auto filter = CreateSkinFilter(&TLqSkinFilterMaxCompression::StaticClass());
    filter->SetSource(&s);
    TMemoryStream out;
    filter->WriteToStream(out);
    file.assign(out.Memory(), out.Memory() + out.Size());
    TMemoryStream body;
    auto plain = CreateSkinFilter(&TLqSkinFilterMaxCompression::StaticClass());
    plain->SetSource(&s);
    plain->WriteBody(body);
    body_size = static_cast<size_t>(body.Size());
  }
};

const Sample& TheSample() {
  static const Sample s;
  return s;
}

void ZlibBaseline(benchmark::State& state) {
  const Sample& s = TheSample();
  std::vector<uint8_t> body(s.body_size);
  for (auto _ : state) {
    uLongf n = static_cast<uLongf>(body.size());
    if (uncompress(body.data(), &n, s.file.data() + 9, static_cast<uLong>(s.file.size() - 9)) !=
        Z_OK)
      state.SkipWithError("uncompress failed");
    // Walk the bitmap records after the five strings and the bitmap word.
    size_t at = 0;
    auto u32 = [&] {
      uint32_t v;
      std::memcpy(&v, body.data() + at, 4);
      at += 4;
      return v;
    };
    for (int i = 0; i < 5; ++i) at += u32();
    const uint32_t count = u32() & 0xFFF;
    std::vector<TkivBitmap> surfaces(count);
    for (uint32_t i = 0; i < count; ++i) {
      at += u32();
      const int32_t w = static_cast<int32_t>(u32()), h = static_cast<int32_t>(u32());
      surfaces[i].SetSize(w, h);
      std::memcpy(surfaces[i].Bits(), body.data() + at, size_t(w) * h * 4);
      at += size_t(w) * h * 4 + 2;
    }
    benchmark::DoNotOptimize(surfaces.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.body_size));
}
BENCHMARK(ZlibBaseline)->Unit(benchmark::kMillisecond);

void LoadMaxSkin(benchmark::State& state) {
  const Sample& s = TheSample();
  for (auto _ : state) {
    TMemoryStream in;
    in.WriteBuffer(s.file.data(), static_cast<int64_t>(s.file.size()));
    in.SetPosition(0);
    TLqSkinSource source;
    source.LoadFromStream(in);
    if (source.Bitmaps()->Count() != kBitmaps) state.SkipWithError("not loaded");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.body_size));
  // The sizes the figures are for: the container and its inflated body.
  state.counters["file_bytes"] = double(s.file.size());
  state.counters["body_bytes"] = double(s.body_size);
}
BENCHMARK(LoadMaxSkin)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kiv

BENCHMARK_MAIN();
