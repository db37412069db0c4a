// Surfaces and the framework's graphics: assignment from and to framework
// bitmaps, other graphics, pictures and the clipboard, drawing on canvases,
// and bitmap resources read through a framework bitmap. 10 x 10 fixtures,
// compared pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/win32/graphics.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_win32.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "support/memory_dc_win32.hpp"

namespace kiv {
namespace {

constexpr TkivPixel Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

// Pixel (x, y) of the fixtures: colour from the position, alpha as given.
TkivPixel Fixture(int x, int y, uint32_t alpha) {
  return Argb(alpha, 20 * x + 5, 20 * y + 7, 90 + x + y);
}

std::unique_ptr<TBitmap> Dib32(int w, int h, uint32_t (*alpha)(int, int)) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<TkivPixel*>(b->ScanLine(y));
    for (int x = 0; x < w; ++x) row[x] = Fixture(x, y, alpha(x, y));
  }
  return b;
}

uint32_t Partial(int x, int y) {
  return (x + y) % 4 == 0 ? 128 : 255;
}
uint32_t ZeroOrFull(int x, int y) {
  return (x + y) % 2 ? 0 : 255;
}

// A surface with every kind of pixel: opaque, key, transparent, partial.
std::unique_ptr<TkivBitmap> Mixed() {
  auto b = std::make_unique<TkivBitmap>();
  b->SetSize(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const int k = (x + 2 * y) % 4;
      b->SetPixel(x, y,
                  k == 1   ? KeyPixel
                  : k == 2 ? Fixture(x, y, 0)
                  : k == 3 ? Fixture(x, y, 0x80)
                           : Fixture(x, y, 255));
    }
  return b;
}

// A graphic that paints only the rectangle (2, 1, 7, 4) of its 10 x 10 area,
// scaled to where it is drawn, and leaves the rest alone.
class PartialGraphic : public TGraphic {
 public:
  bool Empty() const override { return false; }
  int Width() const override { return 10; }
  int Height() const override { return 10; }
  void Draw(TCanvas* canvas, const TRect& r) override {
    auto at = [&](int v, int size, int from, int to) { return from + v * (to - from) / size; };
    canvas->Brush()->SetColor(0x3080C0);  // TColor: red 0xC0, green 0x80, blue 0x30
    canvas->FillRect(TRect{at(2, 10, r.Left, r.Right), at(1, 10, r.Top, r.Bottom),
                           at(7, 10, r.Left, r.Right), at(4, 10, r.Top, r.Bottom)});
  }
  void LoadFromBytes(const uint8_t*, size_t) override {}
  std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<PartialGraphic>(); }
};
constexpr TkivPixel kPartialInk = 0xC08030;
bool InPartialArea(int x, int y) {
  return x >= 2 && x < 7 && y >= 1 && y < 4;
}

// A surface already 10 x 10 holding the fixture at alpha 0x40.
std::unique_ptr<TkivBitmap> Prepared() {
  auto b = std::make_unique<TkivBitmap>();
  b->SetSize(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) b->SetPixel(x, y, Fixture(x, y, 0x40));
  b->SetName("kept");
  b->SetTransparent(true);
  return b;
}

TEST(FrameworkAssign, A32BitDibGivesItsPixelsWithAlpha) {
  struct Case {
    uint32_t (*alpha)(int, int);
    bool alpha_blend;
  };
  for (const Case& c : {Case{Partial, true}, Case{ZeroOrFull, false}}) {
    SCOPED_TRACE(c.alpha_blend);
    auto source = Dib32(10, 10, c.alpha);
    TkivBitmap b;
    b.SetName("kept");
    b.SetTransparent(true);
    b.SetAlphaBlend(!c.alpha_blend);
    Assign(b, source.get());
    ASSERT_EQ(b.Width(), 10);
    ASSERT_EQ(b.Height(), 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) ASSERT_EQ(b.GetPixel(x, y), Fixture(x, y, c.alpha(x, y)));
    EXPECT_EQ(b.AlphaBlend(), c.alpha_blend);
    EXPECT_EQ(b.Name(), "kept");
    EXPECT_TRUE(b.Transparent());
  }
}

