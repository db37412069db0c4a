// The scalar reference kernels, the processor test and the kernel table.
#include "graphics/kiv_kernels.hpp"

#include <cpuid.h>

#include <cstdlib>
#include <cstring>

namespace kiv {

namespace reference {

TkivPixel BlendPixelInteger(TkivPixel fg, TkivPixel bg) {
  if (fg >= 0xFF000000u) return fg;
  const uint32_t a = fg >> 24;
  if (a == 0) return bg;
  const uint32_t na = 255 - a;
  // Red and blue share one product: no channel's sum exceeds 16 bits.
  const uint32_t rb = ((fg & 0x00FF00FFu) * a + (bg & 0x00FF00FFu) * na) >> 8;
  const uint32_t g = ((fg & 0x0000FF00u) * a + (bg & 0x0000FF00u) * na) >> 8;
  return 0xFF000000u | (rb & 0x00FF00FFu) | (g & 0x0000FF00u);
}

TkivPixel BlendPixelMMX(TkivPixel fg, TkivPixel bg) {
  const uint32_t a = fg >> 24;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t f = (fg >> shift) & 0xFF;
    const uint32_t b = (bg >> shift) & 0xFF;
    uint32_t v = (b * (256 - a) + f * a) >> 8;  // at most 255: never saturates
    out |= v << shift;
  }
  return out;
}

void BlendPixelsInteger(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const TkivPixel s = src[i];
    if (s < 0x01000000u) continue;
    dst[i] = s >= 0xFF000000u ? s : BlendPixelInteger(s, dst[i]);
  }
}

void BlendPixelsMMX(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const TkivPixel s = src[i];
    if (s < 0x01000000u) continue;
    dst[i] = s >= 0xFF000000u ? s : BlendPixelMMX(s, dst[i]);
  }
}

void KeyCopyPixels(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const TkivPixel s = src[i];
    if ((s & 0x00FFFFFFu) != KeyPixel) dst[i] = s | 0xFF000000u;
  }
}

void CopyPixels(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  // Overlapping runs copy as if through a buffer, so drawing a surface onto
  // itself never smears pixels along the run.
  if (count <= 0 || src == dst) return;
  std::memmove(dst, src, static_cast<size_t>(count) * sizeof(TkivPixel));
}

void FillPixels(TkivPixel* dst, int32_t count, TkivPixel value) {
  for (int32_t i = 0; i < count; ++i) dst[i] = value;
}

void SetAlphaPixels(TkivPixel* dst, int32_t count, uint8_t alpha) {
  const uint32_t a = static_cast<uint32_t>(alpha) << 24;
  for (int32_t i = 0; i < count; ++i) dst[i] = (dst[i] & 0x00FFFFFFu) | a;
}

void GatherPixels(const TkivPixel* row, int32_t row_width, const int32_t* columns, TkivPixel* dst,
                  int32_t count) {
  for (int32_t i = 0; i < count; ++i) dst[i] = row[columns[i]];
}

}  // namespace reference

namespace {

template <void (*Fill)(TkivPixel*, int32_t, TkivPixel)>
void FillBlockOf(TkivPixel* bits, int32_t stride, TkivPixel value, int32_t left, int32_t top,
                 int32_t right, int32_t bottom) {
  if (right < left || bottom < top) return;
  const int64_t w = int64_t{right} - left + 1;
  TkivPixel* row = bits + int64_t{top} * stride + left;
  for (int32_t y = top; y <= bottom; ++y, row += stride) Fill(row, static_cast<int32_t>(w), value);
}

template <void (*SetAlpha)(TkivPixel*, int32_t, uint8_t)>
void SetAlphaBlockOf(TkivPixel* bits, int32_t stride, uint8_t alpha, int32_t left, int32_t top,
                     int32_t right, int32_t bottom) {
  if (right < left || bottom < top) return;
  const int64_t w = int64_t{right} - left + 1;
  TkivPixel* row = bits + int64_t{top} * stride + left;
  for (int32_t y = top; y <= bottom; ++y, row += stride)
    SetAlpha(row, static_cast<int32_t>(w), alpha);
}

constexpr TkivKernelTable kReferenceMMX = {
    reference::BlendPixelMMX,  reference::BlendPixelsMMX,
    reference::KeyCopyPixels,  reference::CopyPixels,
    reference::FillPixels,     FillBlockOf<reference::FillPixels>,
    reference::SetAlphaPixels, SetAlphaBlockOf<reference::SetAlphaPixels>,
    reference::GatherPixels,
};

bool g_force_reference = false;

// CPUID exists when bit 21 (ID) of the flags register can be toggled.
bool CpuidPresent() {
#if defined(__x86_64__)
  uint64_t before, after;
  __asm__ volatile(
      "pushfq\n\t"
      "pushfq\n\t"
      "popq %0\n\t"
      "movq %0, %1\n\t"
      "xorq $0x200000, %1\n\t"
      "pushq %1\n\t"
      "popfq\n\t"
      "pushfq\n\t"
      "popq %1\n\t"
      "popfq\n\t"
      : "=&r"(before), "=&r"(after)
      :
      : "cc");
  return ((before ^ after) & 0x200000) != 0;
#else
  return false;
#endif
}

}  // namespace

