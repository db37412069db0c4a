// Forms with scroll bars (a free bar, a control's built-in pair, and the
// in-place pair over a rich edit) made, shown, dragged and freed a thousand
// times leave the object counts and the memory where they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "controls/kiv_scroll_bar_win32.hpp"
#include "controls_support_win32.hpp"
#include "object_counts_win32.hpp"
#include "paired_edit_win32.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using ctltest::Measure;
using ctltest::TCounts;
using ctltest::TPairedEdit;
using ctltest::TShownForm;

class TBothBars : public TKivControl {
 public:
  explicit TBothBars(TComponent* owner) : TKivControl(owner) { SetScrollBarKind(kScrollBarBoth); }
};

void OneForm() {
  TShownForm s(300, 220);
  auto* bar = new TKivScrollBar(s.form.get());
  bar->SetBounds(10, 190, 200, 17);
  bar->SetPageSize(10);
  bar->SetParent(s.form.get());
  auto* both = new TBothBars(s.form.get());
  both->SetBounds(220, 10, 70, 100);
  both->SetParent(s.form.get());
  auto* edit = new TPairedEdit(s.form.get());
  edit->SetBounds(10, 10, 200, 160);
  edit->SetScrollBars(ssVertical);
  edit->SetParent(s.form.get());
  s.form->Show();  // painted below, without pumping the queue
  edit->Lines()->LoadFromFile(
      kivtest::TestData("rtf/rtfpipe/Files/phprtflite/paragraphs_fonts.rtf"));
  UpdateWindow(s.form->Handle());
  UpdateWindow(edit->Handle());
  // One short drag of the in-place thumb, painted.
  if (TKivInplaceScrollBar* v = edit->pair->VertScrollBar(); v && v->Visible()) {
    const TRect t = v->ScrollBar()->GetThumbRect();
    const LPARAM at = MAKELPARAM(t.Left + 2, t.Top + 2);
    SendMessageW(v->Handle(), WM_MOUSEMOVE, 0, at);
    SendMessageW(v->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(v->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(t.Left + 2, t.Top + 20));
    SendMessageW(v->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(t.Left + 2, t.Top + 20));
    UpdateWindow(v->Handle());
  }
  UpdateWindow(s.form->Handle());
}

TEST(KivScrollReliability, AThousandFormsWithScrollBarsLeaveObjectsAndMemoryFlat) {
  for (int i = 0; i < 30; ++i) OneForm();  // first-use allocations
  TShownForm::Pump();
  const TCounts before = Measure();
  for (int i = 0; i < 1000; ++i) OneForm();
  TShownForm::Pump();
  const TCounts after = Measure();
  ctltest::ExpectFlat(before, after);
}

}  // namespace
}  // namespace kiv
