#pragma once
// Stateless drawing helpers of the library: rectangle arithmetic, tokens,
// stream strings, gradient bands, region runs, text fitting and keyboard
// timing. The device-context helpers built on them are in kiv_utils_gdi_win32.hpp
// (Windows only).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/types.hpp"

namespace kiv {

class TkivBitmap;
class TStream;

// ---------------------------------------------------------------- rectangles
inline int32_t RectWidth(const TRect& r) {
  return r.Right - r.Left;
}
inline int32_t RectHeight(const TRect& r) {
  return r.Bottom - r.Top;
}
inline bool IsRectEmpty(const TRect& r) {
  return RectWidth(r) <= 0 || RectHeight(r) <= 0;
}
inline bool RectEquals(const TRect& a, const TRect& b) {
  return a == b;
}
// a lies within b.
inline bool RectInside(const TRect& a, const TRect& b) {
  return a.Left >= b.Left && a.Top >= b.Top && a.Right <= b.Right && a.Bottom <= b.Bottom;
}
// p lies in r (Right and Bottom exclusive).
inline bool PointInRect(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
inline TRect InflateRectBy(const TRect& r, int32_t n) {
  return TRect{r.Left - n, r.Top - n, r.Right + n, r.Bottom + n};
}
// margins read as left, top, right and bottom widths.
inline TRect ShrinkRect(const TRect& r, const TRect& margins) {
  return TRect{r.Left + margins.Left, r.Top + margins.Top, r.Right - margins.Right,
               r.Bottom - margins.Bottom};
}
// r moved so that it is centred in frame (div truncates toward zero); size kept.
TRect CenterRect(const TRect& r, const TRect& frame);
// r moved to frame.Left and centred vertically.
TRect CenterRectVertically(const TRect& r, const TRect& frame);

// ---------------------------------------------------------------- tokens
// Takes characters from the front of text into token until a space, "(", ")",
// ",", ":", ";" or "=" (consumed with them); then trims both. The whole text
// is scanned whatever its length.
void NextToken(std::string& text, std::string& token);
// The same, ending at the first character that occurs in delimiters.
void NextTokenUntil(std::string& text, const std::string& delimiters, std::string& token);
// Removes characters up to and including ' ' (blanks and controls) at both ends.
std::string TrimBlanks(const std::string& s);

// ---------------------------------------------------------------- stream strings
// A 32-bit little-endian length n, then n single-byte characters. Reading
// checks n against what remains in the stream before allocating and raises
// EReadError "Stream read error" when the stream holds less.
std::string ReadString(TStream& stream);
void WriteString(TStream& stream, const std::string& value);

// ---------------------------------------------------------------- keyboard timing
// From the system settings SPI_GETKEYBOARDDELAY (0..3) and SPI_GETKEYBOARDSPEED
// (0..31): value * 200 + 200 milliseconds, and round(1000 / ((value + 1) * 2.3))
// with ties to even.
int32_t KeyboardDelayFromSetting(int32_t value);
int32_t KeyboardRepeatIntervalFromSetting(int32_t value);

// ---------------------------------------------------------------- gradients
struct TkivGradientBand {
  TRect rect;
  TColor color;  // 0x00BBGGRR
};
// The bands FillGradient paints: min(extent, 255) steps, band i from
// MulDiv(i, extent, n) to MulDiv(i + 1, extent, n), cut to rect (the last of
// the n + 1 bands is empty and left out); each channel
// round((i * (to * 255 - from * 255) / n + from * 255) / 255), ties to even.
// from and to are RGB values (already resolved).
std::vector<TkivGradientBand> GradientBands(const TRect& rect, TColor from, bool vertical,
                                            TColor to);

// ---------------------------------------------------------------- regions
// The rectangles of CreateRegion: for every row, each maximal run of pixels
// whose colour bytes are not the key colour, offset by (x, y); in row order,
// left to right. Empty for an empty surface.
std::vector<TRect> RegionRects(const TkivBitmap& surface, int32_t x, int32_t y);

// ---------------------------------------------------------------- text fitting
// The text itself when measure(text) <= max_width; otherwise the longest
// front part p for which measure(p + next character + "...") still fits,
// followed by "..." ("..." alone when not even one character fits).
std::u16string EllipsisFit(const std::u16string& text, int32_t max_width,
                           const std::function<int32_t(const std::u16string&)>& measure);

}  // namespace kiv
