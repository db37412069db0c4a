// The built-in theme's text placement, window frame and buttons, push button,
// scroll bar, glyph marks and list check, read back pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

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

// ---------------------------------------------------------------- DrawText

// The block the platform measures for text in the canvas's font.
SIZE MeasuredBlock(TCanvas& canvas, const std::wstring& text, UINT format) {
  HDC dc = canvas.Handle();
  HGDIOBJ old = SelectObject(dc, CreateFontHandle(*canvas.Font()));
  RECT r{0, 0, 100, 50};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  DeleteObject(SelectObject(dc, old));
  return SIZE{r.right - r.left, r.bottom - r.top};
}

TEST(ThemeDrawText, PlacesTheMeasuredBlockByPlacement) {
  PaintFixture f(100, 50);
  const std::wstring text = L"Hello";
  const SIZE block = MeasuredBlock(f.canvas, text, 0);
  ASSERT_GT(block.cx, 0);
  ASSERT_LT(block.cx, 100);
  ASSERT_LT(block.cy, 50);

  auto ink = [&](uint8_t placement, uint8_t flags) {
    f.Reset();
    TkivTextInfo info;
    info.Rect = TRect{0, 0, 100, 50};
    info.Text = u"Hello";
    info.Placement = placement;
    info.TextFlags = flags;
    f.theme.DrawText(f.canvas, info);
    return f.Changed();
  };
  const TRect top_left = ink(kPlaceTopLeft, 0);
  ASSERT_FALSE(top_left.Right <= top_left.Left) << "no ink";
  struct Case {
    uint8_t placement;
    int dx, dy;
  };
  const int free_w = 100 - block.cx, free_h = 50 - block.cy;
  for (const Case& c :
       {Case{kPlaceMiddleCenter, free_w / 2, free_h / 2}, Case{kPlaceBottomRight, free_w, free_h},
        Case{kPlaceTopCenter, free_w / 2, 0}, Case{kPlaceMiddleLeft, 0, free_h / 2}}) {
    const TRect r = ink(c.placement, 0);
    EXPECT_EQ(r, (TRect{top_left.Left + c.dx, top_left.Top + c.dy, top_left.Right + c.dx,
                        top_left.Bottom + c.dy}))
        << "placement " << int(c.placement);
  }
  // Right to left: the left column becomes the right one.
  EXPECT_EQ(ink(kPlaceTopLeft, kTextRightToLeft), ink(kPlaceTopRight, kTextRightToLeft));
  EXPECT_EQ(ink(kPlaceBottomLeft, kTextRightToLeft), ink(kPlaceBottomRight, kTextRightToLeft));
  EXPECT_GE(ink(kPlaceTopLeft, kTextRightToLeft).Left, 100 - block.cx - 2);
}

TEST(ThemeDrawText, TurnedTextCentredLiesInTheMiddle) {
  PaintFixture f(60, 100);
  TkivTextInfo info;
  info.Rect = TRect{0, 0, 60, 100};
  info.Text = u"Hello";
  info.Placement = kPlaceMiddleCenter;
  info.Orientation = kTextClockwise;
  f.theme.DrawText(f.canvas, info);
  const TRect r = f.Changed();
  ASSERT_LT(r.Left, r.Right) << "no ink";
  EXPECT_GT(r.Height(), r.Width());  // turned: taller than wide
  EXPECT_NEAR((r.Left + r.Right) / 2, 30, 4);
  EXPECT_NEAR((r.Top + r.Bottom) / 2, 50, 4);
}

// ---------------------------------------------------------------- window

