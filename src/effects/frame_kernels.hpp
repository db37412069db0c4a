#pragma once
// The inner loops of frame composition that the surface's kernel table has
// no counterpart for: fused rows that read one surface and write another
// (alpha laid and blended in one pass, a blend of two rows into a third, a
// copy of the shown pixels only). Their blend is the MMX formula of the
// kernel table, bit for bit. Each has a scalar reference and a vector variant
// picked once at start-up; tests can force the reference.
#include <cstdint>

#include "graphics/kiv_kernels.hpp"

namespace kiv {

// One row of a mask frame: each target pixel's alpha becomes alpha[i] (0 for
// key-coloured pixels), and work[i] becomes that pixel blended over
// source[i] (alpha 0 keeps the source, 255 takes the target pixel).
void ComposeMaskRow(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source,
                    TkivPixel* work, int count);

// Copies the pixels of src that show (alpha not 0, colour not the key) to dst.
void CopyShownPixels(const TkivPixel* src, TkivPixel* dst, int count);

// dst[i] := src[i] where it shows, else old[i]: copying old to dst and then
// the shown pixels of src, with every dst pixel written once.
void SelectShownPixels(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int count);

// dst := fg blended over bg as the kernel table's BlendPixels blends (alpha
// 0 keeps bg, 255 takes fg); dst may be bg.
void BlendRow(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int count);

// Gives every key-coloured pixel (colour bytes 0x7F007F) alpha 0.
void HideKeyPixelsRow(TkivPixel* pixels, int count);

// Forces the scalar reference kernels (true) or the start-up choice (false).
void UseReferenceKernels(bool reference);

}  // namespace kiv
