#include "graphics/kiv_utils_gdi_win32.hpp"

#include <algorithm>
#include <vector>

#include "framework/colors.hpp"
#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_winapi_win32.hpp"

namespace kiv {

namespace {

COLORREF Rgb(TColor color) {
  return static_cast<COLORREF>(ColorToRGB(color)) & 0xFFFFFF;
}

// ToNarrow plus WC_COMPOSITECHECK, which the width measurement passes (a letter
// and its combining marks become one precomposed character) and ToNarrow does not.
std::string ToAnsiComposed(const std::wstring& text) {
  if (text.empty()) return {};
  const int len = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text.data(), len, nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text.data(), len, out.data(), n, nullptr, nullptr);
  return out;
}

// Selects the device context's own pen, and its own brush or a clear one, in
// the shape's colours for one shape; puts back what was selected and the
// colours they had when it goes. No GDI object is made per shape: creating
// and deleting a pen and a brush cost more than drawing a small shape.
class ShapeTools {
 public:
  ShapeTools(HDC dc, TColor pen, bool fill, TColor brush) : dc_(dc), fill_(fill) {
    old_pen_ = SelectObject(dc, GetStockObject(DC_PEN));
    old_pen_color_ = SetDCPenColor(dc, Rgb(pen));
    old_brush_ = SelectObject(dc, GetStockObject(fill ? DC_BRUSH : NULL_BRUSH));
    if (fill) old_brush_color_ = SetDCBrushColor(dc, Rgb(brush));
  }
  ~ShapeTools() {
    SetDCPenColor(dc_, old_pen_color_);
    if (fill_) SetDCBrushColor(dc_, old_brush_color_);
    SelectObject(dc_, old_pen_);
    SelectObject(dc_, old_brush_);
  }
  // The pen's colour for the next strokes of the same shape.
  void SetPenColor(TColor color) { SetDCPenColor(dc_, Rgb(color)); }

 private:
  HDC dc_;
  bool fill_;
  HGDIOBJ old_pen_, old_brush_;
  COLORREF old_pen_color_ = 0, old_brush_color_ = 0;
};

HWND g_capture_window = nullptr;
int g_capture_count = 0;

// A framework device-independent bitmap of 4 x 4 pixels in the screen's
// format; the bit count of the DIB section selected in its canvas names it.
TPixelFormat MeasureScreenPixelFormat() {
  TPixelFormat result = pfCustom;
  try {
    TBitmap probe;
    probe.SetHandleType(bmDIB);
    probe.SetSize(4, 4);
    HGDIOBJ selected = GetCurrentObject(probe.Canvas()->Handle(), OBJ_BITMAP);
    DIBSECTION ds{};
    if (selected != nullptr && GetObjectW(selected, sizeof(ds), &ds) == sizeof(ds)) {
      switch (ds.dsBm.bmBitsPixel) {
        case 1:
          result = pf1bit;
          break;
        case 4:
          result = pf4bit;
          break;
        case 8:
          result = pf8bit;
          break;
        case 15:
          result = pf15bit;
          break;
        case 16:
          result = pf16bit;
          break;
        case 24:
          result = pf24bit;
          break;
        case 32:
          result = pf32bit;
          break;
        default:
          result = pfCustom;
      }
    }
  } catch (const std::exception&) {
    result = pfCustom;  // no bitmap could be made: the query failed
  }
  return result;
}

// The canvas's device context with its font selected (and its text colour
// set), for the helpers that measure or draw text with it.
HDC FontReady(TCanvas* canvas) {
  canvas->TextExtent(std::wstring());
  return canvas->Handle();
}

}  // namespace

// Measured once, on first use: the framework bitmap it needs is not made
// while static objects of other units may still be uninitialised.
TPixelFormat ScreenPixelFormat() {
  static const TPixelFormat format = MeasureScreenPixelFormat();
  return format;
}

// ---------------------------------------------------------------- text

int DrawTextWide(HDC dc, const std::wstring& text, TRect& rect, UINT format) {
  SetBkMode(dc, TRANSPARENT);
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  int result;
  if (Platform().IsWinNT) {
    result = DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  } else {
    const std::string a = ToNarrow(text);
    result = DrawTextA(dc, a.c_str(), static_cast<int>(a.size()), &r, format);
  }
  rect = TRect{r.left, r.top, r.right, r.bottom};
  return result;
}

