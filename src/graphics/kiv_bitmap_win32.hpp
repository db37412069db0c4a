#pragma once
// TkivBitmap and the framework's graphics (Windows only): assignment from
// framework bitmaps, other graphics and pictures, assignment into bitmaps,
// pictures and the clipboard, and the drawing forms that take a framework
// canvas. Defined in kiv_bitmap_framework_win32.cpp.
#include <cstdint>

#include "framework/types.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

class TBitmap;
class TCanvas;
class TClipboard;
class TGraphic;
class TPicture;

// From framework graphics; Name and both flags are kept. A 32-bit
// device-independent bitmap gives its pixels with their alpha (AlphaBlend as
// DetectAlpha finds); any other bitmap is copied through GDI and any other
// graphic drawn with DrawGraphic, both made opaque. A picture is read through
// its graphic, a bitmap of any format like the GDI case. A nil source raises
// the framework's assignment error.
void Assign(TkivBitmap& bitmap, const TGraphic* source);
void Assign(TkivBitmap& bitmap, const TPicture* source);
// Lets graphic draw itself stretched into rect over a magenta background and
// takes every pixel it changed; the rest keeps its value.
void DrawGraphic(TkivBitmap& bitmap, TGraphic* graphic, TRect rect);
// Into a framework bitmap: 32-bit, the surface's size, the surface drawn at
// (0, 0). A picture receives it as its bitmap; the clipboard as a copy.
void AssignTo(const TkivBitmap& bitmap, TBitmap* dest);
void AssignTo(const TkivBitmap& bitmap, TPicture* dest);
void AssignTo(const TkivBitmap& bitmap, TClipboard* dest);

// The surface's device-context routes on a framework canvas's handle; the
// form with dst alone stretches the whole surface into it.
void Draw(const TkivBitmap& bitmap, TCanvas* canvas, int32_t x, int32_t y);
void Draw(const TkivBitmap& bitmap, TCanvas* canvas, int32_t x, int32_t y, TRect src);
void Draw(const TkivBitmap& bitmap, TCanvas* canvas, TRect dst, TRect src);
void Draw(const TkivBitmap& bitmap, TCanvas* canvas, TRect dst);
void Tile(const TkivBitmap& bitmap, TCanvas* canvas, TRect dst, TRect src);
void TileClipped(const TkivBitmap& bitmap, TCanvas* canvas, TRect dst, TRect src, TRect clip);

}  // namespace kiv
