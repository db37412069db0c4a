#include "theme/theme_records.hpp"

namespace kiv {

namespace {

// Left, centre or right column of a placement row.
uint8_t Column(uint32_t format, uint8_t left, uint8_t center, uint8_t right) {
  if (format & kDtCenter) return center;
  if (format & kDtRight) return right;
  return left;
}

}  // namespace

TkivTextInfo MakeTextInfo(const TRect& rect, const std::u16string& text, uint32_t format) {
  TkivTextInfo info;
  info.Rect = rect;
  info.Text = text;
  if (format & kDtVCenter)
    info.Placement = Column(format, kPlaceMiddleLeft, kPlaceMiddleCenter, kPlaceMiddleRight);
  else if (format & kDtBottom)
    info.Placement = Column(format, kPlaceBottomLeft, kPlaceBottomCenter, kPlaceBottomRight);
  else
    info.Placement = Column(format, kPlaceTopLeft, kPlaceTopCenter, kPlaceTopRight);
  uint8_t flags = 0;
  if (format & kDtRtlReading) flags |= kTextRightToLeft;
  if (format & kDtNoPrefix) flags |= kTextNoPrefix;
  if (format & kDtSingleLine) flags |= kTextSingleLine;
  if (format & kDtWordBreak) flags |= kTextWordBreak;
  info.TextFlags = flags;
  info.Orientation = kTextHorizontal;
  return info;
}

TkivWindowInfo MakeWindowInfo(const TRect& rect, bool active, uint16_t buttons,
                              const TRect& margins, const std::u16string& caption) {
  return TkivWindowInfo{rect, active, buttons, margins, caption};
}

TkivStateInfo MakeStateInfo(const TRect& rect, uint8_t state) {
  return TkivStateInfo{rect, state};
}

TkivPartInfo MakePartInfo(const TRect& rect, uint8_t part, uint8_t state) {
  return TkivPartInfo{rect, part, state};
}

TkivGlyphInfo MakeGlyphInfo(const TRect& rect, TkivBitmap* bitmap, uint8_t value, uint8_t mode) {
  return TkivGlyphInfo{rect, bitmap, value, mode};
}

TkivWindowButtonInfo MakeWindowButtonInfo(const TRect& rect, uint8_t button, uint8_t state,
                                          TkivBitmap* bitmap) {
  return TkivWindowButtonInfo{rect, button, state, bitmap};
}

TkivGripInfo MakeGripInfo(const TRect& rect, bool sizeable) {
  return TkivGripInfo{rect, sizeable};
}

TkivListCheckInfo MakeListCheckInfo(const TRect& rect, TkivBitmap* bitmap, uint8_t mode) {
  return TkivListCheckInfo{rect, bitmap, mode};
}

}  // namespace kiv
