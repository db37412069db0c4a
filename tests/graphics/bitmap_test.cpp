// The surface: sizing and the registry, pixel access, whole-surface
// operations, and drawing from surface to surface.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "framework/exceptions.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_color.hpp"

namespace kiv {
namespace {

constexpr TkivPixel Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

// A surface whose pixel (x, y) is 0xFF000000 | y << 8 | x: easy to trace.
std::unique_ptr<TkivBitmap> Numbered(int w, int h, uint32_t alpha = 0xFF) {
  auto b = std::make_unique<TkivBitmap>();
  b->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->SetPixel(x, y, alpha << 24 | y << 8 | x);
  return b;
}

TEST(Surface, SetSizeIgnoresZeroAndUnchangedSizes) {
  TkivBitmap b;
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(b.Bits(), nullptr);
  b.SetSize(4, 3);
  EXPECT_FALSE(b.IsEmpty());
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Height(), 3);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(b.Bits()[i], 0u);
  EXPECT_EQ(FindBitmapByDC(b.DC()), &b);

  b.SetSize(5, 5);
  b.Fill(0x11223344);
  TkivPixel* bits = b.Bits();
  for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {-5, -5}, {5, -5}}) {
    b.SetSize(w, h);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_EQ(b.Bits(), bits);
    EXPECT_EQ(b.GetPixel(4, 4), 0x11223344u);
  }
  b.SetSize(-6, 2);  // a real resize discards the pixels
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.GetPixel(4, 1), 0u);
}

TEST(Surface, RegistryFollowsTheSurfacesThatOwnADeviceContext) {
  auto a = std::make_unique<TkivBitmap>();
  TkivBitmap b;
  const size_t before = BitmapRegistry().size();
  a->SetSize(2, 2);
  b.SetSize(3, 3);
  EXPECT_EQ(BitmapRegistry().size(), before + 2);
  EXPECT_EQ(FindBitmapByDC(b.DC()), &b);
  TkivDC old_dc = a->DC();
  a->SetSize(7, 7);
  EXPECT_EQ(FindBitmapByDC(a->DC()), a.get());
  if (old_dc != a->DC()) {
    EXPECT_EQ(FindBitmapByDC(old_dc), nullptr);
  }
  TkivDC dc = a->DC();
  a.reset();
  EXPECT_EQ(FindBitmapByDC(dc), nullptr);
  EXPECT_EQ(BitmapRegistry().size(), before + 1);
  EXPECT_EQ(FindBitmapByDC(nullptr), nullptr);
}

TEST(Surface, AbsurdSizesRaiseWithoutAllocating) {
  TkivBitmap b;
  b.SetSize(3, 3);
  const size_t before = BitmapRegistry().size();
  for (auto [w, h] :
       {std::pair{INT32_MAX, INT32_MAX}, {INT32_MIN, 2}, {65536, 65536}, {1 << 28, 2}}) {
    try {
      b.SetSize(w, h);
      ADD_FAILURE() << w << " x " << h << " did not raise";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
    }
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.Bits(), nullptr);
    EXPECT_EQ(b.DC(), nullptr);
    EXPECT_EQ(b.Width(), 0);
  }
  EXPECT_EQ(BitmapRegistry().size(), before - 1);
  b.SetSize(3, 3);  // usable again
  EXPECT_FALSE(b.IsEmpty());
}

TEST(Surface, PixelAccessOutsideTheSurfaceReadsZeroAndWritesNothing) {
  auto b = Numbered(4, 2);
  EXPECT_EQ(b->GetPixel(3, 1), 0xFF000103u);
  for (auto [x, y] : {std::pair{4, 0}, {-1, 0}, {0, 2}, {0, -1}}) {
    EXPECT_EQ(b->GetPixel(x, y), 0u);
    b->SetPixel(x, y, 0xDEADBEEF);
  }
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b->GetPixel(x, y), Numbered(4, 2)->GetPixel(x, y));
  TkivBitmap empty;
  empty.SetPixel(0, 0, 1);
  EXPECT_EQ(empty.GetPixel(0, 0), 0u);
  EXPECT_EQ(b->PixelPtr(2, 1), b->ScanLine(1) + 2);
}

