#pragma once
// The header panel's arithmetic without a window: its caption bar, caption
// button and child area, the part of the panel a point is over, the heights
// a roll passes through, and how far linked panels below it move.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "framework/types.hpp"

namespace kiv {

// What the caption button does: hide the panel, or roll it up and down.
enum TKivPanelButtonKind { qpbkClose, qpbkRollUp };
inline constexpr std::array<std::string_view, 2> kKivPanelButtonKindNames{"qpbkClose",
                                                                          "qpbkRollUp"};
static_assert(kKivPanelButtonKindNames.size() == qpbkRollUp + 1);

// The panel's size and the settings that place its parts. BorderWidth and
// BevelWidth are the panel's own spacing, not the control base's frame.
struct TKivHeaderFrame {
  int32_t PaintWidth = 100, PaintHeight = 90;
  int32_t CaptionHeight = 20;
  int32_t BorderWidth = 3, BevelWidth = 1;
  bool ShowCaption = true, ShowButton = true, ShowBevel = true;
  bool VisualStyles = false;  // the platform's visual styles draw the panel
};

// Along the top: inside the bevel (in the classic look and through a theme),
// CaptionHeight tall.
TRect HeaderCaptionRect(const TKivHeaderFrame& f);
// A square at the caption's right end, 2 pixels inside it; empty without a
// caption or a button.
TRect HeaderButtonRect(const TKivHeaderFrame& f);
// Where children are laid out: inside the border and bevel, below the caption.
TRect HeaderClientRect(const TKivHeaderFrame& f);
// A rolled panel shows its caption bar and the bevel above and below it.
int32_t HeaderRolledHeight(const TKivHeaderFrame& f);

// What the pointer is over: the caption button, the rest of the caption bar
// (only while the caption is shown), or the body. The panel shows the
// matching cursor there and its own elsewhere.
enum class TKivHeaderArea { Body, Caption, Button };
TKivHeaderArea HeaderAreaAt(const TKivHeaderFrame& f, TPoint p);

// The heights a roll from one height to another sets, in order: with
// animation every multiple of 4 strictly between the two (each followed by
// a pause for painting), then the target; without, the target alone.
std::vector<int32_t> HeaderRollHeights(int32_t from, int32_t to, bool animate);

// A panel's place among its siblings.
struct TKivPanelBox {
  int32_t Left = 0, Top = 0, Width = 0;
};

// How far each sibling moves when a panel's height changes from old_height
// to new_height: a sibling of the same left and width whose top lies within
// 2 pixels of the panel's old bottom moves by the change; the others stay (0).
std::vector<int32_t> HeaderLinkedShifts(const TKivPanelBox& panel, int32_t old_height,
                                        int32_t new_height, std::span<const TKivPanelBox> others);

}  // namespace kiv
