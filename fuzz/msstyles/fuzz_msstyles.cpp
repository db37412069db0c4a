// Feeds arbitrary bytes to the visual-styles library reader. The reader must
// load the module or refuse it with the framework's read error, and nothing
// else; every resource it lists lies inside the bytes. A module that loads is
// read into a parts table, whose bitmaps load from the module, and a few
// parts are drawn into a small surface.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/exceptions.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_list.hpp"
#include "themefiles/msstyles_ini.hpp"
#include "themefiles/msstyles_module.hpp"
#include "themefiles/msstyles_parts.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kiv::TmsuxStyleLibrary library;
  bool loaded = false;
  try {
    loaded = library.Load(std::vector<uint8_t>(data, data + size));
  } catch (const kiv::EReadError&) {
    return 0;
  }
  for (const kiv::TPeResource& r : library.Resources.Resources())
    if (r.Offset > size || r.Size > size - r.Offset) __builtin_trap();
  if (!loaded) return 0;
  kiv::TmsuxIni ini(library.IniText);
  kiv::TkivBitmapList bitmaps;
  kiv::TmsuxParts parts;
  parts.Build(ini, &bitmaps,
              [&](kiv::TkivBitmap& b, const std::string& name) { library.ReadBitmap(b, name); });
  kiv::TkivBitmap target;
  target.SetSize(40, 24);
  for (const auto& part : parts.All()) {
    if (!part->Exists()) continue;
    for (int image = 1; image <= 3; ++image) part->Draw(target, kiv::TRect{2, 3, 37, 21}, image);
  }
  return 0;
}
