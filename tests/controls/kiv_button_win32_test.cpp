// The push button: kinds and their resource glyphs, glyph cells, the mouse,
// keyboard and form behaviour through real messages, and its faces in the
// visual-styles look (against the platform's own drawing) and the classic one.
#include <windows.h>
// after windows.h, which they need
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/filer.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {
namespace {

using ctltest::FirstDifference;
using ctltest::PaintToMemory;
using ctltest::TShownForm;

LPARAM At(int x, int y) {
  return MAKELPARAM(x, y);
}

TKivButton* NewButton(TShownForm& s, int left = 10, int top = 10) {
  auto* b = new TKivButton(s.form.get());
  b->SetBounds(left, top, 75, 25);
  b->SetParent(s.form.get());
  return b;
}

std::unique_ptr<TBitmap> Strip(int width, int height) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf32bit);
  bmp->SetSize(width, height);
  return bmp;
}

TEST(KivButton, ConstructionValuesAndRegistration) {
  TShownForm s;
  auto* b = NewButton(s);
  EXPECT_EQ(b->Performance(), qspDoubleBuffer);
  EXPECT_TRUE(b->TabStop());
  EXPECT_EQ(b->NumGlyphs(), 1);
  EXPECT_EQ(b->Spacing(), 4);
  EXPECT_EQ(b->ImageIndex(), -1);
  EXPECT_EQ(b->ThemeObject(), "default");
  EXPECT_EQ(b->Alignment(), taCenter);
  EXPECT_FALSE(b->ThemeMode());  // no theme is current
  const auto& clients = ThemeManager().Clients();
  EXPECT_NE(std::find(clients.begin(), clients.end(), b), clients.end());
  delete b;
  EXPECT_EQ(std::find(clients.begin(), clients.end(), b), clients.end());
}

TEST(KivButton, GlyphStripsSetTheCellCount) {
  TShownForm s;
  auto* b = NewButton(s);
  struct Case {
    int width, want;
  };
  b->SetNumGlyphs(3);
  for (const Case& c :
       {Case{32, 2}, Case{48, 3}, Case{64, 4}, Case{80, 1}, Case{40, 1}, Case{0, 1}}) {
    auto strip = Strip(c.width, 16);
    b->SetGlyph(strip.get());
    EXPECT_EQ(b->NumGlyphs(), c.want) << c.width;
  }
  b->SetNumGlyphs(3);
  auto empty = Strip(0, 16);
  b->SetGlyph(empty.get());
  EXPECT_EQ(b->NumGlyphs(), 3);  // a strip 0 wide leaves the count
  b->SetNumGlyphs(0);
  EXPECT_EQ(b->NumGlyphs(), 1);
  b->SetNumGlyphs(9);
  EXPECT_EQ(b->NumGlyphs(), 4);
}

// Every kind finds its glyph in this program's resources: 32 x 16, two
// cells, keyed by its bottom-left pixel; the disabled cell shows in greys.
TEST(KivButton, KindsBringCaptionModalResultDefaultAndTheLibrarysGlyph) {
  TShownForm s;
  auto* b = NewButton(s);
  for (int k = bkOK; k <= bkAll; ++k) {
    b->SetKind(static_cast<TBitBtnKind>(k));
    const TKivButtonKindInfo& info = ButtonKindInfo(static_cast<TBitBtnKind>(k));
    EXPECT_EQ(b->Caption(), info.Caption);
    EXPECT_EQ(b->ModalResult(), info.ModalResult);
    EXPECT_EQ(b->Default(), info.Default);
    EXPECT_EQ(b->Glyph()->Width(), 32) << k;
    EXPECT_EQ(b->Glyph()->Height(), 16);
    EXPECT_EQ(b->NumGlyphs(), 2);
    const TColor key = b->Glyph()->Canvas()->Pixel(0, 15);
    EXPECT_EQ(key, 0x00808000) << "teal";
    bool greys_only = true, picture = false;
    for (int y = 0; y < 16; ++y)
      for (int x = 16; x < 32; ++x) {
        const TColor c = b->Glyph()->Canvas()->Pixel(x, y);
        if (c == key) continue;
        picture = true;
        greys_only &= (c & 0xFF) == (c >> 8 & 0xFF) && (c & 0xFF) == (c >> 16 & 0xFF);
      }
    EXPECT_TRUE(picture && greys_only) << k;
  }
  b->SetCaption(L"Mine");
  b->SetKind(bkCustom);
  EXPECT_EQ(b->Caption(), L"Mine");
}

