// The status bar: its panels laid out by their priorities in the bar's
// window, hosted controls shown and hidden with their panels, clicks on the
// laid-out extents, the shortened text, the size grip, the three looks (the
// visual styles against the platform's own drawing) and the form stream.
#include <windows.h>
// after windows.h, which they need
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_check_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "controls/kiv_status_bar_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "framework/win32/bitmap.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {
namespace {

using ctltest::FirstDifference;
using ctltest::PaintToMemory;
using ctltest::TShownForm;

// A bar of the given content width (inside its two-pixel border) on a bare
// form, and panels added to it.
struct TBar {
  TShownForm s;
  TKivStatusBar* bar;
  explicit TBar(int content_width = 200) : s(content_width + 4, 120) {
    bar = new TKivStatusBar(s.form.get());
    bar->SetBounds(0, 0, content_width + 4, 22);
    bar->SetParent(s.form.get());
  }
  TKivStatusPanel* Add(int width, int view = 100, int stretch = 0, int max = 10000) {
    TKivStatusPanel* p = bar->Panels()->Add();
    p->SetMaxWidth(max);
    p->SetWidth(width);
    p->SetViewPriority(view);
    p->SetStretchPriority(stretch);
    return p;
  }
  TKivStatusPanel* Panel(int i) { return bar->Panels()->Items(i); }
};

uint32_t Px(int index) {
  const COLORREF c = GetSysColor(index);
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

TEST(KivStatusBar, ConstructionValues) {
  TBar b;
  TKivStatusBar* bar = b.bar;
  EXPECT_EQ(bar->Height(), 22);
  EXPECT_EQ(bar->Align(), alNone);
  EXPECT_EQ(bar->BorderWidth(), 2);
  EXPECT_EQ(bar->BevelInner(), qbvSpace);
  EXPECT_EQ(bar->BevelOuter(), qbvRaised);
  EXPECT_EQ(bar->Performance(), qspDoubleBuffer);
  EXPECT_TRUE(bar->SizeGrip());
  EXPECT_EQ(bar->ThemeObject(), "default");
  EXPECT_EQ(bar->ContentRect(), Rect(2, 2, 202, 20));
  TKivStatusPanel* p = b.Add(50);
  EXPECT_EQ(p->MaxWidth(), 10000);
  EXPECT_EQ(p->ViewPriority(), 100);
  EXPECT_EQ(p->StretchPriority(), 0);
  EXPECT_EQ(p->ImageIndex(), -1);
  EXPECT_TRUE(p->ShowImage() && p->Framed());
  EXPECT_EQ(p->Margin(), 2);
  EXPECT_EQ(p->Spacing(), 4);
  const auto& clients = ThemeManager().Clients();
  EXPECT_NE(std::find(clients.begin(), clients.end(), bar), clients.end());
}

TEST(KivStatusBar, WidthSettersKeepWithinTheMaximum) {
  TBar b;
  TKivStatusPanel* p = b.Add(50);
  p->SetWidth(-5);
  EXPECT_EQ(p->Width(), 0);
  p->SetMaxWidth(120);
  p->SetWidth(500);
  EXPECT_EQ(p->Width(), 120);
  p->SetMaxWidth(70);
  EXPECT_EQ(p->Width(), 70);
  p->SetViewPriority(140);
  EXPECT_EQ(p->ViewPriority(), 100);
}

// The bar lays its panels out whenever it changes size or a panel changes.
TEST(KivStatusBar, LayoutFollowsPrioritiesAndTheBarsWidth) {
  struct Want {
    bool shown;
    int left, right;
  };
  struct Panel {
    int width, view, stretch, max;
  };
  struct Case {
    const char* what;
    int content_width;
    std::vector<Panel> panels;
    std::vector<Want> want;
  };
  const Case cases[] = {
      {"the lowest view priority goes first",
       200,
       {{80, 100, 0, 10000}, {80, 50, 0, 10000}, {80, 20, 0, 10000}},
       {{true, 2, 82}, {true, 82, 162}, {false, 162, 162}}},
      {"priority 100 stays, one more goes",
       100,
       {{80, 100, 0, 10000}, {80, 50, 0, 10000}, {80, 20, 0, 10000}},
       {{true, 2, 82}, {false, 82, 82}, {false, 82, 82}}},
      {"spare width by stretch priority, past a maximum",
       300,
       {{80, 100, 0, 10000}, {80, 100, 30, 10000}, {80, 100, 60, 120}},
       {{true, 2, 82}, {true, 82, 182}, {true, 182, 302}}},
      {"view priority 0 is never shown",
       300,
       {{80, 100, 0, 10000}, {50, 0, 0, 10000}, {80, 100, 10, 10000}},
       {{true, 2, 82}, {false, 82, 82}, {true, 82, 302}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBar b(500);
    for (const Panel& p : c.panels) b.Add(p.width, p.view, p.stretch, p.max);
    b.bar->SetWidth(c.content_width + 4);
    for (size_t i = 0; i < c.want.size(); ++i) {
      SCOPED_TRACE(i);
      TKivStatusPanel* p = b.Panel(static_cast<int>(i));
      EXPECT_EQ(p->Shown(), c.want[i].shown);
      EXPECT_EQ(p->PanelLeft(), c.want[i].left);
      EXPECT_EQ(p->PanelRight(), c.want[i].right);
      EXPECT_EQ(b.bar->GetPanelRect(static_cast<int>(i)),
                Rect(c.want[i].left, 2, c.want[i].right, 20));
    }
  }
}

TEST(KivStatusBar, HostedControlsFollowTheirPanels) {
  TBar b(300);
  b.Add(80);
  TKivStatusPanel* middle = b.Add(80);
  b.Add(80);
  auto* box = new TKivCheckBox(b.s.form.get());
  box->SetParent(b.s.form.get());
  middle->SetControl(box);
  ASSERT_EQ(box->Parent(), b.bar);
  EXPECT_EQ(b.bar->Panels()->Count(), 3);  // no panel of its own
  // The middle panel's content: 82..162 inset by 1, and 2 more on the right.
  EXPECT_EQ(box->BoundsRect(), Rect(83, 3, 159, 19));
  EXPECT_TRUE(box->Visible());
  middle->SetViewPriority(0);
  EXPECT_FALSE(middle->Shown());
  EXPECT_FALSE(box->Visible());
  middle->SetViewPriority(50);
  EXPECT_TRUE(box->Visible());
  b.bar->SetWidth(180 + 4);  // too narrow: the middle one goes
  EXPECT_FALSE(box->Visible());
  b.bar->SetWidth(304);
  EXPECT_TRUE(box->Visible());
  middle->SetFramed(false);
  EXPECT_EQ(box->BoundsRect(), Rect(82, 2, 162, 20));

  // Moving the control to another panel takes it from the first.
  b.Panel(0)->SetControl(box);
  EXPECT_EQ(middle->Control(), nullptr);
  EXPECT_EQ(box->BoundsRect(), Rect(3, 3, 79, 19));

  // A control put on the bar brings its own panel; freeing it frees the panel.
  auto* button = new TKivButton(b.s.form.get());
  button->SetParent(b.bar);
  ASSERT_EQ(b.bar->Panels()->Count(), 4);
  EXPECT_EQ(b.Panel(3)->Control(), button);
  delete button;
  EXPECT_EQ(b.bar->Panels()->Count(), 3);
  TKivStatusPanel* last = b.Panel(2);
  delete box;  // its panel goes with it
  ASSERT_EQ(b.bar->Panels()->Count(), 2);
  EXPECT_EQ(b.Panel(0), middle);
  EXPECT_EQ(b.Panel(1), last);

  for (TControl* parent : {static_cast<TControl*>(b.bar), static_cast<TControl*>(b.s.form.get())}) {
    try {
      b.Panel(1)->SetControl(parent);
      ADD_FAILURE() << "a parent was hosted";
    } catch (const EInvalidOperation& e) {
      EXPECT_EQ(e.Message(), "Can't insert own parent");
    }
  }
  EXPECT_EQ(b.Panel(1)->Control(), nullptr);
}

// Clicks go by the laid-out extents: the dropped middle panel is never
// clicked, and the last one is clicked wherever it stretches, also past its
// maximum width. A click is a press and a release on the same panel.
TEST(KivStatusBar, ClicksReachTheShownPanelsOverTheirExtents) {
  TBar b(200);
  b.Add(120);
  b.Add(120, 20);
  b.Add(60, 100, 40, 70);  // 122..202, though at most 70 wide
  b.s.Show();
  ASSERT_FALSE(b.Panel(1)->Shown());
  std::vector<int> clicks, double_clicks;
  b.bar->OnPanelClick.Handler = [&](TObject* bar, TKivStatusPanel* p) {
    EXPECT_EQ(bar, b.bar);
    clicks.push_back(p->Index());
  };
  b.bar->OnPanelDblClick.Handler = [&](TObject*, TKivStatusPanel* p) {
    double_clicks.push_back(p->Index());
  };
  HWND w = b.bar->Handle();
  auto click = [&](int down_x, int up_x) {
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down_x, 10));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(up_x, 10));
  };
  click(50, 50);
  click(130, 130);  // where the dropped panel would be
  click(195, 195);  // past the last one's maximum, in its stretch
  click(201, 201);
  click(1, 1);      // the border
  click(50, 150);   // pressed on one, released on another
  click(202, 202);  // right of the content
  EXPECT_EQ(clicks, (std::vector<int>{0, 2, 2, 2}));
  SendMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(160, 10));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(160, 10));
  EXPECT_EQ(double_clicks, (std::vector<int>{2}));
  // A disabled bar takes no clicks.
  clicks.clear();
  b.bar->SetEnabled(false);
  b.bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 10));
  b.bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(50, 10));
  EXPECT_TRUE(clicks.empty());
}

