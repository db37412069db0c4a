// TKivRichEdit: construction, the theme object, and the messages it takes
// before the native control (erase, non-client paint, mouse enter and leave,
// theme notifications).
#include "controls/kiv_rich_edit_win32.hpp"

#include "controls/kiv_controls_unit_win32.hpp"
#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "framework/class_builder.hpp"
#include "framework/messages.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"
#include "theme/theme_tables.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivRichEdit, c) {
  c.String("ThemeObject", &TKivRichEdit::ThemeObject, &TKivRichEdit::SetThemeObject);
}

TKivRichEdit::TKivRichEdit(TComponent* owner) : TRichEdit(owner) {
  StartControlsUnit();
  pair_ = std::make_unique<TKivSubScrollBar>(
      this, [this](TComponent* bar_owner) { return CreateScrollBar(bar_owner); });
  AddThemeClient(this);
}

// The bars go before the edit: off their parent first, so that neither the
// parent nor the pair frees one twice.
TKivRichEdit::~TKivRichEdit() {
  RemoveThemeClient(this);
  pair_->SetTarget(nullptr);
  pair_.reset();
}

TKivScrollBar* TKivRichEdit::CreateScrollBar(TComponent* owner) {
  return new TKivScrollBar(owner);
}

void TKivRichEdit::SetThemeObject(const std::string& value) {
  if (value == theme_object_) return;
  theme_object_ = value;
  Invalidate();
}

void TKivRichEdit::SetParent(TWinControl* parent) {
  TRichEdit::SetParent(parent);
  if (pair_) pair_->SetParentControl(parent);
}

// A new window (a change of scroll bars or border remakes it) comes in above
// its siblings: the bars go back on top of it.
void TKivRichEdit::CreateHandleDone() {
  TRichEdit::CreateHandleDone();
  if (!pair_) return;
  for (TKivInplaceScrollBar* bar : {pair_->VertScrollBar(), pair_->HorzScrollBar()})
    if (bar && bar->Parent()) bar->BringToFront();
}

void TKivRichEdit::WndProc(TMessage& m) {
  if (m.Msg == WM_THEMECHANGED) ForgetEditStyle();
  if (pair_) pair_->TargetMessage(m);
  switch (m.Msg) {
    case WM_ERASEBKGND:
      // The native control paints all of its client area itself.
      m.Result = 1;
      return;
    case WM_NCPAINT:
      // The frame drawn below covers the native border; the native bars
      // lie under the library's. Drawing them first is wasted work (a
      // visual-styles scroll bar costs milliseconds), so the platform draws
      // the non-client area only while a native bar shows uncovered.
      if (!NativeBarsCovered()) TRichEdit::WndProc(m);
      PaintNonClient();
      m.Result = 0;
      return;
    case WM_PAINT:
      // A context in the word parameter asks for the control painted into it
      // (a picture of the window, the framework's print request): the whole
      // window, frame and client, at the context's origin.
      if (m.WParam) {
        PrintInto(reinterpret_cast<HDC>(m.WParam));
        m.Result = 0;
        return;
      }
      TRichEdit::WndProc(m);
      return;
    case CM_MOUSEENTER:
      TRichEdit::WndProc(m);
      hot_ = true;
      MouseEnter();
      return;
    case CM_MOUSELEAVE:
      TRichEdit::WndProc(m);
      hot_ = false;
      MouseLeave();
      return;
    default:
      TRichEdit::WndProc(m);
  }
}

namespace {

// The native bar of that kind is hidden, or the library's bar shows exactly
// over it.
bool NativeBarCovered(HWND target, LONG object_id, TKivInplaceScrollBar* bar) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfoSafe(target, object_id, &info)) return false;
  if (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) return true;
  if (!bar || !bar->HandleAllocated() || !IsWindowVisible(bar->Handle())) return false;
  RECT r;
  GetWindowRect(bar->Handle(), &r);
  return EqualRect(&r, &info.rcScrollBar) != FALSE;
}

}  // namespace

bool TKivRichEdit::NativeBarsCovered() {
  if (!pair_ || !HandleAllocated()) return false;
  HWND target = Handle();
  return NativeBarCovered(target, OBJID_VSCROLL, pair_->VertScrollBar()) &&
         NativeBarCovered(target, OBJID_HSCROLL, pair_->HorzScrollBar());
}

void TKivRichEdit::Dispatch(TMessage& m) {
  if (m.Msg == KIV_THEME_MESSAGE) {
    ThemeNotification(m);
    return;
  }
  TRichEdit::Dispatch(m);
}

void TKivRichEdit::ThemeNotification(TMessage& m) {
  if (!HandleAllocated()) return;
  if (m.WParam == kThemeCodeSystemChanged) ForgetEditStyle();
  const TKivRichEditReaction reaction = RichEditThemeReaction(m.WParam);
  switch (reaction.Recolour) {
    case TKivRichEditRecolour::ThemeEdit:
      if (TkivTheme* theme = CurrentTheme()) SetColor(theme->Colors()->GetColor(tcEditNormal));
      break;
    case TKivRichEditRecolour::WindowColour:
      SetColor(clWindow);
      break;
    case TKivRichEditRecolour::None:
      break;
  }
  if (!reaction.Repaint) return;
  SendMessageW(Handle(), WM_NCPAINT, 0, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace kiv
