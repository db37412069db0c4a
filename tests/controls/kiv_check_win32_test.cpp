// The check box and radio button through real messages: clicks, keys,
// accelerators, groups and tab stops, form streams, and their marks in the
// visual-styles look (against the platform's own drawing) and the classic one.
#include <windows.h>
// after windows.h, which they need
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/kiv_check_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/filer.hpp"

namespace kiv {
namespace {

using ctltest::PaintToMemory;
using ctltest::TShownForm;

template <class T>
T* NewCheck(TShownForm& s, int left, int top, const std::wstring& caption = L"") {
  auto* c = new T(s.form.get());
  c->SetBounds(left, top, 98, 20);
  c->SetCaption(caption);
  c->SetParent(s.form.get());
  return c;
}

void Click(TWinControl* c, int down_x, int up_x, int y = 5) {
  SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down_x, y));
  SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(up_x, y));
}

TEST(KivCheckBox, ThreeClicksWithAllowGrayedGoMixedCheckedUnchecked) {
  TShownForm s;
  auto* box = NewCheck<TKivCheckBox>(s, 10, 10, L"Three");
  box->SetAllowGrayed(true);
  std::vector<TKivCheckBoxState> seen;
  box->OnClick.Handler = [&](TObject*) { seen.push_back(box->State()); };
  s.Show();
  for (int i = 0; i < 3; ++i) Click(box, 5, 5);
  EXPECT_EQ(seen, (std::vector<TKivCheckBoxState>{qcbsMixed, qcbsChecked, qcbsUnChecked}));
  box->SetState(qcbsMixed);
  seen.clear();
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(seen, (std::vector<TKivCheckBoxState>{qcbsChecked}));
}

TEST(KivCheckBox, ReleasingOutsideLeavesTheStateAndTheRightEdgeCounts) {
  TShownForm s;
  auto* box = NewCheck<TKivCheckBox>(s, 10, 10);
  s.Show();
  SendMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(box->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 5));
  EXPECT_TRUE(box->Pressed());  // shown pressed until the release
  SendMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
  EXPECT_FALSE(box->Pressed());
  EXPECT_EQ(box->State(), qcbsUnChecked);
  Click(box, 5, 98);  // x = Width: still inside
  EXPECT_EQ(box->State(), qcbsChecked);
  Click(box, 5, 99);
  EXPECT_EQ(box->State(), qcbsChecked);
}

