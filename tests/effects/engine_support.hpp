#pragma once
// Shared helpers of the effects tests: the two pictures and an engine on a
// manual timer.
#include <memory>

#include "effects/engine.hpp"

namespace kivtest {

// A surface sized at construction (0 x 0 stays empty).
struct Surface : kiv::TkivBitmap {
  Surface() = default;
  Surface(int w, int h) { SetSize(w, h); }
};

// A picture whose pixels differ from each other and from the other picture.
inline void PaintPattern(kiv::TkivBitmap& s, uint32_t salt) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      s.SetPixel(x, y,
                 0xFF000000u | ((x * 37 + y * 11 + salt) & 0xFF) << 16 |
                     ((x * 5 + y * 29 + salt * 3) & 0xFF) << 8 | ((x * y + salt * 7) & 0xFF));
}

// Installs a manual timer for the test's lifetime and stops every slot at the end.
struct ManualEngine {
  ManualEngine() { kiv::SetAnimationTimer(std::make_unique<kiv::TkivManualTimer>()); }
  ~ManualEngine() {
    for (int i = 0; i < kiv::kAnimationSlotCount; ++i) {
      kiv::StopAnimation(i);
      kiv::ReleaseAnimationSlot(i);
    }
  }
  static bool TimerOn() { return kiv::AnimationTimer().Enabled(); }
};

}  // namespace kivtest