TEST(ThemeWindow, FrameBandsBevelAndCaptionByActivity) {
  for (bool active : {true, false}) {
    PaintFixture f(60, 40);
    TkivWindowInfo info = MakeWindowInfo(TRect{0, 0, 60, 40}, active, 0, TRect{}, u"");
    f.theme.PaintWindowFrame(0, f.canvas, "default", info);
    // Content (4, 22, 56, 36).
    EXPECT_EQ(f.At(0, 0), Px(clBlack));
    EXPECT_EQ(f.At(59, 39), Px(clBlack));
    EXPECT_EQ(f.At(1, 10), Px(Shaded(f.Color(7), 100)));
    EXPECT_EQ(f.At(10, 1), Px(Shaded(f.Color(7), 100)));
    EXPECT_EQ(f.At(58, 10), Px(Shaded(f.Color(7), -100)));
    EXPECT_EQ(f.At(10, 38), Px(Shaded(f.Color(7), -100)));
    for (auto [x, y] : {std::pair{2, 2}, {30, 2}, {3, 30}, {30, 37}, {57, 30}, {2, 21}})
      EXPECT_EQ(f.At(x, y), Px(f.Color(2))) << x << "," << y;
    EXPECT_EQ(f.At(4, 3), Px(f.Color(active ? 0 : 1)));
    EXPECT_EQ(f.At(55, 21), Px(f.Color(active ? 0 : 1)));
    EXPECT_EQ(f.At(4, 22), kUntouched);
    EXPECT_EQ(f.At(55, 35), kUntouched);
  }
}

TEST(ThemeWindow, ClientFillAndCaptionText) {
  PaintFixture f(60, 30);
  f.theme.PaintWindowClient(0, f.canvas, "default", TRect{5, 5, 20, 20});
  EXPECT_EQ(f.Changed(), (TRect{5, 5, 20, 20}));
  EXPECT_EQ(f.At(12, 12), Px(f.Color(3)));

  for (bool active : {true, false}) {
    f.Reset();
    f.theme.Fonts()->FontByIndex(0)->SetColor(clRed);
    f.theme.Fonts()->FontByIndex(1)->SetColor(clBlue);
    const TkivWindowInfo info = MakeWindowInfo(TRect{0, 0, 60, 30}, active, 0, TRect{}, u"Wi");
    f.theme.PaintWindowCaption(0, f.canvas, "default", TRect{0, 0, 60, 30}, info);
    const TRect ink = f.Changed();
    ASSERT_LT(ink.Left, ink.Right);
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 30, 3);  // centred, single line
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 15, 4);
    EXPECT_GT(f.Count(Px(active ? clRed : clBlue), ink), 0);
    EXPECT_EQ(f.Count(Px(active ? clBlue : clRed), ink), 0);
  }
}

TEST(ThemeWindow, ButtonFaceAndBevelByState) {
  struct Case {
    uint8_t state;
    int face;
    int light, dark;
  };
  for (const Case& c : {Case{0, 7, 100, -100}, Case{1, 8, 100, -100}, Case{2, 7, -100, 100}}) {
    PaintFixture f(22, 17);
    // Roll down: a mark that keeps clear of the edges and the centre row.
    f.theme.PaintWindowButton(
        0, f.canvas, "default",
        MakeWindowButtonInfo(TRect{0, 0, 22, 17}, kWindowButtonRollDown, c.state, nullptr));
    const TColor face = f.Color(c.face);
    EXPECT_EQ(f.At(0, 5), Px(Shaded(face, c.light))) << int(c.state);
    EXPECT_EQ(f.At(5, 0), Px(Shaded(face, c.light)));
    EXPECT_EQ(f.At(21, 5), Px(Shaded(face, c.dark)));
    EXPECT_EQ(f.At(5, 16), Px(Shaded(face, c.dark)));
    EXPECT_EQ(f.At(2, 2), Px(face));
  }
}

