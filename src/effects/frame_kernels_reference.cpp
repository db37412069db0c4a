// The scalar reference frame kernels: the results every vector level
// reproduces bit for bit.
#include "effects/frame_kernels_levels.hpp"

namespace kiv::frame_kernels {

void MaskRowRef(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source, TkivPixel* work,
                int n) {
  for (int i = 0; i < n; ++i) {
    const TkivPixel c = target[i] & 0x00FFFFFFu;
    const TkivPixel t = c == kKey ? c : c | static_cast<TkivPixel>(alpha[i]) << 24;
    target[i] = t;
    work[i] = BlendOne(t, source[i]);
  }
}

void LevelRowRef(TkivPixel* target, uint8_t level, const TkivPixel* source, TkivPixel* work,
                 int n) {
  const TkivPixel a = static_cast<TkivPixel>(level) << 24;
  for (int i = 0; i < n; ++i) {
    const TkivPixel c = target[i] & 0x00FFFFFFu;
    const TkivPixel t = c == kKey ? c : c | a;
    target[i] = t;
    work[i] = BlendOne(t, source[i]);
  }
}

void CopyShownRef(const TkivPixel* src, TkivPixel* dst, int n) {
  for (int i = 0; i < n; ++i)
    if (Shows(src[i])) dst[i] = src[i];
}

void SelectShownRef(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int n) {
  for (int i = 0; i < n; ++i) dst[i] = Shows(src[i]) ? src[i] : old[i];
}

void HideKeysRef(TkivPixel* px, int n) {
  for (int i = 0; i < n; ++i)
    if ((px[i] & 0x00FFFFFFu) == kKey) px[i] = kKey;
}

void BlendRowRef(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int n) {
  for (int i = 0; i < n; ++i) dst[i] = BlendOne(fg[i], bg[i]);
}

void SpreadRef(const int32_t* column, const uint8_t* row, uint8_t* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = row[column[i]];
}

const TkivFrameKernelSet ReferenceSet = {MaskRowRef,  MaskRowRef,   LevelRowRef,
                                         LevelRowRef, CopyShownRef, SelectShownRef,
                                         BlendRowRef, HideKeysRef,  nullptr};

}  // namespace kiv::frame_kernels
