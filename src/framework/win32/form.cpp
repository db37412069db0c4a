// TCustomForm: the window, closing, modal showing and the definition.
#include "framework/win32/form.hpp"

#include <algorithm>

#include "framework/exceptions.hpp"
#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/published.hpp"

namespace kiv {

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption |
                  csDoubleClicks);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (const std::exception& e) {
      Application()->HandleException(e);
    }
  }
  Screen()->RemoveForm(this);
  if (Application()->MainForm() == this) Application()->ClearMainForm();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == border_style_) return;
  TRect client = ClientRect();
  border_style_ = value;
  RecreateWnd();
  SetClientSize(client.Width(), client.Height());
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (value == border_icons_) return;
  border_icons_ = value;
  RecreateWnd();
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.Style &= ~WS_VISIBLE;
  p.ExStyle = 0;
  p.WndParent = nullptr;
  switch (border_style_) {
    case bsNone:
      p.Style |= WS_POPUP;
      break;
    case bsSingle:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      p.Style |= WS_CAPTION | DS_MODALFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      p.Style |= WS_CAPTION;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (border_style_ != bsNone && border_icons_.Contains(biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    // A dialog frame has no minimize or maximize box.
    if (border_style_ == bsSingle || border_style_ == bsSizeable) {
      if (border_icons_.Contains(biMinimize)) p.Style |= WS_MINIMIZEBOX;
      if (border_icons_.Contains(biMaximize)) p.Style |= WS_MAXIMIZEBOX;
    }
    if (border_icons_.Contains(biHelp) && !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
      p.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (position_ == poDefault || position_ == poDefaultPosOnly) {
    p.X = CW_USEDEFAULT;
    p.Y = CW_USEDEFAULT;
  } else if (position_ == poScreenCenter || position_ == poDesktopCenter) {
    p.X = (Screen()->Width() - Width()) / 2;
    p.Y = (Screen()->Height() - Height()) / 2;
  }
}

void TCustomForm::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateBoundsFromWindow();
}

TSize TCustomForm::FrameSize() {
  if (HandleAllocated()) {
    RECT w, c;
    GetWindowRect(Handle(), &w);
    ::GetClientRect(Handle(), &c);
    return {(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
  }
  TCreateParams p;
  TCustomForm::CreateParams(p);
  RECT r{0, 0, 100, 100};
  AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
  return {r.right - r.left - 100, r.bottom - r.top - 100};
}

TRect TCustomForm::GetClientRect() {
  if (HandleAllocated()) return TWinControl::GetClientRect();
  TSize f = FrameSize();
  return Rect(0, 0, std::max(0, Width() - f.cx), std::max(0, Height() - f.cy));
}

void TCustomForm::SetClientSize(int width, int height) {
  TSize f = FrameSize();
  SetBounds(Left(), Top(), width + f.cx, height + f.cy);
}

TPoint TCustomForm::ClientOrigin() {
  POINT p{0, 0};
  ::ClientToScreen(Handle(), &p);
  return {p.x, p.y};
}

bool TCustomForm::Showing() const {
  return TWinControl::Showing();
}

void TCustomForm::AlignControls(TControl* control, TRect& rect) {
  TWinControl::AlignControls(control, rect);
}

void TCustomForm::Paint() {
  TCustomControl::Paint();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == active_control_) return;
  if (control && (!ContainsControl(control) || control == this))
    throw EInvalidOperation("Invalid active control");
  active_control_ = control;
  if (control && Showing() && control->CanFocus()) control->SetFocus();
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == focused_control_) return;
  TWinControl* old = focused_control_;
  focused_control_ = control;
  if (control != this) active_control_ = control;
  if (old) old->Perform(CM_EXIT);
  if (control) control->Perform(CM_ENTER);
  // Every control of the form learns where the focus went (buttons decide
  // whether they act as the default one).
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(control));
}

void TCustomForm::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      WMClose(m);
      return;
    case WM_ACTIVATE:
      WMActivate(m);
      return;
    case WM_GETMINMAXINFO:
      WMGetMinMaxInfo(m);
      return;
    case CM_SHOWINGCHANGED:
      CMShowingChanged(m);
      return;
    case CM_RELEASE:
      CMRelease(m);
      return;
    case WM_SETFOCUS:
      WMSetFocus(m);
      return;
    default:
      TCustomControl::Dispatch(m);
  }
}

void TCustomForm::WMSetFocus(TMessage& m) {
  // The form's window passes the focus on to its active control.
  if (active_control_ && active_control_ != this && active_control_->CanFocus()) {
    DefaultHandler(m);
    ::SetFocus(active_control_->Handle());
    return;
  }
  TCustomControl::WMSetFocus(m);
}

void TCustomForm::WMActivate(TMessage& m) {
  DefaultHandler(m);
  if (LOWORD(m.WParam) != WA_INACTIVE) {
    if (!active_control_) active_control_ = FindNextControl(nullptr, true, true, false);
    if (active_control_ && active_control_->CanFocus()) ::SetFocus(active_control_->Handle());
    m.Result = 0;
  }
}

