// TControl: tree, bounds, appearance, dispatch, actions.
#include "framework/win32/control.hpp"

#include <algorithm>
#include "framework/exceptions.hpp"
#include "framework/win32/actions.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/controls_internal.hpp"
#include "framework/win32/form.hpp"

namespace kiv {

using controls_detail::WindowlessCapture;

static wchar_t Upper(wchar_t c) {
  return static_cast<wchar_t>(
      reinterpret_cast<uintptr_t>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(c)))));
}

wchar_t AccelChar(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {  // "&&" is a plain ampersand
      ++i;
      continue;
    }
    return Upper(caption[i + 1]);
  }
  return 0;
}

bool IsAccel(wchar_t ch, const std::wstring& caption) {
  wchar_t a = AccelChar(caption);
  return a != 0 && a == Upper(ch);
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TCustomForm* GetParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(control);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange.Handler = [this](TObject*) {
    if (!updating_font_) parent_font_ = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  if (action_) action_->UnregisterClient(this);
  if (WindowlessCapture() == this) WindowlessCapture() = nullptr;
  Application()->ControlDestroying(this);
  if (TCustomForm* form = GetParentForm(this)) {
    if (form != this) {
      if (form->active_control_ == this) form->active_control_ = nullptr;
      if (form->focused_control_ == this) form->focused_control_ = nullptr;
    }
  }
  if (parent_) parent_->RemoveControl(this);
}

intptr_t TControl::Perform(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
  TMessage m{msg, wparam, lparam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  Dispatch(m);
}

void TControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      WMLButtonDown(m);
      return;
    case WM_LBUTTONUP:
      WMLButtonUp(m);
      return;
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClk(m);
      return;
    case WM_RBUTTONDOWN:
      WMRButtonDown(m);
      return;
    case WM_RBUTTONUP:
      WMRButtonUp(m);
      return;
    case WM_MOUSEMOVE:
      WMMouseMove(m);
      return;
    case WM_SETTEXT:
      WMSetText(m);
      return;
    case CM_MOUSEENTER:
      CMMouseEnter(m);
      return;
    case CM_MOUSELEAVE:
      CMMouseLeave(m);
      return;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(m);
      return;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(m);
      return;
    case CM_TEXTCHANGED:
      CMTextChanged(m);
      return;
    case CM_FONTCHANGED:
      CMFontChanged(m);
      return;
    case CM_COLORCHANGED:
      CMColorChanged(m);
      return;
    case CM_PARENTFONTCHANGED:
      CMParentFontChanged(m);
      return;
    case CM_PARENTCOLORCHANGED:
      CMParentColorChanged(m);
      return;
    case CM_HINTSHOW:
      CMHintShow(m);
      return;
    case CM_HITTEST:
      CMHitTest(m);
      return;
    case CM_CURSORCHANGED:
      CMCursorChanged(m);
      return;
    default:
      DefaultHandler(m);
  }
}

void TControl::DefaultHandler(TMessage& m) {
  if (m.Msg == WM_SETTEXT) m.Result = 1;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    if (parent_font_) {
      updating_font_ = true;
      font_.Assign(parent->Font());
      updating_font_ = false;
    }
    if (parent_color_) {
      color_ = parent->Color();
      Perform(CM_COLORCHANGED);
    }
    UpdateAnchorRules();
    Invalidate();
    RequestAlign();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  if (!anchoring_) UpdateAnchorRules();
  RequestAlign();
}

TRect TControl::GetClientRect() {
  return Rect(0, 0, width_, height_);
}

void TControl::SetClientSize(int width, int height) {
  TRect c = ClientRect();
  SetBounds(left_, top_, width_ + width - c.Width(), height_ + height - c.Height());
}

TPoint TControl::ClientOrigin() {
  if (!parent_) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  TPoint p = parent_->ClientOrigin();
  return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint p) {
  TPoint o = ClientOrigin();
  return {p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) {
  TPoint o = ClientOrigin();
  return {p.X - o.X, p.Y - o.Y};
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  VisibleChanging();
  if (!value) Invalidate();
  visible_ = value;
  Perform(CM_VISIBLECHANGED, value ? 1 : 0);
  RequestAlign();
}

bool TControl::Showing() const {
  return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
  parent_color_ = false;
  if (value == color_) return;
  color_ = value;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (value == parent_color_) return;
  parent_color_ = value;
  if (value && parent_) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (value == parent_font_) return;
  parent_font_ = value;
  if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  Perform(CM_CURSORCHANGED);
}

std::wstring TControl::Text() const {
  return text_;
}

void TControl::SetText(const std::wstring& value) {
  if (value == Text()) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<intptr_t>(value.c_str()));
  Perform(CM_TEXTCHANGED);
}

void TControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated() && visible_) {
    RECT r{left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->Handle(), &r, (control_style_ & csOpaque) ? FALSE : TRUE);
  }
}

bool TControl::PaintNow(const TRect& part) {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return false;
  const TRect r{std::max(part.Left, 0) + left_, std::max(part.Top, 0) + top_,
                std::min(part.Right, width_) + left_, std::min(part.Bottom, height_) + top_};
  if (r.Left >= r.Right || r.Top >= r.Bottom) return false;
  HWND window = parent_->Handle();
  const RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  const bool opaque = (control_style_ & csOpaque) != 0;
  HDC dc = opaque && !dynamic_cast<TWinControl*>(this) ? GetDC(window) : nullptr;
  if (!dc) {
    InvalidateRect(window, &rr, opaque ? FALSE : TRUE);
    return false;
  }
  // This control and those above it where they overlap the part, as the
  // parent's paint would draw them.
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  try {
    parent_->PaintControls(dc, this);
  } catch (...) {
    ReleaseDC(window, dc);
    throw;
  }
  ReleaseDC(window, dc);
  return true;
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& v = parent_->controls_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.push_back(this);
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& v = parent_->controls_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  v.insert(v.begin(), this);
  if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
    SetWindowPos(win->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

TComponent* TControl::GetParentComponent() const {
  return parent_;
}

void TControl::SetParentComponent(TComponent* parent) {
  auto* win = dynamic_cast<TWinControl*>(parent);
  if (parent && !win) throw EInvalidOperation("Control '" + Name() + "' needs a windowed parent");
  SetParent(win);
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
  if (action_) ActionChange(action_, true);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == action_) action_ = nullptr;
}

void TControl::SetAction(TAction* action) {
  if (action == action_) return;
  if (action_) action_->UnregisterClient(this);
  action_ = action;
  if (action_) {
    action_->RegisterClient(this);
    ActionChange(action_, Loading());
  }
}

void TControl::ActionChange(TAction* action, bool check_defaults) {
  if (!action) return;
  if (!check_defaults || Caption().empty()) SetCaption(action->Caption());
  if (!check_defaults || Enabled()) SetEnabled(action->Enabled());
  if (!check_defaults || Hint().empty()) SetHint(action->Hint());
  if (!check_defaults || Visible()) SetVisible(action->Visible());
  if (!check_defaults || !OnClick) OnClick = action->OnExecute;
}

void TControl::WMSetText(TMessage& m) {
  text_ = m.LParam ? reinterpret_cast<const wchar_t*>(m.LParam) : L"";
  DefaultHandler(m);
}

// The pointer entered this control or, with the child in LParam, one of its
// children: tell the parent, with this control as the child.
void TControl::CMMouseEnter(TMessage& m) {
  if (parent_) parent_->Perform(CM_MOUSEENTER, 0, reinterpret_cast<intptr_t>(this));
}

void TControl::CMMouseLeave(TMessage& m) {
  if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<intptr_t>(this));
}

void TControl::CMEnabledChanged(TMessage& m) {
  Invalidate();
}
void TControl::CMVisibleChanged(TMessage& m) {
  Invalidate();
}
void TControl::CMTextChanged(TMessage& m) {
  Invalidate();
}
void TControl::CMFontChanged(TMessage& m) {
  Invalidate();
}
void TControl::CMColorChanged(TMessage& m) {
  Invalidate();
}

void TControl::CMParentFontChanged(TMessage& m) {
  if (!parent_font_ || !parent_) return;
  updating_font_ = true;
  try {
    font_.Assign(parent_->Font());
  } catch (...) {
    updating_font_ = false;
    throw;
  }
  updating_font_ = false;
}

void TControl::CMParentColorChanged(TMessage& m) {
  if (!parent_color_ || !parent_) return;
  if (color_ == parent_->Color()) return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED);
}

// Accepts the hint (result 0) when there is a text to show.
void TControl::CMHintShow(TMessage& m) {
  auto* info = reinterpret_cast<THintInfo*>(m.LParam);
  m.Result = (info ? info->HintStr.empty() : hint_.empty()) ? 1 : 0;
}
void TControl::CMHitTest(TMessage& m) {
  m.Result = 1;
}
void TControl::CMCursorChanged(TMessage& m) {}

}  // namespace kiv
