// TKivRichEdit's frame: painted over the native border in the window's device
// context, in the theme's, the visual styles' or the classic look.
#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_rich_edit_win32.hpp"
#include "framework/win32/canvas.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

namespace {

// The visual styles' "Edit" class, opened once for every rich edit (opening
// it costs far more than drawing a frame) and closed when the styles change.
HTHEME g_edit_style = nullptr;
bool g_edit_style_tried = false;

HTHEME EditStyle() {
  TkivPlatform& p = Platform();
  if (!g_edit_style_tried && p.OpenThemeData) {
    g_edit_style = p.OpenThemeData(nullptr, L"Edit");
    g_edit_style_tried = true;
  }
  return g_edit_style;
}

// Part 1 (the edit text) of class "Edit" over the whole rectangle. False when
// the active style has no such class or part: the caller then draws the
// classic look rather than leaving the native pixels half covered.
bool DrawEditStyle(HDC dc, const TRect& rect, int state) {
  TkivPlatform& p = Platform();
  if (!p.DrawThemeBackground) return false;
  HTHEME theme = EditStyle();
  if (!theme) return false;
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  return SUCCEEDED(p.DrawThemeBackground(theme, dc, 1, state, &r, nullptr));
}

}  // namespace

void TKivRichEdit::ForgetEditStyle() {
  if (g_edit_style && Platform().CloseThemeData) Platform().CloseThemeData(g_edit_style);
  g_edit_style = nullptr;
  g_edit_style_tried = false;
}

TKivRichEditLook TKivRichEdit::Look() {
  return TKivRichEditLook{Enabled(), hot_, HandleAllocated() && Focused()};
}

bool TKivRichEdit::ThemeMode() {
  return ThemeSupportsMemo(0, theme_object_, nullptr);
}

// The theme's memo look, else the visual styles' edit part, over the
// rectangle; false when neither draws it (the classic look is the caller's).
bool TKivRichEdit::DrawStyledLook(TCanvas& canvas, const TRect& rect) {
  const TKivRichEditLook look = Look();
  if (ThemeMode()) {
    CurrentTheme()->PaintMemo(0, canvas, "default", TkivStateInfo{rect, RichEditThemeState(look)});
    return true;
  }
  return VisualStylesActive() &&
         DrawEditStyle(canvas.Handle(), rect, RichEditVisualStyleState(look));
}

void TKivRichEdit::DrawFrame(TCanvas& canvas, const TRect& rect) {
  if (DrawStyledLook(canvas, rect)) return;
  // Classic: the square where the two native bars meet, then a sunken frame
  // of two rings.
  FillRectColor(&canvas, RichEditCornerSquare(rect), clBtnFace);
  DrawBevelFrame(&canvas, rect, clBtnShadow, clBtnHighlight);
  const TRect inner{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  DrawBevelFrame(&canvas, inner, cl3DDkShadow, clBtnFace);
}

void TKivRichEdit::DrawClient(TCanvas& canvas, const TRect& rect) {
  if (!DrawStyledLook(canvas, rect)) FillRectColor(&canvas, rect, Color());
}

namespace {

TKivRichEditFrameRects FrameRectsOf(HWND window, bool borderless) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  RECT client;
  ::GetClientRect(window, &client);
  return RichEditFrameRects(bounds.right - bounds.left, bounds.bottom - bounds.top, borderless,
                            client.right, client.bottom);
}

}  // namespace

// The frame on dc (window coordinates) with the client area left alone.
void TKivRichEdit::DrawFrameOn(HDC dc, const TKivRichEditFrameRects& rects) {
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, rects.Client.Left, rects.Client.Top, rects.Client.Right, rects.Client.Bottom);
  TCanvas canvas;
  canvas.SetHandle(dc);
  try {
    DrawFrame(canvas, rects.Frame);
  } catch (...) {
    canvas.SetHandle(nullptr);
    RestoreDC(dc, saved);
    throw;
  }
  canvas.SetHandle(nullptr);
  RestoreDC(dc, saved);
}

void TKivRichEdit::PaintNonClient() {
  if (!HandleAllocated()) return;
  HWND window = Handle();
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  try {
    DrawFrameOn(dc, FrameRectsOf(window, BorderStyle() == bsNone));
  } catch (...) {
    ReleaseDC(window, dc);
    throw;
  }
  ReleaseDC(window, dc);
}

// The native control prints its client area at the context's origin; the
// origin moves to where the client lies in the window.
void TKivRichEdit::PrintInto(HDC dc) {
  if (!HandleAllocated()) return;
  HWND window = Handle();
  const TKivRichEditFrameRects rects = FrameRectsOf(window, BorderStyle() == bsNone);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rects.Client.Left, rects.Client.Top, rects.Client.Right,
                    rects.Client.Bottom);
  POINT origin;
  GetWindowOrgEx(dc, &origin);
  SetWindowOrgEx(dc, origin.x - rects.Client.Left, origin.y - rects.Client.Top, nullptr);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
  DrawFrameOn(dc, rects);
}

}  // namespace kiv
