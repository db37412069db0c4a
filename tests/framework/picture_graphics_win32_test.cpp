// JPEG, GIF and BMP files through TPicture::LoadFromFile: the graphic each
// extension gets, its size and pixels, decoder refusals, the GIF animation on
// its timer and transparent pixels showing the control's background.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/picture_graphics.hpp"
#include "framework/win32/stdctrls.hpp"
#include "support/picture_writers.hpp"
#include "support/test_form_win32.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

// A 32 x 16 picture: left half red, right half blue, each half whole JPEG
// blocks so that the lossy coding keeps the colours.
constexpr int kW = 32, kH = 16;
kivtest::RgbPixels Halves() {
  kivtest::RgbPixels px(kW * kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) px[y * kW + x] = x < kW / 2 ? 0xFF0000 : 0x0000FF;
  return px;
}

// The graphic drawn at natural size over a background colour, as 0xRRGGBB.
std::vector<uint32_t> Render(TGraphic* g, TColor background = clWhite) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(g->Width(), g->Height());
  b.Canvas()->Brush()->SetColor(background);
  b.Canvas()->FillRect(Rect(0, 0, g->Width(), g->Height()));
  b.Canvas()->Draw(0, 0, g);
  std::vector<uint32_t> out;
  for (int y = 0; y < g->Height(); ++y)
    for (int x = 0; x < g->Width(); ++x) {
      COLORREF c = static_cast<COLORREF>(b.Canvas()->Pixel(x, y));
      out.push_back(static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c));
    }
  return out;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > tolerance) return false;
  return true;
}

TEST(PictureFormats, EachExtensionLoadsWithItsSizeAndPixels) {
  const kivtest::RgbPixels want = Halves();
  std::vector<uint8_t> indices(kW * kH);
  for (int i = 0; i < kW * kH; ++i) indices[i] = (i % kW) < kW / 2 ? 0 : 1;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int tolerance;  // JPEG is lossy
    bool (*kind)(TGraphic*);
  };
  const Case cases[] = {
      {"a.jpg", kivtest::MakeJpeg(kW, kH, want), 8,
       [](TGraphic* g) { return dynamic_cast<TJPEGImage*>(g) != nullptr; }},
      {"b.JPEG", kivtest::MakeJpeg(kW, kH, want), 8,
       [](TGraphic* g) { return dynamic_cast<TJPEGImage*>(g) != nullptr; }},
      {"c.Gif", kivtest::MakeGif(kW, kH, {0xFF0000, 0x0000FF}, {{indices, 0}}), 0,
       [](TGraphic* g) { return dynamic_cast<TGIFImage*>(g) != nullptr; }},
      {"d.bmp", kivtest::MakeBmp24(kW, kH, want), 0,
       [](TGraphic* g) { return dynamic_cast<TBmpImage*>(g) != nullptr; }},
  };
  for (const Case& c : cases) {
    std::string path = kivtest::TempPath(std::string("kiv_pg_") + c.name);
    kivtest::WriteBytes(path, c.bytes);
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TPicture*) { ++changes; };
    p.LoadFromFile(path);
    ASSERT_TRUE(c.kind(p.Graphic())) << c.name;
    EXPECT_EQ(p.Width(), kW) << c.name;
    EXPECT_EQ(p.Height(), kH) << c.name;
    EXPECT_GE(changes, 1) << c.name;
    std::vector<uint32_t> got = Render(p.Graphic());
    for (size_t i = 0; i < want.size(); ++i) {
      // The decoder's chroma upsampling blends the two pixels either side of
      // the edge between the halves.
      int x = static_cast<int>(i % kW);
      if (c.tolerance > 0 && x >= kW / 2 - 2 && x < kW / 2 + 2) continue;
      ASSERT_TRUE(Near(got[i], want[i], c.tolerance))
          << c.name << " pixel " << i << ": " << std::hex << got[i] << " want " << want[i];
    }
    std::filesystem::remove(path);
  }
}

