// A form holding one of every themed control of the library, made, shown,
// painted (the effect controls part-way through their effects) and freed a
// thousand times, leaves the process's GDI and user object counts, its
// memory and the engine's free animation slots where they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_check_win32.hpp"
#include "controls/kiv_effect_controls_win32.hpp"
#include "controls/kiv_header_panel_win32.hpp"
#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "controls/kiv_rich_edit_win32.hpp"
#include "controls/kiv_scroll_bar_win32.hpp"
#include "controls/kiv_status_bar_win32.hpp"
#include "controls_support_win32.hpp"
#include "effects/engine.hpp"
#include "object_counts_win32.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using ctltest::TCounts;
using ctltest::TShownForm;

// The control base with its built-in horizontal and vertical bars.
class TBothBars : public TKivControl {
 public:
  explicit TBothBars(TComponent* owner) : TKivControl(owner) { SetScrollBarKind(kScrollBarBoth); }
};

template <class T>
T* Add(TWinControl* parent, TComponent* owner, int left, int top, int width, int height) {
  auto* c = new T(owner);
  c->SetBounds(left, top, width, height);
  c->SetParent(parent);
  return c;
}

// What one form showed, counted over the cycles so that a run in which the
// form stopped showing them (no effect running, no in-place bar) fails.
struct TSeen {
  int effects_half_way = 0;
  int inplace_bar_shown = 0;
  int panel_rolled = 0;
};

// Free slots of the animation engine (each effect control holds one while
// it lives).
int FreeAnimationSlots() {
  std::vector<int> taken;
  for (int slot = ReserveAnimationSlot(); slot >= 0; slot = ReserveAnimationSlot())
    taken.push_back(slot);
  for (int slot : taken) ReleaseAnimationSlot(slot);
  return static_cast<int>(taken.size());
}