TEST(ThemeWindow, ButtonMarks) {
  const TRect r{0, 0, 22, 17};
  PaintFixture f(22, 17);
  // Roll up: inset (4, 5) gives (4, 5, 18, 12); apex at (11, 5), base on row 12.
  f.theme.PaintWindowButton(0, f.canvas, "default",
                            MakeWindowButtonInfo(r, kWindowButtonRollUp, 0, nullptr));
  EXPECT_EQ(f.At(11, 10), Px(clBlack));
  EXPECT_EQ(f.At(5, 6), Px(f.Color(7)));
  // Tray: (3, 3, 19, 14) gives the square (17, 12) to (20, 15), one step back when pressed.
  for (uint8_t state : {0, 2}) {
    f.Reset();
    f.theme.PaintWindowButton(0, f.canvas, "default",
                              MakeWindowButtonInfo(r, kWindowButtonTray, state, nullptr));
    const int s = state == 2 ? 0 : 1;
    EXPECT_EQ(f.Count(Px(clBlack), TRect{16 + s, 11 + s, 19 + s, 14 + s}), 9) << int(state);
    EXPECT_EQ(f.At(15 + s, 13 + s), Px(f.Color(7)));
  }
  // Close: a black caption glyph inside the face.
  f.Reset();
  f.theme.PaintWindowButton(0, f.canvas, "default",
                            MakeWindowButtonInfo(r, kWindowButtonClose, 0, nullptr));
  EXPECT_GT(f.Count(Px(clBlack), TRect{2, 2, 20, 15}), 4);
  // The system menu without a picture and an empty rectangle draw nothing.
  f.Reset();
  f.theme.PaintWindowButton(0, f.canvas, "default",
                            MakeWindowButtonInfo(r, kWindowButtonSysMenu, 0, nullptr));
  f.theme.PaintWindowButton(
      0, f.canvas, "default",
      MakeWindowButtonInfo(TRect{5, 5, 5, 9}, kWindowButtonClose, 0, nullptr));
  EXPECT_TRUE(f.Untouched());
  // The system menu's picture sits centred.
  TkivBitmap picture;
  picture.SetSize(4, 4);
  picture.Fill(ColorToPixel(clGreen, 255));
  f.theme.PaintWindowButton(0, f.canvas, "default",
                            MakeWindowButtonInfo(r, kWindowButtonSysMenu, 0, &picture));
  EXPECT_EQ(f.Changed(), (TRect{9, 6, 13, 10}));
  EXPECT_EQ(f.At(9, 6), Px(clGreen));
}

TEST(ThemeWindow, TitleBarMarksOnlyForSetBits) {
  PaintFixture f(300, 40);
  const uint16_t buttons = 1 << kWindowButtonClose | 1 << kWindowButtonMinimize;
  const TkivWindowInfo info = MakeWindowInfo(TRect{0, 0, 300, 200}, true, buttons, TRect{}, u"");
  for (int b = 0; b <= 9; ++b) {
    const TRect r = f.theme.WindowButtonRect(0, info, b, "default");
    f.theme.PaintWindowButton(0, f.canvas, "default",
                              MakeWindowButtonInfo(r, static_cast<uint8_t>(b), 0, nullptr));
  }
  // Close at (273, 4, 295, 21), minimize one slot to the left; nothing else.
  EXPECT_EQ(f.Changed(), (TRect{251, 4, 295, 21}));
  EXPECT_GT(f.Count(Px(clBlack), TRect{275, 6, 293, 19}), 4);
  EXPECT_GT(f.Count(Px(clBlack), TRect{253, 6, 271, 19}), 4);
}

TEST(ThemeWindow, GripShapesOnlyWhenSizeable) {
  for (bool sizeable : {false, true}) {
    PaintFixture f(24, 24);
    f.theme.PaintWindowGrip(0, f.canvas, "default", MakeGripInfo(TRect{0, 0, 20, 20}, sizeable));
    // G = (7, 7, 19, 19).
    EXPECT_EQ(f.At(1, 1), Px(f.Color(2)));
    EXPECT_EQ(f.At(17, 17), Px(sizeable ? clGray : f.Color(2))) << sizeable;
    EXPECT_EQ(f.At(19, 14), Px(sizeable ? clBlack : f.Color(2)));
    EXPECT_EQ(f.At(12, 12), Px(sizeable ? clGray : f.Color(2)));
    EXPECT_EQ(f.At(5, 5), Px(f.Color(2)));
  }
}

// ---------------------------------------------------------------- push button

