// Parsing a visual style's section into a TmsuxThemeObject, and preparing the
// transparency of its images.
#include "themefiles/msstyles_object.hpp"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <utility>

#include "framework/text_convert.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "graphics/kiv_color.hpp"
#include "themefiles/msstyles_ini.hpp"

namespace kiv {

KIV_IMPLEMENT_CLASS(TmsuxThemeObject, c) {}

namespace {

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

bool StyleBool(std::string_view v) {
  return SameText(v, "true") || v == "1" || SameText(v, "yes");
}

bool StyleNumber(std::string_view text, int32_t& value) {
  int64_t n = 0;
  text = TrimView(text);
  if (text.empty() || !TryStrToInt64(text, n)) return false;
  value = static_cast<int32_t>(std::clamp<int64_t>(n, INT32_MIN, INT32_MAX));
  return true;
}

int32_t StyleInt(std::string_view text, int32_t fallback) {
  int32_t value = fallback;
  return StyleNumber(text, value) ? value : fallback;
}

// The value of the word that matches (ignoring case), or other.
int32_t StyleWord(std::string_view text,
                  std::initializer_list<std::pair<const char*, int32_t>> words, int32_t other) {
  for (const auto& [word, value] : words)
    if (SameText(text, word)) return value;
  return other;
}

TkivBitmap* FindOrLoad(TkivBitmapList* bitmaps, const std::string& name,
                       const TmsuxBitmapSource& source) {
  if (bitmaps == nullptr || name.empty()) return nullptr;
  if (TkivBitmap* found = bitmaps->FindBitmap(name)) return found;
  auto surface = std::make_unique<TkivBitmap>();
  surface->SetName(name);
  if (source) source(*surface, name);
  bitmaps->Add(surface.get());
  return surface.release();
}

bool Usable(const TkivBitmap* b) {
  return b != nullptr && !b->IsEmpty();
}

// Key pixels or pixels with some transparency: drawn with the image's own
// transparency they let the background show.
bool HasSeeThroughPixels(const TkivBitmap& b) {
  const int64_t n = int64_t{b.Width()} * b.Height();
  for (int64_t i = 0; i < n; ++i)
    if ((b.Bits()[i] >> 24) != 0xFF) return true;
  return false;
}

// After the key colour became key pixels: an image whose other pixels carry
// alpha 0 without any partial alpha (DetectAlpha then leaves AlphaBlend off)
// still needs its alpha to leave those pixels out.
void UseAlphaOfHoles(TkivBitmap& b) {
  if (b.AlphaBlend()) return;
  const int64_t n = int64_t{b.Width()} * b.Height();
  for (int64_t i = 0; i < n; ++i) {
    const TkivPixel p = b.Bits()[i];
    if ((p >> 24) == 0 && p != KeyPixel) {
      b.SetAlphaBlend(true);
      return;
    }
  }
}

}  // namespace

std::string StyleResourceName(std::string_view file_name) {
  std::string name(file_name);
  for (size_t i = 0; i < name.size(); ++i) {
    const bool dot_b = name[i] == '.' && i + 1 < name.size() &&
                       (name[i + 1] == 'B' || name[i + 1] == 'b') && i + 2 < name.size();
    if (name[i] == '\\' || dot_b) name[i] = '_';
  }
  return UpperCase(TrimView(name));
}

std::vector<std::string> SplitStyleList(std::string_view text) {
  std::vector<std::string> fields;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ',' || static_cast<unsigned char>(text[i]) <= ' ')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ') ++i;
    if (i > start) fields.emplace_back(text.substr(start, i - start));
  }
  return fields;
}

TColor ParseStyleColor(std::string_view text) {
  const std::vector<std::string> f = SplitStyleList(text);
  int32_t rgb[3] = {0, 0, 0};
  for (size_t i = 0; i < 3 && i < f.size(); ++i) rgb[i] = std::clamp(StyleInt(f[i], 0), 0, 255);
  return rgb[0] | rgb[1] << 8 | rgb[2] << 16;
}

TmsuxMargins ParseStyleMargins(std::string_view text) {
  const std::vector<std::string> f = SplitStyleList(text);
  int32_t v[4] = {0, 0, 0, 0};
  if (f.size() < 4) return {};
  for (int i = 0; i < 4; ++i)
    if (!StyleNumber(f[i], v[i])) return {};
  return TmsuxMargins{std::max(v[0], 0), std::max(v[1], 0), std::max(v[2], 0), std::max(v[3], 0)};
}

TmsuxThemeObject::TmsuxThemeObject(const TmsuxIni& ini, std::string_view section,
                                   TkivBitmapList* bitmaps, const TmsuxBitmapSource& source)
    : TComponent(nullptr), section_(section) {
  for (const auto& [key, value] : ini.Section(section)) {
    const std::string name = LowerCase(key);
    auto same = std::find_if(props_.begin(), props_.end(),
                             [&](const TmsuxObjectProp& p) { return p.Name == name; });
    if (same != props_.end()) {
      same->Value = value;
    } else {
      props_.push_back(TmsuxObjectProp{name, value});
    }
    Parse(name, value, bitmaps, source);
  }
  PrepareTransparency();
}

std::string TmsuxThemeObject::Prop(std::string_view name) const {
  for (const TmsuxObjectProp& p : props_)
    if (SameText(p.Name, name)) return p.Value;
  return {};
}

