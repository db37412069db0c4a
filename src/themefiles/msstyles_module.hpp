#pragma once
// What this system reads from a visual-styles library (".msstyles", a
// resource-only module): the colour-scheme, size and INI-resource name lists,
// the INI text of the first colour scheme and size, and bitmap resources as
// surfaces. Portable: the module's bytes are read by TPeResources.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "themefiles/pe_resources.hpp"

namespace kiv {

class TkivBitmap;

// UTF-16 strings each ended by a zero character, the list ended by an empty
// string (or by the end of the data). An odd last byte is ignored.
std::vector<std::string> ReadStyleNameList(std::span<const uint8_t> data);

// The INI text of a TEXTFILE resource: UTF-16 little-endian, as many
// characters as the resource's size holds; a leading byte-order mark and
// trailing zero characters are dropped, characters are narrowed byte for byte
// (above 255 to '?'), and every " = " becomes "=".
std::string StyleIniText(std::span<const uint8_t> data);

// A bitmap resource (a packed DIB) into surface: 32-bit resources keep their
// alpha (AlphaBlend as DetectAlpha finds), others become opaque: the pixels
// the platform's own loader gives. Data that is
// no readable bitmap leaves the surface as it was and answers false.
bool LoadStyleBitmap(TkivBitmap& surface, std::span<const uint8_t> data);

// A visual-styles library read from its bytes.
struct TmsuxStyleLibrary {
  TPeResources Resources;
  std::vector<std::string> ColorNames;  // "COLORNAMES" 1
  std::vector<std::string> SizeNames;   // "SIZENAMES" 1
  std::vector<std::string> IniNames;    // "FILERESNAMES" 1
  std::string IniText;                  // TEXTFILE of the first INI name

  // False (and the lists as far as they were read) when a name list is empty
  // or the INI resource is missing; EReadError when the module is malformed.
  bool Load(std::vector<uint8_t> bytes);
  // The bitmap resource of that name into surface; false when it is missing
  // or unreadable (the surface is then left as it was).
  bool ReadBitmap(TkivBitmap& surface, const std::string& name) const;
};

}  // namespace kiv
