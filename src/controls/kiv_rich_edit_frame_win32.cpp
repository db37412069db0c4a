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

// Part 1 (the edit text) of class "Edit" over the whole rectangle. False when
// the active style has no such class or part: the caller then draws the
// classic look rather than leaving the native pixels half covered.
bool DrawEditStyle(HDC dc, const TRect& rect, int state) {
  TkivPlatform& p = Platform();
  if (!p.OpenThemeData || !p.DrawThemeBackground || !p.CloseThemeData) return false;
  HTHEME theme = p.OpenThemeData(nullptr, L"Edit");
  if (!theme) return false;
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  const HRESULT drawn = p.DrawThemeBackground(theme, dc, 1, state, &r, nullptr);
  p.CloseThemeData(theme);
  return SUCCEEDED(drawn);
}

}  // namespace

TKivRichEditLook TKivRichEdit::Look() {
  return TKivRichEditLook{Enabled(), hot_, HandleAllocated() && Focused()};
}

bool TKivRichEdit::ThemeMode() {
  return ThemeSupportsMemo(0, theme_object_, nullptr);
}

void TKivRichEdit::DrawFrame(TCanvas& canvas, const TRect& rect) {
  const TKivRichEditLook look = Look();
  if (ThemeMode()) {
    CurrentTheme()->PaintMemo(0, canvas, "default", TkivStateInfo{rect, RichEditThemeState(look)});
    return;
  }
  if (VisualStylesActive() && DrawEditStyle(canvas.Handle(), rect, RichEditVisualStyleState(look)))
    return;
  // Classic: the square where the two native bars meet, then a sunken frame
  // of two rings.
  FillRectColor(&canvas, RichEditCornerSquare(rect), clBtnFace);
  DrawBevelFrame(&canvas, rect, clBtnShadow, clBtnHighlight);
  const TRect inner{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  DrawBevelFrame(&canvas, inner, cl3DDkShadow, clBtnFace);
}

void TKivRichEdit::DrawClient(TCanvas& canvas, const TRect& rect) {
  const TKivRichEditLook look = Look();
  if (ThemeMode()) {
    CurrentTheme()->PaintMemo(0, canvas, "default", TkivStateInfo{rect, RichEditThemeState(look)});
    return;
  }
  if (VisualStylesActive() && DrawEditStyle(canvas.Handle(), rect, RichEditVisualStyleState(look)))
    return;
  FillRectColor(&canvas, rect, Color());
}

void TKivRichEdit::PaintNonClient() {
  if (!HandleAllocated()) return;
  HWND window = Handle();
  RECT bounds;
  GetWindowRect(window, &bounds);
  RECT client;
  ::GetClientRect(window, &client);
  const TKivRichEditFrameRects rects =
      RichEditFrameRects(bounds.right - bounds.left, bounds.bottom - bounds.top,
                         BorderStyle() == bsNone, client.right, client.bottom);
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  ExcludeClipRect(dc, rects.Client.Left, rects.Client.Top, rects.Client.Right, rects.Client.Bottom);
  TCanvas canvas;
  canvas.SetHandle(dc);
  try {
    DrawFrame(canvas, rects.Frame);
  } catch (...) {
    canvas.SetHandle(nullptr);
    ReleaseDC(window, dc);
    throw;
  }
  canvas.SetHandle(nullptr);
  ReleaseDC(window, dc);
}

}  // namespace kiv
