// Window classes, the window procedure and utility windows.
#include "framework/win32/window_class.hpp"

#include <map>
#include <mutex>
#include <unordered_map>
#include "framework/exceptions.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/win_control.hpp"

namespace kiv {

namespace {

const wchar_t kOwnClass[] = L"KivWindow";
thread_local TWinControl* g_creating = nullptr;

// Which control each framework window belongs to. Every message of every
// control window looks its control up here, so the table lives in the
// process: a window property would cost a round trip to the window server
// per message (under Wine a request to wineserver, several per drag step of
// a scroll bar). Any thread may ask (FindControl on a window of another
// thread); a window is bound and unbound on its own thread.
class TWindowTable {
 public:
  TWinControl* Find(HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = controls_.find(window);
    return it == controls_.end() ? nullptr : it->second;
  }
  void Bind(HWND window, TWinControl* control) {
    std::lock_guard<std::mutex> lock(mutex_);
    controls_[window] = control;
  }
  void Unbind(HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    controls_.erase(window);
  }
  void Unbind(HWND window, TWinControl* control) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto it = controls_.find(window); it != controls_.end() && it->second == control)
      controls_.erase(it);
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, TWinControl*> controls_;
};

// Never freed: windows may still be destroyed while other singletons stop
// at exit, after function-local statics are gone.
TWindowTable& WindowTable() {
  static TWindowTable* table = new TWindowTable;
  return *table;
}

// Window classes: the framework's own, and one superclass per platform class
// a control builds on, so that every message of every control window passes
// through KivWndProc from the window's first message on.
std::map<std::wstring, window_class_detail::TWindowClass>& ClassTable() {
  static std::map<std::wstring, window_class_detail::TWindowClass> table;
  return table;
}

// Runs a message handler; nothing may unwind through the platform's frames,
// so an exception is reported here.
template <class Handler>
void Deliver(Handler&& handler, TMessage& m) {
  try {
    handler(m);
  } catch (const std::exception& e) {
    Application()->HandleException(e);
  }
}

}  // namespace

LRESULT CALLBACK KivWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);

namespace window_class_detail {

const TWindowClass& RegisterWindowClass(const std::wstring& base, UINT class_style) {
  std::wstring key = base.empty() ? std::wstring(kOwnClass) + std::to_wstring(class_style) : base;
  auto it = ClassTable().find(key);
  if (it != ClassTable().end()) return it->second;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  TWindowClass info;
  if (base.empty()) {
    wc.style = class_style;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    info.DefProc = DefWindowProcW;
    info.Name = key;
  } else {
    if (base == L"RichEdit20W" && !GetModuleHandleW(L"riched20.dll")) LoadLibraryW(L"riched20.dll");
    if (!GetClassInfoExW(nullptr, base.c_str(), &wc))
      throw EOutOfResources("Window class " + ToNarrow(base) + " not found");
    wc.cbSize = sizeof(wc);
    info.DefProc = wc.lpfnWndProc;
    info.Name = L"Kiv." + base;
  }
  wc.lpfnWndProc = KivWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = info.Name.c_str();
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EOutOfResources("Error creating window class");
  return ClassTable().emplace(key, info).first->second;
}

void SetCreatingControl(TWinControl* control) {
  g_creating = control;
}

TWinControl* ControlOfWindow(HWND window) {
  return window ? WindowTable().Find(window) : nullptr;
}

void ForgetWindow(HWND window, TWinControl* control) {
  if (window) WindowTable().Unbind(window, control);
}

}  // namespace window_class_detail

LRESULT CALLBACK KivWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* control = WindowTable().Find(window);
  if (!control) {
    if (!g_creating) return DefWindowProcW(window, msg, wparam, lparam);
    control = g_creating;
    g_creating = nullptr;
    control->handle_ = window;
    WindowTable().Bind(window, control);
  }
  TMessage message{msg, wparam, lparam, 0};
  Deliver([control](TMessage& m) { control->WndProc(m); }, message);
  if (msg == WM_NCDESTROY) {
    WindowTable().Unbind(window);
    control->handle_ = nullptr;
  }
  return message.Result;
}

// ---------------------------------------------------------------------------
// Utility windows

namespace {
LRESULT CALLBACK UtilWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* handler =
      reinterpret_cast<std::function<void(TMessage&)>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!handler) return DefWindowProcW(window, msg, wparam, lparam);
  TMessage m{msg, wparam, lparam, 0};
  Deliver(*handler, m);
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
