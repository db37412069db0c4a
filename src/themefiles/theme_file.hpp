#pragma once
// Reading a theme from a file of any kind the library knows.
#include <memory>
#include <string>

#include "theme/kiv_theme.hpp"

namespace kiv {

// The theme manager picks the registered theme class that claims the file's
// bytes (a skin, a packaged visual style, or a visual-styles library: the
// visual-styles theme recognises the module itself); the file themes are
// registered here when no one did before. None when no class reads the file;
// a file that cannot be opened raises.
std::unique_ptr<TkivTheme> LoadThemeFile(const std::string& file_name);

}  // namespace kiv
