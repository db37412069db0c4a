#pragma once
// TKivThemeStream: a whole theme, in the byte form of the theme class that
// wrote it, kept inside a form's component stream as the binary property
// "ThemeStream" of a collection item. A component holding a collection of
// them carries its themes inside the program and hands any of them to the
// theme manager, which picks the class that reads the bytes (LoadTheme).
//
// "ThemeStream" is one marker byte, then by marker:
//   0  no data (written for an empty item)
//   1  an older form: a theme in the theme manager's stream form, of no
//      stated length, converted on reading (below)
//   2  name (stream string), size n (signed 64-bit little-endian), n bytes
// Any other marker reads nothing more.
//
// Reading the older form loads the theme through the manager, keeps what
// the manager saves of it (a skin theme: the maximum-compression container)
// and takes its name; the theme used for it is freed. An item whose older
// theme no class reads stays empty; errors of the theme's reader propagate,
// with the item empty.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/collections.hpp"
#include "framework/streams.hpp"
#include "theme/kiv_theme.hpp"

namespace kiv {

class TKivThemeStream : public TCollectionItem {
  KIV_CLASS(TKivThemeStream, TCollectionItem)
 public:
  explicit TKivThemeStream(TCollection* collection);
  ~TKivThemeStream() override;

  // The theme's bytes; the name shown for the item ("(empty)" at first).
  TMemoryStream* Data() const { return data_.get(); }
  const std::string& ThemeName() const { return name_; }
  void SetThemeName(const std::string& value) { name_ = value; }
  // ---- published
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value) { tag_ = value; }
  // Reads the name; writing it changes nothing (design tools show it).
  const std::string& ThemeStore() const { return name_; }
  void SetThemeStore(const std::string&) {}

  std::string DisplayName() const override { return name_; }
  void DefineProperties(TFiler& filer) override;

  // The property's data alone.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream) const;

  // Keeps what the theme manager saves of the theme (nothing for a theme
  // that cannot save) under the theme's name.
  void StoreTheme(TkivTheme* theme);
  // The theme the manager reads from the data; none for an empty item or
  // data no registered class reads.
  std::unique_ptr<TkivTheme> LoadTheme() const;

 private:
  std::unique_ptr<TMemoryStream> data_;
  std::string name_ = "(empty)";
  int32_t tag_ = 0;
};

// Makes the theme classes the items can hold known: the item class for
// component streams, the skin and visual-styles themes for the manager.
void RegisterThemeStreamClasses();

}  // namespace kiv
