#include "framework/win32/graphics.hpp"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>

#include "framework/exceptions.hpp"
#include "framework/numeric.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/picture_graphics.hpp"

namespace kiv {

namespace {

}  // namespace

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

// ---------------------------------------------------------------------------
// TGraphic

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

std::vector<uint8_t> TGraphic::SaveToBytes() const {
  throw EInvalidGraphic("Cannot save this kind of picture");
}

void TGraphic::Assign(const TGraphic& source) {
  if (&source == this) return;
  std::vector<uint8_t> data = source.SaveToBytes();
  LoadFromBytes(data.data(), data.size());
}

namespace {
std::vector<uint8_t> ReadWholeFile(const std::string& file_name) {
  std::ifstream in(file_name, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + file_name + "\"");
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || size > (std::streamoff{1} << 31))
    throw EReadError("Cannot open file \"" + file_name + "\"");
  in.seekg(0);
  std::vector<uint8_t> data(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size))
    throw EReadError("Stream read error");
  return data;
}
}  // namespace

void TGraphic::LoadFromStream(TStream& stream) {
  int64_t remaining = stream.Size() - stream.Position();
  if (remaining < 0 || remaining > (int64_t{1} << 31)) throw EReadError("Stream read error");
  std::vector<uint8_t> data = ReadBytes(stream, static_cast<uint64_t>(remaining));
  LoadFromBytes(data.data(), data.size());
}

void TGraphic::SaveToStream(TStream& stream) const {
  std::vector<uint8_t> data = SaveToBytes();
  stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void TGraphic::LoadFromFile(const std::string& file_name) {
  std::vector<uint8_t> data = ReadWholeFile(file_name);
  LoadFromBytes(data.data(), data.size());
}

void TGraphic::SaveToFile(const std::string& file_name) const {
  std::vector<uint8_t> data = SaveToBytes();
  std::ofstream out(file_name, std::ios::binary);
  if (!out) throw EFCreateError("Cannot create file \"" + file_name + "\"");
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out) throw EWriteError("Stream write error");
}

// ---------------------------------------------------------------------------
// TBitmap

// The bitmap's canvas: its device context is the bitmap's memory context,
// made when first drawn on.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* owner) : owner_(owner) {}
  void Release() { SetHandle(nullptr); }

 protected:
  void CreateHandle() override {
    if (owner_->Empty())
      owner_->SetSize(owner_->Width() ? owner_->Width() : 0,
                      owner_->Height() ? owner_->Height() : 0);
    SetHandle(owner_->MemoryDC());
  }

 private:
  TBitmap* owner_;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  if (canvas_) canvas_->Release();
  FreeImage();
}

void TBitmap::FreeImage() {
  if (canvas_) canvas_->Release();
  if (mem_dc_) {
    SelectObject(mem_dc_, old_bitmap_);
    DeleteDC(mem_dc_);
    mem_dc_ = nullptr;
  }
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  stride_ = 0;
}

HDC TBitmap::MemoryDC() {
  if (!mem_dc_) {
    mem_dc_ = CreateCompatibleDC(nullptr);
    if (!mem_dc_) throw EOutOfResources("Out of system resources");
    if (bitmap_) old_bitmap_ = SelectObject(mem_dc_, bitmap_);
  }
  return mem_dc_;
}

int TBitmap::BitCount() const {
  switch (pixel_format_) {
    case pf1bit:
      return 1;
    case pf4bit:
      return 4;
    case pf8bit:
      return 8;
    case pf15bit:
    case pf16bit:
      return 16;
    case pf24bit:
      return 24;
    case pf32bit:
      return 32;
    default:
      return 32;
  }
}