TEST(Surface, AlphaOperations) {
  TkivBitmap one;
  one.SetSize(1, 1);
  one.SetPixel(0, 0, 0x00123456);
  one.SetAlpha(255);
  EXPECT_EQ(one.GetPixel(0, 0), 0xFF123456u);

  auto b = Numbered(3, 2, 0);
  b->SetAlpha(255);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b->GetPixel(x, y) >> 24, 255u);
  b->SetAlphaRect(7, TRect{2, 1, 10, 10});  // clipped to the one pixel (2, 1)
  b->SetAlphaRect(9, TRect{1, 1, 1, 2});    // empty
  b->SetAlphaRect(9, TRect{5, 5, 8, 8});    // outside
  EXPECT_EQ(b->GetPixel(2, 1), 0x07000102u);
  EXPECT_EQ(b->GetPixel(1, 1) >> 24, 255u);

  b->Fill(0xFF000000);
  b->SetPixel(0, 0, 0);
  b->DetectAlpha();
  EXPECT_FALSE(b->AlphaBlend());
  b->SetPixel(1, 1, 0x80000000);
  b->DetectAlpha();
  EXPECT_TRUE(b->AlphaBlend());
}

TEST(Surface, TransparentColourReplacesNearColoursByTheKeyPixel) {
  TkivBitmap b;
  b.SetSize(4, 1);
  b.SetPixel(0, 0, Argb(0x80, 0xFA, 0x04, 0xFB));  // within 5 on every channel
  b.SetPixel(1, 0, Argb(0xFF, 0xF9, 0x00, 0xFF));  // red 6 away
  b.SetPixel(2, 0, Argb(0x00, 0xFF, 0x00, 0xFF));
  b.SetPixel(3, 0, Argb(0xFF, 0xFF, 0x06, 0xFF));  // green 6 away
  b.SetTransparentColor(0xFF00FF);
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.GetPixel(0, 0), KeyPixel);
  EXPECT_EQ(b.GetPixel(1, 0), Argb(0xFF, 0xF9, 0x00, 0xFF));
  EXPECT_EQ(b.GetPixel(2, 0), KeyPixel);
  EXPECT_EQ(b.GetPixel(3, 0), Argb(0xFF, 0xFF, 0x06, 0xFF));
}

TEST(Surface, FlipBrightnessAndHue) {
  auto b = Numbered(2, 3);
  b->FlipVertical();
  EXPECT_EQ(b->GetPixel(1, 0), 0xFF000201u);
  EXPECT_EQ(b->GetPixel(1, 1), 0xFF000101u);  // the middle row stays
  EXPECT_EQ(b->GetPixel(0, 2), 0xFF000000u);

  TkivBitmap c;
  c.SetSize(3, 1);
  c.SetPixel(0, 0, Argb(0, 240, 16, 32));   // alpha 0: left alone
  c.SetPixel(1, 0, Argb(64, 240, 16, 32));  // own alpha kept
  c.ChangeBrightness(0);
  EXPECT_EQ(c.GetPixel(1, 0), Argb(64, 240, 16, 32));
  c.ChangeBrightness(20);
  EXPECT_EQ(c.GetPixel(0, 0), Argb(0, 240, 16, 32));
  EXPECT_EQ(c.GetPixel(1, 0), Argb(64, 255, 36, 52));
  c.SetPixel(2, 0, Argb(255, 255, 0, 0));
  c.ChangeHue(85);
  EXPECT_EQ(c.GetPixel(0, 0), Argb(0, 240, 16, 32));
  EXPECT_EQ(c.GetPixel(2, 0), Argb(255, 0, 255, 0));
  EXPECT_EQ(c.GetPixel(1, 0), (RotateHue(Argb(64, 255, 36, 52), 85) & 0xFFFFFF) | 64u << 24);
}

