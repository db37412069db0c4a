#include "controls/kiv_header_roll.hpp"

#include <cstdlib>

#include "graphics/kiv_utils.hpp"

namespace kiv {

TRect HeaderCaptionRect(const TKivHeaderFrame& f) {
  TRect r = Rect(0, 0, f.PaintWidth, f.PaintHeight);
  if (f.ShowBevel && !f.VisualStyles) r = InflateRectBy(r, -f.BevelWidth);
  r.Bottom = r.Top + f.CaptionHeight;
  return r;
}

TRect HeaderButtonRect(const TKivHeaderFrame& f) {
  if (!f.ShowCaption || !f.ShowButton) return TRect{};
  TRect r = HeaderCaptionRect(f);
  r.Left = r.Right - r.Height();
  return InflateRectBy(r, -2);
}

TRect HeaderClientRect(const TKivHeaderFrame& f) {
  TRect r = InflateRectBy(Rect(0, 0, f.PaintWidth, f.PaintHeight), -f.BorderWidth);
  if (f.ShowBevel) r = InflateRectBy(r, -f.BevelWidth);
  if (f.ShowCaption) r.Top += HeaderCaptionRect(f).Height();
  return r;
}

int32_t HeaderRolledHeight(const TKivHeaderFrame& f) {
  return HeaderCaptionRect(f).Height() + 2 * f.BevelWidth;
}

TKivHeaderArea HeaderAreaAt(const TKivHeaderFrame& f, TPoint p) {
  if (!f.ShowCaption) return TKivHeaderArea::Body;
  if (PointInRect(HeaderButtonRect(f), p)) return TKivHeaderArea::Button;
  if (PointInRect(HeaderCaptionRect(f), p)) return TKivHeaderArea::Caption;
  return TKivHeaderArea::Body;
}

std::vector<int32_t> HeaderRollHeights(int32_t from, int32_t to, bool animate) {
  std::vector<int32_t> heights;
  if (animate && from != to) {
    int32_t step = from < to ? 1 : -1;
    // The starting height is already on screen and the target comes last.
    for (int64_t h = int64_t{from} + step; h != to; h += step) {
      if (h % 4 == 0) heights.push_back(static_cast<int32_t>(h));
    }
  }
  heights.push_back(to);
  return heights;
}

std::vector<int32_t> HeaderLinkedShifts(const TKivPanelBox& panel, int32_t old_height,
                                        int32_t new_height, std::span<const TKivPanelBox> others) {
  const int64_t old_bottom = int64_t{panel.Top} + old_height;
  std::vector<int32_t> shifts;
  shifts.reserve(others.size());
  for (const TKivPanelBox& o : others) {
    bool linked = o.Left == panel.Left && o.Width == panel.Width &&
                  std::llabs(int64_t{o.Top} - old_bottom) <= 2;
    shifts.push_back(linked ? new_height - old_height : 0);
  }
  return shifts;
}

}  // namespace kiv
