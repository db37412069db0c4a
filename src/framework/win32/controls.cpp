#include "framework/win32/controls.hpp"

#include <windowsx.h>

#include <algorithm>
#include <map>

#include "framework/exceptions.hpp"
#include "framework/numeric.hpp"
#include "framework/win32/actions.hpp"
#include "framework/win32/forms.hpp"

namespace kiv {

namespace {

const wchar_t kControlProp[] = L"Kiv.Control";
const wchar_t kOwnClass[] = L"KivWindow";
thread_local TWinControl* g_creating = nullptr;
TControl* g_capture_control = nullptr;
std::vector<TControlCanvas*> g_canvases_with_dc;

bool IsWin(const TControl* c) {
  return dynamic_cast<const TWinControl*>(c) != nullptr;
}

// Window classes: the framework's own, and one superclass per platform class
// a control builds on, so that every message of every control window passes
// through KivWndProc from the window's first message on.
struct ClassInfo {
  std::wstring name;
  WNDPROC def_proc;
};
std::map<std::wstring, ClassInfo>& ClassTable() {
  static std::map<std::wstring, ClassInfo> table;
  return table;
}

}  // namespace

LRESULT CALLBACK KivWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);

namespace {

const ClassInfo& RegisterWindowClass(const std::wstring& base, UINT class_style) {
  std::wstring key = base.empty() ? std::wstring(kOwnClass) + std::to_wstring(class_style) : base;
  auto it = ClassTable().find(key);
  if (it != ClassTable().end()) return it->second;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  ClassInfo info;
  if (base.empty()) {
    wc.style = class_style;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    info.def_proc = DefWindowProcW;
    info.name = key;
  } else {
    if (base == L"RichEdit20W" && !GetModuleHandleW(L"riched20.dll")) LoadLibraryW(L"riched20.dll");
    if (!GetClassInfoExW(nullptr, base.c_str(), &wc))
      throw EOutOfResources("Window class " + ToNarrow(base) + " not found");
    wc.cbSize = sizeof(wc);
    info.def_proc = wc.lpfnWndProc;
    info.name = L"Kiv." + base;
  }
  wc.lpfnWndProc = KivWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = info.name.c_str();
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EOutOfResources("Error creating window class");
  return ClassTable().emplace(key, info).first->second;
}

}  // namespace

LRESULT CALLBACK KivWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* control = static_cast<TWinControl*>(GetPropW(window, kControlProp));
  if (!control) {
    if (!g_creating) return DefWindowProcW(window, msg, wparam, lparam);
    control = g_creating;
    g_creating = nullptr;
    control->handle_ = window;
    SetPropW(window, kControlProp, control);
  }
  TMessage message{msg, wparam, lparam, 0};
  try {
    control->WndProc(message);
  } catch (const std::exception& e) {
    // Nothing may unwind through the platform's frames: report it here.
    Application()->HandleException(e);
  }
  if (msg == WM_NCDESTROY) {
    RemovePropW(window, kControlProp);
    control->handle_ = nullptr;
  }
  return message.Result;
}

// ---------------------------------------------------------------------------
// Helpers

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

static TShiftState MouseShift(WPARAM w) {
  TShiftState s = 0;
  if (w & MK_SHIFT) s |= ssShift;
  if (w & MK_CONTROL) s |= ssCtrl;
  if (w & MK_LBUTTON) s |= ssLeft;
  if (w & MK_RBUTTON) s |= ssRight;
  if (w & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TCustomForm* GetParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TCustomForm*>(control);
}

TControl* GetCaptureControl() {
  HWND capture = GetCapture();
  TWinControl* win = capture ? TWinControl::FindControl(capture) : nullptr;
  if (g_capture_control && win && g_capture_control->Parent() == win) return g_capture_control;
  if (!win) g_capture_control = nullptr;
  return win;
}

void SetCaptureControl(TControl* control) {
  g_capture_control = nullptr;
  if (!control) {
    ReleaseCapture();
    return;
  }
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    SetCapture(win->Handle());
    return;
  }
  if (control->Parent()) {
    g_capture_control = control;
    SetCapture(control->Parent()->Handle());
  }
}

