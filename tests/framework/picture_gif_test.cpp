#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "framework/picture/png_writer.hpp"
#include "picture_test_png.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using kivtest::TestData;

TDecodedPicture LoadGif(const std::string& path) {
  return LoadPictureFile(TestData("gif/" + path));
}

std::string Refusal(const std::vector<uint8_t>& bytes) {
  try {
    DecodeGif(bytes.data(), bytes.size());
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "(decoded)";
}

// Frames of the suite that have per-frame renderings: composition, disposal
// (none, background, previous, previous on the first frame), interlacing,
// transparency and frames partly or wholly outside the screen.
TEST(GifDecoder, FramesMatchTheSuiteRenderings) {
  const char* animations[] = {
      "animated_loop",
      "animated_loop_interlaced",
      "animated_loop_variable_delay",
      "animated_noloop",
      "animated_transparent_firstframerestoreprev_loop",
      "animated_transparent_frame_norestore_loop",
      "animated_transparent_frame_restorebackground_loop",
      "animated_transparent_frame_restoreprev_loop",
      "animated_transparent_loop",
      "animated_transparent_loop_frames_out_of_bounds",
      "animated_transparent_restoreprev_loop",
  };
  const std::string dir = "peterdn-gif-test-suite/gifs/";
  auto compare = [&](const TDecodedPicture& pic, size_t frame, const std::string& png_name) {
    SCOPED_TRACE(png_name);
    kivtest::TPng ref = kivtest::ReadPng(TestData("gif/" + dir + "frames/" + png_name));
    ASSERT_EQ(ref.width, pic.Width);
    ASSERT_EQ(ref.height, pic.Height);
    const TPixelBuffer& px = pic.Frames.at(frame).Pixels;
    int wrong = 0;
    for (size_t i = 0; i < px.size(); ++i) wrong += !kivtest::SamePixel(px[i], ref.pixels[i]);
    EXPECT_EQ(wrong, 0);
  };
  for (const char* name : animations) {
    TDecodedPicture pic = LoadGif(dir + name + ".gif");
    ASSERT_EQ(pic.Frames.size(), 4u) << name;
    for (size_t f = 0; f < 4; ++f)
      compare(pic, f, std::string(name) + "-" + std::to_string(f) + ".png");
  }
  for (const char* name : {"static_nontransparent", "static_transparent"}) {
    TDecodedPicture pic = LoadGif(dir + name + ".gif");
    ASSERT_EQ(pic.Frames.size(), 1u);
    compare(pic, 0, std::string(name) + ".png");
    EXPECT_EQ(pic.Transparent, std::string(name) == "static_transparent");
  }
}

TEST(GifDecoder, DelaysAndLoopingFollowTheViewerRules) {
  struct Case {
    int stored, ms;
  };
  for (const Case c : {Case{0, 120}, Case{1, 36}, Case{2, 36}, Case{3, 36}, Case{4, 48},
                       Case{10, 120}, Case{100, 1200}, Case{65535, 786420}})
    EXPECT_EQ(ViewerDelayMs(c.stored), c.ms) << c.stored;

  TDecodedPicture pic = LoadGif("peterdn-gif-test-suite/gifs/animated_loop_variable_delay.gif");
  std::vector<int> stored, ms;
  for (const TPictureFrame& f : pic.Frames) {
    stored.push_back(f.StoredDelay);
    ms.push_back(f.DelayMs);
  }
  EXPECT_EQ(stored, (std::vector<int>{100, 100, 10, 100}));
  EXPECT_EQ(ms, (std::vector<int>{1200, 1200, 120, 1200}));

  struct Loop {
    const char* file;
    bool block;
    int count, plays;
  };
  const Loop loops[] = {
      {"peterdn-gif-test-suite/gifs/animated_loop.gif", true, 0, 0},
      {"peterdn-gif-test-suite/gifs/animated_noloop.gif", false, 0, 1},
      {"wuffs/test/data/animated-red-blue.gif", true, 2, 2},
      {"wuffs/test/data/artificial-gif/metadata-full.gif", true, 2000, 2000},
      // Three looping blocks (50, 30, 40): the first one counts.
      {"wuffs/test/data/artificial-gif/multiple-loop-counts.gif", true, 50, 50},
  };
  for (const Loop& l : loops) {
    SCOPED_TRACE(l.file);
    TDecodedPicture p = LoadGif(l.file);
    EXPECT_EQ(p.HasLoopBlock, l.block);
    EXPECT_EQ(p.LoopCount, l.count);
    EXPECT_EQ(p.Plays(), l.plays);
  }
}

// GIF bytes written by giflib's encoder, frame by frame.
class TGifWriter {
 public:
  TGifWriter(int width, int height, std::vector<GifColorType> colours) {
    int error = 0;
    gif_ = EGifOpen(&bytes_, &TGifWriter::Write, &error);
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    EGifSetGifVersion(gif_, true);
    EGifPutScreenDesc(gif_, width, height, 8, 0, map);
    GifFreeMapObject(map);
  }
  void Loop(int count) {
    const GifByteType app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType sub[] = {1, GifByteType(count & 0xFF), GifByteType(count >> 8)};
    EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif_, sizeof app, app);
    EGifPutExtensionBlock(gif_, sizeof sub, sub);
    EGifPutExtensionTrailer(gif_);
  }
  void Frame(int left, int top, int width, int height, const std::vector<GifPixelType>& pixels,
             int delay, int disposal, int transparent = NO_TRANSPARENT_COLOR) {
    GraphicsControlBlock gcb{disposal, false, delay, transparent};
    GifByteType ext[4];
    size_t n = EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(n), ext);
    EGifPutImageDesc(gif_, left, top, width, height, false, nullptr);
    std::vector<GifPixelType> line(pixels);
    for (int y = 0; y < height; ++y) EGifPutLine(gif_, line.data() + y * width, width);
  }
  std::vector<uint8_t> Finish() {
    int error = 0;
    EGifCloseFile(gif_, &error);
    return bytes_;
  }

 private:
  static int Write(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + size);
    return size;
  }
  std::vector<uint8_t> bytes_;
  GifFileType* gif_ = nullptr;
};