TEST(Surface, AssignCopiesPixelsNameAndFlags) {
  auto src = Numbered(3, 2, 0x80);
  src->SetName("Frame");
  src->SetAlphaBlend(true);
  src->SetTransparent(true);
  TkivBitmap dst;
  dst.Assign(src.get());
  EXPECT_EQ(dst.Width(), 3);
  EXPECT_EQ(dst.GetPixel(2, 1), 0x80000102u);
  EXPECT_EQ(dst.Name(), "Frame");
  EXPECT_TRUE(dst.AlphaBlend());
  EXPECT_TRUE(dst.Transparent());
  EXPECT_NE(dst.Bits(), src->Bits());
  // An empty source cannot size the surface; its name and flags still come.
  TkivBitmap empty;
  dst.Assign(&empty);
  EXPECT_EQ(dst.Width(), 3);
  EXPECT_EQ(dst.GetPixel(2, 1), 0x80000102u);
  EXPECT_EQ(dst.Name(), "");
  EXPECT_FALSE(dst.AlphaBlend());
}

// Same-size drawing onto a surface, clipped, with each kernel.
TEST(SurfaceDrawing, SameSizeIsClippedToTheTarget) {
  auto src = Numbered(10, 10);
  TkivBitmap dst;
  dst.SetSize(20, 20);
  src->DrawTo(dst, -3, 0);
  for (int x = 0; x < 20; ++x)
    EXPECT_EQ(dst.GetPixel(x, 4), x <= 6 ? 0xFF000400u + x + 3 : 0u) << x;
  dst.Fill(0);
  src->DrawTo(dst, 15, 17, TRect{2, 3, 8, 9});
  EXPECT_EQ(dst.GetPixel(15, 17), 0xFF000302u);
  EXPECT_EQ(dst.GetPixel(19, 19), 0xFF000506u);
  EXPECT_EQ(dst.GetPixel(14, 17), 0u);
  // Source rectangles outside the source draw nothing, at any size.
  dst.Fill(0);
  for (TRect bad :
       {TRect{0, 0, 11, 10}, TRect{-1, 0, 9, 10}, TRect{0, 0, 10, 11}, TRect{5, 5, 5, 9}}) {
    src->DrawTo(dst, 0, 0, bad);
    src->DrawTo(dst, TRect{0, 0, 20, 20}, bad);
  }
  for (int i = 0; i < 400; ++i) ASSERT_EQ(dst.Bits()[i], 0u);
  // Nothing onto an empty target, nothing from off-target rectangles.
  TkivBitmap empty;
  src->DrawTo(empty, 0, 0);
  src->DrawTo(dst, 20, 0);
  src->DrawTo(dst, TRect{-10, -10, 0, 0}, src->BoundsRect());
  for (int i = 0; i < 400; ++i) ASSERT_EQ(dst.Bits()[i], 0u);
}

