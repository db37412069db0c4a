// The status bar page: a wide bar with a stretched text panel, a centred
// panel, a hosted check box and the size grip; the same panels
// on a narrow bar, where the lowest view priorities drop out; a text too
// long for its panel.
#include "controls/kiv_check_win32.hpp"
#include "controls/kiv_status_bar_win32.hpp"
#include "gallery_page.hpp"

namespace kiv::gallery {
namespace {

// Stands for a bar in the bottom-right corner of a form: the gallery's
// bars sit in the middle of its window, where the grip would not show.
class TCornerBar : public TKivStatusBar {
 public:
  using TKivStatusBar::TKivStatusBar;
  bool SizeGripShown() override { return SizeGrip(); }
};

TKivStatusBar* AddBar(TWinControl* s, int left, int top, int width) {
  auto* bar = new TCornerBar(s->Owner());
  bar->SetBounds(left, top, width, 22);
  bar->SetParent(s);
  TKivStatusPanel* text = bar->Panels()->Add();
  text->SetText(u"Ready: 1024 x 768, 24 bits");
  text->SetWidth(170);
  text->SetStretchPriority(50);
  TKivStatusPanel* zoom = bar->Panels()->Add();
  zoom->SetText(u"100 %");
  zoom->SetWidth(60);
  zoom->SetAlignment(taCenter);
  zoom->SetViewPriority(40);
  auto* fit = new TKivCheckBox(s->Owner());
  fit->SetCaption(L"Fit");
  fit->SetParent(s);
  TKivStatusPanel* hosting = bar->Panels()->Add();
  hosting->SetWidth(60);
  hosting->SetViewPriority(20);
  hosting->SetControl(fit);
  TKivStatusPanel* page = bar->Panels()->Add();
  page->SetText(u"Page 3 of 12");
  page->SetWidth(90);
  return bar;
}

int Build(TWinControl* s) {
  AddRowLabel(s, 8, 12, L"Wide");
  AddBar(s, 80, 8, 480);

  AddRowLabel(s, 8, 44, L"Narrow");
  AddBar(s, 80, 40, 300)->SetSizeGrip(false);

  AddRowLabel(s, 8, 76, L"Ellipsis");
  auto* bar = new TKivStatusBar(s->Owner());
  bar->SetBounds(80, 72, 300, 22);
  bar->SetParent(s);
  TKivStatusPanel* long_text = bar->Panels()->Add();
  long_text->SetText(u"C:\\Pictures\\Holidays\\2026\\The long way home.jpg");
  long_text->SetWidth(180);
  TKivStatusPanel* right = bar->Panels()->Add();
  right->SetText(u"Right");
  right->SetAlignment(taRightJustify);
  right->SetWidth(70);
  right->SetFramed(false);
  return 102;
}

const TPageRegistrar kPage(60, L"Status bar (TKivStatusBar)", Build);

}  // namespace
}  // namespace kiv::gallery