void TBitmap::Recreate(int width, int height, TPixelFormat format, TBitmapHandleType type,
                       const BITMAPINFO* info, const void* bits) {
  if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size");
  // Keep the picture across a format change: copy the old pixels through GDI.
  HDC old_dc = nullptr;
  HBITMAP old_bmp = bitmap_;
  int old_w = width_, old_h = height_;
  if (canvas_) canvas_->Release();
  if (mem_dc_) {
    SelectObject(mem_dc_, old_bitmap_);
    old_dc = mem_dc_;
    mem_dc_ = nullptr;
  }
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = width;
  height_ = height;
  pixel_format_ = format;
  handle_type_ = type;
  if (width > 0 && height > 0) {
    if (type == bmDDB) {
      HDC screen = GetDC(nullptr);
      bitmap_ = CreateCompatibleBitmap(screen, width, height);
      ReleaseDC(nullptr, screen);
      if (!bitmap_) {
        // Without a display (headless), fall back to a device-independent one.
        handle_type_ = bmDIB;
      }
    }
    if (!bitmap_) {
      int bpp = BitCount();
      struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[256];
      } bi{};
      if (info) {
        std::memcpy(&bi, info, sizeof(BITMAPINFOHEADER));
        int ncolors =
            bi.h.biClrUsed ? bi.h.biClrUsed : (bi.h.biBitCount <= 8 ? 1 << bi.h.biBitCount : 0);
        if (bi.h.biCompression == BI_BITFIELDS) ncolors = 3;
        std::memcpy(bi.colors, info->bmiColors, sizeof(RGBQUAD) * std::min(ncolors, 256));
        bi.h.biHeight = height;  // bottom-up
        bi.h.biSizeImage = 0;
      } else {
        bi.h.biSize = sizeof(BITMAPINFOHEADER);
        bi.h.biWidth = width;
        bi.h.biHeight = height;  // bottom-up: the last row comes first in memory
        bi.h.biPlanes = 1;
        bi.h.biBitCount = static_cast<WORD>(bpp);
        bi.h.biCompression = BI_RGB;
        if (format == pf16bit) {
          bi.h.biCompression = BI_BITFIELDS;
          reinterpret_cast<DWORD*>(bi.colors)[0] = 0xF800;
          reinterpret_cast<DWORD*>(bi.colors)[1] = 0x07E0;
          reinterpret_cast<DWORD*>(bi.colors)[2] = 0x001F;
        } else if (bpp <= 8) {
          // A grey ramp (black and white for one bit) until a palette is set.
          int n = 1 << bpp;
          for (int i = 0; i < n; ++i) {
            BYTE v = static_cast<BYTE>(i * 255 / (n - 1));
            bi.colors[i] = RGBQUAD{v, v, v, 0};
          }
        }
      }
      void* p = nullptr;
      bitmap_ = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &p,
                                 nullptr, 0);
      if (!bitmap_) {
        if (old_dc) DeleteDC(old_dc);
        if (old_bmp) DeleteObject(old_bmp);
        width_ = height_ = 0;
        throw EOutOfResources("Can't allocate the DIB handle");
      }
      bits_ = static_cast<uint8_t*>(p);
      stride_ = ((width * bi.h.biBitCount + 31) / 32) * 4;
      if (!bits) std::memset(bits_, 0, static_cast<size_t>(stride_) * height);
    }
    if (bits && bits_) {
      std::memcpy(bits_, bits, static_cast<size_t>(stride_) * height);
    } else if (old_bmp && old_w > 0 && old_h > 0) {
      HDC src = CreateCompatibleDC(nullptr);
      HGDIOBJ prev = SelectObject(src, old_bmp);
      HDC dst = MemoryDC();
      BitBlt(dst, 0, 0, std::min(width, old_w), std::min(height, old_h), src, 0, 0, SRCCOPY);
      SelectObject(src, prev);
      DeleteDC(src);
    }
  }
  if (old_dc) DeleteDC(old_dc);
  if (old_bmp) DeleteObject(old_bmp);
  GdiFlush();
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  Recreate(width, height, pixel_format_, handle_type_, nullptr, nullptr);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value == pixel_format_) return;
  Recreate(width_, height_, value, value == pfDevice ? handle_type_ : bmDIB, nullptr, nullptr);
  Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType value) {
  if (value == handle_type_) return;
  Recreate(width_, height_, value == bmDDB ? pfDevice : pixel_format_, value, nullptr, nullptr);
  Changed();
}