constexpr TkivPixel R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, T = 0;

TEST(GifDecoder, DisposalAndClippingOnAHandMadeAnimation) {
  // A 3 x 2 screen. Frame 1 fills it red and is kept; frame 2 puts green at
  // (1, 0)-(2, 1) and restores the previous screen; frame 3 puts blue at
  // (2, 1) with its right part outside the screen, then clears its rectangle;
  // frame 4 draws only transparent pixels.
  TGifWriter w(3, 2, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}});
  w.Loop(3);
  w.Frame(0, 0, 3, 2, {0, 0, 0, 0, 0, 0}, 0, DISPOSE_DO_NOT);
  w.Frame(1, 0, 2, 1, {1, 1}, 1, DISPOSE_PREVIOUS);
  w.Frame(2, 1, 3, 1, {2, 2, 2}, 2, DISPOSE_BACKGROUND);
  w.Frame(0, 0, 1, 1, {3}, 7, DISPOSE_DO_NOT, 3);
  const std::vector<uint8_t> bytes = w.Finish();
  TDecodedPicture pic = DecodeGif(bytes.data(), bytes.size());
  ASSERT_EQ(pic.Frames.size(), 4u);
  EXPECT_EQ(pic.Frames[0].Pixels, (TPixelBuffer{R, R, R, R, R, R}));
  EXPECT_EQ(pic.Frames[1].Pixels, (TPixelBuffer{R, G, G, R, R, R}));
  EXPECT_EQ(pic.Frames[2].Pixels, (TPixelBuffer{R, R, R, R, R, B}));
  EXPECT_EQ(pic.Frames[3].Pixels, (TPixelBuffer{R, R, R, R, R, T}));
  EXPECT_TRUE(pic.Transparent);
  std::vector<int> ms;
  for (const TPictureFrame& f : pic.Frames) ms.push_back(f.DelayMs);
  EXPECT_EQ(ms, (std::vector<int>{120, 36, 36, 84}));
  EXPECT_EQ(pic.Plays(), 3);
  EXPECT_TRUE(pic.Warnings.empty());

  // Damage after frame 3 keeps frames 1 to 3 and says why; so does a missing trailer.
  for (size_t cut_bytes : {size_t(4), size_t(12), size_t(20)}) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - cut_bytes);
    TDecodedPicture partial = DecodeGif(cut.data(), cut.size());
    EXPECT_EQ(partial.Frames.size(), 3u) << cut_bytes;
    ASSERT_EQ(partial.Warnings.size(), 1u);
    EXPECT_NE(partial.Warnings[0].find("frame"), std::string::npos) << partial.Warnings[0];
  }
  std::vector<uint8_t> no_trailer(bytes.begin(), bytes.end() - 1);
  TDecodedPicture whole = DecodeGif(no_trailer.data(), no_trailer.size());
  EXPECT_EQ(whole.Frames.size(), 4u);
  EXPECT_EQ(whole.Warnings, std::vector<std::string>{"the file ends without its trailer"});
}

