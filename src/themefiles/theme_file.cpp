#include "themefiles/theme_file.hpp"

#include "framework/streams.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

std::unique_ptr<TkivTheme> LoadThemeFile(const std::string& file_name) {
  TFileStream in(file_name, fmOpenRead);
  return LoadThemeFromStream(in);
}

}  // namespace kiv
