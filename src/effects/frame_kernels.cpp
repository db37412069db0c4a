// The frame kernels in use: the set of the active SIMD level, installed
// through the level switch, and the calls that dispatch to it.
#include "effects/frame_kernels.hpp"

#include <cstring>

#include "effects/frame_kernels_levels.hpp"

namespace kiv {

namespace {

using frame_kernels::TkivFrameKernelSet;

// The reference set until start-up installs the active level's.
const TkivFrameKernelSet* g_active = &frame_kernels::ReferenceSet;
TkivSimdLevel g_level = TkivSimdLevel::Reference;

const TkivFrameKernelSet& SetOf(TkivSimdLevel level) {
  switch (level) {
    case TkivSimdLevel::Reference:
      break;
    case TkivSimdLevel::SSE2:
      return frame_kernels::SSE2Set;
    case TkivSimdLevel::AVX2:
      return frame_kernels::AVX2Set;
    case TkivSimdLevel::AVX512:
      return frame_kernels::AVX512Set;
  }
  return frame_kernels::ReferenceSet;
}

void InstallLevel(TkivSimdLevel level) {
  g_active = &SetOf(level);
  g_level = level;
}

struct FrameKernelStartup {
  FrameKernelStartup() { RegisterKernelTable(InstallLevel); }
} g_frame_kernel_startup;

}  // namespace

TkivSimdLevel FrameKernelLevel() {
  return g_level;
}

void ComposeMaskRow(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source,
                    TkivPixel* work, int count, bool stream) {
  if (count <= 0) return;
  if (stream && (reinterpret_cast<uintptr_t>(work) & 63) == 0)
    g_active->mask_row_stream(target, alpha, source, work, count);
  else
    g_active->mask_row(target, alpha, source, work, count);
}

void ComposeLevelRow(TkivPixel* target, uint8_t level, const TkivPixel* source, TkivPixel* work,
                     int count, bool stream) {
  if (count <= 0) return;
  if (stream && (reinterpret_cast<uintptr_t>(work) & 63) == 0)
    g_active->level_row_stream(target, level, source, work, count);
  else
    g_active->level_row(target, level, source, work, count);
}

void CopyShownPixels(const TkivPixel* src, TkivPixel* dst, int count) {
  if (count > 0) g_active->copy_shown(src, dst, count);
}

void SelectShownPixels(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int count) {
  if (count > 0) g_active->select_shown(src, old, dst, count);
}

void BlendRow(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int count) {
  if (count > 0) g_active->blend_row(fg, bg, dst, count);
}

void HideKeyPixelsRow(TkivPixel* pixels, int count) {
  if (count > 0) g_active->hide_keys(pixels, count);
}

void TkivMaskSpread::Plan(std::vector<int32_t> columns) {
  column_ = std::move(columns);
  const size_t n = column_.size(), blocks = n / 16;
  base_.assign(blocks, -1);
  offset_.assign(blocks * 16, 0);
  for (size_t b = 0; b < blocks; ++b) {
    const int32_t first = column_[16 * b];
    bool fits = true;
    for (size_t k = 0; k < 16 && fits; ++k) {
      const int32_t d = column_[16 * b + k] - first;
      fits = d >= 0 && d < 16;
      if (fits) offset_[16 * b + k] = static_cast<uint8_t>(d);
    }
    if (fits) base_[b] = first;
  }
}

void TkivMaskSpread::Spread(const uint8_t* mask_row, int cols, uint8_t* out) const {
  const int n = Width();
  if (n == 0) return;
  const auto spread_windows = g_active->spread_windows;
  if (spread_windows == nullptr) {
    frame_kernels::SpreadRef(column_.data(), mask_row, out, n);
    return;
  }
  // A window may reach up to 15 cells past the row's end: read them from a
  // copy with room behind it.
  if (padded_.size() < static_cast<size_t>(cols) + 16)
    padded_.assign(static_cast<size_t>(cols) + 16, 0);
  std::memcpy(padded_.data(), mask_row, static_cast<size_t>(cols));
  spread_windows(base_.data(), offset_.data(), column_.data(), padded_.data(), out, n);
}

}  // namespace kiv
