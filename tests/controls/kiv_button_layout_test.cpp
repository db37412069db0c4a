// The push button's glyph cells, kinds and the layout of glyph and caption.
#include <gtest/gtest.h>

#include <string>

#include "controls/kiv_button_layout.hpp"
#include "controls/kiv_font_options.hpp"

namespace kiv {
namespace {

TEST(ButtonGlyphs, CellCountFollowsTheStripAndStaysWithinOneToFour) {
  struct Case {
    int width, height, current, want;
  };
  const Case cases[] = {
      {32, 16, 1, 2}, {48, 16, 1, 3}, {64, 16, 1, 4}, {80, 16, 3, 1},  // five cells: one
      {40, 16, 3, 3},                                                  // uneven: unchanged
      {0, 16, 3, 3},                                                   // empty: unchanged
      {16, 0, 2, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GlyphCountFor(c.width, c.height, c.current), c.want) << c.width << "x" << c.height;
}

TEST(ButtonGlyphs, TheCellShownNeverPassesTheLast) {
  struct Case {
    int cells;
    bool enabled, pressed;
    int want;
  };
  const Case cases[] = {
      {1, false, true, 0},
      {2, false, false, 1},
      {2, true, true, 0},
      {3, true, true, 2},
      {3, false, true, 2},  // disabled and pressed with three cells: the last,
                            // not a fourth
      {4, false, true, 3},
      {0, false, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GlyphCellFor(c.cells, c.enabled, c.pressed), c.want)
        << c.cells << " " << c.enabled << " " << c.pressed;
}

TEST(ButtonKinds, CaptionsModalResultsDefaultsAndGlyphs) {
  EXPECT_EQ(ButtonKindInfo(bkCustom).GlyphResource, nullptr);
  EXPECT_EQ(std::wstring(ButtonKindInfo(bkOK).Caption), L"OK");
  EXPECT_TRUE(ButtonKindInfo(bkOK).Default);
  EXPECT_TRUE(ButtonKindInfo(bkYes).Default);
  EXPECT_FALSE(ButtonKindInfo(bkNo).Default);
  EXPECT_EQ(ButtonKindInfo(bkAll).ModalResult, 8);
  EXPECT_EQ(ButtonKindInfo(bkClose).ModalResult, 0);
  EXPECT_EQ(std::string(ButtonKindInfo(bkClose).GlyphResource), "KIV_BTN_CLOSE");
  EXPECT_EQ(std::wstring(ButtonKindInfo(bkIgnore).Caption), L"&Ignore");
}

TKivButtonLayoutInput Input(TButtonLayout layout, int alignment, bool pressed = false) {
  TKivButtonLayoutInput in;
  in.Text = {30, 13};
  in.Cell = {16, 16};
  in.HasGlyph = true;
  in.Layout = layout;
  in.Alignment = alignment;
  in.Width = in.PaintWidth = 75;
  in.Height = in.PaintHeight = 25;
  in.Pressed = pressed;
  return in;
}

TEST(ButtonLayout, BlockCaptionAndGlyphParts) {
  // Glyph left: block 30 + 16 + 4 = 50 wide, 16 high, centred in 75 x 25.
  const auto left = Input(blGlyphLeft, kAlignCenter);
  EXPECT_EQ(ButtonContentRect(left), (TRect{12, 4, 62, 20}));
  EXPECT_EQ(ButtonGlyphRect(left), (TRect{12, 4, 32, 20}));
  EXPECT_EQ(ButtonTextRect(left), (TRect{32, 4, 62, 20}));
  // Glyph on top: 30 wide, 13 + 16 + 4 = 33 high (taller than the button).
  const auto top = Input(blGlyphTop, kAlignCenter);
  EXPECT_EQ(ButtonContentRect(top), (TRect{22, -4, 52, 29}));
  EXPECT_EQ(ButtonGlyphRect(top), (TRect{22, -4, 52, 16}));
  EXPECT_EQ(ButtonTextRect(top), (TRect{22, 16, 52, 29}));
  // Left- and right-justified blocks sit 4 pixels from their edge; pressed
  // moves everything by (1, 1).
  EXPECT_EQ(ButtonContentRect(Input(blGlyphRight, kAlignLeft)), (TRect{4, 4, 54, 20}));
  EXPECT_EQ(ButtonContentRect(Input(blGlyphRight, kAlignRight)), (TRect{21, 4, 71, 20}));
  EXPECT_EQ(ButtonGlyphRect(Input(blGlyphRight, kAlignRight)), (TRect{51, 4, 71, 20}));
  EXPECT_EQ(ButtonContentRect(Input(blGlyphLeft, kAlignCenter, true)), (TRect{13, 5, 63, 21}));
  // No glyph: the caption alone; a glyph larger than the caption sets the size.
  auto bare = Input(blGlyphLeft, kAlignCenter);
  bare.HasGlyph = false;
  EXPECT_EQ(ButtonContentRect(bare), ButtonTextRect(bare));
  auto big = Input(blGlyphTop, kAlignCenter);
  big.Text = {0, 0};
  big.Cell = {40, 20};
  EXPECT_EQ(ButtonContentRect(big).Width(), 40);
}

TEST(KivFontOptions, ApplyAddsStylesStepsTheSizeAndSetsFaceAndColour) {
  TFont font;
  font.SetSize(8);
  font.SetStyle(TFontStyles{fsItalic});
  TKivFontOptions options;
  int changes = 0;
  options.OnChange.Handler = [&](TObject*) { ++changes; };
  options.ApplyTo(font);  // nothing set: nothing changes
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Style(), TFontStyles{fsItalic});
  options.SetBold(true);
  options.SetBold(true);  // unchanged: no notification
  options.SetSizeDelta(2);
  options.SetFontName("Tahoma");
  options.SetFontColor(0x0000FF);
  EXPECT_EQ(changes, 4);
  options.ApplyTo(font);
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));  // a style is never removed
  EXPECT_EQ(font.Size(), 10);
  EXPECT_EQ(font.Name(), "Tahoma");
  EXPECT_EQ(font.Color(), 0x0000FF);
  TKivFontOptions copy;
  copy.Assign(&options);
  EXPECT_EQ(copy.SizeDelta(), 2);
  EXPECT_EQ(copy.FontColor(), 0x0000FF);
}

}  // namespace
}  // namespace kiv
