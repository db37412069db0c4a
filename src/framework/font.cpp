#include "framework/font.hpp"

#include "framework/numeric.hpp"

namespace kiv {

namespace {
constexpr TIdentMapEntry kCharsets[] = {
    {0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},   {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},  {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"}, {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};
}  // namespace

std::span<const TIdentMapEntry> CharsetIdentMap() {
  return kCharsets;
}

KIV_IMPLEMENT_CLASS(TFont, c) {
  c.IdentInteger("Charset", &TFont::Charset, &TFont::SetCharset, CharsetIdentMap());
  c.Color("Color", &TFont::Color, &TFont::SetColor);
  c.Integer("Height", &TFont::Height, &TFont::SetHeight);
  c.String("Name", &TFont::Name, &TFont::SetName);
  c.Enum("Pitch", &TFont::Pitch, &TFont::SetPitch, kFontPitchNames).Default(fpDefault);
  c.Integer("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  c.Set("Style", &TFont::Style, &TFont::SetStyle, kFontStyleNames);
}

TFont::TFont() : pixels_per_inch_(ScreenPixelsPerInch()) {
  if (pixels_per_inch_ <= 0) pixels_per_inch_ = 96;
  height_ = -MulDiv(8, pixels_per_inch_, 72);
}

void TFont::Changed() {
  handle_.reset();
  if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& value) {
  if (value.empty() || value == name_) return;  // a font always has a face name
  name_ = value;
  Changed();
}

void TFont::SetHeight(int32_t value) {
  if (value == height_) return;
  height_ = value;
  Changed();
}

int32_t TFont::Size() const {
  return -MulDiv(height_, 72, pixels_per_inch_);
}

void TFont::SetSize(int32_t value) {
  SetHeight(-MulDiv(value, pixels_per_inch_, 72));
}

void TFont::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TFont::SetCharset(TFontCharset value) {
  if (value == charset_) return;
  charset_ = value;
  Changed();
}

void TFont::SetPitch(TFontPitch value) {
  if (value == pitch_) return;
  pitch_ = value;
  Changed();
}

void TFont::Assign(const TPersistent* source) {
  const TFont* f = dynamic_cast<const TFont*>(source);
  if (!f) {
    TPersistent::Assign(source);
    return;
  }
  if (f == this) return;
  int32_t height = f->pixels_per_inch_ == pixels_per_inch_
                       ? f->height_
                       : -MulDiv(f->Size(), pixels_per_inch_, 72);
  bool changed = name_ != f->name_ || height_ != height || color_ != f->color_ ||
                 style_ != f->style_ || charset_ != f->charset_ || pitch_ != f->pitch_;
  name_ = f->name_;
  height_ = height;
  color_ = f->color_;
  style_ = f->style_;
  charset_ = f->charset_;
  pitch_ = f->pitch_;
  if (changed) Changed();
}

}  // namespace kiv
