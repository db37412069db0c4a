// What the check box and the radio button share: settings, the theme
// lookups, mouse, keyboard and accelerator, and the painting of mark and
// caption in the three looks.
#include "controls/kiv_check_win32.hpp"

#include "framework/class_builder.hpp"
#include "framework/win32/form.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

namespace {

// The visual-styles part of class "Button" and the first of the five theme
// fonts (normal, pressed, hot, focused, disabled), by element kind.
constexpr int kVisualStylePart[] = {3, 2};
constexpr int kThemeFontBase[] = {15, 20};

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

}  // namespace

KIV_IMPLEMENT_CLASS(TKivCheckControl, c) {
  c.Enum("Alignment", &TKivCheckControl::Alignment, &TKivCheckControl::SetAlignment,
         kKivLeftRightNames)
      .Default(qalLeftJustify);
  c.Integer("Spacing", &TKivCheckControl::Spacing, &TKivCheckControl::SetSpacing).Default(5);
  c.Boolean("WordWrap", &TKivCheckControl::WordWrap, &TKivCheckControl::SetWordWrap).Default(false);
  c.String("ThemeObject", &TKivCheckControl::ThemeObject, &TKivCheckControl::SetThemeObject);
  c.Component("ThemeLink", &TKivCheckControl::ThemeLink, &TKivCheckControl::SetThemeLink);
  c.Enum("Performance", &TKivControl::Performance, &TKivControl::SetPerformance,
         kKivPerformanceNames)
      .Default(qspDoubleBuffer);
}

TKivCheckControl::TKivCheckControl(TComponent* owner, uint8_t kind)
    : TKivControl(owner), kind_(kind) {
  SetControlStyle(csCaptureMouse | csSetCaption | csDoubleClicks | csOpaque);
  SetBounds(Left(), Top(), 98, 20);
  SetPerformance(qspDoubleBuffer);
  AddThemeClient(this);
}

TKivCheckControl::~TKivCheckControl() {
  RemoveThemeClient(this);
}

void TKivCheckControl::SetAlignment(TKivLeftRight value) {
  if (Change(alignment_, value)) Invalidate();
}
void TKivCheckControl::SetSpacing(int value) {
  if (Change(spacing_, value)) Invalidate();
}
void TKivCheckControl::SetWordWrap(bool value) {
  if (Change(word_wrap_, value)) Invalidate();
}
void TKivCheckControl::SetTransparent(bool value) {
  if (Change(transparent_, value)) Invalidate();
}
void TKivCheckControl::SetThemeObject(const std::string& value) {
  if (Change(theme_object_, value)) Invalidate();
}

void TKivCheckControl::SetThemeLink(TkivCustomThemeLink* value) {
  if (value == theme_link_) return;
  if (theme_link_) theme_link_->RemoveFreeNotification(this);
  theme_link_ = value;
  if (theme_link_) theme_link_->FreeNotification(this);
  Invalidate();
}

void TKivCheckControl::Notification(TComponent* component, TOperation operation) {
  TKivControl::Notification(component, operation);
  if (operation == opRemove && component == theme_link_) theme_link_ = nullptr;
}

void TKivCheckControl::Click() {
  if (!Loading() && OnClick) OnClick(this);
}

TkivTheme* TKivCheckControl::ServingTheme() {
  return ThemeOf(theme_link_);
}

bool TKivCheckControl::ThemeMode() {
  return ThemeSupportsCheck(kind_, theme_object_, theme_link_);
}

TSize TKivCheckControl::GetMarkSize() {
  if (ThemeMode()) return ServingTheme()->GetCheckSize(kind_, theme_object_);
  return TSize{13, 13};
}

TRect TKivCheckControl::MarkRect() {
  return CheckMarkRect(PaintWidth(), PaintHeight(), GetMarkSize(), alignment_);
}

void TKivCheckControl::Dispatch(TMessage& m) {
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

void TKivCheckControl::MouseEnter() {
  TKivControl::MouseEnter();
  Invalidate();
}

void TKivCheckControl::MouseLeave() {
  TKivControl::MouseLeave();
  Invalidate();
}

void TKivCheckControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (!Focused() && CanFocus()) SetFocus();
  SetMouseCapture(true);
  pressed_ = true;
  Invalidate();
}