TColor TBitmap::TransparentColor() {
  if (transparent_color_ != clDefault) return transparent_color_;
  if (Empty()) return 0;
  return static_cast<TColor>(::GetPixel(MemoryDC(), 0, height_ - 1)) & 0xFFFFFF;
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(this);
    canvas_->OnChange = [this] { Changed(); };
  }
  return canvas_.get();
}

void* TBitmap::ScanLine(int y) {
  if (!bits_) throw EInvalidGraphic("Bitmap has no pixel rows");
  if (y < 0 || y >= height_) throw EInvalidGraphic("Scan line index out of range");
  GdiFlush();
  return bits_ + static_cast<size_t>(height_ - 1 - y) * stride_;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty()) return;
  HDC dst = canvas->Handle();
  HDC src = MemoryDC();
  if (Transparent()) {
    COLORREF key = ColorToRef(TransparentColor());
    TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, key);
  } else if (r.Width() == width_ && r.Height() == height_) {
    BitBlt(dst, r.Left, r.Top, width_, height_, src, 0, 0, SRCCOPY);
  } else {
    int old = SetStretchBltMode(dst, COLORONCOLOR);
    StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dst, old);
  }
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  FreeImage();
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) {
    DIBSECTION ds{};
    bool dib = GetObjectW(bitmap, sizeof(ds), &ds) == sizeof(ds);
    bitmap_ = bitmap;
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    handle_type_ = dib ? bmDIB : bmDDB;
    switch (info.bmBitsPixel) {
      case 1:
        pixel_format_ = pf1bit;
        break;
      case 4:
        pixel_format_ = pf4bit;
        break;
      case 8:
        pixel_format_ = pf8bit;
        break;
      case 16:
        pixel_format_ = pf16bit;
        break;
      case 24:
        pixel_format_ = pf24bit;
        break;
      case 32:
        pixel_format_ = pf32bit;
        break;
      default:
        pixel_format_ = pfCustom;
    }
    if (!dib) pixel_format_ = pfDevice;
    // Bottom-up DIBs in a direct-colour format are kept as they are; top-down
    // ones are converted to the bottom-up layout ScanLine expects, and palette
    // ones to 32 bits so that their colours survive.
    if (dib && (ds.dsBmih.biHeight < 0 || pixel_format_ <= pf8bit || pixel_format_ == pfCustom)) {
      HBITMAP src = bitmap_;
      bitmap_ = nullptr;
      width_ = height_ = 0;
      TPixelFormat format = pixel_format_ == pfCustom ? pf32bit : pixel_format_;
      if (format <= pf8bit) format = pf32bit;  // palette formats: keep the colours in 32 bits
      pixel_format_ = format;
      Recreate(info.bmWidth, info.bmHeight, format, bmDIB, nullptr, nullptr);
      HDC sdc = CreateCompatibleDC(nullptr);
      HGDIOBJ prev = SelectObject(sdc, src);
      BitBlt(MemoryDC(), 0, 0, width_, height_, sdc, 0, 0, SRCCOPY);
      SelectObject(sdc, prev);
      DeleteDC(sdc);
      DeleteObject(src);
      GdiFlush();
    } else if (dib) {
      bits_ = static_cast<uint8_t*>(ds.dsBm.bmBits);
      stride_ = ds.dsBm.bmWidthBytes;
    }
  }
  Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const wchar_t* name) {
  HBITMAP bmp =
      static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bmp) throw EInvalidGraphic("Resource not found");
  SetHandle(bmp);
}

