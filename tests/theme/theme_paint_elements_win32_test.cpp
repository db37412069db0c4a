// The built-in theme's plain drawings: fills and outlines in fixed colours,
// the texts through DrawText, the pictures, and the operations that draw
// nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_color.hpp"
#include "paint_support_win32.hpp"
#include "theme/theme_records.hpp"

#ifdef DrawText
#undef DrawText
#endif

namespace kiv {
namespace {

using namespace painttest;

using Paint = std::function<void(TkivTheme&, TCanvas&, const TRect&)>;

constexpr TColor kNoFill = -1;

struct FillCase {
  const char* name;
  Paint paint;
  TColor fill;     // at the centre, or kNoFill: the inside is untouched
  TColor outline;  // at the corners
  int entry = -1;  // fill is the theme's colour entry
};

TEST(ThemeElements, FillAndOutline) {
  const TRect r{0, 0, 20, 14};
  auto state = [](uint8_t s) { return MakeStateInfo(TRect{0, 0, 20, 14}, s); };
  auto part = [](uint8_t p, uint8_t s) { return MakePartInfo(TRect{0, 0, 20, 14}, p, s); };
  const FillCase cases[] = {
      {"Hint", [](auto& t, auto& c, auto& r) { t.PaintHint(0, c, "", r); }, clYellow, clRed},
      {"Splitter", [](auto& t, auto& c, auto& r) { t.PaintSplitter(0, c, "", r); }, clYellow,
       clRed},
      {"ScrollBox", [](auto& t, auto& c, auto& r) { t.PaintScrollBox(0, c, "", r); }, clYellow,
       clRed},
      {"TabScrollButton",
       [&](auto& t, auto& c, auto&) { t.PaintTabScrollButton(0, c, "", part(0, 0)); }, clYellow,
       clRed},
      {"TrackBar", [](auto& t, auto& c, auto& r) { t.PaintTrackBar(0, c, "", r); }, clBlue, clRed},
      {"TrackBarThumb",
       [&](auto& t, auto& c, auto&) { t.PaintTrackBarThumb(0, c, "", part(0, 1)); }, clYellow,
       clBlue},
      {"Header", [](auto& t, auto& c, auto& r) { t.PaintHeader(0, c, "", r); }, clWhite, clBlack},
      {"StatusBar", [](auto& t, auto& c, auto& r) { t.PaintStatusBar(0, c, "", r); }, clSilver,
       clBlack},
      {"StatusPanel", [&](auto& t, auto& c, auto&) { t.PaintStatusPanel(0, c, "", state(0)); },
       clGray, clBlack},
      {"Edit", [&](auto& t, auto& c, auto&) { t.PaintEdit(0, c, "", state(1)); }, clBlue, clRed},
      {"Memo", [&](auto& t, auto& c, auto&) { t.PaintMemo(0, c, "", state(0)); }, clBlue, clRed},
      {"EditButton", [&](auto& t, auto& c, auto&) { t.PaintEditButton(0, c, "", part(0, 0)); },
       clGreen, clYellow},
      {"Menu", [](auto& t, auto& c, auto& r) { t.PaintMenu(0, c, "", r); }, clWhite, clRed},
      {"ToolBar", [](auto& t, auto& c, auto& r) { t.PaintToolBar(0, c, "", r); }, clGreen, clBlue},
      {"PanelCaption", [](auto& t, auto& c, auto& r) { t.PaintPanelCaption(0, c, "", r); }, clGreen,
       clBlack},
      {"PanelButton", [&](auto& t, auto& c, auto&) { t.PaintPanelButton(0, c, "", part(0, 0)); },
       clRed, clBlue},
      {"PanelBorder", [&](auto& t, auto& c, auto&) { t.PaintPanelBorder(0, c, "", part(0, 0)); },
       clGreen, clYellow},
      {"TabsBody", [](auto& t, auto& c, auto& r) { t.PaintTabsBody(0, c, "", r); }, clSilver,
       clYellow},
      {"Tab", [&](auto& t, auto& c, auto&) { t.PaintTab(0, c, "", part(0, 0)); }, kNoFill, clBlue},
      {"Grid", [](auto& t, auto& c, auto& r) { t.PaintGrid(0, c, "", r); }, clWhite, clRed},
      {"ListBox", [](auto& t, auto& c, auto& r) { t.PaintListBox(0, c, "", r); }, 0, clRed, 18},
      {"Tree", [](auto& t, auto& c, auto& r) { t.PaintTree(0, c, "", r); }, 0, clRed, 19},
  };
  for (const FillCase& c : cases) {
    PaintFixture f(20, 14);
    c.paint(f.theme, f.canvas, r);
    const TColor fill = c.entry >= 0 ? f.Color(c.entry) : c.fill;
    EXPECT_EQ(f.At(10, 7), fill == kNoFill ? kUntouched : Px(fill)) << c.name;
    EXPECT_EQ(f.At(1, 1), f.At(10, 7)) << c.name;
    for (auto [x, y] : {std::pair{0, 0}, {19, 13}, {10, 0}, {0, 7}})
      EXPECT_EQ(f.At(x, y), Px(c.outline)) << c.name << " " << x << "," << y;
  }
}

TEST(ThemeElements, FillsByState) {
  struct StateCase {
    const char* name;
    std::function<void(TkivTheme&, TCanvas&, uint8_t)> paint;
    uint8_t state;
    TColor fill, outline;
  };
  const TRect r{0, 0, 20, 14};
  auto header = [&](TkivTheme& t, TCanvas& c, uint8_t s) {
    t.PaintHeaderSection(0, c, "", MakePartInfo(r, 0, s));
  };
  auto menu_item = [&](TkivTheme& t, TCanvas& c, uint8_t s) {
    t.PaintMenuItem(0, c, "", MakePartInfo(r, 0, s));
  };
  auto list_item = [&](TkivTheme& t, TCanvas& c, uint8_t s) {
    t.PaintListItem(0, c, "", MakeStateInfo(r, s));
  };
  auto tree_item = [&](TkivTheme& t, TCanvas& c, uint8_t s) {
    t.PaintTreeItem(0, c, "", MakeStateInfo(r, s));
  };
  // The grid cell reads the part as the look and the state as "selected".
  auto grid_cell = [&](TkivTheme& t, TCanvas& c, uint8_t p) {
    t.PaintGridCell(0, c, "", MakePartInfo(r, p, 0));
  };
  auto grid_cell_state1 = [&](TkivTheme& t, TCanvas& c, uint8_t p) {
    t.PaintGridCell(0, c, "", MakePartInfo(r, p, 1));
  };
  const StateCase cases[] = {
      {"HeaderSection", header, 0, clSilver, clBlack},
      {"HeaderSection", header, 1, clGray, clBlack},
      {"HeaderSection", header, 2, clGreen, clBlack},
      {"HeaderSection", header, 3, clBlue, clBlack},
      {"HeaderSection", header, 4, clYellow, clBlack},
      {"HeaderSection", header, 5, clRed, clBlack},
      {"HeaderSection", header, 6, clGray, clBlack},
      {"HeaderSection", header, 7, kNoFill, clBlack},
      {"MenuItem", menu_item, 0, clSilver, clRed},
      {"MenuItem", menu_item, 1, clYellow, clRed},
      {"MenuItem", menu_item, 2, clGray, clRed},
      {"MenuItem", menu_item, 3, clWhite, clRed},
      {"ListItem", list_item, 0, clWhite, clBlue},
      {"ListItem", list_item, 2, clNavy, clBlue},
      {"ListItem", list_item, 4, clSilver, clBlue},
      {"ListItem", list_item, 5, kNoFill, clBlue},
      {"TreeItem", tree_item, 1, clYellow, clBlue},
      {"TreeItem", tree_item, 3, clBlue, clBlue},
      {"GridCell", grid_cell, 0, clWhite, clBlue},
      {"GridCell", grid_cell, 2, clNavy, clBlue},
      {"GridCell", grid_cell, 9, kNoFill, clBlue},
      {"GridCell", grid_cell_state1, 0, kNoFill, clGray},
  };
  for (const StateCase& c : cases) {
    PaintFixture f(20, 14);
    c.paint(f.theme, f.canvas, c.state);
    EXPECT_EQ(f.At(10, 7), c.fill == kNoFill ? kUntouched : Px(c.fill))
        << c.name << " " << int(c.state);
    EXPECT_EQ(f.At(0, 0), Px(c.outline)) << c.name << " " << int(c.state);
    EXPECT_EQ(f.At(19, 13), Px(c.outline)) << c.name << " " << int(c.state);
  }
}

TEST(ThemeElements, MenuSeparatorGroupBoxAndContainers) {
  {
    PaintFixture f(20, 14);
    f.theme.PaintMenuItem(0, f.canvas, "", MakePartInfo(TRect{0, 0, 20, 14}, 1, 0));
    // Inset (3, 7) of a 14-high rectangle is empty: nothing drawn.
    EXPECT_TRUE(f.Untouched());
    f.theme.PaintMenuItem(0, f.canvas, "", MakePartInfo(TRect{0, 0, 20, 15}, 1, 0));
    EXPECT_EQ(f.Changed(), (TRect{3, 7, 17, 8}));
    EXPECT_EQ(f.At(10, 7), Px(clRed));
    f.Reset();
    f.theme.PaintMenuItem(0, f.canvas, "", MakePartInfo(TRect{0, 0, 20, 14}, 2, 0));
    EXPECT_TRUE(f.Untouched());
  }
  {
    PaintFixture f(30, 30);
    f.theme.PaintGroupBox(0, f.canvas, "", MakeStateInfo(TRect{0, 0, 30, 30}, 0));
    EXPECT_EQ(f.Changed(), (TRect{5, 9, 25, 25}));
    EXPECT_EQ(f.At(5, 9), Px(clBlack));
    EXPECT_EQ(f.At(24, 24), Px(clBlack));
    EXPECT_EQ(f.At(15, 15), kUntouched);
  }
  {
    PaintFixture f(20, 14);
    const TRect r{0, 0, 20, 14};
    const TColor light = static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT));
    const TColor shadow = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
    f.theme.PaintContainer(0, f.canvas, "", r);
    EXPECT_EQ(f.At(0, 5), Px(light));
    EXPECT_EQ(f.At(5, 0), Px(light));
    EXPECT_EQ(f.At(19, 5), Px(shadow));
    EXPECT_EQ(f.At(5, 13), Px(shadow));
    EXPECT_EQ(f.At(10, 7), Px(clSilver));
    f.Reset();
    f.theme.PaintContainer(1, f.canvas, "", r);
    EXPECT_EQ(f.At(0, 0), Px(clBlack));
    EXPECT_EQ(f.At(1, 5), Px(shadow));
    EXPECT_EQ(f.At(18, 5), Px(light));
    EXPECT_EQ(f.At(10, 7), Px(clSilver));
    f.Reset();
    f.theme.PaintContainer(2, f.canvas, "", r);
    EXPECT_TRUE(f.Untouched());
  }
}

