#pragma once
// GDI objects, the canvas, and the framework's graphics: bitmaps, icons and
// pictures with their registry of file formats. Win32 only.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes.hpp"
#include "framework/colors.hpp"
#include "framework/font.hpp"
#include "framework/streams.hpp"
#include "framework/types.hpp"

namespace kiv {

class TCanvas;

// The colour of a framework colour value on this display: system colours
// (negative values, 0x80000000 | index) resolve through the platform; clNone
// and clDefault have no colour and give black.
COLORREF ColorToRef(TColor color);

// ---------------------------------------------------------------------------
// Pen and brush: values with a change notification and a platform handle made
// on demand; the canvas that selects one lets go of it before it is freed.

// A new platform font for a framework font's values; the caller owns it.
HFONT CreateFontHandle(const TFont& font);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor };
enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

// Shared by TPen and TBrush: owns the platform handle, frees it on change.
class TGraphicsObject {
 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;
  virtual ~TGraphicsObject() { FreeHandle(); }
  std::function<void()> OnChange;
  HGDIOBJ Handle();  // made on first use
  bool HandleAllocated() const { return handle_ != nullptr; }

 protected:
  virtual HGDIOBJ MakeHandle() const = 0;
  // Tells the holder (which deselects the old handle first), then frees it.
  void Changed();
  void FreeHandle();

 private:
  HGDIOBJ handle_ = nullptr;
};

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  int Width() const { return width_; }
  void SetWidth(int value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode value);
  void Assign(const TPen& other);

 protected:
  HGDIOBJ MakeHandle() const override;

 private:
  TColor color_ = 0;  // clBlack
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value);
  void Assign(const TBrush& other);

 protected:
  HGDIOBJ MakeHandle() const override;

 private:
  TColor color_ = 0xFFFFFF;  // clWhite
  TBrushStyle style_ = bsSolid;
};

// ---------------------------------------------------------------------------
// TCanvas: drawing on a device context with the canvas's own font, pen and
// brush, selected into the context before each operation that uses them.

class TGraphic;

class TCanvas {
 public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The device context, made on demand by CreateHandle when none is set.
  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont* Font() { return &font_; }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  TPoint PenPos() const { return pen_pos_; }
  void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }

  // Paint code holding the canvas across a nested paint keeps it from being
  // taken away (a locked control canvas keeps its device context).
  void Lock() { ++lock_count_; }
  void Unlock() { --lock_count_; }
  int LockCount() const { return lock_count_; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(const TRect& r);
  void RoundRect(const TRect& r, int rx, int ry);
  void Ellipse(const TRect& r);
  void FillRect(const TRect& r);   // with Brush, no outline
  void FrameRect(const TRect& r);  // one-pixel outline with Brush's colour
  void Polygon(const std::vector<TPoint>& points);
  void Polyline(const std::vector<TPoint>& points);
  void TextOut(int x, int y, const std::wstring& text);
  void TextRect(const TRect& r, int x, int y, const std::wstring& text);  // clipped to r
  TSize TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
  void DrawFocusRect(const TRect& r);
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
  DWORD CopyMode = SRCCOPY;

  std::function<void()> OnChange;

 protected:
  virtual void CreateHandle() {}
  // Releases what was selected (stock objects back in) before the context goes.
  void DeselectHandles();

 private:
  enum : uint8_t { kFontValid = 1, kPenValid = 2, kBrushValid = 4 };
  void RequireState(uint8_t state);
  HDC dc_ = nullptr;
  uint8_t state_ = 0;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  HFONT font_handle_ = nullptr;
  TPoint pen_pos_;
  int lock_count_ = 0;
};

// ---------------------------------------------------------------------------
// Graphics: anything that can draw itself on a canvas and load from a file.

class TGraphic {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual ~TGraphic() = default;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int) {}
  virtual void SetHeight(int) {}
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  // Draws the graphic into r, stretched to it.
  virtual void Draw(TCanvas* canvas, const TRect& r) = 0;
  virtual void LoadFromBytes(const uint8_t* data, size_t size) = 0;
  virtual std::vector<uint8_t> SaveToBytes() const;
  void LoadFromFile(const std::string& file_name);
  void SaveToFile(const std::string& file_name) const;
  // The rest of the stream from its position (at most 2 GiB).
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  // Makes this graphic a copy of another of the same kind; throws otherwise.
  virtual void Assign(const TGraphic& source);
  // A new graphic of the same class, empty.
  virtual std::unique_ptr<TGraphic> NewEmpty() const = 0;

  // Fired when the graphic's picture changes; an animated graphic fires it for
  // every frame so that whoever shows it repaints.
  std::function<void(TGraphic*)> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }

 private:
  bool transparent_ = false;
};

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

// An icon (the program's own, or one loaded from an .ico file).
class TIcon : public TGraphic {
 public:
  ~TIcon() override;
  bool Empty() const override { return icon_ == nullptr; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  HICON Handle() const { return icon_; }
  void SetHandle(HICON icon);  // takes ownership
  void Draw(TCanvas* canvas, const TRect& r) override;
  void LoadFromBytes(const uint8_t* data, size_t size) override;
  std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<TIcon>(); }

 private:
  HICON icon_ = nullptr;
  int width_ = 0, height_ = 0;
};

// Holds one graphic of any registered kind; LoadFromFile picks the kind by
// the file's extension.
class TPicture {
 public:
  using Factory = std::function<std::unique_ptr<TGraphic>()>;
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // extension without the dot, case-insensitive ("jpg"); a later registration
  // of the same extension replaces the earlier one.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 Factory factory);
  static void UnregisterFileFormat(const std::string& extension);
  static bool SupportsExtension(const std::string& extension);

  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  // Copies the graphic (Assign into a new one of its class); nullptr clears.
  void AssignGraphic(const TGraphic* graphic);
  TBitmap* Bitmap();  // the graphic as a bitmap, replacing any other kind
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  void LoadFromFile(const std::string& file_name);

  std::function<void(TPicture*)> OnChange;

 private:
  void GraphicChanged(TGraphic*) { Changed(); }
  void Changed() {
    if (OnChange) OnChange(this);
  }
  std::unique_ptr<TGraphic> graphic_;
};

// The system clipboard, as far as pictures and text go.
class TClipboard {
 public:
  void Assign(TBitmap* bitmap);  // puts a copy of the bitmap as CF_BITMAP
  bool HasBitmap() const;
  void GetBitmap(TBitmap* into);  // reads CF_BITMAP; throws when there is none
  void SetAsText(const std::wstring& text);
  std::wstring AsText() const;
};
TClipboard* Clipboard();

}  // namespace kiv