// A text too wide for its panel is drawn as some of its leading characters
// followed by "...": the painted bar equals the bar painted with such a
// shortened text. A longer front part and "..." no longer fits, so it is
// shortened to the same picture; a shorter one is drawn as it is.
TEST(KivStatusBar, TooLongTextsEndInAnEllipsis) {
  TBar b(200);
  TKivStatusPanel* p = b.Add(90);
  b.Add(60);
  b.s.Show();
  auto empty = PaintToMemory(*b.bar);
  const std::u16string text = u"Panels say more than they hold";
  p->SetText(text);
  auto long_text = PaintToMemory(*b.bar);
  ASSERT_NE(FirstDifference(*long_text, *empty), "") << "no text drawn";
  std::vector<size_t> matches;
  for (size_t k = 0; k <= text.size(); ++k) {
    p->SetText(text.substr(0, k) + u"...");
    if (FirstDifference(*long_text, *PaintToMemory(*b.bar)).empty()) matches.push_back(k);
  }
  ASSERT_FALSE(matches.empty());
  const size_t shown = matches.front();
  EXPECT_GT(shown, 0u);
  EXPECT_LT(shown, text.size());
  EXPECT_EQ(matches.size(), text.size() + 1 - shown);  // every longer front part
  // A text that fits is drawn whole: it differs from its own shortening.
  p->SetText(u"Ready");
  auto fits = PaintToMemory(*b.bar);
  p->SetText(u"Rea...");
  EXPECT_NE(FirstDifference(*fits, *PaintToMemory(*b.bar)), "");
}

