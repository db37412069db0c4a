#pragma once
// The viewer's configuration is its own file name. These helpers turn the
// program's path into the names it uses, and lay out the caption box; they
// hold no platform code so they are tested natively. Names are wide strings,
// so that any name the file system holds works, also one outside the
// system's single-byte code page.
#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

// "C:\pics\photo.final.exe" -> "photo": the file-name part cut at its first dot
// (the whole name when it has none), case kept.
std::wstring ViewerBaseName(std::wstring_view program_path);

// The folder part of the program path, ending in its separator ("" when the
// path has no folder), + base name + ".ini".
std::wstring ViewerSettingsPath(std::wstring_view program_path);

// The application title: the base name with every character after the first in
// lower case ("SunSet.exe" -> "Sunset"); letters outside ASCII are left to the
// platform's own lower-casing of the title.
std::wstring ViewerApplicationTitle(std::wstring_view program_path);

// The "TextBoxHeight" setting as read from the settings file: a value longer
// than two characters starting with "0x"/"0X" is hexadecimal; otherwise a
// decimal integer, or hexadecimal with a leading "$". Anything else gives 0.
int32_t ParseTextBoxHeight(std::string_view text);

// Pixels per caption line for a font height (negative for a character height):
// font height x 1.1 in extended precision, rounded with ties to even, negated.
int32_t CaptionLineHeight(int32_t font_height);

// The caption box height: the setting when positive, else one line height per
// line of `line_count` (which already includes the extra line).
int32_t CaptionBoxHeight(int32_t text_box_height, int32_t font_height, int32_t line_count);

// The message shown when no picture of the base name exists.
std::wstring PictureNotFoundMessage(std::wstring_view base_name);

}  // namespace kiv
