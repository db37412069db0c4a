#pragma once
// Drawing helpers on device contexts: Unicode text with a single-byte
// fallback, simple shapes and gradients, small icons, frame-control glyphs,
// silhouettes, regions from surfaces, mouse-capture nesting and keyboard
// timing. Windows only; the portable arithmetic they use is in kiv_utils.hpp.
// Colours are framework colours (system colours resolve through ColorToRGB).
#include <windows.h>

#include <string>

#include "framework/types.hpp"
#include "framework/win32/graphics.hpp"
#include "graphics/kiv_utils.hpp"

namespace kiv {

class TkivBitmap;

// Text (measured and drawn with the font selected in dc).
int DrawTextWide(HDC dc, const std::wstring& text, TRect& rect, UINT format);
int TextWidthWide(HDC dc, const std::wstring& text, UINT format);
int TextHeightWide(HDC dc, const std::wstring& text);
std::wstring EllipsisText(HDC dc, const std::wstring& text, int max_width);
std::wstring WideFromBytes(UINT code_page, const std::string& text);
int DrawTextVertical(HDC dc, const std::wstring& text, const TRect& rect, bool clockwise,
                     UINT format);

// Shapes: solid pens; outlines with a clear brush, fills with a solid brush.
void MoveToPoint(HDC dc, int x, int y);
void DrawLineTo(HDC dc, int x, int y, TColor color);
void DrawBevelFrame(HDC dc, const TRect& rect, TColor light, TColor dark);
void DrawFrameRect(HDC dc, const TRect& rect, TColor color);
void DrawFrameRect(HDC dc, int left, int top, int right, int bottom, TColor color);
void FillRectColor(HDC dc, const TRect& rect, TColor color);
void FillRectColor(HDC dc, int left, int top, int right, int bottom, TColor color);
void DrawFocusRectColor(HDC dc, const TRect& rect, TColor color);
void DrawRoundRect(HDC dc, const TRect& rect, int radius, TColor color);
void FillRoundRect(HDC dc, const TRect& rect, int radius, TColor color);
void DrawPolygon(HDC dc, const POINT* points, int count, TColor color);
void FillPolygon(HDC dc, const POINT* points, int count, TColor color);
void FillGradient(HDC dc, const TRect& rect, TColor from, bool vertical, TColor to);
void FillChecker(HDC dc, const TRect& rect, TColor a, TColor b);
void DrawSmallIcon(HDC dc, const TRect& rect, HICON icon);
void DrawFrameGlyph(HDC dc, const TRect& rect, UINT type, TColor color, UINT state);
void DrawSilhouette(HDC dc, int x, int y, TColor color, const TkivBitmap& surface);

// The outline of the surface's non-key pixels, placed at (x, y); nullptr for an
// empty surface. The caller owns the region.
HRGN CreateRegion(const TkivBitmap& surface, int x, int y);

// Nested mouse capture: only the first capture and the last release act.
void CaptureMouse(HWND window);
void ReleaseMouse();

int KeyboardDelay();
int KeyboardRepeatInterval();

// The pixel format of a framework device-independent bitmap made for the
// screen, measured once (pfCustom when the query fails).
TPixelFormat ScreenPixelFormat();

// The same helpers on a framework canvas: they draw on its device context,
// text with the canvas's font, and leave its pen, brush and font selected as
// they were (the canvas's pen position follows lines drawn).
int DrawTextWide(TCanvas* canvas, const std::wstring& text, TRect& rect, UINT format);
int TextWidthWide(TCanvas* canvas, const std::wstring& text, UINT format);
int TextHeightWide(TCanvas* canvas, const std::wstring& text);
int DrawTextVertical(TCanvas* canvas, const std::wstring& text, const TRect& rect, bool clockwise,
                     UINT format);
void MoveToPoint(TCanvas* canvas, int x, int y);
void DrawLineTo(TCanvas* canvas, int x, int y, TColor color);
void DrawBevelFrame(TCanvas* canvas, const TRect& rect, TColor light, TColor dark);
void DrawFrameRect(TCanvas* canvas, const TRect& rect, TColor color);
void DrawFrameRect(TCanvas* canvas, int left, int top, int right, int bottom, TColor color);
void FillRectColor(TCanvas* canvas, const TRect& rect, TColor color);
void FillRectColor(TCanvas* canvas, int left, int top, int right, int bottom, TColor color);
void DrawFocusRectColor(TCanvas* canvas, const TRect& rect, TColor color);
void DrawRoundRect(TCanvas* canvas, const TRect& rect, int radius, TColor color);
void FillRoundRect(TCanvas* canvas, const TRect& rect, int radius, TColor color);
void DrawPolygon(TCanvas* canvas, const TPoint* points, int count, TColor color);
void FillPolygon(TCanvas* canvas, const TPoint* points, int count, TColor color);
void FillGradient(TCanvas* canvas, const TRect& rect, TColor from, bool vertical, TColor to);
void FillChecker(TCanvas* canvas, const TRect& rect, TColor a, TColor b);
void DrawSmallIcon(TCanvas* canvas, const TRect& rect, HICON icon);
void DrawFrameGlyph(TCanvas* canvas, const TRect& rect, UINT type, TColor color, UINT state);
void DrawSilhouette(TCanvas* canvas, int x, int y, TColor color, const TkivBitmap& surface);

}  // namespace kiv
