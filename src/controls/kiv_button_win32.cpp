// TKivButton: properties, kinds and their glyph resources, the form's
// default and cancel buttons, keyboard and mouse.
#include "controls/kiv_button_win32.hpp"

#include <array>

#include "framework/class_builder.hpp"
#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/button.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

namespace {

// The kinds' glyphs, read from the program's resources when a kind first
// needs one and kept until the program ends.
const TBitmap& KindGlyph(TBitBtnKind kind) {
  static std::array<std::unique_ptr<TBitmap>, bkAll + 1> glyphs;
  auto& slot = glyphs[kind];
  if (!slot) {
    slot = std::make_unique<TBitmap>();
    const std::string name = ButtonKindInfo(kind).GlyphResource;
    slot->LoadFromResourceName(GetModuleHandleW(nullptr),
                               std::wstring(name.begin(), name.end()).c_str());
  }
  return *slot;
}

}  // namespace

KIV_IMPLEMENT_CLASS(TKivButton, c) {
  c.Boolean("Default", &TKivButton::Default, &TKivButton::SetDefault).Default(false);
  c.Boolean("Cancel", &TKivButton::Cancel, &TKivButton::SetCancel).Default(false);
  c.Integer("ModalResult", &TKivButton::ModalResult, &TKivButton::SetModalResult).Default(0);
  c.Enum("Kind", &TKivButton::Kind, &TKivButton::SetKind, kBitBtnKindNames).Default(bkCustom);
  c.Enum("Layout", &TKivButton::Layout, &TKivButton::SetLayout, kButtonLayoutNames)
      .Default(blGlyphLeft);
  c.Integer("NumGlyphs", &TKivButton::NumGlyphs, &TKivButton::SetNumGlyphs).Default(1);
  c.Integer("Spacing", &TKivButton::Spacing, &TKivButton::SetSpacing).Default(4);
  c.Boolean("BlackAndWhiteGlyph", &TKivButton::BlackAndWhiteGlyph,
            &TKivButton::SetBlackAndWhiteGlyph)
      .Default(false);
  c.Boolean("WordWrap", &TKivButton::WordWrap, &TKivButton::SetWordWrap).Default(false);
  c.Enum("Alignment", &TKivButton::Alignment, &TKivButton::SetAlignment, kAlignmentNames)
      .Default(taCenter);
  c.Boolean("Transparent", &TKivButton::Transparent, &TKivButton::SetTransparent).Default(false);
  c.String("ThemeObject", &TKivButton::ThemeObject, &TKivButton::SetThemeObject);
  c.Component("ThemeLink", &TKivButton::ThemeLink, &TKivButton::SetThemeLink);
  c.Component("Images", &TKivButton::Images, &TKivButton::SetImages);
  c.Integer("ImageIndex", &TKivButton::ImageIndex, &TKivButton::SetImageIndex).Default(-1);
  c.Object("FontOptions", &TKivButton::FontOptions, &TKivButton::SetFontOptions);
  c.Enum("Performance", &TKivControl::Performance, &TKivControl::SetPerformance,
         kKivPerformanceNames)
      .Default(qspDoubleBuffer);
  c.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
}

TKivButton::TKivButton(TComponent* owner)
    : TKivControl(owner),
      glyph_(std::make_unique<TBitmap>()),
      glyph_image_(std::make_unique<TBitmap>()),
      font_options_(std::make_unique<TKivFontOptions>()) {
  SetControlStyle(csCaptureMouse | csSetCaption | csDoubleClicks | csActionClient | csOpaque);
  SetColor(clBtnFace);
  SetPerformance(qspDoubleBuffer);
  SetTabStop(true);
  SetParentFont(true);
  SetBounds(Left(), Top(), 75, 25);
  glyph_->OnChange = [this](TGraphic*) { GlyphChanged(); };
  font_options_->OnChange.Handler = [this](TObject*) {
    if (ComponentState().Contains(csDesigning)) Invalidate();
  };
  AddThemeClient(this);
}

