#pragma once
// TBitmap: the framework bitmap, a GDI bitmap with its own memory device
// context, read from and written to BMP files.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/picture/picture.hpp"
#include "framework/win32/graphic.hpp"

namespace kiv {

enum TPixelFormat {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmapCanvas;

// A bitmap with its own memory device context. Device-independent bitmaps
// (DIB sections, bottom-up: the last row comes first in memory) hold their
// pixels in memory the program can address row by row (ScanLine);
// device-dependent ones live with the display driver.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;

  bool Empty() const override { return width_ == 0 || height_ == 0; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int value) override { SetSize(value, height_); }
  void SetHeight(int value) override { SetSize(width_, value); }
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return pixel_format_; }
  void SetPixelFormat(TPixelFormat value);
  TBitmapHandleType HandleType() const { return handle_type_; }
  void SetHandleType(TBitmapHandleType value);
  HBITMAP Handle() const { return bitmap_; }
  // The colour marking transparent pixels when Transparent is set: the
  // bottom-left pixel's colour unless a fixed colour is given.
  TColor TransparentColor();
  void SetTransparentColor(TColor value) { transparent_color_ = value; }

  TCanvas* Canvas();
  // Row y (0 = top) of a device-independent bitmap; throws for a DDB or a
  // row outside the bitmap.
  void* ScanLine(int y);
  int BytesPerScanLine() const { return stride_; }

  void Draw(TCanvas* canvas, const TRect& r) override;
  void LoadFromBytes(const uint8_t* data, size_t size) override;
  std::vector<uint8_t> SaveToBytes() const override;
  void Assign(const TGraphic& source) override;
  std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TBitmap>(); }
  // Takes ownership of a platform bitmap (the one loaded from a resource).
  void SetHandle(HBITMAP bitmap);
  void LoadFromResourceName(HINSTANCE instance, const wchar_t* name);
  // Call after drawing on Canvas or writing ScanLine rows.
  void Modified() { Changed(); }

 protected:
  // Takes the first frame of a decoded BMP: in the file's pixel format when
  // keep_file_format is set (and the pixels fit it), else as 32 bits.
  void LoadDecoded(const TDecodedPicture& picture, bool keep_file_format);

 private:
  friend class TBitmapCanvas;
  void Recreate(int width, int height, TPixelFormat format, TBitmapHandleType type,
                const BITMAPINFO* info, const void* bits);
  void FreeImage();
  HDC MemoryDC();
  int BitCount() const;
  int width_ = 0, height_ = 0;
  int stride_ = 0;
  TPixelFormat pixel_format_ = pfDevice;
  TBitmapHandleType handle_type_ = bmDIB;
  HBITMAP bitmap_ = nullptr;
  uint8_t* bits_ = nullptr;
  HDC mem_dc_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  TColor transparent_color_ = clDefault;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

}  // namespace kiv
