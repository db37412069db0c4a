// TBitmap: GDI bitmaps with a memory context; BMP files in and out.
#include "framework/win32/bitmap.hpp"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "framework/win32/dib_section.hpp"

namespace kiv {

namespace {

// A bitmap header with room for the largest colour table (or three masks).
struct TInfoWithColors {
  BITMAPINFOHEADER h;
  RGBQUAD colors[256];
};

constexpr int kMaxBitmapSide = 0x7FFF;

// The colours of a picture as a palette of at most max_colors entries (in the
// order they first appear) and each pixel's index; false when there are more.
bool PaletteOf(const TPixelBuffer& pixels, uint32_t max_colors, std::vector<uint32_t>& palette,
               std::vector<uint8_t>& indices) {
  std::unordered_map<uint32_t, uint8_t> index_of;
  indices.resize(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint32_t rgb = pixels[i] & 0xFFFFFF;
    auto [it, added] = index_of.try_emplace(rgb, static_cast<uint8_t>(palette.size()));
    if (added) {
      if (palette.size() == max_colors) return false;
      palette.push_back(rgb);
    }
    indices[i] = it->second;
  }
  return true;
}

}  // namespace

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
      TInfoWithColors bi{};
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
      TDibSection dib;
      try {
        dib = TDibSection(*reinterpret_cast<BITMAPINFO*>(&bi));
      } catch (...) {
        if (old_dc) DeleteDC(old_dc);
        if (old_bmp) DeleteObject(old_bmp);
        width_ = height_ = 0;
        throw;
      }
      // The bitmap keeps the handle (it may as well hold a device-dependent
      // or a handed-over one) and frees it in FreeImage.
      bitmap_ = dib.Handle();
      void* p = dib.Bits();
      dib.Release();
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
    TInfoWithColors bi{};
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

// BMP files go through the portable BMP decoder (the one BMP reader; every
// header version, RLE and bit fields). The bitmap keeps the file's pixel
// format where it can hold the pixels exactly: palette formats get a palette
// of the colours the picture uses, 24-bit files stay 24-bit; the rest
// (16-bit, 32-bit, RLE with skipped pixels) become 32-bit, alpha as decoded.
void TBitmap::LoadFromBytes(const uint8_t* data, size_t size) {
  TDecodedPicture picture;
  try {
    picture = DecodeBmp(data, size);
  } catch (const EInvalidGraphic&) {
    throw EInvalidGraphic("Bitmap image is not valid");
  }
  // A GDI bitmap's sides are at most 32767 pixels.
  if (picture.Width > kMaxBitmapSide || picture.Height > kMaxBitmapSide)
    throw EInvalidGraphic("Bitmap image is not valid");
  LoadDecoded(picture, true);
}

void TBitmap::LoadDecoded(const TDecodedPicture& picture, bool keep_file_format) {
  const TPixelBuffer& px = picture.Frames.front().Pixels;
  const int w = picture.Width, h = picture.Height;
  TPixelFormat format = pf32bit;
  std::vector<uint32_t> palette;
  std::vector<uint8_t> indices;
  if (keep_file_format && picture.BitsPerSample == 24) format = pf24bit;
  const int bpp = picture.BitsPerSample;
  // DIB sections hold palettes of 1, 4 and 8 bits (not the 2 bits some files use).
  if (keep_file_format && (bpp == 1 || bpp == 4 || bpp == 8) &&
      PaletteOf(px, 1u << picture.BitsPerSample, palette, indices))
    format = picture.BitsPerSample == 1 ? pf1bit : picture.BitsPerSample == 4 ? pf4bit : pf8bit;
  FreeImage();
  width_ = height_ = 0;
  if (format <= pf8bit) {
    TInfoWithColors bi{};
    bi.h.biSize = sizeof(BITMAPINFOHEADER);
    bi.h.biWidth = w;
    bi.h.biHeight = h;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = static_cast<WORD>(picture.BitsPerSample);
    bi.h.biCompression = BI_RGB;
    bi.h.biClrUsed = static_cast<DWORD>(palette.size());
    for (size_t i = 0; i < palette.size(); ++i)
      bi.colors[i] = RGBQUAD{static_cast<BYTE>(palette[i]), static_cast<BYTE>(palette[i] >> 8),
                             static_cast<BYTE>(palette[i] >> 16), 0};
    Recreate(w, h, format, bmDIB, reinterpret_cast<BITMAPINFO*>(&bi), nullptr);
    for (int y = 0; y < h; ++y) {
      auto* row = static_cast<uint8_t*>(ScanLine(y));
      std::memset(row, 0, static_cast<size_t>(stride_));
      const uint8_t* in = indices.data() + static_cast<size_t>(y) * w;
      for (int x = 0; x < w; ++x) {
        // Pixels are packed from the high bits of each byte.
        int bit = x * bpp;
        row[bit / 8] |= static_cast<uint8_t>(in[x] << (8 - bpp - bit % 8));
      }
    }
  } else {
    Recreate(w, h, pf32bit, bmDIB, nullptr, nullptr);
    size_t row = static_cast<size_t>(w) * sizeof(uint32_t);
    for (int y = 0; y < h; ++y)
      std::memcpy(ScanLine(y), px.data() + static_cast<size_t>(y) * w, row);
    if (format == pf24bit) SetPixelFormat(pf24bit);
  }
  GdiFlush();
  Changed();
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  if (Empty()) return {};
  auto* self = const_cast<TBitmap*>(this);
  int bpp = (bits_ && pixel_format_ != pfCustom && pixel_format_ != pfDevice) ? BitCount() : 32;
  if (pixel_format_ == pf15bit || pixel_format_ == pf16bit) bpp = 24;  // written as 24-bit
  TInfoWithColors bi{};
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

}  // namespace kiv
