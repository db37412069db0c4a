// The viewer's working folder: made, filled with a picture and a caption
// under the program's base name, and removed.
#include "app/viewer_folder_win32.hpp"

#include <windows.h>

#include <fstream>

#include "app/viewer_form_win32.hpp"
#include "app/viewer_names.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/bitmap.hpp"

namespace kiv {

namespace fs = std::filesystem;

TViewerFolder::TViewerFolder(const std::string& tag)
    : base_(ToNarrow(ViewerBaseName(ProgramFilePath()))) {
  static int made = 0;
  dir_ =
      fs::temp_directory_path() / ("kivview_" + tag + "_" + std::to_string(GetCurrentProcessId()) +
                                   "_" + std::to_string(++made));
  fs::create_directories(dir_);
  previous_dir_ = fs::current_path();
  fs::current_path(dir_);
}

TViewerFolder::~TViewerFolder() {
  std::error_code ec;
  fs::current_path(previous_dir_, ec);  // the folder cannot go while it is the working one
  fs::remove_all(dir_, ec);
}

void TViewerFolder::WritePicture(int width, int height,
                                 const std::function<uint32_t(int x, int y)>& color) const {
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    auto* p = static_cast<uint8_t*>(picture.ScanLine(y));
    for (int x = 0; x < width; ++x, p += 3) {
      const uint32_t c = color(x, y);
      p[0] = uint8_t(c);
      p[1] = uint8_t(c >> 8);
      p[2] = uint8_t(c >> 16);
    }
  }
  picture.SaveToFile(base_ + ".bmp");
}

void TViewerFolder::WriteCaption(const std::string& text) const {
  std::ofstream(base_ + ".txt") << text;
}

}  // namespace kiv
