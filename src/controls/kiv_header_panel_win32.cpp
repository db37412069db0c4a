// TKivHeaderPanel: published properties, layout, the caption button and the
// pointer (hot and pressed looks, cursors, hints), theme notifications and
// the stored normal height.
#include "controls/kiv_header_panel_win32.hpp"

#include <cstring>

#include "controls/kiv_controls_unit_win32.hpp"
#include "framework/class_builder.hpp"
#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/application.hpp"
#include "graphics/kiv_utils.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivHeaderPanel, c) {
  using P = TKivHeaderPanel;
  c.Integer("CaptionHeight", &P::CaptionHeight, &P::SetCaptionHeight).Default(20);
  c.Boolean("ShowCaption", &P::ShowCaption, &P::SetShowCaption).Default(true);
  c.Integer("BorderWidth", &P::BorderWidth, &P::SetBorderWidth).Default(3);
  c.Integer("BevelWidth", &P::BevelWidth, &P::SetBevelWidth).Default(1);
  c.Boolean("ShowBevel", &P::ShowBevel, &P::SetShowBevel).Default(true);
  c.Boolean("ShowButton", &P::ShowButton, &P::SetShowButton).Default(true);
  c.Boolean("Rolled", &P::Rolled, &P::SetRolled).Default(false);
  c.Event("OnButtonClick", &P::OnButtonClick);
  c.Enum("ButtonKind", &P::ButtonKind, &P::SetButtonKind, kKivPanelButtonKindNames)
      .Default(qpbkRollUp);
  c.Event("OnRollup", &P::OnRollup);
  c.Event("OnHide", &P::OnHide);
  c.String("ButtonHint", &P::ButtonHint, &P::SetButtonHint);
  c.String("CaptionHint", &P::CaptionHint, &P::SetCaptionHint);
  c.Integer("ButtonCursor", &P::ButtonCursor, &P::SetButtonCursor).Default(crDefault);
  c.Integer("CaptionCursor", &P::CaptionCursor, &P::SetCaptionCursor).Default(crDefault);
  c.Boolean("AnimateRoll", &P::AnimateRoll, &P::SetAnimateRoll).Default(false);
  c.Boolean("ParentRoll", &P::ParentRoll, &P::SetParentRoll).Default(false);
  c.String("ThemeObject", &P::ThemeObject, &P::SetThemeObject);
  c.Event("OnBeforeRoll", &P::OnBeforeRoll);
  c.Boolean("LinkPanels", &P::LinkPanels, &P::SetLinkPanels).Default(false);
  c.Color("Color", &TControl::Color, &TControl::SetColor).Default(clWindow);
}

TKivHeaderPanel::TKivHeaderPanel(TComponent* owner) : TKivControl(owner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetColor(clWindow);
  SetBounds(Left(), Top(), 100, 90);
  AddThemeClient(this);
}

TKivHeaderPanel::~TKivHeaderPanel() {
  *alive_ = false;
  RemoveThemeClient(this);
}

bool TKivHeaderPanel::Gone() const {
  return !*alive_ || ComponentState().Contains(csDestroying);
}

// ---- settings

void TKivHeaderPanel::Relayout() {
  Invalidate();
  Realign();
}

void TKivHeaderPanel::SetCaptionHeight(int value) {
  if (Change(caption_height_, value)) Relayout();
}
void TKivHeaderPanel::SetShowCaption(bool value) {
  if (Change(show_caption_, value)) Relayout();
}
void TKivHeaderPanel::SetBorderWidth(int value) {
  if (Change(border_width_, value)) Relayout();
}
void TKivHeaderPanel::SetBevelWidth(int value) {
  if (Change(bevel_width_, value)) Relayout();
}
void TKivHeaderPanel::SetShowBevel(bool value) {
  if (Change(show_bevel_, value)) Relayout();
}
void TKivHeaderPanel::SetShowButton(bool value) {
  if (Change(show_button_, value)) Invalidate();
}
void TKivHeaderPanel::SetButtonKind(TKivPanelButtonKind value) {
  if (Change(button_kind_, value)) Invalidate();
}
void TKivHeaderPanel::SetThemeObject(const std::string& value) {
  if (!Change(theme_object_, value)) return;
  // The caption bar's inset depends on who draws the panel.
  Relayout();
}