// The viewer's path: a JPEG file straight into the section it is drawn from
// (the picture keeps no copy of its own), drawn with exactly the portable
// decoder's pixels; an image given the picture by Assign draws the same.
TEST(PictureFormats, JpegIsDecodedIntoTheSectionItIsDrawnFrom) {
  const std::string path = kivtest::TestData("jpeg/wuffs/test/data/peacock.default.jpeg");
  const std::string bytes = kivtest::ReadFile(path);
  const TDecodedPicture want =
      DecodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  TPicture p;
  p.LoadFromFile(path);
  auto* jpeg = dynamic_cast<TJPEGImage*>(p.Graphic());
  ASSERT_NE(jpeg, nullptr);
  ASSERT_EQ(jpeg->Width(), want.Width);
  ASSERT_EQ(jpeg->Height(), want.Height);
  EXPECT_TRUE(jpeg->Decoded()->Frames[0].Pixels.empty());
  TJPEGImage copy;
  copy.Assign(*jpeg);
  for (TGraphic* g : {static_cast<TGraphic*>(jpeg), static_cast<TGraphic*>(&copy)}) {
    const std::vector<uint32_t> got = Render(g);
    for (size_t i = 0; i < got.size(); ++i)
      ASSERT_EQ(got[i], want.Frames[0].Pixels[i] & 0xFFFFFF) << "pixel " << i;
  }
}

TEST(PictureFormats, BmpFilesGdiCannotReadLoadThroughTheOneBmpReader) {
  // RLE24 (an OS/2 extension) and alpha bit fields are beyond GDI's reader;
  // the framework bitmap and the picture both read them through the
  // project's BMP decoder, with the same pixels.
  for (const char* name : {"q/rgb24rle24.bmp", "q/rgba32abf.bmp"}) {
    std::string path = kivtest::TestData(std::string("bmpsuite/") + name);
    TBitmap bitmap;
    ASSERT_NO_THROW(bitmap.LoadFromFile(path)) << name;
    TPicture p;
    ASSERT_NO_THROW(p.LoadFromFile(path)) << name;
    EXPECT_EQ(p.Width(), 127) << name;
    EXPECT_EQ(p.Height(), 64) << name;
    EXPECT_EQ(bitmap.Width(), 127) << name;
    EXPECT_EQ(bitmap.Height(), 64) << name;
    EXPECT_EQ(Render(&bitmap), Render(p.Graphic())) << name;
  }
}

TEST(PictureFormats, DecoderRefusalsCarryTheDecodersMessage) {
  std::vector<uint8_t> jpeg = kivtest::MakeJpeg(kW, kH, Halves());
  jpeg.resize(20);  // the header cut short
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1};
  std::vector<uint8_t> bmp = {'B', 'M', 0, 0, 0, 0};
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    TPictureFormat format;
  };
  for (const Case& c :
       {Case{"bad.jpg", jpeg, TPictureFormat::pfJpeg}, Case{"bad.gif", gif, TPictureFormat::pfGif},
        Case{"bad.bmp", bmp, TPictureFormat::pfBmp}}) {
    std::string want;
    try {
      DecodePicture(c.bytes.data(), c.bytes.size(), c.format);
    } catch (const EInvalidGraphic& e) {
      want = e.what();
    }
    ASSERT_FALSE(want.empty()) << c.name;
    std::string path = kivtest::TempPath(std::string("kiv_pg_") + c.name);
    kivtest::WriteBytes(path, c.bytes);
    TPicture p;
    try {
      p.LoadFromFile(path);
      ADD_FAILURE() << c.name << " accepted";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()), want) << c.name;
    }
    std::filesystem::remove(path);
  }
}

// Three 2 x 1 frames, one colour each; stored delays 0, 1 and 5 hundredths
// show for 120, 36 and 60 ms.
std::vector<uint8_t> ThreeFrames(int loop_count) {
  return kivtest::MakeGif(2, 1, {0xFF0000, 0x00FF00, 0x0000FF, 0},
                          {{{0, 0}, 0}, {{1, 1}, 1}, {{2, 2}, 5}}, loop_count);
}

TEST(GifAnimation, StepsThroughFramesWithTheirDelaysAndStopsAfterItsPlays) {
  struct Case {
    int loop_count;  // -1: no looping block
    int plays;       // 0: for ever
  };
  for (const Case& c : {Case{-1, 1}, Case{2, 2}, Case{0, 0}}) {
    TGIFImage gif;
    std::vector<uint8_t> bytes = ThreeFrames(c.loop_count);
    gif.LoadFromBytes(bytes.data(), bytes.size());
    ASSERT_EQ(gif.FrameCount(), 3);
    std::vector<int> frames;
    std::vector<unsigned> delays{gif.CurrentDelay()};
    gif.OnChange = [&](TGraphic*) { frames.push_back(gif.Frame()); };
    for (int i = 0; i < 12 && gif.Animating(); ++i) {
      gif.Step();
      delays.push_back(gif.CurrentDelay());
    }
    if (c.plays == 0) {
      EXPECT_TRUE(gif.Animating());
      EXPECT_EQ(frames, (std::vector<int>{1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0}));
      EXPECT_EQ(std::vector<unsigned>(delays.begin(), delays.begin() + 4),
                (std::vector<unsigned>{120, 36, 60, 120}));
    } else {
      EXPECT_FALSE(gif.Animating()) << c.loop_count;
      EXPECT_EQ(gif.Frame(), 2) << "the last frame stays";
      EXPECT_EQ(gif.PlaysDone(), c.plays);
      EXPECT_EQ(static_cast<int>(frames.size()), 3 * c.plays - 1) << c.loop_count;
      EXPECT_EQ(delays.front(), 120u);
      EXPECT_EQ(delays.back(), 0u);
    }
  }
}

