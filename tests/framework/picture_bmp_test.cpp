#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "picture_test_png.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using kivtest::TestData;

// REFERENCE_INDEX.tsv: suite file -> its reference renderings (alternatives).
std::map<std::string, std::vector<std::string>> References() {
  std::map<std::string, std::vector<std::string>> refs;
  std::istringstream in(kivtest::ReadFile(TestData("bmpsuite/REFERENCE_INDEX.tsv")));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cols;
    std::istringstream cells(line);
    for (std::string c; std::getline(cells, c, '\t');) cols.push_back(c);
    if (cols.size() < 3) continue;
    std::istringstream alts(cols[2]);
    for (std::string a; std::getline(alts, a, '|');) {
      a.erase(0, a.find_first_not_of(' '));
      a.erase(a.find_last_not_of(' ') + 1);
      if (a.size() > 4 && a.substr(a.size() - 4) == ".png") refs[cols[0]].push_back(a);
    }
  }
  return refs;
}

TDecodedPicture Load(const std::string& suite_path) {
  return LoadPictureFile(TestData("bmpsuite/" + suite_path));
}

// Empty when the picture shows the reference (each channel within `tolerance`),
// else the first difference.
std::string Compare(const TDecodedPicture& pic, const std::string& reference, int tolerance = 0) {
  kivtest::TPng png = kivtest::ReadPng(TestData("bmpsuite/" + reference));
  if (png.width != pic.Width || png.height != pic.Height)
    return reference + ": size " + std::to_string(pic.Width) + "x" + std::to_string(pic.Height);
  const TPixelBuffer& px = pic.Frames.at(0).Pixels;
  for (size_t i = 0; i < px.size(); ++i)
    if (!kivtest::SamePixel(px[i], png.pixels[i], tolerance)) {
      std::ostringstream s;
      s << reference << ": pixel (" << i % png.width << ", " << i / png.width << ") is " << std::hex
        << px[i] << ", reference " << png.pixels[i];
      return s.str();
    }
  return {};
}

// Empty when the picture matches one of the file's references.
std::string CompareAny(const TDecodedPicture& pic, const std::vector<std::string>& refs,
                       int tolerance = 0) {
  std::string why;
  for (const std::string& r : refs) {
    std::string d = Compare(pic, r, tolerance);
    if (d.empty()) return d;
    why += d + "; ";
  }
  return why.empty() ? "no reference" : why;
}

TEST(BmpDecoder, EveryGoodFileShowsItsReferenceRendering) {
  auto refs = References();
  int checked = 0;
  for (const auto& [file, alternatives] : refs) {
    if (file.rfind("g/", 0) != 0) continue;
    SCOPED_TRACE(file);
    TDecodedPicture pic = Load(file);
    EXPECT_EQ(pic.Format, TPictureFormat::pfBmp);
    ASSERT_EQ(pic.Frames.size(), 1u);
    EXPECT_EQ(CompareAny(pic, alternatives), "");
    ++checked;
  }
  EXPECT_EQ(checked, 27);  // the suite's good files, all listed in the index
}