int TextWidthWide(HDC dc, const std::wstring& text, UINT format) {
  if (format == 0) {
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  const std::string a = ToAnsiComposed(text);
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, a.c_str(), static_cast<int>(a.size()), &r, format | DT_CALCRECT);
  return r.right;
}

int TextHeightWide(HDC dc, const std::wstring& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cy;
}

std::wstring EllipsisText(HDC dc, const std::wstring& text, int max_width) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  const std::u16string t(text.begin(), text.end());
  const std::u16string fitted = EllipsisFit(t, max_width, [dc](const std::u16string& s) {
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(s.c_str()),
                          static_cast<int>(s.size()), &size);
    return static_cast<int32_t>(size.cx);
  });
  return std::wstring(fitted.begin(), fitted.end());
}

std::wstring WideFromBytes(UINT code_page, const std::string& text) {
  if (text.empty()) return {};
  const int len = static_cast<int>(text.size());
  auto convert = [&](UINT cp) {
    const DWORD flags = MB_PRECOMPOSED | MB_USEGLYPHCHARS;
    const int n = MultiByteToWideChar(cp, flags, text.data(), len, nullptr, 0);
    std::wstring out(static_cast<size_t>(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(cp, flags, text.data(), len, out.data(), n);
    return out;
  };
  std::wstring out = convert(code_page);
  if (out.empty() && code_page != 0) out = convert(CP_ACP);
  if (out.empty()) out.assign(text.size(), L'?');
  return out;
}

int DrawTextVertical(HDC dc, const std::wstring& text, const TRect& rect, bool clockwise,
                     UINT format) {
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0) return 0;
  TkivBitmap upright, turned;
  upright.SetSize(w, h);
  upright.Fill(KeyPixel);
  turned.SetSize(h, w);
  turned.Fill(KeyPixel);
  HDC tdc = static_cast<HDC>(turned.DC());
  HGDIOBJ old_font = SelectObject(tdc, GetCurrentObject(dc, OBJ_FONT));
  SetTextColor(tdc, GetTextColor(dc));
  TRect area{0, 0, h, w};
  const int height = DrawTextWide(tdc, text, area, format);
  GdiFlush();
  SelectObject(tdc, old_font);
  for (int j = 0; j < w; ++j)
    for (int i = 0; i < h; ++i) {
      const TkivPixel p = turned.GetPixel(i, j);
      if (p == KeyPixel) continue;
      if (clockwise) {
        upright.SetPixel(w - j, i, p);
      } else {
        upright.SetPixel(j, h - i, p);
      }
    }
  upright.SetTransparent(true);
  upright.Draw(dc, rect.Left, rect.Top);
  return height;
}

// ---------------------------------------------------------------- shapes

void MoveToPoint(HDC dc, int x, int y) {
  MoveToEx(dc, x, y, nullptr);
}

void DrawLineTo(HDC dc, int x, int y, TColor color) {
  ShapeTools tools(dc, color, false, 0);
  LineTo(dc, x, y);
}

void DrawBevelFrame(HDC dc, const TRect& r, TColor light, TColor dark) {
  ShapeTools tools(dc, light, false, 0);
  MoveToEx(dc, r.Left, r.Bottom - 2, nullptr);
  LineTo(dc, r.Left, r.Top);
  LineTo(dc, r.Right - 1, r.Top);
  tools.SetPenColor(dark);
  LineTo(dc, r.Right - 1, r.Bottom - 1);
  LineTo(dc, r.Left - 1, r.Bottom - 1);
}

void DrawFrameRect(HDC dc, const TRect& r, TColor color) {
  ShapeTools tools(dc, color, false, 0);
  Rectangle(dc, r.Left, r.Top, r.Right, r.Bottom);
}

void DrawFrameRect(HDC dc, int left, int top, int right, int bottom, TColor color) {
  DrawFrameRect(dc, TRect{left, top, right, bottom}, color);
}

void FillRectColor(HDC dc, const TRect& r, TColor color) {
  // The context's own brush in the colour asked for, its colour put back.
  const COLORREF old = SetDCBrushColor(dc, Rgb(color));
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc, &rr, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, old);
}

void FillRectColor(HDC dc, int left, int top, int right, int bottom, TColor color) {
  FillRectColor(dc, TRect{left, top, right, bottom}, color);
}

void DrawFocusRectColor(HDC dc, const TRect& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(Rgb(color));
  HGDIOBJ old = SelectObject(dc, brush);
  const COLORREF old_text = SetTextColor(dc, 0);
  const COLORREF old_bk = SetBkColor(dc, 0xFFFFFF);
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  ::DrawFocusRect(dc, &rr);
  SetTextColor(dc, old_text);
  SetBkColor(dc, old_bk);
  SelectObject(dc, old);
  DeleteObject(brush);
}

