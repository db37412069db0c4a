// The themed rich edit's state codes, notification reactions and frame geometry.
#include "controls/kiv_rich_edit_states.hpp"

namespace kiv {

uint8_t RichEditThemeState(const TKivRichEditLook& look) {
  if (!look.Enabled) return 3;
  if (look.Hot) return 1;
  if (look.Focused) return 2;
  return 0;
}

int RichEditVisualStyleState(const TKivRichEditLook& look) {
  if (!look.Enabled) return 4;
  if (look.Focused) return 3;
  if (look.Hot) return 2;
  return 1;
}

TKivRichEditReaction RichEditThemeReaction(uintptr_t code) {
  switch (code) {
    case 0:  // apply the current theme again
    case 3:  // a theme now applies
      return {TKivRichEditRecolour::ThemeEdit, true};
    case 4:  // the theme no longer applies
      return {TKivRichEditRecolour::WindowColour, true};
    case 5:  // the platform's appearance changed
      return {TKivRichEditRecolour::None, true};
    default:
      return {};
  }
}

TKivRichEditFrameRects RichEditFrameRects(int window_width, int window_height, bool borderless,
                                          int client_width, int client_height) {
  TRect frame{0, 0, window_width, window_height};
  if (borderless) frame = TRect{-2, -2, window_width + 2, window_height + 2};
  const TRect client{frame.Left + 2, frame.Top + 2, frame.Left + 2 + client_width,
                     frame.Top + 2 + client_height};
  return {frame, client};
}

TRect RichEditCornerSquare(const TRect& frame) {
  return TRect{frame.Right - 25, frame.Bottom - 25, frame.Right, frame.Bottom};
}

}  // namespace kiv
