#include "graphics/kiv_utils.hpp"

#include <algorithm>

#include "framework/numeric.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

TRect CenterRect(const TRect& r, const TRect& frame) {
  const int32_t w = RectWidth(r), h = RectHeight(r);
  const int32_t left = frame.Left + (RectWidth(frame) - w) / 2;
  const int32_t top = frame.Top + (RectHeight(frame) - h) / 2;
  return TRect{left, top, left + w, top + h};
}

TRect CenterRectVertically(const TRect& r, const TRect& frame) {
  const int32_t w = RectWidth(r), h = RectHeight(r);
  const int32_t top = frame.Top + (RectHeight(frame) - h) / 2;
  return TRect{frame.Left, top, frame.Left + w, top + h};
}

std::string TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

namespace {
template <typename IsDelimiter>
void TakeToken(std::string& text, std::string& token, IsDelimiter is_delimiter) {
  token.clear();
  size_t i = 0;
  for (; i < text.size(); ++i) {
    if (is_delimiter(text[i])) {
      ++i;  // the delimiter is consumed
      break;
    }
    token += text[i];
  }
  text = TrimBlanks(text.substr(i));
  token = TrimBlanks(token);
}
}  // namespace

void NextToken(std::string& text, std::string& token) {
  TakeToken(text, token, [](char c) {
    return c == ' ' || c == '(' || c == ')' || c == ',' || c == ':' || c == ';' || c == '=';
  });
}

void NextTokenUntil(std::string& text, const std::string& delimiters, std::string& token) {
  TakeToken(text, token, [&](char c) { return delimiters.find(c) != std::string::npos; });
}

int32_t KeyboardDelayFromSetting(int32_t value) {
  return value * 200 + 200;
}

int32_t KeyboardRepeatIntervalFromSetting(int32_t value) {
  return static_cast<int32_t>(Round(1000.0 / ((value + 1) * 2.3)));
}

std::vector<TkivGradientBand> GradientBands(const TRect& rect, TColor from, bool vertical,
                                            TColor to) {
  std::vector<TkivGradientBand> bands;
  if (IsRectEmpty(rect)) return bands;
  const int32_t extent = vertical ? RectHeight(rect) : RectWidth(rect);
  const int32_t n = std::min(extent, 255);
  const int32_t start = vertical ? rect.Top : rect.Left;
  const int32_t end = vertical ? rect.Bottom : rect.Right;
  auto channel = [&](int32_t i, int shift) {
    const double f = ((from >> shift) & 0xFF) * 255.0, t = ((to >> shift) & 0xFF) * 255.0;
    return static_cast<int32_t>(Round((i * (t - f) / n + f) / 255.0));
  };
  for (int32_t i = 0; i <= n; ++i) {
    const int32_t a = std::max(start, start + MulDiv(i, extent, n));
    const int32_t b = std::min(end, start + MulDiv(i + 1, extent, n));
    if (b <= a) continue;
    TkivGradientBand band;
    band.rect = vertical ? TRect{rect.Left, a, rect.Right, b} : TRect{a, rect.Top, b, rect.Bottom};
    band.color = channel(i, 0) | channel(i, 8) << 8 | channel(i, 16) << 16;
    bands.push_back(band);
  }
  return bands;
}

std::vector<TRect> RegionRects(const TkivBitmap& surface, int32_t x, int32_t y) {
  std::vector<TRect> rects;
  if (surface.IsEmpty() || surface.Width() <= 0 || surface.Height() <= 0) return rects;
  const int32_t w = surface.Width();
  for (int32_t row = 0; row < surface.Height(); ++row) {
    const TkivPixel* p = surface.ScanLine(row);
    int32_t col = 0;
    while (col < w) {
      while (col < w && (p[col] & 0x00FFFFFFu) == KeyPixel) ++col;
      if (col >= w) break;
      const int32_t a = col;
      while (col < w && (p[col] & 0x00FFFFFFu) != KeyPixel) ++col;
      rects.push_back(TRect{x + a, y + row, x + col, y + row + 1});
    }
  }
  return rects;
}

std::u16string EllipsisFit(const std::u16string& text, int32_t max_width,
                           const std::function<int32_t(const std::u16string&)>& measure) {
  if (measure(text) <= max_width) return text;
  const std::u16string dots = u"...";
  size_t taken = 0;
  while (taken < text.size() && measure(text.substr(0, taken + 1) + dots) <= max_width) ++taken;
  return text.substr(0, taken) + dots;
}

}  // namespace kiv