// Found by fuzzing: clearing the rectangle of a frame that lies wholly to the
// right of the screen wrote far outside the screen's pixels.
TEST(GifDecoder, ClearingAFrameOutsideTheScreenClearsNothing) {
  TGifWriter w(2, 1, {{255, 0, 0}, {0, 255, 0}});
  w.Frame(0, 0, 2, 1, {0, 0}, 10, DISPOSE_DO_NOT);
  w.Frame(5, 0, 2, 1, {1, 1}, 10, DISPOSE_BACKGROUND);  // right of the screen
  w.Frame(0, 3, 2, 1, {1, 1}, 10, DISPOSE_BACKGROUND);  // below it
  w.Frame(0, 0, 1, 1, {1}, 10, DISPOSE_DO_NOT);
  const std::vector<uint8_t> bytes = w.Finish();
  TDecodedPicture pic = DecodeGif(bytes.data(), bytes.size());
  ASSERT_EQ(pic.Frames.size(), 4u);
  for (size_t f = 0; f < 3; ++f) EXPECT_EQ(pic.Frames[f].Pixels, (TPixelBuffer{R, R})) << f;
  EXPECT_EQ(pic.Frames[3].Pixels, (TPixelBuffer{G, R}));
  EXPECT_FALSE(pic.Transparent);
}

// GIF LZW written here, independently of giflib's writer: a dictionary
// encoder for any minimum code size up to 11, its codes packed least
// significant bit first into sub-blocks of at most 255 bytes.
std::vector<uint8_t> LzwSubBlocks(int min_code_size, const std::vector<uint16_t>& pixels) {
  const int clear = 1 << min_code_size, end = clear + 1;
  int width = min_code_size + 1;
  int decoder_next = end + 1;  // the table entry the reader defines next
  int encoder_next = end + 1;
  bool first_code = true;
  std::map<std::pair<int, int>, int> table;
  std::vector<uint8_t> bytes;
  uint32_t acc = 0;
  int bits = 0;
  auto put = [&](int code) {
    acc |= uint32_t(code) << bits;
    bits += width;
    while (bits >= 8) {
      bytes.push_back(uint8_t(acc));
      acc >>= 8;
      bits -= 8;
    }
    // The reader adds an entry after every code but the first, and widens
    // its codes when the next entry no longer fits.
    if (!first_code && decoder_next < 4096 && ++decoder_next == (1 << width) && width < 12) ++width;
    first_code = false;
  };
  put(clear);
  first_code = true;
  int w = pixels.at(0);
  for (size_t i = 1; i < pixels.size(); ++i) {
    const int k = pixels[i];
    auto it = table.find({w, k});
    if (it != table.end()) {
      w = it->second;
      continue;
    }
    put(w);
    if (encoder_next < 4096) table[{w, k}] = encoder_next++;
    w = k;
  }
  put(w);
  put(end);
  if (bits > 0) bytes.push_back(uint8_t(acc));
  std::vector<uint8_t> out;
  for (size_t at = 0; at < bytes.size(); at += 255) {
    const size_t n = std::min<size_t>(255, bytes.size() - at);
    out.push_back(uint8_t(n));
    out.insert(out.end(), bytes.begin() + at, bytes.begin() + at + n);
  }
  out.push_back(0);
  return out;
}

