// The themed rich edit's frame states, theme-notification reactions and
// frame geometry.
#include <gtest/gtest.h>

#include "controls/kiv_rich_edit_states.hpp"

namespace kiv {
namespace {

TEST(RichEditStates, ThemeAndVisualStyleCodesRankTheirStatesDifferently) {
  struct Case {
    TKivRichEditLook look;
    int theme, styles;
  };
  // The theme ranks hot above focused, the visual styles focused above hot;
  // both put disabled first.
  const Case cases[] = {
      {{true, false, false}, 0, 1}, {{true, true, false}, 1, 2}, {{true, false, true}, 2, 3},
      {{true, true, true}, 1, 3},   {{false, true, true}, 3, 4}, {{false, false, false}, 3, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "enabled " << c.look.Enabled << " hot " << c.look.Hot
                                    << " focused " << c.look.Focused);
    EXPECT_EQ(RichEditThemeState(c.look), c.theme);
    EXPECT_EQ(RichEditVisualStyleState(c.look), c.styles);
  }
}

TEST(RichEditStates, ThemeNotificationsRecolourAndRepaintByCode) {
  using R = TKivRichEditRecolour;
  struct Case {
    uintptr_t code;
    R recolour;
    bool repaint;
  };
  const Case cases[] = {{0, R::ThemeEdit, true},    {3, R::ThemeEdit, true},
                        {4, R::WindowColour, true}, {5, R::None, true},
                        {1, R::None, false},        {2, R::None, false},
                        {6, R::None, false},        {0x1000, R::None, false}};
  for (const Case& c : cases) {
    const TKivRichEditReaction r = RichEditThemeReaction(c.code);
    EXPECT_EQ(r.Recolour, c.recolour) << c.code;
    EXPECT_EQ(r.Repaint, c.repaint) << c.code;
  }
}

TEST(RichEditStates, ABorderlessFrameLiesTwoPixelsOutsideTheWindow) {
  const TKivRichEditFrameRects framed = RichEditFrameRects(120, 50, false, 99, 46);
  EXPECT_EQ(framed.Frame, (TRect{0, 0, 120, 50}));
  EXPECT_EQ(framed.Client, (TRect{2, 2, 101, 48}));
  const TKivRichEditFrameRects bare = RichEditFrameRects(120, 50, true, 120, 50);
  EXPECT_EQ(bare.Frame, (TRect{-2, -2, 122, 52}));
  EXPECT_EQ(bare.Client, (TRect{0, 0, 120, 50}));
  EXPECT_EQ(RichEditCornerSquare(framed.Frame), (TRect{95, 25, 120, 50}));
}

}  // namespace
}  // namespace kiv
