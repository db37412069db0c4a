// The check box and radio button's states, codes and placement.
#include "controls/kiv_check_states.hpp"

#include "graphics/kiv_utils.hpp"

namespace kiv {

namespace {

// 0 normal, 1 hot, 2 pressed, 3 disabled.
int Interaction(const TKivCheckLook& look) {
  return !look.Enabled ? 3 : look.Pressed ? 2 : look.Hot ? 1 : 0;
}

// The platform's values: DFCS_BUTTONCHECK 0, DFCS_BUTTONRADIO 4,
// DFCS_BUTTON3STATE 8, DFCS_INACTIVE 0x100, DFCS_CHECKED 0x400.
constexpr uint32_t kDfcsButtonRadio = 0x4, kDfcsButton3State = 0x8, kDfcsInactive = 0x100,
                   kDfcsChecked = 0x400;

}  // namespace

uint8_t CheckThemeState(const TKivCheckLook& look) {
  static constexpr uint8_t kBase[] = {5, 0, 10};  // unchecked, checked, mixed
  return static_cast<uint8_t>(kBase[look.State] + Interaction(look));
}

int CheckVisualStyleState(const TKivCheckLook& look) {
  static constexpr int kRun[] = {1, 5, 9};      // unchecked, checked, mixed
  static constexpr int kStep[] = {0, 1, 2, 3};  // normal, hot, pressed, disabled
  return kRun[look.State] + kStep[Interaction(look)];
}

uint32_t CheckClassicFlags(const TKivCheckLook& look, bool radio) {
  uint32_t flags = radio ? kDfcsButtonRadio : 0;
  if (look.State == qcbsChecked) flags |= kDfcsChecked;
  if (look.State == qcbsMixed && !radio) flags |= kDfcsChecked | kDfcsButton3State;
  if (!look.Enabled) flags |= kDfcsInactive;
  return flags;
}

uint8_t CheckCaptionState(bool enabled, bool pressed, bool hot, bool focused) {
  return !enabled ? 3 : pressed ? 2 : hot ? 1 : focused ? 4 : 0;
}

TKivCheckBoxState NextCheckState(TKivCheckBoxState state, bool allow_grayed) {
  switch (state) {
    case qcbsUnChecked:
      return allow_grayed ? qcbsMixed : qcbsChecked;
    case qcbsChecked:
      return qcbsUnChecked;
    case qcbsMixed:
      return qcbsChecked;
  }
  return qcbsUnChecked;
}

TRect CheckMarkRect(int paint_width, int paint_height, TSize mark, TKivLeftRight alignment) {
  const TRect frame = alignment == qalRightJustify
                          ? TRect{paint_width - mark.cx, 0, paint_width, paint_height}
                          : TRect{0, 0, paint_width, paint_height};
  return CenterRectVertically(TRect{0, 0, mark.cx, mark.cy}, frame);
}

TRect CheckCaptionRect(int paint_width, int paint_height, TSize mark, int spacing,
                       TKivLeftRight alignment, TSize text) {
  const TRect frame = alignment == qalRightJustify
                          ? TRect{2, 0, paint_width - mark.cx - spacing, paint_height}
                          : TRect{mark.cx + spacing, 0, paint_width, paint_height};
  return CenterRectVertically(TRect{0, 0, text.cx, text.cy}, frame);
}

}  // namespace kiv
