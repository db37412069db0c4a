// A visual style without the sections of an element: TKivThemeMsStyles's
// canvas operations draw the built-in look there, pixel for pixel what the
// built-in theme draws, never black or nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/win32/canvas.hpp"
#include "msstyles_support.hpp"
#include "support/memory_dc_win32.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace {

using kiv::TkivTheme;
using kiv::TRect;

using Paint = std::function<void(TkivTheme&, kiv::TCanvas&, const TRect&)>;

std::vector<uint32_t> Painted(TkivTheme& theme, const Paint& paint, int w, int h) {
  kivtest::TMemoryDC dc(w, h);
  dc.Fill(0xFF00FF00);
  kiv::TCanvas canvas;
  canvas.SetHandle(dc.dc);
  paint(theme, canvas, TRect{0, 0, w, h});
  canvas.SetHandle(nullptr);
  std::vector<uint32_t> pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels.push_back(dc.At(x, y) & 0xFFFFFF);
  return pixels;
}

TEST(MsStylesFallback, TheBuiltInLookWhereTheStyleLacksTheSection) {
  kiv::TKivThemeMsStyles styles;
  ASSERT_TRUE(styles.LoadFromLibrary(
      kivtest::SmallStyleModule(
          u"[Button.Pushbutton]\r\nBgType=BorderFill\r\nFillColor=0 0 255\r\n"),
      "x"));
  TkivTheme built_in;
  using kiv::MakePartInfo;
  const std::string o = "default";
  const std::pair<const char*, Paint> paints[] = {
      {"window",
       [&](TkivTheme& t, kiv::TCanvas& c, const TRect& r) {
         const kiv::TkivWindowInfo info = kiv::MakeWindowInfo(r, true, 0x6F, {}, u"Title");
         t.PaintWindowFrame(0, c, o, info);
         for (uint8_t b = 0; b < 10; ++b)
           t.PaintWindowButton(0, c, o,
                               kiv::MakeWindowButtonInfo(t.WindowButtonRect(0, info, b, o), b,
                                                         kiv::kStateHot, nullptr));
       }},
      {"track bar",
       [&](TkivTheme& t, kiv::TCanvas& c, const TRect& r) {
         t.PaintTrackBar(0, c, o, r);
         t.PaintTrackBarThumb(0, c, o, MakePartInfo(TRect{40, 2, 50, 22}, 0, 0));
       }},
      {"tabs",
       [&](TkivTheme& t, kiv::TCanvas& c, const TRect& r) {
         t.PaintTabsBody(0, c, o, r);
         t.PaintTab(0, c, o, MakePartInfo(TRect{2, 0, 44, 20}, 0, 0));
         t.PaintTabScrollButton(0, c, o, MakePartInfo(TRect{60, 2, 76, 18}, 0, 0));
       }},
      {"tool bar",
       [&](TkivTheme& t, kiv::TCanvas& c, const TRect& r) {
         t.PaintToolBar(0, c, o, r);
         t.PaintControlBar(0, c, o, TRect{50, 0, 90, 20});
       }},
      {"menu",
       [&](TkivTheme& t, kiv::TCanvas& c, const TRect& r) {
         t.PaintMenu(1, c, o, r);
         t.PaintMenuItem(1, c, o, MakePartInfo(TRect{2, 2, 80, 20}, 0, kiv::kStateHot));
       }},
      {"lists",
       [&](TkivTheme& t, kiv::TCanvas& c, const TRect& r) {
         t.PaintListBox(0, c, o, r);
         t.PaintListItemCheck(0, c, o, kiv::MakeListCheckInfo(TRect{2, 2, 22, 22}, nullptr, 0));
         t.PaintGrid(0, c, o, TRect{30, 0, 60, 30});
       }},
  };
  for (const auto& [name, paint] : paints) {
    const std::vector<uint32_t> ours = Painted(styles, paint, 160, 120);
    EXPECT_EQ(ours, Painted(built_in, paint, 160, 120)) << name;
    // Something was painted, and not all of it black.
    size_t changed = 0, black = 0;
    for (uint32_t p : ours) changed += p != 0x00FF00, black += p == 0;
    EXPECT_GT(changed, 0u) << name;
    EXPECT_LT(black, changed) << name;
  }
}

}  // namespace