TEST(ThemeButton, FaceByState) {
  PaintFixture f(20, 12);
  struct Case {
    uint8_t state;
    int face;
    int corner;  // shade at (1, 1)
    bool corner_is_face;
  };
  for (const Case& c : {Case{kStateNormal, 10, 0, true}, Case{kStateHot, 7, 30, false},
                        Case{kStatePressed, 9, -30, false}, Case{kStateDefault, 10, 0, true},
                        Case{kStateFocused, 10, 0, true}}) {
    f.Reset();
    f.theme.PaintButton(0, f.canvas, "default", MakeStateInfo(TRect{0, 0, 20, 12}, c.state));
    const TColor face = f.Color(c.face);
    EXPECT_EQ(f.At(0, 0), Px(clBlack)) << int(c.state);
    EXPECT_EQ(f.At(19, 11), Px(clBlack));
    EXPECT_EQ(f.At(10, 6), Px(face)) << int(c.state);
    EXPECT_EQ(f.At(1, 1), Px(c.corner_is_face ? face : Shaded(face, c.corner))) << int(c.state);
    EXPECT_EQ(f.At(5, 1), f.At(1, 1));
    EXPECT_EQ(f.At(1, 5), f.At(1, 1));
  }
  // Pressed: the dark edge at the bottom and right; focused: dark lines there.
  for (uint8_t state : {kStatePressed, kStateFocused}) {
    f.Reset();
    f.theme.PaintButton(0, f.canvas, "default", MakeStateInfo(TRect{0, 0, 20, 12}, state));
    const TColor face = f.Color(state == kStatePressed ? 9 : 10);
    EXPECT_EQ(f.At(18, 5), Px(Shaded(face, 30 * (state == kStatePressed ? 1 : -1))));
    EXPECT_EQ(f.At(5, 10), f.At(18, 5));
  }
}

TEST(ThemeButton, DisabledDrawsNothing) {
  PaintFixture f(20, 12);
  f.theme.PaintButton(0, f.canvas, "default", MakeStateInfo(TRect{0, 0, 20, 12}, kStateDisabled));
  EXPECT_TRUE(f.Untouched());
}

// ---------------------------------------------------------------- scroll bar

TEST(ThemeScrollBar, ButtonFillOutlineAndMarkByPart) {
  struct Case {
    uint8_t part, state;
    TColor fill;
    int mark;  // 0 none, 1 round rectangle, 2 frame
  };
  const TRect r{0, 0, 30, 20};  // inset (5, 4): (5, 4, 25, 16)
  for (const Case& c : {Case{0, 0, clGray, 1}, Case{3, 1, clBlue, 1}, Case{4, 0, clGray, 0},
                        Case{7, 2, clRed, 0}, Case{8, 3, clSilver, 2}, Case{9, 6, clGray, 2}}) {
    PaintFixture f(30, 20);
    f.theme.PaintScrollBarButton(0, f.canvas, "default", MakePartInfo(r, c.part, c.state));
    EXPECT_EQ(f.At(0, 0), Px(clBlack)) << int(c.part);
    EXPECT_EQ(f.At(29, 19), Px(clBlack));
    EXPECT_EQ(f.At(15, 10), Px(c.fill)) << int(c.part);
    EXPECT_EQ(f.At(2, 2), Px(c.fill));
    const int navy = f.Count(Px(clNavy), r);
    if (c.mark == 0) {
      EXPECT_EQ(navy, 0) << int(c.part);
      EXPECT_EQ(f.Count(Px(c.fill), r) + f.Count(Px(clBlack), r), 30 * 20);
    } else {
      EXPECT_EQ(f.At(15, 4), Px(clNavy)) << int(c.part);
      EXPECT_EQ(f.At(5, 10), Px(clNavy));
      // A round rectangle leaves its corners; a frame does not.
      EXPECT_EQ(f.At(5, 4), Px(c.mark == 2 ? clNavy : c.fill)) << int(c.part);
    }
  }
}

TEST(ThemeScrollBar, TrackByStateAndFrameDrawsNothing) {
  for (auto [state, fill] : {std::pair<uint8_t, TColor>{0, clGray},
                             {1, clBlue},
                             {2, clRed},
                             {3, clSilver},
                             {5, clGray}}) {
    PaintFixture f(16, 16);
    f.theme.PaintScrollBarTrack(0, f.canvas, "default",
                                MakePartInfo(TRect{0, 0, 16, 16}, 0, state));
    EXPECT_EQ(f.At(8, 8), Px(fill));
    EXPECT_EQ(f.At(15, 0), Px(clBlack));
  }
  PaintFixture f(16, 16);
  f.theme.PaintScrollBarFrame(0, f.canvas, "default", TRect{0, 0, 16, 16});
  EXPECT_TRUE(f.Untouched());
}

// ---------------------------------------------------------------- glyph marks

