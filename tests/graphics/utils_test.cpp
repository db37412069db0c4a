// The portable drawing helpers: rectangles, tokens, keyboard timing, gradient
// bands, region runs and text fitting.
#include <gtest/gtest.h>

#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_utils.hpp"

namespace kiv {
namespace {

TEST(Utils, RectangleArithmetic) {
  EXPECT_EQ(CenterRect(TRect{0, 0, 16, 16}, TRect{10, 10, 41, 30}), (TRect{17, 12, 33, 28}));
  EXPECT_EQ(CenterRect(TRect{0, 0, 20, 4}, TRect{0, 0, 11, 0}), (TRect{-4, -2, 16, 2}));  // div
  EXPECT_EQ(CenterRectVertically(TRect{5, 5, 21, 21}, TRect{10, 10, 41, 30}),
            (TRect{10, 12, 26, 28}));
  EXPECT_EQ(InflateRectBy(TRect{1, 2, 3, 4}, 2), (TRect{-1, 0, 5, 6}));
  EXPECT_EQ(ShrinkRect(TRect{0, 0, 10, 10}, TRect{1, 2, 3, 4}), (TRect{1, 2, 7, 6}));
  EXPECT_EQ(RectWidth(TRect{5, 0, 2, 0}), -3);
  EXPECT_TRUE(IsRectEmpty(TRect{0, 0, 0, 5}));
  EXPECT_FALSE(IsRectEmpty(TRect{0, 0, 1, 1}));
  EXPECT_TRUE(RectInside(TRect{1, 1, 5, 5}, TRect{0, 0, 5, 5}));
  EXPECT_FALSE(RectInside(TRect{1, 1, 6, 5}, TRect{0, 0, 5, 5}));
  EXPECT_TRUE(RectEquals(TRect{1, 2, 3, 4}, TRect{1, 2, 3, 4}));
}

TEST(Utils, TokensEndAtTheirDelimiterAndAreTrimmed) {
  struct Case {
    std::string text, delimiters, token, rest;
  };
  for (const Case& c : {
           Case{"key = value", "", "key", "= value"},
           Case{"= value", "", "", "value"},
           Case{"Draw(1,2)", "", "Draw", "1,2)"},
           Case{"  lead;tail", "", "", "lead;tail"},  // the first blank ends the scan
           Case{"last", "", "last", ""},
           Case{"", "", "", ""},
           Case{"a,b", ",", "a", "b"},
           Case{"a b;c", ";", "a b", "c"},
           Case{"x\t", ";", "x", ""},
       }) {
    std::string text = c.text, token = "old";
    if (c.delimiters.empty()) {
      NextToken(text, token);
    } else {
      NextTokenUntil(text, c.delimiters, token);
    }
    EXPECT_EQ(token, c.token) << c.text;
    EXPECT_EQ(text, c.rest) << c.text;
  }
  // Long texts are scanned to the end: taking tokens always empties them.
  std::string text;
  for (int i = 0; i < 200; ++i) text += "ab,";
  std::string token;
  int tokens = 0;
  while (!text.empty() && tokens < 1000) {
    NextToken(text, token);
    EXPECT_EQ(token, "ab");
    ++tokens;
  }
  EXPECT_EQ(tokens, 200);
}

TEST(Utils, KeyboardTiming) {
  EXPECT_EQ(KeyboardDelayFromSetting(0), 200);
  EXPECT_EQ(KeyboardDelayFromSetting(1), 400);
  EXPECT_EQ(KeyboardDelayFromSetting(3), 800);
  EXPECT_EQ(KeyboardRepeatIntervalFromSetting(31), 14);  // 1000 / 73.6 = 13.59
  EXPECT_EQ(KeyboardRepeatIntervalFromSetting(0), 435);  // 1000 / 2.3 = 434.78
}

TEST(Utils, GradientBandsStepThroughTheColours) {
  const auto bands = GradientBands(TRect{5, 0, 15, 3}, 0x000000, false, 0xFFFFFF);
  ASSERT_EQ(bands.size(), 10u);
  const int want[] = {0, 26, 51, 76, 102, 128, 153, 178, 204, 230};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(bands[i].rect, (TRect{5 + i, 0, 6 + i, 3}));
    EXPECT_EQ(bands[i].color, want[i] * 0x010101) << i;
  }
  // Vertical, more than 255 rows: 255 steps, bands of MulDiv widths covering rect.
  const auto tall = GradientBands(TRect{0, 0, 2, 600}, 0x0000FF, true, 0xFF0000);
  ASSERT_EQ(tall.size(), 255u);
  EXPECT_EQ(tall.front().rect.Top, 0);
  EXPECT_EQ(tall.back().rect.Bottom, 600);
  for (size_t i = 1; i < tall.size(); ++i) EXPECT_EQ(tall[i].rect.Top, tall[i - 1].rect.Bottom);
  EXPECT_EQ(tall.front().color, 0x0000FF);
  EXPECT_EQ(tall.back().color, 0xFE0001);  // i = 254 of 255
  EXPECT_TRUE(GradientBands(TRect{0, 0, 0, 5}, 0, false, 0xFFFFFF).empty());
}

TEST(Utils, RegionRectsAreTheRunsOfNonKeyPixels) {
  TkivBitmap b;
  b.SetSize(3, 1);
  b.Fill(0xFF102030);
  b.SetPixel(1, 0, KeyPixel | 0xAB000000u);  // the key colour with any alpha
  EXPECT_EQ(RegionRects(b, 10, 20), (std::vector<TRect>{{10, 20, 11, 21}, {12, 20, 13, 21}}));
  TkivBitmap c;
  c.SetSize(4, 2);
  c.Fill(KeyPixel);
  c.SetPixel(1, 1, 0);
  c.SetPixel(2, 1, 0);
  EXPECT_EQ(RegionRects(c, 0, 0), (std::vector<TRect>{{1, 1, 3, 2}}));
  TkivBitmap empty;
  EXPECT_TRUE(RegionRects(empty, 0, 0).empty());
  // More runs than any fixed store would hold.
  TkivBitmap stripes;
  stripes.SetSize(200, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; x += 2) stripes.SetPixel(x, y, KeyPixel);
  EXPECT_EQ(RegionRects(stripes, 0, 0).size(), 6000u);
}

TEST(Utils, EllipsisKeepsWhatFits) {
  auto measure = [](const std::u16string& s) { return static_cast<int32_t>(s.size()) * 10; };
  EXPECT_EQ(EllipsisFit(u"Close", 50, measure), u"Close");
  EXPECT_EQ(EllipsisFit(u"Closing", 50, measure), u"Cl...");  // 2 chars + "..." = 50
  EXPECT_EQ(EllipsisFit(u"Closing", 35, measure), u"...");
  EXPECT_EQ(EllipsisFit(u"", 0, measure), u"");
}

}  // namespace
}  // namespace kiv