void TBitmap::Assign(const TGraphic& source) {
  if (&source == this) return;
  auto* other = dynamic_cast<const TBitmap*>(&source);
  if (!other) {
    // Any graphic: draw it onto a 32-bit bitmap of its size.
    SetPixelFormat(pf32bit);
    SetSize(source.Width(), source.Height());
    const_cast<TGraphic&>(source).Draw(Canvas(), Rect(0, 0, width_, height_));
    Changed();
    return;
  }
  if (other->Empty()) {
    FreeImage();
    width_ = height_ = 0;
    pixel_format_ = other->pixel_format_;
    Changed();
    return;
  }
  auto* src = const_cast<TBitmap*>(other);
  if (other->bits_) {
    DIBSECTION ds{};
    GetObjectW(other->bitmap_, sizeof(ds), &ds);
    struct {
      BITMAPINFOHEADER h;
      RGBQUAD colors[256];
    } bi{};
    bi.h = ds.dsBmih;
    if (bi.h.biBitCount <= 8)
      GetDIBColorTable(src->MemoryDC(), 0, 1u << bi.h.biBitCount, bi.colors);
    else if (bi.h.biCompression == BI_BITFIELDS)
      std::memcpy(bi.colors, ds.dsBitfields, sizeof(ds.dsBitfields));
    GdiFlush();
    Recreate(other->width_, other->height_, other->pixel_format_, bmDIB,
             reinterpret_cast<BITMAPINFO*>(&bi), other->bits_);
  } else {
    FreeImage();
    width_ = height_ = 0;
    Recreate(other->width_, other->height_, other->pixel_format_, other->handle_type_, nullptr,
             nullptr);
    BitBlt(MemoryDC(), 0, 0, width_, height_, src->MemoryDC(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  SetTransparent(other->Transparent());
  transparent_color_ = other->transparent_color_;
  Changed();
}

// BMP files: file header, one of the info headers, colour table, pixel rows.
// Every count and offset is checked against the data before use; GDI then
// converts the rows into the bitmap, so RLE and bit-field layouts come free.
void TBitmap::LoadFromBytes(const uint8_t* data, size_t size) {
  auto u16 = [&](size_t at) { return static_cast<uint32_t>(data[at] | data[at + 1] << 8); };
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
  };
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
    throw EInvalidGraphic("Bitmap image is not valid");
  uint32_t bits_offset = u32(10);
  uint32_t header_size = u32(14);
  // The header sizes of the known versions (core, OS/2 2.x short and long,
  // info, the two bit-field variants, v4, v5).
  static const uint32_t kHeaderSizes[] = {12, 16, 40, 52, 56, 64, 108, 124};
  if (std::find(std::begin(kHeaderSizes), std::end(kHeaderSizes), header_size) ==
          std::end(kHeaderSizes) ||
      header_size > size - 14)
    throw EInvalidGraphic("Bitmap image is not valid");
  uint32_t size_image = 0;
  int64_t width, height;
  uint32_t planes, bit_count, compression = BI_RGB, colors_used = 0;
  size_t table_entry = 4;
  if (header_size == 12) {  // OS/2 core header
    width = u16(18);
    height = static_cast<int16_t>(u16(20));
    planes = u16(22);
    bit_count = u16(24);
    table_entry = 3;
  } else {
    if (header_size < 16) throw EInvalidGraphic("Bitmap image is not valid");
    width = static_cast<int32_t>(u32(18));
    height = static_cast<int32_t>(u32(22));
    planes = u16(26);
    bit_count = u16(28);
    if (header_size >= 20) compression = u32(30);
    if (header_size >= 24) size_image = u32(34);
    if (header_size >= 36) colors_used = u32(46);
  }
  bool top_down = height < 0;
  if (top_down) height = -height;
  if (width <= 0 || height <= 0 || width > 0x7FFF || height > 0x7FFF || planes != 1)
    throw EInvalidGraphic("Bitmap image is not valid");
  if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 16 && bit_count != 24 &&
      bit_count != 32)
    throw EInvalidGraphic("Bitmap image is not valid");
  bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  if ((compression == BI_RLE8 && bit_count != 8) || (compression == BI_RLE4 && bit_count != 4) ||
      (compression == BI_BITFIELDS && bit_count != 16 && bit_count != 32) ||
      (compression != BI_RGB && !rle && compression != BI_BITFIELDS) || (rle && top_down))
    throw EInvalidGraphic("Bitmap image is not valid");
  // Colour table (or the three masks of a bit-field bitmap).
  size_t table_at = 14 + header_size;
  uint32_t ncolors = 0;
  uint32_t masks[3] = {0, 0, 0};
  if (bit_count <= 8) {
    uint32_t max_colors = 1u << bit_count;
    ncolors = colors_used == 0 ? max_colors : std::min(colors_used, max_colors);
    if (colors_used > 0x10000) throw EInvalidGraphic("Bitmap image is not valid");
  } else if (compression == BI_BITFIELDS) {
    if (header_size >= 52) {  // masks inside the header
      masks[0] = u32(54);
      masks[1] = u32(58);
      masks[2] = u32(62);
    } else {
      if (table_at + 12 > size) throw EInvalidGraphic("Bitmap image is not valid");
      masks[0] = u32(table_at);
      masks[1] = u32(table_at + 4);
      masks[2] = u32(table_at + 8);
    }
  }
  if (table_at + static_cast<size_t>(ncolors) * table_entry > size)
    throw EInvalidGraphic("Bitmap image is not valid");
  uint64_t stride = ((static_cast<uint64_t>(width) * bit_count + 31) / 32) * 4;
  uint64_t image_size = stride * static_cast<uint64_t>(height);
  if (bits_offset < table_at || bits_offset >= size)
    throw EInvalidGraphic("Bitmap image is not valid");
  uint64_t available = size - bits_offset;
  // A stated image size beyond the end of the file is a broken header.
  if (size_image > available) throw EInvalidGraphic("Bitmap image is not valid");
  if (!rle && image_size > available) throw EInvalidGraphic("Bitmap image is not valid");

  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colors[256];
  } bi{};
  bi.h.biSize = sizeof(BITMAPINFOHEADER);
  bi.h.biWidth = static_cast<LONG>(width);
  bi.h.biHeight = static_cast<LONG>(top_down ? -height : height);
  bi.h.biPlanes = 1;
  bi.h.biBitCount = static_cast<WORD>(bit_count);
  bi.h.biCompression = compression;
  bi.h.biSizeImage = rle ? static_cast<DWORD>(available) : 0;
  bi.h.biClrUsed = ncolors;
  for (uint32_t i = 0; i < ncolors; ++i) {
    const uint8_t* c = data + table_at + i * table_entry;
    bi.colors[i] = RGBQUAD{c[0], c[1], c[2], 0};
  }
  if (compression == BI_BITFIELDS) std::memcpy(bi.colors, masks, sizeof(masks));

  TPixelFormat format = bit_count == 1    ? pf1bit
                        : bit_count == 4  ? pf4bit
                        : bit_count == 8  ? pf8bit
                        : bit_count == 16 ? pf16bit
                        : bit_count == 24 ? pf24bit
                                          : pf32bit;
  const uint8_t* bits = data + bits_offset;
  if (!rle && compression == BI_RGB && top_down) {
    // Stored top-down; the bitmap keeps rows bottom-up.
    FreeImage();
    Recreate(static_cast<int>(width), static_cast<int>(height), format, bmDIB,
             reinterpret_cast<BITMAPINFO*>(&bi), nullptr);
    for (int64_t y = 0; y < height; ++y)
      std::memcpy(bits_ + (height - 1 - y) * stride_, bits + y * stride,
                  static_cast<size_t>(stride));
  } else if (!rle && compression == BI_RGB) {
    // Stored bottom-up, as the bitmap keeps its rows.
    FreeImage();
    Recreate(static_cast<int>(width), static_cast<int>(height), format, bmDIB,
             reinterpret_cast<BITMAPINFO*>(&bi), bits);
  } else {
    // RLE and bit fields: let GDI decode into a 32-bit bitmap. The RLE data
    // is bounded by biSizeImage, so GDI never reads past the buffer.
    FreeImage();
    width_ = height_ = 0;
    pixel_format_ = pf32bit;
    Recreate(static_cast<int>(width), static_cast<int>(height), pf32bit, bmDIB, nullptr, nullptr);
    int lines = SetDIBits(MemoryDC(), bitmap_, 0, static_cast<UINT>(height), bits,
                          reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    if (lines == 0) throw EInvalidGraphic("Bitmap image is not valid");
    GdiFlush();
    if (compression == BI_BITFIELDS && bit_count == 32) {
      // 32-bit bit-field pixels carry no alpha for us: make them opaque.
      for (int y = 0; y < height_; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bits_ + y * stride_);
        for (int x = 0; x < width_; ++x) row[x] |= 0xFF000000u;
      }
    }
  }
  GdiFlush();
  Changed();
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  if (Empty()) return {};
  auto* self = const_cast<TBitmap*>(this);
  int bpp = (bits_ && pixel_format_ != pfCustom && pixel_format_ != pfDevice) ? BitCount() : 32;
  if (pixel_format_ == pf15bit || pixel_format_ == pf16bit) bpp = 24;  // written as 24-bit
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colors[256];
  } bi{};
  bi.h.biSize = sizeof(BITMAPINFOHEADER);
  bi.h.biWidth = width_;
  bi.h.biHeight = height_;  // bottom-up, as files store it
  bi.h.biPlanes = 1;
  bi.h.biBitCount = static_cast<WORD>(bpp);
  bi.h.biCompression = BI_RGB;
  uint32_t ncolors = bpp <= 8 ? 1u << bpp : 0;
  size_t stride = ((static_cast<size_t>(width_) * bpp + 31) / 32) * 4;
  std::vector<uint8_t> rows(stride * height_);
  GdiFlush();
  if (!GetDIBits(self->MemoryDC(), bitmap_, 0, height_, rows.data(),
                 reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS))
    throw EInvalidGraphic("Cannot save this bitmap");
  bi.h.biClrUsed = ncolors;
  bi.h.biSizeImage = static_cast<DWORD>(rows.size());
  size_t offset = 14 + sizeof(BITMAPINFOHEADER) + ncolors * 4;
  std::vector<uint8_t> out(offset + rows.size());
  auto put16 = [&](size_t at, uint32_t v) {
    out[at] = v & 0xFF;
    out[at + 1] = (v >> 8) & 0xFF;
  };
  auto put32 = [&](size_t at, uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<uint32_t>(out.size()));
  put32(10, static_cast<uint32_t>(offset));
  std::memcpy(out.data() + 14, &bi.h, sizeof(BITMAPINFOHEADER));
  std::memcpy(out.data() + 14 + sizeof(BITMAPINFOHEADER), bi.colors, ncolors * 4);
  std::memcpy(out.data() + offset, rows.data(), rows.size());
  return out;
}