// A panel's image from the bar's list sits at its place inside the panel:
// before the text (2 from the panel's left, centred vertically), or after
// it; ShowImage off or an index outside the list shows none.
// An owner-drawn panel gets its frame and background from the bar and is
// handed to OnDrawPanel with its rectangle, its own text left undrawn. A
// panel is named by its text, else by the control it hosts; copying the
// panels of one bar to another takes the hosted control of the same name
// among the form's components.
TEST(KivStatusBar, OwnerDrawnPanelsNamesAndCopies) {
  TBar b(200);
  TKivStatusPanel* p = b.Add(120);
  b.s.Show();
  const auto plain = PaintToMemory(*b.bar);
  std::vector<TRect> drawn;
  b.bar->OnDrawPanel.Handler = [&](TObject* bar, TKivStatusPanel* panel, const TRect& r) {
    EXPECT_EQ(bar, b.bar);
    EXPECT_EQ(panel, p);
    drawn.push_back(r);
  };
  p->SetText(u"Ready");
  const auto text = PaintToMemory(*b.bar);
  EXPECT_NE(FirstDifference(*text, *plain), "");
  EXPECT_TRUE(drawn.empty());
  p->SetStyle(psOwnerDraw);
  const auto owner = PaintToMemory(*b.bar);
  EXPECT_EQ(FirstDifference(*owner, *plain), "");
  EXPECT_EQ(drawn, (std::vector<TRect>{b.bar->GetPanelRect(0)}));

  EXPECT_EQ(p->DisplayName(), "Ready");
  auto* box = new TKivCheckBox(b.s.form.get());
  box->SetName("Box");
  TKivStatusPanel* hosting = b.Add(50);
  hosting->SetControl(box);
  EXPECT_EQ(hosting->DisplayName(), "[ Box ]");
  hosting->SetControl(nullptr);
  EXPECT_NE(hosting->DisplayName(), "[ Box ]");
  hosting->SetControl(box);

  auto* other = new TKivStatusBar(b.s.form.get());
  other->SetBounds(0, 40, 204, 22);
  other->SetParent(b.s.form.get());
  other->SetPanels(b.bar->Panels());
  ASSERT_EQ(other->Panels()->Count(), 2);
  EXPECT_EQ(other->Panels()->Items(0)->Text(), u"Ready");
  EXPECT_EQ(other->Panels()->Items(0)->Style(), psOwnerDraw);
  EXPECT_EQ(other->Panels()->Items(1)->Width(), 50);
  EXPECT_EQ(other->Panels()->Items(1)->Control(), box);
  EXPECT_EQ(box->Parent(), other);
}

