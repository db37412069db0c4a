// TkivBitmap and the framework's graphics: assignment from framework bitmaps,
// other graphics and pictures, assignment into bitmaps, pictures and the
// clipboard, and the drawing forms that take a framework canvas.
#include <windows.h>

#include <cstring>

#include "framework/win32/graphics.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_win32.hpp"

namespace kiv {

namespace {

constexpr TkivPixel kMagenta = 0x00FF00FF;  // red 0xFF, green 0, blue 0xFF

bool IsDib32(const TBitmap& bitmap) {
  return bitmap.PixelFormat() == pf32bit && bitmap.HandleType() == bmDIB;
}

}  // namespace

// Any framework bitmap through GDI: a plain block transfer from its canvas,
// then opaque. An empty source has nothing to transfer (its canvas holds no
// picture), so the surface keeps its pixels and is only made opaque.
static void AssignThroughGdi(TkivBitmap& self, TBitmap& source) {
  self.SetSize(source.Width(), source.Height());
  if (self.IsEmpty()) return;
  if (!source.Empty()) {
    BitBlt(static_cast<HDC>(self.DC()), 0, 0, self.Width(), self.Height(),
           source.Canvas()->Handle(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  self.SetAlpha(255);
}

// Any graphic: drawn stretched over the whole surface, then opaque.
static void AssignByDrawing(TkivBitmap& self, TGraphic* source) {
  const int w = source != nullptr ? source->Width() : 0;
  const int h = source != nullptr ? source->Height() : 0;
  self.SetSize(w, h);
  if (self.IsEmpty()) return;
  DrawGraphic(self, source, self.BoundsRect());
  self.SetAlpha(255);
}

// The framework's error for a nil source or destination; it throws before
// anything of the surface is touched.
[[noreturn]] static void AssignNil(const TkivBitmap& self) {
  const_cast<TkivBitmap&>(self).Assign(static_cast<const TPersistent*>(nullptr));
  throw EInvalidCast("Cannot assign a nil to a TkivBitmap");  // not reached
}

void Assign(TkivBitmap& self, const TGraphic* from) {
  if (from == nullptr) return AssignNil(self);
  auto* source = const_cast<TGraphic*>(from);
  auto* bitmap = dynamic_cast<TBitmap*>(source);
  if (bitmap == nullptr) {
    AssignByDrawing(self, source);
    return;
  }
  if (!IsDib32(*bitmap)) {
    AssignThroughGdi(self, *bitmap);
    return;
  }
  // 32-bit device-independent: scan line y is row y, alpha included. Rows
  // are copied only when the sizes agree (an empty source leaves the size).
  self.SetSize(bitmap->Width(), bitmap->Height());
  const int32_t width = self.Width(), height = self.Height();
  if (!self.IsEmpty() && bitmap->Width() == width && bitmap->Height() == height) {
    for (int32_t y = 0; y < height; ++y)
      std::memcpy(self.ScanLine(y), bitmap->ScanLine(y), static_cast<size_t>(width) * 4);
  }
  self.DetectAlpha();
}

void Assign(TkivBitmap& self, const TPicture* from) {
  if (from == nullptr) return AssignNil(self);
  TGraphic* graphic = from->Graphic();
  if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
    AssignThroughGdi(self, *bitmap);  // whatever its pixel format
  } else {
    AssignByDrawing(self, graphic);
  }
}

void DrawGraphic(TkivBitmap& self, TGraphic* graphic, TRect rect) {
  if (self.IsEmpty()) return;
  const int32_t width = self.Width(), height = self.Height();
  TBitmap temp;
  temp.SetPixelFormat(pf32bit);
  temp.SetSize(width, height);
  TCanvas* canvas = temp.Canvas();
  canvas->Brush()->SetColor(0xFF00FF);  // TColor 0x00BBGGRR: magenta
  canvas->Pen()->SetColor(0xFF00FF);
  canvas->Rectangle(TRect{-1, -1, width + 1, height + 1});
  canvas->StretchDraw(rect, graphic);
  for (int32_t y = 0; y < height; ++y) {
    const auto* row = static_cast<const TkivPixel*>(temp.ScanLine(y));  // flushes GDI
    for (int32_t x = 0; x < width; ++x)
      if ((row[x] & 0x00FFFFFF) != kMagenta) self.SetPixel(x, y, row[x]);
  }
}

// The framework's 32-bit bitmaps are bottom-up DIB sections: the surface is
// drawn straight into their rows, as onto another surface, so every flag's
// kernel applies and alpha survives (GDI's key-colour transfer would clear
// it). Rows that are not contiguous fall back to drawing on the canvas.
void AssignTo(const TkivBitmap& self, TBitmap* dest) {
  if (dest == nullptr) AssignNil(self);
  const int32_t width = self.Width(), height = self.Height();
  dest->SetPixelFormat(pf32bit);
  dest->SetSize(width, height);
  if (!self.IsEmpty()) {
    if (dest->BytesPerScanLine() == width * 4) {
      // The bottom row starts the memory.
      auto* memory = static_cast<TkivPixel*>(dest->ScanLine(height - 1));
      const TkivPixelView rows{memory, width, height, true};
      DrawSurfaceInto(self, rows, self.BoundsRect(), self.BoundsRect(), false);
    } else {
      self.Draw(dest->Canvas()->Handle(), 0, 0);
      GdiFlush();
    }
  }
  dest->Modified();
}

void AssignTo(const TkivBitmap& self, TPicture* dest) {
  if (dest == nullptr) AssignNil(self);
  AssignTo(self, dest->Bitmap());
}

void AssignTo(const TkivBitmap& self, TClipboard* dest) {
  if (dest == nullptr) AssignNil(self);
  TBitmap temp;
  AssignTo(self, &temp);
  dest->Assign(&temp);
}

// ---------------------------------------------------------------------------
// Drawing on a canvas: the device-context routes on the canvas's handle.

void Draw(const TkivBitmap& self, TCanvas* canvas, int32_t x, int32_t y) {
  self.Draw(canvas->Handle(), x, y);
}

void Draw(const TkivBitmap& self, TCanvas* canvas, int32_t x, int32_t y, TRect src) {
  self.Draw(canvas->Handle(), x, y, src);
}

void Draw(const TkivBitmap& self, TCanvas* canvas, TRect dst, TRect src) {
  self.Draw(canvas->Handle(), dst, src);
}

void Draw(const TkivBitmap& self, TCanvas* canvas, TRect dst) {
  self.Draw(canvas->Handle(), dst, self.BoundsRect());
}

void Tile(const TkivBitmap& self, TCanvas* canvas, TRect dst, TRect src) {
  self.Tile(canvas->Handle(), dst, src);
}

void TileClipped(const TkivBitmap& self, TCanvas* canvas, TRect dst, TRect src, TRect clip) {
  self.TileClipped(canvas->Handle(), dst, src, clip);
}

}  // namespace kiv