// A release inside the control (its right and bottom edges included) acts;
// outside, the press just ends.
void TKivCheckControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && pressed_) {
    pressed_ = false;
    SetMouseCapture(false);
    if (x < 0 || x > Width() || y < 0 || y > Height())
      Invalidate();
    else
      Activate();
    Invalidate();
  }
  TKivControl::MouseUp(button, shift, x, y);
}

void TKivCheckControl::KeyDown(uint16_t& key, TShiftState shift) {
  const uint16_t pressed_key = key;
  TKivControl::KeyDown(key, shift);
  if (pressed_key == VK_SPACE) {
    pressed_ = true;
    Invalidate();
  }
}

// Key releases never reach the framework's handling (no OnKeyUp).
void TKivCheckControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (key != VK_SPACE) return;
  Activate();
  pressed_ = false;
  Invalidate();
}

void TKivCheckControl::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<wchar_t>(m.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Activate();
    m.Result = 1;
    return;
  }
  TKivControl::CMDialogChar(m);
}

void TKivCheckControl::CMEnabledChanged(TMessage& m) {
  if (!Enabled()) pressed_ = false;
  TKivControl::CMEnabledChanged(m);
  Invalidate();
}

void TKivCheckControl::PaintClient() {
  if (ThemeMode()) {
    if (ServingTheme()->CheckIsTransparent(kind_, theme_object_))
      PaintParentBackground(this, Canvas()->Handle());
  } else if (transparent_) {
    PaintParentBackground(this, Canvas()->Handle());
  } else {
    TKivControl::PaintClient();
  }
  DrawMark();
  DrawCaption();
}

void TKivCheckControl::DrawMark() {
  const TRect mark = MarkRect();
  const TKivCheckLook look = Look();
  TCanvas* canvas = Canvas();
  if (ThemeMode()) {
    ServingTheme()->PaintCheck(kind_, *canvas, theme_object_,
                               MakeStateInfo(mark, CheckThemeState(look)));
    return;
  }
  HDC dc = canvas->Handle();
  RECT r{mark.Left, mark.Top, mark.Right, mark.Bottom};
  if (VisualStylesActive()) {
    if (HANDLE theme = ThemeData(L"Button")) {
      Platform().DrawThemeBackground(static_cast<HTHEME>(theme), dc, kVisualStylePart[kind_],
                                     CheckVisualStyleState(look), &r, nullptr);
      return;
    }
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, CheckClassicFlags(look, kind_ == 1));
}

void TKivCheckControl::DrawCaption() {
  const std::wstring caption = Caption();
  TCanvas* canvas = Canvas();
  const bool theme_mode = ThemeMode();
  const int font_index = kThemeFontBase[kind_] + (!Enabled()   ? 4
                                                  : pressed_   ? 1
                                                  : Hot()      ? 2
                                                  : HasFocus() ? 3
                                                               : 0);
  canvas->Font()->Assign(theme_mode ? ServingTheme()->Fonts()->FontByIndex(font_index)
                                    : PaintFont());
  const TSize mark = GetMarkSize();
  const UINT wrap = word_wrap_ ? DT_WORDBREAK : 0;
  TRect measured{0, 0, Width() - mark.cx - 10, TextHeightWide(canvas, caption)};
  DrawTextWide(canvas, caption, measured, DT_CALCRECT | DT_EXPANDTABS | wrap);
  const TRect placed = CheckCaptionRect(PaintWidth(), PaintHeight(), mark, spacing_, alignment_,
                                        TSize{measured.Width(), measured.Height()});
  if (theme_mode) {
    ServingTheme()->PaintCheckText(
        kind_, *canvas, "default", MakeTextInfo(placed, U16(caption), DT_EXPANDTABS | wrap),
        MakeStateInfo(ClientRect(), CheckCaptionState(Enabled(), pressed_, Hot(), HasFocus())));
  } else {
    const UINT format = DT_EXPANDTABS | wrap;
    if (!Enabled()) {
      TRect engraved = Bounds(placed.Left + 1, placed.Top + 1, placed.Width(), placed.Height());
      canvas->Font()->SetColor(clBtnHighlight);
      DrawTextWide(canvas, caption, engraved, format);
      canvas->Font()->SetColor(clBtnShadow);
    }
    TRect r = placed;
    DrawTextWide(canvas, caption, r, format);
  }
  if (HasFocus()) {
    const TRect focus{placed.Left - 2, placed.Top - 2, placed.Right + 2, placed.Bottom + 2};
    DrawFocusRectColor(canvas, focus, clWhite);
  }
}

}  // namespace kiv
