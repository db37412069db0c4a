#pragma once
// The theme unit's process-wide state and its start-up and shutdown.
//
// Start-up is on first use: ThemeManager() makes the manager (with its hidden
// window on Win32) and registers the built-in theme class. The parent
// background painter of the framework's group box belongs to the registry of
// the themed controls' unit, which registers it when it makes the registry.
//
// Shutdown (ShutdownThemeUnit, run at process exit when nobody ran it
// earlier), in this order: the background-painter registry's release hook,
// the manager (its clients list, the current theme, the hidden window, the
// theme classes), the saved fonts with their copies, the image-list glyph
// surface. The units that use the theme unit stop before it, so controls
// have unregistered by then.
#include <memory>
#include <vector>

#include "framework/font.hpp"

namespace kiv {

class TkivBitmap;
class TkivThemeManager;

// Called first at shutdown: the controls' unit frees its registry of parent
// background painters here (none set: nothing to free). Replaces the hook
// set before.
void SetBackgroundPainterRegistryRelease(void (*release)());

// Frees the unit's singletons in the order above; each starts again on next
// use. Running it twice does nothing the second time.
void ShutdownThemeUnit();

// The surface of the last ImageListGlyph call, or none.
TkivBitmap* ImageListGlyphSurface();

namespace theme_unit {

// A control's font and the copy of its values made by SaveControlFont.
struct TSavedFont {
  TFont* Font;
  std::unique_ptr<TFont> Copy;
};

// Everything the unit keeps; one object, so that its shutdown runs in the
// stated order whatever order the program's other statics end in.
struct TState {
  TState() = default;
  TState(const TState&) = delete;
  TState& operator=(const TState&) = delete;
  ~TState();
  void Shutdown();

  void (*ReleaseBackgroundPainters)() = nullptr;
  std::unique_ptr<TkivThemeManager> Manager;
  std::vector<TSavedFont> SavedFonts;
  std::unique_ptr<TkivBitmap> ImageListGlyph;
};

TState& State();

}  // namespace theme_unit

}  // namespace kiv