// ---------------------------------------------------------------------------
// TIcon

TIcon::~TIcon() {
  if (icon_) DestroyIcon(icon_);
}

void TIcon::SetHandle(HICON icon) {
  if (icon_) DestroyIcon(icon_);
  icon_ = icon;
  width_ = height_ = 0;
  ICONINFO ii{};
  if (icon && GetIconInfo(icon, &ii)) {
    BITMAP bm{};
    GetObjectW(ii.hbmMask, sizeof(bm), &bm);
    width_ = bm.bmWidth;
    height_ = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
  }
  Changed();
}

void TIcon::Draw(TCanvas* canvas, const TRect& r) {
  if (icon_)
    DrawIconEx(canvas->Handle(), r.Left, r.Top, icon_, r.Width(), r.Height(), 0, nullptr,
               DI_NORMAL);
}

void TIcon::LoadFromBytes(const uint8_t* data, size_t size) {
  // Icon directory: reserved 0, type 1, count, then 16-byte entries.
  if (size < 6 || data[0] || data[1] || data[2] != 1 || data[3])
    throw EInvalidGraphic("Icon image is not valid");
  size_t count = data[4] | data[5] << 8;
  if (count == 0 || 6 + count * 16 > size) throw EInvalidGraphic("Icon image is not valid");
  const uint8_t* e = data + 6;  // first entry
  uint32_t bytes = e[8] | e[9] << 8 | e[10] << 16 | static_cast<uint32_t>(e[11]) << 24;
  uint32_t at = e[12] | e[13] << 8 | e[14] << 16 | static_cast<uint32_t>(e[15]) << 24;
  if (at > size || bytes > size - at || bytes < 40)
    throw EInvalidGraphic("Icon image is not valid");
  HICON icon = CreateIconFromResourceEx(const_cast<uint8_t*>(data + at), bytes, TRUE, 0x00030000, 0,
                                        0, LR_DEFAULTCOLOR);
  if (!icon) throw EInvalidGraphic("Icon image is not valid");
  SetHandle(icon);
}

