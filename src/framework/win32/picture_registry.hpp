#pragma once
// TPicture: holds one graphic of any registered kind, with the registry of
// file formats (extension, description, factory) that each format fills in
// for itself.
#include <functional>
#include <memory>
#include <string>

#include "framework/win32/bitmap.hpp"
#include "framework/win32/graphic.hpp"

namespace kiv {

// Registers a file format with TPicture when the program starts: a format's
// file defines one at namespace scope, beside the graphic class it makes.
struct TPictureFormatRegistrar {
  TPictureFormatRegistrar(const std::string& extension, const std::string& description,
                          std::function<std::unique_ptr<TGraphic>()> factory);
};

// Defined by the format files (they do nothing); the registry calls them so
// that every format file is linked into a program that uses TPicture, and its
// registrar runs.
void LinkDecodedPictureFormats();
void LinkIconFormat();

// Holds one graphic of any registered kind; LoadFromFile picks the kind by
// the file's extension.
class TPicture {
 public:
  using Factory = std::function<std::unique_ptr<TGraphic>()>;
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // extension without the dot, case-insensitive ("jpg"); a later registration
  // of the same extension replaces the earlier one.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 Factory factory);
  static void UnregisterFileFormat(const std::string& extension);
  static bool SupportsExtension(const std::string& extension);

  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  // Copies the graphic (Assign into a new one of its class); nullptr clears.
  void AssignGraphic(const TGraphic* graphic);
  TBitmap* Bitmap();  // the graphic as a bitmap, replacing any other kind
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  void LoadFromFile(const std::string& file_name);
  // A name in wide characters: any name the file system holds.
  void LoadFromFile(const std::wstring& file_name);

  std::function<void(TPicture*)> OnChange;

 private:
  void GraphicChanged(TGraphic*) { Changed(); }
  void Changed() {
    if (OnChange) OnChange(this);
  }
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace kiv
