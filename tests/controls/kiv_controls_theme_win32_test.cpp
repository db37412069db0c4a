// A current theme that has button and check looks draws the controls: the
// operations receive the element kind, the object name (with the "default"
// fallback of the current theme) and the state codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_check_win32.hpp"
#include "controls_support_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {
namespace {

using ctltest::PaintToMemory;
using ctltest::TShownForm;

// Knows the object "default" for buttons and checks and records what it is
// asked to draw.
class TRecordingTheme : public TkivTheme {
 public:
  struct Call {
    std::string op;
    int kind;
    std::string object;
    int state;
    TRect rect;
  };
  std::vector<Call>* calls;
  explicit TRecordingTheme(std::vector<Call>* log) : calls(log) {}
  bool SupportsButton(uint8_t, const std::string& object) override { return object == "default"; }
  bool SupportsCheck(uint8_t, const std::string& object) override { return object == "default"; }
  void PaintButton(uint8_t kind, TCanvas&, const std::string& object,
                   const TkivStateInfo& info) override {
    calls->push_back({"PaintButton", kind, object, info.State, info.Rect});
  }
  void PaintButtonText(uint8_t kind, TCanvas&, const std::string& object, const TkivTextInfo&,
                       const TkivStateInfo& info) override {
    calls->push_back({"PaintButtonText", kind, object, info.State, info.Rect});
  }
  void PaintCheck(uint8_t kind, TCanvas&, const std::string& object,
                  const TkivStateInfo& info) override {
    calls->push_back({"PaintCheck", kind, object, info.State, info.Rect});
  }
  void PaintCheckText(uint8_t kind, TCanvas&, const std::string& object, const TkivTextInfo&,
                      const TkivStateInfo& info) override {
    calls->push_back({"PaintCheckText", kind, object, info.State, info.Rect});
  }
  TSize GetCheckSize(uint8_t, const std::string&) override { return {16, 10}; }
};

struct TCurrentTheme {
  std::vector<TRecordingTheme::Call> calls;
  TCurrentTheme() { SetCurrentTheme(std::make_unique<TRecordingTheme>(&calls)); }
  ~TCurrentTheme() { SetCurrentTheme(nullptr); }
  std::vector<TRecordingTheme::Call> Take() { return std::exchange(calls, {}); }
};

TEST(KivControlsThemed, ButtonsDrawThroughTheCurrentThemeWithItsStateCodes) {
  TShownForm s;
  auto* b = new TKivButton(s.form.get());
  b->SetBounds(10, 10, 75, 25);
  b->SetCaption(L"Go");
  b->SetThemeObject("glossy");  // unknown: the current theme's "default" serves
  b->SetParent(s.form.get());
  auto* other = new TKivControl(s.form.get());
  other->SetBounds(10, 50, 40, 20);
  other->SetTabStop(true);
  other->SetParent(s.form.get());
  s.Show();
  other->SetFocus();  // the focus on a control that is not a button
  TShownForm::Pump();
  TCurrentTheme theme;
  ASSERT_TRUE(b->ThemeMode());
  b->SetDefault(true);
  ASSERT_TRUE(b->ActiveDefault());
  PaintToMemory(*b);
  auto calls = theme.Take();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].op, "PaintButton");
  EXPECT_EQ(calls[0].object, "glossy");  // the control's own name is passed on
  EXPECT_EQ(calls[0].state, kStateDefault);
  EXPECT_EQ(calls[0].rect, (TRect{0, 0, 75, 25}));
  EXPECT_EQ(calls[1].op, "PaintButtonText");
  EXPECT_EQ(calls[1].state, kStateNormal);  // the caption does not show the default state
  b->Perform(CM_MOUSEENTER);
  PaintToMemory(*b);
  EXPECT_EQ(theme.Take()[0].state, kStateHot);
  b->SetEnabled(false);
  PaintToMemory(*b);
  EXPECT_EQ(theme.Take()[0].state, kStateDisabled);
}

// Shows the layout rectangles the button paints in.
class TProbeButton : public TKivButton {
 public:
  using TKivButton::GetGlyphRect;
  using TKivButton::GetTextRect;
  using TKivButton::TKivButton;
};

TEST(KivControlsThemed, AlignedCaptionsStayBesideTheGlyph) {
  struct Case {
    TAlignment alignment;
    TButtonLayout layout;
  };
  for (const Case& c : {Case{taLeftJustify, blGlyphLeft}, Case{taLeftJustify, blGlyphTop},
                        Case{taRightJustify, blGlyphLeft}, Case{taCenter, blGlyphRight}}) {
    SCOPED_TRACE(testing::Message() << "alignment " << c.alignment << ", layout " << c.layout);
    TShownForm s;
    auto* b = new TProbeButton(s.form.get());
    b->SetBounds(10, 10, 157, 44);
    b->SetKind(bkClose);
    b->SetCaption(L"Left-aligned &close");
    b->SetAlignment(c.alignment);
    b->SetLayout(c.layout);
    b->SetParent(s.form.get());
    s.Show();
    TCurrentTheme theme;
    ASSERT_TRUE(b->ThemeMode());
    PaintToMemory(*b);
    auto calls = theme.Take();
    ASSERT_EQ(calls.size(), 2u);
    ASSERT_EQ(calls[1].op, "PaintButtonText");
    const TRect text = calls[1].rect;
    const TRect glyph = b->GetGlyphRect();
    ASSERT_FALSE(glyph.IsEmpty());
    // The caption lies in the text part of the block and clear of the glyph.
    const TRect room = b->GetTextRect();
    EXPECT_GE(text.Left, room.Left);
    EXPECT_GE(text.Top, room.Top);
    EXPECT_LE(text.Right, room.Right);
    EXPECT_LE(text.Bottom, room.Bottom);
    const bool apart = text.Left >= glyph.Right || text.Right <= glyph.Left ||
                       text.Top >= glyph.Bottom || text.Bottom <= glyph.Top;
    EXPECT_TRUE(apart);
  }
}

TEST(KivControlsThemed, ChecksAskTheThemeForMarkSizeStateAndTheDefaultTextObject) {
  TShownForm s;
  auto* box = new TKivCheckBox(s.form.get());
  box->SetBounds(10, 10, 98, 20);
  box->SetCaption(L"Box");
  box->SetThemeObject("mine");
  box->SetParent(s.form.get());
  auto* radio = new TKivRadioButton(s.form.get());
  radio->SetBounds(10, 40, 98, 20);
  radio->SetParent(s.form.get());
  s.Show();
  TCurrentTheme theme;
  box->SetState(qcbsMixed);
  box->Perform(CM_MOUSEENTER);
  EXPECT_EQ(box->GetMarkSize(), (TSize{16, 10}));
  PaintToMemory(*box);
  auto calls = theme.Take();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].op, "PaintCheck");
  EXPECT_EQ(calls[0].kind, 0);
  EXPECT_EQ(calls[0].object, "mine");
  EXPECT_EQ(calls[0].state, 11);  // mixed and hot
  EXPECT_EQ(calls[0].rect, (TRect{0, 5, 16, 15}));
  EXPECT_EQ(calls[1].op, "PaintCheckText");
  EXPECT_EQ(calls[1].object, "default");
  EXPECT_EQ(calls[1].state, kStateHot);
  radio->SetChecked(true);
  radio->SetEnabled(false);
  PaintToMemory(*radio);
  calls = theme.Take();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].kind, 1);
  EXPECT_EQ(calls[0].state, 3);  // checked and disabled
}

}  // namespace
}  // namespace kiv
