// The check box and radio button's state codes, state order and placement.
#include <gtest/gtest.h>

#include "controls/kiv_check_states.hpp"

namespace kiv {
namespace {

TEST(CheckStates, CodesForThemeVisualStylesAndClassicLook) {
  struct Case {
    TKivCheckLook look;
    bool radio;
    int theme, styles;
    uint32_t classic;
  };
  const Case cases[] = {
      {{qcbsUnChecked, true, false, false}, false, 5, 1, 0x000},
      {{qcbsChecked, true, false, true}, false, 1, 6, 0x400},   // hot checked
      {{qcbsUnChecked, true, true, true}, false, 7, 3, 0x000},  // pressed beats hot
      {{qcbsMixed, false, true, true}, false, 13, 12, 0x508},   // disabled beats pressed
      {{qcbsMixed, true, false, false}, false, 10, 9, 0x408},
      {{qcbsChecked, false, false, false}, false, 3, 8, 0x500},
      {{qcbsChecked, true, true, false}, true, 2, 7, 0x404},
      {{qcbsUnChecked, false, false, false}, true, 8, 4, 0x104},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckThemeState(c.look), c.theme) << c.look.State;
    EXPECT_EQ(CheckVisualStyleState(c.look), c.styles) << c.look.State;
    EXPECT_EQ(CheckClassicFlags(c.look, c.radio), c.classic) << c.look.State;
  }
  EXPECT_EQ(CheckCaptionState(false, true, true, true), 3);
  EXPECT_EQ(CheckCaptionState(true, false, true, true), 1);
  EXPECT_EQ(CheckCaptionState(true, false, false, true), 4);
}

TEST(CheckStates, ClicksCycleThroughMixedOnlyWhenAllowed) {
  EXPECT_EQ(NextCheckState(qcbsUnChecked, false), qcbsChecked);
  EXPECT_EQ(NextCheckState(qcbsUnChecked, true), qcbsMixed);
  EXPECT_EQ(NextCheckState(qcbsMixed, true), qcbsChecked);
  EXPECT_EQ(NextCheckState(qcbsChecked, true), qcbsUnChecked);
}

TEST(CheckStates, MarkAndCaptionPlaces) {
  // Right-justified, 98 wide: the mark takes columns 85 to 97, the caption
  // starts at column 2.
  EXPECT_EQ(CheckMarkRect(98, 20, {13, 13}, qalRightJustify), (TRect{85, 3, 98, 16}));
  EXPECT_EQ(CheckCaptionRect(98, 20, {13, 13}, 5, qalRightJustify, {40, 13}).Left, 2);
  EXPECT_EQ(CheckMarkRect(98, 20, {13, 13}, qalLeftJustify), (TRect{0, 3, 13, 16}));
  EXPECT_EQ(CheckCaptionRect(98, 21, {13, 13}, 5, qalLeftJustify, {40, 14}),
            (TRect{18, 3, 58, 17}));
}

}  // namespace
}  // namespace kiv
