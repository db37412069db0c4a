#pragma once
// Optional platform functions, looked up once at start-up so that the library
// runs on systems that lack them: layered windows, visual styles (uxtheme.dll,
// with a load count under a critical section), multiple monitors,
// TransparentBlt and GetScrollBarInfo. Windows only.
#include <windows.h>
// after windows.h, which it needs
#include <uxtheme.h>

#include "framework/types.hpp"

namespace kiv {

using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                           BLENDFUNCTION*, DWORD);
using TMonitorFromRect = HMONITOR(WINAPI*)(LPCRECT, DWORD);
using TMonitorFromPoint = HMONITOR(WINAPI*)(POINT, DWORD);
using TMonitorFromWindow = HMONITOR(WINAPI*)(HWND, DWORD);
using TGetMonitorInfoA = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
using TTransparentBlt = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);

using TOpenThemeData = HTHEME(WINAPI*)(HWND, LPCWSTR);
using TCloseThemeData = HRESULT(WINAPI*)(HTHEME);
using TDrawThemeBackground = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCRECT, LPCRECT);
using TDrawThemeText = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, LPCRECT);
using TGetThemeBackgroundRegion = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCRECT, HRGN*);
using TGetThemeSysColor = COLORREF(WINAPI*)(HTHEME, int);
using TIsAppThemed = BOOL(WINAPI*)();
using TIsThemeActive = BOOL(WINAPI*)();
using TIsThemePartDefined = BOOL(WINAPI*)(HTHEME, int, int);
using TIsThemeBackgroundPartiallyTransparent = BOOL(WINAPI*)(HTHEME, int, int);

// The platform unit's state. Filled on first use (which start-up forces) and
// read-only afterwards, apart from the visual-styles load count.
struct TkivPlatform {
  bool IsWinNT = false;
  bool IsWindowsVersion4 = false;
  bool LayeredWindowsAvailable = false;
  bool VisualStylesLoaded = false;
  bool VisualStylesActive = false;
  bool TransparentBltAvailable = false;

  TSetLayeredWindowAttributes SetLayeredWindowAttributes = nullptr;
  TUpdateLayeredWindow UpdateLayeredWindow = nullptr;
  TMonitorFromRect MonitorFromRect = nullptr;
  TMonitorFromPoint MonitorFromPoint = nullptr;
  TMonitorFromWindow MonitorFromWindow = nullptr;
  TGetMonitorInfoA GetMonitorInfoA = nullptr;
  TTransparentBlt TransparentBlt = nullptr;
  TGetScrollBarInfo GetScrollBarInfo = nullptr;

  TOpenThemeData OpenThemeData = nullptr;
  TCloseThemeData CloseThemeData = nullptr;
  TDrawThemeBackground DrawThemeBackground = nullptr;
  TDrawThemeText DrawThemeText = nullptr;
  TGetThemeBackgroundRegion GetThemeBackgroundRegion = nullptr;
  TGetThemeSysColor GetThemeSysColor = nullptr;
  TIsAppThemed IsAppThemed = nullptr;
  TIsThemeActive IsThemeActive = nullptr;
  // Optional even where visual styles load: without it every part of an
  // opened class counts as defined.
  TIsThemePartDefined IsThemePartDefined = nullptr;
  // Optional too: without it every part counts as opaque.
  TIsThemeBackgroundPartiallyTransparent IsThemeBackgroundPartiallyTransparent = nullptr;

  int VisualStylesLoadCount = 0;
};

// The process-wide state; the first call starts the platform unit.
TkivPlatform& Platform();

bool LoadVisualStyles();
void ReleaseVisualStyles();
bool UpdateVisualStylesActive();
bool MultiMonitorAvailable();
TRect ScreenArea(bool work_area);
TRect MonitorAreaAt(TPoint point, bool work_area);
TRect MonitorAreaOf(HWND window, bool work_area);
bool GetScrollBarInfoSafe(HWND window, LONG object_id, SCROLLBARINFO* info);

// Lets key-coloured drawing onto GDI destinations use TransparentBlt where it
// is available (the default) or always compose through a temporary surface.
void AllowTransparentBlt(bool allowed);

// Shuts the platform unit down: frees the libraries, releases visual styles
// until the count is 0 and clears every function slot.
void ShutdownPlatform();

}  // namespace kiv