// The platform keeps a window between a minimum tracking size (over a hundred
// pixels wide with a caption) and a maximum one (the screen). The size the
// program gives the form is its size whatever it is: the limits widen to take
// it, so a tiny form is not widened and a form taller than the screen is not
// cut. The form's bounds already hold the new size when the platform asks.
void TCustomForm::WMGetMinMaxInfo(TMessage& m) {
  DefaultHandler(m);
  auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
  const LONG width = std::max(Width(), 0), height = std::max(Height(), 0);
  info->ptMinTrackSize.x = std::min(info->ptMinTrackSize.x, width);
  info->ptMinTrackSize.y = std::min(info->ptMinTrackSize.y, height);
  info->ptMaxTrackSize.x = std::max(info->ptMaxTrackSize.x, width);
  info->ptMaxTrackSize.y = std::max(info->ptMaxTrackSize.y, height);
  m.Result = 0;
}

void TCustomForm::CMDialogKey(TMessage& m) {
  TShiftState shift = KeyboardShiftState();
  if (m.WParam == VK_TAB && !(shift & (ssAlt | ssCtrl))) {
    SelectNext(active_control_, !(shift & ssShift), true);
    m.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(m);
}

void TCustomForm::VisibleChanging() {}

// Showing a form makes its window (and its children's) and gives the focus to
// the active control, or to the first one in tab order.
void TCustomForm::CMVisibleChanged(TMessage& m) {
  if (Loading()) return;  // shown once the definition is read
  if (Visible()) {
    HWND window = Handle();
    ShowWindow(window, SW_SHOW);
    if (!active_control_) active_control_ = FindNextControl(nullptr, true, true, false);
    if (active_control_ && active_control_->CanFocus())
      ::SetFocus(active_control_->Handle());
    else
      ::SetFocus(window);
    if (OnShow) OnShow(this);
  } else if (HandleAllocated()) {
    ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::CMShowingChanged(TMessage& m) {}

void TCustomForm::CMRelease(TMessage& m) {
  delete this;
}

void TCustomForm::WMClose(TMessage& m) {
  Close();
  m.Result = 0;
}

bool TCustomForm::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  return can_close;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (modal_) {
    if (modal_result_ == mrNone) modal_result_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application()->MainForm() == this) {
    Application()->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    if (HandleAllocated()) ShowWindow(Handle(), SW_MINIMIZE);
  } else if (action == caFree) {
    Release();
  }
}

void TCustomForm::Release() {
  if (HandleAllocated()) PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
  modal_ = true;
  modal_result_ = mrNone;
  // Other windows of the program wait while the modal form runs.
  std::vector<HWND> disabled;
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* f = Screen()->Forms(i);
    if (f != this && f->HandleAllocated() && IsWindowEnabled(f->Handle())) {
      EnableWindow(f->Handle(), FALSE);
      disabled.push_back(f->Handle());
    }
  }
  TModalResult result = mrNone;
  try {
    Show();
    while (modal_result_ == mrNone && !Application()->Terminated()) {
      Application()->HandleMessage();
      if (modal_result_ != mrNone && !CloseQuery()) modal_result_ = mrNone;
    }
    result = modal_result_;
  } catch (...) {
    for (HWND w : disabled) EnableWindow(w, TRUE);
    modal_ = false;
    throw;
  }
  for (HWND w : disabled) EnableWindow(w, TRUE);
  Hide();
  modal_ = false;
  return result;
}

void TCustomForm::DoCreate() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (const std::exception& e) {
    Application()->HandleException(e);
  }
}

void TCustomForm::ReadDefinition(const std::string& definition) {
  RegisterFrameworkClasses();
  TMemoryStream binary;
  if (definition.compare(0, 4, "TPF0") == 0) {
    binary.WriteBuffer(definition.data(), static_cast<int64_t>(definition.size()));
  } else {
    TStringStream text(definition);
    ObjectTextToBinary(text, binary);
  }
  binary.SetPosition(0);
  TReader reader(binary);
  reader.ReadRootComponent(this);
}

// The definition is the RCDATA resource named by the form's class in upper
// case (TFORM1 for TForm1), as the resource compiler stores named resources.
void TCustomForm::InitializeForm() {
  const std::string name = UpperCase(ClassName());
  if (HRSRC res = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10))) {  // RT_RCDATA
    HGLOBAL data = LoadResource(nullptr, res);
    const void* bytes = data ? LockResource(data) : nullptr;
    DWORD size = SizeofResource(nullptr, res);
    if (!bytes) throw EReadError("Resource " + name + " not found");
    ReadDefinition(std::string(static_cast<const char*>(bytes), size));
  }
  BindComponents();
  DoCreate();
  if (Visible() && HandleAllocated() == false) Perform(CM_VISIBLECHANGED, 1);
}

}  // namespace kiv
