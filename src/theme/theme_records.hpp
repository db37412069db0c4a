#pragma once
// The records a theme's operations receive: geometry, state and text of the
// element being drawn, with one filler per record. Rectangles are in the
// canvas's coordinates, right and bottom exclusive.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/types.hpp"

namespace kiv {

class TkivBitmap;

// Text placements: where the measured text block sits in TkivTextInfo::Rect.
enum : uint8_t {
  kPlaceTopLeft = 0,
  kPlaceMiddleLeft = 1,
  kPlaceBottomLeft = 2,
  kPlaceTopCenter = 3,
  kPlaceMiddleCenter = 4,
  kPlaceBottomCenter = 5,
  kPlaceTopRight = 6,
  kPlaceMiddleRight = 7,
  kPlaceBottomRight = 8,
};

// TkivTextInfo::TextFlags bits.
enum : uint8_t {
  kTextRightToLeft = 2,
  kTextNoPrefix = 4,
  kTextWordBreak = 8,
  kTextSingleLine = 16,
};

// TkivTextInfo::Orientation: horizontal, or turned 90 degrees either way.
enum : uint8_t { kTextHorizontal = 0, kTextClockwise = 1, kTextCounterClockwise = 2 };

// The platform's text format bits (DT_...) that MakeTextInfo reads and the
// text placement produces.
enum : uint32_t {
  kDtCenter = 0x1,
  kDtRight = 0x2,
  kDtVCenter = 0x4,
  kDtBottom = 0x8,
  kDtWordBreak = 0x10,
  kDtSingleLine = 0x20,
  kDtCalcRect = 0x400,
  kDtNoPrefix = 0x800,
  kDtRtlReading = 0x20000,
};

// Control state codes the controls pass in the records.
enum : uint8_t {
  kStateNormal = 0,
  kStateHot = 1,
  kStatePressed = 2,
  kStateDisabled = 3,
  kStateFocused = 4,
  kStateDefault = 6,
};

// TkivGlyphInfo::Mode as the built-in drawings read it.
enum : uint8_t { kGlyphCheck = 0, kGlyphRadio = 1, kGlyphArrow = 2, kGlyphPicture = 3 };

// Window buttons: the bit (1 << index) of TkivWindowInfo::Buttons and the
// Button field of TkivWindowButtonInfo.
enum : uint8_t {
  kWindowButtonSysMenu = 0,
  kWindowButtonClose = 1,
  kWindowButtonHelp = 2,
  kWindowButtonMinimize = 3,
  kWindowButtonRestoreMin = 4,
  kWindowButtonMaximize = 5,
  kWindowButtonRestoreMax = 6,
  kWindowButtonRollUp = 7,
  kWindowButtonRollDown = 8,
  kWindowButtonTray = 9,
};

// Answers of WindowHitTest.
enum : int32_t {
  kHitNone = 0,
  kHitCaption = 1,
  kHitLeft = 2,
  kHitTop = 3,
  kHitRight = 4,
  kHitBottom = 5,
  kHitTopLeft = 7,
  kHitTopRight = 8,
  kHitBottomLeft = 9,
  kHitBottomRight = 10,
  kHitClose = 11,
  kHitHelp = 12,
  kHitMinimize = 13,
  kHitMaximize = 14,
  kHitRoll = 15,
  kHitTray = 16,
  kHitSysMenu = 17,
};

struct TkivTextInfo {
  TRect Rect;
  std::u16string Text;
  uint8_t Placement = kPlaceTopLeft;
  uint8_t TextFlags = 0;
  uint8_t Orientation = kTextHorizontal;
};

struct TkivWindowInfo {
  TRect Rect;  // the window rectangle
  bool Active = false;
  uint16_t Buttons = 0;  // bit i: window button i present
  TRect Margins;
  std::u16string Caption;
};

struct TkivStateInfo {
  TRect Rect;
  uint8_t State = 0;
};

// Part and State sit side by side so that they read as one 16-bit value:
// part in the low byte, state in the high byte (PartState).
struct TkivPartInfo {
  TRect Rect;
  uint8_t Part = 0;
  uint8_t State = 0;
  uint16_t PartState() const { return static_cast<uint16_t>(Part | State << 8); }
};
static_assert(offsetof(TkivPartInfo, State) == offsetof(TkivPartInfo, Part) + 1);

struct TkivGlyphInfo {
  TRect Rect;
  TkivBitmap* Bitmap = nullptr;  // not owned; may be none
  uint8_t Value = 0;
  uint8_t Mode = kGlyphCheck;
};

struct TkivWindowButtonInfo {
  TRect Rect;
  uint8_t Button = 0;
  uint8_t State = 0;
  TkivBitmap* Bitmap = nullptr;  // not owned; may be none
};

struct TkivGripInfo {
  TRect Rect;
  bool Sizeable = false;
};

// The check of a list item: 0 checked, 1 unchecked, 2 greyed, 3 the picture.
struct TkivListCheckInfo {
  TRect Rect;
  TkivBitmap* Bitmap = nullptr;  // not owned; may be none
  uint8_t Mode = 0;
};

// Copies rect and text; the placement and text flags come from the platform
// text format (DT_VCENTER / DT_BOTTOM with DT_CENTER / DT_RIGHT; right to
// left, no prefix, single line, word break); horizontal orientation.
TkivTextInfo MakeTextInfo(const TRect& rect, const std::u16string& text, uint32_t format);

TkivWindowInfo MakeWindowInfo(const TRect& rect, bool active, uint16_t buttons,
                              const TRect& margins, const std::u16string& caption);
TkivStateInfo MakeStateInfo(const TRect& rect, uint8_t state);
TkivPartInfo MakePartInfo(const TRect& rect, uint8_t part, uint8_t state);
TkivGlyphInfo MakeGlyphInfo(const TRect& rect, TkivBitmap* bitmap, uint8_t value, uint8_t mode);
TkivWindowButtonInfo MakeWindowButtonInfo(const TRect& rect, uint8_t button, uint8_t state,
                                          TkivBitmap* bitmap);
TkivGripInfo MakeGripInfo(const TRect& rect, bool sizeable);
TkivListCheckInfo MakeListCheckInfo(const TRect& rect, TkivBitmap* bitmap, uint8_t mode);

}  // namespace kiv