// One form's life. A header panel holds the buttons (glyph, shared buffer,
// own buffer), the check box, the radio button and a windowless control; a
// second panel, rolled up, holds a check box; scroll bars both ways, the
// base control with its built-in pair, the rich edit on a long rich-text
// caption with the in-place bars over its native ones, the status bar with a
// text panel and a panel hosting a button, and the three effect controls.
// The form is shown and painted, the pointer enters each effect control and
// the engine runs half of each effect (10 of 20 ticks); then the pointer
// leaves the effect button, whose leave effect runs a few ticks, and the
// form is freed with the effects still running.
void FormCycle(int i, TSeen& seen) {
  TShownForm s(480, 360);
  TForm* f = s.form.get();
  auto* panel = Add<TKivHeaderPanel>(f, f, 8, 8, 220, 120);
  panel->SetCaption(L"Controls");
  panel->SetLinkPanels(true);
  auto* glyph = Add<TKivButton>(panel, f, 8, 28, 75, 25);
  glyph->SetKind(bkRetry);
  auto* shared = Add<TKivButton>(panel, f, 90, 28, 75, 25);
  shared->SetCaption(L"Shared");
  shared->SetPerformance(qspSharedBuffer);
  auto* own = Add<TKivButton>(panel, f, 90, 58, 75, 25);
  own->SetCaption(L"Own");
  own->SetPerformance(qspDoubleBuffer);
  Add<TKivCheckBox>(panel, f, 8, 58, 75, 20)->SetCaption(L"Check");
  Add<TKivRadioButton>(panel, f, 8, 84, 75, 20)->SetCaption(L"Radio");
  Add<TKivGraphicControl>(panel, f, 172, 28, 40, 40);
  auto* rolled = Add<TKivHeaderPanel>(f, f, 8, 129, 220, 80);
  rolled->SetCaption(L"Rolled");
  Add<TKivCheckBox>(rolled, f, 8, 28, 90, 20)->SetCaption(L"Hidden");
  rolled->SetRolled(true);

  auto* horz = Add<TKivScrollBar>(f, f, 240, 8, 200, 17);
  horz->SetRange(0, 100, 10);
  auto* vert = Add<TKivScrollBar>(f, f, 446, 8, 17, 120);
  vert->SetOrientation(qsoVertical);
  vert->SetRange(0, 100, 10);
  vert->SetPosition(40);
  Add<TBothBars>(f, f, 240, 32, 90, 90);

  auto* edit = Add<TKivRichEdit>(f, f, 240, 130, 220, 90);
  edit->SetScrollBars(ssVertical);
  edit->SetReadOnly(true);

  auto* bar = new TKivStatusBar(f);
  bar->SetAlign(alBottom);
  bar->SetParent(f);
  TKivStatusPanel* text = bar->Panels()->Add();
  text->SetText(u"Every control of the library");
  text->SetWidth(200);
  text->SetStretchPriority(50);
  auto* hosted = new TKivButton(f);
  hosted->SetCaption(L"Hosted");
  bar->Panels()->Add()->SetControl(hosted);

  auto* effect_button = Add<TKivEffectButton>(f, f, 8, 240, 75, 25);
  auto* effect_box = Add<TKivEffectCheckBox>(f, f, 90, 240, 110, 20);
  auto* effect_radio = Add<TKivEffectRadioButton>(f, f, 90, 264, 110, 20);
  TWinControl* effects[] = {effect_button, effect_box, effect_radio};
  for (TWinControl* c : effects) c->SetText(L"Effect");

  // Shown and painted without pumping the queue at every form (it is pumped
  // every fifty forms), which keeps a thousand forms quick under Wine.
  f->Show();
  edit->Lines()->LoadFromFile(
      kivtest::TestData("rtf/rtfpipe/Files/phprtflite/paragraphs_fonts.rtf"));
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

  for (TWinControl* c : effects) c->Perform(CM_MOUSEENTER);
  for (int tick = 0; tick < 10; ++tick) AnimationTimer().ProcessMessages();
  seen.effects_half_way += IsAnimating(effect_button->AnimationSlot()) &&
                           IsAnimating(effect_box->AnimationSlot()) &&
                           IsAnimating(effect_radio->AnimationSlot());
  effects[0]->Perform(CM_MOUSELEAVE);
  for (int tick = 0; tick < 3; ++tick) AnimationTimer().ProcessMessages();

  if (TKivInplaceScrollBar* v = edit->ScrollBarPair()->VertScrollBar(); v && v->Visible())
    ++seen.inplace_bar_shown;
  seen.panel_rolled += rolled->Rolled();
  RedrawWindow(f->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  if (i % 50 == 0) TShownForm::Pump();
}

// The engine on its manual timer for the length of the test.
class KivEveryControlReliability : public ::testing::Test {
 protected:
  void SetUp() override { SetAnimationTimer(std::make_unique<TkivManualTimer>()); }
  void TearDown() override { SetAnimationTimer(CreatePlatformTimer()); }
};

TEST_F(KivEveryControlReliability, AThousandFormsLeaveObjectsMemoryAndSlotsFlat) {
  TSeen seen;
  for (int i = 0; i < 30; ++i) FormCycle(i, seen);  // first-use allocations
  TShownForm::Pump();
  const TCounts before = ctltest::Measure();
  const int free_before = FreeAnimationSlots();
  seen = {};
  constexpr int kForms = 1000;
  for (int i = 0; i < kForms; ++i) FormCycle(i, seen);
  TShownForm::Pump();
  const TCounts after = ctltest::Measure();
  EXPECT_EQ(seen.effects_half_way, kForms);
  EXPECT_EQ(seen.inplace_bar_shown, kForms);
  EXPECT_EQ(seen.panel_rolled, kForms);
  EXPECT_EQ(FreeAnimationSlots(), free_before);
  ctltest::ExpectFlat(before, after);
}

}  // namespace
}  // namespace kiv
