// The effect controls' page: buttons that play a transition between their
// normal and hot looks as the pointer enters and leaves them (the viewer's
// Close button first, then a few other effects), and the effect check box and
// radio button. A still picture shows the looks the effects run between.
#include "controls/kiv_effect_controls_win32.hpp"
#include "gallery_page.hpp"

namespace kiv::gallery {
namespace {

template <class T>
T* Add(TWinControl* section, int left, int top, int width, const std::wstring& caption,
       const char* effect) {
  auto* c = new T(section->Owner());
  c->SetBounds(left, top, width, 25);
  c->SetCaption(caption);
  c->Animation()->SetEffectMouseEnter(effect);
  c->Animation()->SetEffectMouseLeave(effect);
  c->SetParent(section);
  return c;
}

int Build(TWinControl* s) {
  AddRowLabel(s, 8, 10, L"Buttons");
  // The viewer's Close button: a fade both ways, double buffered.
  auto* close = Add<TKivEffectButton>(s, 80, 4, 75, L"", kFadeEffectName);
  close->SetKind(bkClose);
  auto* hot = Add<TKivEffectButton>(s, 162, 4, 75, L"", kFadeEffectName);
  hot->SetKind(bkClose);
  ShowHot(hot);
  int x = 244;
  const struct {
    const wchar_t* caption;
    const char* effect;
  } others[] = {{L"Circle", "[ FADE ] - CircleFadeOut"},
                {L"Diamond", "[ FADE ] - DiamondSmoothIn"},
                {L"Push", "[ MANUAL ] - Push"},
                {L"Corner", "[ SLIDE ] - Corner"}};
  for (const auto& o : others) {
    Add<TKivEffectButton>(s, x, 4, 75, o.caption, o.effect);
    x += 82;
  }

  AddRowLabel(s, 8, 44, L"Marks");
  Add<TKivEffectCheckBox>(s, 80, 38, 110, L"Fading check", kFadeEffectName);
  ShowHot(Add<TKivEffectCheckBox>(s, 198, 38, 110, L"Hot", kFadeEffectName));
  auto* radio = Add<TKivEffectRadioButton>(s, 316, 38, 110, L"Fading radio", kFadeEffectName);
  radio->SetChecked(true);
  Add<TKivEffectRadioButton>(s, 434, 38, 110, L"Rotating", "[ FADE ] - RotateSmooth")
      ->SetGroupIndex(1);
  return 70;
}

const TPageRegistrar kPage(70,
                           L"Effect controls (TKivEffectButton, TKivEffectCheckBox, "
                           L"TKivEffectRadioButton)",
                           Build);

}  // namespace
}  // namespace kiv::gallery
