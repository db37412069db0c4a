// Hovering and painting the themed controls many times leaves the process's
// GDI and user object counts and its memory where they were.
#include <gtest/gtest.h>

#include <cstdio>

#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_check_win32.hpp"
#include "controls_support_win32.hpp"
#include "object_counts_win32.hpp"

namespace kiv {
namespace {

using ctltest::Measure;
using ctltest::TCounts;
using ctltest::TShownForm;

TEST(KivControlsReliability, TenThousandHoverCyclesLeaveObjectsAndMemoryFlat) {
  TShownForm s(320, 120);
  auto* button = new TKivButton(s.form.get());
  button->SetBounds(10, 10, 75, 25);
  button->SetKind(bkRetry);
  button->SetParent(s.form.get());
  auto* shared = new TKivButton(s.form.get());
  shared->SetBounds(100, 10, 75, 25);
  shared->SetCaption(L"Shared");
  shared->SetPerformance(qspSharedBuffer);
  shared->SetParent(s.form.get());
  auto* box = new TKivCheckBox(s.form.get());
  box->SetBounds(10, 50, 98, 20);
  box->SetCaption(L"Check");
  box->SetParent(s.form.get());
  auto* radio = new TKivRadioButton(s.form.get());
  radio->SetBounds(120, 50, 98, 20);
  radio->SetCaption(L"Radio");
  radio->SetParent(s.form.get());
  s.Show();
  TWinControl* controls[] = {button, shared, box, radio};
  // A hover cycle: the pointer enters one control and leaves it, each change
  // repainted through the window's own paint message; the controls take
  // their turns.
  int enters = 0;
  for (TWinControl* c : controls)
    static_cast<TKivControl*>(c)->OnMouseEnter.Handler = [&](TObject*) { ++enters; };
  auto cycles = [&](int n) {
    for (int i = 0; i < n; ++i) {
      TWinControl* c = controls[i % 4];
      c->Perform(CM_MOUSEENTER);
      UpdateWindow(c->Handle());
      c->Perform(CM_MOUSELEAVE);
      UpdateWindow(c->Handle());
    }
  };
  cycles(200);  // first-use allocations (shared buffer, glyphs, fonts, theme data)
  TShownForm::Pump();
  const TCounts before = Measure();
  cycles(10000);
  TShownForm::Pump();
  const TCounts after = Measure();
  EXPECT_EQ(enters, 10200);
  std::printf(
      "GDI objects %lu -> %lu (highest new slot %lu -> %lu), user objects %lu -> %lu (highest "
      "new slot %lu -> %lu), committed memory %zu KiB -> %zu KiB\n",
      before.gdi, after.gdi, before.gdi_slot, after.gdi_slot, before.user, after.user,
      before.user_slot, after.user_slot, before.memory / 1024, after.memory / 1024);
  ASSERT_GT(before.memory, 0u) << "no memory figure from the platform";
  EXPECT_LE(after.gdi, before.gdi + 2);
  EXPECT_LE(after.user, before.user + 2);
  // A leak of one object in a hundred cycles would climb by a hundred slots.
  EXPECT_LE(after.gdi_slot, before.gdi_slot + 64);
  EXPECT_LE(after.user_slot, before.user_slot + 64);
  EXPECT_LT(after.memory, before.memory + 2 * 1024 * 1024);
}

}  // namespace
}  // namespace kiv