TEST(KivStatusBar, PanelImagesFromTheBarsList) {
  TBar b(200);
  TImageList images(nullptr);
  images.SetSize(8, 8);
  TBitmap red;
  red.SetPixelFormat(pf32bit);
  red.SetSize(8, 8);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(TRect{0, 0, 8, 8});
  images.AddMasked(&red, clFuchsia);
  b.bar->SetImages(&images);
  TKivStatusPanel* p = b.Add(100);
  p->SetImageIndex(0);
  b.s.Show();
  // Panel 2..102; its content box is 96 x 16, so the image lies at
  // (2 + 2, 2 + 4) before the text and at (2 + 96 - 2 - 8, 6) after it.
  auto red_at = [&](int x, int y) {
    auto m = PaintToMemory(*b.bar);
    return (m->At(x, y) & 0xFFFFFF) == 0xFF0000 && (m->At(x + 7, y + 7) & 0xFFFFFF) == 0xFF0000;
  };
  EXPECT_TRUE(red_at(4, 6));
  p->SetLayout(sglGlyphRight);
  EXPECT_TRUE(red_at(88, 6));
  EXPECT_FALSE(red_at(4, 6));
  p->SetShowImage(false);
  EXPECT_FALSE(red_at(88, 6));
  p->SetShowImage(true);
  p->SetImageIndex(1);
  EXPECT_FALSE(red_at(88, 6));
  b.bar->SetImages(nullptr);
}

// The grip shows only in the form's bottom-right corner; over it the
// pointer is the sizing cursor, while the bar's own Cursor stays as set.
TEST(KivStatusBar, SizeGripInTheFormsCornerOnly) {
  TBar b(200);
  b.Add(80);
  b.s.Show();
  b.bar->SetCursor(crHandPoint);
  struct Case {
    const char* what;
    TAlign align;
    bool size_grip;
    bool shown;
  };
  for (const Case& c : {Case{"bottom", alBottom, true, true}, Case{"top", alTop, true, false},
                        Case{"bottom, no grip", alBottom, false, false},
                        Case{"bottom again", alBottom, true, true}}) {
    SCOPED_TRACE(c.what);
    b.bar->SetAlign(c.align);
    b.bar->SetSizeGrip(c.size_grip);
    EXPECT_EQ(b.bar->SizeGripShown(), c.shown);
    const TPoint on_grip = Point(b.bar->Width() - 5, 10);
    EXPECT_EQ(b.bar->CursorAt(on_grip), c.shown ? crSizeNWSE : crHandPoint);
    EXPECT_EQ(b.bar->CursorAt(Point(20, 10)), crHandPoint);
    EXPECT_EQ(b.bar->Cursor(), crHandPoint);
  }
  const TRect content = b.bar->ContentRect();
  EXPECT_EQ(b.bar->GetSizeGripRect(),
            Rect(content.Right - content.Height(), content.Top, content.Right, content.Bottom));
}

