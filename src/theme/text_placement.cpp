#include "theme/text_placement.hpp"

namespace kiv {

uint32_t TextFormatOf(uint8_t text_flags) {
  uint32_t format = 0;
  if (text_flags & kTextRightToLeft) format |= kDtRtlReading;
  if (text_flags & kTextNoPrefix) format |= kDtNoPrefix;
  if (text_flags & kTextWordBreak) format |= kDtWordBreak;
  if (text_flags & kTextSingleLine) format |= kDtSingleLine;
  return format;
}

uint8_t EffectivePlacement(const TkivTextInfo& info) {
  if ((info.TextFlags & kTextRightToLeft) && info.Placement <= kPlaceBottomLeft)
    return static_cast<uint8_t>(info.Placement + kPlaceTopRight);
  return info.Placement;
}

TRect PlaceTextBlock(const TRect& rect, int32_t w, int32_t h, uint8_t placement) {
  int32_t dx = 0, dy = 0;
  if (placement <= kPlaceBottomRight) {
    const int32_t column = placement / 3, row = placement % 3;
    const int32_t free_w = rect.Width() - w, free_h = rect.Height() - h;
    dx = column == 0 ? 0 : column == 1 ? free_w / 2 : free_w;
    dy = row == 0 ? 0 : row == 1 ? free_h / 2 : free_h;
  }
  return Bounds(rect.Left + dx, rect.Top + dy, w, h);
}

TkivTextPlan PlanText(const TkivTextInfo& info, const TkivTextMeasure& measure) {
  TkivTextPlan plan;
  plan.Format = TextFormatOf(info.TextFlags);
  const uint8_t placement = EffectivePlacement(info);
  plan.Vertical = info.Orientation == kTextClockwise || info.Orientation == kTextCounterClockwise;
  plan.Clockwise = info.Orientation == kTextClockwise;
  if (placement == kPlaceTopLeft) {
    plan.Rect = info.Rect;
    return plan;
  }
  if (!plan.Vertical) {
    const TRect m = measure(info.Rect, plan.Format | kDtCalcRect);
    plan.Rect = PlaceTextBlock(info.Rect, m.Width(), m.Height(), placement);
    return plan;
  }
  // Turned text is laid out in the turned space: as wide as Rect is high.
  const TRect turned = Rect(0, 0, info.Rect.Height(), info.Rect.Width());
  const TRect m = measure(turned, plan.Format | kDtCalcRect);
  TRect r = PlaceTextBlock(info.Rect, m.Height(), m.Width(), placement);
  r.Top -= 2;
  r.Bottom += 2;
  plan.Rect = r;
  return plan;
}

}  // namespace kiv