TEST(ThemeGlyph, CheckMarkInTheFontColour) {
  PaintFixture f(20, 20);
  f.canvas.Font()->SetColor(clGreen);
  f.theme.PaintMenuItemGlyph(0, f.canvas, "default",
                             MakeGlyphInfo(TRect{0, 0, 20, 20}, nullptr, 0, kGlyphCheck), {});
  // Square (2, 2, 18, 18): (cx, cy) = (8, 11); the stroke passes (6, 9) - (8, 11) - (12, 7).
  for (auto [x, y] : {std::pair{6, 9},
                      {7, 10},
                      {8, 11},
                      {10, 9},
                      {11, 8},
                      {12, 7},
                      {13, 7},
                      {6, 10},
                      {5, 10},
                      {7, 12}})
    EXPECT_EQ(f.At(x, y), Px(clGreen)) << x << "," << y;
  const TRect ink = f.Changed();
  EXPECT_EQ(f.Count(Px(clGreen), ink) + f.Count(kUntouched, ink), ink.Width() * ink.Height());
  EXPECT_GE(ink.Left, 5);
  EXPECT_LE(ink.Right, 14);
}

TEST(ThemeGlyph, RadioArrowAndPicture) {
  PaintFixture f(20, 20);
  const TRect r{0, 0, 20, 20};
  f.theme.PaintToolButtonGlyph(0, f.canvas, "default", MakeGlyphInfo(r, nullptr, 0, kGlyphRadio),
                               {});
  EXPECT_EQ(f.At(10, 10), Px(clBlack));
  const TRect dot = f.Changed();
  EXPECT_GE(dot.Left, 7);
  EXPECT_LE(dot.Right, 13);

  f.Reset();
  f.canvas.Font()->SetColor(clRed);
  f.theme.PaintMenuItemGlyph(0, f.canvas, "default", MakeGlyphInfo(r, nullptr, 0, kGlyphArrow), {});
  EXPECT_GT(f.Count(Px(clRed), TRect{2, 2, 18, 18}), 3);
  EXPECT_EQ(f.Count(Px(clRed), r), f.Count(Px(clRed), TRect{2, 2, 18, 18}));

  f.Reset();
  f.theme.PaintMenuItemGlyph(0, f.canvas, "default", MakeGlyphInfo(r, nullptr, 0, kGlyphPicture),
                             {});
  EXPECT_TRUE(f.Untouched());
  TkivBitmap picture;
  picture.SetSize(4, 6);
  picture.Fill(ColorToPixel(clYellow, 255));
  f.theme.PaintToolButtonGlyph(0, f.canvas, "default", MakeGlyphInfo(r, &picture, 0, kGlyphPicture),
                               {});
  EXPECT_EQ(f.Changed(), (TRect{8, 7, 12, 13}));
  EXPECT_EQ(f.At(8, 7), Px(clYellow));
}

// ---------------------------------------------------------------- list check

TEST(ThemeListCheck, SquareByMode) {
  struct Case {
    uint8_t mode;
    TColor centre;
  };
  // 16 x 16 in (0, 0, 20, 20): (2, 2, 18, 18); inner (5, 5, 15, 15).
  for (const Case& c : {Case{0, clBlack}, Case{1, clRed}, Case{2, clGray}}) {
    PaintFixture f(20, 20);
    f.theme.PaintListItemCheck(0, f.canvas, "default",
                               MakeListCheckInfo(TRect{0, 0, 20, 20}, nullptr, c.mode));
    EXPECT_EQ(f.Changed(), (TRect{2, 2, 18, 18})) << int(c.mode);
    EXPECT_EQ(f.At(2, 2), Px(clBlack));
    EXPECT_EQ(f.At(17, 10), Px(clBlack));
    EXPECT_EQ(f.At(3, 3), Px(clRed));
    EXPECT_EQ(f.At(5, 5), Px(c.centre)) << int(c.mode);
    EXPECT_EQ(f.At(14, 14), Px(c.centre));
    EXPECT_EQ(f.At(15, 15), Px(clRed));
  }
  PaintFixture f(20, 20);
  f.theme.PaintListItemCheck(0, f.canvas, "default",
                             MakeListCheckInfo(TRect{0, 0, 20, 20}, nullptr, 3));
  EXPECT_TRUE(f.Untouched());
}

}  // namespace
}  // namespace kiv
