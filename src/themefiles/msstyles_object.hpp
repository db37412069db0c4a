#pragma once
// One section of a visual style as a drawing rule: TmsuxThemeObject parses
// the section's properties (keys and enumerated values ignoring case, lists
// split on commas and/or blanks) and paints its image into a rectangle for a
// state: image selection, frames, sizing margins, stretch or tile, true size,
// border and fill types, glyphs.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/classes.hpp"
#include "framework/colors.hpp"
#include "framework/types.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

class TmsuxIni;
class TkivBitmapList;

// A property as the section states it: lower-case name, value as read.
struct TmsuxObjectProp {
  std::string Name;
  std::string Value;
};

// Margins in the order the files write them.
struct TmsuxMargins {
  int32_t Left = 0, Right = 0, Top = 0, Bottom = 0;
  friend bool operator==(const TmsuxMargins&, const TmsuxMargins&) = default;
};

// Background types, image layouts, sizing types and the other enumerations,
// with the words that name them (every other word gives the first value).
enum : int32_t { kBgFill = 0, kBgBorderFill = 1, kBgImageFile = 2, kBgNone = 3 };
enum : int32_t { kLayoutVertical = 0, kLayoutHorizontal = 1 };
enum : int32_t {
  kSizeTile = 0,
  kSizeStretch = 1,
  kSizeTileVertical = 2,
  kSizeTileHorizontal = 3,
  kSizeTrueSize = 4,
  kSizeBorderTileClientStretch = 5,
  kSizeBorderStretchClientTile = 6,
};
enum : int32_t { kSelectNone = 0, kSelectDpi = 1, kSelectSize = 2 };

// Loads the bitmap resource of a name into a surface (left empty on failure).
using TmsuxBitmapSource = std::function<void(TkivBitmap& surface, const std::string& name)>;

// An image file name as a resource name: backslashes, and dots followed by
// "B"/"b" with at least two characters after them, become "_"; trimmed and
// upper-cased ("Blue\button.bmp" is "BLUE_BUTTON_BMP").
std::string StyleResourceName(std::string_view file_name);
// "r g b" (commas or blanks between; missing or non-numeric ones 0, each cut
// to 0..255) as a framework colour 0x00BBGGRR.
TColor ParseStyleColor(std::string_view text);
// Four integers left, right, top, bottom; all four 0 unless there are four
// numbers. Negative margins count as 0.
TmsuxMargins ParseStyleMargins(std::string_view text);
// The fields of a list value, split on commas and/or blanks.
std::vector<std::string> SplitStyleList(std::string_view text);

class TmsuxThemeObject : public TComponent {
  KIV_CLASS(TmsuxThemeObject, TComponent)

 public:
  TmsuxThemeObject() : TComponent(nullptr) {}
  // Reads every key of the section in order; images are found in bitmaps by
  // resource name or loaded through source and added to it; then prepares
  // transparency. A missing section gives the defaults and no properties.
  TmsuxThemeObject(const TmsuxIni& ini, std::string_view section, TkivBitmapList* bitmaps,
                   const TmsuxBitmapSource& source);

  // The section's name (component names must be identifiers; section names
  // hold dots and brackets, so they are kept here).
  const std::string& SectionName() const { return section_; }
  const std::vector<TmsuxObjectProp>& Props() const { return props_; }
  bool Exists() const { return !props_.empty(); }
  // The value of a property by name ignoring case; empty when not stated.
  std::string Prop(std::string_view name) const;

  // Paints image number (from 1) into rect on the device context; parts of a
  // nine-part image are drawn only where they meet clip (always when clip is
  // empty). Surfaces' own device contexts work in every build.
  void Draw(TkivDC dc, TRect rect, int32_t image, TRect clip = {}) const;
  // Into a surface: Draw on the surface's device context.
  void Draw(TkivBitmap& target, TRect rect, int32_t image, TRect clip = {}) const {
    Draw(target.DC(), rect, image, clip);
  }

  void ChangeBrightness(int32_t amount);  // fill, border and text colours
  void ChangeHue(int32_t amount);

  // The source rectangle of frame image (from 1) of a surface.
  TRect FrameRect(const TkivBitmap& surface, int32_t image) const;
  // The size variant drawn for a rectangle, or nullptr.
  TkivBitmap* ChooseSizeVariant(TRect rect) const;

  int32_t BgType = kBgFill;
  TColor FillColor = clNone;
  // The stated hint colour; clNone when the section states none (the
  // theme then keeps its own colour).
  TColor FillColorHint = clNone;
  TColor TextColor = 0;
  TColor BorderColor = 0;
  int32_t BorderSize = 0;
  TColor TransparentColor = 0x00FF00FF;
  bool Transparent = false;
  TkivBitmap* Image = nullptr;  // owned by the theme's bitmap list
  std::array<TkivBitmap*, 3> SizeImages{};
  std::string ImageName;
  std::array<std::string, 3> SizeImageNames;
  int32_t ImageSelectType = kSelectNone;
  int32_t ImageCount = 1;
  int32_t ImageLayout = kLayoutHorizontal;
  int32_t SizingType = kSizeStretch;
  TmsuxMargins SizingMargins, ContentMargins, CaptionMargins;
  int32_t ContentAlignment = 0;
  int32_t GlyphType = 0;
  TkivBitmap* GlyphImage = nullptr;
  std::string GlyphImageName;
  bool GlyphTransparent = false;
  int32_t TextShadowType = 0;
  TColor TextShadowColor = 0x00282828;
  TPoint TextShadowOffset;

 private:
  void Parse(const std::string& key, const std::string& value, TkivBitmapList* bitmaps,
             const TmsuxBitmapSource& source);
  void PrepareTransparency();
  void DrawImage(TkivDC dc, const TkivBitmap& image, TRect rect, int32_t index, TRect clip) const;
  void DrawGlyph(TkivDC dc, TkivBitmap& image, TRect rect, int32_t index, bool keyed) const;

  std::string section_;
  // The last nine-part rendering (image, frame and size), kept so that the
  // next drawing of the same is one copy or blend: images do not change once
  // the object is made.
  struct TRendering {
    std::unique_ptr<TkivBitmap> surface;
    const TkivBitmap* image = nullptr;
    TRect frame;
    int32_t width = 0, height = 0;
  };
  mutable TRendering rendering_;
  std::vector<TmsuxObjectProp> props_;
};

}  // namespace kiv
