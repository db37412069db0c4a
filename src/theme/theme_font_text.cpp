#include "theme/theme_font_text.hpp"

#include "framework/text_convert.hpp"
#include "graphics/kiv_utils.hpp"

namespace kiv {

namespace {

constexpr const char* kFieldDelimiters = ";,";

struct StyleWord {
  TFontStyle style;
  const char* word;
};
constexpr StyleWord kStyleWords[] = {
    {fsBold, "bold"},
    {fsItalic, "italic"},
    {fsUnderline, "underline"},
    {fsStrikeOut, "strikeout"},
};

// Drops the first n fields of text.
void SkipFields(std::string& text, int n) {
  std::string token;
  for (int i = 0; i < n; ++i) NextTokenUntil(text, kFieldDelimiters, token);
}

int32_t NextInteger(std::string& text) {
  std::string token;
  NextToken(text, token);
  return StrToInt(token);
}

}  // namespace

std::string FontToString(const TFont& font) {
  const uint32_t rgb = static_cast<uint32_t>(ColorToRGB(font.Color()));
  std::string text = font.Name() + "," + std::to_string(font.Size()) + "," +
                     std::to_string(font.Charset()) + "," + std::to_string(rgb & 0xFF) + "," +
                     std::to_string(rgb >> 8 & 0xFF) + "," + std::to_string(rgb >> 16 & 0xFF);
  for (const StyleWord& s : kStyleWords)
    if (font.Style().Contains(s.style)) text += std::string(",") + s.word;
  return text;
}

std::string FontNameFromString(const std::string& text) {
  std::string rest = text, name;
  NextTokenUntil(rest, kFieldDelimiters, name);
  return name;
}

int32_t FontSizeFromString(const std::string& text) {
  std::string rest = text;
  SkipFields(rest, 1);
  return NextInteger(rest);
}

TColor FontColorFromString(const std::string& text) {
  std::string rest = text;
  SkipFields(rest, 3);
  const int32_t r = NextInteger(rest);
  const int32_t g = NextInteger(rest);
  const int32_t b = NextInteger(rest);
  return static_cast<TColor>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}

TFontStyles FontStyleFromString(const std::string& text) {
  std::string rest = text;
  SkipFields(rest, 6);
  // The remaining fields one by one, as NextTokenUntil would take them, in a
  // single pass (a long list of fields costs linear time).
  TFontStyles style;
  size_t begin = 0;
  while (begin < rest.size()) {
    size_t end = rest.find_first_of(kFieldDelimiters, begin);
    if (end == std::string::npos) end = rest.size();
    const std::string token = TrimBlanks(rest.substr(begin, end - begin));
    for (const StyleWord& s : kStyleWords)
      if (token == s.word) style.Include(s.style);
    begin = end + 1;
  }
  return style;
}

void StringToFont(const std::string& text, TFont& font) {
  const std::string name = FontNameFromString(text);
  const int32_t size = FontSizeFromString(text);
  const TColor color = FontColorFromString(text);
  const TFontStyles style = FontStyleFromString(text);
  font.SetName(name);
  font.SetSize(size);
  font.SetColor(color);
  font.SetStyle(style);
}

void SetFontValues(TFont& font, const std::string& name, int32_t size, TColor color,
                   TFontStyles style) {
  font.SetName(name);
  font.SetSize(size);
  font.SetStyle(style);
  font.SetColor(color);
}

}  // namespace kiv