TEST(SurfaceDrawing, FlagsChooseTheKernel) {
  TkivBitmap src;
  src.SetSize(3, 1);
  src.SetPixel(0, 0, Argb(128, 255, 0, 0));
  src.SetPixel(1, 0, KeyPixel | 0xFF000000u);
  src.SetPixel(2, 0, Argb(0, 1, 2, 3));
  TkivBitmap dst;
  dst.SetSize(3, 1);
  const TkivPixel bg = Argb(255, 0, 0, 255);
  struct Case {
    bool alpha, key;
    TkivPixel want[3];
  };
  for (const Case& c : {
           Case{false, false, {Argb(128, 255, 0, 0), KeyPixel | 0xFF000000u, Argb(0, 1, 2, 3)}},
           Case{false, true, {Argb(255, 255, 0, 0), bg, Argb(255, 1, 2, 3)}},
           Case{true,
                true,
                {Kernels.BlendPixel(Argb(128, 255, 0, 0), bg), KeyPixel | 0xFF000000u, bg}},
       }) {
    src.SetAlphaBlend(c.alpha);
    src.SetTransparent(c.key);
    // Same size and stretched (1 row into 2) take the same kernel.
    for (TRect d : {TRect{0, 0, 3, 1}, TRect{0, 0, 3, 2}}) {
      TkivBitmap out;
      out.SetSize(3, 2);
      out.Fill(bg);
      src.DrawTo(out, d, src.BoundsRect());
      for (int y = 0; y < d.Bottom; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(out.GetPixel(x, y), c.want[x]) << x << "," << y;
    }
  }
  EXPECT_EQ(Kernels.BlendPixel(Argb(128, 255, 0, 0), bg), Argb(191, 127, 0, 127));
}

// Truncating maps onto surfaces, rounding maps onto bottom-up DIBs.
TEST(SurfaceDrawing, StretchMapsTruncateOntoSurfacesAndRoundOntoDibs) {
  auto src = Numbered(2, 1);
  TkivBitmap dst;
  dst.SetSize(4, 1);
  src->DrawTo(dst, TRect{0, 0, 4, 1}, src->BoundsRect());
  EXPECT_EQ(dst.GetPixel(0, 0) & 0xFF, 0u);
  EXPECT_EQ(dst.GetPixel(1, 0) & 0xFF, 0u);
  EXPECT_EQ(dst.GetPixel(2, 0) & 0xFF, 0u);
  EXPECT_EQ(dst.GetPixel(3, 0) & 0xFF, 1u);

  std::vector<TkivPixel> dib(4 * 3, 0);  // 4 x 3, bottom-up
  DrawSurfaceInto(*src, TkivPixelView{dib.data(), 4, 3, true}, TRect{0, 0, 4, 1}, src->BoundsRect(),
                  true);
  const TkivPixel top_row_in_memory[] = {dib[8], dib[9], dib[10], dib[11]};
  EXPECT_EQ(top_row_in_memory[0] & 0xFF, 0u);
  EXPECT_EQ(top_row_in_memory[1] & 0xFF, 0u);
  EXPECT_EQ(top_row_in_memory[2] & 0xFF, 1u);
  EXPECT_EQ(top_row_in_memory[3] & 0xFF, 1u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(dib[i], 0u);

  // One pixel wide or high: the middle column or row of src, by div.
  auto big = Numbered(10, 10);
  TkivBitmap thin;
  thin.SetSize(1, 3);
  big->DrawTo(thin, TRect{0, 0, 1, 3}, TRect{3, 2, 9, 8});
  EXPECT_EQ(thin.GetPixel(0, 0), 0xFF000205u);  // column (3 + 9 - 1) div 2 = 5
  EXPECT_EQ(thin.GetPixel(0, 2), 0xFF000705u);
  TkivBitmap flat;
  flat.SetSize(3, 1);
  big->DrawTo(flat, TRect{0, 0, 3, 1}, TRect{0, 0, 2, 2});
  EXPECT_EQ(flat.GetPixel(2, 0), 0xFF000001u);  // row (0 + 2 - 1) div 2 = 0
}

// Random stretches, partly off the target, against a per-pixel evaluation of
// the nearest-neighbour maps.
TEST(SurfaceDrawing, StretchMatchesThePerPixelMapsOnRandomRectangles) {
  std::mt19937 rng(7);
  auto src = Numbered(23, 17);
  for (int round_maps = 0; round_maps < 2; ++round_maps)
    for (int trial = 0; trial < 300; ++trial) {
      const int sl = rng() % 20, st = rng() % 15;
      const TRect s{sl, st, sl + 1 + int(rng() % (23 - sl)), st + 1 + int(rng() % (17 - st))};
      const int dl = int(rng() % 40) - 10, dt = int(rng() % 40) - 10;
      const TRect d{dl, dt, dl + 1 + int(rng() % 40), dt + 1 + int(rng() % 40)};
      const int W = 25, H = 21;
      std::vector<TkivPixel> mem(W * H, 0);
      DrawSurfaceInto(*src, TkivPixelView{mem.data(), W, H, false}, d, s, round_maps != 0);
      auto map = [&](int j, int sfirst, int ssize, int dsize) {
        if (dsize < 2) return (2 * sfirst + ssize - 1) / 2;
        const float scale = float((long double)(ssize - 1) / (dsize - 1));
        const long double v = (long double)j * scale + sfirst;
        return int(round_maps ? std::nearbyintl(v) : std::trunc(v));
      };
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
          TkivPixel want = 0;
          if (x >= d.Left && x < d.Right && y >= d.Top && y < d.Bottom) {
            const int sx = map(x - d.Left, s.Left, s.Width(), d.Width());
            const int sy = map(y - d.Top, s.Top, s.Height(), d.Height());
            want = src->GetPixel(sx, sy);
          }
          ASSERT_EQ(mem[y * W + x], want) << "trial " << trial << " at " << x << "," << y;
        }
    }
}

TEST(SurfaceDrawing, StretchedAlphaRowsBlendOncePerDestinationRow) {
  TkivBitmap src;
  src.SetSize(1, 2);
  src.SetPixel(0, 0, Argb(128, 255, 255, 255));
  src.SetPixel(0, 1, Argb(64, 0, 0, 0));
  src.SetAlphaBlend(true);
  TkivBitmap dst;
  dst.SetSize(2, 4);
  dst.Fill(Argb(255, 0, 0, 0));
  src.DrawTo(dst, TRect{0, 0, 2, 4}, src.BoundsRect());  // rows 0, 0, 0, 1
  const TkivPixel once = Kernels.BlendPixel(Argb(128, 255, 255, 255), Argb(255, 0, 0, 0));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(dst.GetPixel(1, y), once) << y;
  EXPECT_EQ(dst.GetPixel(0, 3), Kernels.BlendPixel(Argb(64, 0, 0, 0), Argb(255, 0, 0, 0)));
}

TEST(SurfaceDrawing, TileLaysCutPiecesColumnByColumn) {
  auto src = Numbered(3, 3);
  TkivBitmap dst;
  dst.SetSize(9, 6);
  src->Tile(dst.DC(), TRect{1, 1, 8, 5}, src->BoundsRect());  // 7 x 4: widths 3,3,1; heights 3,1
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      TkivPixel want = 0;
      if (x >= 1 && x < 8 && y >= 1 && y < 5) want = src->GetPixel((x - 1) % 3, (y - 1) % 3);
      EXPECT_EQ(dst.GetPixel(x, y), want) << x << "," << y;
    }
  EXPECT_EQ(dst.GetPixel(7, 4), src->GetPixel(0, 0));  // the 1 x 1 corner piece

  // Clipped: only pieces meeting the clip, each drawn whole.
  dst.Fill(0);
  src->TileClipped(dst.DC(), TRect{0, 0, 9, 6}, src->BoundsRect(), TRect{4, 4, 5, 5});
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x)
      EXPECT_EQ(dst.GetPixel(x, y), (x >= 3 && x < 6 && y >= 3) ? src->GetPixel(x % 3, y % 3) : 0u)
          << x << "," << y;
  // An empty clip draws every piece; an empty tile draws nothing.
  dst.Fill(0);
  src->TileClipped(dst.DC(), TRect{0, 0, 9, 6}, src->BoundsRect(), TRect{});
  EXPECT_EQ(dst.GetPixel(8, 5), src->GetPixel(2, 2));
  dst.Fill(0);
  src->Tile(dst.DC(), TRect{0, 0, 9, 6}, TRect{1, 1, 1, 3});
  for (int i = 0; i < 54; ++i) ASSERT_EQ(dst.Bits()[i], 0u);
  // A huge destination with a one-pixel tile: only the visible pieces cost,
  // and they sit on the grid that starts at dst's corner.
  src->Tile(dst.DC(), TRect{-2000000001, -2000000000, 2000000000, 2000000000}, TRect{1, 1, 2, 2});
  for (int i = 0; i < 54; ++i) ASSERT_EQ(dst.Bits()[i], src->GetPixel(1, 1));
  dst.Fill(0);
  src->Tile(dst.DC(), TRect{-1000000001, -7, 2000000000, 4}, src->BoundsRect());
  // Columns start at -1000000001 = 3 * -333333334 + 1: x = 0 is column 2 of its tile.
  EXPECT_EQ(dst.GetPixel(0, 0), src->GetPixel(2, 1));
  EXPECT_EQ(dst.GetPixel(1, 3), src->GetPixel(0, 1));
  EXPECT_EQ(dst.GetPixel(1, 4), 0u);
}