// Other pixel formats and device-dependent bitmaps come through GDI and are
// made opaque; colours that the format holds exactly survive.
TEST(FrameworkAssign, OtherBitmapsAreCopiedThroughGdiAndMadeOpaque) {
  struct Case {
    TPixelFormat format;
    TBitmapHandleType type;
  };
  for (const Case& c : {Case{pf24bit, bmDIB}, Case{pf32bit, bmDDB}, Case{pf8bit, bmDIB}}) {
    SCOPED_TRACE(testing::Message() << "format " << c.format << " type " << c.type);
    TBitmap source;
    source.SetHandleType(c.type);
    if (c.type == bmDIB) source.SetPixelFormat(c.format);
    source.SetSize(10, 10);
    // Black, white and a grey: exact in every format here (8-bit: grey ramp).
    const TColor colours[] = {0x000000, 0xFFFFFF, 0x808080};
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) source.Canvas()->SetPixel(x, y, colours[(x + y) % 3]);
    auto b = Prepared();
    Assign(*b, &source);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(b->GetPixel(x, y), 0xFF000000u | colours[(x + y) % 3]) << x << "," << y;
    EXPECT_FALSE(b->AlphaBlend());
    EXPECT_EQ(b->Name(), "kept");
  }
  // An empty bitmap leaves the size and the pixels, made opaque.
  TBitmap empty;
  empty.SetPixelFormat(pf24bit);
  auto b = Prepared();
  Assign(*b, &empty);
  EXPECT_EQ(b->Width(), 10);
  EXPECT_EQ(b->GetPixel(3, 4), Fixture(3, 4, 255));
}

TEST(FrameworkAssign, OtherGraphicsAreDrawnOverTheOldPixelsAndMadeOpaque) {
  PartialGraphic graphic;
  auto b = Prepared();
  Assign(*b, &graphic);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(b->GetPixel(x, y),
                InPartialArea(x, y) ? 0xFF000000u | kPartialInk : Fixture(x, y, 255))
          << x << "," << y;
  EXPECT_EQ(b->Name(), "kept");
  EXPECT_TRUE(b->Transparent());

  // A fresh surface takes the graphic's size; undrawn pixels stay 0, then
  // opaque.
  TkivBitmap fresh;
  Assign(fresh, &graphic);
  ASSERT_EQ(fresh.Width(), 10);
  EXPECT_EQ(fresh.GetPixel(0, 0), 0xFF000000u);
  EXPECT_EQ(fresh.GetPixel(2, 1), 0xFF000000u | kPartialInk);

  // DrawGraphic alone stretches into the rectangle and touches nothing else
  // (alpha as GDI left it in the drawn pixels).
  auto c = Prepared();
  DrawGraphic(*c, &graphic, TRect{0, 0, 5, 5});  // paints (1, 0, 3, 2)
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool drawn = x >= 1 && x < 3 && y >= 0 && y < 2;
      if (drawn) {
        ASSERT_EQ(c->GetPixel(x, y) & 0xFFFFFF, kPartialInk) << x << "," << y;
      } else {
        ASSERT_EQ(c->GetPixel(x, y), Fixture(x, y, 0x40)) << x << "," << y;
      }
    }
}