TEST(ThemeElements, OperationsThatDrawNothing) {
  const TRect r{0, 0, 20, 14};
  const TkivStateInfo s = MakeStateInfo(r, 0);
  const TkivPartInfo p = MakePartInfo(r, 0, 0);
  const TkivGlyphInfo g = MakeGlyphInfo(r, nullptr, 0, kGlyphCheck);
  const std::pair<const char*, Paint> cases[] = {
      {"ContainerPart", [&](auto& t, auto& c, auto&) { t.PaintContainerPart(0, c, "", p); }},
      {"Check", [&](auto& t, auto& c, auto&) { t.PaintCheck(0, c, "", s); }},
      {"ProgressBar", [&](auto& t, auto& c, auto&) { t.PaintProgressBar(0, c, "", p); }},
      {"TrackBarTrack", [&](auto& t, auto& c, auto&) { t.PaintTrackBarTrack(0, c, "", p); }},
      {"TextArea", [&](auto& t, auto& c, auto&) { t.PaintTextArea(0, c, "", s); }},
      {"ControlBar", [](auto& t, auto& c, auto& r) { t.PaintControlBar(0, c, "", r); }},
      {"ToolButton", [&](auto& t, auto& c, auto&) { t.PaintToolButton(0, c, "", p); }},
      {"Panel", [](auto& t, auto& c, auto& r) { t.PaintPanel(0, c, "", r); }},
      {"ListBoxBorder", [](auto& t, auto& c, auto& r) { t.PaintListBoxBorder(0, c, "", r); }},
      {"TreeItemGlyph", [&](auto& t, auto& c, auto&) { t.PaintTreeItemGlyph(0, c, "", g, s); }},
      {"GridCellGlyph", [&](auto& t, auto& c, auto&) { t.PaintGridCellGlyph(0, c, "", g, p); }},
      {"ButtonGlyph", [&](auto& t, auto& c, auto&) { t.PaintButtonGlyph(0, c, "", g, s); }},
      {"HeaderGlyph", [&](auto& t, auto& c, auto&) { t.PaintHeaderGlyph(0, c, "", g, p); }},
      {"StatusGlyph", [&](auto& t, auto& c, auto&) { t.PaintStatusGlyph(0, c, "", g, s); }},
      {"TabGlyph", [&](auto& t, auto& c, auto&) { t.PaintTabGlyph(0, c, "", g, p); }},
  };
  for (const auto& [name, paint] : cases) {
    PaintFixture f(20, 14);
    paint(f.theme, f.canvas, r);
    EXPECT_TRUE(f.Untouched()) << name;
  }
}

