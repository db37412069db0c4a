// The header panel on a real window: its caption bar, button and child
// area, the look that draws it (the classic one wherever the visual style
// lacks the panel's parts), the caption button, cursors and hints, the
// theme's drawings, and the form stream.
#include <windows.h>
// after windows.h, which they need
#include <uxtheme.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/kiv_controls_unit_win32.hpp"
#include "controls/kiv_header_panel_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_utils.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {
namespace {

using ctltest::PaintToMemory;
using ctltest::TShownForm;

LPARAM At(int x, int y) {
  return MAKELPARAM(x, y);
}

TKivHeaderPanel* NewPanel(TShownForm& s, int left = 10, int top = 10, int width = 100,
                          int height = 90) {
  auto* p = new TKivHeaderPanel(s.form.get());
  p->SetBounds(left, top, width, height);
  p->SetParent(s.form.get());
  return p;
}

uint32_t Rgb(TColor c) {
  const COLORREF ref = ColorToRGB(c);
  return (ref & 0xFF) << 16 | (ref & 0xFF00) | (ref >> 16 & 0xFF);
}

TEST(KivHeaderPanel, ConstructionValuesAndRegistration) {
  TShownForm s;
  auto* p = NewPanel(s);
  auto* fresh = new TKivHeaderPanel(s.form.get());
  EXPECT_EQ(fresh->Width(), 100);
  EXPECT_EQ(fresh->Height(), 90);
  EXPECT_EQ(fresh->Color(), clWindow);
  EXPECT_EQ(fresh->CaptionHeight(), 20);
  EXPECT_EQ(fresh->BorderWidth(), 3);
  EXPECT_EQ(fresh->BevelWidth(), 1);
  EXPECT_TRUE(fresh->ShowCaption() && fresh->ShowButton() && fresh->ShowBevel());
  EXPECT_EQ(fresh->ButtonKind(), qpbkRollUp);
  EXPECT_EQ(fresh->ThemeObject(), "default");
  EXPECT_EQ(fresh->Performance(), qspNoBuffer);
  // The control base's own frame stays empty: it draws none.
  EXPECT_EQ(fresh->GetInnerRect(), (TRect{0, 0, 100, 90}));
  const auto& clients = ThemeManager().Clients();
  EXPECT_NE(std::find(clients.begin(), clients.end(), p), clients.end());
  delete p;
  EXPECT_EQ(std::find(clients.begin(), clients.end(), p), clients.end());
}

// Wine's visual style has no "ExplorerBar" class (OpenThemeData fails): the
// panel then lays out and draws in the classic look, as it does with the
// visual styles off.
TEST(KivHeaderPanel, WithoutThePanelsStyleClassTheClassicLookLaysOut) {
  TShownForm s;
  auto* p = NewPanel(s);
  s.Show();
  HTHEME data = VisualStylesActive() ? OpenThemeData(p->Handle(), L"ExplorerBar") : nullptr;
  if (data) {
    CloseThemeData(data);
    GTEST_SKIP() << "the active visual style has the panel's class";
  }
  EXPECT_FALSE(p->VisualStylesLook());
  EXPECT_EQ(p->GetCaptionRect(), (TRect{1, 1, 99, 21}));
}

// Caption, button and child areas in the look that draws the panel; a child
// aligned to the client fills the child area.
TEST(KivHeaderPanel, CaptionButtonAndChildAreas) {
  struct Case {
    const char* what;
    int width, height;
    bool show_caption, show_button, show_bevel;
    int border, bevel;
    TRect classic_caption, styled_caption, button_classic, client;
  };
  const Case cases[] = {
      {"the viewer's strip",
       277,
       39,
       false,
       false,
       true,
       3,
       1,
       {1, 1, 276, 21},
       {0, 0, 277, 20},
       {},
       {4, 4, 273, 35}},
      {"caption and button",
       100,
       90,
       true,
       true,
       true,
       3,
       1,
       {1, 1, 99, 21},
       {0, 0, 100, 20},
       {81, 3, 97, 19},
       {4, 24, 96, 86}},
      {"no bevel",
       100,
       90,
       true,
       true,
       false,
       3,
       1,
       {0, 0, 100, 20},
       {0, 0, 100, 20},
       {82, 2, 98, 18},
       {3, 23, 97, 87}},
      {"wide border and bevel",
       200,
       100,
       true,
       true,
       true,
       5,
       3,
       {3, 3, 197, 23},
       {0, 0, 200, 20},
       {179, 5, 195, 21},
       {8, 28, 192, 92}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TShownForm s(320, 200);
    auto* p = NewPanel(s, 10, 10, c.width, c.height);
    p->SetShowCaption(c.show_caption);
    p->SetShowButton(c.show_button);
    p->SetShowBevel(c.show_bevel);
    p->SetBorderWidth(c.border);
    p->SetBevelWidth(c.bevel);
    auto* child = new TKivControl(s.form.get());
    child->SetParent(p);
    child->SetAlign(alClient);
    s.Show();
    const bool styled = p->VisualStylesLook();
    const TRect caption = styled ? c.styled_caption : c.classic_caption;
    EXPECT_EQ(p->GetCaptionRect(), caption);
    if (c.show_caption && c.show_button) {
      TRect button = caption;
      button.Left = button.Right - button.Height();
      EXPECT_EQ(p->ButtonRect(), InflateRectBy(button, -2));
      if (!styled) {
        EXPECT_EQ(p->ButtonRect(), c.button_classic);
      }
    } else {
      EXPECT_TRUE(p->ButtonRect().IsEmpty());
    }
    TRect client = c.client;
    if (c.show_caption) client.Top = c.client.Top - c.classic_caption.Height() + caption.Height();
    EXPECT_EQ(p->ClientRect(), client);
    EXPECT_EQ(child->BoundsRect(), client);
  }
}

// The classic look: a clWindow body framed by the etched line, a
// clBtnFace caption bar, the platform's scroll arrow for the button; every
// pixel painted, whatever was there before.
TEST(KivHeaderPanel, ClassicLookPaintsEveryPixel) {
  TShownForm s;
  auto* p = NewPanel(s);
  s.Show();
  if (p->VisualStylesLook()) GTEST_SKIP() << "the visual styles draw the panel";
  for (uint32_t marker : {0x00123456u, 0x00FEDCBAu}) {
    auto m = PaintToMemory(*p, marker);
    int stale = 0;
    for (int y = 0; y < 90; ++y)
      for (int x = 0; x < 100; ++x) stale += (m->At(x, y) & 0xFFFFFF) == marker;
    EXPECT_EQ(stale, 0);
    EXPECT_EQ(m->At(0, 50) & 0xFFFFFF, Rgb(clBtnShadow));
    EXPECT_EQ(m->At(1, 50) & 0xFFFFFF, Rgb(clBtnHighlight));
    EXPECT_EQ(m->At(98, 50) & 0xFFFFFF, Rgb(clBtnShadow));
    EXPECT_EQ(m->At(99, 50) & 0xFFFFFF, Rgb(clBtnHighlight));
    EXPECT_EQ(m->At(50, 50) & 0xFFFFFF, Rgb(clWindow));
    EXPECT_EQ(m->At(40, 10) & 0xFFFFFF, Rgb(clBtnFace));  // caption bar, no text
  }
  // The button's picture inside its two outline rings is the platform's
  // scroll arrow of that size, up while unrolled.
  const TRect br = p->ButtonRect();
  auto m = PaintToMemory(*p);
  kivtest::TMemoryDC arrow(br.Width(), br.Height(), true);
  RECT ar{0, 0, br.Width(), br.Height()};
  DrawFrameControl(arrow.dc, &ar, DFC_SCROLL, DFCS_SCROLLUP);
  GdiFlush();
  for (int y = 2; y < br.Height() - 2; ++y)
    for (int x = 2; x < br.Width() - 2; ++x)
      ASSERT_EQ(m->At(br.Left + x, br.Top + y) & 0xFFFFFF, arrow.At(x, y) & 0xFFFFFF)
          << x << "," << y;
}

// The caption button: hot under the pointer, pressed while the left button
// is held on it; a press and a release on it act, a release elsewhere or a
// press that began elsewhere does not.
TEST(KivHeaderPanel, CaptionButtonStatesAndActions) {
  TShownForm s;
  auto* p = NewPanel(s);
  std::vector<std::string> log;
  p->OnButtonClick.Handler = [&](TObject*) { log.push_back("click"); };
  p->OnHide.Handler = [&](TObject*) { log.push_back(p->Visible() ? "hide, visible" : "hide"); };
  s.Show();
  HWND w = p->Handle();
  SendMessageW(w, WM_MOUSEMOVE, 0, At(90, 10));
  EXPECT_TRUE(p->ButtonHot());
  SendMessageW(w, WM_MOUSEMOVE, 0, At(50, 10));
  EXPECT_FALSE(p->ButtonHot());
  SendMessageW(w, WM_MOUSEMOVE, 0, At(90, 10));
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(90, 10));
  EXPECT_TRUE(p->ButtonPressed());
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(50, 50));
  EXPECT_FALSE(p->ButtonPressed());
  SendMessageW(w, WM_LBUTTONUP, 0, At(50, 50));
  EXPECT_TRUE(log.empty());
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 50));
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(90, 10));
  EXPECT_FALSE(p->ButtonPressed());
  SendMessageW(w, WM_LBUTTONUP, 0, At(90, 10));
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(p->Rolled());
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(90, 10));
  SendMessageW(w, WM_LBUTTONUP, 0, At(90, 10));
  EXPECT_TRUE(p->Rolled());
  EXPECT_EQ(p->Height(), 22);
  EXPECT_EQ(log, (std::vector<std::string>{"click"}));
  p->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(p->ButtonHot());

  log.clear();
  p->SetRolled(false);
  p->SetButtonKind(qpbkClose);
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(90, 10));
  SendMessageW(w, WM_LBUTTONUP, 0, At(90, 10));
  EXPECT_EQ(log, (std::vector<std::string>{"hide, visible", "click"}));
  EXPECT_FALSE(p->Visible());
}

