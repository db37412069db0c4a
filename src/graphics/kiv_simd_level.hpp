#pragma once
// The one switch over the SIMD level of every kernel table (the surface's
// pixel kernels, the effects' frame kernels, any later one): a cap read once
// at start-up from KIV_SIMD_LEVEL (reference, sse2, avx2 or avx512; unset or
// unknown: no cap) and changed with SetSimdLevelCap. A table asks for the
// level it runs with through RunnableSimdLevel, which lowers a requested
// level to the cap and to what the processor runs, so forcing the reference
// for a whole run reaches every table.
#include <optional>
#include <string_view>

namespace kiv {

// Ordered: a higher level includes the instructions of the lower ones.
enum class TkivSimdLevel { Reference, SSE2, AVX2, AVX512 };

struct TkivSimdLevelInfo {
  TkivSimdLevel level;
  const char* name;  // as KIV_SIMD_LEVEL spells it
};
inline constexpr TkivSimdLevelInfo SimdLevels[] = {
    {TkivSimdLevel::Reference, "reference"},
    {TkivSimdLevel::SSE2, "sse2"},
    {TkivSimdLevel::AVX2, "avx2"},
    {TkivSimdLevel::AVX512, "avx512"},
};
const char* SimdLevelName(TkivSimdLevel level);
// The level of a name of the table (ASCII case ignored), or nothing.
std::optional<TkivSimdLevel> SimdLevelFromName(std::string_view name);

// The best level this processor runs (SSE2 at least: every x86-64 has it).
TkivSimdLevel DetectSimdLevel();

// The switch. Setting it reinstalls every registered kernel table.
TkivSimdLevel SimdLevelCap();
void SetSimdLevelCap(TkivSimdLevel cap);

// requested, lowered to the cap and to what the processor runs.
TkivSimdLevel RunnableSimdLevel(TkivSimdLevel requested);
// The level the kernel tables run with now: the highest runnable one.
inline TkivSimdLevel ActiveSimdLevel() {
  return RunnableSimdLevel(TkivSimdLevel::AVX512);
}

// A kernel table takes part in the switch by registering the function that
// installs its kernels of a level; it is called at once with the active
// level and again whenever the cap changes.
using TkivKernelInstaller = void (*)(TkivSimdLevel level);
void RegisterKernelTable(TkivKernelInstaller install);

// Lowers the cap to `level` for its lifetime (never raises it, so a cap set
// for the whole run holds) and restores the previous cap when it ends, also
// when a test fails half-way.
class TkivScopedSimdLevel {
 public:
  explicit TkivScopedSimdLevel(TkivSimdLevel level);
  ~TkivScopedSimdLevel();
  TkivScopedSimdLevel(const TkivScopedSimdLevel&) = delete;
  TkivScopedSimdLevel& operator=(const TkivScopedSimdLevel&) = delete;

 private:
  TkivSimdLevel previous_;
};

}  // namespace kiv
