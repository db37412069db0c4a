// The check box and radio button page: each state of both, mixed and
// right-justified marks.
#include "controls/kiv_check_win32.hpp"
#include "gallery_page.hpp"

namespace kiv::gallery {
namespace {

template <class T>
T* Add(TWinControl* section, int left, int top, const std::wstring& caption) {
  auto* c = new T(section->Owner());
  c->SetBounds(left, top, 110, 20);
  c->SetCaption(caption);
  c->SetParent(section);
  return c;
}

int Build(TWinControl* s) {
  const int step = 118;
  AddRowLabel(s, 8, 10, L"Check box");
  int x = 80;
  Add<TKivCheckBox>(s, x, 6, L"Unchecked");
  Add<TKivCheckBox>(s, x += step, 6, L"Checked")->SetState(qcbsChecked);
  Add<TKivCheckBox>(s, x += step, 6, L"Mixed")->SetState(qcbsMixed);
  ShowHot(Add<TKivCheckBox>(s, x += step, 6, L"Hot"));
  x = 80;
  ShowPressed(Add<TKivCheckBox>(s, x, 30, L"Pressed"));
  ShowFocused(Add<TKivCheckBox>(s, x += step, 30, L"Focused"));
  Add<TKivCheckBox>(s, x += step, 30, L"Disabled")->SetEnabled(false);
  auto* off = Add<TKivCheckBox>(s, x += step, 30, L"Disabled, on");
  off->SetState(qcbsChecked);
  off->SetEnabled(false);
  x = 80;
  auto* right = Add<TKivCheckBox>(s, x, 54, L"Right-justified");
  right->SetAlignment(qalRightJustify);
  right->SetState(qcbsChecked);
  auto* mixed_off = Add<TKivCheckBox>(s, x += step, 54, L"Mixed, disabled");
  mixed_off->SetState(qcbsMixed);
  mixed_off->SetEnabled(false);

  AddRowLabel(s, 8, 90, L"Radio");
  x = 80;
  Add<TKivRadioButton>(s, x, 86, L"Unchecked");
  auto* checked = Add<TKivRadioButton>(s, x += step, 86, L"Checked");
  checked->SetGroupIndex(1);
  checked->SetChecked(true);
  auto* hot = Add<TKivRadioButton>(s, x += step, 86, L"Hot");
  hot->SetGroupIndex(2);
  ShowHot(hot);
  auto* pressed = Add<TKivRadioButton>(s, x += step, 86, L"Pressed");
  pressed->SetGroupIndex(3);
  ShowPressed(pressed);
  x = 80;
  auto* focused = Add<TKivRadioButton>(s, x, 110, L"Focused");
  focused->SetGroupIndex(4);
  ShowFocused(focused);  // focus checks a radio button
  auto* disabled = Add<TKivRadioButton>(s, x += step, 110, L"Disabled");
  disabled->SetGroupIndex(5);
  disabled->SetEnabled(false);
  auto* disabled_on = Add<TKivRadioButton>(s, x += step, 110, L"Disabled, on");
  disabled_on->SetGroupIndex(6);
  disabled_on->SetChecked(true);
  disabled_on->SetEnabled(false);
  return 138;
}

const TPageRegistrar kPage(20, L"Check boxes and radio buttons (TKivCheckBox, TKivRadioButton)",
                           Build);

}  // namespace
}  // namespace kiv::gallery
