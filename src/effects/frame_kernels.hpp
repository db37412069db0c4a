#pragma once
// The inner loops of frame composition that the surface's kernel table has
// no counterpart for: fused rows that read one surface and write another
// (alpha laid and blended in one pass, a blend of two rows into a third, a
// copy of the shown pixels only), and the widening of a mask row into one
// alpha byte per pixel. Their blend is the MMX formula of the kernel table,
// bit for bit (graphics/kiv_blend_simd.hpp). Each has a scalar reference and
// vector variants (one file per level); the level is the one the switch of
// graphics/kiv_simd_level.hpp sets for every kernel table.
#include <cstdint>
#include <vector>

#include "graphics/kiv_kernels.hpp"

namespace kiv {

// One row of a mask frame: each target pixel's alpha becomes alpha[i] (0 for
// key-coloured pixels), and work[i] becomes that pixel blended over
// source[i] (alpha 0 keeps the source, 255 takes the target pixel). Target
// pixels that already hold their new alpha are not written again, and the
// source is not read where a whole block of target pixels is opaque. With
// `stream` the work row is written around the caches where the processor
// allows it: for work surfaces much larger than the caches, whose every line
// would otherwise be read before being overwritten.
void ComposeMaskRow(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source,
                    TkivPixel* work, int count, bool stream = false);

// ComposeMaskRow with every alpha[i] = level (the row of a fade, whose mask
// holds one value everywhere): the same pixels, with no alpha row to read
// and one blend weight for the whole row.
void ComposeLevelRow(TkivPixel* target, uint8_t level, const TkivPixel* source, TkivPixel* work,
                     int count, bool stream = false);

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

// How the cells of a mask row spread over a row of pixels: pixel x takes the
// cell column Column[x]. Neighbouring pixels never step back by a column or
// forward by more than one except where a new tile starts, so most blocks of
// 16 pixels read one window of at most 16 cells; those are widened by one
// byte shuffle each.
class TkivMaskSpread {
 public:
  // Column[x] for the pixels 0 .. columns.size() - 1 of a row.
  void Plan(std::vector<int32_t> columns);
  int Width() const { return static_cast<int>(column_.size()); }
  // out[x] := mask_row[Column[x]] for every pixel x of the row; mask_row
  // holds `cols` cells, each Column[x] < cols.
  void Spread(const uint8_t* mask_row, int cols, uint8_t* out) const;

 private:
  std::vector<int32_t> column_;
  // Per block of 16 pixels: the first cell of its window, or -1 when the
  // block's cells do not fit one window; and the 16 offsets into the window.
  std::vector<int32_t> base_;
  std::vector<uint8_t> offset_;
  mutable std::vector<uint8_t> padded_;  // the mask row with room to read 16 past it
};

// The level whose frame kernels are installed (the switch's active level).
TkivSimdLevel FrameKernelLevel();

}  // namespace kiv