TEST(FrameworkAssign, PicturesAreReadThroughTheirGraphic) {
  // A 32-bit bitmap in a picture goes the GDI way: colours kept, opaque.
  TPicture picture;
  picture.AssignGraphic(Dib32(10, 10, Partial).get());
  TkivBitmap b;
  Assign(b, &picture);
  ASSERT_EQ(b.Width(), 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(b.GetPixel(x, y), Fixture(x, y, 255));
  EXPECT_FALSE(b.AlphaBlend());
  // Any other graphic is drawn.
  picture.SetGraphic(std::make_unique<PartialGraphic>());
  auto c = Prepared();
  Assign(*c, &picture);
  EXPECT_EQ(c->GetPixel(2, 1), 0xFF000000u | kPartialInk);
  EXPECT_EQ(c->GetPixel(0, 0), Fixture(0, 0, 255));
  // An empty picture leaves the size and pixels, opaque.
  TPicture empty;
  auto d = Prepared();
  Assign(*d, &empty);
  EXPECT_EQ(d->Width(), 10);
  EXPECT_EQ(d->GetPixel(5, 5), Fixture(5, 5, 255));
  // Nothing to assign from is the framework's assignment error.
  EXPECT_THROW(Assign(*d, static_cast<const TGraphic*>(nullptr)), EInvalidCast);
  EXPECT_THROW(Assign(*d, static_cast<const TPicture*>(nullptr)), EInvalidCast);
}

// Into a framework bitmap the surface is drawn as onto a fresh surface: every
// flag's route gives the same pixels.
TEST(FrameworkAssignTo, BitmapPictureAndClipboardReceiveTheSurface) {
  for (int kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    auto source = Mixed();
    source->SetTransparent(kind == 1);
    source->SetAlphaBlend(kind == 2);
    TkivBitmap want;
    want.SetSize(10, 10);
    source->DrawTo(want, 0, 0);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf8bit);
    bitmap.SetSize(3, 3);
    AssignTo(*source, &bitmap);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    ASSERT_EQ(bitmap.Width(), 10);
    ASSERT_EQ(bitmap.Height(), 10);
    for (int y = 0; y < 10; ++y) {
      const auto* row = static_cast<const TkivPixel*>(bitmap.ScanLine(y));
      for (int x = 0; x < 10; ++x) ASSERT_EQ(row[x], want.GetPixel(x, y)) << x << "," << y;
    }
  }
  auto source = Mixed();
  TPicture picture;
  picture.SetGraphic(std::make_unique<PartialGraphic>());
  AssignTo(*source, &picture);
  auto* bitmap = dynamic_cast<TBitmap*>(picture.Graphic());
  ASSERT_NE(bitmap, nullptr);
  ASSERT_EQ(bitmap->Width(), 10);
  EXPECT_EQ(static_cast<const TkivPixel*>(bitmap->ScanLine(2))[3], source->GetPixel(3, 2));

  // The clipboard holds a device-dependent copy: colours compared.
  AssignTo(*source, Clipboard());
  ASSERT_TRUE(Clipboard()->HasBitmap());
  TBitmap back;
  Clipboard()->GetBitmap(&back);
  ASSERT_EQ(back.Width(), 10);
  ASSERT_EQ(back.Height(), 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(ColorToRef(back.Canvas()->Pixel(x, y)),
                ((source->GetPixel(x, y) & 0xFF) << 16 | (source->GetPixel(x, y) & 0xFF00) |
                 ((source->GetPixel(x, y) >> 16) & 0xFF)))
          << x << "," << y;
}

// The device-context forms (members) and the canvas forms (free functions)
// under one spelling, so one sequence of calls runs on either target.
template <class... A>
void DrawOn(const TkivBitmap& b, TkivDC dc, A... a) {
  b.Draw(dc, a...);
}
template <class... A>
void DrawOn(const TkivBitmap& b, TCanvas* canvas, A... a) {
  Draw(b, canvas, a...);
}
void TileOn(const TkivBitmap& b, TkivDC dc, TRect dst, TRect src) {
  b.Tile(dc, dst, src);
}
void TileOn(const TkivBitmap& b, TCanvas* canvas, TRect dst, TRect src) {
  Tile(b, canvas, dst, src);
}
void TileClippedOn(const TkivBitmap& b, TkivDC dc, TRect dst, TRect src, TRect clip) {
  b.TileClipped(dc, dst, src, clip);
}
void TileClippedOn(const TkivBitmap& b, TCanvas* canvas, TRect dst, TRect src, TRect clip) {
  TileClipped(b, canvas, dst, src, clip);
}

// A canvas on a surface's DC receives what the device-context forms draw onto
// a surface; a framework 32-bit bitmap's canvas what they draw onto a plain
// bottom-up 32-bit DIB section (stretching there rounds its maps).
TEST(CanvasDrawing, CanvasFormsDrawLikeTheDeviceContextForms) {
  auto source = Mixed();
  source->SetAlphaBlend(true);
  auto run = [&](auto&& target) {
    DrawOn(*source, target, -3, 1);
    DrawOn(*source, target, 6, 6, TRect{2, 2, 6, 5});
    DrawOn(*source, target, TRect{0, 7, 4, 10}, TRect{0, 0, 8, 6});
    TileOn(*source, target, TRect{11, 0, 18, 4}, TRect{1, 1, 4, 4});
    TileClippedOn(*source, target, TRect{11, 5, 20, 20}, TRect{0, 0, 3, 3}, TRect{13, 9, 14, 10});
  };
  TkivBitmap want;
  want.SetSize(20, 20);
  want.Fill(0xFF102030);
  run(want.DC());
  source->Draw(want.DC(), TRect{14, 14, 20, 20}, source->BoundsRect());

  TkivBitmap surface;
  surface.SetSize(20, 20);
  surface.Fill(0xFF102030);
  TCanvas canvas;
  canvas.SetHandle(static_cast<HDC>(surface.DC()));
  run(&canvas);
  Draw(*source, &canvas, TRect{14, 14, 20, 20});
  canvas.SetHandle(nullptr);

  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) static_cast<TkivPixel*>(bitmap.ScanLine(y))[x] = 0xFF102030;
  run(bitmap.Canvas());
  Draw(*source, bitmap.Canvas(), TRect{14, 14, 20, 20});

  kivtest::TMemoryDC dib(20, 20);  // bottom-up
  dib.Fill(0xFF102030);
  run(dib.dc);
  source->Draw(dib.dc, TRect{14, 14, 20, 20}, source->BoundsRect());
  for (int y = 0; y < 20; ++y) {
    const auto* row = static_cast<const TkivPixel*>(bitmap.ScanLine(y));
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(surface.GetPixel(x, y), want.GetPixel(x, y)) << x << "," << y;
      ASSERT_EQ(row[x], dib.At(x, y)) << x << "," << y;
    }
  }
}