// The glyph cell a state shows, read back from the painted button.
TEST(KivButton, DisabledButtonsShowTheirDisabledCellOrGreys) {
  TShownForm s;
  auto* b = NewButton(s);
  s.Show();
  // Two cells: left red, right blue, on a white key.
  auto strip = Strip(32, 16);
  TCanvas* c = strip->Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(TRect{0, 0, 32, 16});
  c->Brush()->SetColor(clRed);
  c->FillRect(TRect{2, 2, 14, 14});
  c->Brush()->SetColor(clBlue);
  c->FillRect(TRect{18, 2, 30, 14});
  strip->Modified();
  b->SetGlyph(strip.get());
  ASSERT_EQ(b->NumGlyphs(), 2);
  // No caption: the glyph is centred, (75 - 16) / 2 = 29, (25 - 16) / 2 = 4.
  auto count = [&](uint32_t px) {
    auto m = PaintToMemory(*b);
    int n = 0;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 75; ++x) n += (m->At(x, y) & 0xFFFFFF) == px;
    return n;
  };
  EXPECT_EQ(count(0xFF0000), 144);
  b->SetEnabled(false);
  EXPECT_EQ(count(0x0000FF), 144);
  EXPECT_EQ(count(0xFF0000), 0);
  b->SetNumGlyphs(1);  // one cell: red drawn in light greys
  auto m = PaintToMemory(*b);
  // The strip is one cell 32 wide now: (75 - 36) / 2 + 2 = 21.
  const uint32_t p = m->At(21 + 7, 4 + 7) & 0xFFFFFF;
  EXPECT_EQ(p & 0xFF, p >> 16);
  EXPECT_GE(int(p & 0xFF), 160);
  EXPECT_LE(int(p & 0xFF), 210);
}

TEST(KivButton, DisablingClearsPressedAndTheCellStaysInTheStrip) {
  TShownForm s;
  auto* b = NewButton(s);
  s.Show();
  auto strip = Strip(48, 16);
  b->SetGlyph(strip.get());
  ASSERT_EQ(b->NumGlyphs(), 3);
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(b->Pressed());
  b->SetEnabled(false);
  EXPECT_FALSE(b->Pressed());
  EXPECT_NO_THROW(PaintToMemory(*b));
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, At(5, 5));
}

struct TClickLog {
  std::vector<std::string> events;
  void Attach(TKivButton* b) {
    b->OnClick.Handler = [this](TObject*) { events.push_back("click"); };
  }
};

TEST(KivButton, PressLeaveReturnAndReleaseOutsideDoesNotClick) {
  TShownForm s;
  auto* b = NewButton(s);
  TClickLog log;
  log.Attach(b);
  s.Show();
  HWND w = b->Handle();
  std::vector<bool> seen;
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  seen.push_back(b->Pressed());
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(120, 10));
  seen.push_back(b->Pressed());
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(20, 12));
  seen.push_back(b->Pressed());
  SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, At(-3, 12));
  SendMessageW(w, WM_LBUTTONUP, 0, At(-3, 12));
  seen.push_back(b->Pressed());
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false}));
  EXPECT_TRUE(log.events.empty());
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  SendMessageW(w, WM_LBUTTONUP, 0, At(74, 24));
  EXPECT_EQ(log.events.size(), 1u);
  EXPECT_FALSE(b->Tracking());
}