// The visual-styles look is the platform's "Status" drawing: the bar, each
// pane cut to its panel over the bar, the last one the gripper pane, and the
// gripper in the grip's square.
TEST(KivStatusBar, VisualStylesLookIsThePlatformsStatusDrawing) {
  if (!VisualStylesActive()) GTEST_SKIP() << "classic look";
  TBar b(260);
  b.Add(80);
  b.Add(60, 0);  // never shown
  b.Add(70, 100, 10);
  b.bar->SetAlign(alBottom);
  b.s.Show();
  ASSERT_TRUE(b.bar->SizeGripShown());
  HTHEME theme = OpenThemeData(b.bar->Handle(), L"Status");
  ASSERT_NE(theme, nullptr) << "the style has no status bar";
  const int w = b.bar->Width(), h = b.bar->Height();
  kivtest::TMemoryDC want(w, h, true);
  const RECT all{0, 0, w, h};
  DrawThemeBackground(theme, want.dc, 0, 0, &all, nullptr);
  for (int i : {0, 2}) {
    const TRect r = b.bar->GetPanelRect(i);
    RECT pr{r.Left, r.Top, r.Right, r.Bottom};
    const int saved = SaveDC(want.dc);
    IntersectClipRect(want.dc, r.Left, r.Top, r.Right, r.Bottom);
    DrawThemeBackground(theme, want.dc, 0, 0, &all, nullptr);
    DrawThemeBackground(theme, want.dc, i == 2 ? SP_GRIPPERPANE : SP_PANE, 0, &pr, nullptr);
    RestoreDC(want.dc, saved);
  }
  const TRect g = b.bar->GetSizeGripRect();
  RECT gr{g.Left, g.Top, g.Right, g.Bottom};
  DrawThemeBackground(theme, want.dc, SP_GRIPPER, 0, &gr, nullptr);
  GdiFlush();
  EXPECT_EQ(FirstDifference(*PaintToMemory(*b.bar), want), "");
  CloseThemeData(theme);
}

