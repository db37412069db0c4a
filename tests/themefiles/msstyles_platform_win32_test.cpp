// TKivThemeMsStyles over Wine's light.msstyles against the platform drawing
// the same class, part and state at the same size (DrawThemeBackground into a
// 32-bit DIB), both over white, through the theme's canvas operations. Runs in
// the visual-styles look; in the classic look the platform draws no style.
#include <windows.h>
// after windows.h
#include <uxtheme.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "framework/picture/png_writer.hpp"
#include "framework/win32/canvas.hpp"
#include "msstyles_support.hpp"
#include "support/memory_dc_win32.hpp"
#include "support/testdata.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace {

using kiv::TKivThemeMsStyles;

struct Case {
  const wchar_t* klass;
  int part, state;
  int w, h;
  std::function<void(TKivThemeMsStyles&, kiv::TCanvas&, const kiv::TRect&)> ours;
  double max_share;  // of pixels that may differ
  int max_diff;      // largest channel difference allowed
  const char* why;   // where the rules differ on purpose
  // The platform's drawing when it is more than the one part (the window
  // frame's four parts).
  std::function<void(HTHEME, HDC, int state, const RECT&)> platform = {};
};

struct Result {
  double share;
  int largest;
};

Result Compare(const kivtest::TMemoryDC& a, const kivtest::TMemoryDC& b) {
  int differ = 0, largest = 0;
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x) {
      const uint32_t p = a.At(x, y), q = b.At(x, y);
      int d = 0;
      for (int shift : {0, 8, 16})
        d = std::max(d, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
      if (d != 0) ++differ;
      largest = std::max(largest, d);
    }
  return Result{double(differ) / (a.w * a.h), largest};
}

auto Button(uint8_t state) {
  return [state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintButton(0, c, "default", kiv::MakeStateInfo(r, state));
  };
}
auto Check(uint8_t kind, uint8_t state) {
  return [kind, state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintCheck(kind, c, "default", kiv::MakeStateInfo(r, state));
  };
}
auto Scroll(uint8_t part, uint8_t state) {
  return [part, state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintScrollBarButton(0, c, "default", kiv::MakePartInfo(r, part, state));
  };
}
auto Track(uint8_t part) {
  return [part](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintScrollBarTrack(0, c, "default", kiv::MakePartInfo(r, part, 0));
  };
}
auto Edit(uint8_t state) {
  return [state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintEdit(0, c, "default", kiv::MakeStateInfo(r, state));
  };
}
auto Progress(uint8_t part) {
  return [part](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintProgressBar(0, c, "default", kiv::MakePartInfo(r, part, 0));
  };
}
auto Status(uint8_t state) {
  return [state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintStatusPanel(0, c, "default", kiv::MakeStateInfo(r, state));
  };
}
auto HeaderItem(uint8_t state) {
  return [state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintHeaderSection(0, c, "default", kiv::MakePartInfo(r, 0, state));
  };
}

auto WindowFrame(bool active) {
  return [active](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintWindowFrame(0, c, "default", kiv::MakeWindowInfo(r, active, 0, {}, u""));
  };
}
// The caption over the caption bar and the top border, the left and right
// frames beside the content, the bottom frame below (borders of 4, a caption
// bar of 25: the metrics light.msstyles leaves to their defaults).
void PlatformWindowFrame(HTHEME data, HDC dc, int state, const RECT& r) {
  const RECT caption{0, 0, r.right, 29}, left{0, 29, 4, r.bottom - 4},
      right{r.right - 4, 29, r.right, r.bottom - 4}, bottom{0, r.bottom - 4, r.right, r.bottom};
  DrawThemeBackground(data, dc, 1, state, &caption, nullptr);
  DrawThemeBackground(data, dc, 7, state, &left, nullptr);
  DrawThemeBackground(data, dc, 8, state, &right, nullptr);
  DrawThemeBackground(data, dc, 9, state, &bottom, nullptr);
}
auto WindowButton(uint8_t button, uint8_t state) {
  return [button, state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintWindowButton(0, c, "default", kiv::MakeWindowButtonInfo(r, button, state, nullptr));
  };
}
auto MdiButton(uint8_t part, uint8_t state) {
  return [part, state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintMenuItem(0, c, "default", kiv::MakePartInfo(r, part, state));
  };
}
auto TrackBarTrack(uint8_t part) {
  return [part](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintTrackBarTrack(0, c, "default", kiv::MakePartInfo(r, part, 0));
  };
}
auto Thumb(uint8_t part, uint8_t state) {
  return [part, state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintTrackBarThumb(0, c, "default", kiv::MakePartInfo(r, part, state));
  };
}
auto Tab(uint8_t part, uint8_t state) {
  return [part, state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintTab(0, c, "default", kiv::MakePartInfo(r, part, state));
  };
}
auto ToolButton(uint8_t part, uint8_t state) {
  return [part, state](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    t.PaintToolButton(0, c, "default", kiv::MakePartInfo(r, part, state));
  };
}
auto Rect(void (TKivThemeMsStyles::*paint)(uint8_t, kiv::TCanvas&, const std::string&,
                                           const kiv::TRect&)) {
  return [paint](TKivThemeMsStyles& t, kiv::TCanvas& c, const kiv::TRect& r) {
    (t.*paint)(0, c, "default", r);
  };
}

