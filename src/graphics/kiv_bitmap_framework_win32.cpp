// TkivBitmap and the framework's graphics: assignment from framework bitmaps,
// other graphics and pictures, assignment into bitmaps, pictures and the
// clipboard, and the drawing forms that take a framework canvas.
#include <windows.h>

#include <cstring>

#include "framework/win32/graphics.hpp"
#include "graphics/kiv_bitmap.hpp"

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
  self.DrawGraphic(source, self.BoundsRect());
  self.SetAlpha(255);
}

void TkivBitmap::Assign(const TGraphic* from) {
  if (from == nullptr) {
    TPersistent::Assign(nullptr);  // the framework's error for a nil source
    return;
  }
  auto* source = const_cast<TGraphic*>(from);
  auto* bitmap = dynamic_cast<TBitmap*>(source);
  if (bitmap == nullptr) {
    AssignByDrawing(*this, source);
    return;
  }
  if (!IsDib32(*bitmap)) {
    AssignThroughGdi(*this, *bitmap);
    return;
  }
  // 32-bit device-independent: scan line y is row y, alpha included. Rows
  // are copied only when the sizes agree (an empty source leaves the size).
  SetSize(bitmap->Width(), bitmap->Height());
  if (!IsEmpty() && bitmap->Width() == width_ && bitmap->Height() == height_) {
    for (int32_t y = 0; y < height_; ++y)
      std::memcpy(ScanLine(y), bitmap->ScanLine(y), static_cast<size_t>(width_) * 4);
  }
  DetectAlpha();
}

void TkivBitmap::Assign(const TPicture* from) {
  if (from == nullptr) {
    TPersistent::Assign(nullptr);
    return;
  }
  TGraphic* graphic = from->Graphic();
  if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
    AssignThroughGdi(*this, *bitmap);  // whatever its pixel format
  } else {
    AssignByDrawing(*this, graphic);
  }
}

void TkivBitmap::DrawGraphic(TGraphic* graphic, TRect rect) {
  if (IsEmpty()) return;
  TBitmap temp;
  temp.SetPixelFormat(pf32bit);
  temp.SetSize(width_, height_);
  TCanvas* canvas = temp.Canvas();
  canvas->Brush()->SetColor(0xFF00FF);  // TColor 0x00BBGGRR: magenta
  canvas->Pen()->SetColor(0xFF00FF);
  canvas->Rectangle(TRect{-1, -1, width_ + 1, height_ + 1});
  canvas->StretchDraw(rect, graphic);
  for (int32_t y = 0; y < height_; ++y) {
    const auto* row = static_cast<const TkivPixel*>(temp.ScanLine(y));  // flushes GDI
    for (int32_t x = 0; x < width_; ++x)
      if ((row[x] & 0x00FFFFFF) != kMagenta) SetPixel(x, y, row[x]);
  }
}

// The framework's 32-bit bitmaps are bottom-up DIB sections: the surface is
// drawn straight into their rows, as onto another surface, so every flag's
// kernel applies and alpha survives (GDI's key-colour transfer would clear
// it). Rows that are not contiguous fall back to drawing on the canvas.
void TkivBitmap::AssignTo(TBitmap* dest) const {
  if (dest == nullptr) AssignError(nullptr);
  dest->SetPixelFormat(pf32bit);
  dest->SetSize(width_, height_);
  if (!IsEmpty()) {
    if (dest->BytesPerScanLine() == width_ * 4) {
      // The bottom row starts the memory.
      auto* memory = static_cast<TkivPixel*>(dest->ScanLine(height_ - 1));
      const TkivPixelView rows{memory, width_, height_, true};
      DrawSurfaceInto(*this, rows, BoundsRect(), BoundsRect(), false);
    } else {
      Draw(dest->Canvas(), 0, 0);
      GdiFlush();
    }
  }
  dest->Modified();
}

void TkivBitmap::AssignTo(TPicture* dest) const {
  if (dest == nullptr) AssignError(nullptr);
  AssignTo(dest->Bitmap());
}

void TkivBitmap::AssignTo(TClipboard* dest) const {
  if (dest == nullptr) AssignError(nullptr);
  TBitmap temp;
  AssignTo(&temp);
  dest->Assign(&temp);
}

// ---------------------------------------------------------------------------
// Drawing on a canvas: the device-context routes on the canvas's handle.

void TkivBitmap::Draw(TCanvas* canvas, int32_t x, int32_t y) const {
  Draw(canvas->Handle(), x, y);
}

void TkivBitmap::Draw(TCanvas* canvas, int32_t x, int32_t y, TRect src) const {
  Draw(canvas->Handle(), x, y, src);
}

void TkivBitmap::Draw(TCanvas* canvas, TRect dst, TRect src) const {
  Draw(canvas->Handle(), dst, src);
}

void TkivBitmap::Draw(TCanvas* canvas, TRect dst) const {
  Draw(canvas->Handle(), dst, BoundsRect());
}

void TkivBitmap::Tile(TCanvas* canvas, TRect dst, TRect src) const {
  Tile(canvas->Handle(), dst, src);
}

void TkivBitmap::TileClipped(TCanvas* canvas, TRect dst, TRect src, TRect clip) const {
  TileClipped(canvas->Handle(), dst, src, clip);
}

}  // namespace kiv
