#pragma once
// The themed rich edit without a window: the state codes its frame asks the
// theme and the visual styles for, what each theme notification does to it,
// and where its frame and client area lie in its window.
#include <cstdint>

#include "framework/types.hpp"

namespace kiv {

// How the user meets the edit.
struct TKivRichEditLook {
  bool Enabled = true;
  bool Hot = false;
  bool Focused = false;
};

// The theme's memo state: 3 disabled, else 1 hot, else 2 focused, else 0.
uint8_t RichEditThemeState(const TKivRichEditLook& look);

// The visual-styles state of class "Edit", part 1 (edit text): 4 disabled,
// else 3 focused, else 2 hot, else 1 (normal).
int RichEditVisualStyleState(const TKivRichEditLook& look);

// What a theme notification (the word parameter of the theme message) does.
enum class TKivRichEditRecolour : uint8_t {
  None,         // the colour stays
  ThemeEdit,    // the current theme's "EditNormal" colour, when a theme is current
  WindowColour  // clWindow
};
struct TKivRichEditReaction {
  TKivRichEditRecolour Recolour = TKivRichEditRecolour::None;
  bool Repaint = false;  // frame repainted, client area invalidated
};
TKivRichEditReaction RichEditThemeReaction(uintptr_t code);

// Where the frame is drawn in the window's own coordinates, and the client
// area that the frame leaves alone.
struct TKivRichEditFrameRects {
  TRect Frame;
  TRect Client;
};
// The window's rectangle moved to the origin; a borderless edit's frame grows
// by 2 pixels on every side, so that it falls outside the window. The client
// area starts 2 pixels inside the frame's top-left corner and has the
// client's size.
TKivRichEditFrameRects RichEditFrameRects(int window_width, int window_height, bool borderless,
                                          int client_width, int client_height);

// The classic look's corner square, where the two native scroll bars meet:
// 25 x 25 in the bottom-right corner of the frame.
TRect RichEditCornerSquare(const TRect& frame);

}  // namespace kiv