TKivButton::~TKivButton() {
  RemoveThemeClient(this);
}

void TKivButton::SetKind(TBitBtnKind value) {
  if (value == kind_) return;
  if (value != bkCustom) {
    const TKivButtonKindInfo& info = ButtonKindInfo(value);
    default_ = info.Default;
    if (!Loading() || Caption().empty()) SetCaption(info.Caption);
    modal_result_ = info.ModalResult;
    glyph_->Assign(KindGlyph(value));
    num_glyphs_ = 2;
  }
  kind_ = value;
  Invalidate();
}

void TKivButton::SetDefault(bool value) {
  default_ = value;
  if (HandleAllocated())
    if (TCustomForm* form = GetParentForm(this))
      form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(form->ActiveControl()));
  Invalidate();
}

void TKivButton::SetGlyph(TBitmap* value) {
  glyph_dirty_ = true;
  if (value)
    glyph_->Assign(*value);
  else
    glyph_->SetSize(0, 0);
  Invalidate();
}

void TKivButton::GlyphChanged() {
  glyph_dirty_ = true;
  num_glyphs_ = GlyphCountFor(glyph_->Width(), glyph_->Height(), num_glyphs_);
  Invalidate();
}

// Kept within 1..4, so that the cell width never divides by zero.
void TKivButton::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (value == num_glyphs_) return;
  num_glyphs_ = value;
  glyph_dirty_ = true;
  Invalidate();
}

void TKivButton::SetLayout(TButtonLayout value) {
  if (Change(layout_, value)) Invalidate();
}
void TKivButton::SetSpacing(int value) {
  if (Change(spacing_, value)) Invalidate();
}
void TKivButton::SetBlackAndWhiteGlyph(bool value) {
  if (Change(black_and_white_, value)) Invalidate();
}
void TKivButton::SetWordWrap(bool value) {
  if (Change(word_wrap_, value)) Invalidate();
}
void TKivButton::SetAlignment(TAlignment value) {
  if (Change(alignment_, value)) Invalidate();
}
void TKivButton::SetTransparent(bool value) {
  if (Change(transparent_, value)) Invalidate();
}
void TKivButton::SetThemeObject(const std::string& value) {
  if (Change(theme_object_, value)) Invalidate();
}
void TKivButton::SetImageIndex(int value) {
  if (!Change(image_index_, value)) return;
  glyph_dirty_ = true;
  Invalidate();
}

void TKivButton::SetThemeLink(TkivCustomThemeLink* value) {
  if (value == theme_link_) return;
  if (theme_link_) theme_link_->RemoveFreeNotification(this);
  theme_link_ = value;
  if (theme_link_) theme_link_->FreeNotification(this);
  Invalidate();
}

void TKivButton::SetImages(TImageList* value) {
  if (value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = value;
  if (images_) images_->FreeNotification(this);
  glyph_dirty_ = true;
  Invalidate();
}

void TKivButton::SetCaption(const std::wstring& value) {
  SetText(value);
}

void TKivButton::CMTextChanged(TMessage& m) {
  Invalidate();
}

void TKivButton::Notification(TComponent* component, TOperation operation) {
  TKivControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == theme_link_) theme_link_ = nullptr;
  if (component == images_) {
    images_ = nullptr;
    glyph_dirty_ = true;
  }
}

void TKivButton::Loaded() {
  TKivControl::Loaded();
  if (!ComponentState().Contains(csDesigning) && Action()) ActionChange(Action(), true);
}

void TKivButton::ActionChange(TAction* action, bool check_defaults) {
  TKivControl::ActionChange(action, check_defaults);
  if (!action) return;
  SetCaption(action->Caption());
  OnClick = action->OnExecute;
  glyph_dirty_ = true;
}

// A Close button closes its form; any other hands its modal result to the
// form. Then the click itself (OnClick, or the action).
void TKivButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) {
    if (kind_ == bkClose)
      form->Close();
    else
      form->SetModalResult(modal_result_);
  }
  TKivControl::Click();
}

