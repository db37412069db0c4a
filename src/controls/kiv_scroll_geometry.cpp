#include "controls/kiv_scroll_geometry.hpp"

#include <algorithm>

#include "framework/numeric.hpp"
#include "graphics/kiv_utils.hpp"

namespace kiv {

namespace {

// num / den rounded to the nearest integer, ties to even, for den > 0, done
// in integers so that no quotient near 2^32 loses its last digit.
int64_t DivRoundEven(int64_t num, int64_t den) {
  int64_t q = num / den;
  int64_t twice_rem = (num % den) * 2;
  if (twice_rem > den || (twice_rem == den && (q & 1) != 0)) ++q;
  if (twice_rem < -den || (twice_rem == -den && (q & 1) != 0)) --q;
  return q;
}

int32_t Clamp32(int64_t v, int64_t lo, int64_t hi) {
  return static_cast<int32_t>(std::min(std::max(v, lo), hi));
}

bool Vertical(const TKivScrollGeometry& g) {
  return g.Orientation == qsoVertical;
}

// The track's extent along the axis.
struct Span {
  int32_t Start, End;
  int64_t Length() const { return std::max<int64_t>(int64_t{End} - Start, 0); }
};

Span TrackSpan(const TKivScrollGeometry& g) {
  TRect t = ScrollTrackRect(g);
  return Vertical(g) ? Span{t.Top, t.Bottom} : Span{t.Left, t.Right};
}

// Max - Min - PageSize, plus 1 with a page: the positions the thumb's travel
// stands for.
int64_t TravelRange(const TKivScrollRange& r) {
  return int64_t{r.Max} - r.Min - r.PageSize + (r.PageSize != 0 ? 1 : 0);
}

// A rectangle that spans the track across the axis and [from, to) along it.
TRect AlongTrack(const TKivScrollGeometry& g, int32_t from, int32_t to) {
  TRect t = ScrollTrackRect(g);
  if (Vertical(g)) return Rect(t.Left, from, t.Right, to);
  return Rect(from, t.Top, to, t.Bottom);
}

// A page never holds more than the range.
TKivScrollRange WithPageInRange(TKivScrollRange r) {
  if (ScrollRangeCount(r) < r.PageSize) r.PageSize = static_cast<int32_t>(ScrollRangeCount(r));
  return r;
}

}  // namespace

TKivScrollRange ScrollWithMax(TKivScrollRange r, int32_t value) {
  if (value == r.Max) return r;
  r.Max = std::max(value, r.Min);
  if (r.Max < r.Position) r.Position = r.Max;
  return WithPageInRange(r);
}

TKivScrollRange ScrollWithMin(TKivScrollRange r, int32_t value) {
  if (value == r.Min) return r;
  r.Min = std::min(value, r.Max);
  if (r.Position < r.Min) r.Position = r.Min;
  return WithPageInRange(r);
}

TKivScrollRange ScrollWithPageSize(TKivScrollRange r, int32_t value) {
  if (value == r.PageSize || value < 0) return r;
  r.PageSize = static_cast<int32_t>(std::min<int64_t>(value, ScrollRangeCount(r)));
  return r;
}

TKivScrollRange ScrollWithPosition(TKivScrollRange r, int32_t value) {
  if (value == r.Position) return r;
  r.Position = std::clamp(value, r.Min, r.Max);
  return r;
}

TKivScrollRange ScrollWithRange(TKivScrollRange r, int32_t min, int32_t max, int32_t page_size) {
  if (ScrollSetMaxFirst(r, min)) {
    r = ScrollWithMin(ScrollWithMax(r, max), min);
  } else {
    r = ScrollWithMax(ScrollWithMin(r, min), max);
  }
  return ScrollWithPageSize(r, page_size);
}

int32_t ScrollButtonSize(const TKivScrollGeometry& g) {
  int64_t length = Vertical(g) ? g.Height : g.Width;
  int64_t inside = length - 2 * int64_t{g.BorderWidth};
  if (inside < 2 * int64_t{g.ThumbMetric}) return static_cast<int32_t>(inside / 2);
  return g.ThumbMetric;
}

TRect ScrollFirstButtonRect(const TKivScrollGeometry& g) {
  int32_t b = g.BorderWidth, size = ScrollButtonSize(g);
  if (Vertical(g)) return Rect(b, b, g.Width - b, b + size);
  return Rect(b, b, b + size, g.Height - b);
}

TRect ScrollSecondButtonRect(const TKivScrollGeometry& g) {
  int32_t b = g.BorderWidth, size = ScrollButtonSize(g);
  if (Vertical(g)) return Rect(b, g.Height - b - size, g.Width - b, g.Height - b);
  return Rect(g.Width - b - size, b, g.Width - b, g.Height - b);
}

TRect ScrollTrackRect(const TKivScrollGeometry& g) {
  int32_t b = g.BorderWidth;
  TRect t = Rect(b, b, g.Width - b, g.Height - b);
  if (g.ShowButtons) {
    int32_t size = ScrollButtonSize(g);
    if (Vertical(g)) {
      t.Top += size;
      t.Bottom -= size;
    } else {
      t.Left += size;
      t.Right -= size;
    }
  }
  return t;
}

int32_t ScrollThumbSize(const TKivScrollGeometry& g) {
  int64_t track = TrackSpan(g).Length();
  int64_t size = g.ThumbMetric;
  if (g.Range.PageSize > 0) {
    // A range the setters would not leave (Max below Min) counts as one value.
    int64_t count = std::max<int64_t>(ScrollRangeCount(g.Range), 1);
    size = DivRoundEven(track * g.Range.PageSize, count);
    size = std::max<int64_t>(size, (g.ThumbMetric / 3) * 2);
  }
  return size >= track ? 0 : static_cast<int32_t>(size);
}

int32_t ScrollPositionToPixel(const TKivScrollGeometry& g, int32_t position) {
  const TKivScrollRange& r = g.Range;
  Span track = TrackSpan(g);
  int64_t free = track.Length() - ScrollThumbSize(g);
  int64_t range = TravelRange(r);
  if (ScrollRangeCount(r) - r.PageSize <= 0 || range <= 0) return track.Start;
  if (position > int64_t{r.Max} - r.PageSize + 1) return static_cast<int32_t>(track.Start + free);
  return static_cast<int32_t>(track.Start +
                              DivRoundEven((int64_t{position} - r.Min) * free, range));
}

int32_t ScrollPixelToPosition(const TKivScrollGeometry& g, int32_t pixel) {
  const TKivScrollRange& r = g.Range;
  Span track = TrackSpan(g);
  int64_t free = track.Length() - ScrollThumbSize(g);
  int64_t range = TravelRange(r);
  int64_t value = 0;
  if (free > 0 && range > 0) {
    // Within the track, so the product stays below 2^31 * 2^32.
    int64_t offset = std::clamp<int64_t>(int64_t{pixel} - track.Start, 0, track.Length());
    value = DivRoundEven(offset * range, free) + r.Min;
  }
  // The last position the thumb's leading edge can stand for; without a page
  // that is Max itself, never a position beyond it.
  int64_t last = r.PageSize > 0 ? int64_t{r.Max} - r.PageSize + 1 : r.Max;
  return Clamp32(value, r.Min, last);
}

TRect ScrollThumbRect(const TKivScrollGeometry& g) {
  int32_t lead = ScrollPositionToPixel(g, g.Range.Position);
  return AlongTrack(g, lead, lead + ScrollThumbSize(g));
}

TRect ScrollPageUpRect(const TKivScrollGeometry& g) {
  return AlongTrack(g, TrackSpan(g).Start, ScrollPositionToPixel(g, g.Range.Position));
}

TRect ScrollPageDownRect(const TKivScrollGeometry& g) {
  int32_t trail = ScrollPositionToPixel(g, g.Range.Position) + ScrollThumbSize(g);
  return AlongTrack(g, trail, TrackSpan(g).End);
}

TKivScrollParts ScrollHitTest(const TKivScrollGeometry& g, TPoint p) {
  TKivScrollParts parts;
  parts.Thumb = PointInRect(ScrollThumbRect(g), p);
  parts.FirstButton = g.ShowButtons && PointInRect(ScrollFirstButtonRect(g), p);
  parts.SecondButton = g.ShowButtons && PointInRect(ScrollSecondButtonRect(g), p);
  parts.PageUp = PointInRect(ScrollPageUpRect(g), p);
  parts.PageDown = PointInRect(ScrollPageDownRect(g), p);
  return parts;
}

int32_t ScrollDragOffset(const TKivScrollGeometry& g, TPoint grab) {
  TRect thumb = ScrollThumbRect(g);
  return Vertical(g) ? grab.Y - thumb.Top : grab.X - thumb.Left;
}

int32_t ScrollDragPosition(const TKivScrollGeometry& g, int32_t drag_offset, TPoint p) {
  Span track = TrackSpan(g);
  int64_t lead = int64_t{Vertical(g) ? p.Y : p.X} - drag_offset;
  return ScrollPixelToPosition(g, Clamp32(lead, track.Start, std::max(track.Start, track.End)));
}

std::optional<TKivScrollStep> ScrollKeyStep(const TKivScrollRange& r, int key, int32_t small_change,
                                            int32_t large_change) {
  int64_t page = r.PageSize < 1 ? large_change : r.PageSize;
  int64_t pos = r.Position;
  TKivScrollCode code;
  switch (key) {
    case kKeyPrior:
      pos -= page, code = qscPageUp;
      break;
    case kKeyNext:
      pos += page, code = qscPageDown;
      break;
    case kKeyEnd:
      pos = r.Max, code = qscBottom;
      break;
    case kKeyHome:
      pos = r.Min, code = qscTop;
      break;
    case kKeyLeft:
    case kKeyUp:
      pos -= small_change, code = qscLineUp;
      break;
    case kKeyRight:
    case kKeyDown:
      pos += small_change, code = qscLineDown;
      break;
    default:
      return std::nullopt;
  }
  return TKivScrollStep{Clamp32(pos, r.Min, r.Max), code};
}

std::optional<int> ScrollRepeatKey(const TKivScrollGeometry& g, const TKivScrollParts& pressed,
                                   TKivScrollParts& hot, TPoint last_mouse) {
  if (pressed.FirstButton && hot.FirstButton) return kKeyLeft;
  if (pressed.SecondButton && hot.SecondButton) return kKeyRight;
  TKivScrollParts now = ScrollHitTest(g, last_mouse);
  hot.PageUp = now.PageUp;
  if (pressed.PageUp && hot.PageUp) return kKeyPrior;
  hot.PageDown = now.PageDown;
  if (pressed.PageDown && hot.PageDown) return kKeyNext;
  return std::nullopt;
}

}  // namespace kiv
