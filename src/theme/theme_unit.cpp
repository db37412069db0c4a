#include "theme/theme_unit.hpp"

#include "graphics/kiv_bitmap.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

namespace theme_unit {

TState::~TState() {
  Shutdown();
}

void TState::Shutdown() {
  if (auto release = ReleaseBackgroundPainters) {
    ReleaseBackgroundPainters = nullptr;
    release();
  }
  Manager.reset();
  SavedFonts.clear();
  ImageListGlyph.reset();
}

TState& State() {
  static TState state;
  return state;
}

}  // namespace theme_unit

void SetBackgroundPainterRegistryRelease(void (*release)()) {
  theme_unit::State().ReleaseBackgroundPainters = release;
}

void ShutdownThemeUnit() {
  theme_unit::State().Shutdown();
}

TkivBitmap* ImageListGlyphSurface() {
  return theme_unit::State().ImageListGlyph.get();
}

}  // namespace kiv