void TKivHeaderPanel::CMTextChanged(TMessage& m) {
  Invalidate();
}

// ---- layout

bool TKivHeaderPanel::ThemeMode() {
  return ThemeSupportsPanel(1, theme_object_, nullptr);
}

// A theme's caption bar and body tile the panel as the visual styles' do:
// the bar starts at the very top, so no ring around it is left unpainted.
TKivHeaderFrame TKivHeaderPanel::Frame() {
  TKivHeaderFrame f;
  f.PaintWidth = PaintWidth();
  f.PaintHeight = PaintHeight();
  f.CaptionHeight = caption_height_;
  f.BorderWidth = border_width_;
  f.BevelWidth = bevel_width_;
  f.ShowCaption = show_caption_;
  f.ShowButton = show_button_;
  f.ShowBevel = show_bevel_;
  f.VisualStyles = ThemeMode() || VisualStylesLook();
  return f;
}

TRect TKivHeaderPanel::GetCaptionRect() {
  return HeaderCaptionRect(Frame());
}

TRect TKivHeaderPanel::ButtonRect() {
  return HeaderButtonRect(Frame());
}

TRect TKivHeaderPanel::GetClientRect() {
  return HeaderClientRect(Frame());
}

// A rolled panel keeps its height whatever size it is asked to take.
void TKivHeaderPanel::SetBounds(int left, int top, int width, int height) {
  if (rolled_) height = Height();
  TKivControl::SetBounds(left, top, width, height);
}

void TKivHeaderPanel::Loaded() {
  TKivControl::Loaded();
  Invalidate();
}

// ---- visual styles

HANDLE TKivHeaderPanel::StyleData() {
  return VisualStylesActive() ? ThemeData(L"ExplorerBar") : nullptr;
}

const TKivHeaderPanel::TStyleParts& TKivHeaderPanel::StyleParts() {
  if (style_parts_.Known) return style_parts_;
  style_parts_ = TStyleParts{};
  style_parts_.Known = true;
  HANDLE data = StyleData();
  if (!data) return style_parts_;
  const auto defined = [data](int part) {
    TkivPlatform& p = Platform();
    return !p.IsThemePartDefined || p.IsThemePartDefined(static_cast<HTHEME>(data), part, 0);
  };
  // Parts of "ExplorerBar": 2 close, 5 normal group background, 6 collapse,
  // 7 expand, 8 normal group head.
  style_parts_.Body = defined(5);
  style_parts_.Head = defined(8);
  style_parts_.Close = defined(2);
  style_parts_.Collapse = defined(6);
  style_parts_.Expand = defined(7);
  const auto see_through = [data](int part, int state) {
    TkivPlatform& p = Platform();
    return p.IsThemeBackgroundPartiallyTransparent &&
           p.IsThemeBackgroundPartiallyTransparent(static_cast<HTHEME>(data), part, state);
  };
  style_parts_.SeeThrough = see_through(5, 0) || see_through(8, 1);
  return style_parts_;
}

bool TKivHeaderPanel::VisualStylesLook() {
  const TStyleParts& parts = StyleParts();
  return parts.Body && parts.Head;
}

// The visual styles changed (the platform's message, or the theme manager's
// code 5): which parts they draw is found again.
void TKivHeaderPanel::WndProc(TMessage& m) {
  if (m.Msg == WM_THEMECHANGED ||
      (m.Msg == KIV_THEME_MESSAGE && m.WParam == kThemeCodeSystemChanged))
    style_parts_.Known = false;
  TKivControl::WndProc(m);
}

void TKivHeaderPanel::DestroyWnd() {
  style_parts_.Known = false;
  TKivControl::DestroyWnd();
}

void TKivHeaderPanel::Dispatch(TMessage& m) {
  if (m.Msg == KIV_THEME_MESSAGE) {
    if (m.WParam == kThemeCodeApply || m.WParam == kThemeCodeApplied ||
        m.WParam == kThemeCodeRemoved || m.WParam == kThemeCodeSystemChanged) {
      Invalidate();
      // Who draws the panel decides the caption bar's inset.
      Realign();
    }
    return;
  }
  TKivControl::Dispatch(m);
}