void TmsuxThemeObject::Parse(const std::string& key, const std::string& value,
                             TkivBitmapList* bitmaps, const TmsuxBitmapSource& source) {
  if (key == "bgtype") {
    BgType = StyleWord(
        value, {{"borderfill", kBgBorderFill}, {"imagefile", kBgImageFile}, {"none", kBgNone}},
        kBgFill);
  } else if (key == "fillcolor") {
    FillColor = ParseStyleColor(value);
  } else if (key == "fillcolorhint") {
    FillColorHint = ParseStyleColor(value);
  } else if (key == "textcolor") {
    TextColor = ParseStyleColor(value);
  } else if (key == "bordercolor") {
    BorderColor = ParseStyleColor(value);
  } else if (key == "bordersize") {
    BorderSize = StyleInt(value, 0);
  } else if (key == "transparentcolor") {
    TransparentColor = ParseStyleColor(value);
  } else if (key == "transparent") {
    Transparent = StyleBool(value);
  } else if (key == "imagefile") {
    ImageName = StyleResourceName(value);
    Image = FindOrLoad(bitmaps, ImageName, source);
    BgType = kBgImageFile;
  } else if (key == "imagefile1" || key == "imagefile2" || key == "imagefile3") {
    const size_t k = static_cast<size_t>(key.back() - '1');
    SizeImageNames[k] = StyleResourceName(value);
    SizeImages[k] = FindOrLoad(bitmaps, SizeImageNames[k], source);
    BgType = kBgImageFile;
  } else if (key == "imageselecttype") {
    ImageSelectType = StyleWord(value, {{"dpi", kSelectDpi}, {"size", kSelectSize}}, kSelectNone);
  } else if (key == "imagecount") {
    ImageCount = StyleInt(value, 1);
  } else if (key == "imagelayout") {
    ImageLayout = StyleWord(value, {{"horizontal", kLayoutHorizontal}}, kLayoutVertical);
  } else if (key == "sizingtype") {
    SizingType = StyleWord(value,
                           {{"stretch", kSizeStretch},
                            {"tilevertical", kSizeTileVertical},
                            {"tilehorizontal", kSizeTileHorizontal},
                            {"truesize", kSizeTrueSize},
                            {"bordertileclientstretch", kSizeBorderTileClientStretch},
                            {"borderstretchclienttile", kSizeBorderStretchClientTile}},
                           kSizeTile);
  } else if (key == "sizingmargins") {
    SizingMargins = ParseStyleMargins(value);
  } else if (key == "contentmargins") {
    ContentMargins = ParseStyleMargins(value);
  } else if (key == "captionmargins") {
    CaptionMargins = ParseStyleMargins(value);
  } else if (key == "contentalignment") {
    ContentAlignment = StyleWord(value, {{"left", 0}, {"center", 1}, {"right", 2}}, 0);
  } else if (key == "glyphtype") {
    GlyphType = StyleWord(value, {{"imageglyph", 1}}, 0);
  } else if (key == "glyphimagefile") {
    GlyphImageName = StyleResourceName(value);
    GlyphImage = FindOrLoad(bitmaps, GlyphImageName, source);
  } else if (key == "glyphtransparent") {
    GlyphTransparent = StyleBool(value);
  } else if (key == "textshadowtype") {
    TextShadowType = StyleWord(value, {{"single", 1}, {"continuous", 2}}, 0);
  } else if (key == "textshadowcolor") {
    TextShadowColor = ParseStyleColor(value);
  } else if (key == "textshadowoffset") {
    const std::vector<std::string> f = SplitStyleList(value);
    TextShadowOffset =
        TPoint{f.size() > 0 ? StyleInt(f[0], 0) : 0, f.size() > 1 ? StyleInt(f[1], 0) : 0};
  }
}

void TmsuxThemeObject::PrepareTransparency() {
  const TkivPixel key = ColorToPixel(TransparentColor, 0) & 0x00FFFFFFu;
  // An image seen for the first time gets its key colour; an image that may
  // show the background makes the object transparent, whichever section of
  // the theme met the image first.
  auto prepare = [&](TkivBitmap* image, bool may_count) {
    if (!Usable(image)) return;
    if (!image->Transparent()) {
      image->SetTransparentColor(key);
      UseAlphaOfHoles(*image);
    }
    if (may_count && HasSeeThroughPixels(*image)) Transparent = true;
  };
  prepare(Image, true);
  if (GlyphTransparent) prepare(GlyphImage, false);
  for (TkivBitmap* variant : SizeImages) prepare(variant, !GlyphTransparent);
  if (Transparent) {
    auto prop = std::find_if(props_.begin(), props_.end(),
                             [](const TmsuxObjectProp& p) { return p.Name == "transparent"; });
    if (prop == props_.end()) {
      props_.push_back(TmsuxObjectProp{"transparent", "true"});
    } else {
      prop->Value = "true";
    }
  }
}

void TmsuxThemeObject::ChangeBrightness(int32_t amount) {
  for (TColor* c : {&FillColor, &BorderColor, &TextColor})
    if (*c != clNone)
      *c = PixelToColor(Brighten(ColorToPixel(*c, 255), static_cast<int16_t>(amount)));
}

void TmsuxThemeObject::ChangeHue(int32_t amount) {
  for (TColor* c : {&FillColor, &BorderColor, &TextColor})
    if (*c != clNone) *c = PixelToColor(RotateHue(ColorToPixel(*c, 255), amount));
}

}  // namespace kiv
