#include "themefiles/msstyles_parts.hpp"

#include "framework/text_convert.hpp"
#include "themefiles/msstyles_ini.hpp"

namespace kiv {

namespace {

int32_t SysMetric(const TmsuxIni& ini, std::string_view key, int32_t fallback) {
  int64_t n = 0;
  const std::string text = ini.ReadString("SysMetrics", key, "");
  if (!TryStrToInt64(text, n) || n < INT32_MIN || n > INT32_MAX) return fallback;
  return static_cast<int32_t>(n);
}

// The fields of a comma-separated list, each trimmed; empty fields kept.
std::vector<std::string> CommaFields(std::string_view text) {
  std::vector<std::string> fields;
  while (true) {
    const size_t comma = text.find(',');
    std::string_view f = text.substr(0, comma);
    while (!f.empty() && static_cast<unsigned char>(f.front()) <= ' ') f.remove_prefix(1);
    while (!f.empty() && static_cast<unsigned char>(f.back()) <= ' ') f.remove_suffix(1);
    fields.emplace_back(f);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return fields;
}

}  // namespace

TmsuxSysMetrics ReadStyleSysMetrics(const TmsuxIni& ini) {
  TmsuxSysMetrics m;
  m.CaptionBarHeight = SysMetric(ini, "CaptionBarHeight", m.CaptionBarHeight);
  m.SmCaptionBarHeight = SysMetric(ini, "SMCaptionBarHeight", m.SmCaptionBarHeight);
  m.BorderWidth = SysMetric(ini, "BorderWidth", m.BorderWidth);
  m.SmBorderWidth = SysMetric(ini, "SMBorderWidth", m.SmBorderWidth);
  return m;
}

TColor ReadStyleSysColor(const TmsuxIni& ini, std::string_view key) {
  return ParseStyleColor(ini.ReadString("SysMetrics", key, "100 100 100"));
}

TmsuxFontValue ParseStyleFont(std::string_view text) {
  const std::vector<std::string> f = CommaFields(text);
  TmsuxFontValue font;
  font.Name = f[0];
  int64_t size = 0;
  if (f.size() > 1 && TryStrToInt64(f[1], size) && size > 0 && size < 1000)
    font.Size = static_cast<int32_t>(size);
  auto present = [&](size_t i) { return f.size() > i && !f[i].empty(); };
  font.Bold = present(2);
  font.Italic = present(3);
  font.Underline = present(4);
  font.StrikeOut = present(5);
  return font;
}

TmsuxFontValue ReadStyleFont(const TmsuxIni& ini, std::string_view key, std::string_view fallback) {
  return ParseStyleFont(ini.ReadString("SysMetrics", key, fallback));
}

void TmsuxParts::Build(const TmsuxIni& ini, TkivBitmapList* bitmaps,
                       const TmsuxBitmapSource& source) {
  for (size_t i = 0; i < parts_.size(); ++i)
    parts_[i] = std::make_unique<TmsuxThemeObject>(ini, kMsStylesSections[i], bitmaps, source);
  Metrics = ReadStyleSysMetrics(ini);
  built_ = true;
}

void TmsuxParts::Clear() {
  for (auto& p : parts_) p.reset();
  Metrics = TmsuxSysMetrics{};
  built_ = false;
}

TmsuxThemeObject* TmsuxParts::Part(std::string_view section) const {
  for (size_t i = 0; i < parts_.size(); ++i)
    if (SameText(kMsStylesSections[i], section)) return parts_[i].get();
  return nullptr;
}

TmsuxThemeObject* TmsuxParts::Existing(std::string_view section) const {
  TmsuxThemeObject* part = Part(section);
  return part != nullptr && part->Exists() ? part : nullptr;
}

}  // namespace kiv