// ---- caption button and pointer

void TKivHeaderPanel::InvalidateButton() {
  if (!HandleAllocated()) return;
  const TRect r = ButtonRect();
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  InvalidateRect(Handle(), &rr, FALSE);
}

void TKivHeaderPanel::SetButtonHot(bool value) {
  if (!Change(button_hot_, value)) return;
  InvalidateButton();
}

void TKivHeaderPanel::SetButtonPressed(bool value) {
  if (!Change(button_pressed_, value)) return;
  InvalidateButton();
}

void TKivHeaderPanel::MouseMove(TShiftState shift, int x, int y) {
  TKivControl::MouseMove(shift, x, y);
  SetButtonHot(HeaderAreaAt(Frame(), {x, y}) == TKivHeaderArea::Button);
  if (button_tracking_ && (shift & ssLeft)) SetButtonPressed(button_hot_);
}

void TKivHeaderPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (HeaderAreaAt(Frame(), {x, y}) != TKivHeaderArea::Button) return;
  button_tracking_ = true;
  SetButtonPressed(true);
}

// A click is a press and a release both on the caption button.
void TKivHeaderPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TKivControl::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  const bool tracking = button_tracking_;
  button_tracking_ = false;
  SetButtonPressed(false);
  if (tracking && HeaderAreaAt(Frame(), {x, y}) == TKivHeaderArea::Button) ButtonAction();
}

void TKivHeaderPanel::MouseLeave() {
  TKivControl::MouseLeave();
  SetButtonHot(false);
}

// Handlers and the roll may free the panel while they run (an animated roll
// lets messages through): nothing of it is used once it is gone.
void TKivHeaderPanel::ButtonAction() {
  const std::shared_ptr<bool> alive = alive_;
  if (button_kind_ == qpbkClose) {
    if (OnHide) OnHide(this);
    if (!*alive) return;
    Hide();
  } else {
    SetRolled(!rolled_);
    if (!*alive) return;
  }
  if (OnButtonClick) OnButtonClick(this);
}

// Over the caption button and the rest of the caption bar their own cursors
// show; everywhere else the panel's Cursor, which they never replace.
void TKivHeaderPanel::WMSetCursor(TMessage& m) {
  if (HandleAllocated() && reinterpret_cast<HWND>(m.WParam) == Handle() &&
      LOWORD(m.LParam) == HTCLIENT && Screen()->Cursor() == crDefault) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(Handle(), &p);
    const TKivHeaderArea area = HeaderAreaAt(Frame(), {p.x, p.y});
    if (area != TKivHeaderArea::Body) {
      const TCursor cursor = area == TKivHeaderArea::Button ? button_cursor_ : caption_cursor_;
      ::SetCursor(Screen()->Cursors(cursor == crDefault ? crArrow : cursor));
      m.Result = 1;
      return;
    }
  }
  TKivControl::WMSetCursor(m);
}

void TKivHeaderPanel::CMHintShow(TMessage& m) {
  if (auto* info = reinterpret_cast<THintInfo*>(m.LParam); info && show_caption_) {
    const TPoint p = ScreenToClient(info->CursorPos);
    if (PointInRect(GetCaptionRect(), p))
      info->HintStr = ToWide(show_button_ && button_hot_ ? button_hint_ : caption_hint_);
  }
  TKivControl::CMHintShow(m);
}

// ---- stored normal height

void TKivHeaderPanel::DefineProperties(TFiler& filer) {
  TKivControl::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "NormalHeight",
      [this](TStream& s) {
        uint8_t bytes[4];
        s.ReadBuffer(bytes, sizeof bytes);
        normal_height_ = static_cast<int32_t>(uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 |
                                              uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24);
      },
      [this](TStream& s) {
        const auto v = static_cast<uint32_t>(normal_height_);
        const uint8_t bytes[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
        s.WriteBuffer(bytes, sizeof bytes);
      },
      true);
}

}  // namespace kiv
