#include "themefiles/theme_file.hpp"

#include "framework/streams.hpp"
#include "theme/theme_manager.hpp"
#include "themefiles/msstyles_theme.hpp"
#include "themefiles/skin_theme.hpp"

namespace kiv {

std::unique_ptr<TkivTheme> LoadThemeFile(const std::string& file_name) {
  RegisterSkinFileTheme();
  RegisterMsStylesTheme();
  TFileStream in(file_name, fmOpenRead);
  return LoadThemeFromStream(in);
}

}  // namespace kiv
