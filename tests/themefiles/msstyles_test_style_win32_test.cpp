// The visual-styles reader against the platform on the project's test style
// (tests/styles), the active style of the test-style run: each "ExplorerBar"
// part it has, read by TKivThemeMsStyles and drawn from its parts table,
// against the platform drawing the same part and state at the same size, both
// over white. The test style has what Wine's own lacks: stretched and tiled
// backgrounds with sizing margins, a partly transparent 32-bit caption bar,
// a transparent-colour button and true-size 32-bit buttons.
#include <windows.h>
// after windows.h
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "framework/text_convert.hpp"
#include "framework/win32/canvas.hpp"
#include "support/memory_dc_win32.hpp"
#include "support/testdata.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace {

using kiv::TKivThemeMsStyles;

// The file of the active style when it is the test style, else empty.
std::string ActiveTestStyle() {
  wchar_t file[MAX_PATH] = {}, color[64] = {}, size[64] = {};
  if (FAILED(GetCurrentThemeName(file, MAX_PATH, color, 64, size, 64))) return {};
  const std::wstring path = file;
  if (path.size() < 16 || _wcsicmp(path.c_str() + path.size() - 16, L"kivtest.msstyles") != 0)
    return {};
  return kiv::ToNarrow(path);
}

// The test style read by the library and opened by the platform; the test
// skips where the style is not active (and fails in the test-style run).
class MsStylesTestStyle : public testing::Test {
 protected:
  void SetUp() override {
    const std::string path = ActiveTestStyle();
    if (path.empty()) {
      if (kivtest::TestStyleRun()) FAIL() << "the test style is not the active style";
      GTEST_SKIP() << "the project's test style is not active";
    }
    ASSERT_TRUE(theme.LoadFromFile(path));
    data = OpenThemeData(nullptr, L"ExplorerBar");
    ASSERT_NE(data, nullptr);
  }
  void TearDown() override {
    if (data) CloseThemeData(data);
  }
  TKivThemeMsStyles theme;
  HTHEME data = nullptr;
};

TEST_F(MsStylesTestStyle, ReadsTheExplorerBarPartsAsThePlatformDrawsThem) {
  struct Case {
    const char* section;
    int part, state, image, w, h;
    double max_share;  // of pixels that may differ
    int max_diff;      // largest channel difference allowed
    const char* why;   // where the two differ on purpose
  };
  const char* const kBlend =
      "alpha blended by the library's kernel, (bg * (256 - a) + fg * a) >> 8, not AlphaBlend";
  const char* const kStretch =
      "the middle of the image stretched to a size that is not a multiple of it: the nearest "
      "source pixel (the platform's stretch samples other ones)";
  const Case cases[] = {
      {"explorerbar.SpecialGroupBackground", EBP_SPECIALGROUPBACKGROUND, 0, 1, 100, 70, 0, 0, ""},
      {"explorerbar.NormalGroupHead", EBP_NORMALGROUPHEAD, 1, 1, 100, 20, 0.02, 1, kBlend},
      {"explorerbar.NormalGroupHead", EBP_NORMALGROUPHEAD, 1, 1, 37, 26, 0.3, 8, kStretch},
      {"explorerbar.headerclose", EBP_HEADERCLOSE, EBHC_NORMAL, 1, 16, 16, 0, 0, ""},
      {"explorerbar.headerclose", EBP_HEADERCLOSE, EBHC_HOT, 2, 16, 16, 0, 0, ""},
      {"explorerbar.headerclose", EBP_HEADERCLOSE, EBHC_PRESSED, 3, 21, 19, 0.15, 255, kStretch},
      {"explorerbar.NormalGroupCollapse", EBP_NORMALGROUPCOLLAPSE, EBNGC_NORMAL, 1, 16, 16, 0.1, 1,
       kBlend},
      {"explorerbar.NormalGroupCollapse", EBP_NORMALGROUPCOLLAPSE, EBNGC_HOT, 2, 16, 16, 0.1, 1,
       kBlend},
      {"explorerbar.NormalGroupCollapse", EBP_NORMALGROUPCOLLAPSE, EBNGC_PRESSED, 3, 16, 16, 0.1, 1,
       kBlend},
      {"explorerbar.NormalGroupExpand", EBP_NORMALGROUPEXPAND, EBNGE_NORMAL, 1, 16, 16, 0.1, 1,
       kBlend},
      {"explorerbar.NormalGroupExpand", EBP_NORMALGROUPEXPAND, EBNGE_PRESSED, 3, 16, 16, 0.1, 1,
       kBlend},
  };
  std::printf("%-36s %5s %7s  %9s %8s\n", "section", "image", "size", "differing", "largest");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + " image " + std::to_string(c.image) + ", " +
                 std::to_string(c.w) + " x " + std::to_string(c.h));
    kivtest::TMemoryDC platform(c.w, c.h, true), ours(c.w, c.h, true);
    platform.Fill(0xFFFFFFFF);
    ours.Fill(0xFFFFFFFF);
    const RECT r{0, 0, c.w, c.h};
    ASSERT_EQ(DrawThemeBackground(data, platform.dc, c.part, c.state, &r, nullptr), S_OK);
    ASSERT_TRUE(theme.DrawSection(ours.dc, c.section, kiv::TRect{0, 0, c.w, c.h}, c.image));
    GdiFlush();
    int largest = 0, differ = 0, first_x = -1, first_y = -1;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const uint32_t p = platform.At(x, y), q = ours.At(x, y);
        int d = 0;
        for (int shift : {0, 8, 16})
          d = std::max(d, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
        if (d > c.max_diff && first_x < 0) first_x = x, first_y = y;
        differ += d != 0;
        largest = std::max(largest, d);
      }
    const double share = double(differ) / (c.w * c.h);
    char size[16];
    std::snprintf(size, sizeof size, "%dx%d", c.w, c.h);
    std::printf("%-36s %5d %7s  %8.1f%% %8d %s\n", c.section, c.image, size, share * 100, largest,
                c.why);
    EXPECT_LE(share, c.max_share);
    EXPECT_LE(largest, c.max_diff)
        << "first at (" << first_x << ", " << first_y << "): " << std::hex
        << (ours.At(first_x, first_y) & 0xFFFFFF) << " against the platform's "
        << (platform.At(first_x, first_y) & 0xFFFFFF);
  }
}