void TKivButton::DefineProperties(TFiler& filer) {
  TKivControl::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Glyph.Data",
      [this](TStream& s) {
        // NumGlyphs, when stored, was read before the glyph, and a count
        // left at its default was 1: the strip's change notification must
        // not take the count from the strip's shape.
        const int num_glyphs = num_glyphs_;
        glyph_->LoadFromStream(s);
        num_glyphs_ = num_glyphs;
      },
      [this](TStream& s) { glyph_->SaveToStream(s); }, !glyph_->Empty());
}

void TKivButton::SetPressed(bool value) {
  if (value == pressed_) return;
  pressed_ = value;
  Invalidate();
}

void TKivButton::Dispatch(TMessage& m) {
  if (m.Msg == KIV_THEME_MESSAGE) {
    if (m.WParam == kThemeCodeApply || m.WParam == kThemeCodeApplied ||
        m.WParam == kThemeCodeRemoved || m.WParam == kThemeCodeSystemChanged)
      Invalidate();
    return;
  }
  if (m.Msg == KIV_THEMELINK_MESSAGE) {
    if (theme_link_ && reinterpret_cast<TkivCustomThemeLink*>(m.LParam) == theme_link_)
      Invalidate();
    return;
  }
  TKivControl::Dispatch(m);
}

// A button takes over from the default button while it has the focus.
void TKivButton::CMFocusChanged(TMessage& m) {
  auto* focused = reinterpret_cast<TControl*>(m.LParam);
  const bool button = focused && (focused->Is<TKivButton>() || focused->Is<TButton>());
  const bool active = button ? false : default_;
  if (active != active_default_) {
    active_default_ = active;
    Invalidate();
  }
  TKivControl::CMFocusChanged(m);
}

void TKivButton::CMDialogKey(TMessage& m) {
  const TShiftState shift = KeyboardShiftState();
  const bool plain = !(shift & (ssShift | ssCtrl | ssAlt));
  if (plain && CanFocus() &&
      ((m.WParam == VK_RETURN && (active_default_ || HasFocus())) ||
       (m.WParam == VK_ESCAPE && cancel_))) {
    Click();
    m.Result = 1;
    return;
  }
  TKivControl::CMDialogKey(m);
}

void TKivButton::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<wchar_t>(m.WParam), Caption()) && CanFocus()) {
    SetFocus();
    Click();
    m.Result = 1;
    return;
  }
  TKivControl::CMDialogChar(m);
}

// A disabled button is never shown pressed.
void TKivButton::CMEnabledChanged(TMessage& m) {
  if (!Enabled()) {
    pressed_ = false;
    tracking_ = false;
  }
  TKivControl::CMEnabledChanged(m);
  Invalidate();
}

void TKivButton::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_SPACE && !(shift & ssAlt) && Enabled()) SetPressed(true);
  TKivControl::KeyDown(key, shift);
}

void TKivButton::KeyUp(uint16_t& key, TShiftState shift) {
  if (key == VK_SPACE) {
    SetPressed(false);
    Click();
    key = 0;
  }
  TKivControl::KeyUp(key, shift);
}

void TKivButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (!ComponentState().Contains(csDesigning) && CanFocus()) SetFocus();
  SetPressed(true);
  tracking_ = true;
}

void TKivButton::MouseMove(TShiftState shift, int x, int y) {
  TKivControl::MouseMove(shift, x, y);
  if (!tracking_) return;
  const TRect client = ClientRect();
  SetPressed(x >= 0 && x < client.Width() && y >= 0 && y < client.Height());
}

void TKivButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseUp(button, shift, x, y);
  if (!tracking_) return;
  tracking_ = false;
  pressed_ = false;
  if (x >= 0 && y >= 0 && x < PaintWidth() && y < PaintHeight()) Click();
  Invalidate();
}

void TKivButton::MouseEnter() {
  TKivControl::MouseEnter();
  Invalidate();
}

void TKivButton::MouseLeave() {
  TKivControl::MouseLeave();
  Invalidate();
}

}  // namespace kiv