bool DetectMMX() {
  if (!CpuidPresent()) return false;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
  const unsigned family = (eax >> 8) & 0xF;
  return family >= 5 && (edx & (1u << 23)) != 0;
}

TkivSimdLevel DetectSimdLevel() {
  // SSE2 is part of every x86-64 processor.
  if (simd::CpuHasAVX512()) return TkivSimdLevel::AVX512;
  return simd::CpuHasAVX2() ? TkivSimdLevel::AVX2 : TkivSimdLevel::SSE2;
}

TkivKernelTable MakeKernelTable(TkivBlendVersion version, TkivSimdLevel level) {
  if (level == TkivSimdLevel::AVX512 && !simd::CpuHasAVX512()) level = TkivSimdLevel::AVX2;
  if (level == TkivSimdLevel::AVX2 && !simd::CpuHasAVX2()) level = TkivSimdLevel::SSE2;
  TkivKernelTable t = kReferenceMMX;
  switch (level) {
    case TkivSimdLevel::Reference:
      break;
    case TkivSimdLevel::SSE2:
      t.BlendPixels = simd::BlendPixelsSSE2;
      t.KeyCopyPixels = simd::KeyCopyPixelsSSE2;
      t.FillPixels = simd::FillPixelsSSE2;
      t.FillBlock = FillBlockOf<simd::FillPixelsSSE2>;
      t.SetAlphaPixels = simd::SetAlphaPixelsSSE2;
      t.SetAlphaBlock = SetAlphaBlockOf<simd::SetAlphaPixelsSSE2>;
      break;
    case TkivSimdLevel::AVX2:
    case TkivSimdLevel::AVX512:
      t.BlendPixels = simd::BlendPixelsAVX2;
      t.KeyCopyPixels = simd::KeyCopyPixelsAVX2;
      t.FillPixels = simd::FillPixelsAVX2;
      t.FillBlock = FillBlockOf<simd::FillPixelsAVX2>;
      t.SetAlphaPixels = simd::SetAlphaPixelsAVX2;
      t.SetAlphaBlock = SetAlphaBlockOf<simd::SetAlphaPixelsAVX2>;
      t.GatherPixels = simd::GatherPixelsAVX2;
      if (level == TkivSimdLevel::AVX512) {
        t.BlendPixels = simd::BlendPixelsAVX512;
        t.KeyCopyPixels = simd::KeyCopyPixelsAVX512;
        t.CopyPixels = simd::CopyPixelsAVX512;
        t.GatherPixels = simd::GatherPixelsAVX512;
      }
      break;
  }
  if (version == TkivBlendVersion::Integer) {
    t.BlendPixel = reference::BlendPixelInteger;
    t.BlendPixels = reference::BlendPixelsInteger;
  }
  return t;
}

void InstallKernels(TkivBlendVersion version, TkivSimdLevel level) {
  Kernels = MakeKernelTable(version, level);
}

void InstallDefaultKernels() {
  const TkivBlendVersion version = HasMMX ? TkivBlendVersion::MMX : TkivBlendVersion::Integer;
  InstallKernels(version, g_force_reference ? TkivSimdLevel::Reference : DetectSimdLevel());
}

void ForceReferenceKernels(bool force) {
  g_force_reference = force;
  InstallDefaultKernels();
}

// Constant-initialised, then completed by the start-up below; the order of the
// two definitions in this file fixes the order of their dynamic initialisation.
TkivKernelTable Kernels = kReferenceMMX;
bool HasMMX = DetectMMX();

namespace {
struct KernelStartup {
  KernelStartup() {
    // KIV_REFERENCE_KERNELS=1 forces the scalar kernels for a whole run.
    const char* env = std::getenv("KIV_REFERENCE_KERNELS");
    g_force_reference = env != nullptr && env[0] == '1';
    InstallDefaultKernels();
  }
} g_kernel_startup;
}  // namespace

}  // namespace kiv
