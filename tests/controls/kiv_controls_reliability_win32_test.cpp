// Hovering and painting the themed controls many times leaves the process's
// GDI and user object counts and its memory where they were.
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

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
  ctltest::ExpectFlat(before, after);
}

}  // namespace
}  // namespace kiv