// The caption's and the button's cursors show only while the pointer is
// over them; the panel's own Cursor is never replaced.
TEST(KivHeaderPanel, CaptionAndButtonCursorsShowOnlyOverThem) {
  TShownForm s;
  auto* p = NewPanel(s);
  p->SetCursor(crHandPoint);
  p->SetCaptionCursor(crIBeam);
  p->SetButtonCursor(crCross);
  s.Show();
  const TPoint origin = p->ClientOrigin();
  struct Case {
    int x, y;
    LPCWSTR want;
  };
  const Case cases[] = {{50, 10, IDC_IBEAM}, {90, 10, IDC_CROSS}, {50, 60, IDC_HAND},
                        {90, 10, IDC_CROSS}, {50, 10, IDC_IBEAM}, {50, 80, IDC_HAND}};
  for (const Case& c : cases) {
    SetCursorPos(origin.X + c.x, origin.Y + c.y);
    SendMessageW(p->Handle(), WM_MOUSEMOVE, 0, At(c.x, c.y));
    SendMessageW(p->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(p->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.want)) << c.x << "," << c.y;
    EXPECT_EQ(p->Cursor(), crHandPoint);
  }
  // Without a caption bar its area is the body's.
  p->SetShowCaption(false);
  SetCursorPos(origin.X + 50, origin.Y + 10);
  SendMessageW(p->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(p->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST(KivHeaderPanel, HintsOverTheCaptionBarAndItsButton) {
  TShownForm s;
  auto* p = NewPanel(s);
  p->SetHint(L"panel");
  p->SetCaptionHint("caption");
  p->SetButtonHint("button");
  s.Show();
  const TPoint origin = p->ClientOrigin();
  auto hint_at = [&](int x, int y) {
    SendMessageW(p->Handle(), WM_MOUSEMOVE, 0, At(x, y));
    THintInfo info{p, {origin.X + x, origin.Y + y}, p->Hint()};
    p->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&info));
    return info.HintStr;
  };
  EXPECT_EQ(hint_at(50, 10), L"caption");
  EXPECT_EQ(hint_at(90, 10), L"button");
  EXPECT_EQ(hint_at(50, 50), L"panel");
  p->SetShowButton(false);
  EXPECT_EQ(hint_at(90, 10), L"caption");
}

// Records what a current theme with a panel look is asked to draw.
class TPanelTheme : public TkivTheme {
 public:
  std::vector<std::string> calls;
  bool SupportsPanel(uint8_t kind, const std::string& object) override {
    return kind == 1 && object == "default";
  }
  void PaintPanel(uint8_t, TCanvas&, const std::string& object, const TRect& r) override {
    calls.push_back("body " + object + Text(r));
  }
  void PaintPanelCaption(uint8_t, TCanvas&, const std::string& object, const TRect& r) override {
    calls.push_back("caption " + object + Text(r));
  }
  void PaintPanelText(uint8_t, TCanvas&, const std::string& object, const TkivTextInfo& t,
                      const TRect& r) override {
    calls.push_back("text " + object + Text(r) + " " + std::string(t.Text.begin(), t.Text.end()));
  }
  void PaintPanelButton(uint8_t, TCanvas&, const std::string& object,
                        const TkivPartInfo& info) override {
    calls.push_back("button " + object + Text(info.Rect) + " picture " + std::to_string(info.Part) +
                    " state " + std::to_string(info.State));
  }
  static std::string Text(const TRect& r) {
    return " (" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
           std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ")";
  }
};

TEST(KivHeaderPanel, ACurrentThemeWithAPanelLookDrawsIt) {
  TShownForm s;
  auto* p = NewPanel(s);
  p->SetCaption(L"Tools");
  p->SetThemeObject("glass");  // unknown: the current theme's "default" serves
  s.Show();
  ctltest::TCurrentThemeOf<TPanelTheme> current;
  TPanelTheme* theme = current.theme;
  ASSERT_TRUE(p->ThemeMode());
  // The theme's caption bar and body tile the panel.
  EXPECT_EQ(p->GetCaptionRect(), (TRect{0, 0, 100, 20}));
  EXPECT_EQ(p->ButtonRect(), (TRect{82, 2, 98, 18}));
  struct Case {
    const char* what;
    std::function<void()> act;
    const char* button;
  };
  const Case cases[] = {
      {"normal", [] {}, "picture 1 state 0"},
      {"hot", [&] { SendMessageW(p->Handle(), WM_MOUSEMOVE, 0, At(90, 10)); }, "picture 1 state 1"},
      {"pressed", [&] { SendMessageW(p->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(90, 10)); },
       "picture 1 state 2"},
      {"rolled",
       [&] {
         SendMessageW(p->Handle(), WM_LBUTTONUP, 0, At(90, 10));
         p->Perform(CM_MOUSELEAVE);
       },
       "picture 2 state 0"},
      {"close kind, disabled",
       [&] {
         p->SetButtonKind(qpbkClose);
         p->SetEnabled(false);
       },
       "picture 3 state 3"},
  };
  for (const Case& c : cases) {
    c.act();
    theme->calls.clear();
    PaintToMemory(*p);
    const int h = p->Height();
    EXPECT_EQ(theme->calls, (std::vector<std::string>{
                                "body glass (0,20,100," + std::to_string(h) + ")",
                                "caption glass (0,0,100,20)", "text default (5,0,95,20) Tools",
                                std::string("button glass (82,2,98,18) ") + c.button}))
        << c.what;
  }
}

// The text without its blanks and line breaks.
std::string Squeezed(const std::string& text) {
  std::string out;
  for (char ch : text)
    if (ch != ' ' && ch != '\n' && ch != '\r') out += ch;
  return out;
}

// The viewer's bottom strip, read from its form text: every setting reads
// back, and the panel written again gives the same text (the normal height
// always stored, as 4 bytes).
TEST(KivHeaderPanel, StreamsThroughTheFormText) {
  RegisterKivControls();
  const std::string strip =
      "object F: TForm\n"
      "  object KivHeaderPanel1: TKivHeaderPanel\n"
      "    Left = 0\n"
      "    Top = 395\n"
      "    Width = 277\n"
      "    Height = 39\n"
      "    Align = alBottom\n"
      "    Caption = 'KivHeaderPanel1'\n"
      "    Performance = qspNoBuffer\n"
      "    ShowCaption = False\n"
      "    ShowButton = False\n"
      "    ShowBevel = True\n"
      "    BevelWidth = 1\n"
      "    BorderWidth = 3\n"
      "    CaptionHeight = 20\n"
      "    ButtonKind = qpbkRollUp\n"
      "    ThemeObject = 'default'\n"
      "    NormalHeight = {00000000}\n"
      "  end\n"
      "end\n";
  TForm form(nullptr);
  TextToComponent(strip, &form);
  auto* p = dynamic_cast<TKivHeaderPanel*>(form.FindComponent("KivHeaderPanel1"));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Align(), alBottom);
  EXPECT_EQ(p->Caption(), L"KivHeaderPanel1");
  EXPECT_EQ(p->Performance(), qspNoBuffer);
  EXPECT_FALSE(p->ShowCaption());
  EXPECT_FALSE(p->ShowButton());
  EXPECT_TRUE(p->ShowBevel());
  EXPECT_EQ(p->BevelWidth(), 1);
  EXPECT_EQ(p->BorderWidth(), 3);
  EXPECT_EQ(p->CaptionHeight(), 20);
  EXPECT_EQ(p->ButtonKind(), qpbkRollUp);
  EXPECT_FALSE(p->Rolled() || p->AnimateRoll() || p->ParentRoll() || p->LinkPanels());
  EXPECT_EQ(p->NormalHeight(), 0);
  EXPECT_EQ(p->ClientRect(), (TRect{4, 4, p->Width() - 4, 35}));
  const std::string written = ComponentToText(&form);
  EXPECT_NE(Squeezed(written).find("NormalHeight={00000000}"), std::string::npos) << written;
  TForm again(nullptr);
  TextToComponent(written, &again);
  EXPECT_EQ(ComponentToText(&again), written);

  // A rolled panel with every other setting changed reads back rolled, with
  // its normal height, and rolls down to it.
  TForm rolled_form(nullptr);
  rolled_form.SetName("G");
  auto* r = new TKivHeaderPanel(&rolled_form);
  r->SetName("P");
  r->SetParent(&rolled_form);
  r->SetCaptionHint("c");
  r->SetButtonHint("b");
  r->SetCaptionCursor(crHandPoint);
  r->SetButtonCursor(crCross);
  r->SetLinkPanels(true);
  r->SetThemeObject("glass");
  r->SetColor(clBtnFace);
  r->SetPerformance(qspDoubleBuffer);
  r->SetRolled(true);
  r->SetAnimateRoll(true);
  r->SetParentRoll(true);
  ASSERT_EQ(r->Height(), 22);
  const std::string text = ComponentToText(&rolled_form);
  EXPECT_NE(Squeezed(text).find("NormalHeight={5A000000}"), std::string::npos) << text;
  TForm read(nullptr);
  TextToComponent(text, &read);
  auto* back = dynamic_cast<TKivHeaderPanel*>(read.FindComponent("P"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(ComponentToText(&read), text);
  EXPECT_TRUE(back->Rolled());
  EXPECT_EQ(back->Height(), 22);
  EXPECT_EQ(back->NormalHeight(), 90);
  EXPECT_EQ(back->CaptionCursor(), crHandPoint);
  EXPECT_EQ(back->ThemeObject(), "glass");
  EXPECT_TRUE(back->AnimateRoll() && back->ParentRoll() && back->LinkPanels());
  back->SetAnimateRoll(false);
  back->SetRolled(false);
  EXPECT_EQ(back->Height(), 90);

  // A normal height shorter than its 4 bytes is a read error.
  TForm bad(nullptr);
  EXPECT_THROW(TextToComponent("object F: TForm\n"
                               "  object P: TKivHeaderPanel\n"
                               "    NormalHeight = {5A00}\n"
                               "  end\n"
                               "end\n",
                               &bad),
               EReadError);
}

}  // namespace
}  // namespace kiv
