#pragma once
// The text form of a theme font, as the font section stores it:
// "face,points,charset,red,green,blue" followed by ",bold", ",italic",
// ",underline" and ",strikeout" for the styles the font has
// ("Tahoma,10,1,255,255,255,bold").
#include <string>

#include "framework/font.hpp"

namespace kiv {

// The font's colour is written as the RGB value it shows: a system colour is
// resolved through ColorToRGB, so the text reads back as the same colour.
std::string FontToString(const TFont& font);

// The readers of the text form. Each works on its own copy of the text and
// raises EConvertError when its field is not an integer (an empty field
// included). The character set is written but not read.
std::string FontNameFromString(const std::string& text);
int32_t FontSizeFromString(const std::string& text);
// (r mod 256) + (g mod 256) * 256 + (b mod 256) * 65536, each taken as a byte.
TColor FontColorFromString(const std::string& text);
// The style words after the colour; other words are ignored.
TFontStyles FontStyleFromString(const std::string& text);

// Reads all four fields first and only then changes the font, so a text that
// fails to convert leaves the font as it was.
void StringToFont(const std::string& text, TFont& font);

// Sets name, size, style and colour, in that order.
void SetFontValues(TFont& font, const std::string& name, int32_t size, TColor color,
                   TFontStyles style);

}  // namespace kiv