TEST(ThemeElements, PicturesAtTheCornerOrStretched) {
  TkivBitmap picture;
  picture.SetSize(3, 2);
  picture.Fill(ColorToPixel(clGreen, 255));
  const TRect r{4, 5, 16, 13};
  const TkivGlyphInfo g = MakeGlyphInfo(r, &picture, 0, kGlyphPicture);
  {
    PaintFixture f(20, 14);
    f.theme.PaintButtonGlyph(0, f.canvas, "", g, MakeStateInfo(r, 0));
    EXPECT_EQ(f.Changed(), (TRect{4, 5, 7, 7}));
    f.Reset();
    f.theme.PaintTabGlyph(0, f.canvas, "", g, MakePartInfo(r, 0, 0));
    EXPECT_EQ(f.Changed(), (TRect{4, 5, 7, 7}));
    EXPECT_EQ(f.At(6, 6), Px(clGreen));
  }
  {
    PaintFixture f(20, 14);
    f.theme.PaintHeaderGlyph(0, f.canvas, "", g, MakePartInfo(r, 0, 0));
    EXPECT_EQ(f.Changed(), r);
    EXPECT_EQ(f.Count(Px(clGreen), r), r.Width() * r.Height());
    f.Reset();
    f.theme.PaintStatusGlyph(0, f.canvas, "", g, MakeStateInfo(r, 0));
    EXPECT_EQ(f.Changed(), r);
  }
}