// The header panel's faces as the theme paints them on a canvas: the body,
// the caption bar (over its rectangle grown by 1) and the caption button of
// each picture in each state, against the platform's part and state.
TEST_F(MsStylesTestStyle, PaintsThePanelFacesAsThePlatformsExplorerBarParts) {
  struct Case {
    const char* what;
    int part, state, w, h;
    std::function<void(kiv::TCanvas&)> paint;
  };
  auto button = [this](uint8_t picture, uint8_t state) {
    return [this, picture, state](kiv::TCanvas& c) {
      theme.PaintPanelButton(0, c, "default", kiv::TkivPartInfo{{0, 0, 16, 16}, picture, state});
    };
  };
  const Case cases[] = {
      {"body", EBP_SPECIALGROUPBACKGROUND, 0, 100, 70,
       [this](kiv::TCanvas& c) {
         theme.PaintPanel(0, c, "default", {0, 0, 100, 70});
       }},
      {"caption bar", EBP_NORMALGROUPHEAD, 1, 100, 20,
       [this](kiv::TCanvas& c) {
         theme.PaintPanelCaption(0, c, "default", {1, 1, 99, 19});
       }},
      {"collapse", EBP_NORMALGROUPCOLLAPSE, EBNGC_NORMAL, 16, 16, button(1, 0)},
      {"collapse hot", EBP_NORMALGROUPCOLLAPSE, EBNGC_HOT, 16, 16, button(1, 1)},
      {"collapse pressed", EBP_NORMALGROUPCOLLAPSE, EBNGC_PRESSED, 16, 16, button(1, 2)},
      {"expand", EBP_NORMALGROUPEXPAND, EBNGE_NORMAL, 16, 16, button(2, 0)},
      {"expand hot", EBP_NORMALGROUPEXPAND, EBNGE_HOT, 16, 16, button(2, 1)},
      {"expand pressed", EBP_NORMALGROUPEXPAND, EBNGE_PRESSED, 16, 16, button(2, 2)},
      {"close", EBP_HEADERCLOSE, EBHC_NORMAL, 16, 16, button(3, 0)},
      {"close hot", EBP_HEADERCLOSE, EBHC_HOT, 16, 16, button(3, 1)},
      {"close pressed", EBP_HEADERCLOSE, EBHC_PRESSED, 16, 16, button(3, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    kivtest::TMemoryDC platform(c.w, c.h, true), ours(c.w, c.h, true);
    platform.Fill(0xFFFFFFFF);
    ours.Fill(0xFFFFFFFF);
    const RECT r{0, 0, c.w, c.h};
    ASSERT_EQ(DrawThemeBackground(data, platform.dc, c.part, c.state, &r, nullptr), S_OK);
    kiv::TCanvas canvas;
    canvas.SetHandle(ours.dc);
    c.paint(canvas);
    canvas.SetHandle(nullptr);
    GdiFlush();
    // Alpha-blended parts may differ by one in a channel (the library's
    // blend kernel against AlphaBlend); anything else is a wrong part,
    // state or place.
    int largest = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const uint32_t p = platform.At(x, y), q = ours.At(x, y);
        for (int shift : {0, 8, 16})
          largest =
              std::max(largest, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
      }
    EXPECT_LE(largest, 1);
  }
}

}  // namespace