// ---------------------------------------------------------------------------
// TPicture

namespace {
struct FormatEntry {
  std::string description;
  TPicture::Factory factory;
};
std::map<std::string, FormatEntry>& Formats() {
  static std::map<std::string, FormatEntry> formats = [] {
    std::map<std::string, FormatEntry> m;
    // BMP files go through the project's BMP reader, which knows more of
    // them than GDI does; the result is still a framework bitmap.
    m["bmp"] = {"Bitmaps", [] { return std::make_unique<TBmpImage>(); }};
    m["jpg"] = {"JPEG pictures", [] { return std::make_unique<TJPEGImage>(); }};
    m["jpeg"] = {"JPEG pictures", [] { return std::make_unique<TJPEGImage>(); }};
    m["gif"] = {"GIF pictures", [] { return std::make_unique<TGIFImage>(); }};
    m["ico"] = {"Icons", [] { return std::make_unique<TIcon>(); }};
    return m;
  }();
  return formats;
}
}  // namespace

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  Factory factory) {
  Formats()[LowerCase(extension)] = {description, std::move(factory)};
}

void TPicture::UnregisterFileFormat(const std::string& extension) {
  Formats().erase(LowerCase(extension));
}

bool TPicture::SupportsExtension(const std::string& extension) {
  return Formats().count(LowerCase(extension)) != 0;
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TGraphic* g) { GraphicChanged(g); };
  Changed();
}

