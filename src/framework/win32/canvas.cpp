// Pens, brushes, fonts and the canvas.
#include "framework/win32/canvas.hpp"

#include <algorithm>

#include "framework/exceptions.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/graphic.hpp"

namespace kiv {

COLORREF ColorToRef(TColor color) {
  if (color == clNone || color == clDefault) return 0;
  return static_cast<COLORREF>(ColorToRGB(color)) & 0xFFFFFF;
}

HFONT CreateFontHandle(const TFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.Height();
  lf.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Style().Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = font.Style().Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = font.Style().Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = font.Charset();
  lf.lfQuality = DEFAULT_QUALITY;
  std::wstring face = ToWide(font.Name());
  if (face == L"Default") face = L"MS Shell Dlg 2";
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT handle = CreateFontIndirectW(&lf);
  if (!handle) throw EOutOfResources("Out of system resources");
  return handle;
}

// ---------------------------------------------------------------------------
// Pens and brushes

HGDIOBJ TGraphicsObject::Handle() {
  if (!handle_) {
    handle_ = MakeHandle();
    if (!handle_) throw EOutOfResources("Out of system resources");
  }
  return handle_;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange();  // the holder deselects the old handle first
  FreeHandle();
}

void TGraphicsObject::FreeHandle() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
}

void TPen::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}
void TPen::SetWidth(int value) {
  if (value == width_ || value < 0) return;
  width_ = value;
  Changed();
}
void TPen::SetStyle(TPenStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}
void TPen::SetMode(TPenMode value) {
  if (value == mode_) return;
  mode_ = value;
  Changed();
}
void TPen::Assign(const TPen& o) {
  if (o.color_ == color_ && o.width_ == width_ && o.style_ == style_ && o.mode_ == mode_) return;
  color_ = o.color_;
  width_ = o.width_;
  style_ = o.style_;
  mode_ = o.mode_;
  Changed();
}
HGDIOBJ TPen::MakeHandle() const {
  static const int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  return CreatePen(kStyles[style_], width_, ColorToRef(color_));
}

void TBrush::SetColor(TColor value) {
  if (value == color_ && style_ != bsClear) return;
  color_ = value;
  if (style_ == bsClear) style_ = bsSolid;  // a colour makes a clear brush solid
  Changed();
}
void TBrush::SetStyle(TBrushStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}
void TBrush::Assign(const TBrush& o) {
  if (o.color_ == color_ && o.style_ == style_) return;
  color_ = o.color_;
  style_ = o.style_;
  Changed();
}
HGDIOBJ TBrush::MakeHandle() const {
  switch (style_) {
    case bsSolid:
      return CreateSolidBrush(ColorToRef(color_));
    case bsClear: {
      LOGBRUSH lb{BS_NULL, 0, 0};
      return CreateBrushIndirect(&lb);
    }
    default: {
      static const int kHatch[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                   HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
      return CreateHatchBrush(kHatch[style_ - bsHorizontal], ColorToRef(color_));
    }
  }
}

// ---------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas() {
  // A change to a selected object takes it out of the context before the
  // object frees its handle; the next drawing call selects the new one.
  font_.OnChange.Handler = [this](TObject*) {
    if (dc_ && (state_ & kFontValid)) SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    state_ &= ~kFontValid;
    if (font_handle_) DeleteObject(font_handle_);
    font_handle_ = nullptr;
  };
  pen_.OnChange = [this] {
    if (dc_ && (state_ & kPenValid)) SelectObject(dc_, GetStockObject(BLACK_PEN));
    state_ &= ~kPenValid;
  };
  brush_.OnChange = [this] {
    if (dc_ && (state_ & kBrushValid)) SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
    state_ &= ~kBrushValid;
  };
}

TCanvas::~TCanvas() {
  DeselectHandles();
  if (font_handle_) DeleteObject(font_handle_);
}

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectHandles();
  dc_ = dc;
  state_ = 0;
}

void TCanvas::DeselectHandles() {
  if (dc_ && state_) {
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  }
  state_ = 0;
}