struct TLzwFrame {
  int min_code_size;
  std::vector<uint16_t> pixels;
};

// A GIF89a of w x h with a global palette of 256 grey levels (index i is
// 0xFFiiiiii) and the given frames, each covering the whole screen.
std::vector<uint8_t> GifWithCodeSizes(int w, int h, const std::vector<TLzwFrame>& frames) {
  std::vector<uint8_t> f = {
      'G',  'I', 'F', '8', '9', 'a', uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8),
      0xF7, 0,   0};
  for (int i = 0; i < 256; ++i) f.insert(f.end(), {uint8_t(i), uint8_t(i), uint8_t(i)});
  for (const TLzwFrame& frame : frames) {
    f.insert(f.end(), {',', 0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8), 0,
                       uint8_t(frame.min_code_size)});
    const auto data = LzwSubBlocks(frame.min_code_size, frame.pixels);
    f.insert(f.end(), data.begin(), data.end());
  }
  f.push_back(';');
  return f;
}

TEST(GifDecoder, FramesWithMinimumCodeSizesAbove8Decode) {
  // 90 x 70 pixels with runs and repeats enough to fill the 12-bit table and
  // to reuse a string as it is being defined.
  const int w = 90, h = 70;
  std::vector<uint16_t> pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(uint16_t(y < 10 ? 7 : (x / 3 * 11 + y * 5) % 250));
  TPixelBuffer want;
  for (uint16_t v : pixels) want.push_back(0xFF000000u | v * 0x010101u);
  // Values past the 256 colours of the palette are black.
  std::vector<uint16_t> wide = pixels;
  wide[5] = 300;
  TPixelBuffer wide_want = want;
  wide_want[5] = 0xFF000000u;
  for (int size : {8, 9, 10, 11}) {
    SCOPED_TRACE(size);
    const auto file = GifWithCodeSizes(w, h, {{size, size > 8 ? wide : pixels}});
    TDecodedPicture pic = DecodeGif(file.data(), file.size());
    ASSERT_EQ(pic.Frames.size(), 1u);
    EXPECT_EQ(pic.Frames[0].Pixels, size > 8 ? wide_want : want);
    EXPECT_TRUE(pic.Warnings.empty()) << pic.Warnings.at(0);
  }
  // giflib goes on reading after a frame it did not decode itself.
  const auto both = GifWithCodeSizes(w, h, {{11, pixels}, {8, std::vector<uint16_t>(w * h, 200)}});
  TDecodedPicture pic = DecodeGif(both.data(), both.size());
  ASSERT_EQ(pic.Frames.size(), 2u);
  EXPECT_EQ(pic.Frames[0].Pixels, want);
  EXPECT_EQ(pic.Frames[1].Pixels, TPixelBuffer(w * h, 0xFFC8C8C8u));
  EXPECT_TRUE(pic.Warnings.empty());
}

