#include "graphics/kiv_winapi_win32.hpp"

namespace kiv {

namespace {

struct PlatformState {
  TkivPlatform p;
  HMODULE user32 = nullptr;  // our own LoadLibrary reference
  HMODULE msimg32 = nullptr;
  HMODULE uxtheme = nullptr;
  CRITICAL_SECTION lock;
  bool lock_ready = false;
};

PlatformState* g_state = nullptr;

template <typename F>
F Lookup(HMODULE module, const char* name) {
  return module != nullptr
             ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
             : nullptr;
}

void ClearVisualStyleSlots(TkivPlatform& p) {
  p.OpenThemeData = nullptr;
  p.CloseThemeData = nullptr;
  p.DrawThemeBackground = nullptr;
  p.DrawThemeText = nullptr;
  p.GetThemeBackgroundRegion = nullptr;
  p.GetThemeSysColor = nullptr;
  p.IsAppThemed = nullptr;
  p.IsThemeActive = nullptr;
  p.IsThemePartDefined = nullptr;
  p.IsThemeBackgroundPartiallyTransparent = nullptr;
  p.VisualStylesLoaded = false;
  p.VisualStylesActive = false;
}

void Start(PlatformState& s) {
  TkivPlatform& p = s.p;
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (GetVersionExW(&version)) {
#pragma GCC diagnostic pop
    p.IsWinNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    p.IsWindowsVersion4 = version.dwMajorVersion == 4;
  }
  s.user32 = LoadLibraryW(L"user32.dll");
  p.SetLayeredWindowAttributes =
      Lookup<TSetLayeredWindowAttributes>(s.user32, "SetLayeredWindowAttributes");
  p.UpdateLayeredWindow = Lookup<TUpdateLayeredWindow>(s.user32, "UpdateLayeredWindow");
  p.LayeredWindowsAvailable = p.SetLayeredWindowAttributes != nullptr;
  InitializeCriticalSection(&s.lock);
  s.lock_ready = true;
}

void StartRest(PlatformState& s) {
  TkivPlatform& p = s.p;
  HMODULE mapped = GetModuleHandleW(L"user32.dll");
  p.MonitorFromRect = Lookup<TMonitorFromRect>(mapped, "MonitorFromRect");
  p.MonitorFromPoint = Lookup<TMonitorFromPoint>(mapped, "MonitorFromPoint");
  p.MonitorFromWindow = Lookup<TMonitorFromWindow>(mapped, "MonitorFromWindow");
  p.GetMonitorInfoA = Lookup<TGetMonitorInfoA>(mapped, "GetMonitorInfoA");
  const bool wanted =
      !p.IsWindowsVersion4 && (p.IsWinNT || p.LayeredWindowsAvailable || p.VisualStylesLoaded);
  if (wanted) {
    s.msimg32 = LoadLibraryW(L"msimg32.dll");
    p.TransparentBlt = Lookup<TTransparentBlt>(s.msimg32, "TransparentBlt");
    p.TransparentBltAvailable = s.msimg32 != nullptr && p.TransparentBlt != nullptr;
  }
  p.GetScrollBarInfo = Lookup<TGetScrollBarInfo>(mapped, "GetScrollBarInfo");
}

PlatformState& State() {
  if (g_state == nullptr) {
    g_state = new PlatformState();
    Start(*g_state);
    LoadVisualStyles();
    StartRest(*g_state);
  }
  return *g_state;
}

// The unit starts with the program, before any window exists.
struct PlatformStartup {
  PlatformStartup() { State(); }
  ~PlatformStartup() { ShutdownPlatform(); }
} g_platform_startup;

}  // namespace

TkivPlatform& Platform() {
  return State().p;
}

bool LoadVisualStyles() {
  PlatformState& s = State();
  TkivPlatform& p = s.p;
  EnterCriticalSection(&s.lock);
  ++p.VisualStylesLoadCount;
  if (s.uxtheme == nullptr) {
    s.uxtheme = LoadLibraryW(L"uxtheme.dll");
    if (s.uxtheme != nullptr) {
      p.OpenThemeData = Lookup<TOpenThemeData>(s.uxtheme, "OpenThemeData");
      p.CloseThemeData = Lookup<TCloseThemeData>(s.uxtheme, "CloseThemeData");
      p.DrawThemeBackground = Lookup<TDrawThemeBackground>(s.uxtheme, "DrawThemeBackground");
      p.DrawThemeText = Lookup<TDrawThemeText>(s.uxtheme, "DrawThemeText");
      p.GetThemeBackgroundRegion =
          Lookup<TGetThemeBackgroundRegion>(s.uxtheme, "GetThemeBackgroundRegion");
      p.GetThemeSysColor = Lookup<TGetThemeSysColor>(s.uxtheme, "GetThemeSysColor");
      p.IsAppThemed = Lookup<TIsAppThemed>(s.uxtheme, "IsAppThemed");
      p.IsThemeActive = Lookup<TIsThemeActive>(s.uxtheme, "IsThemeActive");
      p.IsThemePartDefined = Lookup<TIsThemePartDefined>(s.uxtheme, "IsThemePartDefined");
      p.IsThemeBackgroundPartiallyTransparent = Lookup<TIsThemeBackgroundPartiallyTransparent>(
          s.uxtheme, "IsThemeBackgroundPartiallyTransparent");
      // Loaded only when every function the library calls was found.
      p.VisualStylesLoaded = p.OpenThemeData && p.CloseThemeData && p.DrawThemeBackground &&
                             p.DrawThemeText && p.GetThemeBackgroundRegion && p.GetThemeSysColor &&
                             p.IsAppThemed && p.IsThemeActive;
    }
  }
  UpdateVisualStylesActive();
  const bool loaded = s.uxtheme != nullptr;
  LeaveCriticalSection(&s.lock);
  return loaded;
}

void ReleaseVisualStyles() {
  PlatformState& s = State();
  TkivPlatform& p = s.p;
  EnterCriticalSection(&s.lock);
  if (p.VisualStylesLoadCount > 0) {
    --p.VisualStylesLoadCount;
    if (p.VisualStylesLoadCount == 0 && s.uxtheme != nullptr) {
      FreeLibrary(s.uxtheme);
      s.uxtheme = nullptr;
      ClearVisualStyleSlots(p);
    }
  }
  LeaveCriticalSection(&s.lock);
}

bool UpdateVisualStylesActive() {
  TkivPlatform& p = State().p;
  p.VisualStylesActive = p.VisualStylesLoaded && p.IsAppThemed() && p.IsThemeActive();
  return p.VisualStylesActive;
}

bool MultiMonitorAvailable() {
  const TkivPlatform& p = Platform();
  const int monitors = GetSystemMetrics(SM_CMONITORS);
  return monitors != 0 && monitors != 1 && p.MonitorFromRect && p.MonitorFromPoint &&
         p.GetMonitorInfoA;
}

TRect ScreenArea(bool work_area) {
  RECT r;
  if (work_area && SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
    return TRect{r.left, r.top, r.right, r.bottom};
  return TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

namespace {
TRect MonitorArea(HMONITOR monitor, bool work_area) {
  MONITORINFO info{};
  info.cbSize = 40;  // the plain record, without the device name
  if (monitor == nullptr || !Platform().GetMonitorInfoA(monitor, &info))
    return ScreenArea(work_area);
  const RECT& r = work_area ? info.rcWork : info.rcMonitor;
  return TRect{r.left, r.top, r.right, r.bottom};
}
}  // namespace

TRect MonitorAreaAt(TPoint point, bool work_area) {
  if (!MultiMonitorAvailable()) return ScreenArea(work_area);
  return MonitorArea(Platform().MonitorFromPoint(POINT{point.X, point.Y}, MONITOR_DEFAULTTONEAREST),
                     work_area);
}

TRect MonitorAreaOf(HWND window, bool work_area) {
  if (!MultiMonitorAvailable() || Platform().MonitorFromWindow == nullptr)
    return ScreenArea(work_area);
  return MonitorArea(Platform().MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), work_area);
}

bool GetScrollBarInfoSafe(HWND window, LONG object_id, SCROLLBARINFO* info) {
  if (Platform().GetScrollBarInfo != nullptr)
    return Platform().GetScrollBarInfo(window, object_id, info) != FALSE;
  info->rgstate[0] = STATE_SYSTEM_INVISIBLE;
  return false;
}

void ShutdownPlatform() {
  if (g_state == nullptr) return;
  PlatformState& s = *g_state;
  while (s.p.VisualStylesLoadCount > 0) ReleaseVisualStyles();
  if (s.msimg32 != nullptr) FreeLibrary(s.msimg32);
  if (s.user32 != nullptr) FreeLibrary(s.user32);
  if (s.lock_ready) DeleteCriticalSection(&s.lock);
  delete g_state;
  g_state = nullptr;
}

}  // namespace kiv