TEST(KivButton, SpaceClicksOnceAndAltSpaceDoesNotPress) {
  TShownForm s;
  auto* b = NewButton(s);
  TClickLog log;
  log.Attach(b);
  s.Show();
  HWND w = b->Handle();
  SendMessageW(w, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(b->Pressed());
  SendMessageW(w, WM_KEYUP, VK_SPACE, 0);
  EXPECT_FALSE(b->Pressed());
  EXPECT_EQ(log.events.size(), 1u);
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_MENU] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(w, WM_SYSKEYDOWN, VK_SPACE, 0);
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
  EXPECT_FALSE(b->Pressed());
}

// Enter clicks the default button while the focus is on a control that is
// not a button, and the focused button otherwise; Escape the cancel button;
// the accelerator its button.
TEST(KivButton, DialogKeysAndAccelerators) {
  TShownForm s;
  auto* other = new TKivControl(s.form.get());
  other->SetBounds(10, 60, 40, 20);
  other->SetParent(s.form.get());
  other->SetTabStop(true);
  auto* ok = NewButton(s, 10, 10);
  ok->SetKind(bkOK);
  auto* cancel = NewButton(s, 100, 10);
  cancel->SetKind(bkCancel);
  cancel->SetCancel(true);
  auto* retry = NewButton(s, 100, 40);
  retry->SetKind(bkRetry);
  std::vector<std::string> log;
  ok->OnClick.Handler = [&](TObject*) { log.push_back("ok"); };
  cancel->OnClick.Handler = [&](TObject*) { log.push_back("cancel"); };
  retry->OnClick.Handler = [&](TObject*) { log.push_back("retry"); };
  s.Show();
  other->SetFocus();
  TShownForm::Pump();
  EXPECT_TRUE(ok->ActiveDefault());
  s.form->Perform(CM_DIALOGKEY, VK_RETURN);
  s.form->Perform(CM_DIALOGKEY, VK_ESCAPE);
  s.form->Perform(CM_DIALOGCHAR, 'r');
  EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel", "retry"}));
  EXPECT_TRUE(retry->HasFocus());
  EXPECT_FALSE(ok->ActiveDefault());  // a button has the focus now
  log.clear();
  s.form->Perform(CM_DIALOGKEY, VK_RETURN);
  EXPECT_EQ(log, (std::vector<std::string>{"retry"}));
  EXPECT_EQ(s.form->ModalResult(), mrRetry);
}

TEST(KivButton, CloseButtonClosesItsFormBeforeOnClick) {
  TShownForm s;
  auto* b = NewButton(s);
  b->SetKind(bkClose);
  std::vector<std::string> log;
  s.form->OnClose = [&](TObject*, TCloseAction&) { log.push_back("close"); };
  b->OnClick.Handler = [&](TObject*) { log.push_back("click"); };
  s.Show();
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(log, (std::vector<std::string>{"close", "click"}));
  EXPECT_FALSE(s.form->Visible());
}

// A kind read from a form keeps the caption that was read; at run time it
// replaces it. Every default declared equals the value at construction: a
// fresh button writes nothing but its place, and reads back the same.
TEST(KivButton, FormStreamsKeepTheStoredCaptionAndTheDefaults) {
  RegisterKivControls();
  TForm form(nullptr);
  form.ReadDefinition(
      "object F: TForm\n"
      "  object B: TKivButton\n"
      "    Caption = 'Go'\n"
      "    Kind = bkOK\n"
      "  end\n"
      "end\n");
  auto* b = dynamic_cast<TKivButton*>(form.FindComponent("B"));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->Caption(), L"Go");
  EXPECT_TRUE(b->Default());
  EXPECT_EQ(b->ModalResult(), mrOk);
  b->SetKind(bkCancel);
  b->SetKind(bkOK);
  EXPECT_EQ(b->Caption(), L"OK");

  TForm fresh(nullptr);
  auto* plain = new TKivButton(&fresh);
  plain->SetName("P");
  plain->SetParent(&fresh);
  const std::string text = ComponentToText(plain);
  for (const char* name : {"Performance", "TabStop", "NumGlyphs", "Spacing", "Alignment",
                           "ImageIndex", "Kind", "Color", "ParentColor"})
    EXPECT_EQ(text.find("\n  " + std::string(name) + " ="), std::string::npos)
        << name << " written:\n"
        << text;
}