// A framework 32-bit bitmap is a bottom-up DIB section, so a surface is drawn
// straight into its rows: an alpha-blended or key-transparent surface gives
// the same pixels, alpha included, as on a surface, unscaled and stretched
// where both row maps agree (10 into 4: every third pixel). Enlarging shows
// the direct route's rounding (2 into 4 pixels: columns 0, 0, 1, 1), where a
// surface target truncates (0, 0, 0, 1).
TEST(CanvasDrawing, A32BitFrameworkBitmapGetsTheSurfacePixels) {
  constexpr TkivPixel kBackground = Argb(0xC0, 10, 20, 30);
  for (bool alpha_blend : {true, false}) {
    SCOPED_TRACE(alpha_blend ? "alpha blend" : "key");
    auto source = Mixed();
    source->SetAlphaBlend(alpha_blend);
    source->SetTransparent(!alpha_blend);
    auto run = [&](auto&& target) {
      DrawOn(*source, target, -3, 1);
      DrawOn(*source, target, 6, 5, TRect{2, 2, 6, 5});
      DrawOn(*source, target, TRect{1, 6, 5, 10}, source->BoundsRect());  // 10 x 10 into 4 x 4
      DrawOn(*source, target, TRect{7, 0, 8, 4}, TRect{0, 0, 10, 4});     // into one column
    };
    TkivBitmap want;
    want.SetSize(10, 10);
    want.Fill(kBackground);
    run(want.DC());

    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(10, 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) static_cast<TkivPixel*>(bitmap.ScanLine(y))[x] = kBackground;
    EXPECT_EQ(ClassifyDrawTarget(bitmap.Canvas()->Handle()).kind, TkivDrawTarget::kDirectDib);
    for (int y = 0; y < 10; ++y)  // the probe left the pixels as they were
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(static_cast<TkivPixel*>(bitmap.ScanLine(y))[x], kBackground) << x << "," << y;
    run(bitmap.Canvas());
    for (int y = 0; y < 10; ++y) {
      const auto* row = static_cast<const TkivPixel*>(bitmap.ScanLine(y));
      for (int x = 0; x < 10; ++x) ASSERT_EQ(row[x], want.GetPixel(x, y)) << x << "," << y;
    }

    TkivBitmap two;
    two.SetSize(2, 1);
    two.SetPixel(0, 0, Argb(255, 1, 2, 3));
    two.SetPixel(1, 0, Argb(255, 4, 5, 6));
    two.SetAlphaBlend(alpha_blend);
    two.SetTransparent(!alpha_blend);
    TBitmap wide;
    wide.SetPixelFormat(pf32bit);
    wide.SetSize(4, 1);
    Draw(two, wide.Canvas(), TRect{0, 0, 4, 1});
    const auto* row = static_cast<const TkivPixel*>(wide.ScanLine(0));
    EXPECT_EQ((std::vector<TkivPixel>{row, row + 4}),
              (std::vector<TkivPixel>{two.GetPixel(0, 0), two.GetPixel(0, 0), two.GetPixel(1, 0),
                                      two.GetPixel(1, 0)}));
  }
}

