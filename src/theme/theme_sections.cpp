#include "theme/theme_sections.hpp"

#include <algorithm>
#include <limits>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_utils.hpp"
#include "theme/kiv_theme.hpp"
#include "theme/theme_font_text.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TkivThemeColors, c) {}
KIV_IMPLEMENT_CLASS(TkivThemeSysColors, c) {}
KIV_IMPLEMENT_CLASS(TkivThemeFonts, c) {}
KIV_IMPLEMENT_CLASS(TkivThemeDrawing, c) {}
KIV_IMPLEMENT_CLASS(TkivThemeMetrics, c) {}
KIV_IMPLEMENT_CLASS(TkivThemeOptions, c) {}

namespace {

// The smallest stored entry: three empty stream strings.
constexpr int64_t kMinEntryBytes = 3 * 4;

[[noreturn]] void ReadError() {
  throw EReadError("Stream read error");
}

void CheckIndex(int index, int count) {
  if (index < 0 || index >= count) ListIndexError(index);
}

// The brightness step as the pixel routine takes it; beyond +-255 every
// channel saturates anyway, so clamping keeps the meaning of large amounts.
int16_t BrightnessStep(int32_t amount) {
  return static_cast<int16_t>(std::clamp<int32_t>(amount, std::numeric_limits<int16_t>::min(),
                                                  std::numeric_limits<int16_t>::max()));
}

TColor RotatedHue(TColor color, int32_t amount) {
  return PixelToColor(RotateHue(ColorToPixel(color, 255), amount));
}

TColor Brightened(TColor color, int32_t amount) {
  return PixelToColor(Brighten(ColorToPixel(color, 255), BrightnessStep(amount)));
}

// Reads `count` entries of three strings and answers the third string of the
// first `keep` of them; the rest are read and dropped. The count is checked
// against the bytes left before anything is read, and every string against
// the bytes left before it is allocated.
std::vector<std::string> ReadEntries(TStream& stream, int64_t count, int keep) {
  if (count > (stream.Size() - stream.Position()) / kMinEntryBytes) ReadError();
  std::vector<std::string> values;
  values.reserve(static_cast<size_t>(std::min<int64_t>(count, keep)));
  for (int64_t i = 0; i < count; ++i) {
    ReadString(stream);
    ReadString(stream);
    std::string value = ReadString(stream);
    if (i < keep) values.push_back(std::move(value));
  }
  return values;
}

void WriteEntry(TStream& stream, const std::string& name, const std::string& value) {
  WriteString(stream, name);
  WriteString(stream, ":");
  WriteString(stream, value);
}

}  // namespace

// ---------------------------------------------------------------- colours

TColor TkivThemeColors::GetColor(int index) const {
  CheckIndex(index, kThemeColorCount);
  return colors_[index];
}

void TkivThemeColors::SetColor(int index, TColor value) {
  CheckIndex(index, kThemeColorCount);
  colors_[index] = value;
}

void TkivThemeColors::ShiftHue(int32_t amount) {
  if (amount == 0) return;
  for (TColor& c : colors_) c = RotatedHue(c, amount);
}

void TkivThemeColors::ShiftBrightness(int32_t amount) {
  if (amount == 0) return;
  for (TColor& c : colors_) c = Brightened(c, amount);
}

void TkivThemeColors::Assign(const TPersistent* source) {
  if (const auto* s = dynamic_cast<const TkivThemeColors*>(source)) {
    colors_ = s->colors_;
    return;
  }
  TPersistent::Assign(source);
}

void TkivThemeColors::LoadFromStream(TStream& stream) {
  const int64_t count = int64_t{ReadU8(stream)} + 1;
  const std::vector<std::string> values = ReadEntries(stream, count, kThemeColorCount);
  for (size_t i = 0; i < values.size(); ++i) colors_[i] = StringToColor(values[i]);
}

void TkivThemeColors::SaveToStream(TStream& stream) const {
  WriteU8(stream, kThemeColorCount - 1);
  for (int i = 0; i < kThemeColorCount; ++i)
    WriteEntry(stream, ColorNames[i], ColorToString(colors_[i]));
}

// ---------------------------------------------------------------- system colours

TkivThemeSysColors::TkivThemeSysColors(TkivTheme* theme) : theme_(theme) {
  for (int i = 0; i < kThemeSysColorCount; ++i) colors_[i] = ColorToRGB(SysColorTable[i].Constant);
}

TColor TkivThemeSysColors::GetSysColor(TColor constant) const {
  for (int i = 0; i < kThemeSysColorCount; ++i)
    if (SysColorTable[i].Constant == constant) return colors_[i];
  return clNone;
}

void TkivThemeSysColors::SetSysColor(TColor constant, TColor value) {
  for (int i = 0; i < kThemeSysColorCount; ++i) {
    if (SysColorTable[i].Constant == constant) {
      colors_[i] = value;
      return;
    }
  }
}

