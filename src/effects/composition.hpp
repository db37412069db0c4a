#pragma once
// Composing one frame of a transition: the new picture (target) is laid over
// the old one (source) into the work surface by the effect's kind and the
// progress 0..100. ComposeEffectFrame is the one entry: it reads the old
// picture row by row where the kind has a one-pass form for the surfaces at
// hand, and otherwise draws it into work first and runs the kind's steps.
#include <cstdint>
#include <vector>

#include "effects/animation_rec.hpp"
#include "effects/catalogue.hpp"
#include "effects/frame_kernels.hpp"
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

// The widening of mask rows to pixel rows, planned for one geometry.
struct TkivMaskPlan {
  int Width = -1, Cols = -1;
  int64_t TileWidth = -1;
  bool Identity = false;  // pixel x takes cell x: no widening
  TkivMaskSpread Spread;
  std::vector<uint8_t> AlphaRow;  // one widened row
};

// Neighbouring cells of one grid row shown as one piece: cells i0..i1, the
// pixel shift to the target columns, the target cell row and the opacity.
struct TkivCellRun {
  int i0, i1, shift, sv;
  uint8_t op;
};

// What the frames of one animation carry from one to the next, so that a
// frame plans and allocates nothing again once the sizes are known. Owned by
// the animation's slot (or by whoever composes frames directly).
struct TkivFrameScratch {
  TkivMaskPlan Mask;
  std::vector<std::vector<TkivCellRun>> CellRuns;  // per grid row
  // A one-pass manual frame has given every key pixel of the target alpha 0.
  bool TargetKeysHidden = false;
};

// Whether ComposeEffectFrame reads the old picture row by row for this
// effect (nil: the bitmap animation, which never does) and these surfaces:
// a plain source of work's size, and for the mask and manual kinds a target
// of that size too; the manual kind only for the effects marked fpSlide or
// fpPush.
bool ComposesFromOldPicture(const TkivProcItem* effect, const TkivBitmap& source,
                            const TkivBitmap& work, const TkivBitmap& target);

// One frame of the effect (nil: the bitmap animation) from the old picture in
// source: the same pixels as drawing source into work and then composing.
void ComposeEffectFrame(const TkivProcItem* effect, const TkivBitmap& source, TkivBitmap& work,
                        TkivBitmap& target, const TkivAnimationRec& rec, const TkivFrameGrid& grid,
                        uint8_t progress, TkivFrameScratch& scratch);

// The kinds' steps. Those without `source` find the old picture in work;
// those with it need ComposesFromOldPicture to hold.

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
// the blend in one pass. fpUniformMask takes the mask's one value without
// running the generator.
void ComposeMaskFrameFrom(const TkivBitmap& source, TkivBitmap& work, TkivBitmap& target,
                          const TkivAnimationRec& rec, TkivMaskProc proc, const TkivFrameGrid& grid,
                          uint8_t progress, TkivFrameScratch& scratch, TkivFastPath fast = fpNone);

// Mask of the pattern kind from the generated (or pattern) mask: the final
// steps shared by the mask kind and the bitmap animation.
void LayMaskOverTarget(TkivBitmap& target, const TkivAnimationRec& rec, const TkivFrameGrid& grid);

// Displacement kind: moves grid cells of Target into Work. With `source`
// (plain, sized like Work) each row of the old picture is copied into Work
// just before that row is composed, which equals drawing it all first.
// fpInterlaceRows takes the runs from the progress without the cell table.
void ComposeCellFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                      TkivCellProc proc, const TkivFrameGrid& grid, uint8_t progress,
                      TkivFrameScratch& scratch, const TkivBitmap* source = nullptr,
                      TkivFastPath fast = fpNone);

// Manual kind: the procedure draws Target into Work itself.
void ComposeManualFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                        TkivManualProc proc, uint8_t progress);

// The built-in manual effects (fpSlide, fpPush) in one pass from the old
// picture, equal to drawing source into work and running the procedure. With
// `keys_hidden` the target's key pixels were given alpha 0 by an earlier
// frame of the same animation, so only the part this frame shows is done
// again (a frame then reads no more of the new picture than it shows).
void ComposeManualFrameFrom(const TkivBitmap& source, TkivBitmap& work, TkivBitmap& target,
                            const TkivAnimationRec& rec, TkivFastPath fast, uint8_t progress,
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
