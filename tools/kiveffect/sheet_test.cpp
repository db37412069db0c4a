// The contact sheet names the effect of each row in the band above its frames.
#include <gtest/gtest.h>

#include <algorithm>

#include "label.hpp"
#include "sheet.hpp"

namespace kivtool {
namespace {

using kiv::TkivBitmap;

// The band above row `row`'s frames, as text ink (1) and background (0).
std::vector<int> Band(const TkivBitmap& sheet, int top) {
  std::vector<int> ink;
  for (int y = top; y < top + kLabelGlyphHeight; ++y)
    for (int x = 0; x < sheet.Width(); ++x)
      ink.push_back(sheet.GetPixel(x, y) == kSheetLabelColour  ? 1
                    : sheet.GetPixel(x, y) == kSheetBackground ? 0
                                                               : 2);
  return ink;
}

TEST(EffectSheet, EachRowIsLabelledWithItsEffectsName) {
  TSheetOptions options;
  options.Width = 24;
  options.Height = 16;
  options.Every = 8;
  const std::vector<std::string> effects = {"Fade", "Push", kiv::kBitmapEffectName};
  const auto composed = ComposeSheet(effects, options);
  ASSERT_NE(composed, nullptr);
  const TkivBitmap& sheet = *composed;
  std::vector<std::vector<int>> bands;
  for (size_t r = 0; r < effects.size(); ++r) {
    const std::string label = SheetLabel(effects[r]);
    SCOPED_TRACE(label);
    EXPECT_NE(label.find(effects[r] == kiv::kBitmapEffectName ? "Bitmap" : effects[r]),
              std::string::npos);
    EXPECT_GE(sheet.Width(), kSheetGap + LabelWidth(label));
    // The band holds the name's text and nothing else, at the row's left.
    TkivBitmap want;
    want.SetSize(sheet.Width(), sheet.Height());
    want.Fill(kSheetBackground);
    DrawLabel(want, kSheetGap, SheetRowTop(int(r), options.Height), label, kSheetLabelColour);
    const std::vector<int> band = Band(sheet, SheetRowTop(int(r), options.Height));
    EXPECT_EQ(band, Band(want, SheetRowTop(int(r), options.Height)));
    EXPECT_GT(std::count(band.begin(), band.end(), 1), 0);
    bands.push_back(band);
  }
  EXPECT_NE(bands[0], bands[1]);
  // The frames start below the band: the old picture is not background.
  EXPECT_NE(sheet.GetPixel(kSheetGap + 1, SheetRowTop(0, options.Height) + kSheetLabelBand + 1),
            kSheetBackground);
}

TEST(EffectSheet, TheFontDrawsEveryCharacterOfTheNamesApartFromABox) {
  // Each character of the registered names has a glyph of its own, not the
  // box drawn for a missing one (the box is what '\x01' gets).
  auto ink = [](const std::string& text) {
    TkivBitmap s;
    s.SetSize(LabelWidth(text), kLabelGlyphHeight);
    s.Fill(0);
    DrawLabel(s, 0, 0, text, 0xFFFFFFFFu);
    std::vector<kiv::TkivPixel> px;
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) px.push_back(s.GetPixel(x, y));
    return px;
  };
  const auto box = ink("\x01");
  for (const std::string& name : kiv::EffectNames()) {
    for (char c : name) {
      if (c == ' ') continue;
      EXPECT_NE(ink(std::string(1, c)), box) << "'" << c << "' in " << name;
    }
  }
}

}  // namespace
}  // namespace kivtool