TEST(GifAnimation, TheTimerPlaysItInTheBackground) {
  TGIFImage gif;
  std::vector<uint8_t> bytes = ThreeFrames(2);
  gif.LoadFromBytes(bytes.data(), bytes.size());
  std::vector<std::pair<int, DWORD>> shown;
  DWORD start = GetTickCount();
  gif.OnChange = [&](TGraphic*) { shown.push_back({gif.Frame(), GetTickCount() - start}); };
  while (gif.Animating() && GetTickCount() - start < 5000) {
    Application()->ProcessMessages();
    Sleep(2);
  }
  ASSERT_FALSE(gif.Animating());
  std::vector<int> frames;
  for (auto& s : shown) frames.push_back(s.first);
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 0, 1, 2}));
  // Frame 1 comes after frame 0's 120 ms, the second pass after one cycle of
  // 216 ms; timers may be late but never early (a little slack for tick size).
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_GE(shown[0].second, 110u);
  EXPECT_GE(shown[2].second, 200u);
  EXPECT_GE(shown[4].second, 200u + 110 + 30);
  // Nothing changes once it has stopped.
  size_t n = shown.size();
  DWORD until = GetTickCount() + 300;
  while (GetTickCount() < until) {
    Application()->ProcessMessages();
    Sleep(5);
  }
  EXPECT_EQ(shown.size(), n);
}

TEST(GifTransparency, TransparentPixelsShowTheImagesBackground) {
  // 4 x 2: index 1 transparent in the left half, red in the right half.
  std::vector<uint8_t> bytes =
      kivtest::MakeGif(4, 2, {0xFF0000, 0x00FF00}, {{{1, 1, 0, 0, 1, 1, 0, 0}, 0}}, -1, 1);
  std::string path = kivtest::TempPath("kiv_pg_transparent.gif");
  kivtest::WriteBytes(path, bytes);
  TForm form(nullptr);
  kivtest::MakeBareForm(form, 40, 40, 60, 40);
  form.SetColor(clBtnFace);
  auto* image = new TImage(&form);
  image->SetParent(&form);
  image->SetBounds(10, 10, 4, 2);
  image->SetAutoSize(true);
  image->Picture()->LoadFromFile(path);
  EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
  form.Show();
  Application()->ProcessMessages();
  UpdateWindow(form.Handle());
  HDC dc = GetDC(form.Handle());
  COLORREF face = ColorToRef(clBtnFace);
  EXPECT_EQ(GetPixel(dc, 10, 10), face);
  EXPECT_EQ(GetPixel(dc, 11, 11), face);
  EXPECT_EQ(GetPixel(dc, 12, 10), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 13, 11), RGB(255, 0, 0));
  ReleaseDC(form.Handle(), dc);
  // Drawn over another colour, that colour shows instead.
  std::vector<uint32_t> over_white = Render(image->Picture()->Graphic(), clWhite);
  EXPECT_EQ(over_white[0], 0xFFFFFFu);
  EXPECT_EQ(over_white[3], 0xFF0000u);
  std::filesystem::remove(path);
}

TEST(GifAnimation, TheImageRepaintsForEachFrame) {
  std::vector<uint8_t> bytes = ThreeFrames(0);
  std::string path = kivtest::TempPath("kiv_pg_anim.gif");
  kivtest::WriteBytes(path, bytes);
  TForm form(nullptr);
  kivtest::MakeBareForm(form, 40, 40, 60, 40);
  auto* image = new TImage(&form);
  image->SetParent(&form);
  image->SetAutoSize(true);
  image->Picture()->LoadFromFile(path);
  form.Show();
  auto* gif = dynamic_cast<TGIFImage*>(image->Picture()->Graphic());
  ASSERT_NE(gif, nullptr);
  // Whatever frame is current, the window shows its colour.
  const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  for (int i = 0; i < 4; ++i) {
    gif->Step();
    UpdateWindow(form.Handle());
    HDC dc = GetDC(form.Handle());
    EXPECT_EQ(GetPixel(dc, 1, 0), colours[gif->Frame()]) << i;
    ReleaseDC(form.Handle(), dc);
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace kiv
