// Making, showing, painting and freeing a form with a status bar and its
// hosted controls a thousand times leaves the process's GDI and user object
// counts and its memory where they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "controls/kiv_button_win32.hpp"
#include "controls/kiv_check_win32.hpp"
#include "controls/kiv_status_bar_win32.hpp"
#include "controls_support_win32.hpp"
#include "object_counts_win32.hpp"

namespace kiv {
namespace {

using ctltest::TCounts;
using ctltest::TShownForm;

// One form's life: a bar along the bottom with a text panel, a check box
// and a button in panels of their own (one of them given by the panel, one
// dropped on the bar), its windows made and painted, resized so that a panel
// drops out, and freed with the form (the controls before or after the bar,
// by turns).
void FormCycle(int i) {
  TShownForm s(300, 80);
  auto* box = (i % 2) ? new TKivCheckBox(s.form.get()) : nullptr;
  auto* bar = new TKivStatusBar(s.form.get());
  bar->SetAlign(alBottom);
  bar->SetParent(s.form.get());
  TKivStatusPanel* text = bar->Panels()->Add();
  text->SetText(u"Ready to view the picture of the day");
  text->SetWidth(120);
  text->SetStretchPriority(50);
  if (!box) box = new TKivCheckBox(s.form.get());
  box->SetCaption(L"Fit");
  TKivStatusPanel* hosting = bar->Panels()->Add();
  hosting->SetWidth(80);
  hosting->SetViewPriority(40);
  hosting->SetControl(box);
  auto* button = new TKivButton(s.form.get());
  button->SetCaption(L"Go");
  button->SetParent(bar);
  bar->Panels()->Items(2)->SetWidth(60);
  s.form->HandleNeeded();
  ctltest::PaintToMemory(*bar);
  s.form->SetWidth(200);
  ctltest::PaintToMemory(*bar);
  ctltest::PaintToMemory(*box);
  if (i % 100 == 0) TShownForm::Pump();
}

TEST(KivStatusBarReliability, AThousandFormsLeaveObjectsAndMemoryFlat) {
  for (int i = 0; i < 50; ++i) FormCycle(i);  // first-use allocations
  TShownForm::Pump();
  const TCounts before = ctltest::Measure();
  for (int i = 0; i < 1000; ++i) FormCycle(i);
  TShownForm::Pump();
  const TCounts after = ctltest::Measure();
  ctltest::ExpectFlat(before, after);
}

}  // namespace
}  // namespace kiv
