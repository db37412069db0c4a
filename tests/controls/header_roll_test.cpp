#include "controls/kiv_header_roll.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace kiv {
namespace {

TKivHeaderFrame Frame(int32_t width, int32_t height) {
  TKivHeaderFrame f;
  f.PaintWidth = width;
  f.PaintHeight = height;
  return f;
}

TEST(HeaderRoll, CaptionButtonAndChildArea) {
  struct Case {
    const char* what;
    TKivHeaderFrame frame;
    TRect caption, button, client;
    int32_t rolled;
  };
  TKivHeaderFrame strip = Frame(277, 39);  // the viewer's bottom strip
  strip.ShowCaption = strip.ShowButton = false;
  TKivHeaderFrame styled = Frame(100, 90);
  styled.VisualStyles = true;
  TKivHeaderFrame flat = Frame(100, 90);
  flat.ShowBevel = false;
  TKivHeaderFrame no_button = Frame(100, 90);
  no_button.ShowButton = false;
  TKivHeaderFrame wide = Frame(200, 100);
  wide.BorderWidth = 5;
  wide.BevelWidth = 3;
  wide.CaptionHeight = 16;
  const Case cases[] = {
      {"strip without caption", strip, Rect(1, 1, 276, 21), TRect{}, Rect(4, 4, 273, 35), 22},
      {"classic caption", Frame(100, 90), Rect(1, 1, 99, 21), Rect(81, 3, 97, 19),
       Rect(4, 24, 96, 86), 22},
      {"visual styles: no bevel inset", styled, Rect(0, 0, 100, 20), Rect(82, 2, 98, 18),
       Rect(4, 24, 96, 86), 22},
      {"no bevel", flat, Rect(0, 0, 100, 20), Rect(82, 2, 98, 18), Rect(3, 23, 97, 87), 22},
      {"no button", no_button, Rect(1, 1, 99, 21), TRect{}, Rect(4, 24, 96, 86), 22},
      {"wide border and bevel", wide, Rect(3, 3, 197, 19), Rect(183, 5, 195, 17),
       Rect(8, 24, 192, 92), 22},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(HeaderCaptionRect(c.frame), c.caption);
    EXPECT_EQ(HeaderButtonRect(c.frame), c.button);
    EXPECT_EQ(HeaderClientRect(c.frame), c.client);
    EXPECT_EQ(HeaderRolledHeight(c.frame), c.rolled);
  }
}

TEST(HeaderRoll, AreaUnderThePointer) {
  TKivHeaderFrame f = Frame(100, 90);
  TKivHeaderFrame hidden = f;
  hidden.ShowCaption = false;
  struct Case {
    const TKivHeaderFrame* frame;
    TPoint p;
    TKivHeaderArea want;
  };
  const Case cases[] = {
      {&f, {90, 10}, TKivHeaderArea::Button},
      {&f, {81, 3}, TKivHeaderArea::Button},
      {&f, {80, 3}, TKivHeaderArea::Caption},
      {&f, {50, 10}, TKivHeaderArea::Caption},
      {&f, {98, 20}, TKivHeaderArea::Caption},
      {&f, {50, 21}, TKivHeaderArea::Body},
      {&f, {0, 0}, TKivHeaderArea::Body},
      {&f, {50, 50}, TKivHeaderArea::Body},
      // A panel without a caption has no caption area to show a cursor over.
      {&hidden, {50, 10}, TKivHeaderArea::Body},
      {&hidden, {90, 10}, TKivHeaderArea::Body},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HeaderAreaAt(*c.frame, c.p), c.want) << c.p.X << "," << c.p.Y;
}

TEST(HeaderRoll, HeightSequences) {
  struct Case {
    int32_t from, to;
    bool animate;
    std::vector<int32_t> want;
  };
  const Case cases[] = {
      {90, 22, true, {88, 84, 80, 76, 72, 68, 64, 60, 56, 52, 48, 44, 40, 36, 32, 28, 24, 22}},
      {22, 90, true, {24, 28, 32, 36, 40, 44, 48, 52, 56, 60, 64, 68, 72, 76, 80, 84, 88, 90}},
      {88, 24, true, {84, 80, 76, 72, 68, 64, 60, 56, 52, 48, 44, 40, 36, 32, 28, 24}},
      {25, 22, true, {24, 22}},
      {22, 22, true, {22}},
      {90, 22, false, {22}},
      {22, 90, false, {90}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HeaderRollHeights(c.from, c.to, c.animate), c.want) << c.from << " -> " << c.to;
}

TEST(HeaderRoll, LinkedPanelsBelowMove) {
  // A 100-pixel-wide panel at the top rolls from 90 to 22 and back.
  const TKivPanelBox panel{0, 0, 100};
  const TKivPanelBox others[] = {
      {0, 91, 100},  // one pixel below its bottom
      {0, 93, 100},  // three pixels below
      {0, 89, 100},  // overlapping by one
      {0, 90, 100},  // flush
      {5, 91, 100},  // another left
      {0, 91, 90},   // another width
  };
  EXPECT_EQ(HeaderLinkedShifts(panel, 90, 22, others),
            (std::vector<int32_t>{-68, 0, -68, -68, 0, 0}));
  const TKivPanelBox rolled_others[] = {{0, 23, 100}, {0, 25, 100}};
  EXPECT_EQ(HeaderLinkedShifts(panel, 22, 90, rolled_others), (std::vector<int32_t>{68, 0}));
}

}  // namespace
}  // namespace kiv