void DrawRoundRect(HDC dc, const TRect& r, int radius, TColor color) {
  ShapeTools tools(dc, color, false, 0);
  RoundRect(dc, r.Left, r.Top, r.Right, r.Bottom, radius, radius);
}

void FillRoundRect(HDC dc, const TRect& r, int radius, TColor color) {
  ShapeTools tools(dc, color, true, color);
  RoundRect(dc, r.Left, r.Top, r.Right, r.Bottom, radius, radius);
}

void DrawPolygon(HDC dc, const POINT* points, int count, TColor color) {
  ShapeTools tools(dc, color, false, 0);
  Polygon(dc, points, count);
}

void FillPolygon(HDC dc, const POINT* points, int count, TColor color) {
  ShapeTools tools(dc, color, true, color);
  Polygon(dc, points, count);
}

void FillGradient(HDC dc, const TRect& rect, TColor from, bool vertical, TColor to) {
  for (const TkivGradientBand& band :
       GradientBands(rect, ColorToRGB(from), vertical, ColorToRGB(to)))
    FillRectColor(dc, band.rect, band.color);
}

void FillChecker(HDC dc, const TRect& rect, TColor a, TColor b) {
  TRect r = rect;
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  if (r.IsEmpty()) return;
  TkivBitmap pattern;
  pattern.SetSize(8, 8);
  const TkivPixel pa = ColorToPixel(a, 0), pb = ColorToPixel(b, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.SetPixel(x, y, (x % 2) == (y % 2) ? pb : pa);
  HBRUSH brush = CreatePatternBrush(static_cast<HBITMAP>(pattern.Handle()));
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc, &rr, brush);
  DeleteObject(brush);
}

void DrawSmallIcon(HDC dc, const TRect& rect, HICON icon) {
  if (icon == nullptr) return;
  const TRect r =
      CenterRect(TRect{0, 0, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)}, rect);
  DrawIconEx(dc, r.Left, r.Top, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

void DrawFrameGlyph(HDC dc, const TRect& rect, UINT type, TColor color, UINT state) {
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0) return;
  TkivBitmap glyph;
  glyph.SetSize(w, h);
  RECT r{0, 0, w, h};
  DrawFrameControl(static_cast<HDC>(glyph.DC()), &r, type, state);
  GdiFlush();
  const TkivPixel ink = ColorToPixel(color, 255);
  const int64_t n = int64_t{w} * h;
  for (int64_t i = 0; i < n; ++i) glyph.Bits()[i] = glyph.Bits()[i] == 0 ? ink : KeyPixel;
  glyph.SetTransparent(true);
  glyph.Draw(dc, rect.Left, rect.Top);
}

void DrawSilhouette(HDC dc, int x, int y, TColor color, const TkivBitmap& surface) {
  TkivBitmap shape;
  shape.Assign(&surface);
  if (shape.IsEmpty()) return;
  shape.SetAlphaBlend(true);
  shape.SetTransparentColor(0x7F007F);
  const TkivPixel ink = ColorToPixel(color, 100);
  const int64_t n = int64_t{shape.Width()} * shape.Height();
  for (int64_t i = 0; i < n; ++i)
    if ((shape.Bits()[i] >> 24) != 0) shape.Bits()[i] = ink;
  shape.Draw(dc, x, y);
}

HRGN CreateRegion(const TkivBitmap& surface, int x, int y) {
  if (surface.IsEmpty() || surface.Width() <= 0 || surface.Height() <= 0) return nullptr;
  const std::vector<TRect> rects = RegionRects(surface, x, y);
  std::vector<uint8_t> block(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(block.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = 0;
  data->rdh.rcBound = RECT{0, 0, surface.Width(), surface.Height()};
  auto* out = reinterpret_cast<RECT*>(data->Buffer);
  for (size_t i = 0; i < rects.size(); ++i)
    out[i] = RECT{rects[i].Left, rects[i].Top, rects[i].Right, rects[i].Bottom};
  return ExtCreateRegion(nullptr, static_cast<DWORD>(block.size()), data);
}

// ---------------------------------------------------------------- capture, keyboard

void CaptureMouse(HWND window) {
  if (g_capture_count == 0) {
    g_capture_window = window;
    SetCapture(window);
  }
  ++g_capture_count;
}

void ReleaseMouse() {
  if (g_capture_count == 0) return;  // unbalanced release: nothing to undo
  if (--g_capture_count == 0) {
    if (GetCapture() == g_capture_window) ReleaseCapture();
    g_capture_window = nullptr;
  }
}

int KeyboardDelay() {
  int value = 0;
  SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &value, 0);
  return KeyboardDelayFromSetting(value);
}

int KeyboardRepeatInterval() {
  DWORD value = 0;
  SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &value, 0);
  return KeyboardRepeatIntervalFromSetting(static_cast<int32_t>(value));
}

