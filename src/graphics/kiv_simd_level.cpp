// The SIMD level switch and the processor test behind it.
#include "graphics/kiv_simd_level.hpp"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "framework/text_convert.hpp"

namespace kiv {

namespace {

struct SimdSwitch {
  TkivSimdLevel cap = TkivSimdLevel::AVX512;
  std::vector<TkivKernelInstaller> tables;
};

// Made on first use, which may come from another unit's start-up: the cap is
// read from the environment then, once.
SimdSwitch& Switch() {
  static SimdSwitch s = [] {
    SimdSwitch init;
    if (const char* env = std::getenv("KIV_SIMD_LEVEL"))
      init.cap = SimdLevelFromName(env).value_or(TkivSimdLevel::AVX512);
    return init;
  }();
  return s;
}

bool CpuHasAVX2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}

// AVX-512 with byte and word lanes and all vector lengths (F, BW, VL).
bool CpuHasAVX512() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0 &&
         __builtin_cpu_supports("avx512vl") != 0;
}

}  // namespace

const char* SimdLevelName(TkivSimdLevel level) {
  for (const TkivSimdLevelInfo& info : SimdLevels)
    if (info.level == level) return info.name;
  return "";
}

std::optional<TkivSimdLevel> SimdLevelFromName(std::string_view name) {
  for (const TkivSimdLevelInfo& info : SimdLevels)
    if (SameText(name, info.name)) return info.level;
  return std::nullopt;
}

TkivSimdLevel DetectSimdLevel() {
  static const TkivSimdLevel best = CpuHasAVX512() ? TkivSimdLevel::AVX512
                                    : CpuHasAVX2() ? TkivSimdLevel::AVX2
                                                   : TkivSimdLevel::SSE2;
  return best;
}

TkivSimdLevel SimdLevelCap() {
  return Switch().cap;
}

void SetSimdLevelCap(TkivSimdLevel cap) {
  SimdSwitch& s = Switch();
  s.cap = cap;
  for (TkivKernelInstaller install : s.tables) install(ActiveSimdLevel());
}

TkivSimdLevel RunnableSimdLevel(TkivSimdLevel requested) {
  return std::min({requested, Switch().cap, DetectSimdLevel()});
}

void RegisterKernelTable(TkivKernelInstaller install) {
  Switch().tables.push_back(install);
  install(ActiveSimdLevel());
}

TkivScopedSimdLevel::TkivScopedSimdLevel(TkivSimdLevel level) : previous_(SimdLevelCap()) {
  SetSimdLevelCap(std::min(level, previous_));
}

TkivScopedSimdLevel::~TkivScopedSimdLevel() {
  SetSimdLevelCap(previous_);
}

}  // namespace kiv
