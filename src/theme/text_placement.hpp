#pragma once
// Where a theme draws the text of a TkivTextInfo: the arithmetic behind every
// theme's DrawText, kept apart from the device context so that it can be
// checked exactly. The caller measures the text (the platform's text drawing
// with DT_CALCRECT) and then draws it as the plan says.
#include <cstdint>
#include <functional>

#include "framework/types.hpp"
#include "theme/theme_records.hpp"

namespace kiv {

// The platform text format of the record's TextFlags (right to left, no
// prefix, word break, single line); no alignment bits.
uint32_t TextFormatOf(uint8_t text_flags);

// The placement after right-to-left mirroring: with kTextRightToLeft the left
// column (0, 1, 2) becomes the right one (6, 7, 8).
uint8_t EffectivePlacement(const TkivTextInfo& info);

// The block of w x h pixels placed in rect: offset 0, (W - w) / 2 or W - w
// across and 0, (H - h) / 2 or H - h down by the placement's column and row
// (divisions truncate toward zero; a block larger than rect gets negative
// offsets). Placements above 8 leave the block at rect's top-left.
TRect PlaceTextBlock(const TRect& rect, int32_t w, int32_t h, uint8_t placement);

struct TkivTextPlan {
  bool Vertical = false;   // turned text (DrawTextVertical), else DrawTextWide
  bool Clockwise = false;  // for turned text: orientation 1
  uint32_t Format = 0;     // platform text format to draw with
  TRect Rect;              // where the text is drawn
};

// Measures text laid out in rect with format (DT_CALCRECT included) and
// answers the measured rectangle; only its width and height are used.
using TkivTextMeasure = std::function<TRect(const TRect& rect, uint32_t format)>;

// The text placement. Horizontal text at placement 0 is drawn into Rect as it
// is; otherwise the text is measured in Rect and the measured block placed.
// Turned text at placement 0 is drawn into Rect as it is; otherwise it is
// measured in a rectangle of Rect's height by Rect's width (the turned
// space), the block (measured height wide, measured width high) placed in
// Rect, and grown by 2 at the top and the bottom.
TkivTextPlan PlanText(const TkivTextInfo& info, const TkivTextMeasure& measure);

}  // namespace kiv
