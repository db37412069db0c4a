// The kernel table: its assembly per SIMD level, its place in the level
// switch, and the processor test for the MMX formulas.
#include "graphics/kiv_kernels.hpp"

#include <cpuid.h>

namespace kiv {

namespace {

// The inclusive block through a row kernel that sets every pixel of a run
// from `value` (a fill colour or an alpha).
template <class V, void (*Row)(TkivPixel*, int32_t, V)>
void BlockOf(TkivPixel* bits, int32_t stride, V value, int32_t left, int32_t top, int32_t right,
             int32_t bottom) {
  if (right < left || bottom < top) return;
  const int64_t w = int64_t{right} - left + 1;
  TkivPixel* row = bits + int64_t{top} * stride + left;
  for (int32_t y = top; y <= bottom; ++y, row += stride) Row(row, static_cast<int32_t>(w), value);
}
template <void (*Fill)(TkivPixel*, int32_t, TkivPixel)>
constexpr auto FillBlockOf = BlockOf<TkivPixel, Fill>;
template <void (*SetAlpha)(TkivPixel*, int32_t, uint8_t)>
constexpr auto SetAlphaBlockOf = BlockOf<uint8_t, SetAlpha>;

constexpr TkivKernelTable kReferenceMMX = {
    reference::BlendPixelMMX,  reference::BlendPixelsMMX,
    reference::KeyCopyPixels,  reference::CopyPixels,
    reference::FillPixels,     FillBlockOf<reference::FillPixels>,
    reference::SetAlphaPixels, SetAlphaBlockOf<reference::SetAlphaPixels>,
    reference::GatherPixels,
};

// The row kernels a level brings, with the block forms built on them.
template <auto Blend, auto KeyCopy, auto Fill, auto SetAlpha>
void UseRowKernels(TkivKernelTable& t) {
  t.BlendPixels = Blend;
  t.KeyCopyPixels = KeyCopy;
  t.FillPixels = Fill;
  t.FillBlock = FillBlockOf<Fill>;
  t.SetAlphaPixels = SetAlpha;
  t.SetAlphaBlock = SetAlphaBlockOf<SetAlpha>;
}

TkivBlendVersion g_version = TkivBlendVersion::MMX;

void InstallLevel(TkivSimdLevel level) {
  Kernels = MakeKernelTable(g_version, level);
}

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

// Each level keeps the kernels of the level below that it has no faster form
// of: SSE2 has no copy or gather of its own, AVX-512 no fill or alpha setter.
TkivKernelTable MakeKernelTable(TkivBlendVersion version, TkivSimdLevel level) {
  level = RunnableSimdLevel(level);
  TkivKernelTable t = kReferenceMMX;
  if (level >= TkivSimdLevel::SSE2)
    UseRowKernels<simd::BlendPixelsSSE2, simd::KeyCopyPixelsSSE2, simd::FillPixelsSSE2,
                  simd::SetAlphaPixelsSSE2>(t);
  if (level >= TkivSimdLevel::AVX2) {
    UseRowKernels<simd::BlendPixelsAVX2, simd::KeyCopyPixelsAVX2, simd::FillPixelsAVX2,
                  simd::SetAlphaPixelsAVX2>(t);
    t.GatherPixels = simd::GatherPixelsAVX2;
  }
  if (level >= TkivSimdLevel::AVX512) {
    t.BlendPixels = simd::BlendPixelsAVX512;
    t.KeyCopyPixels = simd::KeyCopyPixelsAVX512;
    t.CopyPixels = simd::CopyPixelsAVX512;
    t.GatherPixels = simd::GatherPixelsAVX512;
  }
  if (version == TkivBlendVersion::Integer) {
    t.BlendPixel = reference::BlendPixelInteger;
    t.BlendPixels = reference::BlendPixelsInteger;
  }
  return t;
}

void InstallKernels(TkivBlendVersion version) {
  g_version = version;
  InstallLevel(ActiveSimdLevel());
}

void InstallDefaultKernels() {
  InstallKernels(HasMMX ? TkivBlendVersion::MMX : TkivBlendVersion::Integer);
}

TkivScopedKernels::TkivScopedKernels(TkivBlendVersion version) : previous_(g_version) {
  InstallKernels(version);
}

TkivScopedKernels::~TkivScopedKernels() {
  InstallKernels(previous_);
}

// Constant-initialised, then completed by the start-up below; the order of the
// definitions in this file fixes the order of their dynamic initialisation.
TkivKernelTable Kernels = kReferenceMMX;
bool HasMMX = DetectMMX();

namespace {
struct KernelStartup {
  KernelStartup() {
    g_version = HasMMX ? TkivBlendVersion::MMX : TkivBlendVersion::Integer;
    RegisterKernelTable(InstallLevel);
  }
} g_kernel_startup;
}  // namespace

}  // namespace kiv
