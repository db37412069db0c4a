// TWinControl: the window, the dispatch path, bounds and state messages.
#include "framework/win32/win_control.hpp"

#include <windowsx.h>
#include <algorithm>
#include "framework/exceptions.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/canvas.hpp"
#include "framework/win32/controls_internal.hpp"
#include "framework/win32/form.hpp"
#include "framework/win32/window_class.hpp"

namespace kiv {

using controls_detail::IsWin;
using controls_detail::WindowlessCapture;

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // The window goes first and takes its children's windows with it in one
  // call (each child is told, and forgets its handle, on WM_NCDESTROY).
  // Freed one by one while their parent's window stood, the children would
  // each be hidden, their siblings aligned again and repainted, for a window
  // about to vanish.
  if (handle_) {
    control_state_ |= csDestroyingHandle;
    DestroyWindow(handle_);
    window_class_detail::ForgetWindow(handle_, this);
    handle_ = nullptr;
  }
  // Children go with their parent, last first.
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    RemoveControl(c);
    delete c;
  }
  DestroyHandle();
  if (font_handle_) DeleteObject(font_handle_);
  if (brush_handle_) DeleteObject(brush_handle_);
}

TWinControl* TWinControl::FindControl(HWND window) {
  return window_class_detail::ControlOfWindow(window);
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  if (Parent()) Parent()->Handle();
  if (handle_) return;  // made while the parent made its children
  control_state_ |= csCreating;
  try {
    CreateWnd();
  } catch (...) {
    control_state_ &= ~csCreating;
    throw;
  }
  control_state_ &= ~csCreating;
  if (native_) ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), 0);
  for (TControl* c : std::vector<TControl*>(controls_))
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
  // Keep the windows in the order of the children: the last child on top,
  // as BringToFront leaves it.
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_)
      SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CreateHandleDone();
  Realign();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle() & csAcceptsControls) p.Style |= WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tab_stop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  if (Parent()) p.WndParent = Parent()->Handle();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  const window_class_detail::TWindowClass& cls =
      window_class_detail::RegisterWindowClass(p.SubclassName, p.ClassStyle);
  def_proc_ = cls.DefProc;
  native_ = !p.SubclassName.empty();
  window_class_detail::SetCreatingControl(this);
  HWND window =
      CreateWindowExW(p.ExStyle, cls.Name.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                      p.Height, p.WndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
  window_class_detail::SetCreatingControl(nullptr);
  if (!window) {
    handle_ = nullptr;
    throw EOutOfResources("Error creating window");
  }
  handle_ = window;
}

void TWinControl::DestroyWnd() {
  text_ = Text();
  if (handle_) {
    DestroyWindow(handle_);
    window_class_detail::ForgetWindow(handle_, this);
  }
  handle_ = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  control_state_ |= csDestroyingHandle;
  // The children's windows go with this one; keep their texts first.
  std::vector<TWinControl*> stack;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_) w->text_ = w->Text();
  DestroyWnd();
  control_state_ &= ~csDestroyingHandle;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  bool had_focus = Focused();
  DestroyHandle();
  CreateHandle();
  if (had_focus) ::SetFocus(handle_);
}

void TWinControl::WndProc(TMessage& m) {
  // A windowless child holds the capture through this window only as long as
  // the window holds it: the platform says when the capture goes elsewhere,
  // and a window being destroyed loses it (without a word, under Wine).
  if (((m.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(m.LParam) != handle_) ||
       m.Msg == WM_NCDESTROY) &&
      WindowlessCapture() && WindowlessCapture()->Parent() == this)
    WindowlessCapture() = nullptr;
  // Mouse messages over a windowless child go to that child, in its
  // coordinates; while one holds the capture through this window, all of
  // them go to it. The windowless capture is cleared whenever this window
  // loses the platform's capture, so it is not asked for here (a request to
  // the window server at every mouse move).
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK && m.Msg != WM_MOUSEWHEEL) {
    TControl* target = WindowlessCapture();
    TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (!target || target->Parent() != this) target = ControlAtPos(p, false, false);
    if (target && !IsWin(target)) {
      TMessage fwd = m;
      fwd.LParam = MAKELPARAM(p.X - target->Left(), p.Y - target->Top());
      target->WndProc(fwd);
      m.Result = fwd.Result;
      return;
    }
  }
  TControl::WndProc(m);
}

void TWinControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      WMPaint(m);
      return;
    case WM_ERASEBKGND:
      WMEraseBkgnd(m);
      return;
    case WM_WINDOWPOSCHANGING:
      WMWindowPosChanging(m);
      return;
    case WM_WINDOWPOSCHANGED:
      WMWindowPosChanged(m);
      return;
    case WM_SETFOCUS:
      WMSetFocus(m);
      return;
    case WM_KILLFOCUS:
      WMKillFocus(m);
      return;
    case WM_SETCURSOR:
      WMSetCursor(m);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      WMKeyDown(m);
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      WMKeyUp(m);
      return;
    case WM_CHAR:
      WMChar(m);
      return;
    case WM_COMMAND:
      WMCommand(m);
      return;
    case WM_NOTIFY:
      WMNotify(m);
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      WMCtlColor(m);
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_BASE + WM_CTLCOLORBTN:
    case CN_BASE + WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRef(Font()->Color()));
      SetBkColor(dc, ColorToRef(Color()));
      m.Result = reinterpret_cast<intptr_t>(BrushHandle());
      return;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      CNKeyDown(m);
      return;
    case CN_CHAR:
    case CN_SYSCHAR:
      CNChar(m);
      return;
    case CM_DIALOGKEY:
      CMDialogKey(m);
      return;
    case CM_DIALOGCHAR:
      CMDialogChar(m);
      return;
    case CM_FOCUSCHANGED:
      CMFocusChanged(m);
      return;
    case CM_ENTER:
      CMEnter(m);
      return;
    case CM_EXIT:
      CMExit(m);
      return;
    case CM_CONTROLLISTCHANGE:
      CMControlListChange(m);
      return;
    case CM_CONTROLCHANGE:
      CMControlChange(m);
      return;
    default:
      TControl::Dispatch(m);
  }
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_ && m.Msg < CM_BASE) {
    m.Result = CallWindowProcW(def_proc_, handle_, m.Msg, m.WParam, m.LParam);
    return;
  }
  TControl::DefaultHandler(m);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, (ControlStyle() & csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  bool resized = width != Width() || height != Height();
  TControl::SetBounds(left, top, width, height);
  // The parent's alignment may have moved the control on: place the window
  // where the control is now.
  if (handle_) {
    SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBoundsFromWindow();
  }
  if (resized) Realign();
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  }
  if (IsIconic(handle_)) return;
  TRect now = Rect(r.left, r.top, r.right, r.bottom);
  if (now == BoundsRect()) return;
  bool resized = now.Width() != Width() || now.Height() != Height();
  TControl::SetBounds(now.Left, now.Top, now.Width(), now.Height());
  if (resized) Realign();
}

TRect TWinControl::GetClientRect() {
  if (handle_) {
    RECT r;
    ::GetClientRect(handle_, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
  }
  return TControl::GetClientRect();
}

void TWinControl::SetClientSize(int width, int height) {
  TControl::SetClientSize(width, height);
}

TPoint TWinControl::ClientOrigin() {
  POINT p{0, 0};
  ::ClientToScreen(Handle(), &p);
  return {p.x, p.y};
}

bool TWinControl::Showing() const {
  return handle_ && IsWindowVisible(handle_);
}

std::wstring TWinControl::Text() const {
  if (!handle_) return text_;
  int n = GetWindowTextLengthW(handle_);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(handle_, s.data(), n + 1);
  s.resize(n);
  return s;
}

// A form stream lists, under each windowed control, the controls it holds;
// under the root also the root's components that have no parent.
void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  if (root == this)
    for (int i = 0; i < ComponentCount(); ++i)
      if (!Components(i)->HasParent()) proc(Components(i));
  for (TControl* c : controls_)
    if (c->Owner() == root) proc(c);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

HFONT TWinControl::FontHandle() {
  if (!font_handle_) font_handle_ = CreateFontHandle(*Font());
  return font_handle_;
}

HBRUSH TWinControl::BrushHandle() {
  if (brush_handle_ && brush_color_ != Color()) {
    DeleteObject(brush_handle_);
    brush_handle_ = nullptr;
  }
  if (!brush_handle_) {
    brush_color_ = Color();
    brush_handle_ = CreateSolidBrush(ColorToRef(brush_color_));
  }
  return brush_handle_;
}

void TWinControl::WMWindowPosChanging(TMessage& m) {
  DefaultHandler(m);
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
  DefaultHandler(m);
  UpdateBoundsFromWindow();
}

void TWinControl::WMSetCursor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
    TCursor cursor = Screen()->Cursor();
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      ::ScreenToClient(handle_, &p);
      TControl* c = ControlAtPos({p.x, p.y}, false, false);
      cursor = c ? c->Cursor() : Cursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen()->Cursors(cursor));
      m.Result = 1;
      return;
    }
  }
  DefaultHandler(m);
}

void TWinControl::WMCommand(TMessage& m) {
  if (TWinControl* c = FindControl(reinterpret_cast<HWND>(m.LParam)); c && c != this) {
    m.Result = c->Perform(CN_COMMAND, m.WParam, m.LParam);
    return;
  }
  DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) {
  auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
  if (TWinControl* c = hdr ? FindControl(hdr->hwndFrom) : nullptr; c && c != this) {
    m.Result = c->Perform(CN_NOTIFY, m.WParam, m.LParam);
    return;
  }
  DefaultHandler(m);
}

void TWinControl::WMCtlColor(TMessage& m) {
  if (TWinControl* c = FindControl(reinterpret_cast<HWND>(m.LParam)); c && c != this) {
    m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return;
  }
  DefaultHandler(m);
}

void TWinControl::CMEnabledChanged(TMessage& m) {
  if (!Enabled() && Focused()) {
    if (TCustomForm* form = GetParentForm(this)) ::SetFocus(form->Handle());
  }
  if (handle_) EnableWindow(handle_, Enabled());
  TControl::CMEnabledChanged(m);
}

void TWinControl::CMVisibleChanged(TMessage& m) {
  if (handle_) {
    if (!Visible() && Focused()) {
      if (TCustomForm* form = GetParentForm(this); form && form != this) ::SetFocus(form->Handle());
    }
    ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
  }
}

void TWinControl::CMFontChanged(TMessage& m) {
  if (font_handle_) {
    HFONT old = font_handle_;
    font_handle_ = nullptr;
    if (handle_ && native_)
      ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), 1);
    DeleteObject(old);
  } else if (handle_ && native_) {
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), 1);
  }
  Invalidate();
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& m) {
  Invalidate();
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMParentFontChanged(TMessage& m) {
  TControl::CMParentFontChanged(m);
}
void TWinControl::CMParentColorChanged(TMessage& m) {
  TControl::CMParentColorChanged(m);
}
void TWinControl::CMMouseEnter(TMessage& m) {
  TControl::CMMouseEnter(m);
}
void TWinControl::CMMouseLeave(TMessage& m) {
  TControl::CMMouseLeave(m);
}

}  // namespace kiv
