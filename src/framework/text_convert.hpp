#pragma once
// Text conversions shared by the framework: integers as the framework parses
// them, and the mapping between single-byte, wide (UTF-16) and UTF-8 strings.
#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

// The one case folding of identifiers, names and file extensions: ASCII
// letters only, every other byte unchanged, whatever the locale.
constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);

// Compares ASCII letters without regard to case, as identifiers, names and
// file extensions are compared ("clBtnFace" = "CLBTNFACE").
bool SameText(std::string_view a, std::string_view b);

// Decimal with optional sign, or hexadecimal after "$", "0x" or "0X" (also
// after a sign); leading blanks allowed. Hexadecimal may use all 32 bits
// ($FF000000 is negative). Otherwise EConvertError "'text' is not a valid
// integer value".
int32_t StrToInt(std::string_view text);
int64_t StrToInt64(std::string_view text);
bool TryStrToInt64(std::string_view text, int64_t& value);

// Single-byte strings widen byte for byte (0..255 to U+0000..U+00FF) and wide
// strings narrow the same way, code units above 255 becoming '?'. Component
// streams use this mapping, so a string survives either direction.
std::u16string WidenLatin1(std::string_view s);
std::string NarrowLatin1(std::u16string_view s);

// UTF-8 to UTF-16 (malformed sequences become U+FFFD) and back (lone
// surrogates become U+FFFD).
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);
// A wide string as the platform holds it (UTF-16 on Win32, UTF-32 elsewhere)
// to UTF-8: how a wide file name reaches a POSIX file system.
std::string WideToUtf8(std::wstring_view w);

// Single-byte strings in the system code page (file names, object names,
// exception messages) to wide strings and back. The one conversion between
// the two: the platform's code page on Win32 (characters it cannot map become
// '?'), the Latin-1 mapping above natively.
std::wstring ToWide(std::string_view s);
std::string ToNarrow(std::wstring_view w);

}  // namespace kiv