void TCanvas::RequireState(uint8_t need) {
  HDC dc = Handle();
  uint8_t missing = need & ~state_;
  if (missing & kFontValid) {
    if (!font_handle_) font_handle_ = CreateFontHandle(font_);
    SelectObject(dc, font_handle_);
    SetTextColor(dc, ColorToRef(font_.Color()));
  }
  if (missing & kPenValid) {
    SelectObject(dc, pen_.Handle());
    static const int kRops[] = {R2_BLACK,   R2_WHITE,      R2_NOP,   R2_NOT,
                                R2_COPYPEN, R2_NOTCOPYPEN, R2_XORPEN};
    SetROP2(dc, kRops[pen_.Mode()]);
  }
  if (missing & kBrushValid) {
    SelectObject(dc, brush_.Handle());
    SetBkColor(dc, ColorToRef(brush_.Color()));
    SetBkMode(dc, brush_.Style() == bsSolid ? OPAQUE : TRANSPARENT);
  }
  state_ |= missing;
}

void TCanvas::MoveTo(int x, int y) {
  MoveToEx(Handle(), x, y, nullptr);
  pen_pos_ = {x, y};
}
void TCanvas::LineTo(int x, int y) {
  RequireState(kPenValid | kBrushValid);
  ::LineTo(dc_, x, y);
  pen_pos_ = {x, y};
  if (OnChange) OnChange();
}
void TCanvas::Rectangle(const TRect& r) {
  RequireState(kPenValid | kBrushValid);
  ::Rectangle(dc_, r.Left, r.Top, r.Right, r.Bottom);
}
void TCanvas::RoundRect(const TRect& r, int rx, int ry) {
  RequireState(kPenValid | kBrushValid);
  ::RoundRect(dc_, r.Left, r.Top, r.Right, r.Bottom, rx, ry);
}
void TCanvas::Ellipse(const TRect& r) {
  RequireState(kPenValid | kBrushValid);
  ::Ellipse(dc_, r.Left, r.Top, r.Right, r.Bottom);
}
void TCanvas::FillRect(const TRect& r) {
  RequireState(kBrushValid);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc_, &rc, static_cast<HBRUSH>(brush_.Handle()));
}
void TCanvas::FrameRect(const TRect& r) {
  RequireState(kBrushValid);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FrameRect(dc_, &rc, static_cast<HBRUSH>(brush_.Handle()));
}
void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  RequireState(kPenValid | kBrushValid);
  ::Polygon(dc_, reinterpret_cast<const POINT*>(points.data()), static_cast<int>(points.size()));
}
void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  RequireState(kPenValid | kBrushValid);
  ::Polyline(dc_, reinterpret_cast<const POINT*>(points.data()), static_cast<int>(points.size()));
}
static_assert(sizeof(TPoint) == sizeof(POINT));

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
  RequireState(kFontValid | kBrushValid);
  ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
  MoveTo(x + TextWidth(text), y);
}
void TCanvas::TextRect(const TRect& r, int x, int y, const std::wstring& text) {
  RequireState(kFontValid | kBrushValid);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  UINT options = ETO_CLIPPED | (brush_.Style() == bsSolid ? ETO_OPAQUE : 0);
  ::ExtTextOutW(dc_, x, y, options, &rc, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}
TSize TCanvas::TextExtent(const std::wstring& text) {
  RequireState(kFontValid);
  SIZE s{};
  ::GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &s);
  return {s.cx, s.cy};
}
void TCanvas::DrawFocusRect(const TRect& r) {
  RequireState(kBrushValid);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::DrawFocusRect(dc_, &rc);
}
TColor TCanvas::Pixel(int x, int y) {
  return static_cast<TColor>(::GetPixel(Handle(), x, y));
}
void TCanvas::SetPixel(int x, int y, TColor color) {
  ::SetPixelV(Handle(), x, y, ColorToRef(color));
}
void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
}
void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  graphic->Draw(this, r);
}
void TCanvas::CopyRect(const TRect& d, TCanvas* source, const TRect& s) {
  RequireState(kBrushValid);
  HDC src = source->Handle();
  int old_mode = SetStretchBltMode(dc_, COLORONCOLOR);
  ::StretchBlt(dc_, d.Left, d.Top, d.Width(), d.Height(), src, s.Left, s.Top, s.Width(), s.Height(),
               CopyMode);
  SetStretchBltMode(dc_, old_mode);
}

}  // namespace kiv