// Questionable files: what the decoder does with each, and why.
TEST(BmpDecoder, QuestionableFilesDecodeToAReferenceOrAreRefused) {
  auto refs = References();
  enum Outcome { kExact, kNear, kSwappedRedGreen, kRefused };
  struct Case {
    const char* file;
    Outcome outcome = kExact;
    const char* message = nullptr;  // part of the refusal message
  };
  const Case cases[] = {
      {"q/pal1p1.bmp"},
      {"q/pal2.bmp"},
      {"q/pal2color.bmp"},
      {"q/pal4rletrns.bmp"},
      {"q/pal4rlecut.bmp"},
      {"q/pal8rletrns.bmp"},
      {"q/pal8rlecut.bmp"},
      {"q/pal8offs.bmp"},
      {"q/pal8oversizepal.bmp"},
      {"q/pal8os2-sz.bmp"},
      {"q/pal8os2-hs.bmp"},
      {"q/pal8os2sp.bmp"},
      {"q/pal8os2v2.bmp"},
      {"q/pal8os2v2-16.bmp"},
      {"q/pal8os2v2-sz.bmp"},
      {"q/pal8os2v2-40sz.bmp"},
      {"q/rgb24rle24.bmp"},
      {"q/pal1huffmsb.bmp", kRefused, "Huffman"},
      {"q/rgb16faketrns.bmp"},
      {"q/rgb16-231.bmp"},
      {"q/rgb16-3103.bmp"},
      {"q/rgba16-4444.bmp"},
      {"q/rgba16-5551.bmp"},
      {"q/rgba16-1924.bmp"},
      {"q/rgb24largepal.bmp"},
      {"q/rgb24prof.bmp"},
      // Shown as stored: its colour profile (which swaps red and green back) is not applied.
      {"q/rgb24prof2.bmp", kSwappedRedGreen},
      {"q/rgb24lprof.bmp"},
      {"q/rgb24png.bmp", kRefused, "BI_PNG"},
      {"q/rgb32h52.bmp"},
      {"q/rgb32-xbgr.bmp"},
      {"q/rgb32fakealpha.bmp"},
      // 11-bit channels rounded to 8 bits; the reference truncates some of them.
      {"q/rgb32-111110.bmp", kNear},
      {"q/rgb32-7187.bmp"},
      {"q/rgba32-1.bmp"},
      {"q/rgba32-2.bmp"},
      {"q/rgba32-1010102.bmp"},
      {"q/rgba32-81284.bmp"},
      {"q/rgba32-61754.bmp"},
      {"q/rgba32abf.bmp"},
      {"q/rgba32h56.bmp"},
      {"q/rgba64.bmp", kRefused, "64 bits per pixel"},
      {"x/ba-bm.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    if (c.outcome == kRefused) {
      try {
        Load(c.file);
        ADD_FAILURE() << "decoded";
      } catch (const EInvalidGraphic& e) {
        EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
      }
      continue;
    }
    TDecodedPicture pic = Load(c.file);
    if (c.outcome == kSwappedRedGreen) {
      for (TkivPixel& p : pic.Frames[0].Pixels)
        p = (p & 0xFF0000FFu) | (p >> 8 & 0xFF00) | (p << 8 & 0xFF0000);
    }
    EXPECT_EQ(CompareAny(pic, refs[c.file], c.outcome == kNear ? 1 : 0), "");
  }
}
TEST(BmpDecoder, EveryBadFileIsRefusedWithTheReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"badbitcount.bmp", "30000 bits per pixel is not a valid depth"},
      {"badbitssize.bmp", "bytes of pixel data, more than the whole file"},
      {"baddens1.bmp", "pixel density (30000000 by 3 pixels per metre) is implausible"},
      {"baddens2.bmp", "pixel density (3 by 30000000 pixels per metre) is implausible"},
      {"badheadersize.bmp", "header size is 66 bytes"},
      {"badpalettesize.bmp", "palette of 305402420 colours runs past the end of the file"},
      {"badplanes.bmp", "30000 colour planes"},
      // Their runs past the row's end are cut; then a delta leaves the picture.
      {"badrle.bmp", "RLE delta moves outside the picture"},
      {"badrle4.bmp", "RLE delta moves outside the picture"},
      {"badrle4bis.bmp", "RLE delta moves outside the picture"},
      {"badrle4ter.bmp", "RLE delta moves outside the picture"},
      {"badrlebis.bmp", "RLE delta moves outside the picture"},
      {"badrleter.bmp", "RLE delta moves outside the picture"},
      {"badwidth.bmp", "the width is -127"},
      {"pal8badindex.bmp", "uses colour 103 but the palette has only 101 colours"},
      {"reallybig.bmp", "the header gives 2129587950 bytes of pixel data, more than the whole"},
      {"rgb16-880.bmp", "the blue bit mask is empty"},
      {"rletopdown.bmp", "cannot be stored top-down"},
      {"shortfile.bmp", "the header gives 1024 bytes of pixel data, more than the whole file"},
  };
  for (const auto& [file, reason] : cases) {
    SCOPED_TRACE(file);
    try {
      Load(std::string("b/") + file);
      ADD_FAILURE() << "decoded";
    } catch (const EInvalidGraphic& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.rfind("Invalid BMP: ", 0), 0u) << message;
      EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
  }
}