void TPicture::AssignGraphic(const TGraphic* graphic) {
  if (!graphic) {
    SetGraphic(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = graphic->NewEmpty();
  copy->Assign(*graphic);
  SetGraphic(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  auto* bmp = dynamic_cast<TBitmap*>(graphic_.get());
  if (!bmp) {
    SetGraphic(std::make_unique<TBitmap>());
    bmp = static_cast<TBitmap*>(graphic_.get());
  }
  return bmp;
}

void TPicture::LoadFromFile(const std::string& file_name) {
  size_t dot = file_name.find_last_of('.');
  size_t slash = file_name.find_last_of("\\/");
  std::string ext = (dot == std::string::npos || (slash != std::string::npos && dot < slash))
                        ? std::string()
                        : LowerCase(file_name.substr(dot + 1));
  auto it = Formats().find(ext);
  if (it == Formats().end()) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  std::unique_ptr<TGraphic> graphic = it->second.factory();
  graphic->LoadFromFile(file_name);
  SetGraphic(std::move(graphic));
}

// ---------------------------------------------------------------------------
// TClipboard

namespace {
struct ClipboardLock {
  ClipboardLock() {
    for (int i = 0; i < 10 && !OpenClipboard(nullptr); ++i) Sleep(10);
  }
  ~ClipboardLock() { CloseClipboard(); }
};
}  // namespace

void TClipboard::Assign(TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty())
    throw EInvalidOperation("Cannot put an empty bitmap on the clipboard");
  // The clipboard takes ownership of a handle of its own: a DDB-compatible copy.
  HDC screen = CreateCompatibleDC(nullptr);
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(bitmap->Handle(), IMAGE_BITMAP, 0, 0, 0));
  DeleteDC(screen);
  if (!copy) throw EOutOfResources("Out of system resources");
  ClipboardLock lock;
  EmptyClipboard();
  if (!SetClipboardData(CF_BITMAP, copy)) {
    DeleteObject(copy);
    throw EInvalidOperation("Cannot open clipboard");
  }
}

bool TClipboard::HasBitmap() const {
  return IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

void TClipboard::GetBitmap(TBitmap* into) {
  ClipboardLock lock;
  HBITMAP h = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  if (!h) throw EInvalidGraphic("Clipboard does not hold a bitmap");
  into->SetHandle(static_cast<HBITMAP>(CopyImage(h, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void TClipboard::SetAsText(const std::wstring& text) {
  ClipboardLock lock;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!mem) throw EOutOfResources("Out of system resources");
  std::memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
}

std::wstring TClipboard::AsText() const {
  ClipboardLock lock;
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  if (!h) return {};
  auto* p = static_cast<const wchar_t*>(GlobalLock(h));
  std::wstring s = p ? p : L"";
  GlobalUnlock(h);
  return s;
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

}  // namespace kiv
