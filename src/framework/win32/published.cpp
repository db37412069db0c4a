// Published properties of the Win32 framework classes: what a form definition
// can set, read by the component stream reader.
#include "framework/win32/published.hpp"

#include "framework/win32/actions.hpp"
#include "framework/win32/controls.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/stdctrls.hpp"

namespace kiv {

namespace {
std::u16string U16(const std::wstring& w) {
  return std::u16string(w.begin(), w.end());
}
std::wstring W(const std::u16string& u) {
  return std::wstring(u.begin(), u.end());
}
template <class T>
T& Mut(const T& t) {
  return const_cast<T&>(t);
}

}  // namespace

KIV_IMPLEMENT_CLASS(TControl, c) {
  c.Integer("Left", &TControl::Left, &TControl::SetLeft).NoDefault();
  c.Integer("Top", &TControl::Top, &TControl::SetTop).NoDefault();
  c.Integer("Width", &TControl::Width, &TControl::SetWidth).NoDefault();
  c.Integer("Height", &TControl::Height, &TControl::SetHeight).NoDefault();
  c.Enum("Align", &TControl::Align, &TControl::SetAlign, kAlignNames).Default(alNone);
  c.Set("Anchors", &TControl::Anchors, &TControl::SetAnchors, kAnchorKindNames)
      .Default(kDefaultAnchors);
  c.WideString(
      "Caption", [](const TControl& o) { return U16(o.Text()); },
      [](TControl& o, const std::u16string& v) { o.SetText(W(v)); });
  c.Color("Color", &TControl::Color, &TControl::SetColor).Default(clWindow);
  c.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
  c.Object("Font", [](const TControl& o) { return o.Font(); });
  c.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
  c.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
  c.WideString(
      "Hint", [](const TControl& o) { return U16(o.Hint()); },
      [](TControl& o, const std::u16string& v) { o.SetHint(W(v)); });
  c.Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(false);
  c.Boolean("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  c.Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
  c.Component("Action", &TControl::Action, &TControl::SetAction);
  c.Event("OnClick", &TControl::OnClick);
  c.Event("OnDblClick", &TControl::OnDblClick);
}

KIV_IMPLEMENT_CLASS(TWinControl, c) {
  c.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
  c.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
  c.Boolean("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered)
      .Default(false);
  c.Event("OnEnter", &TWinControl::OnEnter);
  c.Event("OnExit", &TWinControl::OnExit);
}

KIV_IMPLEMENT_CLASS(TGraphicControl, c) {}
KIV_IMPLEMENT_CLASS(TCustomControl, c) {}

KIV_IMPLEMENT_CLASS(TCustomForm, c) {
  c.Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
         kFormBorderStyleNames)
      .Default(bsSizeable);
  c.Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, kBorderIconNames)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  c.Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, kPositionNames)
      .Default(poDesigned);
  c.Integer(
       "ClientWidth", [](const TCustomForm& o) { return Mut(o).ClientWidth(); },
       [](TCustomForm& o, int v) { o.SetClientWidth(v); })
      .NoDefault();
  c.Integer(
       "ClientHeight", [](const TCustomForm& o) { return Mut(o).ClientHeight(); },
       [](TCustomForm& o, int v) { o.SetClientHeight(v); })
      .NoDefault();
  c.Color("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
  c.Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
      .Default(96);
  // Written by form designers; the height of the design font's text, unused here.
  c.Integer(
       "TextHeight", [](const TCustomForm& o) { return o.TextHeight; },
       [](TCustomForm& o, int v) { o.TextHeight = v; })
      .Default(13);
  c.Component("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  c.Event("OnCreate", &TCustomForm::OnCreate);
  c.Event("OnDestroy", &TCustomForm::OnDestroy);
  c.Event("OnShow", &TCustomForm::OnShow);
}

KIV_IMPLEMENT_CLASS(TForm, c) {}

KIV_IMPLEMENT_CLASS(TApplication, c) {}

KIV_IMPLEMENT_CLASS(TButton, c) {
  c.Boolean("Default", &TButton::Default, &TButton::SetDefault).Default(false);
  c.Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
  c.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
  c.Color("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
  c.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  c.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
}

KIV_IMPLEMENT_CLASS(TPanel, c) {
  c.Enum("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner, kBevelCutNames).Default(bvNone);
  c.Enum("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter, kBevelCutNames)
      .Default(bvRaised);
  c.Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
  c.Integer("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
  c.Enum("Alignment", &TPanel::Alignment, &TPanel::SetAlignment, kAlignmentNames).Default(taCenter);
  c.Color("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
  c.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
}

KIV_IMPLEMENT_CLASS(TImage, c) {
  c.Boolean("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false);
  c.Boolean("Center", &TImage::Center, &TImage::SetCenter).Default(false);
  c.Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
  c.Boolean("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
  c.Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
}

KIV_IMPLEMENT_CLASS(TRichEdit, c) {
  c.Enum("Alignment", &TRichEdit::Alignment, &TRichEdit::SetAlignment, kAlignmentNames)
      .Default(taLeftJustify);
  c.Boolean("ReadOnly", &TRichEdit::ReadOnly, &TRichEdit::SetReadOnly).Default(false);
  c.Enum("ScrollBars", &TRichEdit::ScrollBars, &TRichEdit::SetScrollBars, kScrollStyleNames)
      .Default(ssNone);
  c.Enum("BorderStyle", &TRichEdit::BorderStyle, &TRichEdit::SetBorderStyle, kBorderStyleNames)
      .Default(bsSingle);
  c.Boolean("WantTabs", &TRichEdit::WantTabs, &TRichEdit::SetWantTabs).Default(false);
  c.Boolean("WantReturns", &TRichEdit::WantReturns, &TRichEdit::SetWantReturns).Default(true);
  c.Boolean("WordWrap", &TRichEdit::WordWrap, &TRichEdit::SetWordWrap).Default(true);
  c.Color("Color", &TControl::Color, &TControl::SetColor).Default(clWindow);
  c.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  c.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
}

KIV_IMPLEMENT_CLASS(TTimer, c) {
  c.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  c.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
  c.Event("OnTimer", &TTimer::OnTimer);
}

KIV_IMPLEMENT_CLASS(TImageList, c) {
  c.Integer("Width", &TImageList::Width, [](TImageList& o, int v) {
     o.SetSize(v, o.Height());
   }).Default(16);
  c.Integer("Height", &TImageList::Height, [](TImageList& o, int v) {
     o.SetSize(o.Width(), v);
   }).Default(16);
  c.Boolean("Masked", &TImageList::Masked, &TImageList::SetMasked).Default(true);
  c.Enum("DrawingStyle", &TImageList::DrawingStyle, &TImageList::SetDrawingStyle,
         kDrawingStyleNames)
      .Default(dsNormal);
}

KIV_IMPLEMENT_CLASS(TAction, c) {
  c.WideString(
      "Caption", [](const TAction& o) { return U16(o.Caption()); },
      [](TAction& o, const std::u16string& v) { o.SetCaption(W(v)); });
  c.Boolean("Enabled", &TAction::Enabled, &TAction::SetEnabled).Default(true);
  c.Boolean("Visible", &TAction::Visible, &TAction::SetVisible).Default(true);
  c.WideString(
      "Hint", [](const TAction& o) { return U16(o.Hint()); },
      [](TAction& o, const std::u16string& v) { o.SetHint(W(v)); });
  c.Integer("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex).Default(-1);
  c.Component("ActionList", &TAction::ActionList, &TAction::SetActionList);
  c.Event("OnExecute", &TAction::OnExecute);
}

KIV_IMPLEMENT_CLASS(TActionList, c) {
  c.Component("Images", &TActionList::Images, &TActionList::SetImages);
}

void RegisterFrameworkClasses() {
  static const bool done = [] {
    for (const TClassInfo* cls :
         {&TControl::StaticClass(), &TWinControl::StaticClass(), &TGraphicControl::StaticClass(),
          &TCustomControl::StaticClass(), &TCustomForm::StaticClass(), &TForm::StaticClass(),
          &TButton::StaticClass(), &TPanel::StaticClass(), &TImage::StaticClass(),
          &TRichEdit::StaticClass(), &TTimer::StaticClass(), &TImageList::StaticClass(),
          &TAction::StaticClass(), &TActionList::StaticClass()})
      RegisterClass(*cls);
    return true;
  }();
  (void)done;
}

}  // namespace kiv