TColor TkivThemeSysColors::Entry(int index) const {
  CheckIndex(index, kThemeSysColorCount);
  return colors_[index];
}

void TkivThemeSysColors::ShiftHue(int32_t amount) {
  if (amount == 0) return;
  for (TColor& c : colors_) c = RotatedHue(c, amount);
}

void TkivThemeSysColors::ShiftBrightness(int32_t amount) {
  if (amount == 0) return;
  for (TColor& c : colors_) c = Brightened(c, amount);
}

void TkivThemeSysColors::Assign(const TPersistent* source) {
  if (const auto* s = dynamic_cast<const TkivThemeSysColors*>(source)) {
    colors_ = s->colors_;
    return;
  }
  TPersistent::Assign(source);
}

void TkivThemeSysColors::LoadFromStream(TStream& stream) {
  const int64_t count = ReadU32(stream);
  const std::vector<std::string> values = ReadEntries(stream, count, kThemeSysColorCount);
  for (size_t i = 0; i < values.size(); ++i) colors_[i] = StringToColor(values[i]);
}

void TkivThemeSysColors::SaveToStream(TStream& stream) const {
  WriteU32(stream, kThemeSysColorCount);
  for (int i = 0; i < kThemeSysColorCount; ++i)
    WriteEntry(stream, SysColorTable[i].Identifier, ColorToString(colors_[i]));
}

// ---------------------------------------------------------------- fonts

TkivThemeFonts::TkivThemeFonts(TkivTheme* theme)
    : theme_(theme), work_font_(std::make_unique<TFont>()) {
  for (auto& f : fonts_) {
    f = std::make_unique<TFont>();
    f->SetName(kThemeFontFace);
  }
}

TkivThemeFonts::~TkivThemeFonts() = default;

TFont* TkivThemeFonts::FontByIndex(int index) const {
  CheckIndex(index, kThemeFontCount);
  return fonts_[index].get();
}

TFont* TkivThemeFonts::ObjectFont(int index, const std::string& object) {
  TFont* font = FontByIndex(index);
  if (!theme_ || object == "default") return font;
  work_font_->Assign(font);
  theme_->AssignObjectFont(*work_font_, index, object);
  return work_font_.get();
}

void TkivThemeFonts::ShiftHue(int32_t amount) {
  for (auto& f : fonts_)
    f->SetColor(amount == 0 ? ColorToRGB(f->Color()) : RotatedHue(f->Color(), amount));
}

void TkivThemeFonts::ShiftBrightness(int32_t amount) {
  for (auto& f : fonts_) f->SetColor(Brightened(f->Color(), amount));
}

void TkivThemeFonts::Assign(const TPersistent* source) {
  if (const auto* s = dynamic_cast<const TkivThemeFonts*>(source)) {
    for (int i = 0; i < kThemeFontCount; ++i) fonts_[i]->Assign(s->fonts_[i].get());
    return;
  }
  TPersistent::Assign(source);
}

void TkivThemeFonts::LoadFromStream(TStream& stream) {
  const int64_t count = int64_t{ReadU8(stream)} + 1;
  const std::vector<std::string> values = ReadEntries(stream, count, kThemeFontCount);
  for (size_t i = 0; i < values.size(); ++i) StringToFont(values[i], *fonts_[i]);
}

void TkivThemeFonts::SaveToStream(TStream& stream) const {
  WriteU8(stream, kThemeFontCount - 1);
  for (int i = 0; i < kThemeFontCount; ++i)
    WriteEntry(stream, FontNames[i], FontToString(*fonts_[i]));
}

// ---------------------------------------------------------------- options

bool TkivThemeOptions::GetOption(int index) const {
  CheckIndex(index, kCount);
  return options_[index];
}

void TkivThemeOptions::SetOption(int index, bool value) {
  CheckIndex(index, kCount);
  options_[index] = value;
}

void TkivThemeOptions::Assign(const TPersistent* source) {
  if (const auto* s = dynamic_cast<const TkivThemeOptions*>(source)) {
    options_ = s->options_;
    return;
  }
  TPersistent::Assign(source);
}

void TkivThemeOptions::LoadFromStream(TStream& stream) {
  const int64_t count = int64_t{ReadU8(stream)} + 1;
  if (count > stream.Size() - stream.Position()) ReadError();
  for (int64_t i = 0; i < count; ++i) {
    const uint8_t value = ReadU8(stream);
    if (i < kCount) options_[i] = value != 0;
  }
}

void TkivThemeOptions::SaveToStream(TStream& stream) const {
  WriteU8(stream, kCount - 1);
  for (bool option : options_) WriteU8(stream, option ? 1 : 0);
}

}  // namespace kiv