// A 32 x 16 strip of two cells on teal, a few pixels of its own in each.
std::unique_ptr<TBitmap> MarkedStrip() {
  auto strip = Strip(32, 16);
  TCanvas* c = strip->Canvas();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) c->SetPixel(x, y, 0x00808000);
  c->SetPixel(0, 0, 0x000000FF);
  c->SetPixel(5, 9, 0x0000FF00);
  c->SetPixel(15, 15, 0x00FF0000);
  c->SetPixel(16, 0, 0x00123456);
  c->SetPixel(31, 15, 0x00FFFFFF);
  strip->Modified();
  return strip;
}

// The button's own glyph survives the form stream, binary and text, pixel
// for pixel; a cell count set against the strip's shape is kept too.
TEST(KivButton, GlyphRoundTripsThroughBothFormsOfTheStream) {
  RegisterKivControls();
  auto strip = MarkedStrip();
  struct Case {
    bool text;
    int num_glyphs;  // 0: as the strip sets it
  };
  for (const Case& c : {Case{false, 0}, Case{true, 0}, Case{false, 1}, Case{true, 1}}) {
    SCOPED_TRACE(testing::Message() << (c.text ? "text" : "binary") << " " << c.num_glyphs);
    TForm form(nullptr);
    form.SetName("F");
    auto* b = new TKivButton(&form);
    b->SetName("B");
    b->SetParent(&form);
    b->SetGlyph(strip.get());
    if (c.num_glyphs) b->SetNumGlyphs(c.num_glyphs);
    const int want_glyphs = c.num_glyphs ? c.num_glyphs : 2;

    TForm fresh(nullptr);
    if (c.text) {
      const std::string text = ComponentToText(&form);
      EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos) << text;
      TextToComponent(text, &fresh);
    } else {
      TMemoryStream stream;
      stream.WriteComponent(&form);
      stream.SetPosition(0);
      stream.ReadComponent(&fresh);
    }
    auto* read = dynamic_cast<TKivButton*>(fresh.FindComponent("B"));
    ASSERT_NE(read, nullptr);
    TBitmap* glyph = read->Glyph();
    ASSERT_EQ(glyph->Width(), 32);
    ASSERT_EQ(glyph->Height(), 16);
    EXPECT_EQ(read->NumGlyphs(), want_glyphs);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 32; ++x)
        ASSERT_EQ(glyph->Canvas()->Pixel(x, y), strip->Canvas()->Pixel(x, y))
            << "(" << x << ", " << y << ")";
  }
}

TEST(KivButton, AButtonWithoutGlyphWritesNoGlyphData) {
  RegisterKivControls();
  TForm form(nullptr);
  form.SetName("F");
  auto* b = new TKivButton(&form);
  b->SetName("B");
  b->SetParent(&form);
  auto strip = MarkedStrip();
  b->SetGlyph(strip.get());
  b->SetGlyph(nullptr);  // cleared again
  EXPECT_EQ(ComponentToText(&form).find("Glyph.Data"), std::string::npos);
  TMemoryStream stream;
  stream.WriteComponent(&form);
  const std::string bytes(reinterpret_cast<const char*>(stream.Memory()),
                          static_cast<size_t>(stream.Size()));
  EXPECT_EQ(bytes.find("Glyph.Data"), std::string::npos);

  // A name below Glyph that the button does not store is still an error.
  TForm fresh(nullptr);
  EXPECT_THROW(TextToComponent("object F: TForm\n"
                               "  object B: TKivButton\n"
                               "    Glyph.Other = 1\n"
                               "  end\n"
                               "end\n",
                               &fresh),
               EReadError);
}

