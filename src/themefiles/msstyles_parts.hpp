#pragma once
// The parts table of a visual style (one TmsuxThemeObject per known section,
// in the order of kMsStylesSections) and what its "SysMetrics" section says:
// bar heights and border widths, system colours and fonts, with the defaults
// used where the section states nothing.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/types.hpp"
#include "themefiles/msstyles_object.hpp"
#include "themefiles/msstyles_sections.hpp"

namespace kiv {

class TmsuxIni;
class TkivBitmapList;

struct TmsuxSysMetrics {
  int32_t CaptionBarHeight = 25;
  int32_t SmCaptionBarHeight = 17;
  int32_t BorderWidth = 4;
  int32_t SmBorderWidth = 3;
};

// "SysMetrics" of the INI; each value an integer, the default where the key
// is missing or not a number.
TmsuxSysMetrics ReadStyleSysMetrics(const TmsuxIni& ini);
// A "SysMetrics" colour ("r g b"), "100 100 100" where the key is missing.
TColor ReadStyleSysColor(const TmsuxIni& ini, std::string_view key);

// A font value: name, size, then up to four fields; a non-empty third field
// means bold, the fourth italic, the fifth underline, the sixth strike-out,
// whatever their words ("Segoe UI, 9, italic" is bold).
struct TmsuxFontValue {
  std::string Name;
  int32_t Size = 0;
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
};
TmsuxFontValue ParseStyleFont(std::string_view text);
// The "SysMetrics" font of that key, or of fallback where the key is missing.
TmsuxFontValue ReadStyleFont(const TmsuxIni& ini, std::string_view key, std::string_view fallback);

class TmsuxParts {
 public:
  // One object per known section (a section missing from the INI gives an
  // object with the defaults and no properties), then the metrics.
  void Build(const TmsuxIni& ini, TkivBitmapList* bitmaps, const TmsuxBitmapSource& source);
  void Clear();
  bool Built() const { return built_; }

  // The object of a known section, by name ignoring case; nullptr for a name
  // that is not known or before Build.
  TmsuxThemeObject* Part(std::string_view section) const;
  // The object when its section exists in the INI, else nullptr.
  TmsuxThemeObject* Existing(std::string_view section) const;
  const std::array<std::unique_ptr<TmsuxThemeObject>, kMsStylesSections.size()>& All() const {
    return parts_;
  }

  TmsuxSysMetrics Metrics;

 private:
  std::array<std::unique_ptr<TmsuxThemeObject>, kMsStylesSections.size()> parts_;
  bool built_ = false;
};

}  // namespace kiv
