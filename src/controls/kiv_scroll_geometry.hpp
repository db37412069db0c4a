#pragma once
// The themed scroll bar's arithmetic without a window: the range and its
// setters, where buttons, track and thumb lie, which parts a point is over,
// the position a dragged thumb stands for, the key and page steps and the
// auto-repeat's choice of step (its timing is KeyboardDelayFromSetting and
// KeyboardRepeatIntervalFromSetting). Every product and difference of range values is
// formed in 64 bits, so ranges reaching the 32-bit limits stay exact.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/types.hpp"

namespace kiv {

enum TKivScrollOrientation { qsoHorizontal, qsoVertical };
inline constexpr std::array<std::string_view, 2> kKivScrollOrientationNames{"qsoHorizontal",
                                                                            "qsoVertical"};
static_assert(kKivScrollOrientationNames.size() == qsoVertical + 1);

// The scroll event's codes; their values are the platform's SB_LINEUP ..
// SB_ENDSCROLL, which the in-place bar passes straight on.
enum TKivScrollCode {
  qscLineUp,
  qscLineDown,
  qscPageUp,
  qscPageDown,
  qscPosition,
  qscTrack,
  qscTop,
  qscBottom,
  qscEndScroll
};
inline constexpr std::array<std::string_view, 9> kKivScrollCodeNames{
    "qscLineUp", "qscLineDown", "qscPageUp", "qscPageDown", "qscPosition",
    "qscTrack",  "qscTop",      "qscBottom", "qscEndScroll"};
static_assert(kKivScrollCodeNames.size() == qscEndScroll + 1);

// The virtual-key codes a scroll bar answers, without the platform header.
enum : int {
  kKeyPrior = 33,
  kKeyNext = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40
};

// Range and position. The setters below keep Min <= Position <= Max and
// 0 <= PageSize <= Max - Min + 1.
struct TKivScrollRange {
  int32_t Min = 0, Max = 100, Position = 0, PageSize = 0;
  friend constexpr bool operator==(const TKivScrollRange&, const TKivScrollRange&) = default;
};

// Max - Min + 1, which needs 33 bits when the range spans the 32-bit values.
constexpr int64_t ScrollRangeCount(const TKivScrollRange& r) {
  return int64_t{r.Max} - r.Min + 1;
}

// Each setter returns the range after setting one value: an equal value
// changes nothing; a new Max is raised to Min and pulls Position down with
// it; a new Min is lowered to Max and pushes Position up; either shrinks
// PageSize to the range; a negative page size is ignored; a position is
// clamped to [Min, Max].
TKivScrollRange ScrollWithMax(TKivScrollRange r, int32_t value);
TKivScrollRange ScrollWithMin(TKivScrollRange r, int32_t value);
TKivScrollRange ScrollWithPageSize(TKivScrollRange r, int32_t value);
TKivScrollRange ScrollWithPosition(TKivScrollRange r, int32_t value);

// When a bar takes a new range from elsewhere (a native scroll bar), Min and
// Max must be set in an order that lets both land: a new Min above the
// current Max would be lowered to that Max, so Max goes first then.
constexpr bool ScrollSetMaxFirst(const TKivScrollRange& current, int32_t new_min) {
  return new_min > current.Max;
}
// Min and Max in that order, then PageSize, as a bar keeping in step does.
TKivScrollRange ScrollWithRange(TKivScrollRange r, int32_t min, int32_t max, int32_t page_size);

// The control's size and settings that place the parts. ThumbMetric is the
// platform's scroll-thumb size (SM_CYVTHUMB): the buttons' length, the thumb
// of a bar without a page size, and three halves of the smallest thumb.
struct TKivScrollGeometry {
  TKivScrollOrientation Orientation = qsoHorizontal;
  int32_t Width = 0, Height = 0;
  int32_t BorderWidth = 1;
  bool ShowButtons = true;
  int32_t ThumbMetric = 0;
  TKivScrollRange Range;
};

// The length of each arrow button: ThumbMetric, or half the room inside the
// border when two of them would not fit.
int32_t ScrollButtonSize(const TKivScrollGeometry& g);
TRect ScrollFirstButtonRect(const TKivScrollGeometry& g);   // up or left
TRect ScrollSecondButtonRect(const TKivScrollGeometry& g);  // down or right
// Inside the border, less the buttons at both ends when they are shown.
TRect ScrollTrackRect(const TKivScrollGeometry& g);
// Proportional to PageSize over the range, at least (ThumbMetric div 3) * 2;
// ThumbMetric without a page size; 0 (no thumb) when not shorter than the track.
int32_t ScrollThumbSize(const TKivScrollGeometry& g);
// The thumb's leading coordinate for a position.
int32_t ScrollPositionToPixel(const TKivScrollGeometry& g, int32_t position);
// The position a thumb whose leading edge is at pixel stands for, within
// [Min, Max - PageSize + 1] and never above Max.
int32_t ScrollPixelToPosition(const TKivScrollGeometry& g, int32_t pixel);
// Empty along the axis when there is no thumb.
TRect ScrollThumbRect(const TKivScrollGeometry& g);
TRect ScrollPageUpRect(const TKivScrollGeometry& g);    // track start to the thumb
TRect ScrollPageDownRect(const TKivScrollGeometry& g);  // thumb end to the track end

// Which parts a point is over. The buttons count only while they are shown;
// a bar without a thumb has no thumb to be over.
struct TKivScrollParts {
  bool Thumb = false, FirstButton = false, SecondButton = false, PageUp = false, PageDown = false;
  bool Any() const { return Thumb || FirstButton || SecondButton || PageUp || PageDown; }
  friend constexpr bool operator==(const TKivScrollParts&, const TKivScrollParts&) = default;
};
TKivScrollParts ScrollHitTest(const TKivScrollGeometry& g, TPoint p);

// Dragging: the grab offset is the point's distance from the thumb's leading
// edge; a move puts the leading edge at the point less that offset, kept
// within the track, and answers the position it stands for.
int32_t ScrollDragOffset(const TKivScrollGeometry& g, TPoint grab);
int32_t ScrollDragPosition(const TKivScrollGeometry& g, int32_t drag_offset, TPoint p);

// A step by key: the new position, limited to [Min, Max], and its code. Page
// keys move by PageSize, or by large_change without a page size; arrows by
// small_change. Other keys give nothing.
struct TKivScrollStep {
  int32_t Position = 0;
  TKivScrollCode Code = qscLineUp;
  friend constexpr bool operator==(const TKivScrollStep&, const TKivScrollStep&) = default;
};
std::optional<TKivScrollStep> ScrollKeyStep(const TKivScrollRange& r, int key, int32_t small_change,
                                            int32_t large_change);

// One auto-repeat tick: the key to step with for the parts held down (a part
// counts as held while it is both pressed and hot), or none. The page areas'
// hot flags are first tested again at the last mouse point and updated in
// hot, so a page repeat stops by itself once the thumb reaches the pointer.
std::optional<int> ScrollRepeatKey(const TKivScrollGeometry& g, const TKivScrollParts& pressed,
                                   TKivScrollParts& hot, TPoint last_mouse);

}  // namespace kiv
