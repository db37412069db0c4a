// TPicture and its registry of file formats.
#include "framework/win32/picture_registry.hpp"

#include <map>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace {

struct FormatEntry {
  std::string description;
  TPicture::Factory factory;
};

std::map<std::string, FormatEntry>& Formats() {
  // Each format's file registers it at start-up (TPictureFormatRegistrar);
  // calling the files' link functions here keeps the linker from leaving a
  // format file out of a program that reaches it only through TPicture.
  static const bool linked = (LinkDecodedPictureFormats(), LinkIconFormat(), true);
  (void)linked;
  static std::map<std::string, FormatEntry> formats;
  return formats;
}

}  // namespace

TPictureFormatRegistrar::TPictureFormatRegistrar(
    const std::string& extension, const std::string& description,
    std::function<std::unique_ptr<TGraphic>()> factory) {
  TPicture::RegisterFileFormat(extension, description, std::move(factory));
}

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  Factory factory) {
  Formats()[LowerCase(extension)] = {description, std::move(factory)};
}

void TPicture::UnregisterFileFormat(const std::string& extension) {
  Formats().erase(LowerCase(extension));
}

bool TPicture::SupportsExtension(const std::string& extension) {
  return Formats().count(LowerCase(extension)) != 0;
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TGraphic* g) { GraphicChanged(g); };
  Changed();
}

void TPicture::AssignGraphic(const TGraphic* graphic) {
  if (!graphic) {
    SetGraphic(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = graphic->NewEmpty();
  copy->Assign(*graphic);
  SetGraphic(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  auto* bmp = dynamic_cast<TBitmap*>(graphic_.get());
  if (!bmp) {
    SetGraphic(std::make_unique<TBitmap>());
    bmp = static_cast<TBitmap*>(graphic_.get());
  }
  return bmp;
}

namespace {
// The graphic for the file's extension, loaded from the file.
template <class TName>
std::unique_ptr<TGraphic> LoadGraphic(const TName& file_name, const std::string& narrow_name) {
  std::string ext = FileExtension(narrow_name);
  auto it = Formats().find(ext);
  if (it == Formats().end()) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  std::unique_ptr<TGraphic> graphic = it->second.factory();
  graphic->LoadFromFile(file_name);
  return graphic;
}
}  // namespace

void TPicture::LoadFromFile(const std::string& file_name) {
  SetGraphic(LoadGraphic(file_name, file_name));
}

// The extension decides the kind; extensions are ASCII, which the narrow
// form of any name keeps.
void TPicture::LoadFromFile(const std::wstring& file_name) {
  SetGraphic(LoadGraphic(file_name, ToNarrow(file_name)));
}

}  // namespace kiv
