#include "themefiles/theme_file.hpp"

#include "framework/streams.hpp"
#include "theme/theme_manager.hpp"
#include "themefiles/msstyles_theme.hpp"
#include "themefiles/skin_theme.hpp"

namespace kiv {

std::unique_ptr<TkivTheme> LoadThemeFile(const std::string& file_name) {
  RegisterSkinFileTheme();
  {
    TFileStream in(file_name, fmOpenRead);
    if (std::unique_ptr<TkivTheme> theme = LoadThemeFromStream(in)) return theme;
  }
  auto styles = std::make_unique<TKivThemeMsStyles>();
  if (!styles->LoadFromFile(file_name)) return nullptr;
  return styles;
}

}  // namespace kiv
