#include "framework/colors.hpp"

#include <cctype>
#include <cstdio>

#include "framework/classes.hpp"
#include "framework/exceptions.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace {

#define KIV_COLOR_ENTRY(name, value) {name, #name},
#define KIV_NO_ENTRY(name, value)
constexpr TIdentMapEntry kColors[] = {KIV_NAMED_COLORS(KIV_COLOR_ENTRY, KIV_NO_ENTRY)};
constexpr TIdentMapEntry kAliases[] = {KIV_NAMED_COLORS(KIV_NO_ENTRY, KIV_COLOR_ENTRY)};
#undef KIV_COLOR_ENTRY
#undef KIV_NO_ENTRY

// The classic (Windows standard) scheme, indices 0..30, as 0x00BBGGRR.
constexpr TColor kClassic[31] = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC8D0D4,
};

}  // namespace

std::span<const TIdentMapEntry> ColorIdentMap() {
  return kColors;
}

TColor ClassicSysColor(int index) {
  return index >= 0 && index < 31 ? kClassic[index] : 0;
}

TColor ColorToRGB(TColor color) {
  return color < 0 ? SysColor(color & 0xFF) : color;
}

const char* ColorToIdent(TColor color) {
  for (const TIdentMapEntry& e : kColors)
    if (e.Value == color) return e.Name;
  return nullptr;
}

std::optional<TColor> IdentToColor(std::string_view ident) {
  for (const auto& table :
       {std::span<const TIdentMapEntry>(kColors), std::span<const TIdentMapEntry>(kAliases)})
    for (const TIdentMapEntry& e : table)
      if (SameText(e.Name, ident)) return e.Value;
  return std::nullopt;
}

std::string ColorToString(TColor color) {
  if (const char* name = ColorToIdent(color)) return name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color));
  return buf;
}

TColor StringToColor(std::string_view text) {
  if (auto c = IdentToColor(text)) return *c;
  return static_cast<TColor>(StrToInt(text));
}

}  // namespace kiv
