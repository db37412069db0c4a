#include <gtest/gtest.h>
#include <zlib.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "framework/picture/png_writer.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using kivtest::TestData;

std::vector<uint8_t> Bytes(const std::string& s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, uint32_t(data.size()));
  const size_t at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, uint32_t(crc32(0, out.data() + at, uInt(4 + data.size()))));
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw) {
  uLongf n = compressBound(uLong(raw.size()));
  std::vector<uint8_t> out(n);
  compress(out.data(), &n, raw.data(), uLong(raw.size()));
  out.resize(n);
  return out;
}

// A PNG built field by field: the header, optional PLTE and tRNS, the given
// scan lines (filter bytes included) in one IDAT, IEND.
struct PngFixture {
  uint32_t width = 1, height = 1;
  uint8_t depth = 8, color_type = 6, interlace = 0;
  std::vector<uint8_t> palette, trns, rows;
  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    Put32(ihdr, width);
    Put32(ihdr, height);
    ihdr.insert(ihdr.end(), {depth, color_type, 0, 0, interlace});
    Chunk(out, "IHDR", ihdr);
    if (!palette.empty()) Chunk(out, "PLTE", palette);
    if (!trns.empty()) Chunk(out, "tRNS", trns);
    Chunk(out, "IDAT", Deflate(rows));
    Chunk(out, "IEND", {});
    return out;
  }
};

TDecodedPicture Decode(const std::vector<uint8_t>& png) {
  return DecodePng(png.data(), png.size());
}

// The BMP suite's reference renderings are PNGs of many colour types and
// depths made by others: each must show the same pixels as the good BMP it
// renders (REFERENCE_INDEX.tsv pairs them; files with alternatives are left
// out).
TEST(PngDecoder, ReferenceRenderingsMatchTheirBitmaps) {
  std::istringstream index(kivtest::ReadFile(TestData("bmpsuite/REFERENCE_INDEX.tsv")));
  std::set<std::string> seen;
  for (std::string line; std::getline(index, line);) {
    std::istringstream cells(line);
    std::string bmp, version, png;
    std::getline(cells, bmp, '\t');
    std::getline(cells, version, '\t');
    std::getline(cells, png, '\t');
    if (bmp.rfind("g/", 0) != 0 || png.find('|') != std::string::npos) continue;
    SCOPED_TRACE(bmp + " " + png);
    const TDecodedPicture ref = LoadPictureFile(TestData("bmpsuite/" + png));
    const TDecodedPicture pic = LoadPictureFile(TestData("bmpsuite/" + bmp));
    EXPECT_EQ(ref.Format, TPictureFormat::pfPng);
    ASSERT_EQ(ref.Width, pic.Width);
    ASSERT_EQ(ref.Height, pic.Height);
    const TPixelBuffer& a = ref.Frames.at(0).Pixels;
    const TPixelBuffer& b = pic.Frames.at(0).Pixels;
    size_t differ = 0;
    for (size_t i = 0; i < a.size(); ++i) differ += a[i] != b[i];
    EXPECT_EQ(differ, 0u);
    seen.insert(ref.ColorSpace + " " + std::to_string(ref.BitsPerSample));
  }
  // The renderings reach palettes of 1, 4 and 8 bits, grey and RGB.
  EXPECT_GE(seen.size(), 4u) << ::testing::PrintToString(seen);
}

TEST(PngDecoder, ReadsWhatOurEncoderWrites) {
  const TkivPixel px[] = {0xFF102030, 0x00000000, 0x80FFFFFF, 0xFF7F007F, 0x01020304, 0xFFFFFFFF};
  const std::vector<uint8_t> png = EncodePngRgba(px, 3, 2);
  const TDecodedPicture pic = Decode(png);
  ASSERT_EQ(pic.Width, 3);
  ASSERT_EQ(pic.Height, 2);
  EXPECT_TRUE(pic.Transparent);
  EXPECT_EQ(std::vector<TkivPixel>(pic.Frames[0].Pixels.begin(), pic.Frames[0].Pixels.end()),
            std::vector<TkivPixel>(std::begin(px), std::end(px)));
}

// Each of the five filters on grey+alpha rows (two bytes a pixel, so the
// filters reach back a whole pixel), and a 2-bit palette with tRNS whose
// last row byte is padding.
TEST(PngDecoder, UndoesEveryFilterAndUnpacksSmallDepths) {
  PngFixture f;
  f.width = 2;
  f.height = 5;
  f.color_type = 4;
  // Every row decodes to (10, 200), (30, 255).
  f.rows = {
      0, 10, 200, 30, 255,  // none
      1, 10, 200, 20, 55,   // sub: + left pixel
      2, 0,  0,   0,  0,    // up: + row above
      3, 5,  100, 10, 28,   // average of left and above
      4, 0,  0,   0,  0,    // paeth picks above
  };
  const TDecodedPicture grey = Decode(f.Build());
  for (int y = 0; y < 5; ++y) {
    SCOPED_TRACE(y);
    EXPECT_EQ(grey.Frames[0].Pixels[y * 2], 0xC80A0A0Au);
    EXPECT_EQ(grey.Frames[0].Pixels[y * 2 + 1], 0xFF1E1E1Eu);
  }

  PngFixture p;
  p.width = 3;
  p.height = 1;
  p.depth = 2;
  p.color_type = 3;
  p.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  p.trns = {255, 0};            // entry 1 transparent, entry 2 opaque by default
  p.rows = {0, 0b10'01'00'11};  // indices 2, 1, 0; the last two bits pad
  const TDecodedPicture pal = Decode(p.Build());
  EXPECT_EQ(pal.Frames[0].Pixels[0], 0xFF0000FFu);
  EXPECT_EQ(pal.Frames[0].Pixels[1], 0x0000FF00u);
  EXPECT_EQ(pal.Frames[0].Pixels[2], 0xFFFF0000u);
}

TEST(PngDecoder, RefusesBrokenFilesWithAReason) {
  PngFixture good;  // one opaque RGBA pixel
  good.rows = {0, 1, 2, 3, 255};
  const std::vector<uint8_t> base = good.Build();
  auto with = [&](auto change) {
    PngFixture f = good;
    change(f);
    return f.Build();
  };
  std::vector<uint8_t> bad_crc = base;
  bad_crc[29] ^= 1;  // the IHDR's CRC
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* reason;
  } cases[] = {
      {"no signature", Bytes("GIF89a"), "no PNG signature"},
      {"truncated", std::vector<uint8_t>(base.begin(), base.begin() + 46), "past the end"},
      {"bad crc", bad_crc, "CRC of chunk IHDR"},
      {"interlaced", with([](PngFixture& f) { f.interlace = 1; }), "interlaced"},
      {"depth", with([](PngFixture& f) { f.depth = 4; }), "bit depth 4"},
      {"short rows", with([](PngFixture& f) { f.rows.pop_back(); }), "before the last row"},
      {"long rows", with([](PngFixture& f) { f.rows.push_back(0); }), "more than the rows"},
      {"filter", with([](PngFixture& f) { f.rows[0] = 5; }), "unknown filter type 5"},
      {"palette index", with([](PngFixture& f) {
         f.color_type = 3;
         f.palette = {1, 2, 3};
         f.rows = {0, 1};
       }),
       "past the palette"},
      {"huge", with([](PngFixture& f) { f.width = f.height = 0x10000000; }), "more pixels"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      Decode(c.bytes);
      ADD_FAILURE() << "accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace kiv