// Classic: a framed panel is sunk (shadow top-left, highlight bottom-right),
// an unframed one is plain, and the grip is the platform's size-grip frame
// control in the grip's square less one pixel.
TEST(KivStatusBar, ClassicLookFramesPanelsAndDrawsThePlatformsGrip) {
  if (VisualStylesActive()) GTEST_SKIP() << "visual-styles look";
  TBar b(260);
  b.Add(80);
  b.Add(70)->SetFramed(false);
  b.bar->SetAlign(alBottom);
  b.s.Show();
  ASSERT_TRUE(b.bar->SizeGripShown());
  auto m = PaintToMemory(*b.bar);
  EXPECT_EQ(m->At(2, 2) & 0xFFFFFF, Px(COLOR_BTNSHADOW));
  EXPECT_EQ(m->At(40, 2) & 0xFFFFFF, Px(COLOR_BTNSHADOW));
  EXPECT_EQ(m->At(81, 19) & 0xFFFFFF, Px(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(m->At(81, 10) & 0xFFFFFF, Px(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(m->At(82, 2) & 0xFFFFFF, Px(COLOR_BTNFACE));  // the unframed one
  EXPECT_EQ(m->At(151, 19) & 0xFFFFFF, Px(COLOR_BTNFACE));
  EXPECT_EQ(m->At(0, 0) & 0xFFFFFF, Px(COLOR_BTNFACE));  // the border rings

  b.bar->SetSizeGrip(false);
  auto want = PaintToMemory(*b.bar);
  const TRect g = b.bar->GetSizeGripRect();
  RECT gr{g.Left + 1, g.Top + 1, g.Right - 1, g.Bottom - 1};
  DrawFrameControl(want->dc, &gr, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  GdiFlush();
  b.bar->SetSizeGrip(true);
  EXPECT_EQ(FirstDifference(*PaintToMemory(*b.bar), *want), "");
}

// Has a status-bar look for "default" and records what it is asked to draw;
// its content rectangle is the built-in one (5 and 2 pixels in).
class TStatusTheme : public TkivTheme {
 public:
  std::vector<std::string>* calls;
  explicit TStatusTheme(std::vector<std::string>* log) : calls(log) {}
  bool SupportsStatusBar(uint8_t, const std::string& object) override {
    return object == "default";
  }
  static std::string Where(const TRect& r) {
    return std::to_string(r.Left) + ".." + std::to_string(r.Right);
  }
  void PaintStatusBar(uint8_t, TCanvas&, const std::string&, const TRect& r) override {
    calls->push_back("bar " + Where(r));
  }
  void PaintStatusPanel(uint8_t, TCanvas&, const std::string&, const TkivStateInfo& i) override {
    calls->push_back("panel " + Where(i.Rect) + " " + std::to_string(i.State));
  }
  void PaintStatusText(uint8_t, TCanvas&, const std::string&, const TkivTextInfo& t,
                       const TkivStateInfo&) override {
    calls->push_back("text " + std::string(t.Text.begin(), t.Text.end()));
  }
};

TEST(KivStatusBar, ACurrentThemeLaysOutAndDrawsTheBar) {
  std::vector<std::string> calls;
  SetCurrentTheme(std::make_unique<TStatusTheme>(&calls));
  struct Restore {
    ~Restore() { SetCurrentTheme(nullptr); }
  } restore;
  TBar b(200);
  b.Add(80)->SetText(u"One");
  b.Add(60, 100, 10);
  b.bar->SetAlign(alBottom);
  b.s.Show();
  EXPECT_TRUE(b.bar->ThemeMode());
  EXPECT_EQ(b.bar->ContentRect(), Rect(5, 2, 199, 20));
  EXPECT_EQ(b.Panel(1)->PanelRight(), 199);
  calls.clear();
  PaintToMemory(*b.bar);
  EXPECT_EQ(calls, (std::vector<std::string>{"bar 0..204", "panel 5..85 0", "text One",
                                             "panel 85..199 2", "panel 181..199 3"}));
}

// Values that differ from a new bar's are kept through the form stream, in
// both of its forms, with the panels and their hosted control; a new bar
// writes none of its declared defaults.
TEST(KivStatusBar, FormStreamsKeepBarPanelsAndHostedControls) {
  RegisterKivControls();
  TForm form(nullptr);
  form.SetName("F");
  form.SetBounds(0, 0, 300, 100);
  auto* bar = new TKivStatusBar(&form);
  bar->SetName("S");
  bar->SetParent(&form);
  bar->SetAlign(alTop);
  bar->SetHeight(20);
  auto* box = new TKivCheckBox(&form);
  box->SetName("C");
  TKivStatusPanel* p = bar->Panels()->Add();
  p->SetText(u"Ready");
  p->SetMaxWidth(300);
  p->SetWidth(120);
  p->SetViewPriority(70);
  p->SetStretchPriority(30);
  p->SetAlignment(taCenter);
  p->SetFramed(false);
  bar->Panels()->Add()->SetControl(box);
  for (bool text : {true, false}) {
    SCOPED_TRACE(text ? "text" : "binary");
    TForm fresh(nullptr);
    if (text) {
      TextToComponent(ComponentToText(&form), &fresh);
    } else {
      TMemoryStream stream;
      stream.WriteComponent(&form);
      stream.SetPosition(0);
      stream.ReadComponent(&fresh);
    }
    auto* read = dynamic_cast<TKivStatusBar*>(fresh.FindComponent("S"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Align(), alTop);
    EXPECT_EQ(read->Height(), 20);
    ASSERT_EQ(read->Panels()->Count(), 2);
    TKivStatusPanel* q = read->Panels()->Items(0);
    EXPECT_EQ(q->Text(), u"Ready");
    EXPECT_EQ(q->Width(), 120);
    EXPECT_EQ(q->MaxWidth(), 300);
    EXPECT_EQ(q->ViewPriority(), 70);
    EXPECT_EQ(q->StretchPriority(), 30);
    EXPECT_EQ(q->Alignment(), taCenter);
    EXPECT_FALSE(q->Framed());
    TControl* hosted = read->Panels()->Items(1)->Control();
    ASSERT_NE(hosted, nullptr);
    EXPECT_EQ(hosted, fresh.FindComponent("C"));
    EXPECT_EQ(hosted->Parent(), read);
    EXPECT_EQ(hosted->BoundsRect(), read->GetPanelContentRect(read->Panels()->Items(1)));
  }

  TForm plain_form(nullptr);
  auto* plain = new TKivStatusBar(&plain_form);
  plain->SetName("P");
  plain->SetParent(&plain_form);
  const std::string text = ComponentToText(plain);
  for (const char* name : {"Align", "BorderWidth", "BevelInner", "BevelOuter", "BevelWidth",
                           "SizeGrip", "Performance", "Color"})
    EXPECT_EQ(text.find("\n  " + std::string(name) + " ="), std::string::npos)
        << name << " written:\n"
        << text;
  EXPECT_NE(text.find("\n  Height = 22"), std::string::npos) << text;
}

}  // namespace
}  // namespace kiv