// The suite's file whose file-size field claims gigabytes while every byte
// its pixels need is there: the platform ignores that field, and so do we.
TEST(BmpDecoder, AnOverlongFileSizeFieldIsIgnored) {
  TDecodedPicture pic = Load("b/badfilesize.bmp");
  EXPECT_EQ(CompareAny(pic, References()["g/pal1.bmp"]), "");
  EXPECT_TRUE(pic.Warnings.empty());
}

// A hand-made BMP: 40-byte header, the given palette and pixel data.
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, uint16_t bpp, uint32_t compression,
                             const std::vector<uint32_t>& palette,
                             const std::vector<uint8_t>& bits) {
  std::vector<uint8_t> f;
  auto u16 = [&](uint32_t v) {
    f.push_back(uint8_t(v));
    f.push_back(uint8_t(v >> 8));
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  const uint32_t offset = 14 + 40 + 4 * uint32_t(palette.size());
  f.push_back('B');
  f.push_back('M');
  u32(offset + uint32_t(bits.size()));
  u32(0);
  u32(offset);
  u32(40);
  u32(uint32_t(width));
  u32(uint32_t(height));
  u16(1);
  u16(bpp);
  u32(compression);
  u32(0);
  u32(2835);
  u32(2835);
  u32(bpp <= 8 ? uint32_t(palette.size()) : 0);
  u32(0);
  for (uint32_t c : palette) u32(c);
  f.insert(f.end(), bits.begin(), bits.end());
  return f;
}

TEST(BmpDecoder, RleSkippedPixelsStayTransparent) {
  // 4 x 2 RLE8, bottom row first: two pixels of colour 1, a delta of (+1, +1)
  // from (2, 0) to (3, 1), one pixel of colour 2, end of bitmap.
  const std::vector<uint8_t> rle = {2, 1, 0, 2, 1, 1, 1, 2, 0, 1};
  const auto file = MakeBmp(4, 2, 8, 1, {0x000000, 0xFF0000, 0x00FF00}, rle);
  TDecodedPicture pic = DecodeBmp(file.data(), file.size());
  const TPixelBuffer want = {0,          0,          0, 0xFF00FF00,  // top row
                             0xFFFF0000, 0xFFFF0000, 0, 0};
  EXPECT_EQ(pic.Frames[0].Pixels, want);
  EXPECT_TRUE(pic.Transparent);
  EXPECT_TRUE(pic.Warnings.empty());

  // Without its end marker the data decodes as far as it goes, with a warning.
  const auto cut = MakeBmp(4, 2, 8, 1, {0x000000, 0xFF0000, 0x00FF00}, {2, 1});
  pic = DecodeBmp(cut.data(), cut.size());
  EXPECT_EQ(pic.Frames[0].Pixels[4], 0xFFFF0000u);
  EXPECT_EQ(pic.Warnings.size(), 1u);
}

TEST(BmpDecoder, RleRunsPastTheRowEndAreCutAndDecodingGoesOn) {
  const std::vector<uint32_t> pal = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  const TkivPixel R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF;
  struct Case {
    const char* what;
    uint16_t bpp;
    uint32_t compression;
    std::vector<uint8_t> rle;
    TPixelBuffer want;  // 3 x 2, top row first
  };
  const Case cases[] = {
      // Bottom row: a run of 5 (3 fit); top row: blue, then the end.
      {"RLE8 encoded run", 8, 1, {5, 1, 0, 0, 1, 3, 0, 1}, {B, 0, 0, R, R, R}},
      // Bottom row: an absolute run of 4 (3 fit; all 4 bytes are consumed);
      // top row: a run of 2 green after it, then a second cut run.
      {"RLE8 absolute run", 8, 1, {0, 4, 1, 2, 3, 1, 0, 0, 2, 2, 4, 3, 0, 1}, {G, G, B, R, G, B}},
      // RLE4: colours 1 and 2 alternate over a run of 4 (3 fit).
      {"RLE4 encoded run", 4, 2, {4, 0x12, 0, 0, 3, 0x33, 0, 1}, {B, B, B, R, G, R}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto file = MakeBmp(3, 2, c.bpp, c.compression, pal, c.rle);
    TDecodedPicture pic = DecodeBmp(file.data(), file.size());
    EXPECT_EQ(pic.Frames[0].Pixels, c.want);
    ASSERT_EQ(pic.Warnings.size(), 1u);
    EXPECT_NE(pic.Warnings[0].find("run(s) went past the end of their row"), std::string::npos)
        << pic.Warnings[0];
  }
}

TEST(BmpDecoder, TheFileSizeFieldIsNotTheMeasureOfTheData) {
  // 2 x 2 at 24 bits: rows of 6 bytes padded to 8, 16 bytes in all.
  auto file = MakeBmp(2, 2, 24, 0, {}, std::vector<uint8_t>(16, 0x40));
  file[2] += 5;  // the size field claims 5 bytes more than there are
  TDecodedPicture pic = DecodeBmp(file.data(), file.size());
  EXPECT_EQ(pic.Frames[0].Pixels, TPixelBuffer(4, 0xFF404040));
  // Short of the bytes the last row needs, it is refused however the field reads.
  file.resize(file.size() - 3);
  EXPECT_THROW(DecodeBmp(file.data(), file.size()), EInvalidGraphic);
}

TEST(BmpDecoder, AnAlphaChannelOfZerosIsOpaqueAnyOtherIsKept) {
  // BI_ALPHABITFIELDS, 2 x 1 at 32 bits: masks red, green, blue, alpha.
  const std::vector<uint32_t> masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  struct Case {
    std::vector<uint8_t> bits;  // blue, green, red, alpha per pixel
    TPixelBuffer want;
  };
  const Case cases[] = {
      {{0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0}, {0xFF302010, 0xFF605040}},
      {{0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0x80}, {0x00302010, 0x80605040}},
  };
  for (const Case& c : cases) {
    const auto file = MakeBmp(2, 1, 32, 6, masks, c.bits);
    TDecodedPicture pic = DecodeBmp(file.data(), file.size());
    EXPECT_EQ(pic.Frames[0].Pixels, c.want);
    EXPECT_EQ(pic.Transparent, (c.want[0] >> 24) != 0xFF);
  }
}

TEST(BmpDecoder, RefusesBeforeAllocatingForHugeOrInconsistentHeaders) {
  struct Case {
    std::vector<uint8_t> file;
    const char* reason;
  };
  // 16-bit bit fields whose red and green masks overlap.
  auto overlap = MakeBmp(1, 1, 16, 3, {0xF800, 0x0FE0, 0x001F}, {0, 0, 0, 0});
  // 10000 x 10000 pixels claimed by four bytes of RLE data.
  auto bomb = MakeBmp(10000, 10000, 8, 1, {0, 0xFFFFFF}, {0, 0, 0, 1});
  // 2 x 2 pixels that need 16 bytes of which 12 are there.
  auto short_rows = MakeBmp(2, 2, 24, 0, {}, std::vector<uint8_t>(12));
  const Case cases[] = {
      {overlap, "the red and green bit masks overlap"},
      {bomb, "RLE data is far too short"},
      {short_rows, "the pixels need 14 bytes but only 12 follow"},
  };
  for (const Case& c : cases) {
    try {
      DecodeBmp(c.file.data(), c.file.size());
      ADD_FAILURE() << c.reason;
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
  // The pixel limit holds for pictures the file could well describe.
  TDecodeLimits small;
  small.MaxFramePixels = 1000;
  const std::string pal8 = kivtest::ReadFile(TestData("bmpsuite/g/pal8.bmp"));
  EXPECT_THROW(DecodeBmp(reinterpret_cast<const uint8_t*>(pal8.data()), pal8.size(), small),
               EInvalidGraphic);
}
}  // namespace
}  // namespace kiv