TEST(MsStylesPlatform, DrawsAsThePlatformDoes) {
  if (kivtest::ClassicLook()) GTEST_SKIP() << "the classic look draws no visual style";
  KIV_REQUIRE_LIGHT_MSSTYLES(path);
  TKivThemeMsStyles theme;
  ASSERT_TRUE(theme.LoadFromFile(path));
  const char* const kBlend = "alpha blended by the library's kernel: (bg*(256-a) + fg*a) >> 8";
  const char* const kShrunkEdge =
      "an edge whose pixels vary along it, stretched or shrunk: the nearest source pixel (the "
      "platform samples other ones near the ends)";
  const char* const kOddPixel =
      "glyph centred, an odd leftover pixel after it (divisions truncate; the platform puts it "
      "before)";
  const char* const kGlyphByWidth =
      "glyph size variant chosen by width (the platform: by MinDpi1..7)";
  const Case cases[] = {
      {L"Button", 1, 1, 75, 25, Button(0), 0.05, 1, kBlend},
      {L"Button", 1, 2, 75, 25, Button(1), 0.05, 1, kBlend},
      {L"Button", 1, 3, 75, 25, Button(2), 0.05, 1, kBlend},
      {L"Button", 1, 4, 75, 25, Button(3), 0.05, 1, kBlend},
      {L"Button", 1, 5, 75, 25, Button(6), 0.05, 1, kBlend},
      {L"Button", 1, 1, 120, 40, Button(0), 0.05, 1, kBlend},
      {L"Button", 3, 1, 13, 13, Check(0, 5), 0, 0, ""},
      {L"Button", 3, 2, 13, 13, Check(0, 6), 0, 0, ""},
      {L"Button", 3, 5, 13, 13, Check(0, 0), 0, 0, ""},
      {L"Button", 3, 8, 13, 13, Check(0, 3), 0, 0, ""},
      {L"Button", 3, 9, 13, 13, Check(0, 10), 0, 0, ""},
      {L"Button", 2, 1, 13, 13, Check(1, 5), 0.05, 1, kBlend},
      {L"Button", 2, 5, 13, 13, Check(1, 0), 0.05, 1, kBlend},
      {L"ScrollBar", 1, 1, 17, 17, Scroll(0, 0), 0.12, 255,
       "glyph size variant chosen by width (the platform: by MinSize1..7)"},
      {L"ScrollBar", 1, 2, 17, 17, Scroll(0, 2), 0.12, 255,
       "glyph size variant chosen by width (the platform: by MinSize1..7)"},
      {L"ScrollBar", 1, 3, 17, 17, Scroll(0, 1), 0.12, 255,
       "glyph size variant chosen by width (the platform: by MinSize1..7)"},
      {L"ScrollBar", 1, 4, 17, 17, Scroll(0, 3), 0.12, 255,
       "glyph size variant chosen by width (the platform: by MinSize1..7)"},
      {L"ScrollBar", 1, 5, 17, 17, Scroll(1, 0), 0.12, 255,
       "glyph size variant chosen by width (the platform: by MinSize1..7)"},
      {L"ScrollBar", 1, 9, 17, 17, Scroll(4, 0), 0.12, 255,
       "glyph size variant chosen by width (the platform: by MinSize1..7)"},
      {L"ScrollBar", 1, 13, 17, 17, Scroll(5, 0), 0.12, 255,
       "glyph size variant chosen by width (the platform: by MinSize1..7)"},
      {L"ScrollBar", 2, 1, 60, 17, Scroll(8, 0), 0, 0, ""},
      {L"ScrollBar", 3, 1, 17, 60, Scroll(9, 0), 0, 0, ""},
      {L"ScrollBar", 5, 1, 60, 17, Track(1), 0, 0, ""},
      {L"ScrollBar", 7, 1, 17, 60, Track(0), 0, 0, ""},
      {L"Edit", 1, 1, 60, 20, Edit(0), 0, 0, ""},
      {L"Edit", 1, 4, 60, 20, Edit(4), 0, 0, ""},
      {L"Edit", 1, 6, 60, 20, Edit(5), 0, 0, ""},
      {L"Progress", 1, 1, 100, 18, Progress(0), 0, 0, ""},
      {L"Progress", 3, 1, 20, 16, Progress(1), 0, 0, ""},
      {L"Status", 1, 0, 80, 20, Status(0), 0, 0, ""},
      {L"Status", 3, 0, 18, 18, Status(3), 0.08, 255,
       "true size centred (the platform: aligned by VAlign)"},
      {L"Header", 1, 1, 80, 22, HeaderItem(0), 0, 0, ""},
      {L"Header", 1, 2, 80, 22, HeaderItem(1), 0, 0, ""},
      {L"Window", 1, 1, 200, 130, WindowFrame(true), 0, 0, "", PlatformWindowFrame},
      {L"Window", 1, 2, 200, 130, WindowFrame(false), 0.05, 1, kBlend, PlatformWindowFrame},
      {L"Window", 18, 1, 19, 19, WindowButton(1, 0), 0.05, 16, kShrunkEdge},
      {L"Window", 18, 1, 18, 18, WindowButton(1, 0), 0.25, 255, kOddPixel},
      {L"Window", 18, 1, 22, 22, WindowButton(1, 0), 0.3, 255, kGlyphByWidth},
      {L"Window", 18, 2, 22, 22, WindowButton(1, 1), 0.3, 255, kGlyphByWidth},
      {L"Window", 18, 3, 22, 22, WindowButton(1, 2), 0.3, 255, kGlyphByWidth},
      {L"Window", 18, 4, 22, 22, WindowButton(1, 3), 0.3, 255, kGlyphByWidth},
      {L"Window", 15, 1, 19, 19, WindowButton(3, 0), 0.05, 1, kBlend},
      {L"Window", 17, 1, 19, 19, WindowButton(5, 0), 0.05, 1, kBlend},
      {L"Window", 21, 1, 19, 19, WindowButton(6, 0), 0.05, 1, kBlend},
      {L"Window", 23, 2, 19, 19, WindowButton(2, 1), 0.05, 1, kBlend},
      {L"Window", 16, 1, 18, 16, MdiButton(2, 0), 0, 0, ""},
      {L"Window", 22, 2, 18, 16, MdiButton(3, 1), 0, 0, ""},
      {L"Window", 20, 3, 18, 16, MdiButton(4, 2), 0.05, 1, kBlend},
      {L"TrackBar", 0, 0, 90, 24, Rect(&TKivThemeMsStyles::PaintTrackBar), 0, 0, ""},
      {L"TrackBar", 1, 1, 90, 4, TrackBarTrack(0), 0, 0, ""},
      {L"TrackBar", 2, 1, 4, 90, TrackBarTrack(1), 0, 0, ""},
      {L"TrackBar", 3, 1, 11, 21, Thumb(0, 0), 0, 0, ""},
      {L"TrackBar", 3, 2, 11, 21, Thumb(0, 1), 0, 0, ""},
      {L"TrackBar", 3, 5, 11, 21, Thumb(0, 3), 0, 0, ""},
      {L"TrackBar", 5, 1, 11, 19, Thumb(1, 0), 0.05, 1, kBlend},
      {L"TrackBar", 4, 3, 11, 19, Thumb(2, 2), 0.2, 1, kBlend},
      {L"TrackBar", 6, 4, 21, 11, Thumb(3, 4), 0, 0, ""},
      {L"TrackBar", 7, 1, 19, 11, Thumb(4, 0), 0.05, 1, kBlend},
      {L"TrackBar", 8, 2, 19, 11, Thumb(5, 1), 0.1, 1, kBlend},
      {L"Tab", 9, 1, 160, 40, Rect(&TKivThemeMsStyles::PaintTabsBody), 0.01, 2, kShrunkEdge},
      {L"Tab", 5, 1, 44, 20, Tab(0, 0), 0.05, 1, kBlend},
      {L"Tab", 5, 2, 44, 20, Tab(0, 1), 0.05, 1, kBlend},
      {L"Tab", 5, 3, 44, 22, Tab(0, 2), 0.05, 1, kBlend},
      {L"Tab", 6, 1, 44, 20, Tab(1, 0), 0.05, 1, kBlend},
      {L"Toolbar", 1, 1, 24, 22, ToolButton(0, 0), 0.05, 1, kBlend},
      {L"Toolbar", 1, 2, 24, 22, ToolButton(0, 1), 0.05, 1, kBlend},
      {L"Toolbar", 1, 3, 24, 22, ToolButton(0, 2), 0.05, 1, kBlend},
      {L"Toolbar", 1, 5, 24, 22, ToolButton(0, 5), 0.05, 1, kBlend},
      {L"Toolbar", 3, 2, 24, 22, ToolButton(3, 1), 0.1, 1, kBlend},
      {L"Toolbar", 5, 1, 8, 22, ToolButton(1, 0), 0.05, 1, kBlend},
      {L"Rebar", 0, 0, 100, 25, Rect(&TKivThemeMsStyles::PaintControlBar), 0, 0, ""},
      {L"ListView", 0, 0, 60, 40, Rect(&TKivThemeMsStyles::PaintListBox), 0, 0, ""},
  };
  // With KIV_MSSTYLES_PICTURE set, every case is also laid out in a picture,
  // the style's drawing above the platform's, three times enlarged, in rows
  // of at most kRowWidth pixels.
  const char* picture_path = std::getenv("KIV_MSSTYLES_PICTURE");
  constexpr int kScale = 3, kGap = 6, kRowWidth = 1800;
  struct Place {
    int x, row;
  };
  std::vector<Place> places;
  std::vector<int> row_h{0};
  int picture_w = 0;
  for (int x = kGap; const Case& c : cases) {
    if (x + c.w * kScale + kGap > kRowWidth && x > kGap) x = kGap, row_h.push_back(0);
    places.push_back(Place{x, int(row_h.size()) - 1});
    x += c.w * kScale + kGap;
    picture_w = std::max(picture_w, x);
    row_h.back() = std::max(row_h.back(), 2 * c.h * kScale + 3 * kGap);
  }
  std::vector<int> row_top{0};
  for (int h : row_h) row_top.push_back(row_top.back() + h);
  const int picture_h = row_top.back();
  std::vector<uint32_t> picture(size_t(picture_w) * picture_h, 0xFFE0E0E0);
  auto lay = [&](const kivtest::TMemoryDC& dc, int left, int top) {
    for (int y = 0; y < dc.h * kScale; ++y)
      for (int x = 0; x < dc.w * kScale; ++x)
        picture[size_t(top + y) * picture_w + left + x] =
            dc.At(x / kScale, y / kScale) | 0xFF000000u;
  };
  std::printf("%-10s %4s %5s %7s  %9s %8s\n", "class", "part", "state", "size", "differing",
              "largest");
  for (size_t k = 0; k < std::size(cases); ++k) {
    const Case& c = cases[k];
    HTHEME data = OpenThemeData(nullptr, c.klass);
    ASSERT_NE(data, nullptr);
    kivtest::TMemoryDC platform(c.w, c.h), ours(c.w, c.h);
    platform.Fill(0xFFFFFFFF);
    ours.Fill(0xFFFFFFFF);
    const RECT r{0, 0, c.w, c.h};
    if (c.platform)
      c.platform(data, platform.dc, c.state, r);
    else
      ASSERT_EQ(DrawThemeBackground(data, platform.dc, c.part, c.state, &r, nullptr), S_OK);
    // The platform draws a thumb's gripper as a part of its own.
    if (std::wstring(c.klass) == L"ScrollBar" && (c.part == 2 || c.part == 3))
      DrawThemeBackground(data, platform.dc, c.part == 2 ? 8 : 9, c.state, &r, nullptr);
    CloseThemeData(data);
    kiv::TCanvas canvas;
    canvas.SetHandle(ours.dc);
    c.ours(theme, canvas, kiv::TRect{0, 0, c.w, c.h});
    canvas.SetHandle(nullptr);
    const Result result = Compare(platform, ours);
    const int top = row_top[places[k].row] + kGap;
    lay(ours, places[k].x, top);
    lay(platform, places[k].x, top + c.h * kScale + kGap);
    char size[16];
    std::snprintf(size, sizeof size, "%dx%d", c.w, c.h);
    std::printf("%-10ls %4d %5d %7s  %8.1f%% %8d %s\n", c.klass, c.part, c.state, size,
                result.share * 100, result.largest, c.why);
    EXPECT_LE(result.share, c.max_share) << c.part << "/" << c.state;
    EXPECT_LE(result.largest, c.max_diff) << c.part << "/" << c.state;
  }
  if (picture_path != nullptr) {
    EXPECT_TRUE(kiv::WritePngRgba(picture_path, picture.data(), picture_w, picture_h));
  }
}

}  // namespace
