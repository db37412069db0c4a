#pragma once
// Reading a theme from a file of any kind the library knows.
#include <memory>
#include <string>

#include "theme/kiv_theme.hpp"

namespace kiv {

// The theme manager picks a theme class by a stream's first bytes (skins
// are registered with it here when no one did before); a
// visual-styles library (".msstyles") is a resource module that no class
// claims as a stream, so a file no class reads is then offered to the
// visual-styles theme, which loads such a module from its file. None when
// nothing reads the file; a file that cannot be opened raises.
std::unique_ptr<TkivTheme> LoadThemeFile(const std::string& file_name);

}  // namespace kiv
