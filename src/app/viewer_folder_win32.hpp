#pragma once
// A working folder made for the viewer's window. The viewer finds its
// picture and caption in the working directory under this program's base
// name, so a program that shows the viewer's window on files of its own (a
// demo, a timing run, a test) writes them into a fresh folder of the
// temporary directory and works there. The folder is the working directory
// while the object lives; the previous one comes back and the folder is
// removed when it goes.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace kiv {

class TViewerFolder {
 public:
  // Makes "kivview_<tag>_<process id>_<n>" in the temporary directory (n
  // counts the folders this process made) and works in it.
  explicit TViewerFolder(const std::string& tag);
  ~TViewerFolder();
  TViewerFolder(const TViewerFolder&) = delete;
  TViewerFolder& operator=(const TViewerFolder&) = delete;

  // The program's base name, as the viewer derives it ("photo" for
  // photo.final.exe), in the system code page.
  const std::string& Base() const { return base_; }
  const std::filesystem::path& Path() const { return dir_; }

  // Base() + ".bmp": a 24-bit picture of width x height whose pixel (x, y),
  // rows counted from the top, has the colour color(x, y) as 0xRRGGBB.
  void WritePicture(int width, int height,
                    const std::function<uint32_t(int x, int y)>& color) const;
  // Base() + ".txt", written as text (line ends as the platform writes them).
  void WriteCaption(const std::string& text) const;

 private:
  std::string base_;
  std::filesystem::path dir_;
  std::filesystem::path previous_dir_;
};

}  // namespace kiv