TEST(SurfaceDrawing, DrawOntoASurfaceDeviceContextGoesToThatSurface) {
  auto src = Numbered(10, 10);
  TkivBitmap a, b;
  a.SetSize(20, 20);
  b.SetSize(20, 20);
  src->Draw(a.DC(), -3, 0);
  src->DrawTo(b, -3, 0);
  EXPECT_EQ(0, std::memcmp(a.Bits(), b.Bits(), 20 * 20 * 4));
  src->Draw(a.DC(), TRect{0, 0, 20, 20}, TRect{2, 2, 6, 6});
  src->DrawTo(b, TRect{0, 0, 20, 20}, TRect{2, 2, 6, 6});
  EXPECT_EQ(0, std::memcmp(a.Bits(), b.Bits(), 20 * 20 * 4));
}

TEST(SurfaceDrawing, MergeBehindFillsOnlyWhatIsNotOpaque) {
  TkivBitmap front;
  front.SetSize(4, 1);
  front.SetPixel(0, 0, Argb(255, 1, 2, 3));
  front.SetPixel(1, 0, Argb(0, 9, 9, 9));
  front.SetPixel(2, 0, Argb(128, 255, 0, 0));
  front.SetPixel(3, 0, Argb(0, 9, 9, 9));
  TkivBitmap back;
  back.SetSize(3, 2);
  back.Fill(Argb(255, 0, 0, 255));
  back.SetPixel(1, 1, Argb(200, 10, 20, 30));
  // src starts one column left of the source: x moves right by one.
  front.MergeBehind(back, 0, -1, TRect{-1, 0, 3, 2});
  EXPECT_EQ(front.GetPixel(0, 0), Argb(255, 1, 2, 3));
  EXPECT_EQ(front.GetPixel(1, 0), Argb(255, 0, 0, 255));
  EXPECT_EQ(front.GetPixel(2, 0), Kernels.BlendPixel(Argb(128, 255, 0, 0), Argb(200, 10, 20, 30)));
  EXPECT_EQ(front.GetPixel(3, 0), Argb(255, 0, 0, 255));
  // Entirely outside: nothing.
  front.SetPixel(1, 0, 0);
  front.MergeBehind(back, 10, 0, back.BoundsRect());
  front.MergeBehind(back, 0, 0, TRect{5, 5, 9, 9});
  EXPECT_EQ(front.GetPixel(1, 0), 0u);
}

