#pragma once
// The status bar's arithmetic without a window: which panels a content
// rectangle of a given width shows, how wide each is and where it lies, the
// panel under a point, the size grip's square, and where a panel's image and
// text go inside it.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "framework/types.hpp"

namespace kiv {

// What a panel asks of the layout.
struct TKivStatusPanelSizing {
  int32_t Width = 50;        // declared width, 0 .. MaxWidth
  int32_t MaxWidth = 10000;  // the most the layout gives it
  int ViewPriority = 100;    // 0: never shown; 100: never dropped; lower drops first
  int StretchPriority = 0;   // 0: never stretched; higher takes spare width first
};

// What the layout gives a panel.
struct TKivStatusPanelPlace {
  bool Shown = false;
  int32_t LayoutWidth = 0;  // granted width, before MaxWidth
  int32_t MaxWidth = 10000;
  int32_t PanelLeft = 0, PanelRight = 0;  // horizontal extent in the bar
  int32_t EffectiveWidth() const { return LayoutWidth < MaxWidth ? LayoutWidth : MaxWidth; }
  friend constexpr bool operator==(const TKivStatusPanelPlace&,
                                   const TKivStatusPanelPlace&) = default;
};

// Lays the panels out in the content rectangle:
//  1. panels with view priority 0 are hidden; the others are candidates at
//     their declared width;
//  2. while the candidates are wider than the content, the one with the
//     lowest view priority below 100 is dropped, as long as two remain;
//  3. spare width goes to the candidate with the highest stretch priority,
//     up to its MaxWidth, and what that refuses to the next, and so on;
//  4. the shown panels are placed side by side from the content's left in
//     collection order; one that would start at or past the right end is
//     hidden too, none reaches past it, and the last shown panel, when it
//     stretches, ends at the content's right end.
// Hidden panels take no room, so a dropped panel leaves no gap. Among equal
// priorities the later panel is dropped first and the earlier one stretched
// first.
std::vector<TKivStatusPanelPlace> LayoutStatusPanels(std::span<const TKivStatusPanelSizing> panels,
                                                     const TRect& content);

// (PanelLeft, content top, PanelRight, content bottom); empty for a hidden panel.
TRect StatusPanelRect(const TKivStatusPanelPlace& place, const TRect& content);

// Where a panel's content goes: its rectangle, inside its frame when framed
// (1 on every side and 2 more on the right).
TRect StatusPanelContentRect(const TRect& panel_rect, bool framed);

// The index of the shown panel whose rectangle holds the point, or -1. Hidden
// panels are never hit; a stretched panel is hit over its whole extent.
int StatusPanelAt(std::span<const TKivStatusPanelPlace> places, const TRect& content, TPoint p);

// The size grip's square at the content's right end.
TRect StatusSizeGripRect(const TRect& content);

// Whether a panel's image comes before or after its text.
enum TKivStatusGliphLayout { sglGlyphLeft, sglGlyphRight };
inline constexpr std::array<std::string_view, 2> kKivStatusGliphLayoutNames{"sglGlyphLeft",
                                                                            "sglGlyphRight"};
static_assert(kKivStatusGliphLayoutNames.size() == sglGlyphRight + 1);

// A panel's content: the size of its content rectangle, its image (the
// list's image size when its index lies in the list, else 0 x 0; HasImage
// when the image is also shown) and its measured text. Left and right
// alignment place the same rectangles (the text is aligned inside its
// rectangle when drawn); centred alignment centres image and text together.
struct TKivStatusContent {
  TSize Box;
  TSize Image;
  bool HasImage = false;
  TSize Text;
  int32_t Margin = 2, Spacing = 4;
  bool Centered = false;
  TKivStatusGliphLayout Layout = sglGlyphLeft;
};
// Both relative to the content rectangle's top-left, centred vertically.
TRect StatusImageRect(const TKivStatusContent& c);
TRect StatusTextRect(const TKivStatusContent& c);

// The most width a panel's text is measured at: its effective width less
// both margins, and less the image and the spacing when it has one.
int32_t StatusTextSpace(int32_t effective_width, const TKivStatusContent& c);

}  // namespace kiv
