// Packed 32-bit DIBs, the layout of 32-bit bitmap resources: real files from
// the BMP suite (their 14-byte file header skipped) and damaged data.
#include <gtest/gtest.h>

#include <string>

#include "framework/exceptions.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

std::string PackedDib(const std::string& file) {
  return kivtest::ReadFile(kivtest::TestData("bmpsuite/" + file)).substr(14);
}

const uint8_t* Data(const std::string& s) {
  return reinterpret_cast<const uint8_t*>(s.data());
}

// rgb24.bmp shows the same picture as the 32-bit files: its colours, top row first.
std::vector<TkivPixel> Reference24() {
  const std::string dib = PackedDib("g/rgb24.bmp");
  const int w = 127, h = 64, stride = (w * 3 + 3) & ~3;
  std::vector<TkivPixel> out(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = Data(dib) + 40 + (h - 1 - y) * stride + x * 3;
      out[y * w + x] = p[0] | p[1] << 8 | p[2] << 16;
    }
  return out;
}

TEST(PackedDib, ReadsTheSuitesThirtyTwoBitFiles) {
  const std::vector<TkivPixel> want = Reference24();
  int decoded = 0;
  for (const char* file :
       {"g/rgb32.bmp", "g/rgb32bf.bmp", "g/rgb32bfdef.bmp", "q/rgba32-1.bmp", "q/rgba32-2.bmp",
        "q/rgb32-xbgr.bmp", "q/rgba32abf.bmp", "q/rgb32-111110.bmp"}) {
    SCOPED_TRACE(file);
    const std::string dib = PackedDib(file);
    TkivBitmap b;
    b.SetName("kept");
    b.SetTransparent(true);
    try {
      b.LoadFromPackedDib32(Data(dib), dib.size());
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Bitmap image is not valid");  // masks other than plain BGRA
      continue;
    }
    ++decoded;
    ASSERT_EQ(b.Width(), 127);
    ASSERT_EQ(b.Height(), 64);
    if (std::string(file).find("rgba") != std::string::npos) {
      EXPECT_TRUE(b.AlphaBlend());  // pictures with real transparency
    } else {
      for (int i = 0; i < 127 * 64; ++i) ASSERT_EQ(b.Bits()[i] & 0xFFFFFF, want[i]) << i;
    }
    EXPECT_EQ(b.Name(), "kept");
    EXPECT_TRUE(b.Transparent());
  }
  EXPECT_GE(decoded, 2);  // at least the plain file and the plain bit fields
}

TEST(PackedDib, AlphaIsKeptAndDetected) {
  // 2 x 1, top-down, BI_RGB.
  std::string dib(40, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) dib[at + i] = static_cast<char>(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, 2);
  put32(8, static_cast<uint32_t>(-1));
  dib[12] = 1;
  dib[14] = 32;
  dib += std::string("\x11\x22\x33\x80\x44\x55\x66\xFF", 8);
  TkivBitmap b;
  b.LoadFromPackedDib32(Data(dib), dib.size());
  EXPECT_EQ(b.GetPixel(0, 0), 0x80332211u);
  EXPECT_EQ(b.GetPixel(1, 0), 0xFF665544u);
  EXPECT_TRUE(b.AlphaBlend());
  // Damaged: every cut of the data, and headers that lie.
  for (size_t cut = 0; cut < dib.size(); ++cut)
    EXPECT_THROW(b.LoadFromPackedDib32(Data(dib), cut), EInvalidGraphic) << cut;
  for (auto [at, value] : {std::pair<size_t, uint32_t>{0, 39},
                           {0, 4000},
                           {4, 0},
                           {4, 0x80000000u},
                           {8, 0},
                           {8, 0x80000000u},
                           {16, 1},
                           {32, 0x40000000u},
                           {4, 0x7FFFFFFF}}) {
    std::string bad = dib;
    put32(0, 40);
    for (int i = 0; i < 4; ++i) bad[at + i] = static_cast<char>(value >> (8 * i));
    EXPECT_THROW(b.LoadFromPackedDib32(Data(bad), bad.size()), EInvalidGraphic) << at;
  }
  EXPECT_THROW(b.LoadFromPackedDib32(nullptr, 0), EInvalidGraphic);
}

}  // namespace
}  // namespace kiv
