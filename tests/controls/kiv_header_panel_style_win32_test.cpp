// The header panel's visual-styles look against the platform: with a visual
// style that has the "ExplorerBar" parts (the project's test style, see
// tests/styles), every face the panel shows is the platform's own drawing of
// the same part and state at the same place and size. Without such a style
// these tests skip; in the test-style run they must not.
#include <windows.h>
// after windows.h, which they need
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/kiv_header_panel_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/picture/png_writer.hpp"
#include "framework/win32/canvas.hpp"
#include "graphics/kiv_utils.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using ctltest::FirstDifference;
using ctltest::PaintToMemory;
using ctltest::TShownForm;

constexpr TColor kFormColor = 0x00335577;

// The form's colour as a pixel (0x00RRGGBB).
uint32_t FormPixel() {
  return (kFormColor & 0xFF) << 16 | (kFormColor & 0xFF00) | (kFormColor >> 16 & 0xFF);
}

// The panel's class from the active style, or null (after a skip, or a
// failure in the test-style run) when the style lacks the panel's parts.
HTHEME OpenPanelStyle(TKivHeaderPanel& p) {
  if (!p.VisualStylesLook()) {
    if (kivtest::TestStyleRun())
      ADD_FAILURE() << "the test style is active but the panel does not draw with it";
    return nullptr;
  }
  return OpenThemeData(p.Handle(), L"ExplorerBar");
}

void DrawPart(HTHEME data, HDC dc, int part, int state, const TRect& r) {
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  ASSERT_EQ(DrawThemeBackground(data, dc, part, state, &rr, nullptr), S_OK)
      << "part " << part << ", state " << state;
}

