#include "controls/kiv_status_layout.hpp"

#include <algorithm>

namespace kiv {

std::vector<TKivStatusPanelPlace> LayoutStatusPanels(std::span<const TKivStatusPanelSizing> panels,
                                                     const TRect& content) {
  const int64_t available = std::max<int32_t>(content.Width(), 0);
  std::vector<TKivStatusPanelPlace> places(panels.size());

  // 1. Candidates at their declared width.
  std::vector<size_t> list;
  int64_t sum = 0;
  for (size_t i = 0; i < panels.size(); ++i) {
    places[i].MaxWidth = std::max(panels[i].MaxWidth, 0);
    if (panels[i].ViewPriority == 0) continue;
    places[i].LayoutWidth = std::max(panels[i].Width, 0);
    places[i].Shown = true;
    list.push_back(i);
    sum += places[i].EffectiveWidth();
  }

  // 2. Drop the least wanted while too wide.
  std::stable_sort(list.begin(), list.end(), [&](size_t a, size_t b) {
    return panels[a].ViewPriority > panels[b].ViewPriority;
  });
  while (sum > available && list.size() >= 2 && panels[list.back()].ViewPriority < 100) {
    places[list.back()].Shown = false;
    sum -= places[list.back()].EffectiveWidth();
    list.pop_back();
  }

  // 3. Hand the spare width down the stretch priorities.
  int64_t spare = available - sum;
  if (spare > 0) {
    std::erase_if(list, [&](size_t i) { return panels[i].StretchPriority == 0; });
    std::sort(list.begin(), list.end());
    std::stable_sort(list.begin(), list.end(), [&](size_t a, size_t b) {
      return panels[a].StretchPriority > panels[b].StretchPriority;
    });
    for (size_t i : list) {
      if (spare <= 0) break;
      TKivStatusPanelPlace& p = places[i];
      int64_t granted = std::min<int64_t>(p.LayoutWidth + spare, INT32_MAX);
      p.LayoutWidth = static_cast<int32_t>(granted);
      spare = granted - p.EffectiveWidth();
    }
  }

  // 4. Side by side, shown panels only.
  int64_t x = 0;
  TKivStatusPanelPlace* last_shown = nullptr;
  size_t last_shown_index = 0;
  for (size_t i = 0; i < places.size(); ++i) {
    TKivStatusPanelPlace& p = places[i];
    if (p.Shown && x >= available) p.Shown = false;
    p.PanelLeft = static_cast<int32_t>(content.Left + std::min(x, available));
    p.PanelRight = p.PanelLeft;
    if (!p.Shown) continue;
    x += p.EffectiveWidth();
    p.PanelRight = static_cast<int32_t>(content.Left + std::min(x, available));
    last_shown = &p;
    last_shown_index = i;
  }
  if (last_shown && panels[last_shown_index].StretchPriority != 0)
    last_shown->PanelRight = content.Right;
  return places;
}

TRect StatusPanelRect(const TKivStatusPanelPlace& place, const TRect& content) {
  if (!place.Shown) return Rect(place.PanelLeft, content.Top, place.PanelLeft, content.Bottom);
  return Rect(place.PanelLeft, content.Top, place.PanelRight, content.Bottom);
}

TRect StatusPanelContentRect(const TRect& panel_rect, bool framed) {
  if (!framed) return panel_rect;
  return Rect(panel_rect.Left + 1, panel_rect.Top + 1, panel_rect.Right - 3, panel_rect.Bottom - 1);
}

int StatusPanelAt(std::span<const TKivStatusPanelPlace> places, const TRect& content, TPoint p) {
  if (p.Y < content.Top || p.Y >= content.Bottom) return -1;
  for (size_t i = 0; i < places.size(); ++i) {
    const TKivStatusPanelPlace& place = places[i];
    if (place.Shown && p.X >= place.PanelLeft && p.X < place.PanelRight) return static_cast<int>(i);
  }
  return -1;
}

TRect StatusSizeGripRect(const TRect& content) {
  return Rect(content.Right - content.Height(), content.Top, content.Right, content.Bottom);
}

TRect StatusImageRect(const TKivStatusContent& c) {
  const int32_t w = c.Box.cx, iw = c.Image.cx;
  // What is left around image, spacing and text, halved (truncating toward
  // zero) for a centred block.
  const int32_t half_free = (w - iw - c.Spacing - c.Text.cx) / 2;
  int32_t x;
  if (c.Layout == sglGlyphLeft) {
    x = c.Centered ? half_free : c.Margin;
  } else {
    x = c.Centered ? w - iw - half_free : w - c.Margin - iw;
  }
  int32_t y = (c.Box.cy - c.Image.cy) / 2;
  return Bounds(x, y, iw, c.Image.cy);
}

TRect StatusTextRect(const TKivStatusContent& c) {
  const int32_t w = c.Box.cx, iw = c.Image.cx, tw = c.Text.cx;
  const int32_t before_text = c.HasImage ? iw + c.Spacing : 0;  // image and spacing
  int32_t left, right;
  if (c.Layout == sglGlyphLeft) {
    if (c.Centered) {
      left = before_text + (w - before_text - tw) / 2;
      right = left + tw + 10;
    } else {
      left = c.Margin + before_text;
      right = w - c.Margin;
    }
  } else {
    if (c.Centered) {
      left = (w - before_text - tw) / 2;
      right = left + tw;
    } else {
      left = c.Margin;
      right = w - c.Margin - before_text;
    }
  }
  int32_t top = (c.Box.cy - c.Text.cy) / 2;
  return Rect(left, top, right, top + c.Text.cy);
}

int32_t StatusTextSpace(int32_t effective_width, const TKivStatusContent& c) {
  int32_t space = effective_width - 2 * c.Margin;
  if (c.HasImage) space -= c.Image.cx + c.Spacing;
  return space;
}

}  // namespace kiv
