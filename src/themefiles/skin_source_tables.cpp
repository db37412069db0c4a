// Deriving a skin's colour and font tables from its named objects, for files
// that carry no tables.
#include "framework/font.hpp"
#include "themefiles/skin_source.hpp"

namespace kiv {

namespace {

// The font an object paints with in a state (the state is set on its tree
// for the question and put back afterwards).
void CopyFontInState(TLqSkinObject* object, uint8_t state, TFont* target) {
  const uint8_t saved = object->State();
  object->SetState(state);
  if (TFont* f = object->GetFont()) target->Assign(f);
  object->SetState(saved);
}

struct FontRow {
  const char* object;  // top-level object
  const char* child;   // its child ("" for the first skTitle)
  std::initializer_list<std::pair<TkivThemeFont, uint8_t>> fonts;
};

}  // namespace

void TLqSkinSource::DeriveTables() {
  TkivThemeColors& colors = *colors_;
  auto color_of = [&](TLqSkinObject* o, std::initializer_list<TkivThemeColor> entries) {
    if (!o) return;
    for (TkivThemeColor e : entries) colors.SetColor(e, o->Color());
  };
  TLqSkinObject* form = FindObject("form");
  TLqSkinObject* title = form ? form->FindKind(skTitle) : nullptr;
  color_of(form, {tcWindow});
  color_of(title, {tcCaptionNormal, tcCaptionInactive});
  color_of(form ? form->FindKind(skLeft) : nullptr, {tcWindowBorder});
  color_of(FindObject("listbox"), {tcList, tcTree});
  color_of(FindObject("grid"), {tcGrid});
  colors.SetColor(tcBorder, clBlack);
  color_of(FindObject("container"), {tcPanelNormal, tcPanelDisabled});
  color_of(FindObject("button"),
           {tcButtonNormal, tcButtonHot, tcButtonPressed, tcButtonFocused, tcButtonDisabled});
  color_of(FindObject("edit"), {tcEditNormal, tcEditHot, tcEditFocused, tcEditDisabled});
  colors.SetColor(tcEditSelection, clHighlight);
  TLqSkinObject* hint = FindObject("hint");
  colors.SetColor(tcHint, hint ? hint->Color() : clInfoBk);

  TkivThemeFonts& fonts = *fonts_;
  auto font_of = [&](TLqSkinObject* o, std::initializer_list<std::pair<TkivThemeFont, uint8_t>> e) {
    if (!o) return;
    for (const auto& [index, state] : e) CopyFontInState(o, state, fonts.FontByIndex(index));
  };
  font_of(title, {{tfCaptionTextNormal, kLqStateFocused}, {tfCaptionTextInactive, kLqStateNormal}});
  const FontRow rows[] = {
      {"button",
       "text",
       {{tfButtonTextNormal, 0},
        {tfButtonTextPressed, 6},
        {tfButtonTextHot, 5},
        {tfButtonTextFocused, 7},
        {tfButtonTextDisabled, 8}}},
      {"checkbox",
       "text",
       {{tfCheckBoxTextNormal, 0},
        {tfCheckBoxTextPressed, 6},
        {tfCheckBoxTextHot, 5},
        {tfCheckBoxTextFocused, 7},
        {tfCheckBoxTextDisabled, 8}}},
      {"radiobutton",
       "text",
       {{tfRadioButtonTextNormal, 0},
        {tfRadioButtonTextPressed, 6},
        {tfRadioButtonTextHot, 5},
        {tfRadioButtonTextFocused, 7},
        {tfRadioButtonTextDisabled, 8}}},
      {"groupbox", "caption", {{tfGroupBoxTextNormal, 0}, {tfGroupBoxTextDisabled, 8}}},
      {"edit",
       "text",
       {{tfEditBoxTextNormal, 0},
        {tfEditBoxTextFocused, 7},
        {tfEditBoxTextHot, 5},
        {tfEditBoxTextDisabled, 8},
        {tfEditBoxTextSelected, 0}}},
      {"listbox",
       "item",
       {{tfListItemTextNormal, 0},
        {tfListItemTextHot, 0},
        {tfListItemTextSelected, 7},
        {tfListItemTextFocused, 0},
        {tfListItemTextDisabled, 8}}},
      {"menubar",
       "item",
       {{tfMenuItemTextNormal, 0},
        {tfMenuItemTextHot, 5},
        {tfMenuItemTextSelected, 7},
        {tfMenuItemTextDisabled, 8}}},
      {"menubar",
       "toolbaritem",
       {{tfToolItemTextNormal, 0},
        {tfToolItemTextHot, 5},
        {tfToolItemTextSelected, 7},
        {tfToolItemTextDisabled, 8}}},
      {"popupmenu",
       "item",
       {{tfPopupMenuItemTextNormal, 0},
        {tfPopupMenuItemTextHot, 5},
        {tfPopupMenuItemTextSelected, 7},
        {tfPopupMenuItemTextDisabled, 8}}},
  };
  for (const FontRow& row : rows) {
    TLqSkinObject* owner = FindObject(row.object);
    font_of(owner ? owner->FindChild(row.child) : nullptr, row.fonts);
  }
  for (TkivThemeFont f : {tfWindowTextNormal, tfWindowTextDisabled}) {
    TFont* font = fonts.FontByIndex(f);
    font->SetName("Tahoma");
    font->SetSize(8);
    font->SetColor(clBlack);
  }
  if (TLqSkinObject* edit = FindObject("edit"); edit && edit->FindChild("text"))
    fonts.FontByIndex(tfEditBoxTextSelected)->SetColor(clWhite);
  if (TLqSkinObject* popup = FindObject("popupmenu"); popup && popup->FindChild("item"))
    fonts.FontByIndex(tfPopupMenuItemTextDisabled)->SetColor(clGray);
}

}  // namespace kiv
