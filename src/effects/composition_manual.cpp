// The manual kind: the procedure draws the new picture into the frame
// itself; the built-in manual effects (Slide, Push) and their one-pass form
// from the old picture.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "effects/composition.hpp"
#include "effects/composition_steps.hpp"
#include "framework/numeric.hpp"

namespace kiv {

using composition::HideKeyPixels;
using composition::PrefetchPixels;

void ComposeManualFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                        TkivManualProc proc, uint8_t progress) {
  HideKeyPixels(target);
  proc(work, target, rec, progress);
}

namespace {

// Moves the whole picture in s by (dx, dy), as drawing a copy of it there;
// uncovered pixels keep their values.
void ShiftSurface(TkivBitmap& s, int dx, int dy) {
  const int w = s.Width(), h = s.Height();
  if (s.IsEmpty() || (dx == 0 && dy == 0) || dx >= w || -dx >= w || dy >= h || -dy >= h) return;
  const int x0 = std::max(0, dx), n = w - std::abs(dx), from = std::max(0, -dx);
  const size_t bytes = static_cast<size_t>(n) * sizeof(TkivPixel);
  if (dy != 0) {
    // Whole rows move: walk away from the side they move to.
    auto move_row = [&](int y) {
      std::memcpy(s.ScanLine(y) + x0, s.ScanLine(y - dy) + from, bytes);
    };
    if (dy > 0)
      for (int y = h - 1; y >= dy; --y) move_row(y);
    else
      for (int y = 0; y < h + dy; ++y) move_row(y);
    return;
  }
  // Within a row the parts overlap; two forward copies through a row buffer
  // are much faster than a backward overlapping move.
  std::vector<TkivPixel> row(static_cast<size_t>(n));
  for (int y = 0; y < h; ++y) {
    std::memcpy(row.data(), s.ScanLine(y) + from, bytes);
    std::memcpy(s.ScanLine(y) + x0, row.data(), bytes);
  }
}

}  // namespace

void SlideEffect(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec, uint8_t p) {
  const int w = work.Width(), h = work.Height();
  const int ax = MulDiv(w, p, 100), ay = MulDiv(h, p, 100);
  target.SetAlphaBlend(true);
  switch (rec.Rotation()) {
    case qrRotate90:
      target.DrawTo(work, 0, h - ay);
      break;
    case qrRotate180:
      target.DrawTo(work, w - ax, 0);
      break;
    case qrRotate270:
      target.DrawTo(work, 0, ay - h);
      break;
    default:
      target.DrawTo(work, ax - w, 0);
      break;
  }
}

// Slide over the old picture moved the other way.
void PushEffect(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec, uint8_t p) {
  const int w = work.Width(), h = work.Height();
  const int ax = MulDiv(w, p, 100), ay = MulDiv(h, p, 100);
  switch (rec.Rotation()) {
    case qrRotate90:
      ShiftSurface(work, 0, -ay);
      break;
    case qrRotate180:
      ShiftSurface(work, -ax, 0);
      break;
    case qrRotate270:
      ShiftSurface(work, 0, ay);
      break;
    default:
      ShiftSurface(work, ax, 0);
      break;
  }
  SlideEffect(work, target, rec, p);
}

void ComposeManualFrameFrom(const TkivBitmap& source, TkivBitmap& work, TkivBitmap& target,
                            const TkivAnimationRec& rec, TkivFastPath fast, uint8_t p,
                            bool keys_hidden) {
  const bool push = fast == fpPush;
  target.SetAlphaBlend(true);
  const int w = work.Width(), h = work.Height();
  const size_t row_bytes = static_cast<size_t>(w) * sizeof(TkivPixel);
  const TkivRotation rot = rec.Rotation();
  if (rot == qrRotate90 || rot == qrRotate270) {
    if (!keys_hidden) HideKeyPixels(target);
    // Vertical moves: the new picture covers `a` rows at the bottom (90) or
    // top (270); Push moves the old picture's rows the other way.
    const int a = MulDiv(h, p, 100);
    for (int y = 0; y < h; ++y) {
      const bool covered = rot == qrRotate90 ? y >= h - a : y < a;
      const int from = !push               ? y
                       : rot == qrRotate90 ? (y + a < h ? y + a : y)
                                           : (y - a >= 0 ? y - a : y);
      const TkivPixel* old_row = source.ScanLine(push && !covered ? from : y);
      if (covered) {
        const int ty = rot == qrRotate90 ? y - (h - a) : y + (h - a);
        if (keys_hidden) HideKeyPixelsRow(target.ScanLine(ty), w);
        BlendRow(target.ScanLine(ty), source.ScanLine(y), work.ScanLine(y), w);
      } else {
        std::memcpy(work.ScanLine(y), old_row, row_bytes);
      }
    }
    return;
  }
  // Horizontal moves: the new picture covers `a` columns at the left (none)
  // or right (180); Push moves the old picture's columns the other way.
  const int a = MulDiv(w, p, 100);
  const bool from_left = rot != qrRotate180;
  const int cover0 = from_left ? 0 : w - a;   // first covered column
  const int target0 = from_left ? w - a : 0;  // its target column
  const int keep0 = from_left ? a : 0;        // first column not covered
  const int keep_n = w - a;
  const int old0 = !push ? keep0 : from_left ? 0 : a;  // old column shown at keep0
  for (int y = 0; y < h; ++y) {
    if (y + 2 < h) {
      // The parts of a row that are read start at a new place in each row,
      // where the processor's own prefetching needs a while to pick the
      // stream up: they are asked for two rows ahead, into the second level.
      PrefetchPixels(target.ScanLine(y + 2) + target0, a);
      PrefetchPixels(source.ScanLine(y + 2) + old0, keep_n);
    }
    // Each target row is read only by its own work row: its key pixels are
    // hidden just before, while the row is in the cache.
    if (keys_hidden)
      HideKeyPixelsRow(target.ScanLine(y) + target0, a);
    else
      HideKeyPixelsRow(target.ScanLine(y), w);
    const TkivPixel* src = source.ScanLine(y);
    TkivPixel* out = work.ScanLine(y);
    if (keep_n > 0)
      std::memcpy(out + keep0, src + old0, static_cast<size_t>(keep_n) * sizeof(TkivPixel));
    if (a > 0) BlendRow(target.ScanLine(y) + target0, src + cover0, out + cover0, a);
  }
}

}  // namespace kiv
