// Skin texts through GDI: drawn inside the text rectangle in the font
// colour, the shadow one pixel off in grey, and measured for saText children.
#include <gtest/gtest.h>

#include "graphics/kiv_bitmap.hpp"
#include "themefiles/skin_objects.hpp"

namespace kiv {
namespace {

constexpr TkivPixel kBlack = 0xFF000000;

// Bounding box of the pixels whose colour bytes equal rgb.
TRect Painted(const TkivBitmap& s, TkivPixel rgb) {
  TRect box{s.Width(), s.Height(), -1, -1};
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if ((s.GetPixel(x, y) & 0xFFFFFF) == rgb) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

TEST(SkinText, TextAndShadowAreDrawnInsideTheTextRectangle) {
  TkivBitmap surface;
  surface.SetSize(80, 24);
  surface.Fill(kBlack);
  TLqSkinObject o(nullptr);
  o.SetColor(clNone);
  o.Font()->SetColor(clWhite);
  o.SetBounds(Rect(0, 0, 80, 24));
  o.SetTextMarginLeft(20);
  o.SetTextAlign(taLeft);
  o.SetText(u"HH");
  o.SetTextEffect(teShadow);
  o.Draw(surface.DC(), TRect{});
  const TRect white = Painted(surface, 0xFFFFFF);
  const TRect grey = Painted(surface, 0x808080);
  ASSERT_LT(white.Left, white.Right) << "no text drawn";
  EXPECT_GE(white.Left, 20);
  EXPECT_LT(white.Right, 60);
  // The shadow's right and bottom edges stick out one pixel beyond the text.
  ASSERT_LT(grey.Left, grey.Right) << "no shadow drawn";
  EXPECT_EQ(grey.Right, white.Right + 1);
  EXPECT_EQ(grey.Bottom, white.Bottom + 1);
}

TEST(SkinText, TextChildrenTakeTheWidthOfTheirTextAndMargins) {
  TLqSkinObject parent(nullptr);
  auto* label = new TLqSkinObject(&parent);
  label->SetAlign(saText);
  label->SetText(u"Caption");
  label->SetTextMarginLeft(4);
  label->SetTextMarginRight(6);
  label->SetBounds(Bounds(5, 0, 1, 10));
  parent.SetBounds(Rect(0, 0, 200, 20));
  EXPECT_GT(label->Width(), 10 + 20);  // seven characters and the margins
  EXPECT_LT(label->Width(), 10 + 7 * 12);
  EXPECT_EQ(label->Left(), 5);
}

}  // namespace
}  // namespace kiv