// ---------------------------------------------------------------- canvas forms

int DrawTextWide(TCanvas* canvas, const std::wstring& text, TRect& rect, UINT format) {
  return DrawTextWide(FontReady(canvas), text, rect, format);
}

int TextWidthWide(TCanvas* canvas, const std::wstring& text, UINT format) {
  return TextWidthWide(FontReady(canvas), text, format);
}

int TextHeightWide(TCanvas* canvas, const std::wstring& text) {
  return TextHeightWide(FontReady(canvas), text);
}

int DrawTextVertical(TCanvas* canvas, const std::wstring& text, const TRect& rect, bool clockwise,
                     UINT format) {
  return DrawTextVertical(FontReady(canvas), text, rect, clockwise, format);
}

void MoveToPoint(TCanvas* canvas, int x, int y) {
  canvas->MoveTo(x, y);
}

void DrawLineTo(TCanvas* canvas, int x, int y, TColor color) {
  DrawLineTo(canvas->Handle(), x, y, color);
  canvas->SetPenPos(TPoint{x, y});
}

void DrawBevelFrame(TCanvas* canvas, const TRect& rect, TColor light, TColor dark) {
  DrawBevelFrame(canvas->Handle(), rect, light, dark);
  canvas->SetPenPos(TPoint{rect.Left - 1, rect.Bottom - 1});
}

void DrawFrameRect(TCanvas* canvas, const TRect& rect, TColor color) {
  DrawFrameRect(canvas->Handle(), rect, color);
}

void DrawFrameRect(TCanvas* canvas, int left, int top, int right, int bottom, TColor color) {
  DrawFrameRect(canvas->Handle(), left, top, right, bottom, color);
}

void FillRectColor(TCanvas* canvas, const TRect& rect, TColor color) {
  FillRectColor(canvas->Handle(), rect, color);
}

void FillRectColor(TCanvas* canvas, int left, int top, int right, int bottom, TColor color) {
  FillRectColor(canvas->Handle(), left, top, right, bottom, color);
}

void DrawFocusRectColor(TCanvas* canvas, const TRect& rect, TColor color) {
  DrawFocusRectColor(canvas->Handle(), rect, color);
}

void DrawRoundRect(TCanvas* canvas, const TRect& rect, int radius, TColor color) {
  DrawRoundRect(canvas->Handle(), rect, radius, color);
}

void FillRoundRect(TCanvas* canvas, const TRect& rect, int radius, TColor color) {
  FillRoundRect(canvas->Handle(), rect, radius, color);
}

void DrawPolygon(TCanvas* canvas, const TPoint* points, int count, TColor color) {
  DrawPolygon(canvas->Handle(), reinterpret_cast<const POINT*>(points), count, color);
}

void FillPolygon(TCanvas* canvas, const TPoint* points, int count, TColor color) {
  FillPolygon(canvas->Handle(), reinterpret_cast<const POINT*>(points), count, color);
}

void FillGradient(TCanvas* canvas, const TRect& rect, TColor from, bool vertical, TColor to) {
  FillGradient(canvas->Handle(), rect, from, vertical, to);
}

void FillChecker(TCanvas* canvas, const TRect& rect, TColor a, TColor b) {
  FillChecker(canvas->Handle(), rect, a, b);
}

void DrawSmallIcon(TCanvas* canvas, const TRect& rect, HICON icon) {
  DrawSmallIcon(canvas->Handle(), rect, icon);
}

void DrawFrameGlyph(TCanvas* canvas, const TRect& rect, UINT type, TColor color, UINT state) {
  DrawFrameGlyph(canvas->Handle(), rect, type, color, state);
}

void DrawSilhouette(TCanvas* canvas, int x, int y, TColor color, const TkivBitmap& surface) {
  DrawSilhouette(canvas->Handle(), x, y, color, surface);
}

}  // namespace kiv