// Laid out for the visual styles: the caption bar runs across the very top
// (no bevel ring around it), its button is the square at its right end
// shrunk by 2, children sit inside border and bevel below the bar, and a
// rolled panel keeps the bar and twice the bevel width.
TEST(KivHeaderPanelTestStyle, LayoutFollowsTheStyledCaptionBar) {
  struct Case {
    int width, height, caption, border, bevel;
    TRect caption_rect, button, client;
    int rolled;
  };
  const Case cases[] = {
      {100, 90, 20, 3, 1, {0, 0, 100, 20}, {82, 2, 98, 18}, {4, 24, 96, 86}, 22},
      {200, 120, 26, 5, 3, {0, 0, 200, 26}, {176, 2, 198, 24}, {8, 34, 192, 112}, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    TShownForm s(320, 200);
    auto* p = new TKivHeaderPanel(s.form.get());
    p->SetBounds(10, 10, c.width, c.height);
    p->SetCaptionHeight(c.caption);
    p->SetBorderWidth(c.border);
    p->SetBevelWidth(c.bevel);
    p->SetParent(s.form.get());
    s.Show();
    HTHEME data = OpenPanelStyle(*p);
    if (!data) GTEST_SKIP() << "the active style has no ExplorerBar group parts";
    CloseThemeData(data);
    EXPECT_EQ(p->GetCaptionRect(), c.caption_rect);
    EXPECT_EQ(p->ButtonRect(), c.button);
    EXPECT_EQ(p->ClientRect(), c.client);
    p->SetRolled(true);
    EXPECT_EQ(p->Height(), c.rolled);
  }
}

// Each face the panel shows, painted over a marker colour, against the
// platform drawing the same parts and states into a bitmap of the same size:
// the parent's background where the style's parts are transparent, the
// group background below the caption bar, the group head across it, the
// caption in the head's text colour, and the button part and state for the
// button's kind, roll and pointer.
TEST(KivHeaderPanelTestStyle, FacesAreThePlatformsDrawingOfEachPartAndState) {
  enum Pointer { kAway, kOver, kHeld };
  struct Case {
    const char* what;
    TKivPanelButtonKind kind;
    bool rolled;
    Pointer pointer;
    int part, state;
    const wchar_t* caption;
  };
  const Case cases[] = {
      {"collapse, normal", qpbkRollUp, false, kAway, EBP_NORMALGROUPCOLLAPSE, EBNGC_NORMAL, L""},
      {"collapse, hot", qpbkRollUp, false, kOver, EBP_NORMALGROUPCOLLAPSE, EBNGC_HOT, L""},
      {"collapse, pressed", qpbkRollUp, false, kHeld, EBP_NORMALGROUPCOLLAPSE, EBNGC_PRESSED, L""},
      {"expand (rolled), normal", qpbkRollUp, true, kAway, EBP_NORMALGROUPEXPAND, EBNGE_NORMAL,
       L""},
      {"expand (rolled), hot", qpbkRollUp, true, kOver, EBP_NORMALGROUPEXPAND, EBNGE_HOT, L""},
      {"expand (rolled), pressed", qpbkRollUp, true, kHeld, EBP_NORMALGROUPEXPAND, EBNGE_PRESSED,
       L""},
      {"close, normal", qpbkClose, false, kAway, EBP_HEADERCLOSE, EBHC_NORMAL, L""},
      {"close, hot", qpbkClose, false, kOver, EBP_HEADERCLOSE, EBHC_HOT, L""},
      {"close, pressed", qpbkClose, false, kHeld, EBP_HEADERCLOSE, EBHC_PRESSED, L""},
      {"caption text", qpbkRollUp, false, kAway, EBP_NORMALGROUPCOLLAPSE, EBNGC_NORMAL,
       L"Pictures"},
  };
  // With KIV_PANEL_STYLE_PICTURE set, the faces are also laid out in a
  // picture: the panel's above the platform's, each case in a column, twice
  // enlarged.
  const char* picture_path = std::getenv("KIV_PANEL_STYLE_PICTURE");
  constexpr int kScale = 2, kGap = 8, kColumn = 100 * kScale + kGap;
  const int picture_w = kGap + kColumn * int(std::size(cases));
  const int picture_h = kGap + 2 * (90 * kScale + kGap);
  std::vector<uint32_t> picture(size_t(picture_w) * picture_h, 0xFFE0E0E0);
  const auto lay = [&](const kivtest::TMemoryDC& dc, int left, int top) {
    for (int y = 0; y < dc.h * kScale; ++y)
      for (int x = 0; x < dc.w * kScale; ++x)
        picture[size_t(top + y) * picture_w + left + x] =
            dc.At(x / kScale, y / kScale) | 0xFF000000u;
  };
  for (int column = 0; const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TShownForm s;
    auto* p = new TKivHeaderPanel(s.form.get());
    p->SetBounds(10, 10, 100, 90);
    p->SetParent(s.form.get());
    p->SetButtonKind(c.kind);
    p->SetCaption(c.caption);
    s.Show();
    HTHEME data = OpenPanelStyle(*p);
    if (!data) GTEST_SKIP() << "the active style has no ExplorerBar group parts";
    if (c.rolled) p->SetRolled(true);
    HWND w = p->Handle();
    const LPARAM on_button = MAKELPARAM(90, 10);
    if (c.pointer != kAway) SendMessageW(w, WM_MOUSEMOVE, 0, on_button);
    if (c.pointer == kHeld) SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, on_button);
    ASSERT_EQ(p->ButtonHot(), c.pointer != kAway);
    ASSERT_EQ(p->ButtonPressed(), c.pointer == kHeld);

    const int width = p->Width(), height = p->Height();
    ASSERT_EQ(height, c.rolled ? 22 : 90);
    kivtest::TMemoryDC want(width, height, true);
    want.Fill(FormPixel());
    DrawPart(data, want.dc, EBP_NORMALGROUPBACKGROUND, 0, TRect{0, 20, width, height});
    DrawPart(data, want.dc, EBP_NORMALGROUPHEAD, 1, TRect{0, 0, width, 20});
    if (*c.caption) {
      HFONT font = CreateFontHandle(*p->Font());
      HGDIOBJ old = SelectObject(want.dc, font);
      RECT text{5, 0, width - 5, 20};
      DrawThemeText(data, want.dc, EBP_NORMALGROUPHEAD, 1, c.caption, -1,
                    DT_VCENTER | DT_SINGLELINE, 0, &text);
      SelectObject(want.dc, old);
      DeleteObject(font);
    }
    DrawPart(data, want.dc, c.part, c.state, TRect{width - 18, 2, width - 2, 18});
    GdiFlush();
    for (uint32_t marker : {0x00123456u, 0x00FEDCBAu}) {
      auto got = PaintToMemory(*p, marker);
      EXPECT_EQ(FirstDifference(*got, want), "") << "over " << std::hex << marker;
      if (marker == 0x00123456u) lay(*got, kGap + column * kColumn, kGap);
    }
    lay(want, kGap + column * kColumn, kGap + 90 * kScale + kGap);
    ++column;
    if (c.pointer == kHeld) SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(50, 60));
    CloseThemeData(data);
  }
  if (picture_path != nullptr) {
    EXPECT_TRUE(WritePngRgba(picture_path, picture.data(), picture_w, picture_h));
  }
}

}  // namespace
}  // namespace kiv