// The helpers' canvas forms draw on the canvas's context with its font and
// leave its own pen and brush in charge afterwards.
TEST(CanvasDrawing, UtilityCanvasFormsKeepTheCanvasState) {
  TkivBitmap b;
  b.SetSize(10, 10);
  b.Fill(0xFFFFFFFF);
  TCanvas canvas;
  canvas.SetHandle(static_cast<HDC>(b.DC()));
  canvas.Brush()->SetColor(0x00FF00);
  canvas.FillRect(TRect{0, 0, 1, 1});  // the canvas's brush is now selected
  FillRectColor(&canvas, TRect{1, 1, 4, 3}, 0x0000FF);
  DrawFrameRect(&canvas, 5, 5, 9, 9, 0xFF0000);
  MoveToPoint(&canvas, 0, 9);
  DrawLineTo(&canvas, 4, 9, 0x000000);
  EXPECT_EQ(canvas.PenPos(), (TPoint{4, 9}));
  canvas.Rectangle(TRect{6, 0, 9, 3});  // with the canvas's own pen and brush
  GdiFlush();
  EXPECT_EQ(b.GetPixel(3, 2) & 0xFFFFFF, 0xFF0000u);  // pixel layout: red
  EXPECT_EQ(b.GetPixel(5, 7) & 0xFFFFFF, 0x0000FFu);  // outline
  EXPECT_EQ(b.GetPixel(7, 7) & 0xFFFFFF, 0xFFFFFFu);  // clear inside
  EXPECT_EQ(b.GetPixel(3, 9) & 0xFFFFFF, 0u);
  EXPECT_EQ(b.GetPixel(7, 1) & 0xFFFFFF, 0x00FF00u);  // the canvas's green brush
  EXPECT_EQ(b.GetPixel(6, 0) & 0xFFFFFF, 0u);         // and its black pen

  // Gradient bands as on the device context.
  TkivBitmap g1, g2;
  g1.SetSize(10, 10);
  g2.SetSize(10, 10);
  canvas.SetHandle(static_cast<HDC>(g1.DC()));
  FillGradient(&canvas, TRect{0, 0, 10, 10}, 0x000000, false, 0xFFFFFF);
  FillGradient(static_cast<HDC>(g2.DC()), TRect{0, 0, 10, 10}, 0x000000, false, 0xFFFFFF);
  GdiFlush();
  for (int x = 0; x < 10; ++x) ASSERT_EQ(g1.GetPixel(x, 5), g2.GetPixel(x, 5)) << x;
  EXPECT_EQ(g1.GetPixel(1, 5) & 0xFF, 26u);

  // Text is measured with the canvas's font, not the context's default.
  canvas.Font()->SetHeight(-30);
  const int tall = TextHeightWide(&canvas, L"Xg");
  EXPECT_EQ(tall, canvas.TextHeight(L"Xg"));
  EXPECT_EQ(TextWidthWide(&canvas, L"Xg", 0), canvas.TextWidth(L"Xg"));
  canvas.Font()->SetHeight(-8);
  EXPECT_LT(TextHeightWide(&canvas, L"Xg"), tall);
  canvas.SetHandle(nullptr);
}

// A 32-bit bitmap resource of this program (tests/graphics/alpha10.bmp) keeps
// its alpha; AlphaBlend follows.
TEST(ModuleResource, A32BitResourceKeepsItsAlpha) {
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  TkivBitmap b;
  b.SetName("kept");
  b.LoadFromModuleResource(path, "KIVALPHA10");
  ASSERT_EQ(b.Width(), 10);
  ASSERT_EQ(b.Height(), 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const uint32_t a = (x + y) % 3 ? (x * 28 + y * 3) % 256 : (x % 2 ? 255 : 0);
      ASSERT_EQ(b.GetPixel(x, y), Argb(a, 20 * x, 20 * y, 100)) << x << "," << y;
    }
  EXPECT_TRUE(b.AlphaBlend());
  EXPECT_EQ(b.Name(), "kept");
}

}  // namespace
}  // namespace kiv
