// Making, showing, rolling and freeing a form of header panels many times
// leaves the process's GDI and user object counts and its memory where they
// were.
#include <gtest/gtest.h>

#include <cstdio>

#include "controls/kiv_header_panel_win32.hpp"
#include "controls_support_win32.hpp"
#include "object_counts_win32.hpp"

namespace kiv {
namespace {

using ctltest::Measure;
using ctltest::PaintToMemory;
using ctltest::TCounts;
using ctltest::TShownForm;

// One form's life: the viewer's bottom strip and two linked panels with
// caption bars, one painting through the shared buffer and one through its
// own; the pointer over the caption button, a roll up and down, each step
// painted, then the form freed.
void FormCycle() {
  TShownForm s(320, 260);
  auto* strip = new TKivHeaderPanel(s.form.get());
  strip->SetBounds(0, 221, 320, 39);
  strip->SetAlign(alBottom);
  strip->SetShowCaption(false);
  strip->SetShowButton(false);
  strip->SetParent(s.form.get());
  auto* top = new TKivHeaderPanel(s.form.get());
  top->SetBounds(0, 0, 150, 90);
  top->SetCaption(L"Top");
  top->SetLinkPanels(true);
  top->SetPerformance(qspSharedBuffer);
  top->SetParent(s.form.get());
  auto* below = new TKivHeaderPanel(s.form.get());
  below->SetBounds(0, 91, 150, 90);
  below->SetCaption(L"Below");
  below->SetButtonKind(qpbkClose);
  below->SetPerformance(qspDoubleBuffer);
  below->SetParent(s.form.get());
  // The windows are made but not shown, which keeps a thousand forms quick
  // under Wine; each panel paints through its own paint path into a memory
  // bitmap instead.
  s.form->HandleNeeded();
  HWND w = top->Handle();
  const auto paint_all = [&] {
    for (TKivHeaderPanel* c : {strip, top, below}) PaintToMemory(*c);
  };
  top->Perform(CM_MOUSEENTER);
  SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(140, 10));
  paint_all();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(140, 10));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(140, 10));
  paint_all();
  top->SetRolled(false);
  top->Perform(CM_MOUSELEAVE);
  paint_all();
}

TEST(KivHeaderPanelReliability, AThousandFormsOfPanelsLeaveObjectsAndMemoryFlat) {
  for (int i = 0; i < 100; ++i) FormCycle();  // first-use allocations, the heap settling
  TShownForm::Pump();
  const TCounts before = Measure();
  for (int i = 0; i < 1000; ++i) FormCycle();
  TShownForm::Pump();
  const TCounts after = Measure();
  // A kilobyte left behind by each form would climb by a megabyte.
  ctltest::ExpectFlat(before, after, 1024 * 1024);
}

}  // namespace
}  // namespace kiv