TEST(ThemeElements, TextOperationsAreDrawText) {
  TkivTextInfo text;
  text.Rect = TRect{0, 0, 80, 30};
  text.Text = u"Ab";
  text.Placement = kPlaceMiddleCenter;
  PaintFixture reference(80, 30);
  reference.theme.DrawText(reference.canvas, text);
  const TRect ink = reference.Changed();
  ASSERT_LT(ink.Left, ink.Right);
  // The element records carry a rectangle elsewhere: they play no part.
  const TRect other{50, 20, 60, 25};
  const TkivStateInfo s = MakeStateInfo(other, 2);
  const TkivPartInfo p = MakePartInfo(other, 1, 1);
  using Text = std::function<void(TkivTheme&, TCanvas&)>;
  const std::pair<const char*, Text> cases[] = {
      {"StaticText", [&](auto& t, auto& c) { t.PaintStaticText(0, c, "", text, s); }},
      {"ContainerText", [&](auto& t, auto& c) { t.PaintContainerText(0, c, "", text, other); }},
      {"ButtonText", [&](auto& t, auto& c) { t.PaintButtonText(0, c, "", text, s); }},
      {"CheckText", [&](auto& t, auto& c) { t.PaintCheckText(0, c, "", text, s); }},
      {"HeaderText", [&](auto& t, auto& c) { t.PaintHeaderText(0, c, "", text, p); }},
      {"StatusText", [&](auto& t, auto& c) { t.PaintStatusText(0, c, "", text, s); }},
      {"GroupBoxText", [&](auto& t, auto& c) { t.PaintGroupBoxText(0, c, "", text, s); }},
      {"MenuItemText", [&](auto& t, auto& c) { t.PaintMenuItemText(0, c, "", text, p); }},
      {"ToolButtonText", [&](auto& t, auto& c) { t.PaintToolButtonText(0, c, "", text, p); }},
      {"PanelText", [&](auto& t, auto& c) { t.PaintPanelText(0, c, "", text, other); }},
      {"TabText", [&](auto& t, auto& c) { t.PaintTabText(0, c, "", text, p); }},
      {"ListItemText", [&](auto& t, auto& c) { t.PaintListItemText(0, c, "", text, s); }},
      {"TreeItemText", [&](auto& t, auto& c) { t.PaintTreeItemText(0, c, "", text, s); }},
      {"GridCellText", [&](auto& t, auto& c) { t.PaintGridCellText(0, c, "", text, p); }},
  };
  for (const auto& [name, paint] : cases) {
    PaintFixture f(80, 30);
    paint(f.theme, f.canvas);
    EXPECT_EQ(f.Changed(), ink) << name;
    EXPECT_EQ(f.Count(reference.At(ink.Left, ink.Top), ink),
              reference.Count(reference.At(ink.Left, ink.Top), ink))
        << name;
  }
}

}  // namespace
}  // namespace kiv
