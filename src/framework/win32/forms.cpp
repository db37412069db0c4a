#include "framework/win32/forms.hpp"

#include <algorithm>

#include "framework/exceptions.hpp"
#include "framework/filer.hpp"
#include "framework/streams.hpp"
#include "framework/win32/published.hpp"

namespace kiv {

// ---------------------------------------------------------------------------
// TCustomForm

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

// ---------------------------------------------------------------------------
// TApplication

std::wstring TitleFromProgramPath(const std::wstring& path) {
  std::wstring name = path;
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name = name.substr(slash + 1);
  size_t dot = name.find(L'.');
  if (dot != std::wstring::npos) name = name.substr(0, dot);
  if (name.size() > 1) CharLowerBuffW(name.data() + 1, static_cast<DWORD>(name.size() - 1));
  return name;
}

namespace {
std::wstring DefaultTitle() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return TitleFromProgramPath(path);
}
}  // namespace

TApplication::TApplication() : TComponent(nullptr), title_(DefaultTitle()) {}

TApplication::~TApplication() = default;

void TApplication::ClearMainForm() {
  main_form_ = nullptr;
}

void TApplication::Run() {
  if (main_form_ && ShowMainForm && !terminated_) main_form_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
  terminated_ = true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND window = msg.hwnd;
  TWinControl* control = nullptr;
  while (window && !(control = TWinControl::FindControl(window))) window = GetParent(window);
  if (!control) return false;
  return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) {
    Idle();
    // While the pointer is over a control, look again after a short while
    // even without messages, so that leaving the window is noticed too.
    if (!terminated_) {
      if (mouse_control_)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      else
        WaitMessage();
    }
  }
}

void TApplication::Idle() {
  try {
    DoMouseIdle();
    FreeDeviceContexts();
    bool done = true;
    if (OnIdle) OnIdle(this, done);
  } catch (const std::exception& e) {
    HandleException(e);
  }
}

// The control under the pointer now against the one found last time: leave
// for the old, enter for the new, unless another control holds the mouse.
void TApplication::DoMouseIdle() {
  POINT p;
  if (!GetCursorPos(&p)) return;
  TControl* control = FindDragTarget({p.x, p.y}, true);
  if (control == mouse_control_) {
    if (control && !hint_done_ && GetTickCount() - mouse_since_ >= HintPause) {
      hint_done_ = true;
      DoHint(control, {p.x, p.y});
    }
    return;
  }
  CancelHint();
  mouse_since_ = GetTickCount();
  hint_done_ = false;
  TControl* capture = GetCaptureControl();
  TControl* old = mouse_control_;
  if (old && (!capture || capture == old)) old->Perform(CM_MOUSELEAVE);
  mouse_control_ = control;
  if (control && (!capture || capture == control)) control->Perform(CM_MOUSEENTER);
}

void TApplication::ControlDestroying(TControl* control) {
  if (mouse_control_ == control) {
    mouse_control_ = nullptr;
    CancelHint();
  }
}

void TApplication::CancelHint() {
  if (hint_window_) DestroyWindow(hint_window_);
  hint_window_ = nullptr;
}

void TApplication::DoHint(TControl* control, TPoint pos) {
  if (!ShowHint || !control->ShowHint() || control->Hint().empty()) return;
  THintInfo info{control, pos, control->Hint()};
  if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&info)) != 0) return;
  if (info.HintStr.empty()) return;
  CancelHint();
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"STATIC", info.HintStr.c_str(),
                           WS_POPUP | WS_BORDER | SS_LEFT, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  if (!w) return;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 300, 0};
  DrawTextW(dc, info.HintStr.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  SetWindowPos(w, HWND_TOPMOST, info.CursorPos.X, info.CursorPos.Y + 20, r.right + 6, r.bottom + 4,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  hint_window_ = w;
}

int TApplication::MessageBox(const std::wstring& text, const std::wstring& caption,
                             unsigned flags) {
  HWND owner = GetActiveWindow();
  if (!owner && main_form_ && main_form_->HandleAllocated()) owner = main_form_->Handle();
  return ::MessageBoxW(owner, text.c_str(), caption.empty() ? title_.c_str() : caption.c_str(),
                       flags);
}

void TApplication::ShowException(const std::exception& e) {
  std::wstring text = ToWide(e.what());
  if (!text.empty() && text.back() != L'.') text += L'.';
  MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException)
    OnException(this, e);
  else
    ShowException(e);
}

// ---------------------------------------------------------------------------
// TScreen

int TScreen::Width() const {
  return GetSystemMetrics(SM_CXSCREEN);
}
int TScreen::Height() const {
  return GetSystemMetrics(SM_CYSCREEN);
}

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  if (dc) ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}

HCURSOR TScreen::Cursors(TCursor index) const {
  for (const auto& [id, cursor] : custom_)
    if (id == index) return cursor;
  const wchar_t* id = IDC_ARROW;
  switch (index) {
    case crNone:
      return nullptr;
    case crCross:
      id = IDC_CROSS;
      break;
    case crIBeam:
      id = IDC_IBEAM;
      break;
    case crSizeNESW:
      id = IDC_SIZENESW;
      break;
    case crSizeNS:
      id = IDC_SIZENS;
      break;
    case crSizeNWSE:
      id = IDC_SIZENWSE;
      break;
    case crSizeWE:
      id = IDC_SIZEWE;
      break;
    case crUpArrow:
      id = IDC_UPARROW;
      break;
    case crHourGlass:
      id = IDC_WAIT;
      break;
    case crNo:
      id = IDC_NO;
      break;
    case crAppStart:
      id = IDC_APPSTARTING;
      break;
    case crHelp:
      id = IDC_HELP;
      break;
    case crHandPoint:
      id = IDC_HAND;
      break;
    case crSizeAll:
      id = IDC_SIZEALL;
      break;
    default:
      break;
  }
  return LoadCursorW(nullptr, id);
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor) {
  for (auto& entry : custom_)
    if (entry.first == index) {
      entry.second = cursor;
      return;
    }
  custom_.emplace_back(index, cursor);
}

void TScreen::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  POINT p;
  GetCursorPos(&p);
  ::SetCursor(Cursors(value == crDefault ? crArrow : value));
}

TCustomForm* TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* f : forms_)
    if (f->HandleAllocated() && f->Handle() == active) return f;
  return nullptr;
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

TApplication* Application() {
  static TApplication* app = new TApplication();  // lives as long as the program
  return app;
}

TScreen* Screen() {
  static TScreen* screen = new TScreen();
  return screen;
}

}  // namespace kiv