// The visual-styles face is the platform's push button of the same state.
TEST(KivButton, VisualStylesFacesAreThePlatformsPushButton) {
  if (!VisualStylesActive()) GTEST_SKIP() << "classic look";
  TShownForm s;
  auto* b = NewButton(s);
  auto* other = NewButton(s, 100, 10);
  s.Show();
  other->SetFocus();
  TShownForm::Pump();
  HTHEME theme = OpenThemeData(b->Handle(), L"Button");
  ASSERT_NE(theme, nullptr);
  struct Case {
    const char* what;
    int state;
  };
  auto expect_face = [&](const Case& c) {
    kivtest::TMemoryDC want(75, 25, true);
    RECT r{0, 0, 75, 25};
    FillRect(want.dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawThemeBackground(theme, want.dc, BP_PUSHBUTTON, c.state, &r, nullptr);
    GdiFlush();
    EXPECT_EQ(FirstDifference(*PaintToMemory(*b), want), "") << c.what;
  };
  expect_face({"normal", PBS_NORMAL});
  b->Perform(CM_MOUSEENTER);
  expect_face({"hot", PBS_HOT});
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  expect_face({"pressed", PBS_PRESSED});
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, At(-5, 5));
  b->Perform(CM_MOUSELEAVE);
  expect_face({"focused", PBS_DEFAULTED});
  other->SetFocus();
  TShownForm::Pump();
  b->SetDefault(true);
  other->SetFocus();  // a button has the focus: b is not the active default
  TShownForm::Pump();
  expect_face({"normal beside a focused button", PBS_NORMAL});
  b->SetEnabled(false);
  expect_face({"disabled", PBS_DISABLED});
  CloseThemeData(theme);
}

// The classic face: raised (highlight top-left, black outer and shadow
// inner bottom-right), sunken when pressed (shadow all round), and a black
// ring with a focus rectangle when focused.
TEST(KivButton, ClassicFacesAreRaisedSunkenAndRingedWhenFocused) {
  if (VisualStylesActive()) GTEST_SKIP() << "visual-styles look";
  TShownForm s;
  auto* b = NewButton(s);
  auto* other = NewButton(s, 100, 10);
  s.Show();
  auto px = [](int index) {
    const COLORREF c = GetSysColor(index);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
  };
  other->SetFocus();
  TShownForm::Pump();
  auto m = PaintToMemory(*b);
  EXPECT_EQ(m->At(0, 10) & 0xFFFFFF, px(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(m->At(30, 0) & 0xFFFFFF, px(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(m->At(74, 10) & 0xFFFFFF, 0u);
  EXPECT_EQ(m->At(73, 10) & 0xFFFFFF, px(COLOR_BTNSHADOW));
  EXPECT_EQ(m->At(37, 12) & 0xFFFFFF, px(COLOR_BTNFACE));
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  m = PaintToMemory(*b);
  EXPECT_EQ(m->At(0, 10) & 0xFFFFFF, 0u);  // the focus ring
  EXPECT_EQ(m->At(1, 10) & 0xFFFFFF, px(COLOR_BTNSHADOW));
  EXPECT_EQ(m->At(73, 10) & 0xFFFFFF, px(COLOR_BTNSHADOW));
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, At(-5, 5));
  m = PaintToMemory(*b);
  EXPECT_EQ(m->At(0, 10) & 0xFFFFFF, 0u);
  EXPECT_EQ(m->At(1, 10) & 0xFFFFFF, px(COLOR_BTNHIGHLIGHT));
  other->SetFocus();
  TShownForm::Pump();
  m = PaintToMemory(*b);
  EXPECT_EQ(m->At(0, 10) & 0xFFFFFF, px(COLOR_BTNHIGHLIGHT));
}

TEST(KivButton, EveryBufferingModePaintsTheSameFace) {
  TShownForm s;
  auto* b = NewButton(s);
  b->SetKind(bkRetry);
  s.Show();
  b->SetPerformance(qspNoBuffer);
  auto direct = PaintToMemory(*b);
  for (TKivPerformance mode : {qspSharedBuffer, qspDoubleBuffer}) {
    b->SetPerformance(mode);
    EXPECT_EQ(FirstDifference(*direct, *PaintToMemory(*b, 0x00654321)), "") << mode;
  }
}

}  // namespace
}  // namespace kiv
