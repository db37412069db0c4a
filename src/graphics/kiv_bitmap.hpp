#pragma once
// TkivBitmap: the library's 32-bit, top-down off-screen surface. Its pixel
// memory is directly addressable and, on Windows, is a DIB section selected
// into a memory device context of its own, so pixel routines and GDI drawing
// work on the same pixels. Natively the memory is plain aligned memory and the
// device context is a token that only identifies the surface.
//
// Drawing honours the source's flags: AlphaBlend composes by per-pixel alpha,
// else Transparent leaves KeyPixel pixels out, else pixels are copied.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/classes.hpp"
#include "framework/types.hpp"
#include "graphics/kiv_kernels.hpp"

namespace kiv {

class TkivBitmapLink;
class TStream;

// Conversions to and from the framework's graphics and drawing on its canvas
// are Windows only: graphics/kiv_bitmap_win32.hpp.

// Opaque platform handles: HBITMAP and HDC on Windows.
using TkivHandle = void*;
using TkivDC = void*;

// Largest pixel memory a surface may ask for; bigger sizes raise "Can't
// allocate the DIB handle" without attempting the allocation.
inline constexpr uint64_t kMaxSurfaceBytes = uint64_t{1} << 30;

class TkivBitmap : public TPersistent {
  KIV_CLASS(TkivBitmap, TPersistent)

 public:
  TkivBitmap();
  ~TkivBitmap() override;
  TkivBitmap(const TkivBitmap&) = delete;
  TkivBitmap& operator=(const TkivBitmap&) = delete;

  // Lifecycle and geometry.
  void SetSize(int32_t w, int32_t h);
  bool IsEmpty() const { return handle_ == nullptr; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  TkivPixel* Bits() const { return bits_; }
  TkivHandle Handle() const { return handle_; }
  TkivDC DC() const { return dc_; }

  const std::string& Name() const { return name_; }
  void SetName(std::string value) { name_ = std::move(value); }
  bool AlphaBlend() const { return alpha_blend_; }
  void SetAlphaBlend(bool value) { alpha_blend_ = value; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { transparent_ = value; }

  // Pixel access. ScanLine and PixelPtr do no range checks.
  TkivPixel* ScanLine(int32_t y) const { return bits_ + int64_t{y} * width_; }
  TkivPixel* PixelPtr(int32_t x, int32_t y) const { return ScanLine(y) + x; }
  TkivPixel GetPixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, TkivPixel value);

  // Whole-surface operations.
  void Fill(TkivPixel value);
  void SetAlpha(uint8_t alpha);
  void SetAlphaRect(uint8_t alpha, TRect rect);
  void DetectAlpha();
  void SetTransparentColor(TkivPixel value);  // value as 0x00RRGGBB
  void FlipVertical();
  void ChangeBrightness(int16_t amount);
  void ChangeHue(int32_t amount);
  TkivBitmapLink* CreateLink(TRect rect) const;  // the caller owns the link

  // From another surface: its size, pixels, Name and both flags. Other
  // sources raise the framework's assignment error.
  void Assign(const TPersistent* source) override;

  // Stream format: name length, name, width, height (negative: rows stored
  // bottom to top), pixels. All integers 32-bit little-endian.
  void SaveToStream(TStream& stream) const;
  void LoadFromStream(TStream& stream);

  // A bitmap resource of a module loaded as a data file, read into a
  // framework bitmap and assigned from it; nothing when the module or the
  // resource is missing. 32-bit resources keep their alpha (AlphaBlend as
  // DetectAlpha finds); others become opaque.
  void LoadFromModuleResource(const std::string& module_file, const std::string& resource_name);
  // A packed 32-bit DIB (info header, optional colour masks, pixels): size and
  // pixels with their alpha, then DetectAlpha. Name and Transparent are kept.
  // Raises EInvalidGraphic "Bitmap image is not valid" for anything else or
  // for data shorter than its header says.
  void LoadFromPackedDib32(const uint8_t* data, size_t size);

  // Surface to surface.
  void DrawTo(TkivBitmap& target, int32_t x, int32_t y) const;
  void DrawTo(TkivBitmap& target, int32_t x, int32_t y, TRect src) const;
  void DrawTo(TkivBitmap& target, TRect dst, TRect src) const;

  // Onto a device context: a surface's DC, a 32-bit bottom-up DIB selected in
  // a memory DC (pixels written directly), or anything else through GDI.
  void Draw(TkivDC dc, int32_t x, int32_t y) const;
  void Draw(TkivDC dc, int32_t x, int32_t y, TRect src) const;
  void Draw(TkivDC dc, TRect dst, TRect src) const;
  void Tile(TkivDC dc, TRect dst, TRect src) const;
  void TileClipped(TkivDC dc, TRect dst, TRect src, TRect clip) const;
  // An object that has a device context (a framework canvas, a surface) is
  // not one: without these its pointer would convert to TkivDC silently. The
  // canvas forms are in kiv_bitmap_win32.hpp.
  template <class T, class... A>
  requires requires(T* t) { t->Handle(); }
  void Draw(T* has_dc, A... args) const = delete;
  template <class T, class... A>
  requires requires(T* t) { t->Handle(); }
  void Tile(T* has_dc, A... args) const = delete;
  template <class T, class... A>
  requires requires(T* t) { t->Handle(); }
  void TileClipped(T* has_dc, A... args) const = delete;

  // Puts source's src rectangle behind this surface's pixels at (x, y).
  void MergeBehind(const TkivBitmap& source, int32_t x, int32_t y, TRect src);
  // Fills rect with value; on AlphaBlend surfaces value is blended by its alpha.
  void FillRect(TRect rect, TkivPixel value);

  TRect BoundsRect() const { return TRect{0, 0, width_, height_}; }

 private:
  void ReleaseMemory();

  TkivPixel* bits_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::string name_;
  TkivHandle handle_ = nullptr;
  TkivDC dc_ = nullptr;
  bool alpha_blend_ = false;
  bool transparent_ = false;
};

// Every surface that currently owns a device context.
const std::vector<TkivBitmap*>& BitmapRegistry();
// The first listed surface whose DC is dc, or nil.
TkivBitmap* FindBitmapByDC(TkivDC dc);

// A run of rows to draw into: a surface (top-down) or a bottom-up DIB.
struct TkivPixelView {
  TkivPixel* bits = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  bool bottom_up = false;
  TkivPixel* Row(int32_t y) const { return bits + int64_t{bottom_up ? height - 1 - y : y} * width; }
};

// The surface-to-surface drawing core, also used for the direct DIB route:
// truncating column and row maps onto surfaces, rounding ones onto DIBs.
void DrawSurfaceInto(const TkivBitmap& source, const TkivPixelView& target, TRect dst, TRect src,
                     bool round_maps);

// Platform seam of the device-context routes (kiv_bitmap_dc_win32.cpp, with a
// portable twin that knows surfaces only).
struct TkivDrawTarget {
  enum Kind { kNone, kSurface, kDirectDib, kGdi } kind = kNone;
  TkivBitmap* surface = nullptr;
  TkivPixelView dib;  // bottom-up 32-bit DIB for kDirectDib
  TPoint origin;      // the device context's window origin
  TRect visible;      // in the DC's coordinates: what drawing can reach
};
TkivDrawTarget ClassifyDrawTarget(TkivDC dc);
void DrawThroughGdi(const TkivBitmap& source, TkivDC dc, TRect dst, TRect src);

}  // namespace kiv
