// The window, track bar, tab, tool bar, menu and list drawings of
// TKivThemeMsStyles: the frames the states pick over Wine's light.msstyles,
// the window geometry from the style's metrics, what a style without those
// sections answers, and the theme manager reading a style library.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "framework/streams.hpp"
#include "msstyles_support.hpp"
#include "pe_module_builder.hpp"
#include "theme/theme_manager.hpp"
#include "themefiles/msstyles_theme.hpp"
#include "themefiles/theme_file.hpp"

namespace {

using kiv::TkivBitmap;
using kiv::TKivThemeMsStyles;
using kiv::TRect;

constexpr uint32_t kBlank = 0xFF00FF00;

std::vector<uint32_t> Pixels(const TkivBitmap& b) {
  return std::vector<uint32_t>(b.Bits(), b.Bits() + size_t(b.Width()) * b.Height());
}

using Draw = std::function<bool(const TKivThemeMsStyles&, kiv::TkivDC, const TRect&)>;

// What draw leaves on a w x h surface filled with kBlank; answered says
// whether it drew.
std::vector<uint32_t> Drawn(const TKivThemeMsStyles& theme, const Draw& draw, int w, int h,
                            bool* answered = nullptr) {
  TkivBitmap b;
  b.SetSize(w, h);
  b.Fill(kBlank);
  const bool drew = draw(theme, b.DC(), b.BoundsRect());
  if (answered != nullptr) *answered = drew;
  return Pixels(b);
}

std::vector<uint8_t> SmallStyle(std::u16string_view ini) {
  return kivtest::SmallStyleModule(ini);
}

class LightElements : public ::testing::Test {
 protected:
  void SetUp() override {
    KIV_REQUIRE_LIGHT_MSSTYLES(path);
    path_ = path;
    ASSERT_TRUE(theme_.LoadFromFile(path));
  }
  std::string path_;
  TKivThemeMsStyles theme_;
};

// Each operation in a state draws the frame of the section that the state
// picks: the same pixels as that section's frame drawn directly.
TEST_F(LightElements, StatesPickTheSectionsFrames) {
  using kiv::MakePartInfo;
  auto window_button = [](uint8_t kind, uint8_t button, uint8_t state) -> Draw {
    return [=](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
      return t.DrawWindowButton(dc, kind, kiv::MakeWindowButtonInfo(r, button, state, nullptr));
    };
  };
  auto part = [](auto method, uint8_t p, uint8_t state) -> Draw {
    return [=](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
      return (t.*method)(dc, MakePartInfo(r, p, state));
    };
  };
  struct Case {
    const char* name;
    Draw draw;
    const char* section;
    int32_t image;
    int w, h;
  };
  const Case cases[] = {
      {"close normal", window_button(0, 1, 0), "Window.CloseButton", 1, 22, 20},
      {"close hot", window_button(0, 1, 1), "Window.CloseButton", 2, 22, 20},
      {"close pressed", window_button(0, 1, 2), "Window.CloseButton", 3, 22, 20},
      {"close disabled", window_button(0, 1, 3), "Window.CloseButton", 4, 22, 20},
      {"tool window close", window_button(6, 1, 1), "Window.SmallCloseButton", 2, 15, 13},
      {"restore from maximized", window_button(0, 6, 0), "Window.RestoreButton", 1, 22, 20},
      {"minimize", window_button(0, 3, 2), "Window.MinButton", 3, 22, 20},
      {"vertical track", part(&TKivThemeMsStyles::DrawTrackBarTrack, 1, 0), "TrackBar.TrackVert", 1,
       4, 60},
      {"thumb up, disabled", part(&TKivThemeMsStyles::DrawTrackBarThumb, 1, 3), "TrackBar.ThumbTop",
       5, 11, 19},
      {"vertical thumb, focused", part(&TKivThemeMsStyles::DrawTrackBarThumb, 3, 4),
       "TrackBar.ThumbVert", 4, 21, 11},
      {"left-edge tab, selected", part(&TKivThemeMsStyles::DrawTab, 1, 2), "tab.toptabitemleftedge",
       3, 44, 20},
      {"tab, focused", part(&TKivThemeMsStyles::DrawTab, 0, 4), "tab.toptabitem", 5, 44, 20},
      {"tab scroll right, hot", part(&TKivThemeMsStyles::DrawTabScrollButton, 1, 2),
       "ScrollBar.ArrowBtn", 14, 17, 17},
      {"tool button, checked", part(&TKivThemeMsStyles::DrawToolButton, 0, 5), "toolbar.button", 5,
       24, 22},
      {"split button, hot", part(&TKivThemeMsStyles::DrawToolButton, 3, 1), "toolbar.splitbutton",
       2, 24, 22},
      {"MDI restore, pressed",
       [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
         return t.DrawMenuItem(dc, 0, MakePartInfo(r, 3, 2));
       },
       "Window.MDIRestoreButton", 3, 18, 16},
      {"list frame",
       [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
         return t.DrawListFrame(dc, r);
       },
       "listview", 1, 60, 40},
      {"list check, greyed",
       [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
         return t.DrawListItemCheck(dc, kiv::MakeListCheckInfo(r, nullptr, 2));
       },
       "button.checkbox", 9, 16, 16},
  };
  for (const Case& c : cases) {
    bool drew = false;
    const std::vector<uint32_t> ours = Drawn(theme_, c.draw, c.w, c.h, &drew);
    EXPECT_TRUE(drew) << c.name;
    const std::vector<uint32_t> want = Drawn(
        theme_,
        [&](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
          return t.DrawSection(dc, c.section, r, c.image);
        },
        c.w, c.h);
    EXPECT_EQ(ours, want) << c.name;
    EXPECT_NE(ours, std::vector<uint32_t>(ours.size(), kBlank)) << c.name << " drew nothing";
  }
}

TEST_F(LightElements, WindowFrameAroundTheContent) {
  // light.msstyles states no metrics: borders of 4, a caption bar of 25.
  const TRect window{0, 0, 300, 200};
  const uint16_t buttons = 1 << kiv::kWindowButtonSysMenu | 1 << kiv::kWindowButtonClose |
                           1 << kiv::kWindowButtonMinimize | 1 << kiv::kWindowButtonMaximize;
  const kiv::TkivWindowInfo active = kiv::MakeWindowInfo(window, true, buttons, {}, u"Title");
  EXPECT_EQ(theme_.WindowContentRect(0, window, "default"), (TRect{4, 29, 296, 196}));
  EXPECT_EQ(theme_.WindowContentRect(6, window, "default"), (TRect{3, 20, 297, 197}));
  // Between the system menu (4..26) and the minimize button (229..), less
  // the caption margins 4, 3, 0, 0 (left, right, top, bottom).
  EXPECT_EQ(theme_.WindowCaptionRect(0, active, "default"), (TRect{30, 4, 226, 29}));

  TkivBitmap on, off;
  for (TkivBitmap* b : {&on, &off}) {
    b->SetSize(300, 200);
    b->Fill(kBlank);
  }
  ASSERT_TRUE(theme_.DrawWindowFrame(on.DC(), 0, active));
  kiv::TkivWindowInfo inactive = active;
  inactive.Active = false;
  ASSERT_TRUE(theme_.DrawWindowFrame(off.DC(), 0, inactive));
  EXPECT_EQ(on.GetPixel(150, 100), kBlank);  // the client is left alone
  EXPECT_NE(on.GetPixel(150, 10), kBlank);
  // The caption's frame 1 when active, 2 when not.
  const std::vector<uint32_t> on_pixels = Pixels(on), off_pixels = Pixels(off);
  EXPECT_FALSE(std::equal(on_pixels.begin(), on_pixels.begin() + 300 * 29, off_pixels.begin()));
  TkivBitmap left;
  left.SetSize(300, 200);
  left.Fill(kBlank);
  theme_.DrawSection(left.DC(), "Window.FrameLeft", TRect{0, 29, 4, 196}, 1);
  for (int y : {29, 100, 195})
    for (int x : {0, 3}) EXPECT_EQ(on.GetPixel(x, y), left.GetPixel(x, y)) << x << "," << y;
}

TEST_F(LightElements, TheManagerReadsTheLibraryFromItsFile) {
  kiv::RegisterMsStylesTheme();
  const std::unique_ptr<kiv::TkivTheme> theme = kiv::LoadThemeFile(path_);
  auto* styles = dynamic_cast<TKivThemeMsStyles*>(theme.get());
  ASSERT_NE(styles, nullptr);
  EXPECT_TRUE(styles->Loaded());
  EXPECT_EQ(styles->Name(), "light");
  EXPECT_EQ(styles->FileName(), path_);
  EXPECT_EQ(styles->Bitmaps().Count(), theme_.Bitmaps().Count());
}

TEST(MsStylesElements, ModulesInStreams) {
  kiv::RegisterMsStylesTheme();
  const std::vector<uint8_t> bytes = SmallStyle(
      u"[SysMetrics]\r\nCaptionBarHeight=30\r\nBorderWidth=2\r\n"
      u"[Window.Caption]\r\nBgType=BorderFill\r\nFillColor=0 0 255\r\n");
  kiv::TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
  stream.SetPosition(0);
  const std::unique_ptr<kiv::TkivTheme> theme = kiv::LoadThemeFromStream(stream);
  ASSERT_NE(dynamic_cast<TKivThemeMsStyles*>(theme.get()), nullptr);
  EXPECT_TRUE(theme->SupportsWindow(0, "default"));
  EXPECT_FALSE(theme->SupportsWindow(6, "default"));  // no small caption
  EXPECT_EQ(theme->WindowContentRect(0, TRect{0, 0, 100, 80}, "default"), (TRect{2, 32, 98, 78}));

  // "MZ" without a module header, or pointing past the end: nobody claims it.
  for (std::string head : {std::string("MZ but nothing else"), std::string(64, 'M')}) {
    head[0] = 'M', head[1] = 'Z';
    if (head.size() == 64) head[0x3C] = char(0xF0);
    kiv::TMemoryStream other;
    other.WriteBuffer("xx", 2);
    other.WriteBuffer(head.data(), int64_t(head.size()));
    other.SetPosition(2);
    EXPECT_EQ(kiv::LoadThemeFromStream(other), nullptr) << head;
    EXPECT_EQ(other.Position(), 2);
  }
}

// A style with none of these sections: every drawing answers false and
// leaves the surface alone, so the canvas operations draw the built-in look.
TEST(MsStylesElements, WhatTheStyleLacksFallsThrough) {
  TKivThemeMsStyles theme;
  ASSERT_TRUE(theme.LoadFromLibrary(
      SmallStyle(u"[Button.Pushbutton]\r\nBgType=BorderFill\r\nFillColor=0 0 255\r\n"), "x"));
  using kiv::MakePartInfo;
  const Draw draws[] = {
      [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
        return t.DrawWindowFrame(dc, 0, kiv::MakeWindowInfo(r, true, 0xFFFF, {}, u"x"));
      },
      [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
        return t.DrawWindowButton(dc, 0, kiv::MakeWindowButtonInfo(r, 1, 0, nullptr));
      },
      [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
        return t.DrawTrackBar(dc, r) || t.DrawTrackBarTrack(dc, MakePartInfo(r, 0, 0)) ||
               t.DrawTrackBarThumb(dc, MakePartInfo(r, 0, 0));
      },
      [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
        return t.DrawTabsBody(dc, r) || t.DrawTab(dc, MakePartInfo(r, 1, 0)) ||
               t.DrawTabScrollButton(dc, MakePartInfo(r, 0, 0));
      },
      [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
        return t.DrawToolBar(dc, r) || t.DrawControlBar(dc, r) ||
               t.DrawToolButton(dc, MakePartInfo(r, 0, 0));
      },
      [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
        // No images: the menu colours are not the style's.
        return t.DrawMenu(dc, 1, r) || t.DrawMenuItem(dc, 1, MakePartInfo(r, 0, 1)) ||
               t.DrawMenuItem(dc, 0, MakePartInfo(r, 4, 0));
      },
      [](const TKivThemeMsStyles& t, kiv::TkivDC dc, const TRect& r) {
        return t.DrawListFrame(dc, r) ||
               t.DrawListItemCheck(dc, kiv::MakeListCheckInfo(r, nullptr, 0));
      },
  };
  for (size_t i = 0; i < std::size(draws); ++i) {
    bool drew = true;
    const std::vector<uint32_t> pixels = Drawn(theme, draws[i], 40, 30, &drew);
    EXPECT_FALSE(drew) << i;
    EXPECT_EQ(pixels, std::vector<uint32_t>(pixels.size(), kBlank)) << i;
  }
  for (auto query : {&TKivThemeMsStyles::SupportsWindow, &TKivThemeMsStyles::SupportsTrackBar,
                     &TKivThemeMsStyles::SupportsTabs, &TKivThemeMsStyles::SupportsToolBar,
                     &TKivThemeMsStyles::SupportsMenu, &TKivThemeMsStyles::SupportsListBox})
    EXPECT_FALSE((theme.*query)(0, "default"));
}

}  // namespace
