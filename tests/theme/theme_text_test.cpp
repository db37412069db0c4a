// Font text, text records and the text placement shared by every theme.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/exceptions.hpp"
#include "theme/text_placement.hpp"
#include "theme/theme_font_text.hpp"
#include "theme/theme_records.hpp"

namespace kiv {
namespace {

TEST(FontText, WritesFaceSizeCharsetColourBytesAndStyles) {
  TFont font;
  SetFontValues(font, "Tahoma", 10, clWhite, {fsBold});
  EXPECT_EQ(FontToString(font), "Tahoma,10,1,255,255,255,bold");
  SetFontValues(font, "Arial", 12, 0x00563412, {fsStrikeOut, fsItalic, fsUnderline, fsBold});
  font.SetCharset(0);
  EXPECT_EQ(FontToString(font), "Arial,12,0,18,52,86,bold,italic,underline,strikeout");
  // A system colour is written as the colour it shows, not its index bytes.
  font.SetColor(clBtnShadow);
  font.SetStyle({});
  const TColor rgb = ColorToRGB(clBtnShadow);
  EXPECT_EQ(FontToString(font), "Arial,12,0," + std::to_string(rgb & 0xFF) + "," +
                                    std::to_string(rgb >> 8 & 0xFF) + "," +
                                    std::to_string(rgb >> 16 & 0xFF));
}

TEST(FontText, ReadsTheFieldsBack) {
  struct Case {
    const char* text;
    const char* name;
    int32_t size;
    TColor color;
    TFontStyles style;
  };
  for (const Case& c : {
           Case{"Arial,12,0,255,0,0,italic", "Arial", 12, 0x0000FF, {fsItalic}},
           Case{"Arial,12,0,0,0,255", "Arial", 12, 0xFF0000, {}},
           Case{"Tahoma,10,1,255,255,255,bold", "Tahoma", 10, 0xFFFFFF, {fsBold}},
           Case{" Courier New ; 9 ;0;1,2,3 ; underline;strikeout, bold",
                "Courier New",
                9,
                0x030201,
                {fsUnderline, fsStrikeOut, fsBold}},
           // Bytes are taken modulo 256; unknown style words are ignored.
           Case{"X,8,0,256,257,-1,heavy,italic,Bold", "X", 8, 0xFF0100, {fsItalic}},
           Case{"X,8,0,1,2,3,,,bold,", "X", 8, 0x030201, {fsBold}},
       }) {
    EXPECT_EQ(FontNameFromString(c.text), c.name) << c.text;
    EXPECT_EQ(FontSizeFromString(c.text), c.size) << c.text;
    EXPECT_EQ(FontColorFromString(c.text), c.color) << c.text;
    EXPECT_EQ(FontStyleFromString(c.text), c.style) << c.text;
    TFont font;
    StringToFont(c.text, font);
    EXPECT_EQ(font.Name(), c.name);
    EXPECT_EQ(font.Size(), c.size);
    EXPECT_EQ(font.Color(), c.color);
    EXPECT_EQ(font.Style(), c.style);
  }
}

TEST(FontText, FieldsThatAreNotIntegersAreConversionErrors) {
  for (const char* text :
       {"", "Arial", "Arial,", "Arial,12pt,0,0,0,0", "Arial,12,0,red,0,0", "Arial,12,0,1,2"}) {
    TFont font;
    font.SetName("Keep");
    EXPECT_THROW(StringToFont(text, font), EConvertError) << text;
    EXPECT_EQ(font.Name(), "Keep") << text;
  }
}

TEST(TextRecords, MakeTextInfoTakesPlacementAndFlagsFromTheFormat) {
  struct Case {
    uint32_t format;
    uint8_t placement, flags;
  };
  for (const Case& c : {
           Case{0, 0, 0},
           Case{kDtCenter, 3, 0},
           Case{kDtRight, 6, 0},
           Case{kDtCenter | kDtRight, 3, 0},
           Case{kDtVCenter, 1, 0},
           Case{kDtVCenter | kDtCenter | kDtSingleLine, 4, kTextSingleLine},
           Case{kDtVCenter | kDtRight, 7, 0},
           Case{kDtBottom, 2, 0},
           Case{kDtBottom | kDtCenter, 5, 0},
           Case{kDtBottom | kDtRight, 8, 0},
           Case{kDtVCenter | kDtBottom, 1, 0},
           Case{kDtRtlReading | kDtNoPrefix | kDtWordBreak, 0,
                kTextRightToLeft | kTextNoPrefix | kTextWordBreak},
       }) {
    const TkivTextInfo info = MakeTextInfo(Rect(1, 2, 3, 4), u"Text", c.format);
    EXPECT_EQ(info.Rect, Rect(1, 2, 3, 4));
    EXPECT_EQ(info.Text, u"Text");
    EXPECT_EQ(info.Placement, c.placement) << std::hex << c.format;
    EXPECT_EQ(info.TextFlags, c.flags) << std::hex << c.format;
    EXPECT_EQ(info.Orientation, 0);
  }
}

TEST(TextRecords, FillersKeepFieldOrderAndPartStateReadsAsOneWord) {
  const TkivPartInfo part = MakePartInfo(Rect(0, 0, 5, 5), 9, 3);
  EXPECT_EQ(part.PartState(), 0x0309);
  uint16_t word;
  std::memcpy(&word, &part.Part, sizeof word);  // the two bytes as stored
  EXPECT_EQ(word, 0x0309);

  const TkivWindowButtonInfo button =
      MakeWindowButtonInfo(Rect(1, 1, 2, 2), 7, 2, reinterpret_cast<TkivBitmap*>(&word));
  EXPECT_EQ(button.Button, 7);
  EXPECT_EQ(button.State, 2);
  EXPECT_EQ(button.Bitmap, reinterpret_cast<TkivBitmap*>(&word));
  const TkivGlyphInfo glyph = MakeGlyphInfo(Rect(1, 1, 2, 2), nullptr, 4, 3);
  EXPECT_EQ(glyph.Value, 4);
  EXPECT_EQ(glyph.Mode, 3);
  const TkivWindowInfo window =
      MakeWindowInfo(Rect(0, 0, 9, 9), true, 0x22, Rect(1, 2, 3, 4), u"C");
  EXPECT_TRUE(window.Active);
  EXPECT_EQ(window.Buttons, 0x22);
  EXPECT_EQ(window.Margins, Rect(1, 2, 3, 4));
  EXPECT_EQ(window.Caption, u"C");
  EXPECT_TRUE(MakeGripInfo(Rect(0, 0, 1, 1), true).Sizeable);
  EXPECT_EQ(MakeStateInfo(Rect(0, 0, 1, 1), 6).State, 6);
  EXPECT_EQ(MakeListCheckInfo(Rect(0, 0, 1, 1), nullptr, 2).Mode, 2);
}

// A measurer that answers a fixed text size and records what it was asked.
struct FakeMeasure {
  int32_t w, h;
  std::vector<std::pair<TRect, uint32_t>> calls;
  TkivTextMeasure Fn() {
    return [this](const TRect& r, uint32_t format) {
      calls.emplace_back(r, format);
      return Bounds(r.Left, r.Top, w, h);
    };
  }
};

TEST(TextPlacement, HorizontalTextInEachPlacement) {
  struct Case {
    TRect rect;
    int32_t w, h;
    uint8_t placement, flags;
    TRect want;
  };
  const TRect r = Rect(0, 0, 100, 50);
  for (const Case& c : {
           Case{r, 40, 20, 4, 0, Rect(30, 15, 70, 35)},
           Case{r, 40, 20, 8, 0, Rect(60, 30, 100, 50)},
           Case{r, 40, 20, 1, 0, Rect(0, 15, 40, 35)},
           Case{r, 40, 20, 2, 0, Rect(0, 30, 40, 50)},
           Case{r, 40, 20, 3, 0, Rect(30, 0, 70, 20)},
           Case{r, 40, 20, 5, 0, Rect(30, 30, 70, 50)},
           Case{r, 40, 20, 6, 0, Rect(60, 0, 100, 20)},
           Case{r, 40, 20, 7, 0, Rect(60, 15, 100, 35)},
           Case{r, 41, 21, 4, 0, Rect(29, 14, 70, 35)},     // odd leftovers truncate
           Case{r, 120, 60, 4, 0, Rect(-10, -5, 110, 55)},  // larger than the rectangle
           Case{Rect(10, 20, 110, 70), 40, 20, 4, 0, Rect(40, 35, 80, 55)},
           Case{r, 40, 20, 0, kTextRightToLeft, Rect(60, 0, 100, 20)},   // 0 becomes 6
           Case{r, 40, 20, 1, kTextRightToLeft, Rect(60, 15, 100, 35)},  // 1 becomes 7
           Case{r, 40, 20, 4, kTextRightToLeft, Rect(30, 15, 70, 35)},   // the centre stays
           Case{r, 40, 20, 9, 0, Rect(0, 0, 40, 20)},
       }) {
    FakeMeasure m{c.w, c.h, {}};
    TkivTextInfo info{c.rect, u"text", c.placement, c.flags, kTextHorizontal};
    const TkivTextPlan plan = PlanText(info, m.Fn());
    EXPECT_FALSE(plan.Vertical);
    EXPECT_EQ(plan.Rect, c.want) << "placement " << int{c.placement} << " flags " << int{c.flags};
    ASSERT_EQ(m.calls.size(), 1u);
    EXPECT_EQ(m.calls[0].first, c.rect);
    EXPECT_EQ(m.calls[0].second & kDtCalcRect, kDtCalcRect);
  }
}

TEST(TextPlacement, TopLeftIsDrawnIntoTheRectangleUnmeasured) {
  for (uint8_t orientation : {0, 1, 2, 7}) {
    FakeMeasure m{40, 20, {}};
    const TkivTextInfo info{Rect(5, 5, 50, 50), u"t", 0, kTextSingleLine, orientation};
    const TkivTextPlan plan = PlanText(info, m.Fn());
    EXPECT_EQ(plan.Rect, Rect(5, 5, 50, 50));
    EXPECT_TRUE(m.calls.empty());
    EXPECT_EQ(plan.Vertical, orientation == 1 || orientation == 2);
    EXPECT_EQ(plan.Clockwise, orientation == 1);
    EXPECT_EQ(plan.Format, kDtSingleLine);
  }
}

TEST(TextPlacement, FlagsBecomeThePlatformFormat) {
  struct Case {
    uint8_t flags;
    uint32_t format;
  };
  for (const Case& c :
       {Case{0, 0}, Case{kTextRightToLeft, kDtRtlReading}, Case{kTextNoPrefix, kDtNoPrefix},
        Case{kTextWordBreak, kDtWordBreak}, Case{kTextSingleLine, kDtSingleLine},
        Case{0x1E, kDtRtlReading | kDtNoPrefix | kDtWordBreak | kDtSingleLine}}) {
    FakeMeasure m{1, 1, {}};
    const TkivTextPlan plan = PlanText(TkivTextInfo{Rect(0, 0, 9, 9), u"t", 4, c.flags, 0}, m.Fn());
    EXPECT_EQ(plan.Format, c.format);
    EXPECT_EQ(m.calls.at(0).second, c.format | kDtCalcRect);
  }
}

TEST(TextPlacement, TurnedTextIsMeasuredInTheTurnedSpace) {
  // A 30 x 100 column at (10, 20); the text is 60 long and 16 high when laid
  // out flat, so turned it is a 16 x 60 block.
  const TRect column = Rect(10, 20, 40, 120);
  struct Case {
    uint8_t orientation, placement, flags;
    TRect want;
  };
  for (const Case& c : {
           Case{1, 4, 0, Rect(17, 38, 33, 102)},
           Case{2, 4, 0, Rect(17, 38, 33, 102)},
           Case{1, 8, 0, Rect(24, 58, 40, 122)},
           Case{2, 0, kTextRightToLeft, Rect(24, 18, 40, 82)},
       }) {
    FakeMeasure m{60, 16, {}};
    const TkivTextPlan plan =
        PlanText(TkivTextInfo{column, u"turned", c.placement, c.flags, c.orientation}, m.Fn());
    EXPECT_TRUE(plan.Vertical);
    EXPECT_EQ(plan.Clockwise, c.orientation == 1);
    ASSERT_EQ(m.calls.size(), 1u);
    EXPECT_EQ(m.calls[0].first, Rect(0, 0, 100, 30));  // height by width
    EXPECT_EQ(plan.Rect, c.want) << "placement " << int{c.placement};
  }
}

}  // namespace
}  // namespace kiv
