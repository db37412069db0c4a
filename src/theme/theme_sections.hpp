#pragma once
// The sections of a theme: its 22 colours, its values for 26 system colours,
// its 66 fonts, and the drawing, metrics and options holders. Each keeps a
// pointer to the theme that owns it (none for sections kept on their own),
// copies from a section of its own class, and has a stream form:
//
//   colours        count byte 21, then 22 x (entry name, ":", colour text)
//   system colours 32-bit count 26, then 26 x (identifier, ":", colour text)
//   fonts          count byte 65, then 66 x (entry name, ":", font text)
//   options        count byte 1, then the two option bytes
//
// with every string a stream string (32-bit length, then the bytes) and
// colours in the framework's text form ("clBtnFace", "$00123456").
//
// Reading is positional: the stored names are not compared. A stream that
// holds more entries than the section has is read through and the surplus
// dropped; a count promising more entries than the stream can hold, or a
// string running past the end, raises EReadError "Stream read error" before
// anything changes; text that is not a colour or an integer raises
// EConvertError, and the entries read before it keep their new values.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/classes.hpp"
#include "framework/font.hpp"
#include "theme/theme_tables.hpp"

namespace kiv {

class TkivTheme;
class TStream;

class TkivThemeColors : public TPersistent {
  KIV_CLASS(TkivThemeColors, TPersistent)
 public:
  explicit TkivThemeColors(TkivTheme* theme = nullptr) : theme_(theme) {}
  TkivTheme* Theme() const { return theme_; }

  // Index 0..21 (TkivThemeColor); other indices raise EListError.
  TColor GetColor(int index) const;
  void SetColor(int index, TColor value);

  // Rotate the hue (brighten) of every entry through its pixel value; system
  // colours come out resolved. An amount of 0 changes nothing.
  void ShiftHue(int32_t amount);
  void ShiftBrightness(int32_t amount);

  void Assign(const TPersistent* source) override;
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

 private:
  TkivTheme* theme_;
  std::array<TColor, kThemeColorCount> colors_{};
};

class TkivThemeSysColors : public TPersistent {
  KIV_CLASS(TkivThemeSysColors, TPersistent)
 public:
  // Each entry starts as its constant resolved by ColorToRGB: the platform's
  // current colours (clDefault, no system colour, stays as it is).
  explicit TkivThemeSysColors(TkivTheme* theme = nullptr);
  TkivTheme* Theme() const { return theme_; }

  // The value of the first entry whose constant is the given one; clNone for
  // constants the section does not hold.
  TColor GetSysColor(TColor constant) const;
  // Stores into the first entry with that constant; others are ignored.
  void SetSysColor(TColor constant, TColor value);
  // Entry by position 0..25 (EListError otherwise), duplicates included.
  TColor Entry(int index) const;

  void ShiftHue(int32_t amount);         // nothing for 0
  void ShiftBrightness(int32_t amount);  // nothing for 0

  void Assign(const TPersistent* source) override;
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

 private:
  TkivTheme* theme_;
  std::array<TColor, kThemeSysColorCount> colors_{};
};

class TkivThemeFonts : public TPersistent {
  KIV_CLASS(TkivThemeFonts, TPersistent)
 public:
  // Every font starts with the framework's default values and face "Tahoma".
  explicit TkivThemeFonts(TkivTheme* theme = nullptr);
  ~TkivThemeFonts() override;
  TkivTheme* Theme() const { return theme_; }

  // The section's own font 0..65 (EListError otherwise); not to be freed.
  TFont* FontByIndex(int index) const;
  // FontByIndex when the section has no theme or the object name is exactly
  // "default"; otherwise WorkFont, holding that font as the theme adjusts it
  // for the object (AssignObjectFont). WorkFont is overwritten by the next
  // such call.
  TFont* ObjectFont(int index, const std::string& object);
  TFont* WorkFont() const { return work_font_.get(); }

  // Unlike the colour sections these run for every amount and leave every
  // font colour a plain RGB value. With 0 the colours are only resolved, not
  // rotated: a rotation through HSL and back is not exact.
  void ShiftHue(int32_t amount);
  void ShiftBrightness(int32_t amount);

  void Assign(const TPersistent* source) override;
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

 private:
  TkivTheme* theme_;
  std::array<std::unique_ptr<TFont>, kThemeFontCount> fonts_;
  std::unique_ptr<TFont> work_font_;
};

// Holders with no values of their own yet: not copied, not streamed.
class TkivThemeDrawing : public TPersistent {
  KIV_CLASS(TkivThemeDrawing, TPersistent)
 public:
  explicit TkivThemeDrawing(TkivTheme* theme = nullptr) : theme_(theme) {}
  TkivTheme* Theme() const { return theme_; }

 private:
  TkivTheme* theme_;
};

class TkivThemeMetrics : public TPersistent {
  KIV_CLASS(TkivThemeMetrics, TPersistent)
 public:
  explicit TkivThemeMetrics(TkivTheme* theme = nullptr) : theme_(theme) {}
  TkivTheme* Theme() const { return theme_; }

 private:
  TkivTheme* theme_;
};

// Two option flags, false at creation; copied and streamed.
class TkivThemeOptions : public TPersistent {
  KIV_CLASS(TkivThemeOptions, TPersistent)
 public:
  static constexpr int kCount = 2;
  explicit TkivThemeOptions(TkivTheme* theme = nullptr) : theme_(theme) {}
  TkivTheme* Theme() const { return theme_; }

  // Index 0..1 (EListError otherwise).
  bool GetOption(int index) const;
  void SetOption(int index, bool value);

  void Assign(const TPersistent* source) override;
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

 private:
  TkivTheme* theme_;
  std::array<bool, kCount> options_{};
};

}  // namespace kiv
