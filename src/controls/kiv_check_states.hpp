#pragma once
// The check box and radio button without a window: their states, the state
// codes the theme, the visual styles and the classic drawing take, the order
// of a check box's states, and where mark and caption go.
#include <array>
#include <cstdint>
#include <string_view>

#include "framework/types.hpp"

namespace kiv {

enum TKivCheckBoxState { qcbsUnChecked, qcbsChecked, qcbsMixed };
inline constexpr std::array<std::string_view, 3> kKivCheckBoxStateNames{"qcbsUnChecked",
                                                                        "qcbsChecked", "qcbsMixed"};
static_assert(kKivCheckBoxStateNames.size() == qcbsMixed + 1);

enum TKivLeftRight { qalLeftJustify, qalRightJustify };
inline constexpr std::array<std::string_view, 2> kKivLeftRightNames{"qalLeftJustify",
                                                                    "qalRightJustify"};
static_assert(kKivLeftRightNames.size() == qalRightJustify + 1);

// What the mark shows: its check state and how the user meets it.
struct TKivCheckLook {
  TKivCheckBoxState State = qcbsUnChecked;  // a radio button: unchecked or checked
  bool Enabled = true;
  bool Pressed = false;
  bool Hot = false;
};

// The theme's code for the mark: 3 disabled, else 2 pressed, else 1 hot,
// else 0; plus 0 when checked, 5 when unchecked, 10 when mixed.
uint8_t CheckThemeState(const TKivCheckLook& look);

// The visual-styles state of class "Button": unchecked 1..4, checked 5..8,
// mixed 9..12, each run normal, hot, pressed, disabled (disabled before
// pressed, pressed before hot).
int CheckVisualStyleState(const TKivCheckLook& look);

// The platform's frame-control flags (DFC_BUTTON) of the classic mark; the
// classic mark ignores hot and pressed.
uint32_t CheckClassicFlags(const TKivCheckLook& look, bool radio);

// The caption's theme state: 3 disabled, 2 pressed, 1 hot, 4 focused, else 0.
uint8_t CheckCaptionState(bool enabled, bool pressed, bool hot, bool focused);

// unchecked -> mixed (with AllowGrayed) or checked; checked -> unchecked;
// mixed -> checked.
TKivCheckBoxState NextCheckState(TKivCheckBoxState state, bool allow_grayed);

// The mark: size mark, at the left of the control (or of its right-hand
// part, right-justified), centred vertically.
TRect CheckMarkRect(int paint_width, int paint_height, TSize mark, TKivLeftRight alignment);
// Where the caption's measured rectangle goes: beside the mark after the
// spacing (left-justified) or from column 2 (right-justified), centred
// vertically.
TRect CheckCaptionRect(int paint_width, int paint_height, TSize mark, int spacing,
                       TKivLeftRight alignment, TSize text);

}  // namespace kiv
