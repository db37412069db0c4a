// The skin-file theme through its canvas operations: the canvas's device
// context reaches the skin's drawing, button texts take the placement of
// the named text object, and a frame's key pixels shape the window region.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/win32/canvas.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "skin_theme_fixture.hpp"
#include "theme/theme_records.hpp"

namespace kiv {
namespace {

using kivtest::Cell;
using kivtest::SkinFixture;

constexpr TkivPixel kBlack = 0xFF000000;

struct CanvasSurface {
  TkivBitmap bitmap;
  TCanvas canvas;
  CanvasSurface(int w, int h) {
    bitmap.SetSize(w, h);
    bitmap.Fill(kBlack);
    canvas.SetHandle(static_cast<HDC>(bitmap.DC()));
  }
  ~CanvasSurface() { canvas.SetHandle(nullptr); }
  // Left and right ends of the pixels that are no longer black.
  std::pair<int, int> PaintedColumns() const {
    int left = bitmap.Width(), right = -1;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        if ((bitmap.GetPixel(x, y) & 0xFFFFFF) != 0)
          left = std::min(left, x), right = std::max(right, x);
    return {left, right};
  }
};

TEST(SkinThemeCanvas, CanvasOperationsDrawTheSkinThroughTheThemeBase) {
  SkinFixture f;
  f.Bitmap(f.Top("Button"), "Face", 3);
  TkivTheme& theme = f.Theme();
  CanvasSurface s(8, 8);
  theme.PaintButton(0, s.canvas, "default", MakeStateInfo(Rect(2, 2, 6, 6), 0));
  EXPECT_EQ(s.bitmap.GetPixel(3, 3), Cell(3));
  EXPECT_EQ(s.bitmap.GetPixel(1, 1), kBlack);
}

TEST(SkinThemeCanvas, ButtonTextTakesTheNamedTextObjectsAlignment) {
  SkinFixture f;
  f.Bitmap(f.Top("Button"), "Face", 3);
  auto* label = new TLqTextObject(nullptr);
  label->SetName("Label");
  label->SetTextAlign(taRight);
  TKivSkinFile& skin = f.Theme();
  skin.WorkingSource()->AddObject(label);
  const TkivTextInfo text = MakeTextInfo(Rect(0, 0, 120, 20), u"II", 0);
  for (const char* object : {"default", "Label"}) {
    CanvasSurface s(120, 20);
    s.canvas.Font()->SetColor(clWhite);
    skin.PaintButtonText(0, s.canvas, object, text, MakeStateInfo(text.Rect, 0));
    const auto [left, right] = s.PaintedColumns();
    ASSERT_LE(left, right) << object << ": no text";
    if (std::string(object) == "Label")
      EXPECT_GT(left, 60) << "right-aligned";
    else
      EXPECT_LT(right, 60) << "top-left as asked";
  }
}

TEST(SkinThemeCanvas, KeyPixelsOfTheFrameAreLeftOutOfTheWindowRegion) {
  SkinFixture f;
  f.Sheet()->SetPixel(0, 0, KeyPixel);  // the first pixel of cell 0
  TLqSkinObject* form = f.Top("Form", 0);
  form->SetKind(skForm);
  TKivSkinFile& skin = f.Theme();
  HRGN region = static_cast<HRGN>(skin.WindowRegion(0, Rect(50, 50, 60, 60), "default"));
  ASSERT_NE(region, nullptr);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 2, 4));
  EXPECT_TRUE(PtInRegion(region, 1, 0));
  EXPECT_TRUE(PtInRegion(region, 9, 9));
  EXPECT_FALSE(PtInRegion(region, 10, 5));
  DeleteObject(region);
  // A frame that is not masked covers the whole window: no region.
  SkinFixture plain;
  plain.Top("Form", 1)->SetMasked(false);
  EXPECT_EQ(plain.Theme().WindowRegion(0, Rect(0, 0, 10, 10), "default"), nullptr);
}

}  // namespace
}  // namespace kiv