TControl* FindDragTarget(TPoint p, bool allow_disabled) {
  HWND window = WindowFromPoint(POINT{p.X, p.Y});
  TWinControl* win = nullptr;
  while (window && !(win = TWinControl::FindControl(window))) window = GetParent(window);
  if (!win) return nullptr;
  TControl* result = win;
  for (;;) {
    TControl* child = win->ControlAtPos(win->ScreenToClient(p), allow_disabled, true);
    if (!child) break;
    result = child;
    auto* child_win = dynamic_cast<TWinControl*>(child);
    if (!child_win) break;
    win = child_win;
  }
  return result;
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange.Handler = [this](TObject*) {
    if (!updating_font_) parent_font_ = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  if (action_) action_->UnregisterClient(this);
  if (g_capture_control == this) g_capture_control = nullptr;
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

void TControl::MoveBy(const TRect& r) {
  anchoring_ = true;
  try {
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
  } catch (...) {
    anchoring_ = false;
    throw;
  }
  anchoring_ = false;
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

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  static const TAnchors kAnchorAlign[] = {kDefaultAnchors,
                                          {akLeft, akTop, akRight},
                                          {akLeft, akRight, akBottom},
                                          {akLeft, akTop, akBottom},
                                          {akRight, akTop, akBottom},
                                          {akLeft, akTop, akRight, akBottom},
                                          kDefaultAnchors};
  anchors_ = kAnchorAlign[value];
  RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
  if (value == anchors_) return;
  anchors_ = value;
  UpdateAnchorRules();
}

// Remembers the place the control was given and the parent's size at the
// time; when the parent changes size, AlignControls moves the control from
// these by its anchors.
void TControl::UpdateAnchorRules() {
  if (anchoring_ || !parent_) return;
  TRect pc = parent_->ClientRect();
  original_parent_size_ = {pc.Width(), pc.Height()};
  if (anchors_.Contains(akLeft))
    anchor_rules_.X = anchors_.Contains(akRight) ? width_ : left_;
  else
    anchor_rules_.X = anchors_.Contains(akRight) ? left_ : left_ + width_ / 2;
  if (anchors_.Contains(akTop))
    anchor_rules_.Y = anchors_.Contains(akBottom) ? height_ : top_;
  else
    anchor_rules_.Y = anchors_.Contains(akBottom) ? top_ : top_ + height_ / 2;
}

void TControl::RequestAlign() {
  if (parent_) {
    TRect r = parent_->ClientRect();
    parent_->AlignControls(this, r);
  }
}

void TControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated() && visible_) {
    RECT r{left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->Handle(), &r, (control_style_ & csOpaque) ? FALSE : TRUE);
  }
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

bool TControl::MouseCapture() {
  return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
  if (value == MouseCapture()) return;
  SetCaptureControl(value ? this : nullptr);
}

void TControl::Click() {
  // With an action, OnClick is the action's execute handler (ActionChange).
  if (OnClick) {
    OnClick(this);
  } else if (action_) {
    action_->Execute();
  }
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
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

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::WMLButtonDown(TMessage& m) {
  DefaultHandler(m);
  if (control_style_ & csCaptureMouse) SetMouseCapture(true);
  control_state_ |= csLButtonDown;
  if (control_style_ & csClickEvents) control_state_ |= csClicked;
  MouseDown(mbLeft, MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WMLButtonUp(TMessage& m) {
  DefaultHandler(m);
  if (control_style_ & csCaptureMouse) SetMouseCapture(false);
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  bool clicked = (control_state_ & csClicked) != 0;
  control_state_ &= ~(csLButtonDown | csClicked);
  if (clicked && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
  MouseUp(mbLeft, MouseShift(m.WParam), x, y);
}

void TControl::WMLButtonDblClk(TMessage& m) {
  DefaultHandler(m);
  if (control_style_ & csDoubleClicks) DblClick();
  MouseDown(mbLeft, MouseShift(m.WParam) | ssDouble, GET_X_LPARAM(m.LParam),
            GET_Y_LPARAM(m.LParam));
}

void TControl::WMRButtonDown(TMessage& m) {
  DefaultHandler(m);
  MouseDown(mbRight, MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WMRButtonUp(TMessage& m) {
  DefaultHandler(m);
  MouseUp(mbRight, MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WMMouseMove(TMessage& m) {
  DefaultHandler(m);
  MouseMove(MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
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

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
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
  return window ? static_cast<TWinControl*>(GetPropW(window, kControlProp)) : nullptr;
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
  // Keep the windows in the order of the children.
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_)
      SetWindowPos(w->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
  const ClassInfo& cls = RegisterWindowClass(p.SubclassName, p.ClassStyle);
  def_proc_ = cls.def_proc;
  native_ = !p.SubclassName.empty();
  g_creating = this;
  HWND window =
      CreateWindowExW(p.ExStyle, cls.name.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                      p.Height, p.WndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
  g_creating = nullptr;
  if (!window) {
    handle_ = nullptr;
    throw EOutOfResources("Error creating window");
  }
  handle_ = window;
}

void TWinControl::DestroyWnd() {
  text_ = Text();
  if (handle_) DestroyWindow(handle_);
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
  // Mouse messages over a windowless child go to that child, in its coordinates.
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK && m.Msg != WM_MOUSEWHEEL) {
    TControl* target = nullptr;
    TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (g_capture_control && g_capture_control->Parent() == this && GetCapture() == handle_)
      target = g_capture_control;
    else if (!GetCapture() || GetCapture() != handle_ || !g_capture_control)
      target = ControlAtPos(p, false, false);
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

void TWinControl::InsertControl(TControl* c) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<uintptr_t>(c), 1);
  controls_.push_back(c);
  c->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    tab_list_.push_back(w);
    if (handle_) w->CreateHandle();
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<uintptr_t>(c), 1);
}

void TWinControl::RemoveControl(TControl* c) {
  if (c->parent_ != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<uintptr_t>(c), 0);
  c->Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    TCustomForm* form = GetParentForm(this);
    if (form) {
      // The focus and the active control must not point into a removed branch.
      for (TWinControl* f = form->focused_control_; f; f = f->Parent())
        if (f == w) {
          form->focused_control_ = nullptr;
          break;
        }
      for (TWinControl* f = form->active_control_; f; f = f->Parent())
        if (f == w) {
          form->active_control_ = nullptr;
          break;
        }
    }
    tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), w), tab_list_.end());
    if (!ComponentState().Contains(csDestroying) && w->handle_) w->DestroyHandle();
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  c->parent_ = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<uintptr_t>(c), 0);
  if (c->align_ != alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allow_disabled, bool allow_win_controls) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!allow_win_controls && IsWin(c)) continue;
    if (!c->Visible() || (!c->Enabled() && !allow_disabled)) continue;
    TRect b = c->BoundsRect();
    if (p.X < b.Left || p.Y < b.Top || p.X >= b.Right || p.Y >= b.Bottom) continue;
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(p.X - b.Left, p.Y - b.Top)) == 0) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    c->WndProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::NotifyControls(uint32_t msg) {
  TMessage m{msg, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(controls_)) c->WndProc(m);
}

void TWinControl::EnableAlign() {
  if (--align_level_ == 0 && (control_state_ & csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
  TRect r = ClientRect();
  AlignControls(nullptr, r);
}

// Aligned children first, in the order top, bottom, left, right, client; each
// group ordered by position (the control being moved wins ties); then the
// anchored ones follow their parent's size.
void TWinControl::AlignControls(TControl* control, TRect& rect) {
  if (aligning_ || align_level_ > 0 || Loading()) {
    control_state_ |= csAlignmentNeeded;
    return;
  }
  aligning_ = true;
  control_state_ &= ~csAlignmentNeeded;
  try {
    AdjustClientRect(rect);
    auto insert_before = [](TControl* a, TControl* b, TAlign align) {
      switch (align) {
        case alTop:
          return a->Top() < b->Top();
        case alBottom:
          return a->Top() + a->Height() >= b->Top() + b->Height();
        case alLeft:
          return a->Left() < b->Left();
        case alRight:
          return a->Left() + a->Width() >= b->Left() + b->Width();
        default:
          return false;
      }
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
      std::vector<TControl*> list;
      if (control && control->align_ == align && control->visible_ && control->parent_ == this)
        list.push_back(control);
      for (TControl* c : controls_) {
        if (c == control || c->align_ != align || !c->visible_) continue;
        size_t j = 0;
        while (j < list.size() && !insert_before(c, list[j], align)) ++j;
        list.insert(list.begin() + j, c);
      }
      for (TControl* c : list) {
        TRect r;
        int w = c->width_, h = c->height_;
        switch (align) {
          case alTop:
            r = Bounds(rect.Left, rect.Top, rect.Width(), h);
            rect.Top += h;
            break;
          case alBottom:
            r = Bounds(rect.Left, rect.Bottom - h, rect.Width(), h);
            rect.Bottom -= h;
            break;
          case alLeft:
            r = Bounds(rect.Left, rect.Top, w, rect.Height());
            rect.Left += w;
            break;
          case alRight:
            r = Bounds(rect.Right - w, rect.Top, w, rect.Height());
            rect.Right -= w;
            break;
          default:
            r = rect;
            break;
        }
        c->MoveBy(r);
      }
    }
    // Anchors of the free controls, against the size they were placed for.
    TRect client = ClientRect();
    for (TControl* c : controls_) {
      if (c->align_ != alNone || c->original_parent_size_.cx <= 0 ||
          c->original_parent_size_.cy <= 0)
        continue;
      TAnchors a = c->anchors_;
      int l = c->left_, t = c->top_, w = c->width_, h = c->height_;
      int dx = client.Width() - c->original_parent_size_.cx;
      int dy = client.Height() - c->original_parent_size_.cy;
      if (a.Contains(akLeft)) {
        if (a.Contains(akRight)) w = c->anchor_rules_.X + dx;
      } else if (a.Contains(akRight)) {
        l = c->anchor_rules_.X + dx;
      } else {
        l = MulDiv(c->anchor_rules_.X, client.Width(), c->original_parent_size_.cx) - w / 2;
      }
      if (a.Contains(akTop)) {
        if (a.Contains(akBottom)) h = c->anchor_rules_.Y + dy;
      } else if (a.Contains(akBottom)) {
        t = c->anchor_rules_.Y + dy;
      } else {
        t = MulDiv(c->anchor_rules_.Y, client.Height(), c->original_parent_size_.cy) - h / 2;
      }
      c->MoveBy(Bounds(l, t, std::max(w, 0), std::max(h, 0)));
    }
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& v = Parent()->tab_list_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!Parent() || value < 0) return;
  auto& v = Parent()->tab_list_;
  auto it = std::find(v.begin(), v.end(), this);
  if (it == v.end()) return;
  v.erase(it);
  // While a form is being read, the order is taken as read and sorted once
  // all siblings exist (the later ones carry higher numbers).
  if (Loading()) {
    desired_tab_order_ = value;
    size_t j = 0;
    while (j < v.size() && v[j]->desired_tab_order_ < value) ++j;
    v.insert(v.begin() + j, this);
    return;
  }
  size_t pos = std::min<size_t>(value, v.size());
  v.insert(v.begin() + pos, this);
  for (size_t i = 0; i < v.size(); ++i) v[i]->desired_tab_order_ = static_cast<int>(i);
}

void TWinControl::SetTabStop(bool value) {
  if (value == tab_stop_) return;
  tab_stop_ = value;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (TWinControl* c = this; c && c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() {
  return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && !form->Showing()) {
    form->SetActiveControl(this);
    return;
  }
  if (!CanFocus() && form != this)
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : tab_list_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool go_forward,
                                          bool check_tab_stop, bool check_parent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), current);
  int start =
      found == list.end() ? (go_forward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    if (go_forward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[i];
    if (c != current && c->CanFocus() && (!check_tab_stop || c->TabStop()) &&
        (!check_parent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool go_forward, bool check_tab_stop) {
  if (TWinControl* c = FindNextControl(current, go_forward, check_tab_stop, !check_tab_stop))
    c->SetFocus();
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

void TWinControl::PaintWindow(HDC dc) {
  if (native_) {
    TMessage m{WM_PAINT, reinterpret_cast<uintptr_t>(dc), 0, 0};
    DefaultHandler(m);
  }
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  bool started = first == nullptr;
  for (TControl* c : controls_) {
    if (!started) {
      started = c == first;
      if (!started) continue;
    }
    if (IsWin(c) || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    if (!RectVisible(dc, &r)) continue;
    int saved = SaveDC(dc);
    POINT org;
    GetWindowOrgEx(dc, &org);
    SetWindowOrgEx(dc, org.x - c->Left(), org.y - c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  bool has_graphic_children =
      std::any_of(controls_.begin(), controls_.end(), [](TControl* c) { return !IsWin(c); });
  if (native_ && !has_graphic_children && !(control_state_ & csCustomPaint)) {
    DefaultHandler(m);
    return;
  }
  PAINTSTRUCT ps{};
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc) dc = BeginPaint(handle_, &ps);
  try {
    if (double_buffered_ && !m.WParam) {
      // Everything into a bitmap first, then one copy to the window.
      RECT r;
      ::GetClientRect(handle_, &r);
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP bmp =
          CreateCompatibleBitmap(dc, std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1));
      HGDIOBJ old = SelectObject(mem, bmp);
      try {
        TMessage erase{WM_ERASEBKGND, reinterpret_cast<uintptr_t>(mem), 0, 0};
        WMEraseBkgnd(erase);
        int saved = SaveDC(mem);
        PaintWindow(mem);
        RestoreDC(mem, saved);
        PaintControls(mem, nullptr);
        BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
      } catch (...) {
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        throw;
      }
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
    } else {
      int saved = SaveDC(dc);
      PaintWindow(dc);
      RestoreDC(dc, saved);
      PaintControls(dc, nullptr);
    }
  } catch (...) {
    if (!m.WParam) EndPaint(handle_, &ps);
    throw;
  }
  if (!m.WParam) EndPaint(handle_, &ps);
}

void TWinControl::WMPaint(TMessage& m) {
  PaintHandler(m);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  if (native_) {
    DefaultHandler(m);
    return;
  }
  if (!(ControlStyle() & csOpaque)) {
    RECT r;
    ::GetClientRect(handle_, &r);
    ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, BrushHandle());
  }
  m.Result = 1;
}

void TWinControl::WMWindowPosChanging(TMessage& m) {
  DefaultHandler(m);
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
  DefaultHandler(m);
  UpdateBoundsFromWindow();
}

void TWinControl::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
  if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& m) {
  DefaultHandler(m);
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

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WMKeyDown(TMessage& m) {
  auto key = static_cast<uint16_t>(m.WParam);
  KeyDown(key, KeyboardShiftState());
  if (key == 0) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
  auto key = static_cast<uint16_t>(m.WParam);
  KeyUp(key, KeyboardShiftState());
  if (key == 0) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
  auto ch = static_cast<wchar_t>(m.WParam);
  KeyPress(ch);
  if (ch == 0) return;
  m.WParam = ch;
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

// A navigation key the focused control does not claim is offered to its form
// as a dialog key (Tab moves the focus, Enter and Escape reach the buttons).
void TWinControl::CNKeyDown(TMessage& m) {
  m.Result = 1;
  auto key = static_cast<uint16_t>(m.WParam);
  uint32_t mask = 0;
  switch (key) {
    case VK_TAB:
      mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
      mask = DLGC_WANTALLKEYS;
      break;
  }
  if (mask && Perform(CM_WANTSPECIALKEY, key) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0) {
    if (TCustomForm* form = GetParentForm(this))
      if (form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) return;
  }
  m.Result = 0;
}

// A character the focused control does not take is offered to its form as a
// possible accelerator; with Alt held (a system character) always.
void TWinControl::CNChar(TMessage& m) {
  m.Result = 1;
  bool offer = m.Msg == CN_SYSCHAR || (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0;
  if (offer) {
    if (TCustomForm* form = GetParentForm(this))
      if (form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
  }
  m.Result = 0;
}

void TWinControl::CMDialogKey(TMessage& m) {
  Broadcast(m);
}
void TWinControl::CMDialogChar(TMessage& m) {
  Broadcast(m);
}
void TWinControl::CMFocusChanged(TMessage& m) {
  Broadcast(m);
}
void TWinControl::CMEnter(TMessage& m) {
  DoEnter();
}
void TWinControl::CMExit(TMessage& m) {
  DoExit();
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
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

// ---------------------------------------------------------------------------
// Canvases of controls

TControlCanvas::~TControlCanvas() {
  FreeHandle();
}

void TControlCanvas::FreeHandle() {
  if (!owned_dc_) return;
  SetHandle(nullptr);
  ReleaseDC(owned_window_, owned_dc_);
  owned_dc_ = nullptr;
  owned_window_ = nullptr;
  g_canvases_with_dc.erase(std::remove(g_canvases_with_dc.begin(), g_canvases_with_dc.end(), this),
                           g_canvases_with_dc.end());
}

// Drawing outside a paint: a device context of the control's window (or of
// the parent's, moved and clipped to a windowless control).
void TControlCanvas::CreateHandle() {
  HWND window;
  bool windowless = false;
  if (auto* win = dynamic_cast<TWinControl*>(control_)) {
    window = win->Handle();
  } else {
    if (!control_->Parent()) return;
    window = control_->Parent()->Handle();
    windowless = true;
  }
  HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) throw EOutOfResources("Out of system resources");
  if (windowless) {
    SetWindowOrgEx(dc, -control_->Left(), -control_->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
  }
  owned_dc_ = dc;
  owned_window_ = window;
  g_canvases_with_dc.push_back(this);
  SetHandle(dc);
}

void FreeDeviceContexts() {
  for (TControlCanvas* c : std::vector<TControlCanvas*>(g_canvases_with_dc))
    if (c->LockCount() == 0) c->FreeHandle();
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    WMPaint(m);
    return;
  }
  TControl::Dispatch(m);
}

void TGraphicControl::WMPaint(TMessage& m) {
  if (!m.WParam) return;
  canvas_->FreeHandle();
  canvas_->Lock();
  canvas_->SetHandle(reinterpret_cast<HDC>(m.WParam));
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
  canvas_->FreeHandle();
}

void TCustomControl::DestroyWnd() {
  canvas_->FreeHandle();
  TWinControl::DestroyWnd();
}

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->FreeHandle();
  canvas_->Lock();
  canvas_->SetHandle(dc);
  try {
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}

// ---------------------------------------------------------------------------
// Utility windows

namespace {
LRESULT CALLBACK UtilWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* handler =
      reinterpret_cast<std::function<void(TMessage&)>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!handler) return DefWindowProcW(window, msg, wparam, lparam);
  TMessage m{msg, wparam, lparam, 0};
  try {
    (*handler)(m);
  } catch (const std::exception& e) {
    Application()->HandleException(e);
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete handler;
  }
  return m.Result;
}
}  // namespace

HWND AllocateHWnd(std::function<void(TMessage&)> handler) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = UtilWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KivUtilWindow";
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  HWND window = CreateWindowExW(0, L"KivUtilWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) throw EOutOfResources("Error creating window");
  auto* h = new std::function<void(TMessage&)>([handler = std::move(handler), window](TMessage& m) {
    handler(m);
    if (m.Result == 0 && m.Msg != WM_TIMER)
      m.Result = DefWindowProcW(window, m.Msg, m.WParam, m.LParam);
  });
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(h));
  return window;
}

void DeallocateHWnd(HWND window) {
  if (window) DestroyWindow(window);
}

}  // namespace kiv
