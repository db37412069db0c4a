#include "controls/kiv_status_layout.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace kiv {
namespace {

// A content rectangle of the given width inside a bar's two-pixel border.
TRect Content(int32_t width) {
  return Rect(2, 2, 2 + width, 20);
}

TKivStatusPanelSizing Panel(int32_t width, int view = 100, int stretch = 0, int32_t max = 10000) {
  return TKivStatusPanelSizing{width, max, view, stretch};
}

TEST(StatusLayout, PrioritiesPickAndSizeThePanels) {
  struct Want {
    bool shown;
    int32_t left, right, width;
  };
  struct Case {
    const char* what;
    int32_t content_width;
    std::vector<TKivStatusPanelSizing> panels;
    std::vector<Want> want;
  };
  const Case cases[] = {
      {"the lowest view priority is dropped",
       200,
       {Panel(80, 100), Panel(80, 50), Panel(80, 20)},
       {{true, 2, 82, 80}, {true, 82, 162, 80}, {false, 162, 162, 80}}},
      {"a priority of 100 is never dropped",
       100,
       {Panel(80, 100), Panel(80, 50), Panel(80, 20)},
       {{true, 2, 82, 80}, {false, 82, 82, 80}, {false, 82, 82, 80}}},
      {"spare width by stretch priority, past a maximum",
       300,
       {Panel(80, 100, 0), Panel(80, 100, 30), Panel(80, 100, 60, 120)},
       {{true, 2, 82, 80}, {true, 82, 182, 100}, {true, 182, 302, 120}}},
      {"stretching a panel that is not the last",
       300,
       {Panel(80, 100, 50), Panel(80)},
       {{true, 2, 222, 220}, {true, 222, 302, 80}}},
      {"width every maximum refuses is left over",
       300,
       {Panel(80, 100, 10, 100), Panel(80)},
       {{true, 2, 102, 100}, {true, 102, 182, 80}}},
      {"view priority 0 is never shown and leaves no gap",
       300,
       {Panel(80), Panel(50, 0), Panel(80)},
       {{true, 2, 82, 80}, {false, 82, 82, 0}, {true, 82, 162, 80}}},
      {"a panel dropped in the middle leaves no gap",
       200,
       {Panel(80, 100), Panel(80, 20), Panel(80, 50)},
       {{true, 2, 82, 80}, {false, 82, 82, 80}, {true, 82, 162, 80}}},
      {"panels that cannot be dropped end at the right end",
       200,
       {Panel(150), Panel(150), Panel(50)},
       {{true, 2, 152, 150}, {true, 152, 202, 150}, {false, 202, 202, 50}}},
      {"one candidate always stays", 50, {Panel(80, 10)}, {{true, 2, 52, 80}}},
      {"the last shown panel stretched reaches the right end",
       300,
       {Panel(80, 100, 10, 100), Panel(60, 0, 0)},
       {{true, 2, 302, 100}, {false, 102, 102, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<TKivStatusPanelPlace> got = LayoutStatusPanels(c.panels, Content(c.content_width));
    ASSERT_EQ(got.size(), c.want.size());
    for (size_t i = 0; i < got.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(got[i].Shown, c.want[i].shown);
      EXPECT_EQ(got[i].PanelLeft, c.want[i].left);
      EXPECT_EQ(got[i].PanelRight, c.want[i].right);
      EXPECT_EQ(got[i].EffectiveWidth(), c.want[i].width);
    }
  }
}

// Clicks go by the laid-out extents: never to a hidden panel, and to a
// stretched last panel over its whole extent.
TEST(StatusLayout, HitTestFollowsTheShownExtents) {
  // The middle panel is dropped; the last takes the 20 spare pixels, is cut
  // to 70 by its maximum and still ends at the right end: 122..202.
  const TKivStatusPanelSizing panels[] = {Panel(120), Panel(120, 20), Panel(60, 100, 40, 70)};
  const TRect content = Content(200);
  std::vector<TKivStatusPanelPlace> places = LayoutStatusPanels(panels, content);
  ASSERT_EQ(StatusPanelRect(places[2], content), Rect(122, 2, 202, 20));
  struct Case {
    TPoint p;
    int want;
  };
  const Case cases[] = {
      {{2, 10}, 0},   {{121, 10}, 0},  {{122, 10}, 2},  // where the dropped one would be
      {{195, 10}, 2},                                   // past its maximum, in its stretch
      {{201, 19}, 2}, {{202, 10}, -1}, {{1, 10}, -1},   // right of and left of the content
      {{50, 1}, -1},  {{50, 20}, -1},  {{50, 2}, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StatusPanelAt(places, content, c.p), c.want) << c.p.X << "," << c.p.Y;
  EXPECT_TRUE(StatusPanelRect(places[1], content).IsEmpty());
  EXPECT_EQ(StatusPanelAt({}, content, Point(50, 10)), -1);
}

TEST(StatusLayout, PanelContentAndSizeGrip) {
  EXPECT_EQ(StatusPanelContentRect(Rect(2, 2, 82, 20), true), Rect(3, 3, 79, 19));
  EXPECT_EQ(StatusPanelContentRect(Rect(2, 2, 82, 20), false), Rect(2, 2, 82, 20));
  EXPECT_EQ(StatusSizeGripRect(Content(200)), Rect(184, 2, 202, 20));
}

// A 100 x 18 content box, a 16 x 16 image and a 40 x 13 text.
TEST(StatusLayout, ImageAndTextPlaces) {
  struct Case {
    const char* what;
    TKivStatusGliphLayout layout;
    bool centered, has_image;
    int32_t box_width, text_width;
    TRect image, text;
  };
  const Case cases[] = {
      {"image left", sglGlyphLeft, false, true, 100, 40, Rect(2, 1, 18, 17), Rect(22, 2, 98, 15)},
      {"image left, centred", sglGlyphLeft, true, true, 100, 40, Rect(20, 1, 36, 17),
       Rect(40, 2, 90, 15)},
      {"image right", sglGlyphRight, false, true, 100, 40, Rect(82, 1, 98, 17), Rect(2, 2, 78, 15)},
      {"image right, centred", sglGlyphRight, true, true, 100, 40, Rect(64, 1, 80, 17),
       Rect(20, 2, 60, 15)},
      {"text alone", sglGlyphLeft, false, false, 100, 40, Rect(2, 1, 18, 17), Rect(2, 2, 98, 15)},
      {"text alone, centred", sglGlyphLeft, true, false, 100, 40, Rect(20, 1, 36, 17),
       Rect(30, 2, 80, 15)},
      {"text alone, centred, image right", sglGlyphRight, true, false, 100, 40, Rect(64, 1, 80, 17),
       Rect(30, 2, 70, 15)},
      // -15 div 2 and -35 div 2 truncate toward zero: -7 and -17.
      {"text wider than the box, centred", sglGlyphRight, true, false, 30, 45, Rect(31, 1, 47, 17),
       Rect(-7, 2, 38, 15)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TKivStatusContent content;
    content.Box = TSize{c.box_width, 18};
    content.Image = TSize{16, 16};
    content.HasImage = c.has_image;
    content.Text = TSize{c.text_width, 13};
    content.Centered = c.centered;
    content.Layout = c.layout;
    EXPECT_EQ(StatusImageRect(content), c.image);
    EXPECT_EQ(StatusTextRect(content), c.text);
  }
  TKivStatusContent content;
  content.Image = TSize{16, 16};
  EXPECT_EQ(StatusTextSpace(100, content), 96);
  content.HasImage = true;
  EXPECT_EQ(StatusTextSpace(100, content), 76);
}

}  // namespace
}  // namespace kiv
