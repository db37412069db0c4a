// The skin object classes: published properties, fonts and links they
// create, and the choice of colour, font and bitmap per state.
#include "themefiles/skin_objects.hpp"

namespace kiv {

namespace {

bool InState(uint8_t state, std::initializer_list<uint8_t> states) {
  for (uint8_t s : states)
    if (s == state) return true;
  return false;
}

TLqLinkPtr MakeLink() {
  return std::make_unique<TkivBitmapLink>();
}

// The first usable link of the candidates, else the fallback.
TkivBitmapLink* Usable(TkivBitmapLink* candidate, TkivBitmapLink* fallback) {
  return LinkUsable(candidate) ? candidate : fallback;
}

}  // namespace

// ---- TLqActiveObject

KIV_IMPLEMENT_CLASS(TLqActiveObject, c) {
  using T = TLqActiveObject;
  c.Color("ActiveColor", &T::ActiveColor, &T::SetActiveColor).Default(0);
  c.Object("ActiveFont", &T::ActiveFont, &T::SetActiveFont);
  c.Object("DisabledFont", &T::DisabledFont, &T::SetDisabledFont);
}

TLqActiveObject::TLqActiveObject(TComponent* owner)
    : TLqSkinObject(owner), active_font_(MakeSkinFont()), disabled_font_(MakeSkinFont()) {}

bool TLqActiveObject::Lit() const {
  return Active() || InState(State(), {kLqStateHot, kLqStatePressed, kLqStateFocused});
}

TFont* TLqActiveObject::GetFont() {
  if (InState(State(), {kLqStateHot, kLqStateFocused})) return active_font_.get();
  if (State() == kLqStateDisabled) return disabled_font_.get();
  return TLqSkinObject::GetFont();
}

TColor TLqActiveObject::PaintColor() {
  return Lit() ? active_color_ : Color();
}

TFont* TLqActiveObject::PaintFont() {
  if (Lit()) return active_font_.get();
  if (State() == kLqStateDisabled) return disabled_font_.get();
  return Font();
}

void TLqActiveObject::GetColors(std::vector<TColor*>& colors) {
  TLqSkinObject::GetColors(colors);
  colors.push_back(&active_color_);
}

void TLqActiveObject::GetFonts(std::vector<TFont*>& fonts) {
  TLqSkinObject::GetFonts(fonts);
  fonts.push_back(active_font_.get());
  fonts.push_back(disabled_font_.get());
}

// ---- TLqBitmapObject

KIV_IMPLEMENT_CLASS(TLqBitmapObject, c) {
  using T = TLqBitmapObject;
  c.Object("Bitmap", &T::Bitmap, &T::SetBitmap);
  c.Enum("TileStyle", &T::TileStyle, &T::SetTileStyle, kLqTileStyleNames).Default(tsTile);
  c.Enum("BorderTileStyle", &T::BorderTileStyle, &T::SetBorderTileStyle, kLqTileStyleNames)
      .Default(tsTile);
  c.Boolean("MaskedBorder", &T::MaskedBorder, &T::SetMaskedBorder).Default(true);
  c.Boolean("MaskedAngles", &T::MaskedAngles, &T::SetMaskedAngles).Default(true);
}

TLqBitmapObject::TLqBitmapObject(TComponent* owner) : TLqSkinObject(owner), bitmap_(MakeLink()) {}

void TLqBitmapObject::GetLinks(std::vector<TkivBitmapLink*>& links) {
  links.push_back(bitmap_.get());
}

// ---- TLqActiveBitmap

KIV_IMPLEMENT_CLASS(TLqActiveBitmap, c) {
  using T = TLqActiveBitmap;
  c.Object("ActiveBitmap", &T::ActiveBitmap, &T::SetActiveBitmap);
  c.Object("ActiveFont", &T::ActiveFont, &T::SetActiveFont);
}

TLqActiveBitmap::TLqActiveBitmap(TComponent* owner)
    : TLqBitmapObject(owner), active_bitmap_(MakeLink()), active_font_(MakeSkinFont()) {}

TFont* TLqActiveBitmap::GetFont() {
  if (InState(State(), {kLqStateHot, kLqStateFocused})) return active_font_.get();
  return TLqBitmapObject::GetFont();
}

TkivBitmapLink* TLqActiveBitmap::CurrentLink() {
  if (Active() || InState(State(), {kLqStateHot, kLqStatePressed, kLqStateFocused}))
    return Usable(active_bitmap_.get(), Bitmap());
  return Bitmap();
}

void TLqActiveBitmap::GetLinks(std::vector<TkivBitmapLink*>& links) {
  TLqBitmapObject::GetLinks(links);
  links.push_back(active_bitmap_.get());
}

void TLqActiveBitmap::GetFonts(std::vector<TFont*>& fonts) {
  TLqBitmapObject::GetFonts(fonts);
  fonts.push_back(active_font_.get());
}

// ---- title-bar buttons

bool SystemButtonVisibleInState(TLqAction action, uint8_t state) {
  switch (state) {
    case kLqStateNormal:
      return action != sbaRestore && action != sbaRollDown;
    case kLqStateMaximized:
      return action != sbaMaximize && action != sbaRollDown;
    case kLqStateMinimized:
      return action != sbaMinimize && action != sbaMaximize && action != sbaRollUp &&
             action != sbaRollDown;
    case kLqStateRolledUp:
      return action != sbaRestore && action != sbaRollUp;
    default:
      return true;
  }
}

bool SystemButtonAllowed(TLqAction action, uint16_t flags, uint8_t state) {
  auto bit = [flags](int n) { return (flags >> n) & 1; };
  switch (action) {
    case sbaSysMenu:
      return bit(0);
    case sbaClose:
      return bit(1);
    case sbaHelp:
      return bit(2);
    case sbaMinimize:
      return bit(3);
    case sbaRestore:
      return bit(state == kLqStateMaximized ? 6 : 4);
    case sbaMaximize:
      return bit(5);
    case sbaRollUp:
      return bit(7);
    case sbaRollDown:
      return bit(8);
    case sbaTray:
      return bit(9);
    default:
      return true;
  }
}

namespace {
// Window states are 0 to 4; the control states above them leave the
// buttons as they are.
bool IsWindowState(uint8_t state) {
  return state <= kLqStateRolledUp;
}
}  // namespace

KIV_IMPLEMENT_CLASS(TLqSystemButton, c) {
  using T = TLqSystemButton;
  c.Enum("Action", &T::Action, &T::SetAction, kLqActionNames).Default(sbaNone);
  c.Object("BitmapHot", &T::BitmapHot, &T::SetBitmapHot);
  c.Object("BitmapPressed", &T::BitmapPressed, &T::SetBitmapPressed);
}

TLqSystemButton::TLqSystemButton(TComponent* owner)
    : TLqActiveBitmap(owner), bitmap_hot_(MakeLink()), bitmap_pressed_(MakeLink()) {}

void TLqSystemButton::SetState(uint8_t state) {
  TLqActiveBitmap::SetState(state);
  if (IsWindowState(state)) SetVisible(SystemButtonVisibleInState(action_, state));
}

void TLqSystemButton::SetWindowFlags(uint16_t flags) {
  TLqActiveBitmap::SetWindowFlags(flags);
  SetVisible(Visible() && SystemButtonAllowed(action_, flags, State()));
}

TkivBitmapLink* TLqSystemButton::CurrentLink() {
  if (button_state_ == 1) return Usable(bitmap_hot_.get(), TLqActiveBitmap::CurrentLink());
  if (button_state_ == 2) return Usable(bitmap_pressed_.get(), TLqActiveBitmap::CurrentLink());
  return TLqActiveBitmap::CurrentLink();
}

void TLqSystemButton::GetLinks(std::vector<TkivBitmapLink*>& links) {
  TLqActiveBitmap::GetLinks(links);
  links.push_back(bitmap_hot_.get());
  links.push_back(bitmap_pressed_.get());
}

void TLqSystemButton::DrawOwnChildren(TkivDC dc, const TRect& clip) {
  // The glyph children follow the button: hot, pressed, or disabled while
  // the window is inactive.
  uint8_t child_state = State();
  if (button_state_ == 1)
    child_state = kLqStateHot;
  else if (button_state_ == 2)
    child_state = kLqStatePressed;
  else if (!Active())
    child_state = kLqStateDisabled;
  const uint8_t own = State();
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->SetState(child_state);
  DrawChildren(dc, clip);
  for (int i = 0; i < ChildCount(); ++i)
    if (TLqSkinObject* c = Child(i)) c->SetState(own);
}

// ---- TLqButtonObject

KIV_IMPLEMENT_CLASS(TLqButtonObject, c) {
  using T = TLqButtonObject;
  c.Object("BitmapFocused", &T::BitmapFocused, &T::SetBitmapFocused);
  c.Object("BitmapHot", &T::BitmapHot, &T::SetBitmapHot);
  c.Object("BitmapPressed", &T::BitmapPressed, &T::SetBitmapPressed);
  c.Object("BitmapDisabled", &T::BitmapDisabled, &T::SetBitmapDisabled);
}

TLqButtonObject::TLqButtonObject(TComponent* owner)
    : TLqBitmapObject(owner),
      focused_(MakeLink()),
      hot_(MakeLink()),
      pressed_(MakeLink()),
      disabled_(MakeLink()) {}

namespace {
// The link for states 7, 5, 8 and 6 when usable, else the normal one.
TkivBitmapLink* StateLink(uint8_t state, TkivBitmapLink* normal, TkivBitmapLink* focused,
                          TkivBitmapLink* hot, TkivBitmapLink* pressed, TkivBitmapLink* disabled) {
  switch (state) {
    case kLqStateFocused:
      return Usable(focused, normal);
    case kLqStateHot:
      return Usable(hot, normal);
    case kLqStateDisabled:
      return Usable(disabled, normal);
    case kLqStatePressed:
      return Usable(pressed, normal);
    default:
      return normal;
  }
}
}  // namespace

TkivBitmapLink* TLqButtonObject::CurrentLink() {
  return StateLink(State(), Bitmap(), focused_.get(), hot_.get(), pressed_.get(), disabled_.get());
}

void TLqButtonObject::GetLinks(std::vector<TkivBitmapLink*>& links) {
  TLqBitmapObject::GetLinks(links);
  for (TkivBitmapLink* l : {focused_.get(), hot_.get(), pressed_.get(), disabled_.get()})
    links.push_back(l);
}

// ---- TLqTextObject

KIV_IMPLEMENT_CLASS(TLqTextObject, c) {
  using T = TLqTextObject;
  c.Object("FontHot", &T::FontHot, &T::SetFontHot);
  c.Object("FontFocused", &T::FontFocused, &T::SetFontFocused);
  c.Object("FontPressed", &T::FontPressed, &T::SetFontPressed);
  c.Object("FontDisabled", &T::FontDisabled, &T::SetFontDisabled);
}

TLqTextObject::TLqTextObject(TComponent* owner)
    : TLqSkinObject(owner),
      hot_(MakeSkinFont()),
      focused_(MakeSkinFont()),
      pressed_(MakeSkinFont()),
      disabled_(MakeSkinFont()) {}

TFont* TLqTextObject::GetFont() {
  switch (State()) {
    case kLqStateHot:
      return hot_.get();
    case kLqStatePressed:
      return pressed_.get();
    case kLqStateFocused:
      return focused_.get();
    case kLqStateDisabled:
      return disabled_.get();
    default:
      return TLqSkinObject::GetFont();
  }
}

void TLqTextObject::GetFonts(std::vector<TFont*>& fonts) {
  TLqSkinObject::GetFonts(fonts);
  for (TFont* f : {hot_.get(), focused_.get(), pressed_.get(), disabled_.get()}) fonts.push_back(f);
}

// ---- TLqLinkSkinObject

KIV_IMPLEMENT_CLASS(TLqLinkSkinObject, c) {
  c.String("LinkControl", &TLqLinkSkinObject::LinkControl, &TLqLinkSkinObject::SetLinkControl);
}

void TLqLinkSkinObject::Draw(TkivDC dc, const TRect& clip) {
  if (State() == kLqStatePreview) TLqSkinObject::Draw(dc, clip);
}

// ---- TLqBitmapSkinObject and its descendants

KIV_IMPLEMENT_CLASS(TLqBitmapSkinObject, c) {
  using T = TLqBitmapSkinObject;
  c.Object("Bitmap", &T::Bitmap, &T::SetBitmap);
  c.Enum("TileStyle", &T::TileStyle, &T::SetTileStyle, kLqTileStyleNames).Default(tsTile);
}

TLqBitmapSkinObject::TLqBitmapSkinObject(TComponent* owner)
    : TLqSkinObject(owner), bitmap_(MakeLink()) {}

void TLqBitmapSkinObject::GetLinks(std::vector<TkivBitmapLink*>& links) {
  links.push_back(bitmap_.get());
}

KIV_IMPLEMENT_CLASS(TLqFormBitmapSkinObject, c) {
  c.Object("InactiveBitmap", &TLqFormBitmapSkinObject::InactiveBitmap,
           &TLqFormBitmapSkinObject::SetInactiveBitmap);
}

TLqFormBitmapSkinObject::TLqFormBitmapSkinObject(TComponent* owner)
    : TLqBitmapSkinObject(owner), inactive_(MakeLink()) {}

TkivBitmapLink* TLqFormBitmapSkinObject::CurrentLink() {
  return Active() ? Bitmap() : Usable(inactive_.get(), Bitmap());
}

void TLqFormBitmapSkinObject::GetLinks(std::vector<TkivBitmapLink*>& links) {
  TLqBitmapSkinObject::GetLinks(links);
  links.push_back(inactive_.get());
}

KIV_IMPLEMENT_CLASS(TLqSysButtonSkinObject, c) {
  using T = TLqSysButtonSkinObject;
  c.Enum("Action", &T::Action, &T::SetAction, kLqActionNames).Default(sbaNone);
  c.Object("BitmapHover", &T::BitmapHover, &T::SetBitmapHover);
  c.Object("BitmapDown", &T::BitmapDown, &T::SetBitmapDown);
  c.String("RollPanel", &T::RollPanel, &T::SetRollPanel);
}

TLqSysButtonSkinObject::TLqSysButtonSkinObject(TComponent* owner)
    : TLqBitmapSkinObject(owner), hover_(MakeLink()), down_(MakeLink()) {}

void TLqSysButtonSkinObject::SetState(uint8_t state) {
  TLqBitmapSkinObject::SetState(state);
  if (IsWindowState(state)) SetVisible(SystemButtonVisibleInState(action_, state));
}

void TLqSysButtonSkinObject::SetWindowFlags(uint16_t flags) {
  TLqBitmapSkinObject::SetWindowFlags(flags);
  SetVisible(Visible() && SystemButtonAllowed(action_, flags, State()));
}

TkivBitmapLink* TLqSysButtonSkinObject::CurrentLink() {
  if (button_state_ == 1) return Usable(hover_.get(), Bitmap());
  if (button_state_ == 2) return Usable(down_.get(), Bitmap());
  return Bitmap();
}

void TLqSysButtonSkinObject::GetLinks(std::vector<TkivBitmapLink*>& links) {
  TLqBitmapSkinObject::GetLinks(links);
  links.push_back(hover_.get());
  links.push_back(down_.get());
}

// ---- TLqActiveSkinObject

KIV_IMPLEMENT_CLASS(TLqActiveSkinObject, c) {
  using T = TLqActiveSkinObject;
  c.Color("ActiveColor", &T::ActiveColor, &T::SetActiveColor).Default(0);
  c.Object("ActiveFont", &T::ActiveFont, &T::SetActiveFont);
}

TLqActiveSkinObject::TLqActiveSkinObject(TComponent* owner)
    : TLqSkinObject(owner), active_font_(MakeSkinFont()) {}

TFont* TLqActiveSkinObject::GetFont() {
  if (InState(State(), {kLqStateHot, kLqStateFocused})) return active_font_.get();
  return TLqSkinObject::GetFont();
}

TColor TLqActiveSkinObject::PaintColor() {
  return InState(State(), {kLqStateHot, kLqStateFocused}) ? active_color_ : Color();
}

void TLqActiveSkinObject::GetColors(std::vector<TColor*>& colors) {
  TLqSkinObject::GetColors(colors);
  colors.push_back(&active_color_);
}

void TLqActiveSkinObject::GetFonts(std::vector<TFont*>& fonts) {
  TLqSkinObject::GetFonts(fonts);
  fonts.push_back(active_font_.get());
}

// ---- TLqColorButtonObject

KIV_IMPLEMENT_CLASS(TLqColorButtonObject, c) {
  using T = TLqColorButtonObject;
  c.Color("HotColor", &T::HotColor, &T::SetHotColor).Default(0);
  c.Color("PressedColor", &T::PressedColor, &T::SetPressedColor).Default(0);
  c.Color("FocusedColor", &T::FocusedColor, &T::SetFocusedColor).Default(0);
  c.Color("DisabledColor", &T::DisabledColor, &T::SetDisabledColor).Default(0);
  c.Object("HotFont", &T::HotFont, &T::SetHotFont);
  c.Object("PressedFont", &T::PressedFont, &T::SetPressedFont);
  c.Object("FocusedFont", &T::FocusedFont, &T::SetFocusedFont);
  c.Object("DisabledFont", &T::DisabledFont, &T::SetDisabledFont);
}

TLqColorButtonObject::TLqColorButtonObject(TComponent* owner) : TLqSkinObject(owner) {
  for (auto& f : fonts_) f = MakeSkinFont();
}

int TLqColorButtonObject::StateIndex() const {
  switch (State()) {
    case kLqStateHot:
      return 0;
    case kLqStatePressed:
      return 1;
    case kLqStateFocused:
      return 2;
    case kLqStateDisabled:
      return 3;
    default:
      return -1;
  }
}

TFont* TLqColorButtonObject::GetFont() {
  const int i = StateIndex();
  return i < 0 ? TLqSkinObject::GetFont() : fonts_[i].get();
}

TColor TLqColorButtonObject::PaintColor() {
  const int i = StateIndex();
  return i < 0 ? Color() : colors_[i];
}

void TLqColorButtonObject::GetColors(std::vector<TColor*>& colors) {
  TLqSkinObject::GetColors(colors);
  for (TColor& c : colors_) colors.push_back(&c);
}

void TLqColorButtonObject::GetFonts(std::vector<TFont*>& fonts) {
  TLqSkinObject::GetFonts(fonts);
  for (auto& f : fonts_) fonts.push_back(f.get());
}

// ---- bitmap boxes

KIV_IMPLEMENT_CLASS(TLqBitmapBoxObject, c) {
  c.Enum("BorderTileStyle", &TLqBitmapBoxObject::BorderTileStyle,
         &TLqBitmapBoxObject::SetBorderTileStyle, kLqTileStyleNames)
      .Default(tsTile);
}

KIV_IMPLEMENT_CLASS(TLqActiveBitmapBoxObject, c) {
  c.Object("FocusedBitmap", &TLqActiveBitmapBoxObject::FocusedBitmap,
           &TLqActiveBitmapBoxObject::SetFocusedBitmap);
}

TLqActiveBitmapBoxObject::TLqActiveBitmapBoxObject(TComponent* owner)
    : TLqBitmapBoxObject(owner), focused_(MakeLink()) {}

TkivBitmapLink* TLqActiveBitmapBoxObject::CurrentLink() {
  if (InState(State(), {kLqStateHot, kLqStateFocused})) return Usable(focused_.get(), Bitmap());
  return Bitmap();
}

void TLqActiveBitmapBoxObject::GetLinks(std::vector<TkivBitmapLink*>& links) {
  TLqBitmapBoxObject::GetLinks(links);
  links.push_back(focused_.get());
}

KIV_IMPLEMENT_CLASS(TLqButtonBitmapBoxObject, c) {
  using T = TLqButtonBitmapBoxObject;
  c.Object("FocusedBitmap", &T::FocusedBitmap, &T::SetFocusedBitmap);
  c.Object("HotBitmap", &T::HotBitmap, &T::SetHotBitmap);
  c.Object("PressedBitmap", &T::PressedBitmap, &T::SetPressedBitmap);
  c.Object("DisabledBitmap", &T::DisabledBitmap, &T::SetDisabledBitmap);
}

TLqButtonBitmapBoxObject::TLqButtonBitmapBoxObject(TComponent* owner)
    : TLqBitmapBoxObject(owner),
      focused_(MakeLink()),
      hot_(MakeLink()),
      pressed_(MakeLink()),
      disabled_(MakeLink()) {}

TkivBitmapLink* TLqButtonBitmapBoxObject::CurrentLink() {
  return StateLink(State(), Bitmap(), focused_.get(), hot_.get(), pressed_.get(), disabled_.get());
}

void TLqButtonBitmapBoxObject::GetLinks(std::vector<TkivBitmapLink*>& links) {
  TLqBitmapBoxObject::GetLinks(links);
  for (TkivBitmapLink* l : {focused_.get(), hot_.get(), pressed_.get(), disabled_.get()})
    links.push_back(l);
}

// ---- TLqRollPanelObject

KIV_IMPLEMENT_CLASS(TLqRollPanelObject, c) {
  c.Enum("RollKind", &TLqRollPanelObject::RollKind, &TLqRollPanelObject::SetRollKind,
         kLqRollKindNames)
      .Default(rkLeft);
  c.Integer("RollValue", &TLqRollPanelObject::RollValue, &TLqRollPanelObject::SetRollValue)
      .Default(0);
}

}  // namespace kiv
