// The theme manager's platform side: the hidden window that hears the
// platform's colour, display and visual-style changes, and delivery to
// framework controls through Perform.
//
// The window is a hidden top-level pop-up, not a message-only window: the
// colour-scheme broadcasts (WM_SYSCOLORCHANGE from SetSysColors) reach
// top-level windows only.
#include <windows.h>

#include "framework/exceptions.hpp"
#include "framework/win32/control.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv::theme_platform {

namespace {

constexpr wchar_t kNotifyClassName[] = L"KivThemeNotifyWindow";

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* manager = reinterpret_cast<TkivThemeManager*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (manager != nullptr) manager->ThemeWindowProc(msg);
  // Every message, the ones acted on included, then takes its default course.
  return DefWindowProcW(window, msg, wparam, lparam);
}

void RegisterNotifyClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = NotifyWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kNotifyClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  static_cast<void>(registered);
}

}  // namespace

void* CreateNotifyWindow(TkivThemeManager& manager) {
  RegisterNotifyClass();
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kNotifyClassName, L"", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, GetModuleHandleW(nullptr), &manager);
  if (window == nullptr) throw EOutOfResources("Error creating window");
  return window;
}

void DestroyNotifyWindow(void* window) {
  if (window == nullptr) return;
  HWND hwnd = static_cast<HWND>(window);
  // No notification from a window whose manager is going.
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  DestroyWindow(hwnd);
}

bool PerformOnControl(TObject* client, TMessage& message) {
  auto* control = dynamic_cast<TControl*>(client);
  if (control == nullptr) return false;
  // An appearance change matters to what is on screen only.
  const bool appearance =
      message.Msg == KIV_THEME_MESSAGE && message.WParam == kThemeCodeSystemChanged;
  if (appearance && !control->Visible()) return true;
  message.Result = control->Perform(message.Msg, message.WParam, message.LParam);
  return true;
}

void UpdateVisualStyles() {
  UpdateVisualStylesActive();
}

}  // namespace kiv::theme_platform
