// TKivThemeStream: a theme's bytes in a form's stream.
#include "themefiles/theme_stream.hpp"

#include "framework/exceptions.hpp"
#include "framework/filer.hpp"
#include "graphics/kiv_utils.hpp"
#include "theme/theme_manager.hpp"
#include "themefiles/msstyles_theme.hpp"
#include "themefiles/skin_theme.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TKivThemeStream, c) {
  using T = TKivThemeStream;
  c.Integer("Tag", &T::Tag, &T::SetTag).Default(0);
  c.String("ThemeStore", &T::ThemeStore, &T::SetThemeStore).Stored(false);
}

namespace {

enum : uint8_t { kNoData = 0, kOlderForm = 1, kCurrentForm = 2 };

struct ThemeStreamStartup {
  ThemeStreamStartup() { RegisterClass(TKivThemeStream::StaticClass()); }
} g_theme_stream_startup;

}  // namespace

TKivThemeStream::TKivThemeStream(TCollection* collection)
    : TCollectionItem(collection), data_(std::make_unique<TMemoryStream>()) {}

TKivThemeStream::~TKivThemeStream() = default;

void TKivThemeStream::DefineProperties(TFiler& filer) {
  TCollectionItem::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "ThemeStream", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
      true);
}

void TKivThemeStream::WriteData(TStream& stream) const {
  if (data_->Size() == 0) {
    WriteU8(stream, kNoData);
    return;
  }
  WriteU8(stream, kCurrentForm);
  WriteString(stream, name_);
  WriteI64(stream, data_->Size());
  data_->SetPosition(0);
  stream.CopyFrom(*data_, data_->Size());
}

void TKivThemeStream::ReadData(TStream& stream) {
  data_->Clear();
  name_ = "(empty)";
  switch (ReadU8(stream)) {
    case kCurrentForm: {
      std::string name = ReadString(stream);
      const int64_t size = ReadI64(stream);
      // The size must fit what the property holds before anything is kept.
      if (size < 0 || size > stream.Size() - stream.Position())
        throw EReadError("Stream read error");
      const std::vector<uint8_t> bytes = ReadBytes(stream, static_cast<uint64_t>(size));
      if (!bytes.empty()) data_->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
      data_->SetPosition(0);
      name_ = std::move(name);
      break;
    }
    case kOlderForm: {
      RegisterThemeStreamClasses();
      const std::unique_ptr<TkivTheme> theme = LoadThemeFromStream(stream);
      if (!theme) break;
      SaveThemeToStream(theme.get(), *data_);
      data_->SetPosition(0);
      name_ = theme->Name();
      break;
    }
    default:
      break;
  }
}

void TKivThemeStream::StoreTheme(TkivTheme* theme) {
  data_->Clear();
  name_ = "(empty)";
  if (theme == nullptr) return;
  SaveThemeToStream(theme, *data_);
  data_->SetPosition(0);
  if (data_->Size() > 0) name_ = theme->Name();
}

std::unique_ptr<TkivTheme> TKivThemeStream::LoadTheme() const {
  if (data_->Size() == 0) return nullptr;
  RegisterThemeStreamClasses();
  data_->SetPosition(0);
  return LoadThemeFromStream(*data_);
}

void RegisterThemeStreamClasses() {
  RegisterSkinFileTheme();
  RegisterMsStylesTheme();
}

}  // namespace kiv
