// Portable twin of theme_manager_win32.cpp: without a window system there is
// no hidden window, no framework control and no visual style, so every client
// is reached through its own dispatch. The Win32 build uses
// theme_manager_win32.cpp instead.
#ifndef _WIN32
#include "theme/theme_manager.hpp"

namespace kiv::theme_platform {

void* CreateNotifyWindow(TkivThemeManager&) {
  return nullptr;
}

void DestroyNotifyWindow(void*) {}

bool PerformOnControl(TObject*, TMessage&) {
  return false;
}

void UpdateVisualStyles() {}

}  // namespace kiv::theme_platform
#endif