TEST(KivCheckBox, SpaceAndTheAcceleratorToggleAndKeyReleasesStayWithTheControl) {
  TShownForm s;
  auto* box = NewCheck<TKivCheckBox>(s, 10, 10, L"&Go");
  int key_downs = 0, key_ups = 0;
  box->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++key_downs; };
  box->OnKeyUp = [&](TObject*, uint16_t&, TShiftState) { ++key_ups; };
  s.Show();
  SendMessageW(box->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(box->Pressed());
  SendMessageW(box->Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_FALSE(box->Pressed());
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(key_downs, 1);
  EXPECT_EQ(key_ups, 0);
  EXPECT_EQ(s.form->Perform(CM_DIALOGCHAR, 'G'), 1);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(s.form->Perform(CM_DIALOGCHAR, 'x'), 0);
}

// Three radio buttons of one parent, two in group 0 and one in group 1.
TEST(KivRadioButton, GroupsExcludeEachOtherAndTheTabStopFollowsChecked) {
  TShownForm s;
  auto* a = NewCheck<TKivRadioButton>(s, 10, 10, L"A");
  auto* b = NewCheck<TKivRadioButton>(s, 10, 40, L"B");
  auto* c = NewCheck<TKivRadioButton>(s, 10, 70, L"C");
  c->SetGroupIndex(1);
  int clicks = 0;
  a->OnClick.Handler = [&](TObject*) { ++clicks; };
  b->SetChecked(true);
  c->SetChecked(true);
  a->SetChecked(true);
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  EXPECT_TRUE(c->Checked());
  EXPECT_TRUE(a->TabStop());
  EXPECT_FALSE(b->TabStop());
  EXPECT_EQ(clicks, 1);
  a->SetChecked(false);  // becoming unchecked fires nothing
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(a->TabStop());
}

TEST(KivRadioButton, TabbingIntoARadioButtonChecksIt) {
  TShownForm s;
  auto* box = NewCheck<TKivCheckBox>(s, 10, 10, L"Box");
  auto* radio = NewCheck<TKivRadioButton>(s, 10, 40, L"Radio");
  radio->SetTabStop(true);
  int clicks = 0;
  radio->OnClick.Handler = [&](TObject*) { ++clicks; };
  s.Show();
  box->SetFocus();
  TShownForm::Pump();
  ASSERT_FALSE(radio->Checked());
  s.form->Perform(CM_DIALOGKEY, VK_TAB);
  TShownForm::Pump();
  EXPECT_TRUE(radio->HasFocus());
  EXPECT_TRUE(radio->Checked());
  EXPECT_EQ(clicks, 1);
}

// The caption is wide text all the way: the window, the control and a form
// stream keep characters no single-byte code page holds.
TEST(KivCheckBox, CaptionsKeepTheirWideText) {
  RegisterKivControls();
  const std::wstring text = L"\u03A9\u03BC\u03AD\u03B3\u03B1 \u2713 \u6F22\u5B57";
  TShownForm s;
  auto* box = NewCheck<TKivCheckBox>(s, 10, 10, text);
  box->SetName("Box");
  s.Show();
  EXPECT_EQ(box->Caption(), text);
  wchar_t window_text[64] = {};
  GetWindowTextW(box->Handle(), window_text, 64);
  EXPECT_EQ(std::wstring(window_text), text);
  TForm read(nullptr);
  read.ReadDefinition("object F: TForm\n" + ComponentToText(box).insert(0, "  ") + "end\n");
  auto* back = dynamic_cast<TKivCheckBox*>(read.FindComponent("Box"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Caption(), text);
}

// A fresh control writes none of its published values but its place; one
// that differs from construction reads back as written.
TEST(KivCheckBox, DeclaredDefaultsAreTheConstructionValues) {
  RegisterKivControls();
  TForm form(nullptr);
  auto* box = new TKivCheckBox(&form);
  box->SetName("Box");
  box->SetParent(&form);
  auto* radio = new TKivRadioButton(&form);
  radio->SetName("Radio");
  radio->SetParent(&form);
  for (TComponent* c : {static_cast<TComponent*>(box), static_cast<TComponent*>(radio)}) {
    const std::string text = ComponentToText(c);
    for (const char* name :
         {"Transparent", "TabStop", "Performance", "Spacing", "Alignment", "State", "Checked",
          "AllowGrayed", "ItemTabStop", "GroupIndex", "WordWrap", "Color", "ParentColor"})
      EXPECT_EQ(text.find("\n  " + std::string(name) + " ="), std::string::npos)
          << name << " written:\n"
          << text;
  }
  box->SetTransparent(false);
  box->SetState(qcbsMixed);
  radio->SetTransparent(true);
  radio->SetChecked(true);
  TForm read(nullptr);
  read.ReadDefinition("object F: TForm\n" + ComponentToText(box) + ComponentToText(radio) +
                      "end\n");
  auto* box_back = dynamic_cast<TKivCheckBox*>(read.FindComponent("Box"));
  auto* radio_back = dynamic_cast<TKivRadioButton*>(read.FindComponent("Radio"));
  ASSERT_TRUE(box_back && radio_back);
  EXPECT_FALSE(box_back->Transparent());
  EXPECT_EQ(box_back->State(), qcbsMixed);
  EXPECT_TRUE(radio_back->Transparent());
  EXPECT_TRUE(radio_back->Checked());
  EXPECT_TRUE(radio_back->TabStop());
}

// The mark region of a painted control against the platform drawing the
// same mark on the same background.
template <class Draw>
std::string CompareMark(TWinControl& control, const TRect& mark, Draw draw) {
  auto painted = PaintToMemory(control);
  kivtest::TMemoryDC want(mark.Width(), mark.Height(), true);
  const uint32_t background = painted->At(mark.Left, 0);  // beside the mark, above it
  want.Fill(background);
  RECT r{0, 0, mark.Width(), mark.Height()};
  draw(want.dc, r);
  GdiFlush();
  for (int y = 0; y < mark.Height(); ++y)
    for (int x = 0; x < mark.Width(); ++x)
      if ((painted->At(mark.Left + x, mark.Top + y) & 0xFFFFFF) != (want.At(x, y) & 0xFFFFFF))
        return "differs at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return {};
}

TEST(KivCheckMarks, VisualStylesMarksAreThePlatformsButtonParts) {
  if (!VisualStylesActive()) GTEST_SKIP() << "classic look";
  TShownForm s;
  auto* box = NewCheck<TKivCheckBox>(s, 10, 10);
  auto* radio = NewCheck<TKivRadioButton>(s, 10, 40);
  auto* other = NewCheck<TKivCheckBox>(s, 10, 70, L"Focus");
  s.Show();
  other->SetFocus();
  TShownForm::Pump();
  HTHEME theme = OpenThemeData(box->Handle(), L"Button");
  ASSERT_NE(theme, nullptr);
  const TRect mark{0, 3, 13, 16};
  auto expect = [&](TWinControl* c, int part, int state, const char* what) {
    EXPECT_EQ(CompareMark(*c, mark,
                          [&](HDC dc, RECT& r) {
                            DrawThemeBackground(theme, dc, part, state, &r, nullptr);
                          }),
              "")
        << what;
  };
  expect(box, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, "unchecked");
  box->SetState(qcbsChecked);
  box->Perform(CM_MOUSEENTER);
  expect(box, BP_CHECKBOX, CBS_CHECKEDHOT, "checked hot");
  box->Perform(CM_MOUSELEAVE);
  box->SetState(qcbsMixed);
  box->SetEnabled(false);
  expect(box, BP_CHECKBOX, CBS_MIXEDDISABLED, "mixed disabled");
  radio->SetChecked(true);
  expect(radio, BP_RADIOBUTTON, RBS_CHECKEDNORMAL, "radio checked");
  SendMessageW(radio->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  // The press took the focus: the focus rectangle lies beside the mark.
  expect(radio, BP_RADIOBUTTON, RBS_CHECKEDPRESSED, "radio pressed");
  SendMessageW(radio->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 3));
  CloseThemeData(theme);
}

// Without visual styles: the platform's frame-control mark (right-justified
// here: columns 85 to 97) and a disabled caption engraved, highlight under
// shadow-coloured text.
TEST(KivCheckMarks, ClassicMarkAndEngravedDisabledCaption) {
  if (VisualStylesActive()) GTEST_SKIP() << "visual-styles look";
  TShownForm s;
  auto* box = NewCheck<TKivCheckBox>(s, 10, 10, L"Engraved");
  box->SetAlignment(qalRightJustify);
  box->SetState(qcbsChecked);
  box->SetEnabled(false);
  s.Show();
  EXPECT_EQ(CompareMark(*box, TRect{85, 3, 98, 16},
                        [](HDC dc, RECT& r) {
                          DrawFrameControl(dc, &r, DFC_BUTTON,
                                           DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
                        }),
            "");
  auto px = [](int index) {
    const COLORREF c = GetSysColor(index);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
  };
  // Text may be smoothed: count the pure colours only.
  auto count = [&](uint32_t colour) {
    auto m = PaintToMemory(*box);
    int n = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 80; ++x) n += (m->At(x, y) & 0xFFFFFF) == colour;
    return n;
  };
  EXPECT_GT(count(px(COLOR_BTNSHADOW)), 10);
  EXPECT_GT(count(px(COLOR_BTNHIGHLIGHT)), 10);
  EXPECT_EQ(count(px(COLOR_WINDOWTEXT)), 0);
  box->SetEnabled(true);
  EXPECT_GT(count(px(COLOR_WINDOWTEXT)), 10);  // enabled: the font's own colour
}

// A transparent check box shows its parent behind mark and caption.
TEST(KivCheckBox, TransparentBoxesShowTheirParent) {
  TShownForm s;
  auto* parent = new TKivControl(s.form.get());
  parent->SetBounds(5, 5, 150, 60);
  parent->SetUseSystemFrame(false);
  parent->SetBevelWidth(2);
  parent->SetColor(0x00406080);
  parent->SetParent(s.form.get());
  auto* box = new TKivCheckBox(s.form.get());
  box->SetBounds(1, 1, 98, 20);
  box->SetParent(parent);
  s.Show();
  auto whole = PaintToMemory(*parent);
  auto m = PaintToMemory(*box);
  for (const TPoint p : {TPoint{0, 0}, TPoint{50, 1}, TPoint{97, 19}, TPoint{20, 10}})
    EXPECT_EQ(m->At(p.X, p.Y) & 0xFFFFFF, whole->At(p.X + 1, p.Y + 1) & 0xFFFFFF)
        << p.X << "," << p.Y;
  box->SetTransparent(false);
  m = PaintToMemory(*box);
  EXPECT_NE(m->At(50, 10) & 0xFFFFFF, whole->At(51, 11) & 0xFFFFFF);
}

}  // namespace
}  // namespace kiv