TEST(GifDecoder, AFrameThatCannotBeDecodedSaysWhy) {
  const std::vector<uint16_t> pixels(64, 3);
  // Code size 12 needs 13-bit codes.
  auto too_wide = GifWithCodeSizes(8, 8, {{11, pixels}});
  too_wide[13 + 768 + 10] = 12;
  EXPECT_NE(Refusal(too_wide).find("the LZW minimum code size of frame 1 is 12"), std::string::npos)
      << Refusal(too_wide);
  // Wide codes cut short, and wide codes that end before the last pixel.
  auto cut = GifWithCodeSizes(8, 8, {{10, pixels}});
  cut.resize(13 + 768 + 11 + 3);
  EXPECT_NE(Refusal(cut).find("frame 1 is damaged at row 1 of 8: the data ends too early"),
            std::string::npos)
      << Refusal(cut);
  // An 8 x 8 frame whose codes give only 20 pixels before the end code.
  auto early_end = GifWithCodeSizes(8, 8, {{10, std::vector<uint16_t>(20, 3)}});
  EXPECT_NE(Refusal(early_end).find("the end code comes before the frame's last pixel"),
            std::string::npos)
      << Refusal(early_end);
}

TEST(GifDecoder, RefusalsNameWhatIsWrong) {
  struct Case {
    std::string file;
    const char* reason;
  };
  const Case cases[] = {
      {"wuffs/test/data/artificial-gif/no-frames.gif", "the file holds no picture"},
      {"wuffs/test/data/hippopotamus.interlaced.truncated.gif",
       "the pixel data of frame 1 is damaged at row 1 of 28: the data ends too early"},
      {"wuffs/test/data/artificial-gif/pixel-data-none.gif", "pixel data of frame 1 is damaged"},
      {"image-gif/tests/stall/issue-101-infinite-empty-loop.gif", "pixels per picture"},
      {"image-gif/tests/crashtest/issue-96-small-codesize.gif", "has no pixels (185 x 0)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::string bytes = kivtest::ReadFile(TestData("gif/" + c.file));
    std::string message = Refusal(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_EQ(message.rfind("Invalid GIF: ", 0), 0u) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
  }
  EXPECT_EQ(Refusal({'G', 'I', 'F', '8', '9'}),
            "Invalid GIF: the data does not start with \"GIF87a\" or \"GIF89a\"");
  const std::vector<uint8_t> header_only = {'G', 'I', 'F', '8', '9', 'a', 1, 0};
  EXPECT_NE(Refusal(header_only).find("ends too early"), std::string::npos) << Refusal(header_only);

  // An animation that outgrows the memory limit keeps the frames that fit.
  std::string anim =
      kivtest::ReadFile(TestData("gif/peterdn-gif-test-suite/gifs/animated_loop.gif"));
  TDecodeLimits limits;
  limits.MaxTotalPixels = 2 * 100 * 100;
  TDecodedPicture pic =
      DecodeGif(reinterpret_cast<const uint8_t*>(anim.data()), anim.size(), limits);
  EXPECT_EQ(pic.Frames.size(), 2u);
  ASSERT_EQ(pic.Warnings.size(), 1u);
  EXPECT_NE(pic.Warnings[0].find("frame 3"), std::string::npos) << pic.Warnings[0];
}

// The PNG files kivpic writes hold exactly the decoded frame, alpha included.
TEST(GifDecoder, FramesWrittenAsPngReadBackUnchanged) {
  TDecodedPicture pic = LoadGif("peterdn-gif-test-suite/gifs/animated_transparent_loop.gif");
  const std::string path = testing::TempDir() + "kiv_frame.png";
  for (const TPictureFrame& f : pic.Frames) {
    ASSERT_TRUE(WritePngRgba(path, f.Pixels.data(), pic.Width, pic.Height));
    kivtest::TPng png = kivtest::ReadPng(path);
    ASSERT_EQ(png.width, pic.Width);
    ASSERT_EQ(png.height, pic.Height);
    EXPECT_EQ(png.pixels, std::vector<TkivPixel>(f.Pixels.begin(), f.Pixels.end()));
  }
  EXPECT_TRUE(pic.Transparent);
}

}  // namespace
}  // namespace kiv
