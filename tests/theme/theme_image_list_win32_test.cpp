// Glyphs from image lists: the surface the theme unit keeps for the last
// image, its transparency by the list's mask and drawing style, and the glyph
// record that hands it to a theme.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/colors.hpp"
#include "framework/win32/bitmap.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "paint_support_win32.hpp"
#include "theme/theme_image_list_win32.hpp"
#include "theme/theme_unit.hpp"

namespace kiv {
namespace {

using painttest::PaintFixture;
using painttest::Px;

constexpr TkivPixel kRgb = 0x00FFFFFF;

// A strip of two 4 x 4 images on fuchsia: a red 2 x 2 square in the middle of
// the first, the second all blue.
std::unique_ptr<TImageList> TwoImages(bool masked) {
  auto list = std::make_unique<TImageList>(nullptr);
  list->SetSize(4, 4);
  list->SetMasked(masked);
  TBitmap strip;
  strip.SetPixelFormat(pf32bit);
  strip.SetSize(8, 4);
  TCanvas* c = strip.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, 8, 4});
  c->Brush()->SetColor(clRed);
  c->FillRect(TRect{1, 1, 3, 3});
  c->Brush()->SetColor(clBlue);
  c->FillRect(TRect{4, 0, 8, 4});
  list->AddMasked(&strip, clFuchsia);
  return list;
}

TEST(ImageListGlyph, ImageOnTheKeyColourInASurfaceTheUnitKeeps) {
  auto list = TwoImages(true);
  TkivBitmap* glyph = ImageListGlyph(list.get(), 0, true);
  ASSERT_NE(glyph, nullptr);
  EXPECT_EQ(glyph, ImageListGlyphSurface());
  EXPECT_EQ(glyph->Width(), 4);
  EXPECT_EQ(glyph->Height(), 4);
  EXPECT_TRUE(glyph->Transparent());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const bool inside = x >= 1 && x < 3 && y >= 1 && y < 3;
      EXPECT_EQ(glyph->GetPixel(x, y) & kRgb, inside ? 0xFF0000u : KeyPixel) << x << "," << y;
    }

  // The next call replaces it: another list, another size.
  TImageList wide(nullptr);
  wide.SetSize(6, 5);
  TkivBitmap* empty = ImageListGlyph(&wide, 0, true);
  ASSERT_EQ(empty, ImageListGlyphSurface());
  EXPECT_EQ(empty->Width(), 6);
  EXPECT_EQ(empty->Height(), 5);
  EXPECT_EQ(empty->GetPixel(2, 2) & kRgb, KeyPixel);  // no such image: the fill alone

  EXPECT_EQ(ImageListGlyph(nullptr, 0, true), nullptr);
  EXPECT_EQ(ImageListGlyphSurface(), nullptr);
}

TEST(ImageListGlyph, TransparentWhenMaskedOrDrawnTransparently) {
  struct Case {
    bool masked;
    TDrawingStyle style;
    bool transparent;
  };
  for (const Case& t : {Case{true, dsNormal, true}, Case{false, dsNormal, false},
                        Case{false, dsTransparent, true}, Case{false, dsSelected, false}}) {
    auto list = TwoImages(t.masked);
    list->SetDrawingStyle(t.style);
    TkivBitmap* glyph = ImageListGlyph(list.get(), 1, true);
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->Transparent(), t.transparent) << t.masked << " " << t.style;
  }
}

TEST(ImageListGlyph, GlyphRecordHandsThePictureToTheTheme) {
  auto list = TwoImages(true);
  const TRect cell{0, 0, 20, 20};
  const TkivGlyphInfo glyph = MakeGlyphInfo(cell, list.get(), 0, true, 7);
  EXPECT_EQ(glyph.Rect, cell);
  EXPECT_EQ(glyph.Bitmap, ImageListGlyphSurface());
  EXPECT_EQ(glyph.Value, 7);
  EXPECT_EQ(glyph.Mode, kGlyphPicture);

  // Centred in the cell; the key colour leaves the target alone.
  PaintFixture f(20, 20);
  f.theme.PaintMenuItemGlyph(0, f.canvas, "default", glyph, MakePartInfo(cell, 0, 0));
  EXPECT_EQ(f.Changed(), (TRect{9, 9, 11, 11}));
  EXPECT_EQ(f.Count(Px(clRed), TRect{9, 9, 11, 11}), 4);
}

TEST(ImageListGlyph, UnitShutdownFreesTheSurface) {
  auto list = TwoImages(true);
  ASSERT_NE(ImageListGlyph(list.get(), 0, true), nullptr);
  ShutdownThemeUnit();
  EXPECT_EQ(ImageListGlyphSurface(), nullptr);
}

}  // namespace
}  // namespace kiv
