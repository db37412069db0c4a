// TApplication and TScreen.
#include "framework/win32/application.hpp"

#include <algorithm>

#include "framework/exceptions.hpp"
#include "framework/font.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/custom_control.hpp"

namespace kiv {

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
  return ScreenPixelsPerInch();
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