TEST(SurfaceDrawing, FillRectBlendsOnAlphaSurfacesAndStoresOtherwise) {
  TkivBitmap b;
  b.SetSize(4, 4);
  b.Fill(Argb(255, 0, 0, 255));
  b.SetAlphaBlend(true);
  b.FillRect(TRect{-5, -5, 10, 10}, Argb(0, 255, 255, 255));
  EXPECT_EQ(b.GetPixel(2, 2), Argb(255, 0, 0, 255));
  b.FillRect(TRect{1, 1, 3, 2}, Argb(128, 255, 0, 0));
  EXPECT_EQ(b.GetPixel(1, 1), Argb(191, 127, 0, 127));
  EXPECT_EQ(b.GetPixel(3, 1), Argb(255, 0, 0, 255));
  b.SetAlphaBlend(false);
  b.FillRect(TRect{2, 2, 10, 10}, Argb(0, 255, 255, 255));
  EXPECT_EQ(b.GetPixel(3, 3), Argb(0, 255, 255, 255));
  EXPECT_EQ(b.GetPixel(1, 3), Argb(255, 0, 0, 255));
  b.FillRect(TRect{3, 3, 2, 5}, 7);  // empty
  EXPECT_EQ(b.GetPixel(3, 3), Argb(0, 255, 255, 255));
}

}  // namespace
}  // namespace kiv
