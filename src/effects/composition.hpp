#pragma once
// Composing one frame of a transition: the work surface already holds the old
// picture; the new picture (target) is laid over it by the effect's kind and
// the progress 0..100.
#include <cstdint>

#include "effects/animation_rec.hpp"
#include "effects/catalogue.hpp"
#include "framework/types.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

// The coarse grid of a running effect and its buffers (those the kind needs).
struct TkivFrameGrid {
  int Cols = 0, Rows = 0;
  uint8_t* Mask = nullptr;
  uint8_t* Mask2 = nullptr;
  TkivCellRec* Cells = nullptr;
};

// Clears the mask and runs the generator: straight into Mask, or into Mask2
// on the turned grid (rows and columns exchanged for the quarter turns) and
// then turned into Mask.
void BuildEffectMask(TkivRotation rotation, TkivMaskProc proc, const TkivFrameGrid& grid,
                     uint8_t progress);

// Grid size for a source extent: extent div resolution div tile count + 1.
int GridExtent(int extent, int resolution, int tile_count);

// Writes the mask, widened from cols x rows cells to the tile rectangle r by
// 16.16 fixed-point steps, into the alpha bytes of the surface inside r.
void ApplyMaskAlpha(TkivBitmap& surface, const uint8_t* mask, int cols, int rows, const TRect& r);

// Mask kind: runs the generator (rotated as the record says), lays the mask
// as Target's alpha over every tile, hides key-coloured pixels and blends
// Target onto Work.
void ComposeMaskFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                      TkivMaskProc proc, const TkivFrameGrid& grid, uint8_t progress);
// The same, with the old picture in source: Work receives the old picture and
// the blend in one pass (equal to drawing source first, then composing).
void ComposeMaskFrameFrom(const TkivBitmap& source, TkivBitmap& work, TkivBitmap& target,
                          const TkivAnimationRec& rec, TkivMaskProc proc, const TkivFrameGrid& grid,
                          uint8_t progress);

// Mask of the pattern kind from the generated (or pattern) mask: the final
// steps shared by the mask kind and the bitmap animation.
void LayMaskOverTarget(TkivBitmap& target, const TkivAnimationRec& rec, const TkivFrameGrid& grid);

// Displacement kind: moves grid cells of Target into Work. With `source`
// (plain, sized like Work) each row of the old picture is copied into Work
// just before that row is composed, which equals drawing it all first.
void ComposeCellFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                      TkivCellProc proc, const TkivFrameGrid& grid, uint8_t progress,
                      const TkivBitmap* source = nullptr);

// Manual kind: the procedure draws Target into Work itself.
void ComposeManualFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                        TkivManualProc proc, uint8_t progress);

// The built-in manual effects (Slide, Push) in one pass from the old picture,
// equal to drawing source into work and running the procedure; false (and
// nothing done) for other procedures or surfaces that differ in size. With
// `keys_hidden` the target's key pixels were given alpha 0 by an earlier
// frame of the same animation, so only the part this frame shows is done
// again (a frame then reads no more of the new picture than it shows).
bool ComposeManualFrameFrom(const TkivBitmap& source, TkivBitmap& work, TkivBitmap& target,
                            const TkivAnimationRec& rec, TkivManualProc proc, uint8_t progress,
                            bool keys_hidden = false);

// Bitmap animation: the pattern of rec.Bitmap() stretched to the grid (rows
// and columns exchanged for the quarter turns), its blue bytes in Mask and Mask2.
void PrepareBitmapPattern(const TkivAnimationRec& rec, const TkivFrameGrid& grid);
void ComposeBitmapFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                        const TkivFrameGrid& grid, uint8_t progress);

// The built-in displacement and manual effects.
void InterlaceEffect(TkivCellRec* cells, int width, int height, uint8_t progress);
void CornerEffect(TkivCellRec* cells, int width, int height, uint8_t progress);
void SlideEffect(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                 uint8_t progress);
void PushEffect(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                uint8_t progress);

}  // namespace kiv
