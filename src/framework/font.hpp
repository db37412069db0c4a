#pragma once
// The framework font as a persistent value: face name, height in pixels (or
// size in points through PixelsPerInch), colour, style, character set and
// pitch, with a change notification.
//
// Platform handle: the font keeps an opaque, shared platform object (an HFONT
// on Win32) that a platform file creates on demand from the font's values and
// stores with SetPlatformHandle (with a deleter); every change releases it, so
// the next request builds it anew.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/classes.hpp"
#include "framework/colors.hpp"

namespace kiv {

// Screen resolution in pixels per inch (platform seam; 96 natively).
int ScreenPixelsPerInch();

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
inline constexpr std::array<std::string_view, 4> kFontStyleNames{"fsBold", "fsItalic",
                                                                 "fsUnderline", "fsStrikeOut"};
static_assert(kFontStyleNames.size() == fsStrikeOut + 1);
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
inline constexpr std::array<std::string_view, 3> kFontPitchNames{"fpDefault", "fpVariable",
                                                                 "fpFixed"};
static_assert(kFontPitchNames.size() == fpFixed + 1);
using TFontCharset = uint8_t;

// Character sets by their stream identifiers ANSI_CHARSET, DEFAULT_CHARSET, ...
constexpr TFontCharset kAnsiCharset = 0;
constexpr TFontCharset kDefaultCharset = 1;
constexpr TFontCharset kSymbolCharset = 2;

class TFont : public TPersistent {
  KIV_CLASS(TFont, TPersistent)
 public:
  TFont();

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  int32_t Height() const { return height_; }
  void SetHeight(int32_t value);
  // Points: -Height * 72 / PixelsPerInch, rounded by MulDiv.
  int32_t Size() const;
  void SetSize(int32_t value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch value);
  int PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int value) { pixels_per_inch_ = value > 0 ? value : 96; }

  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

  const std::shared_ptr<void>& PlatformHandle() const { return handle_; }
  void SetPlatformHandle(std::shared_ptr<void> handle) { handle_ = std::move(handle); }

 protected:
  // Releases the platform handle and fires OnChange.
  virtual void Changed();

 private:
  std::string name_ = "MS Sans Serif";
  int32_t height_;
  TColor color_ = clWindowText;
  TFontStyles style_;
  TFontCharset charset_ = kDefaultCharset;
  TFontPitch pitch_ = fpDefault;
  int pixels_per_inch_;
  std::shared_ptr<void> handle_;
};

// Character-set identifiers (ANSI_CHARSET, DEFAULT_CHARSET, ...).
std::span<const TIdentMapEntry> CharsetIdentMap();

}  // namespace kiv
